#pragma once

#include "IUserInterface.h"
#include "LoadWarnings.h"

// Tells the user, in one warning box, what a load skipped or kept against the usual rules,
// so that an open that succeeded never hides what it left out. Nothing when there is none.
void ReportLoadWarnings(const orbxmps::LoadWarnings& warnings, IUserInterface& ui);

#pragma once

#include <memory>

#include "CBaseTbl.h"

// The backend for a source kind; null for a kind that has none (the table's status 1).
std::unique_ptr<CBaseTbl> makeTableBackend(int kind, const TableOptions& options);

#pragma once

#include <string>

#include "ISettingsStore.h"

// Settings that the product family keeps outside this program's profile; read, never written.

// The connection object's logging switch: on unless "Logging" of section "Adapter" is "False"
// in any letter case (absent counts as "False").
bool readLoggingSwitch(const ISettingsStore& store);

// The language of the user-interface texts and how loudly a missing or unloadable language
// file is reported.
struct LanguagePreference {
    std::string Language = "ENU";
    int ReportingLevel = 1;
    // True when the built-in texts are wanted: no language stored, or "ENU" in any case.
    bool builtIn = true;
};

LanguagePreference readLanguagePreference(const ISettingsStore& store);

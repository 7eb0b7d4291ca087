#pragma once

#include <QString>

#include "IUserInterface.h"
#include "SharedProfileSettings.h"

class QTranslator;

enum class LanguageOutcome {
    kBuiltIn,     // English, or no language stored
    kLoaded,      // the language file now translates the program's texts
    kMissing,     // no language file: built-in texts
    kUnloadable,  // the file exists but is not a translation file: built-in texts
};

// The language file's name: the language code, "_", the program's file name without folder or
// extension, ".qm" (DEU_norva.qm).
QString languageFileName(const QString& language, const QString& programName);

// Loads the preferred language's file from programFolder into translator and installs it.
// Reporting level 0 or less reports a missing file ("Can't find DLL ..."), 1 or less an
// unloadable one ("LoadLibrary failure for DLL ..."), both in message boxes without a caption;
// the program goes on with its built-in texts either way.
LanguageOutcome loadLanguageFile(const LanguagePreference& preference, const QString& programFolder,
                                 const QString& programName, QTranslator& translator,
                                 IUserInterface& ui);

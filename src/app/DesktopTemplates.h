#pragma once

// The desktop files of an installation (desktop/ in the sources), compiled in for --register.
// Their "@NORVA_EXEC@" stands for the quoted program path.
struct DesktopTemplate {
    const char* name;  // path under desktop/, e.g. "icons/norva.svg"
    const char* text;
};

// Ends with {nullptr, nullptr}.
extern const DesktopTemplate kDesktopTemplates[];

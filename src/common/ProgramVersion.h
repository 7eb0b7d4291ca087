#pragma once

// The program's version as compiled in from the build's project version ("major.minor.patch.
// tweak"); the About box shows it and the automation interface reports it.
const char* programVersionText();

// The leading "major.minor" of versionText as a number, so "12.3.4.5" gives 12.3 under every
// locale: a caller comparing versions must not see 12 because the user's decimal separator is
// a comma. 0 for text that does not begin with a number.
double versionNumber(const char* versionText);

// versionNumber of the compiled-in version.
double GetVersion();

#pragma once

// The program's version as compiled in from the build's project version ("major.minor.patch.
// tweak"); the About box shows it and the automation interface reports it.
const char* programVersionText();

// The leading number of versionText read with strtod under the current C locale, so
// "12.3.4.5" gives 12.3, or 12 under a comma-decimal locale; 0 for empty text.
double versionNumber(const char* versionText);

// versionNumber of the compiled-in version.
double GetVersion();

#include "LoadWarningReport.h"

#include <algorithm>
#include <string>

namespace {

// A box of a hundred lines would not fit a screen; the rest is counted.
constexpr std::size_t kShownWarnings = 10;

}  // namespace

void ReportLoadWarnings(const orbxmps::LoadWarnings& warnings, IUserInterface& ui) {
    if (warnings.empty()) return;
    const std::uint64_t count = warnings.count();
    std::string text = "The file was read with " + std::to_string(count) +
                       (count == 1 ? " warning:" : " warnings:");
    const std::size_t shown = std::min(kShownWarnings, warnings.texts().size());
    for (std::size_t i = 0; i < shown; ++i) text += "\n" + warnings.texts()[i];
    if (count > shown) text += "\n(and " + std::to_string(count - shown) + " more)";
    ui.messageBox("Warning", text);
}

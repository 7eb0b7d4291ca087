#include "ControlHelp.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// The string table's control texts, by control id.
const std::pair<int, const char*> kHelpTexts[] = {
    {controlid::kFindText, "Search through matrix rows/columns for this text"},
    {controlid::kWholeWord,
     "If checked, the search text must match the whole matrix row/column name."},
    {controlid::kIgnoreCase, "If checked, search in a case insensitive manner."},
    {controlid::kUp,
     "Search upward from the current position.  Used only if \"Start at Beginning\" is NOT "
     "checked."},
    {controlid::kDown,
     "Search downward from the current position.  Used only if \"Start at Beginning\" is NOT "
     "checked."},
    {controlid::kStartAtBeginning,
     "Begin each search from the beginning of the matrix.  If this check box has been "
     "checked, F3 and Shift+F3 repeatedly will keep finding the first occurance of the "
     "string."},
    {controlid::kOk, "Accept any changes"},
    {controlid::kCancel, "Cancel without saving any changes"},
    {controlid::kHelp, "Display help for current task or command\nHelp"},
    {controlid::kDecimals,
     "When formatting numbers, use this number of digits to the right of the decimal"},
    {controlid::kAlwaysScientific,
     "If checked, format numbers using scientific notation rather than fixed format"},
    {controlid::kLoomHostName, "Live Loom host name to connect to"},
    {controlid::kLoomProcessName, "Active Loom process to connect to"},
};

// The controls that carry a help context, dialog by dialog: every control of the Find dialog
// but its labels; on the Options sheet only the General page's edits and its
// scientific-notation check box.
constexpr int kFindControls[] = {
    controlid::kFindText, controlid::kWholeWord, controlid::kIgnoreCase,
    controlid::kUp,       controlid::kDown,      controlid::kStartAtBeginning,
    controlid::kOk,       controlid::kCancel,    controlid::kHelp};
constexpr int kGeneralControls[] = {controlid::kDecimals,     controlid::kAlwaysScientific,
                                    controlid::kLoomHostName, controlid::kLoomProcessName,
                                    controlid::kLargeCoef,    controlid::kSmallCoef,
                                    controlid::kLargeRatio};

template <std::size_t N>
bool contains(const int (&ids)[N], int id) {
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

}  // namespace

std::optional<std::string> controlHelp(HelpDialog dialog, int controlId) {
    const bool hasContext =
        (dialog == HelpDialog::kFind && contains(kFindControls, controlId)) ||
        (dialog == HelpDialog::kOptionsGeneral && contains(kGeneralControls, controlId));
    if (!hasContext) return std::nullopt;
    for (const auto& [id, text] : kHelpTexts)
        if (id == controlId) return std::string(text);
    return std::string();
}

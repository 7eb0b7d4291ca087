#include "StringTable.h"

#include <iterator>
#include <utility>

namespace strings {

namespace {

const std::pair<int, const char*> kBuiltIn[] = {
    {kUnableToOpenSolutionFile, "Unable to open KSLP Results File: "},
    {kTableReadError,
     "An error occurred while trying to read the %s table.\n\nPlease regenerate this table."},
    {kInternalError, "An internal error has occurred."},
    {kPrintFileError,
     "An error occurred while trying to create a temporary file to be used for printing."},
    {kViewerNotLaunched,
     "Unable to launch the TARN Viewer \"Tv.ExE\"\n\nPlease make sure that this program has "
     "been properly registered."},
    {kFailedToLoadMps, "Failed to load MPS file. Look at the error log file:\n %s"},
    {kFailedToLoadOrb, "Failed to load ORB file. Look at the error log file:\n %s"},
    {kFailedToLoadMpsNoLog, "Failed to load MPS file. No error log could be written to:\n %s"},
    {kFailedToLoadOrbNoLog, "Failed to load ORB file. No error log could be written to:\n %s"},
    {kNoValidOrbManager, "No valid ORB Manager object found"},
};

}  // namespace

const char* text(int id) {
    for (const auto& [key, value] : kBuiltIn)
        if (key == id) return value;
    return "";
}

std::string format(int id, const std::string& argument) {
    std::string result = text(id);
    const std::size_t at = result.find("%s");
    if (at != std::string::npos) result.replace(at, 2, argument);
    return result;
}

}  // namespace strings

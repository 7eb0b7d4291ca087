#include "AppStrings.h"

#include <QCoreApplication>
#include <iterator>
#include <utility>

namespace appstrings {

namespace {

const std::pair<int, const char*> kBuiltIn[] = {
    {kMatrixFileFilter,
     "Mps, Orb Problem Files (*.mps;*.mps.gz;*.orb)|*.mps;*.mps.gz;*.orb|"
     "LOOM Case File (*.cas)|*.cas|All Files (*.*)|*.*||"},
    {kSolutionFileFilter,
     "KNLP_Solution Files (KNLP_Solution.*)|KNLP_Solution.*|All Files (*.*)|*.*||"},
    {kOpenMatrixFirst, "Open an MPS / ORB / CAS file first"},
    {kOleInitFailed,
     "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
    {kRichEditInitFailed, "Failed to initialized RichEdit control!"},
    {kSearchPrompt, "Continue searching for the specified text\nContinue Search"},
    {kSearchTextPrompt, "Search through matrix rows/columns for this text"},
    {kIdleStatus, " "},
    // Left blank: the compiled-in address applies unless a language file supplies one.
    {kSupportAddress, ""},
    {kHelpNotLaunched, "Unable to launch the help for this program."},
};

}  // namespace

const char* builtIn(int id) {
    for (const auto& [key, value] : kBuiltIn)
        if (key == id) return value;
    return "";
}

QString text(int id) { return translated(builtIn(id)); }

QString translated(const char* builtInText) {
    if (*builtInText == '\0') return QString();
    return QCoreApplication::translate("Norva", builtInText);
}

}  // namespace appstrings

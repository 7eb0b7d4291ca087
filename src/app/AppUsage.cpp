#include "AppUsage.h"

#include "InstallLayout.h"

const char* const kAppSynopsis =
    "usage: norva [FILE | --automation | --register | --unregister | --help |\n"
    "             --print FILE | --print-to PRINTER FILE |\n"
    "             --print-to-pdf OUT.pdf FILE [--row NAME | --col NAME] |\n"
    "             --picture OUT.png [--size WxH] [--order file|name|stem] FILE]\n";

namespace {

constexpr const char* kOptions =
    "\n"
    "FILE is a matrix (MPS, gzip MPS or ORB) or a modelling-server case (.cas) to open.\n"
    "Without FILE the window opens with an empty document.\n"
    "\n"
    "Options (also written -name or /name, in any letter case):\n"
    "  --automation, --embedding\n"
    "      serve the automation object Norva.Document on the session bus; the window\n"
    "      shows once a client opens a document\n"
    "  --register, --regserver\n"
    "      add the menu entry, icon, file types and bus service for this program to\n"
    "      $XDG_DATA_HOME (~/.local/share); an installed program whose installation\n"
    "      carries them writes nothing and removes older copies there\n"
    "  --unregister, --unregserver\n"
    "      remove what --register added\n"
    "  --print FILE, /p FILE\n"
    "      print the row shown first of FILE through the viewer, then end\n"
    "  --print-to PRINTER FILE, /pt PRINTER FILE\n"
    "      the same on PRINTER\n"
    "  --print-to-pdf OUT.pdf FILE [--row NAME | --col NAME]\n"
    "      write the listing of the first row, or of row or column NAME, as a PDF\n"
    "  --picture OUT.png [--size WxH] [--order file|name|stem] FILE\n"
    "      write the magnitude picture of FILE as a PNG file (default 800x800, file\n"
    "      order) without showing a window, then end\n"
    "  --help, -h\n"
    "      show this text\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be opened, printed or registered, 2 bad usage.\n";

}  // namespace

std::string appUsageText(const InstallLayout& layout) {
    std::string text = std::string(kAppSynopsis) + kOptions +
                       "\nHelp pages: " + layout.helpIndex().toStdString() + "\n";
    const QString examples = layout.examplesFolder();
    if (!examples.isEmpty()) text += "Examples:   " + examples.toStdString() + "\n";
    return text;
}

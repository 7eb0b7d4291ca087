#pragma once

#include <string>
#include <vector>

// What the command line asks the desktop program to do. Switches may be written "--name",
// "-name" or "/name" in any letter case; only the exact switch names are switches, so every
// other argument is a file name (an absolute path such as "/data/run.mps" included).
enum class StartAction {
    kNewDocument,  // no file: an empty document
    kOpenFile,
    kRegister,    // --register, --regserver
    kUnregister,  // --unregister, --unregserver
    kAutomation,  // --automation, --embedding: wait for a client, no window
    kPrint,       // --print FILE, /p FILE: print the row shown first through the viewer, end
    kPrintTo,     // --print-to PRINTER FILE, /pt PRINTER FILE: the same on that printer
    kPrintToPdf,  // --print-to-pdf OUT FILE [--row NAME | --col NAME]: the listing as a PDF
    kHelp,        // --help, -h: the usage on standard output, end
    kRejected,    // see error
};

struct AppCommandLine {
    StartAction action = StartAction::kNewDocument;
    std::string fileName;
    std::string printer;  // kPrintTo
    std::string pdfPath;  // kPrintToPdf
    // kPrintToPdf: the row or column to write; without one, the row shown first.
    std::string detailName;
    bool rowDisplay = true;
    std::string error;
};

// arguments without the program name.
AppCommandLine parseAppCommandLine(const std::vector<std::string>& arguments);

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
    kRejected,    // see error
};

struct AppCommandLine {
    StartAction action = StartAction::kNewDocument;
    std::string fileName;
    std::string error;
};

// arguments without the program name.
AppCommandLine parseAppCommandLine(const std::vector<std::string>& arguments);

#pragma once

#include <ostream>
#include <string>

class IUserInterface;

// How a backend reports. The defaults are those of every read the program makes: no message
// boxes, no log; the texts are still kept on the table for callers that want them.
struct TableOptions {
    bool showErrorBoxes = false;
    bool showWarningBoxes = false;
    bool logging = false;
    std::ostream* logStream = nullptr;
    IUserInterface* userInterface = nullptr;
    std::string backupExtension = "BAK";
};

#pragma once

#include <string>

#include "IUserInterface.h"
#include "OpenPath.h"
#include "orbxmps.h"

enum class LibraryLoadStatus {
    kLoaded,     // the object holds the file's matrix
    kNoObject,   // the library made no matrix object; nothing was shown
    kNoManager,  // the library made no MPS manager; the object is returned, holding no matrix
    kFailed,     // the library threw: error logged (or shown), everything released, the user told
    kCancelled,  // the read progress watcher stopped the read: everything released, nothing shown
};

struct LibraryLoad {
    LibraryLoadStatus status;
    orbxmps::ORBObject* object;  // owned by the caller; null unless kLoaded or kNoManager
};

// Creates a matrix object and reads path into it, as an ORB file when isOrb and as MPS
// otherwise. When the library throws, the exception is written to parts.errorLogPath, the
// manager and the object are released, and message 164 (ORB) or 163 (MPS) names the log, with
// the reader's one-line reason below it. The
// log is only ever a regular file: when the path is a link, device, FIFO or folder, or cannot
// be written, nothing is written and message 166 or 165 says so and carries the log's text.
LibraryLoad LoadMatrixIntoLibrary(const std::string& path, const OpenPath& parts, bool isOrb,
                                  IUserInterface& ui);

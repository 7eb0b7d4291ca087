#pragma once

#include <string>

// The parts of a path that the document's open works with. Only the last component's last dot
// starts an extension, so "/data/run.v2/model" has none and "model.tar.mps" has "mps".
struct OpenPath {
    std::string fileName;      // title plus extension, without folder ("model.mps")
    std::string extension;     // without its dot, as written ("mps"); empty when there is none
    std::string folder;        // everything up to and including the last '/'; empty for a bare name
    std::string fileTitle;     // the file name without its extension ("model")
    std::string errorLogPath;  // folder + title + "_err.log"
};

OpenPath SplitOpenPath(const std::string& path);

#include "OpenPath.h"

OpenPath SplitOpenPath(const std::string& path) {
    OpenPath parts;
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    parts.folder = path.substr(0, nameStart);
    parts.fileName = path.substr(nameStart);

    const std::size_t dot = parts.fileName.rfind('.');
    if (dot == std::string::npos) {
        parts.fileTitle = parts.fileName;
    } else {
        parts.fileTitle = parts.fileName.substr(0, dot);
        parts.extension = parts.fileName.substr(dot + 1);
    }
    parts.errorLogPath = parts.folder + parts.fileTitle + "_err.log";
    return parts;
}

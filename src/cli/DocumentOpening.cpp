#include "DocumentOpening.h"

#include <cstddef>
#include <fstream>
#include <sstream>

#include "OpenPath.h"
#include "StringTable.h"

namespace {

void copyFileTo(const std::string& path, std::FILE* err) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return;
    std::ostringstream text;
    text << in.rdbuf();
    const std::string content = text.str();
    std::fwrite(content.data(), 1, content.size(), err);
    if (!content.empty() && content.back() != '\n') std::fputc('\n', err);
}

// The document shows the "look at the error log" message exactly when it wrote the log, so a
// log left beside the file by an earlier run is never taken for this one's. When it could not
// write one, its message already carries the text, and what sits at the path is not read.
bool wroteLog(const HeadlessUserInterface& ui, std::size_t firstMessage,
              const std::string& logPath) {
    const auto& messages = ui.messages();
    for (std::size_t i = firstMessage; i < messages.size(); ++i)
        for (const int id : {strings::kFailedToLoadMps, strings::kFailedToLoadOrb})
            if (messages[i] == strings::format(id, logPath) ||
                messages[i].starts_with(strings::format(id, logPath) + "\n\n"))
                return true;
    return false;
}

bool openReporting(CNorvaDoc& doc, const HeadlessUserInterface& ui, const std::string& path,
                   const char* what, std::FILE* err) {
    const std::size_t firstMessage = ui.messages().size();
    if (doc.OnOpenDocument(path)) return true;
    const std::string logPath = SplitOpenPath(path).errorLogPath;
    if (wroteLog(ui, firstMessage, logPath)) {
        std::fprintf(err, "%s:\n", logPath.c_str());
        copyFileTo(logPath, err);
    }
    std::fprintf(err, "norva-inspect: could not open %s %s\n", what, path.c_str());
    std::fflush(err);
    return false;
}

}  // namespace

bool openMatrixFile(CNorvaDoc& doc, AppFlags& flags, const HeadlessUserInterface& ui,
                    const std::string& path, std::FILE* err) {
    flags.openAsSolution = false;
    return openReporting(doc, ui, path, "matrix file", err);
}

bool openSolutionFile(CNorvaDoc& doc, AppFlags& flags, const HeadlessUserInterface& ui,
                      const std::string& path, std::FILE* err) {
    flags.openAsSolution = true;
    const bool opened = openReporting(doc, ui, path, "solution file", err);
    flags.openAsSolution = false;
    return opened;
}

#include "MatrixLibraryLoad.h"

#include <functional>
#include <optional>
#include <sstream>
#include <utility>

#include "ReadProgress.h"
#include "RegularFileWrite.h"
#include "StringTable.h"

namespace {

using orbxmps::ORBObject;

// Where the failure's text went: the log file, or (when no log could be written) nowhere
// but the message, which then carries it.
struct ErrorLog {
    std::string text;
    std::string writeError;  // empty when the log was written
    std::string reason;      // the reader's own words: file, line, what was wrong
    bool cancelled = false;  // the user stopped the read: no log, no message
};

// The log is replaced, not appended to: it describes the last failed load only.
ErrorLog writeErrorLog(const std::string& logPath, std::string reason,
                       const std::function<void(std::ostream&)>& write) {
    std::ostringstream text;
    write(text);
    ErrorLog log{text.str(), {}, std::move(reason)};
    log.writeError = WriteRegularFile(logPath, log.text);
    return log;
}

// The first line of the exception's reason, for the message box.
std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

void dumpException(orbxmps::ORB_Exception& exception, std::ostream& out) {
    exception.HandleExcp();
    exception.DumpErrorBuf(out);
}

// Returns the error log when the load failed, nothing when it succeeded.
std::optional<ErrorLog> restoreOrb(ORBObject& object, const std::string& path,
                                   const OpenPath& parts) {
    try {
        object.setWorkingFolder(parts.folder.empty() ? std::string("./") : parts.folder);
        object.restoreFromFile(path);
        return std::nullopt;
    } catch (orbxmps::ORB_Exception& exception) {
        return writeErrorLog(parts.errorLogPath, firstLine(exception.GetExcpReason()),
                             [&](std::ostream& out) { dumpException(exception, out); });
    } catch (const orbxmps::ReadCancelled&) {
        return ErrorLog{{}, {}, {}, true};
    } catch (...) {
        return writeErrorLog(parts.errorLogPath, {}, [](std::ostream& out) {
            out << "Unhandled Exception caught in RestoreFromFile\n";
        });
    }
}

// Only loadProblem is guarded: it is the one call the library documents as throwing.
std::optional<ErrorLog> loadMps(orbxmps::XMPSManager& manager, ORBObject& object,
                                const std::string& path, const std::string& logPath) {
    manager.attach(&object);
    manager.setInputFile(path);
    try {
        manager.loadProblem();
        return std::nullopt;
    } catch (orbxmps::CMF_ExcpFileError& exception) {
        return writeErrorLog(logPath, firstLine(exception.GetExcpReason()), [&](std::ostream& out) {
            dumpException(exception, out);
            out << "XMPS File Could Not be Opened";
        });
    } catch (orbxmps::ORB_Exception& exception) {
        // CMF_Exception derives from ORB_Exception and is logged the same way.
        return writeErrorLog(logPath, firstLine(exception.GetExcpReason()),
                             [&](std::ostream& out) { dumpException(exception, out); });
    } catch (const orbxmps::ReadCancelled&) {
        return ErrorLog{{}, {}, {}, true};
    } catch (...) {
        return writeErrorLog(logPath, {}, [](std::ostream& out) {
            out << "Unhandled Exception caught in LoadProblemFromXMPS\n";
        });
    }
}

// A log that could not be written does not stop the message: it then says so, and why, and
// carries the log's text, which would otherwise be lost.
LibraryLoad reportFailure(int messageId, int noLogMessageId, const std::string& logPath,
                          const ErrorLog& log, IUserInterface& ui) {
    if (log.writeError.empty()) {
        // The specified text names only the log; the reason below it saves opening the log.
        std::string text = strings::format(messageId, logPath);
        if (!log.reason.empty()) text += "\n\n" + log.reason;
        ui.messageBox("Error", text);
    } else {
        std::string text = log.text;
        while (!text.empty() && text.back() == '\n') text.pop_back();
        ui.messageBox("Error",
                      strings::format(noLogMessageId, logPath + " (" + log.writeError + ")") +
                          "\n\n" + text);
    }
    return {LibraryLoadStatus::kFailed, nullptr};
}

}  // namespace

LibraryLoad LoadMatrixIntoLibrary(const std::string& path, const OpenPath& parts, bool isOrb,
                                  IUserInterface& ui) {
    ORBObject* object = nullptr;
    if (!orbxmps::ORBObjectFactory(&object) || object == nullptr)
        return {LibraryLoadStatus::kNoObject, nullptr};

    if (isOrb) {
        const std::optional<ErrorLog> log = restoreOrb(*object, path, parts);
        if (!log) return {LibraryLoadStatus::kLoaded, object};
        object->release();
        if (log->cancelled) return {LibraryLoadStatus::kCancelled, nullptr};
        return reportFailure(strings::kFailedToLoadOrb, strings::kFailedToLoadOrbNoLog,
                             parts.errorLogPath, *log, ui);
    }

    orbxmps::XMPSManager* manager = nullptr;
    if (!orbxmps::CreateXMPSManagerObject(&manager) || manager == nullptr)
        return {LibraryLoadStatus::kNoManager, object};
    const std::optional<ErrorLog> log = loadMps(*manager, *object, path, parts.errorLogPath);
    manager->release();
    if (!log) return {LibraryLoadStatus::kLoaded, object};
    object->release();
    if (log->cancelled) return {LibraryLoadStatus::kCancelled, nullptr};
    return reportFailure(strings::kFailedToLoadMps, strings::kFailedToLoadMpsNoLog,
                         parts.errorLogPath, *log, ui);
}

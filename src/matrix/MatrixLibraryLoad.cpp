#include "MatrixLibraryLoad.h"

#include <fstream>
#include <functional>

#include "StringTable.h"

namespace {

using orbxmps::ORBObject;

// The log is replaced, not appended to: it describes the last failed load only. A log that
// cannot be written does not stop the message, which still names where it was meant to be.
void writeErrorLog(const std::string& logPath, const std::function<void(std::ostream&)>& write) {
    std::ofstream log(logPath, std::ios::out | std::ios::trunc);
    write(log);
    log.flush();
}

void dumpException(orbxmps::ORB_Exception& exception, std::ostream& out) {
    exception.HandleExcp();
    exception.DumpErrorBuf(out);
}

bool restoreOrb(ORBObject& object, const std::string& path, const OpenPath& parts) {
    try {
        object.setWorkingFolder(parts.folder.empty() ? std::string("./") : parts.folder);
        object.restoreFromFile(path);
        return true;
    } catch (orbxmps::ORB_Exception& exception) {
        writeErrorLog(parts.errorLogPath,
                      [&](std::ostream& out) { dumpException(exception, out); });
    } catch (...) {
        writeErrorLog(parts.errorLogPath, [](std::ostream& out) {
            out << "Unhandled Exception caught in RestoreFromFile\n";
        });
    }
    return false;
}

// Only loadProblem is guarded: it is the one call the library documents as throwing.
bool loadMps(orbxmps::XMPSManager& manager, ORBObject& object, const std::string& path,
             const std::string& logPath) {
    manager.attach(&object);
    manager.setInputFile(path);
    try {
        manager.loadProblem();
        return true;
    } catch (orbxmps::CMF_ExcpFileError& exception) {
        writeErrorLog(logPath, [&](std::ostream& out) {
            dumpException(exception, out);
            out << "XMPS File Could Not be Opened";
        });
    } catch (orbxmps::ORB_Exception& exception) {
        // CMF_Exception derives from ORB_Exception and is logged the same way.
        writeErrorLog(logPath, [&](std::ostream& out) { dumpException(exception, out); });
    } catch (...) {
        writeErrorLog(logPath, [](std::ostream& out) {
            out << "Unhandled Exception caught in LoadProblemFromXMPS\n";
        });
    }
    return false;
}

LibraryLoad reportFailure(int messageId, const std::string& logPath, IUserInterface& ui) {
    ui.messageBox("Error", strings::format(messageId, logPath));
    return {LibraryLoadStatus::kFailed, nullptr};
}

}  // namespace

LibraryLoad LoadMatrixIntoLibrary(const std::string& path, const OpenPath& parts, bool isOrb,
                                  IUserInterface& ui) {
    ORBObject* object = nullptr;
    if (!orbxmps::ORBObjectFactory(&object) || object == nullptr)
        return {LibraryLoadStatus::kNoObject, nullptr};

    if (isOrb) {
        if (restoreOrb(*object, path, parts)) return {LibraryLoadStatus::kLoaded, object};
        object->release();
        return reportFailure(strings::kFailedToLoadOrb, parts.errorLogPath, ui);
    }

    orbxmps::XMPSManager* manager = nullptr;
    if (!orbxmps::CreateXMPSManagerObject(&manager) || manager == nullptr)
        return {LibraryLoadStatus::kNoManager, object};
    const bool loaded = loadMps(*manager, *object, path, parts.errorLogPath);
    manager->release();
    if (loaded) return {LibraryLoadStatus::kLoaded, object};
    object->release();
    return reportFailure(strings::kFailedToLoadMps, parts.errorLogPath, ui);
}

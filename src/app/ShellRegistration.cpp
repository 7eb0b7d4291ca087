#include "ShellRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <string_view>

#include "DesktopTemplates.h"

namespace {

QByteArray desktopTemplate(std::string_view name) {
    for (const DesktopTemplate* entry = kDesktopTemplates; entry->name != nullptr; ++entry)
        if (name == entry->name) return QByteArray(entry->text);
    return {};
}

// Both the desktop and the bus daemon split Exec like a shell, so the path is quoted.
QByteArray withProgram(QByteArray text, const QString& programPath) {
    QString quoted = programPath;
    quoted.replace("\\", "\\\\").replace("\"", "\\\"");
    return text.replace("@NORVA_EXEC@", ("\"" + quoted + "\"").toUtf8());
}

bool writeFile(const QString& path, const QByteArray& content, IUserInterface& ui) {
    QSaveFile file(path);
    const bool written = !content.isEmpty() && QDir().mkpath(QFileInfo(path).absolutePath()) &&
                         file.open(QIODevice::WriteOnly) && file.write(content) >= 0 &&
                         file.commit();
    if (!written) {
        QString reason = file.errorString();
        if (content.isEmpty()) reason = "the program carries no such file";
        if (reason.isEmpty()) reason = "the folder cannot be made";
        ui.messageBox("Error", ("Cannot write " + path + ": " + reason).toStdString());
    }
    return written;
}

bool removeFile(const QString& path, IUserInterface& ui) {
    QFile file(path);
    if (!file.exists() || file.remove()) return true;
    ui.messageBox("Error", ("Cannot remove " + path + ": " + file.errorString()).toStdString());
    return false;
}

// The caches are a convenience of the desktop; without the tools the files still take effect
// at the desktop's next scan, so their absence or failure is not reported.
void refreshCache(const char* tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (!program.isEmpty() && QFileInfo(folder).isDir()) QProcess::execute(program, {folder});
}

void refreshCaches(const QString& dataHome) {
    refreshCache("update-mime-database", dataHome + "/mime");
    refreshCache("update-desktop-database", dataHome + "/applications");
}

bool containsFolder(const QStringList& folders, const QString& folder) {
    const QString wanted = QFileInfo(folder).canonicalFilePath();
    for (const QString& candidate : folders)
        if (!wanted.isEmpty() && QFileInfo(candidate).canonicalFilePath() == wanted) return true;
    return false;
}

}  // namespace

QString userDataHome() {
    const QString home = qEnvironmentVariable("XDG_DATA_HOME");
    return home.isEmpty() ? QDir::homePath() + "/.local/share" : home;
}

QStringList desktopDataFolders() {
    const QString folders = qEnvironmentVariable("XDG_DATA_DIRS");
    if (folders.isEmpty()) return {"/usr/local/share", "/usr/share"};
    return folders.split(':', Qt::SkipEmptyParts);
}

QString desktopEntryPath(const QString& dataHome) {
    return dataHome + "/applications/norva.desktop";
}

QString iconPath(const QString& dataHome) {
    return dataHome + "/icons/hicolor/scalable/apps/norva.svg";
}

QString mimePackagePath(const QString& dataHome) {
    return dataHome + "/mime/packages/norva-mps.xml";
}

QString busServicePath(const QString& dataHome) {
    return dataHome + "/dbus-1/services/Norva.Document.service";
}

bool registerShellType(const QString& dataHome, const QString& programPath, IUserInterface& ui) {
    const bool written =
        writeFile(mimePackagePath(dataHome), desktopTemplate("norva-mime.xml"), ui) &&
        writeFile(iconPath(dataHome), desktopTemplate("icons/norva.svg"), ui) &&
        writeFile(desktopEntryPath(dataHome),
                  withProgram(desktopTemplate("norva.desktop.in"), programPath), ui) &&
        writeFile(busServicePath(dataHome),
                  withProgram(desktopTemplate("Norva.Document.service.in"), programPath), ui);
    if (written) refreshCaches(dataHome);
    return written;
}

bool unregisterShellType(const QString& dataHome, IUserInterface& ui) {
    const bool removed =
        removeFile(desktopEntryPath(dataHome), ui) && removeFile(mimePackagePath(dataHome), ui) &&
        removeFile(iconPath(dataHome), ui) && removeFile(busServicePath(dataHome), ui);
    refreshCaches(dataHome);
    return removed;
}

RegistrationOutcome registerShellTypeFor(const QString& dataHome, const QString& programPath,
                                         const QString& installedDataRoot,
                                         const QStringList& desktopFolders, IUserInterface& ui) {
    if (!installedDataRoot.isEmpty() && containsFolder(desktopFolders, installedDataRoot))
        return unregisterShellType(dataHome, ui) ? RegistrationOutcome::kInstallationServes
                                                 : RegistrationOutcome::kFailed;
    return registerShellType(dataHome, programPath, ui) ? RegistrationOutcome::kWritten
                                                        : RegistrationOutcome::kFailed;
}

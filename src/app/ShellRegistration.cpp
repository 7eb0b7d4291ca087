#include "ShellRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr const char* kMimeType = "application/x-norva-mps";

QString desktopEntry(const QString& programPath) {
    QString quoted = programPath;
    quoted.replace("\\", "\\\\").replace("\"", "\\\"");
    return QString(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Norva\n"
               "GenericName=Matrix Analysis Program\n"
               "Comment=Inspect the coefficient matrix of an LP model\n"
               "Exec=\"%1\" %f\n"
               "MimeType=%2;\n"
               "Categories=Science;Math;\n"
               "Terminal=false\n")
        .arg(quoted, kMimeType);
}

// The bus daemon splits Exec like a shell, so the path is quoted.
QString busService(const QString& programPath) {
    QString quoted = programPath;
    quoted.replace("\\", "\\\\").replace("\"", "\\\"");
    return QString(
               "[D-BUS Service]\n"
               "Name=Norva.Document\n"
               "Exec=\"%1\" --automation\n")
        .arg(quoted);
}

QString mimePackage() {
    return QString(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>MPS Matrix</comment>\n"
               "    <glob pattern=\"*.mps\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(kMimeType);
}

bool writeFile(const QString& path, const QString& content, IUserInterface& ui) {
    QSaveFile file(path);
    const bool written = QDir().mkpath(QFileInfo(path).absolutePath()) &&
                         file.open(QIODevice::WriteOnly) && file.write(content.toUtf8()) >= 0 &&
                         file.commit();
    if (!written) {
        const QString reason =
            file.errorString().isEmpty() ? "the folder cannot be made" : file.errorString();
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
void refreshCaches(const QString& dataHome) {
    const QString mimeTool = QStandardPaths::findExecutable("update-mime-database");
    if (!mimeTool.isEmpty()) QProcess::execute(mimeTool, {dataHome + "/mime"});
    const QString desktopTool = QStandardPaths::findExecutable("update-desktop-database");
    if (!desktopTool.isEmpty()) QProcess::execute(desktopTool, {dataHome + "/applications"});
}

}  // namespace

QString userDataHome() {
    const QString home = qEnvironmentVariable("XDG_DATA_HOME");
    return home.isEmpty() ? QDir::homePath() + "/.local/share" : home;
}

QString desktopEntryPath(const QString& dataHome) {
    return dataHome + "/applications/norva.desktop";
}

QString mimePackagePath(const QString& dataHome) {
    return dataHome + "/mime/packages/norva-mps.xml";
}

QString busServicePath(const QString& dataHome) {
    return dataHome + "/dbus-1/services/Norva.Document.service";
}

bool registerShellType(const QString& dataHome, const QString& programPath, IUserInterface& ui) {
    if (!writeFile(mimePackagePath(dataHome), mimePackage(), ui)) return false;
    if (!writeFile(desktopEntryPath(dataHome), desktopEntry(programPath), ui)) return false;
    if (!writeFile(busServicePath(dataHome), busService(programPath), ui)) return false;
    refreshCaches(dataHome);
    return true;
}

bool unregisterShellType(const QString& dataHome, IUserInterface& ui) {
    const bool removed = removeFile(desktopEntryPath(dataHome), ui) &&
                         removeFile(mimePackagePath(dataHome), ui) &&
                         removeFile(busServicePath(dataHome), ui);
    refreshCaches(dataHome);
    return removed;
}

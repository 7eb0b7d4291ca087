#include <QFileInfo>

#include "AppTestSupport.h"
#include "ShellRegistration.h"

namespace {

using apptest::qt;

QString contentOf(const std::string& path) { return qt(testsupport::fileText(path)); }

TEST(ShellRegistrationTest, RegisterWritesTheDesktopEntryTheMimePackageAndTheBusService) {
    testsupport::TempFolder data;
    apptest::MessageLog ui;
    ASSERT_TRUE(registerShellType(qt(data.path()), "/opt/norva/bin/norva", ui)) << ui.lastMessage;
    const QString entry = contentOf(data / "applications/norva.desktop");
    EXPECT_TRUE(entry.contains("Exec=\"/opt/norva/bin/norva\" %f\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("MimeType=application/x-norva-mps;")) << entry.toStdString();
    const QString package = contentOf(data / "mime/packages/norva-mps.xml");
    EXPECT_TRUE(package.contains("<glob pattern=\"*.mps\"/>")) << package.toStdString();
    EXPECT_TRUE(package.contains("<comment>MPS Matrix</comment>")) << package.toStdString();
    EXPECT_EQ(contentOf(data / "dbus-1/services/Norva.Document.service"),
              "[D-BUS Service]\nName=Norva.Document\nExec=\"/opt/norva/bin/norva\" --automation\n");
    EXPECT_TRUE(contentOf(data / "icons/hicolor/scalable/apps/norva.svg").contains("<svg"));

    ASSERT_TRUE(unregisterShellType(qt(data.path()), ui)) << ui.lastMessage;
    EXPECT_FALSE(QFileInfo::exists(qt(data / "applications/norva.desktop")));
    EXPECT_FALSE(QFileInfo::exists(qt(data / "mime/packages/norva-mps.xml")));
    EXPECT_FALSE(QFileInfo::exists(qt(data / "dbus-1/services/Norva.Document.service")));
    // Nothing left to remove is no failure.
    EXPECT_TRUE(unregisterShellType(qt(data.path()), ui));
    EXPECT_EQ(ui.messageCount, 0);
    // A data folder that is a file is refused.
    const std::string blocker = data.write("blocked", "a file where a folder should be");
    EXPECT_FALSE(registerShellType(qt(blocker), "/usr/bin/norva", ui));
    ASSERT_EQ(ui.messageCount, 1);
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_NE(ui.lastMessage.find("Cannot write " + blocker + "/mime/packages/norva-mps.xml"),
              std::string::npos)
        << ui.lastMessage;
}

TEST(ShellRegistrationTest, AnInstallationTheDesktopReadsServesInsteadOfUserCopies) {
    testsupport::TempFolder data;
    testsupport::TempFolder installed;
    apptest::MessageLog ui;
    const QStringList unread = {"/usr/share"};
    EXPECT_EQ(
        registerShellTypeFor(qt(data.path()), "/usr/bin/norva", qt(installed.path()), unread, ui),
        RegistrationOutcome::kWritten);
    EXPECT_TRUE(QFileInfo::exists(desktopEntryPath(qt(data.path()))));

    const QStringList read = {"/usr/share", qt(installed.path()) + "/"};
    EXPECT_EQ(
        registerShellTypeFor(qt(data.path()), "/usr/bin/norva", qt(installed.path()), read, ui),
        RegistrationOutcome::kInstallationServes);
    for (const QString& path : {desktopEntryPath(qt(data.path())), iconPath(qt(data.path())),
                                mimePackagePath(qt(data.path())), busServicePath(qt(data.path()))})
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
    EXPECT_EQ(ui.messageCount, 0);
}

TEST(ShellRegistrationTest, DataHomeFollowsXdgDataHome) {
    const apptest::ScopedEnvironment xdg("XDG_DATA_HOME", "/tmp/somewhere");
    EXPECT_EQ(userDataHome(), "/tmp/somewhere");
    const apptest::ScopedEnvironment unset("XDG_DATA_HOME", "");
    const apptest::ScopedEnvironment home("HOME", "/home/someone");
    EXPECT_EQ(userDataHome(), "/home/someone/.local/share");
}

}  // namespace

#pragma once

#include <QString>
#include <QStringList>

#include "IUserInterface.h"

// The desktop's knowledge of the program: a freedesktop menu entry (applications/norva.desktop)
// that opens matrix and case files, the application icon (icons/hicolor/scalable/apps/
// norva.svg), a shared-mime-info package (mime/packages/norva-mps.xml) that names MPS, ORB and
// case files, and a session-bus service file (dbus-1/services/Norva.Document.service) that
// starts an automation instance for a client of Norva.Document. They are the files that an
// installation carries, written for one user under the user's data folder; the desktop's
// caches are refreshed with update-mime-database and update-desktop-database where those are
// installed.

// $XDG_DATA_HOME, or ~/.local/share when the variable is unset or empty.
QString userDataHome();
// The folders the desktop reads beside the user's: $XDG_DATA_DIRS, or /usr/local/share and
// /usr/share when the variable is unset or empty.
QStringList desktopDataFolders();

// Writes the files for the program at programPath. False, after telling the user, when a
// file cannot be written.
bool registerShellType(const QString& dataHome, const QString& programPath, IUserInterface& ui);

// Removes the files; files already gone are fine. False, after telling the user, when one
// exists and cannot be removed.
bool unregisterShellType(const QString& dataHome, IUserInterface& ui);

enum class RegistrationOutcome {
    kWritten,
    // The installation's own files, in a folder the desktop reads, serve: nothing is written,
    // and the user's older copies are removed, since they would hide the installed files and
    // go stale with the next upgrade.
    kInstallationServes,
    kFailed,  // the user has been told
};

// --register: installedDataRoot is the share folder of the installation that holds the
// program (empty for a build tree); desktopFolders are the folders the desktop reads.
RegistrationOutcome registerShellTypeFor(const QString& dataHome, const QString& programPath,
                                         const QString& installedDataRoot,
                                         const QStringList& desktopFolders, IUserInterface& ui);

// Paths of the files under dataHome.
QString desktopEntryPath(const QString& dataHome);
QString iconPath(const QString& dataHome);
QString mimePackagePath(const QString& dataHome);
QString busServicePath(const QString& dataHome);

#pragma once

#include <QString>

#include "IUserInterface.h"

// The desktop's knowledge of the program: a freedesktop menu entry (applications/norva.desktop)
// that opens ".mps" files, a shared-mime-info package (mime/packages/norva-mps.xml) that
// names them "MPS Matrix", and a session-bus service file (dbus-1/services/
// Norva.Document.service) that starts an automation instance for a client of Norva.Document.
// All live under the user's data folder; the desktop's caches are refreshed with
// update-mime-database and update-desktop-database where those are installed.

// $XDG_DATA_HOME, or ~/.local/share when the variable is unset or empty.
QString userDataHome();

// Writes the files for the program at programPath. False, after telling the user, when a
// file cannot be written.
bool registerShellType(const QString& dataHome, const QString& programPath, IUserInterface& ui);

// Removes the files; files already gone are fine. False, after telling the user, when one
// exists and cannot be removed.
bool unregisterShellType(const QString& dataHome, IUserInterface& ui);

// Paths of the files under dataHome.
QString desktopEntryPath(const QString& dataHome);
QString mimePackagePath(const QString& dataHome);
QString busServicePath(const QString& dataHome);

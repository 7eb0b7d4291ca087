#include "InstallLayout.h"

#include <QDir>
#include <QFileInfo>

InstallLayout::InstallLayout(const QString& programPath)
    : m_programFolder(QFileInfo(programPath).absolutePath()) {}

QString InstallLayout::fromProgramFolder(const char* relative) const {
    return QDir::cleanPath(m_programFolder + "/" + relative);
}

QString InstallLayout::helpIndex() const {
    const QString beside = m_programFolder + "/help/index.html";
    if (QFileInfo(beside).isFile()) return beside;
    const QString installed = fromProgramFolder(NORVA_DATA_FROM_BINDIR) + "/help/index.html";
    return QFileInfo(installed).isFile() ? installed : beside;
}

QString InstallLayout::translationFolder(const QString& fileName) const {
    if (QFileInfo(m_programFolder + "/" + fileName).isFile()) return m_programFolder;
    const QString installed = fromProgramFolder(NORVA_DATA_FROM_BINDIR) + "/translations";
    return QFileInfo(installed + "/" + fileName).isFile() ? installed : m_programFolder;
}

QString InstallLayout::examplesFolder() const {
    for (const QString& folder :
         {m_programFolder + "/examples", fromProgramFolder(NORVA_DOC_FROM_BINDIR) + "/examples"})
        if (QFileInfo(folder).isDir()) return folder;
    return {};
}

QString InstallLayout::installedDataRoot() const {
    const QString root = fromProgramFolder(NORVA_DATAROOT_FROM_BINDIR);
    return QFileInfo(root + "/applications/norva.desktop").isFile() ? root : QString();
}

#pragma once

#include <QString>

// Where the program's own files are. In a build tree they lie beside the program (help/,
// examples/, <LANG>_norva.qm); an installed program finds them from its own folder through
// the installation's layout (bin/ -> share/norva/, share/doc/norva/), so an installation
// works wherever its prefix is and never points back into the tree it was built in.
class InstallLayout {
public:
    explicit InstallLayout(const QString& programPath);

    QString programFolder() const { return m_programFolder; }
    // help/index.html beside the program, else the installed one; when neither exists, the
    // one beside the program, so that a message names where it was expected.
    QString helpIndex() const;
    // The folder holding the language file fileName: beside the program, else the installed
    // translations; when neither holds it, beside the program.
    QString translationFolder(const QString& fileName) const;
    // The examples beside the program, else the installed ones; empty when there are none.
    QString examplesFolder() const;
    // The installation's share folder when it carries the program's desktop entry, else
    // empty: such an installation registers the program with the desktop for every user.
    QString installedDataRoot() const;

private:
    QString fromProgramFolder(const char* relative) const;

    QString m_programFolder;
};

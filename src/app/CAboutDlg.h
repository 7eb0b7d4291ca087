#pragma once

#include <QDialog>
#include <QString>

class QLabel;

// Help > About: the program's name with its major-version label and file version, and the
// maker's copyright line.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const QString& nameAndVersion, QWidget* parent = nullptr);

    // "Matrix Analysis Program V12 (<version>)"; an empty version leaves "()" empty.
    static QString nameAndVersionText(const QString& version);

    QString shownNameAndVersion() const;

private:
    QLabel* m_nameAndVersion;
};

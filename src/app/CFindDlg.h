#pragma once

#include <QDialog>

#include "NameSearch.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The Find dialog: the search text, "Match whole word only", "Ignore case", "Start at
// beginning" and the direction. Every control but the labels shows its help text on F1 or a
// What's This click.
class CFindDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFindDlg(const FindDialogFields& fields, QWidget* parent = nullptr);

    FindDialogFields fields() const;

    QLineEdit* text() const { return m_text; }
    QLabel* textLabel() const { return m_label; }
    QCheckBox* wholeWord() const { return m_wholeWord; }
    QCheckBox* ignoreCase() const { return m_ignoreCase; }
    QCheckBox* startAtBeginning() const { return m_startAtBeginning; }
    QRadioButton* up() const { return m_up; }
    QRadioButton* down() const { return m_down; }

signals:
    // "&Help": the help for the current task.
    void helpTopicsRequested();

private:
    QLabel* m_label;
    QLineEdit* m_text;
    QCheckBox* m_wholeWord;
    QCheckBox* m_ignoreCase;
    QCheckBox* m_startAtBeginning;
    QRadioButton* m_up;
    QRadioButton* m_down;
};

#pragma once

#include <QWidget>
#include <optional>

#include "Tolerances.h"

class QLineEdit;

// The Options sheet's "Check and Compare" page: the absolute and relative tolerances of the
// solution check and the model compare.
class CTolerancePage : public QWidget {
    Q_OBJECT
public:
    explicit CTolerancePage(const Tolerances& tolerances, QWidget* parent = nullptr);

    // Reads the fields; the message of the first one that is not a number of 0 or more, with
    // that field, when one fails.
    std::optional<QString> exchange();
    QLineEdit* failedField() const { return m_failed; }
    const Tolerances& tolerances() const { return m_tolerances; }
    QLineEdit* absoluteField() const { return m_absolute; }
    QLineEdit* relativeField() const { return m_relative; }

private:
    Tolerances m_tolerances;
    QLineEdit* m_absolute;
    QLineEdit* m_relative;
    QLineEdit* m_failed = nullptr;
};

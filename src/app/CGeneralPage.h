#pragma once

#include <QWidget>
#include <optional>

#include "OptionsLogic.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The Options sheet's "General" page: number display, the coefficient filter and the modelling
// server's names. It shows the sheet's copies of the settings and reads them back on exchange;
// the filter controls follow the "Filter Tolerance" check and the chosen test.
class CGeneralPage : public QWidget {
    Q_OBJECT
public:
    CGeneralPage(OptionsLogic& options, QWidget* parent = nullptr);

    // Reads and validates the controls into the sheet's copies; the failing field otherwise
    // (which then has the focus).
    std::optional<FieldError> exchange();
    // The edit of a validated field by its control id, or null.
    QLineEdit* editOf(int controlId) const;

    QLineEdit* decimals() const { return m_decimals; }
    QLabel* decimalsLabel() const { return m_decimalsLabel; }
    QCheckBox* scientific() const { return m_scientific; }
    QCheckBox* filterOn() const { return m_filterOn; }
    QRadioButton* testRadio(int index) const { return m_tests[index]; }
    QCheckBox* showAllColumns() const { return m_showAll; }
    QLineEdit* hostName() const { return m_hostName; }
    QLineEdit* processName() const { return m_processName; }

private:
    QWidget* createNumberGroup();
    QWidget* createLoomGroup();
    QWidget* createFilterGroup();
    void load();
    void updateEnabling();

    OptionsLogic& m_options;
    QLineEdit* m_decimals = nullptr;
    QLabel* m_decimalsLabel = nullptr;
    QCheckBox* m_scientific = nullptr;
    QLineEdit* m_hostName = nullptr;
    QLineEdit* m_processName = nullptr;
    QCheckBox* m_filterOn = nullptr;
    QRadioButton* m_tests[3] = {};
    QLineEdit* m_tolerances[3] = {};
    QButtonGroup* m_testGroup = nullptr;
    QCheckBox* m_showAll = nullptr;
};

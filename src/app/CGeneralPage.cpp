#include "CGeneralPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ControlHelp.h"
#include "ControlHelpRequest.h"

namespace {

constexpr int kToleranceIds[3] = {controlid::kLargeCoef, controlid::kSmallCoef,
                                  controlid::kLargeRatio};

QString qt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CGeneralPage::CGeneralPage(OptionsLogic& options, QWidget* parent)
    : QWidget(parent), m_options(options) {
    setObjectName("CGeneralPage");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(createNumberGroup(), 1);
    top->addWidget(createLoomGroup(), 1);
    layout->addLayout(top);
    layout->addWidget(createFilterGroup());
    layout->addStretch(1);
    load();
    updateEnabling();
}

QWidget* CGeneralPage::createNumberGroup() {
    auto* group = new QGroupBox(tr("Number Display"), this);
    auto* grid = new QGridLayout(group);
    m_decimalsLabel = new QLabel(tr("Number of Decimal Places"), group);
    m_decimals = new QLineEdit(group);
    m_decimals->setMaximumWidth(60);
    m_decimalsLabel->setBuddy(m_decimals);
    m_scientific = new QCheckBox(tr("&Always use Scientific Notation"), group);
    grid->addWidget(m_decimalsLabel, 0, 0);
    grid->addWidget(m_decimals, 0, 1);
    grid->addWidget(m_scientific, 1, 0, 1, 2);
    ControlHelpRequest::setHelpId(m_decimals, controlid::kDecimals);
    ControlHelpRequest::setHelpId(m_scientific, controlid::kAlwaysScientific);
    return group;
}

QWidget* CGeneralPage::createLoomGroup() {
    auto* group = new QGroupBox(tr("LOOM"), this);
    auto* grid = new QVBoxLayout(group);
    auto* hostLabel = new QLabel(tr("Host Name"), group);
    m_hostName = new QLineEdit(group);
    // Shown and carried, never edited.
    m_hostName->setEnabled(false);
    hostLabel->setBuddy(m_hostName);
    auto* processLabel = new QLabel(tr("Process Name"), group);
    m_processName = new QLineEdit(group);
    processLabel->setBuddy(m_processName);
    for (QWidget* control :
         {static_cast<QWidget*>(hostLabel), static_cast<QWidget*>(m_hostName),
          static_cast<QWidget*>(processLabel), static_cast<QWidget*>(m_processName)})
        grid->addWidget(control);
    ControlHelpRequest::setHelpId(m_hostName, controlid::kLoomHostName);
    ControlHelpRequest::setHelpId(m_processName, controlid::kLoomProcessName);
    return group;
}

QWidget* CGeneralPage::createFilterGroup() {
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    m_filterOn = new QCheckBox(tr("Filter Tolerance"), group);
    grid->addWidget(m_filterOn, 0, 0, 1, 2);
    const QString texts[3] = {tr("Large Coefficient"), tr("Small Coefficient"), tr("Large Ratio")};
    m_testGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_tests[i] = new QRadioButton(texts[i], group);
        m_tolerances[i] = new QLineEdit(group);
        m_testGroup->addButton(m_tests[i], i);
        grid->addWidget(m_tests[i], i + 1, 0);
        grid->addWidget(m_tolerances[i], i + 1, 1);
        ControlHelpRequest::setHelpId(m_tolerances[i], kToleranceIds[i]);
    }
    m_showAll = new QCheckBox(tr("Show all columns"), group);
    grid->addWidget(m_showAll, 4, 0, 1, 2);
    connect(m_filterOn, &QCheckBox::clicked, this, &CGeneralPage::updateEnabling);
    connect(m_testGroup, &QButtonGroup::idClicked, this, &CGeneralPage::updateEnabling);
    return group;
}

void CGeneralPage::load() {
    const GeneralPageValues& values = m_options.general();
    const GeneralPageTexts texts = m_options.generalTexts();
    m_decimals->setText(qt(texts.decimals));
    m_scientific->setChecked(values.alwaysScientific);
    m_hostName->setText(qt(values.loomHostName));
    m_processName->setText(qt(values.loomProcessName));
    m_filterOn->setChecked(values.filterOn);
    if (values.toleranceSel >= 0 && values.toleranceSel < 3)
        m_tests[values.toleranceSel]->setChecked(true);
    m_tolerances[0]->setText(qt(texts.largeCoef));
    m_tolerances[1]->setText(qt(texts.smallCoef));
    m_tolerances[2]->setText(qt(texts.largeRatio));
    m_showAll->setChecked(values.showAllColumns);
}

void CGeneralPage::updateEnabling() {
    const FilterGroupEnabling enabling =
        OptionsLogic::filterGroupEnabling(m_filterOn->isChecked(), m_testGroup->checkedId());
    for (QRadioButton* radio : m_tests) radio->setEnabled(enabling.radios);
    m_tolerances[0]->setEnabled(enabling.largeCoef);
    m_tolerances[1]->setEnabled(enabling.smallCoef);
    m_tolerances[2]->setEnabled(enabling.largeRatio);
    m_showAll->setEnabled(enabling.showAllColumns);
}

QLineEdit* CGeneralPage::editOf(int controlId) const {
    if (controlId == controlid::kDecimals) return m_decimals;
    for (int i = 0; i < 3; ++i)
        if (kToleranceIds[i] == controlId) return m_tolerances[i];
    return nullptr;
}

std::optional<FieldError> CGeneralPage::exchange() {
    const GeneralPageTexts texts{
        m_decimals->text().toStdString(), m_tolerances[0]->text().toStdString(),
        m_tolerances[1]->text().toStdString(), m_tolerances[2]->text().toStdString()};
    const std::optional<FieldError> error = m_options.exchangeGeneralPage(texts);
    if (error) return error;
    GeneralPageValues& values = m_options.general();
    values.alwaysScientific = m_scientific->isChecked();
    values.loomProcessName = m_processName->text().toStdString();
    values.filterOn = m_filterOn->isChecked();
    // A stored selection outside the three radios stays as it was while none is checked.
    if (m_testGroup->checkedId() >= 0) values.toleranceSel = m_testGroup->checkedId();
    values.showAllColumns = m_showAll->isChecked();
    return std::nullopt;
}

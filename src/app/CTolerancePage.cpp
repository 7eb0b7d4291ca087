#include "CTolerancePage.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "NumberText.h"
#include "ToleranceSettings.h"

CTolerancePage::CTolerancePage(const Tolerances& tolerances, QWidget* parent)
    : QWidget(parent),
      m_tolerances(tolerances),
      m_absolute(new QLineEdit(QString::fromStdString(numberText(tolerances.absolute)))),
      m_relative(new QLineEdit(QString::fromStdString(numberText(tolerances.relative)))) {
    auto* layout = new QFormLayout(this);
    layout->addRow(
        new QLabel(tr("Values agree when they differ by at most\n"
                      "absolute + relative x magnitude.")));
    layout->addRow(tr("&Absolute tolerance:"), m_absolute);
    layout->addRow(tr("&Relative tolerance:"), m_relative);
}

std::optional<QString> CTolerancePage::exchange() {
    m_failed = nullptr;
    const std::optional<double> absolute = parseTolerance(m_absolute->text().toStdString());
    const std::optional<double> relative = parseTolerance(m_relative->text().toStdString());
    if (!absolute || !relative) {
        m_failed = !absolute ? m_absolute : m_relative;
        return tr("A tolerance must be a number of 0 or more.");
    }
    m_tolerances = {*absolute, *relative};
    return std::nullopt;
}

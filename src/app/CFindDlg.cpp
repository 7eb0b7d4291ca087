#include "CFindDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ControlHelp.h"
#include "ControlHelpRequest.h"

CFindDlg::CFindDlg(const FindDialogFields& fields, QWidget* parent)
    : QDialog(parent),
      m_label(new QLabel(tr("Find what:"), this)),
      m_text(new QLineEdit(QString::fromStdString(fields.text), this)),
      m_wholeWord(new QCheckBox(tr("Match &whole word only"), this)),
      m_ignoreCase(new QCheckBox(tr("Ignore &case"), this)),
      m_startAtBeginning(new QCheckBox(tr("Start at &beginning"), this)),
      m_up(new QRadioButton(tr("&Up"))),
      m_down(new QRadioButton(tr("&Down"))) {
    setObjectName("CFindDlg");
    setWindowTitle(tr("Find"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    m_label->setBuddy(m_text);
    m_wholeWord->setChecked(fields.wholeWord);
    m_ignoreCase->setChecked(fields.ignoreCase);
    m_startAtBeginning->setChecked(fields.startAtBeginning);
    (fields.up ? m_up : m_down)->setChecked(true);

    auto* direction = new QGroupBox(tr("Direction"), this);
    auto* radios = new QHBoxLayout(direction);
    radios->addWidget(m_up);
    radios->addWidget(m_down);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, Qt::Vertical,
        this);
    buttons->button(QDialogButtonBox::Help)->setText(tr("&Help"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_label, 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 2);
    grid->addWidget(m_wholeWord, 1, 0, 1, 2);
    grid->addWidget(m_ignoreCase, 2, 0, 1, 2);
    grid->addWidget(m_startAtBeginning, 3, 0, 1, 2);
    grid->addWidget(direction, 1, 2, 3, 1);
    grid->addWidget(buttons, 0, 3, 4, 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* help = new ControlHelpRequest(*this, HelpDialog::kFind);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CFindDlg::helpTopicsRequested);
    const std::pair<QWidget*, int> ids[] = {
        {m_text, controlid::kFindText},
        {m_wholeWord, controlid::kWholeWord},
        {m_ignoreCase, controlid::kIgnoreCase},
        {m_startAtBeginning, controlid::kStartAtBeginning},
        {m_up, controlid::kUp},
        {m_down, controlid::kDown},
        {buttons->button(QDialogButtonBox::Ok), controlid::kOk},
        {buttons->button(QDialogButtonBox::Cancel), controlid::kCancel},
        {buttons->button(QDialogButtonBox::Help), controlid::kHelp}};
    for (const auto& [control, id] : ids) ControlHelpRequest::setHelpId(control, id);
    help->watchChildren();
}

FindDialogFields CFindDlg::fields() const {
    return {m_text->text().toStdString(), m_wholeWord->isChecked(), m_ignoreCase->isChecked(),
            m_startAtBeginning->isChecked(), m_up->isChecked()};
}

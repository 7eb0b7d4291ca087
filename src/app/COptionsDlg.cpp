#include "COptionsDlg.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "CDataLinkDlg.h"
#include "CDatabasePage.h"
#include "CGeneralPage.h"
#include "CTolerancePage.h"
#include "ControlHelpRequest.h"
#include "IUserInterface.h"

namespace {

constexpr int kGeneralIndex = 0;
constexpr int kDatabaseIndex = 1;
constexpr int kToleranceIndex = 2;
// The caption of the framework's validation messages.
constexpr const char* kValidationCaption = "Norva";

}  // namespace

COptionsDlg::COptionsDlg(const DocumentSettings& settings, const std::string& connectionString,
                         IUserInterface& ui, QWidget* parent)
    : QDialog(parent),
      m_options(settings, connectionString),
      m_ui(ui),
      m_tabs(new QTabWidget(this)),
      m_general(new CGeneralPage(m_options)),
      m_database(new CDatabasePage(m_options, [this](const std::string& current) {
          return buildConnectionString(current, this);
      })) {
    setObjectName("COptionsDlg");
    setWindowTitle(tr("Program Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    m_tabs->addTab(m_general, tr("General"));
    m_tabs->addTab(m_database, tr("Input Database"));
    m_tabs->setCurrentIndex(kGeneralIndex);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDlg::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, &COptionsDlg::pageChanging);
    auto* help = new ControlHelpRequest(*this, HelpDialog::kOptionsGeneral);
    help->watchChildren();
}

void COptionsDlg::addTolerancePage(const Tolerances& tolerances) {
    m_tolerance = new CTolerancePage(tolerances);
    m_tabs->addTab(m_tolerance, tr("Check and Compare"));
}

bool COptionsDlg::exchangePage(int index) {
    if (index == kToleranceIndex) return exchangeTolerancePage();
    const std::optional<FieldError> error =
        index == kGeneralIndex ? m_general->exchange() : m_database->exchange();
    if (!error) return true;
    if (m_tabs->currentIndex() != index) {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(index);
        m_currentPage = index;
    }
    m_ui.messageBox(kValidationCaption, error->message);
    QLineEdit* field =
        index == kGeneralIndex ? m_general->editOf(error->controlId) : m_database->fileName();
    if (field != nullptr) {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
    return false;
}

void COptionsDlg::pageChanging(int newIndex) {
    // A page is validated when it is left; a failure keeps it in front.
    if (!exchangePage(m_currentPage)) return;
    m_currentPage = newIndex;
}

bool COptionsDlg::exchangeTolerancePage() {
    const std::optional<QString> error = m_tolerance->exchange();
    if (!error) return true;
    if (m_tabs->currentIndex() != kToleranceIndex) {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(kToleranceIndex);
        m_currentPage = kToleranceIndex;
    }
    m_ui.messageBox(kValidationCaption, error->toStdString());
    m_tolerance->failedField()->setFocus(Qt::OtherFocusReason);
    m_tolerance->failedField()->selectAll();
    return false;
}

void COptionsDlg::accept() {
    if (!exchangePage(m_currentPage)) return;
    for (const int other : {kGeneralIndex, kDatabaseIndex, kToleranceIndex}) {
        if (other == m_currentPage || (other == kToleranceIndex && m_tolerance == nullptr))
            continue;
        if (!exchangePage(other)) return;
    }
    QDialog::accept();
}

std::string COptionsDlg::buildConnectionString(const std::string& current, QWidget* parent) {
    CDataLinkDlg dialog(OptionsLogic::dataLinkStartString(current), parent);
    dialog.exec();
    return dialog.connectionString();
}

#include "CDataLinkDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DataLinkFields.h"
#include "OdbcConnection.h"
#include "OdbcDrivers.h"

namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CDataLinkDlg::CDataLinkDlg(const std::string& start, QWidget* parent)
    : QDialog(parent),
      m_start(start),
      m_driver(new QComboBox(this)),
      m_server(new QLineEdit(this)),
      m_database(new QLineEdit(this)),
      m_user(new QLineEdit(this)),
      m_password(new QLineEdit(this)),
      m_test(new QPushButton(tr("&Test Connection"), this)),
      m_result(new QLabel(this)) {
    setObjectName("CDataLinkDlg");
    setWindowTitle(tr("Database Connection"));
    m_driver->setEditable(true);
    m_password->setEchoMode(QLineEdit::Password);
    m_result->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(tr("&Driver:"), m_driver);
    form->addRow(tr("&Server:"), m_server);
    form->addRow(tr("Data&base:"), m_database);
    form->addRow(tr("&User name:"), m_user);
    form->addRow(tr("&Password:"), m_password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_test);
    layout->addWidget(m_result);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_test, &QPushButton::clicked, this, &CDataLinkDlg::testConnection);
    fill();
}

void CDataLinkDlg::fill() {
    const DataLinkFields fields = readDataLinkFields(m_start);
    for (const std::string& name : installedOdbcDrivers()) m_driver->addItem(qt(name));
    const QString driver = qt(fields.driver);
    if (!driver.isEmpty() && m_driver->findText(driver, Qt::MatchFixedString) < 0)
        m_driver->addItem(driver);
    m_driver->setCurrentIndex(driver.isEmpty() ? -1
                                               : m_driver->findText(driver, Qt::MatchFixedString));
    if (driver.isEmpty()) m_driver->setCurrentText(QString());
    m_server->setText(qt(fields.server));
    m_database->setText(qt(fields.database));
    m_user->setText(qt(fields.user));
    m_password->setText(qt(fields.password));
}

std::string CDataLinkDlg::editedString() const {
    const DataLinkFields fields{m_driver->currentText().toStdString(),
                                m_server->text().toStdString(), m_database->text().toStdString(),
                                m_user->text().toStdString(), m_password->text().toStdString()};
    return writeDataLinkFields(m_start, fields);
}

std::string CDataLinkDlg::connectionString() const {
    return result() == QDialog::Accepted ? editedString() : m_start;
}

bool CDataLinkDlg::testConnection() {
    OdbcConnection connection;
    const bool connected = connection.OpenAdo(editedString());
    m_result->setText(
        connected ? tr("Test connection succeeded.")
                  : tr("Test connection failed: %1").arg(qt(connection.lastError().text())));
    return connected;
}

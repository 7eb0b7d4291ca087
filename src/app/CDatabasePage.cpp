#include "CDatabasePage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CDatabasePage::CDatabasePage(OptionsLogic& options, ConnectionBuilder builder, QWidget* parent)
    : QWidget(parent), m_options(options), m_builder(std::move(builder)) {
    setObjectName("CDatabasePage");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(tr("Pick Default Database"), this);
    auto* radios = new QHBoxLayout(group);
    m_access = new QRadioButton(tr("Access"), group);
    m_sqlServer = new QRadioButton(tr("Sql Server"), group);
    radios->addWidget(m_access);
    radios->addWidget(m_sqlServer);
    layout->addWidget(group);

    auto* grid = new QGridLayout;
    m_fileName = new QLineEdit(this);
    m_connection = new QLineEdit(this);
    m_connection->setEchoMode(QLineEdit::Password);
    m_build = new QPushButton("...", this);
    m_build->setMaximumWidth(32);
    m_type = new QComboBox(this);
    m_type->setEditable(true);
    m_type->setInsertPolicy(QComboBox::InsertAlphabetically);
    auto* fileLabel = new QLabel(tr("Default File Name:"), this);
    auto* connectionLabel = new QLabel(tr("Connection String:"), this);
    auto* typeLabel = new QLabel(tr("Connection Type:"), this);
    fileLabel->setBuddy(m_fileName);
    connectionLabel->setBuddy(m_connection);
    typeLabel->setBuddy(m_type);
    grid->addWidget(fileLabel, 0, 0, 1, 2);
    grid->addWidget(m_fileName, 1, 0, 1, 2);
    grid->addWidget(connectionLabel, 2, 0, 1, 2);
    grid->addWidget(m_connection, 3, 0);
    grid->addWidget(m_build, 3, 1);
    grid->addWidget(typeLabel, 4, 0, 1, 2);
    grid->addWidget(m_type, 5, 0, 1, 2);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(m_access, &QRadioButton::clicked, this, [this] { kindClicked(0); });
    connect(m_sqlServer, &QRadioButton::clicked, this, [this] { kindClicked(1); });
    connect(m_type, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) m_options.connectionTypeSelected(m_type->itemText(index).toStdString());
    });
    connect(m_build, &QPushButton::clicked, this, &CDatabasePage::buildClicked);
}

void CDatabasePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    initialise();
}

void CDatabasePage::initialise() {
    if (m_initialised) return;
    m_initialised = true;
    const DatabasePageState state = m_options.openDatabasePage();
    (state.radio == 1 ? m_sqlServer : m_access)->setChecked(true);
    const DatabasePageValues& values = m_options.database();
    m_fileName->setText(qt(values.defaultFileName));
    m_connection->setText(qt(values.connectionString));
    const QSignalBlocker quiet(m_type);
    m_type->clear();
    for (const std::string& type : state.connectionTypes) m_type->addItem(qt(type));
    m_type->setCurrentIndex(state.selectedType);
}

void CDatabasePage::kindClicked(int radio) {
    m_options.database().connectionString = m_connection->text().toStdString();
    m_options.databaseKindClicked(radio);
}

void CDatabasePage::buildClicked() {
    if (!m_options.connectionBuiltWithDataLink() || !m_builder) return;
    const std::string built = m_builder(m_connection->text().toStdString());
    if (!built.empty()) m_connection->setText(qt(built));
}

std::optional<FieldError> CDatabasePage::exchange() {
    if (!m_initialised) return std::nullopt;
    const std::optional<FieldError> error =
        m_options.exchangeDatabasePage(m_fileName->text().toStdString());
    if (error) return error;
    DatabasePageValues& values = m_options.database();
    values.connectionString = m_connection->text().toStdString();
    m_options.databaseKindClicked(m_sqlServer->isChecked() ? 1 : 0);
    return std::nullopt;
}

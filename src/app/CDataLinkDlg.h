#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Builds a server connection string: the driver (from the installed ODBC drivers), server,
// database, user and password, with a Test button that connects through the data layer and
// says whether it worked. It starts from a given string and keeps the entries it does not
// edit; connectionString() is the edited string after OK, the start string otherwise.
class CDataLinkDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDataLinkDlg(const std::string& start, QWidget* parent = nullptr);

    std::string connectionString() const;
    // The string the fields make now.
    std::string editedString() const;
    // Connects with editedString() and shows the outcome; returns whether it connected.
    bool testConnection();

    QComboBox* driver() const { return m_driver; }
    QLineEdit* server() const { return m_server; }
    QLineEdit* database() const { return m_database; }
    QLineEdit* user() const { return m_user; }
    QLineEdit* password() const { return m_password; }
    QPushButton* testButton() const { return m_test; }
    QLabel* testResult() const { return m_result; }

private:
    void fill();

    std::string m_start;
    QComboBox* m_driver;
    QLineEdit* m_server;
    QLineEdit* m_database;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QPushButton* m_test;
    QLabel* m_result;
};

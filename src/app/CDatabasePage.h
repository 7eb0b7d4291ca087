#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "OptionsLogic.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The Options sheet's "Input Database" page: Access or Sql Server, the default file name, the
// server connection string (masked) and its connection type. Its opening rules run when the
// page is first shown, so a sheet closed without visiting it leaves the stored values alone.
class CDatabasePage : public QWidget {
    Q_OBJECT
public:
    // Builds a connection string from the current one (the "..." button); returns the string
    // that came back, empty when none did.
    using ConnectionBuilder = std::function<std::string(const std::string& start)>;

    CDatabasePage(OptionsLogic& options, ConnectionBuilder builder, QWidget* parent = nullptr);

    // The page's opening: radio, connection-type list and its member. Runs once.
    void initialise();
    bool initialised() const { return m_initialised; }
    // Reads the controls into the sheet's copies (once opened); the failing field otherwise.
    std::optional<FieldError> exchange();

    QRadioButton* accessRadio() const { return m_access; }
    QRadioButton* sqlServerRadio() const { return m_sqlServer; }
    QLineEdit* fileName() const { return m_fileName; }
    QLineEdit* connectionString() const { return m_connection; }
    QComboBox* connectionType() const { return m_type; }
    QPushButton* buildButton() const { return m_build; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void kindClicked(int radio);
    void buildClicked();

    OptionsLogic& m_options;
    ConnectionBuilder m_builder;
    bool m_initialised = false;
    QRadioButton* m_access = nullptr;
    QRadioButton* m_sqlServer = nullptr;
    QLineEdit* m_fileName = nullptr;
    QLineEdit* m_connection = nullptr;
    QComboBox* m_type = nullptr;
    QPushButton* m_build = nullptr;
};

#include <QRegularExpression>
#include <QTabWidget>

#include "AppTestSupport.h"
#include "CDataLinkDlg.h"
#include "CDatabasePage.h"
#include "CGeneralPage.h"
#include "COptionsDlg.h"
#include "ControlHelp.h"

namespace {

class COptionsDlgTest : public ::testing::Test {
protected:
    ~COptionsDlgTest() override {
        if (CPopupHelpWnd::current() != nullptr) CPopupHelpWnd::current()->close();
    }
    COptionsDlg& dialog() {
        if (!m_dialog) {
            m_dialog = std::make_unique<COptionsDlg>(settings, connection, ui);
            m_dialog->show();
        }
        return *m_dialog;
    }
    CGeneralPage& general() { return *dialog().generalPage(); }
    CDatabasePage& database() {
        dialog().tabs()->setCurrentIndex(1);
        return *dialog().databasePage();
    }
    // What OK would store.
    DocumentSettings stored() {
        DocumentSettings result = settings;
        std::string connectionResult = connection;
        dialog().options().Ok(result, connectionResult);
        return result;
    }
    QLineEdit* edit(int id) { return general().editOf(id); }

    DocumentSettings settings;
    std::string connection = "Provider=SQLOLEDB;Data Source=db1";
    apptest::MessageLog ui;

private:
    std::unique_ptr<COptionsDlg> m_dialog;
};

// The filter group starts disabled; its check and radios enable only the chosen tolerance.
TEST_F(COptionsDlgTest, ShowsTheStoredValuesAndTheFilterEnablesItsChosenTolerance) {
    const QStringList texts = {general().decimals()->text(), edit(controlid::kLargeCoef)->text(),
                               edit(controlid::kSmallCoef)->text(),
                               edit(controlid::kLargeRatio)->text()};
    EXPECT_EQ(texts, QStringList({"5", "10000000", "1e-07", "100000000"}));
    EXPECT_FALSE(general().filterOn()->isChecked());
    EXPECT_TRUE(general().testRadio(0)->isChecked());
    // Radios 0 1 2, show all columns, the large, small and ratio fields, the host name.
    const auto enabled = [this] {
        std::string flags;
        const CGeneralPage& page = general();
        for (QWidget* control : std::initializer_list<QWidget*>{
                 page.testRadio(0), page.testRadio(1), page.testRadio(2), page.showAllColumns(),
                 page.editOf(controlid::kLargeCoef), page.editOf(controlid::kSmallCoef),
                 page.editOf(controlid::kLargeRatio), page.hostName()})
            flags += control->isEnabled() ? '1' : '0';
        return flags;
    };
    EXPECT_EQ(enabled(), "00000000");
    general().filterOn()->click();
    EXPECT_EQ(enabled(), "11111000");
    general().testRadio(1)->click();
    EXPECT_EQ(enabled(), "11110100");
    general().filterOn()->click();
    EXPECT_EQ(enabled(), "00000000");
}

// A bad field, even a disabled one, keeps the dialog open on OK and its page in front.
TEST_F(COptionsDlgTest, RejectsBadFieldsAndStaysOpen) {
    const std::tuple<QLineEdit*, QString, std::string> cases[] = {
        {edit(controlid::kSmallCoef), "-1", "Enter a number between 0 and 1e+20."},
        {general().decimals(), "13", "Enter an integer between 0 and 12."},
        {general().decimals(), "two", "Enter an integer."},
        {database().fileName(), QString(257, 'a'), "Enter no more than 256 characters."},
    };
    for (const auto& [field, text, message] : cases) {
        SCOPED_TRACE(message);
        const QString good = field->text();
        const int page = field == database().fileName() ? 1 : 0;
        dialog().tabs()->setCurrentIndex(page);
        field->setText(text);
        dialog().tabs()->setCurrentIndex(1 - page);
        EXPECT_EQ(dialog().tabs()->currentIndex(), page);
        dialog().accept();
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_NE(dialog().result(), QDialog::Accepted);
        EXPECT_EQ(ui.lastMessage, message);
        EXPECT_TRUE(!field->isEnabled() || dialog().focusWidget() == field);
        field->setText(good);
    }
    general().decimals()->setText("12");
    dialog().accept();
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    EXPECT_EQ(stored().Decimals, 12);
}

// Replaced only once the database page has been opened.
TEST_F(COptionsDlgTest, DatabasePageReplacesStoredOdbcSqlServerAndAnEmptyFileName) {
    settings.DatabaseConnectionType = "ODBC";
    dialog().accept();
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    EXPECT_EQ(stored().DatabaseConnectionType, "ODBC");
    dialog().show();
    EXPECT_EQ(database().connectionType()->currentText(), "OLE-DB");
    EXPECT_EQ(database().connectionType()->count(), 1);
    dialog().accept();
    EXPECT_EQ(stored().DatabaseConnectionType, "OLE-DB");
    EXPECT_TRUE(database().accessRadio()->isChecked());
    EXPECT_EQ(database().connectionString()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(database().connectionString()->text().toStdString(), connection);
    database().sqlServerRadio()->click();
    database().fileName()->clear();
    dialog().accept();
    ASSERT_EQ(dialog().result(), QDialog::Accepted);
    EXPECT_EQ(stored().DatabaseType, "SqlServer");
    EXPECT_EQ(stored().AccessDatabaseName, "Results.mdb");
}

TEST_F(COptionsDlgTest, BuildingFromAnEmptyStringAndCancellingLeavesTheSeededString) {
    connection.clear();
    CDatabasePage& page = database();
    EXPECT_TRUE(apptest::onModal<CDataLinkDlg>(
        [](CDataLinkDlg& link) {
            EXPECT_EQ(link.driver()->currentText(), "FreeTDS");
            link.reject();
        },
        [&page] { page.buildButton()->click(); }));
    EXPECT_EQ(page.connectionString()->text(), "Provider=SQLOLEDB;");
}

TEST_F(COptionsDlgTest, HelpOnALabelOrWithF1ShowsThePopupAndControlsWithoutContextGetNone) {
    QApplication::setActiveWindow(&dialog());
    general().scientific()->setFocus();
    QTest::keyClick(general().scientific(), Qt::Key_F1);
    ASSERT_NE(CPopupHelpWnd::current(), nullptr);
    EXPECT_EQ(CPopupHelpWnd::current()->text().toStdString(),
              *controlHelp(HelpDialog::kOptionsGeneral, controlid::kAlwaysScientific));
    EXPECT_EQ(apptest::helpOn(general().decimalsLabel()),
              "When formatting numbers, use this number of digits to the right of the decimal");
    ASSERT_NE(CPopupHelpWnd::current(), nullptr);
    EXPECT_LE(CPopupHelpWnd::current()->width(), CPopupHelpWnd::kMaxWidth);
    EXPECT_EQ(apptest::helpOn(general().filterOn()), "");
}

TEST(CPopupHelpWndTest, AnyKeyClosesThePopupAndGoesNoFurther) {
    QLineEdit field;
    field.show();
    field.setFocus();
    CPopupHelpWnd::showText(QString(300, 'w').replace(QRegularExpression("w{10}"), "wwwwwwwww "),
                            QPoint(100, 100));
    CPopupHelpWnd* popup = CPopupHelpWnd::current();
    ASSERT_NE(popup, nullptr);
    EXPECT_LE(popup->width(), CPopupHelpWnd::kMaxWidth);
    EXPECT_GT(popup->height(), popup->fontMetrics().height() * 2);  // wrapped
    // Only one popup at a time.
    CPopupHelpWnd::showText("second", QPoint(100, 100));
    QApplication::processEvents();
    EXPECT_EQ(CPopupHelpWnd::current()->text(), "second");
    QTest::keyClick(&field, Qt::Key_A);
    EXPECT_EQ(field.text(), "");
    QApplication::processEvents();
    EXPECT_EQ(CPopupHelpWnd::current(), nullptr);
    QTest::keyClick(&field, Qt::Key_A);
    EXPECT_EQ(field.text(), "a");
}

}  // namespace

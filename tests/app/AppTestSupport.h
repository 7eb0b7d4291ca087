#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CMainFrame.h"
#include "CNorvaApp.h"
#include "CNorvaDoc.h"
#include "CNorvaView.h"
#include "CPopupHelpWnd.h"
#include "CRowFormView.h"
#include "EntryTableView.h"
#include "MemorySettingsStore.h"
#include "QtUserInterface.h"
#include "SearchBar.h"
#include "TempFolder.h"
#include "TestData.h"

namespace apptest {

inline QString qt(const std::string& text) { return QString::fromStdString(text); }

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name)) m_previous = qgetenv(name);
        qputenv(name, value.c_str());
    }
    ~ScopedEnvironment() { m_previous ? qputenv(m_name, *m_previous) : qunsetenv(m_name); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_previous;
};

// Every message, with its caption, the beeps and the wait-cursor balance; status text reaches
// the real status bar once a main window is set.
class MessageLog : public QtUserInterface {
public:
    void messageBox(const std::string& caption, const std::string& text) override {
        lastCaption = caption;
        lastMessage = text;
        ++messageCount;
        all.push_back(caption + "|" + text);
        if (whileShown) whileShown();
    }
    void beep() override { ++beeps; }
    void beginWaitCursor() override { ++waitDepth; }
    void endWaitCursor() override { --waitDepth; }
    std::string lastCaption, lastMessage;
    std::vector<std::string> all;
    int messageCount = 0, beeps = 0, waitDepth = 0;
    // Runs while a box is up, as a real box's event loop repaints the windows behind it.
    std::function<void()> whileShown;
};

// A file of tests/data/app copied into folder, where the application may write beside it.
inline std::string copyData(const testsupport::TempFolder& folder, const std::string& name,
                            const std::string& as = "") {
    return folder.write(as.empty() ? name : as, testsupport::testData("app/" + name));
}

// The texts of one line of a model, of its first column (of the lines with data for role),
// or of its column headers.
inline QStringList lineTexts(const QAbstractItemModel* model, int row) {
    QStringList cells;
    for (int c = 0; c < model->columnCount(); ++c) cells << model->index(row, c).data().toString();
    return cells;
}
inline QStringList firstColumn(const QAbstractItemModel* model, int role = Qt::DisplayRole) {
    QStringList names;
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, 0).data(role).isValid())
            names << model->index(row, 0).data().toString();
    return names;
}
inline QStringList headerTexts(const QAbstractItemModel* model) {
    QStringList texts;
    for (int c = 0; c < model->columnCount(); ++c)
        texts << model->headerData(c, Qt::Horizontal).toString();
    return texts;
}

// Runs trigger and hands the modal dialog of type Dialog it opens to handle; false if none did.
template <class Dialog>
bool onModal(const std::function<void(Dialog&)>& handle, const std::function<void()>& trigger) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            seen = true;
            handle(*dialog);
        }
    });
    trigger();
    return seen;
}

// The help popup's text for a What's This request on control; empty when none shows.
inline std::string helpOn(QWidget* control) {
    if (CPopupHelpWnd::current() != nullptr) CPopupHelpWnd::current()->close();
    QApplication::processEvents();
    QHelpEvent request(QEvent::WhatsThis, QPoint(1, 1), control->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(control, &request);
    return CPopupHelpWnd::current() ? CPopupHelpWnd::current()->text().toStdString() : "";
}

// The running application with settings in memory, its program in a temporary bin/, URLs
// recorded instead of opened; made on first use, ended with the test.
class AppTest : public ::testing::Test {
protected:
    // The application moves to each opened file's folder; it ends before the folder is put back.
    ~AppTest() override {
        m_app.reset();
        QDir::setCurrent(m_previousDirectory);
    }
    CNorvaApp& app() {
        if (!m_app) {
            m_app = std::make_unique<CNorvaApp>(store, ui, qt(folder / "bin/norva"));
            QObject::connect(m_app.get(), &CNorvaApp::frameCreated, [this](CMainFrame* made) {
                ui.setMainWindow(made, made->statusBar());
            });
            m_app->setUrlOpener([this](const QUrl& url) {
                openedUrls.push_back(url);
                return true;
            });
        }
        return *m_app;
    }
    // A fresh application started with arguments.
    CNorvaApp::StartResult start(const QStringList& arguments = {}) {
        m_app.reset();
        return app().InitInstance(arguments);
    }
    CNorvaApp& started(const QStringList& arguments = {}) {
        EXPECT_TRUE(start(arguments).keepRunning);
        return app();
    }
    CNorvaApp& withSmallModel() {
        EXPECT_NE(started().openMatrixPath(smallModel()), nullptr) << ui.lastMessage;
        return app();
    }
    void destroyApp() { m_app.reset(); }
    // small.mps, rows in name order COST, LIM, ONLY, POS.
    std::string smallModel() { return copyData(folder, "small.mps"); }
    // Columns X = 0.5 and Y = 4 of small.mps.
    std::string smallSolution() { return copyData(folder, "KNLP_Solution.001"); }
    CMainFrame& frame() { return *app().frame(); }
    QString shownName() { return app().detailView()->nameList()->currentText(); }

    testsupport::TempFolder folder;
    MemorySettingsStore store;
    MessageLog ui;
    std::vector<QUrl> openedUrls;

private:
    QString m_previousDirectory = QDir::currentPath();
    std::unique_ptr<CNorvaApp> m_app;
};

// A document and its detail view, without the application around them.
class DetailTest : public ::testing::Test {
protected:
    void openMatrix(const std::string& path, bool asSolution = false) {
        flags.openAsSolution = asSolution;
        ASSERT_TRUE(doc.OnOpenDocument(path)) << ui.lastMessage;
        flags.openAsSolution = false;
        detail.OnInitialUpdate();
    }
    void openModel() { openMatrix(copyData(folder, "small.mps")); }
    void chooseName(const char* name) {
        const int index = detail.nameList()->findText(name);
        ASSERT_GE(index, 0) << name;
        detail.nameList()->setCurrentIndex(index);
    }

    testsupport::TempFolder folder;
    MessageLog ui;
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};
    CRowFormView detail{doc, ui};
};

}  // namespace apptest

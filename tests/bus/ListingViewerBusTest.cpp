#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QThread>
#include <filesystem>
#include <mutex>

#include "BusListingViewer.h"
#include "BusTestSupport.h"
#include "DetailListing.h"
#include "PrintCommand.h"
#include "StringTable.h"
#include "ViewerChoice.h"

namespace {

using bustest::waitFor;

// A viewer served as Tv.Document on a connection and thread of its own (the calls under test
// block the main thread until answered). Records every call with its arguments, and after
// LoadFile the listing's bytes as it found them.
class FakeViewer : public QDBusVirtualObject {
public:
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QList<QVariant> arguments = message.arguments();
        QString call = message.member();
        QList<QVariant> reply;
        if (message.member() == "Set" && arguments.size() == 3)
            call = "Set " + arguments[1].toString() + " " +
                   qvariant_cast<QDBusVariant>(arguments[2]).variant().toString();
        QStringList record{call};
        if (message.member() == "LoadFile" && arguments.size() == 1) {
            record[0] += " " + arguments[0].toString();
            record << QString::fromStdString(
                testsupport::fileText(arguments[0].toString().toStdString()));
            reply << true;
        }
        std::lock_guard lock(m_mutex);
        m_calls << record;
        connection.send(message.createReply(reply));
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

    QStringList calls() const {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_calls;
};

class ListingViewerBusTest : public bustest::BusTest {
protected:
    ~ListingViewerBusTest() override { stopViewer(); }

    void serveViewer() {
        m_thread.start();
        m_viewer.moveToThread(&m_thread);
        m_connection = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake-viewer");
        ASSERT_TRUE(m_connection.registerVirtualObject(kViewerObjectPath, &m_viewer));
        ASSERT_TRUE(m_connection.registerService(kViewerService));
    }
    void stopViewer() {
        if (!m_thread.isRunning()) return;
        m_connection.unregisterService(kViewerService);
        QDBusConnection::disconnectFromBus("fake-viewer");
        m_thread.quit();
        m_thread.wait();
    }

    FakeViewer m_viewer;
    RecordingUserInterface ui;

private:
    QThread m_thread;
    QDBusConnection m_connection{QString()};
};

// Without a served viewer, bus only keeps the listing file and says so, and the default falls
// back to the built-in viewer; once one is served, it is taken either way.
TEST_F(ListingViewerBusTest, BusOnlyNeedsAServedViewerWhichTakesTheListingInOrder) {
    DetailContent row;
    row.L1 = "Row Type: LE";
    const PrintSubject subject{"/m/small.mps", true, "LIM", true, &row};
    const std::string listing = folder / kListingFileName;
    int builtInMade = 0;
    const ListingViewerFactory builtIn = [&builtInMade]() -> std::unique_ptr<IListingViewer> {
        ++builtInMade;
        return nullptr;
    };
    EXPECT_FALSE(ViewerServiceAvailable());
    EXPECT_EQ(PrintListing(subject, folder.path(), ViewerChoice{true}.factory(builtIn), ui),
              PrintOutcome::kNoViewer);
    EXPECT_EQ(builtInMade, 0);
    EXPECT_EQ(ui.lastMessage, strings::text(strings::kViewerNotLaunched));
    EXPECT_TRUE(std::filesystem::exists(listing));
    PrintListing(subject, folder.path(), ViewerChoice{false}.factory(builtIn), ui);
    EXPECT_EQ(builtInMade, 1);

    serveViewer();
    const int messages = ui.messageCount;
    for (const bool busOnly : {true, false}) {
        SCOPED_TRACE(busOnly);
        EXPECT_EQ(PrintListing(subject, folder.path(), ViewerChoice{busOnly}.factory(builtIn), ui),
                  PrintOutcome::kPrinted);
        EXPECT_FALSE(std::filesystem::exists(listing));
    }
    EXPECT_EQ(builtInMade, 1);
    const QStringList once = {
        "LoadFile " + QString::fromStdString(listing),
        QString::fromStdString(DetailListingText("/m/small.mps", true, "LIM", row)),
        "Set Title Row: LIM", "Set Visible true", "PrintOut"};
    EXPECT_EQ(m_viewer.calls(), once + once);
    EXPECT_EQ(ui.messageCount, messages);
}

// The shell's print form: the real program opens the file and prints its first row through
// the served viewer, then ends.
TEST_F(ListingViewerBusTest, ShellPrintFormGoesThroughTheServedViewer) {
    serveViewer();
    const std::string model = folder.write("small.mps", testsupport::testData("app/small.mps"));
    const bustest::Outcome outcome = norva({"--print", QString::fromStdString(model)});
    EXPECT_EQ(outcome.exitCode, 0) << bustest::describe(outcome);
    const QStringList calls = m_viewer.calls();
    ASSERT_EQ(calls.size(), 5) << calls.join("|").toStdString();
    EXPECT_EQ(calls[0], "LoadFile " + QString::fromStdString(folder / kListingFileName));
    EXPECT_TRUE(calls[1].startsWith(QString::fromStdString(model + "\n\nRow: COST\n")));
    EXPECT_EQ(calls.mid(2), QStringList({"Set Title Row: COST", "Set Visible true", "PrintOut"}));
    EXPECT_FALSE(std::filesystem::exists(folder / kListingFileName));
}

}  // namespace

#include "BusListingViewer.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

#include "TvDocumentProxy.h"

namespace {

// Every call waits for its answer, so the viewer sees them in the order made.
class BusListingViewer : public IListingViewer {
public:
    BusListingViewer()
        : m_proxy(kViewerService, kViewerObjectPath, QDBusConnection::sessionBus()) {}

    bool LoadFile(const std::string& path) override {
        QDBusReply<bool> reply = m_proxy.LoadFile(QString::fromStdString(path));
        return reply.isValid() && reply.value();
    }
    void SetTitle(const std::string& title) override {
        m_proxy.setTitle(QString::fromStdString(title));
    }
    void SetVisible(bool visible) override { m_proxy.setVisible(visible); }
    void PrintOut() override { m_proxy.PrintOut().waitForFinished(); }

private:
    TvDocumentInterface m_proxy;
};

}  // namespace

bool ViewerServiceAvailable() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusConnectionInterface* names = bus.interface();
    if (names->isServiceRegistered(kViewerService).value()) return true;
    const QDBusReply<QStringList> activatable =
        bus.call(QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                "org.freedesktop.DBus", "ListActivatableNames"));
    return activatable.isValid() && activatable.value().contains(kViewerService);
}

std::unique_ptr<IListingViewer> MakeBusListingViewer() {
    if (!ViewerServiceAvailable()) return nullptr;
    return std::make_unique<BusListingViewer>();
}

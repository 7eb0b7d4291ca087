#include <QCoreApplication>

#include "CaseBus.h"
#include "DocumentSettings.h"
#include "LoomBusClient.h"
#include "QSettingsStore.h"

namespace {

int gArgumentCount = 1;
char gProgramName[] = "norva-inspect";
char* gArguments[] = {gProgramName, nullptr};

class QtCaseBus : public ICaseBus {
public:
    ILoomConnector& connector() override { return m_connector; }

    // Only read: this tool never writes the desktop program's profile.
    std::string storedProcessName() override {
        return QSettingsStore()
            .readString(SettingsScope::kProfile, kOptionsSection, "LoomProcessName")
            .value_or(std::string());
    }

private:
    // The bus wants an application object before its first connection.
    QCoreApplication m_application{gArgumentCount, gArguments};
    LoomBusConnector m_connector;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) ICaseBus* norvaCreateCaseBus() {
    return new QtCaseBus();
}

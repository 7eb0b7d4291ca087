#include "CaseRoute.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include "AsciiCase.h"
#include "LoomBusClient.h"
#include "OpenPath.h"
#include "QSettingsStore.h"

namespace {
int gArgumentCount = 1;
char gProgramName[] = "norva-inspect";
char* gArguments[] = {gProgramName, nullptr};
}  // namespace

struct CaseRoute::Parts {
    // The bus wants an application object before its first connection.
    QCoreApplication application{gArgumentCount, gArguments};
    LoomBusConnector connector;
};

CaseRoute::CaseRoute(const std::string& matrixPath, const std::optional<std::string>& processName,
                     CNorvaDoc& doc) {
    if (!equalsIgnoreAsciiCase(SplitOpenPath(matrixPath).extension, "cas")) return;
    m_parts = std::make_unique<Parts>();
    doc.setLoomConnector(&m_parts->connector);
    // The stored option is only read: this tool never writes the desktop program's profile.
    doc.settings().LoomProcessName =
        processName ? *processName
                    : QSettingsStore()
                          .readString(SettingsScope::kProfile, kOptionsSection, "LoomProcessName")
                          .value_or(std::string());
}

CaseRoute::~CaseRoute() = default;

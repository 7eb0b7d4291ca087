#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CNorvaDoc.h"

class ICaseBus;

// What a ".cas" open needs in this tool: the session bus behind the document's connector and
// the process name (given, else the desktop program's stored option). The bus comes from a
// module loaded here, and only for such a file. Holds them while it lives.
class CaseRoute {
public:
    CaseRoute(const std::string& matrixPath, const std::optional<std::string>& processName,
              CNorvaDoc& doc);
    ~CaseRoute();
    CaseRoute(const CaseRoute&) = delete;
    CaseRoute& operator=(const CaseRoute&) = delete;

    // Why the bus module could not be loaded; empty when it was, or was not needed.
    const std::string& failure() const { return m_failure; }

private:
    std::unique_ptr<ICaseBus> m_bus;
    std::string m_failure;

    bool loadModule();
};

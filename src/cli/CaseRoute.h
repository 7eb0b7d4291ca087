#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CNorvaDoc.h"

// What a ".cas" open needs in this tool: the session bus behind the document's connector and
// the process name (given, else the desktop program's stored option). Holds them while it lives.
class CaseRoute {
public:
    CaseRoute(const std::string& matrixPath, const std::optional<std::string>& processName,
              CNorvaDoc& doc);
    ~CaseRoute();
    CaseRoute(const CaseRoute&) = delete;
    CaseRoute& operator=(const CaseRoute&) = delete;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

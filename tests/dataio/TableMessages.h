#pragma once

#include <string>
#include <vector>

#include "CIoTable.h"
#include "TableReporter.h"

namespace testsupport {

// Every message, one a line; with severities, each preceded by E (error) or W (warning).
inline std::string messageLines(const std::vector<TableMessage>& messages,
                                bool severities = false) {
    std::string out;
    for (const TableMessage& message : messages) {
        if (severities) out += message.severity == TableMessageSeverity::kError ? "E " : "W ";
        out += message.text + "\n";
    }
    return out;
}

inline std::string allMessages(const CIoTable& table) { return messageLines(table.Messages()); }

}  // namespace testsupport

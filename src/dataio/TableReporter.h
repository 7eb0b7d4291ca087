#pragma once

#include <string>
#include <vector>

#include "TableOptions.h"

enum class TableMessageSeverity { kError, kWarning };

struct TableMessage {
    TableMessageSeverity severity;
    std::string text;
};

// Reports the layer's errors and warnings as the options say (message box with caption
// "Error"/"Warning", log stream line preceded by "Error"/"Warning") and keeps every text so
// that the caller can tell why a read failed.
class TableReporter {
public:
    explicit TableReporter(TableOptions options = {}) : m_options(std::move(options)) {}

    void error(const std::string& text);
    void warning(const std::string& text);
    // The statement, followed by two line ends, when logging is on.
    void logStatement(const std::string& statement);

    const TableOptions& options() const { return m_options; }
    const std::vector<TableMessage>& messages() const { return m_messages; }

private:
    TableOptions m_options;
    std::vector<TableMessage> m_messages;
};

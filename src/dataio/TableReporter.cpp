#include "TableReporter.h"

#include "DataMessages.h"
#include "IUserInterface.h"

namespace {

void report(const TableOptions& options, bool showBox, int captionId, const std::string& text) {
    const char* caption = datamsg::text(captionId);
    if (showBox && options.userInterface != nullptr)
        options.userInterface->messageBox(caption, text);
    if (options.logging && options.logStream != nullptr)
        *options.logStream << caption << ": " << text << '\n';
}

}  // namespace

void TableReporter::error(const std::string& text) {
    m_messages.push_back({TableMessageSeverity::kError, text});
    report(m_options, m_options.showErrorBoxes, datamsg::kError, text);
}

void TableReporter::warning(const std::string& text) {
    m_messages.push_back({TableMessageSeverity::kWarning, text});
    report(m_options, m_options.showWarningBoxes, datamsg::kWarning, text);
}

void TableReporter::logStatement(const std::string& statement) {
    if (m_options.logging && m_options.logStream != nullptr)
        *m_options.logStream << statement << "\n\n";
}

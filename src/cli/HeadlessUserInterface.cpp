#include "HeadlessUserInterface.h"

void HeadlessUserInterface::messageBox(const std::string& caption, const std::string& text) {
    m_messages.push_back(text);
    std::fprintf(m_out, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(m_out);
}

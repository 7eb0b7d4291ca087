#include "OrbExceptions.h"

#include <utility>

namespace orbxmps {

ORB_Exception::ORB_Exception(std::string routine, std::string reason)
    : m_routine(std::move(routine)), m_reason(std::move(reason)), m_errorBuffer(m_reason) {}

void ORB_Exception::HandleExcp() {
    if (m_handled) return;
    m_handled = true;
    m_errorBuffer = std::string(GetExcpName()) + " in " + m_routine + ": " + m_reason;
}

void ORB_Exception::DumpErrorBuf(std::ostream& out) const { out << m_errorBuffer << '\n'; }

}  // namespace orbxmps

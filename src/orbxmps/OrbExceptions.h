#pragma once

#include <exception>
#include <ostream>
#include <string>

namespace orbxmps {

// The library's failures. The error buffer holds the whole message: for bad input it names
// the file, the line number and the offending text.
class ORB_Exception : public std::exception {
public:
    ORB_Exception(std::string routine, std::string reason);

    const char* what() const noexcept override { return m_errorBuffer.c_str(); }

    // Completes the error buffer; callers run it once before DumpErrorBuf.
    void HandleExcp();
    void DumpErrorBuf(std::ostream& out) const;

    virtual const char* GetExcpName() const { return "ORB_Exception"; }
    const std::string& GetExcpReason() const { return m_reason; }
    const std::string& GetExcpRoutine() const { return m_routine; }

private:
    std::string m_routine;
    std::string m_reason;
    std::string m_errorBuffer;
    bool m_handled = false;
};

class ORB_ExcpBadAllocation : public ORB_Exception {
public:
    using ORB_Exception::ORB_Exception;
    const char* GetExcpName() const override { return "ORB_ExcpBadAllocation"; }
};

class ORB_ExcpFileError : public ORB_Exception {
public:
    using ORB_Exception::ORB_Exception;
    const char* GetExcpName() const override { return "ORB_ExcpFileError"; }
};

// Raised by the MPS manager: bad MPS content.
class CMF_Exception : public ORB_Exception {
public:
    using ORB_Exception::ORB_Exception;
    const char* GetExcpName() const override { return "CMF_Exception"; }
};

// Raised by the MPS manager: the file could not be opened or read.
class CMF_ExcpFileError : public CMF_Exception {
public:
    using CMF_Exception::CMF_Exception;
    const char* GetExcpName() const override { return "CMF_ExcpFileError"; }
};

}  // namespace orbxmps

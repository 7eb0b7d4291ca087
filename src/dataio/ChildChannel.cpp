#include "ChildChannel.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace {

// A larger frame than any answer part can be is a broken child, not data.
constexpr std::uint32_t kMaxFrameBytes = 256u << 20;
constexpr std::size_t kHeaderBytes = 5;

void encodeHeader(char tag, std::size_t size, char* header) {
    header[0] = tag;
    const auto length = static_cast<std::uint32_t>(size);
    std::memcpy(header + 1, &length, sizeof length);
}

bool sendAll(int socket, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

bool receiveAll(int socket, char* into, std::size_t size) {
    while (size > 0) {
        const ssize_t got = ::recv(socket, into, size, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        into += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

void quietenChild() {
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        for (int stream = 0; stream <= 2; ++stream) ::dup2(null, stream);
        if (null > 2) ::close(null);
    }
    const struct rlimit noCore { 0, 0 };
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
}

constexpr std::chrono::milliseconds kEndingGrace{1000};

std::string describeDuration(std::chrono::milliseconds limit) {
    if (limit.count() % 1000 == 0) return std::to_string(limit.count() / 1000) + " s";
    return std::to_string(limit.count()) + " ms";
}

int millisecondsUntil(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

}  // namespace

bool writeChannelFrame(int socket, char tag, std::string_view payload) {
    char header[kHeaderBytes];
    encodeHeader(tag, payload.size(), header);
    return sendAll(socket, header, sizeof header) &&
           sendAll(socket, payload.data(), payload.size());
}

bool readChannelFrame(int socket, ChannelFrame& frame) {
    char header[kHeaderBytes];
    if (!receiveAll(socket, header, sizeof header)) return false;
    std::uint32_t length = 0;
    std::memcpy(&length, header + 1, sizeof length);
    if (length > kMaxFrameBytes) return false;
    frame.tag = header[0];
    frame.payload.resize(length);
    return receiveAll(socket, frame.payload.data(), length);
}

ChildChannel::ChildChannel(const Body& body, ChildLimits limits) : m_limits(limits) {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        throw ChildChannelFailure(std::string("cannot make a socket pair: ") +
                                  std::strerror(errno));
    const pid_t pid = ::fork();
    if (pid < 0) {
        const int error = errno;
        ::close(pair[0]);
        ::close(pair[1]);
        throw ChildChannelFailure(std::string("cannot start a process: ") + std::strerror(error));
    }
    if (pid == 0) {
        ::close(pair[0]);
        quietenChild();
        try {
            body(pair[1]);
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    ::close(pair[1]);
    m_pid = pid;
    m_socket = pair[0];
    // Whatever the child says first (its connection, say) is held to the request deadline.
    m_requestDeadline = std::chrono::steady_clock::now() + m_limits.request;
}

ChildChannel::~ChildChannel() { abandon(); }

void ChildChannel::abandon() {
    if (m_socket >= 0) ::close(m_socket);
    m_socket = -1;
    if (m_pid > 0) reapChild(std::chrono::milliseconds(0));
}

void ChildChannel::request(char tag, std::string_view payload) {
    if (!alive()) throw ChildChannelFailure("the reading process has already ended");
    m_requestDeadline = std::chrono::steady_clock::now() + m_limits.request;
    if (!writeChannelFrame(m_socket, tag, payload)) fail("the reading process ended", kEndingGrace);
}

ChannelFrame ChildChannel::receive() {
    if (!alive()) throw ChildChannelFailure("the reading process has already ended");
    char header[kHeaderBytes];
    readExactly(header, sizeof header);
    std::uint32_t length = 0;
    std::memcpy(&length, header + 1, sizeof length);
    if (length > kMaxFrameBytes)
        fail("the reading process sent a malformed answer", std::chrono::milliseconds(0));
    ChannelFrame frame{header[0], std::string(length, '\0')};
    readExactly(frame.payload.data(), length);
    return frame;
}

void ChildChannel::readExactly(char* into, std::size_t count) {
    while (count > 0) {
        const auto silenceEnd = std::chrono::steady_clock::now() + m_limits.silence;
        const auto deadline = std::min(silenceEnd, m_requestDeadline);
        pollfd ready{m_socket, POLLIN, 0};
        const int polled = ::poll(&ready, 1, millisecondsUntil(deadline));
        if (polled < 0 && errno == EINTR) continue;
        if (polled == 0) {
            const bool wholeRequest = deadline == m_requestDeadline;
            const auto limit = wholeRequest ? m_limits.request : m_limits.silence;
            fail((wholeRequest ? "the reading process took longer than "
                               : "the reading process did not answer for ") +
                     describeDuration(limit) + " and was stopped",
                 std::chrono::milliseconds(0));
        }
        const ssize_t got = ::recv(m_socket, into, count, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) fail("the reading process ended", kEndingGrace);
        into += got;
        count -= static_cast<std::size_t>(got);
    }
}

void ChildChannel::fail(const std::string& what, std::chrono::milliseconds grace) {
    ::close(m_socket);
    m_socket = -1;
    const std::string ending = reapChild(grace);
    throw ChildChannelFailure(ending.empty() ? what + "." : what + " (" + ending + ").");
}

std::string ChildChannel::reapChild(std::chrono::milliseconds grace) {
    const pid_t pid = m_pid;
    m_pid = -1;
    int status = 0;
    // A child whose socket closed is usually ending already; it gets a moment to finish so
    // that its end can be told, and is killed if it does not.
    const auto deadline = std::chrono::steady_clock::now() + grace;
    pid_t reaped = ::waitpid(pid, &status, WNOHANG);
    while (reaped == 0 && std::chrono::steady_clock::now() < deadline) {
        ::usleep(2000);
        reaped = ::waitpid(pid, &status, WNOHANG);
    }
    if (reaped == 0) {
        ::kill(pid, SIGKILL);
        do {
            reaped = ::waitpid(pid, &status, 0);
        } while (reaped < 0 && errno == EINTR);
        return {};
    }
    if (reaped != pid) return {};
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        const char* name = ::strsignal(signal);
        return "stopped by signal " + std::to_string(signal) +
               (name != nullptr ? std::string(" (") + name + ")" : std::string());
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        return "ended with status " + std::to_string(WEXITSTATUS(status));
    return {};
}

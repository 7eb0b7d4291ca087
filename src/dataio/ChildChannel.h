#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// One message between a parent and the child that serves it: a tag and its bytes.
struct ChannelFrame {
    char tag = 0;
    std::string payload;
};

// The child crashed, was killed, stopped answering or broke the framing.
class ChildChannelFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How long the parent waits for a child that serves one request.
struct ChildLimits {
    std::chrono::milliseconds silence{std::chrono::seconds(30)};  // for the next bytes
    std::chrono::milliseconds request{std::chrono::minutes(5)};   // for a whole answer
};

// Sends a frame on a blocking socket; false when the other side is gone (never SIGPIPE).
bool writeChannelFrame(int socket, char tag, std::string_view payload);
// Reads a frame on a blocking socket without a deadline (the child's side); false at the end.
bool readChannelFrame(int socket, ChannelFrame& frame);

// A child process that serves its parent over a socket pair, for work that may crash or hang
// inside a library: however the child ends, the parent sees a ChildChannelFailure.
class ChildChannel {
public:
    // The child's work on its end of the pair. Its standard streams go to /dev/null, it leaves
    // no core file, it dies with its parent, and it ends with _exit when body returns.
    using Body = std::function<void(int socket)>;

    // Forks; throws ChildChannelFailure when no child can be made.
    explicit ChildChannel(const Body& body, ChildLimits limits = {});
    ~ChildChannel();
    ChildChannel(const ChildChannel&) = delete;
    ChildChannel& operator=(const ChildChannel&) = delete;

    // Starts a request: sends the frame and sets the deadline of its whole answer.
    void request(char tag, std::string_view payload);
    // The next frame of the answer; a child that ends, is silent or slow too long (it is then
    // killed), or sends a malformed frame throws, and the channel is dead from then on.
    ChannelFrame receive();
    bool alive() const { return m_pid > 0; }
    // Stops the child whatever it is doing, for an answer left half read.
    void abandon();

private:
    // Ends the channel: the child gets grace to end by itself before it is killed.
    [[noreturn]] void fail(const std::string& what, std::chrono::milliseconds grace);
    void readExactly(char* into, std::size_t count);
    // How the child ended ("stopped by signal 11 (Segmentation fault)"), empty when it ended
    // well or was killed here after grace; the child is reaped.
    std::string reapChild(std::chrono::milliseconds grace);

    pid_t m_pid = -1;
    int m_socket = -1;
    ChildLimits m_limits;
    std::chrono::steady_clock::time_point m_requestDeadline;
};

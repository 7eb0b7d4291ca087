#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include "ChildChannel.h"
#include "TextHolds.h"

namespace {

using namespace std::chrono_literals;

// A child that answers each request with its payload, then behaves as told.
ChildChannel::Body echoThen(void (*after)(int socket)) {
    return [after](int socket) {
        ChannelFrame frame;
        if (!readChannelFrame(socket, frame)) return;
        writeChannelFrame(socket, 'A', frame.payload);
        after(socket);
    };
}

std::string failureOf(ChildChannel& channel) {
    try {
        channel.request('Q', "again");
        channel.receive();
    } catch (const ChildChannelFailure& failure) {
        return channel.alive() ? "still alive" : failure.what();
    }
    return "no failure";
}

TEST(ChildChannelTest, EveryEndOfTheChildIsAFailureOfTheChannel) {
    const ChildLimits quick{200ms, 2s};
    const std::tuple<const char*, void (*)(int), const char*> cases[] = {
        // SIGABRT, not SIGSEGV: a sanitizer turns a SIGSEGV into an exit status.
        {"crash", [](int) { ::raise(SIGABRT); }, "stopped by signal 6"},
        {"exit", [](int) { ::_exit(3); }, "ended with status 3"},
        {"silence", [](int) { ::pause(); }, "did not answer for 200 ms and was stopped"},
        {"trickle",
         [](int socket) {
             const char header[5] = {'R', 0, 0x10, 0, 0};  // a 4096-byte frame, sent slowly
             ::send(socket, header, sizeof header, MSG_NOSIGNAL);
             for (;;) {
                 ::usleep(50000);
                 ::send(socket, "R", 1, MSG_NOSIGNAL);
             }
         },
         "took longer than 2 s"},
        {"garbage",
         [](int socket) {
             ChannelFrame ignored;
             readChannelFrame(socket, ignored);
             ::send(socket, "R\xFF\xFF\xFF\xFF", 5, MSG_NOSIGNAL);
             ::pause();
         },
         "malformed answer"},
    };
    for (const auto& [what, after, reason] : cases) {
        SCOPED_TRACE(what);
        ChildChannel channel(echoThen(after), quick);
        channel.request('Q', "hello");
        const ChannelFrame answer = channel.receive();
        EXPECT_EQ(std::pair(answer.tag, answer.payload), std::pair('A', std::string("hello")));
        const std::string failure = failureOf(channel);
        EXPECT_TRUE(holds(failure, reason));
    }
}

}  // namespace

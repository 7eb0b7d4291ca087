// The two gzip decoders, ISA-L's and zlib's, must hand the reader the same bytes and fail on
// the same files with the same words. On a file cut short ISA-L may hold back the last few
// bytes that zlib still hands out, so there only the error and a common start are compared.

#include <fcntl.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <utility>

#include "GzipByteSource.h"
#include "MpsTestSupport.h"
#ifdef NORVA_HAVE_ISAL
#include "IsalGzipByteSource.h"
#endif

namespace orbxmps {
namespace {

using namespace mpstest;

#ifdef NORVA_HAVE_ISAL

// Everything a decoder hands out, then "error: <what>" if it stopped on one.
template <typename Source>
std::string drain(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    EXPECT_GE(file.get(), 0) << path;
    char head[2];
    const std::size_t got = file.readFully(head, sizeof head);
    Source source(std::move(file), std::string_view(head, got));
    std::string out;
    std::string chunk(100000, '\0');
    try {
        while (const std::size_t n = source.read(chunk.data(), chunk.size()))
            out.append(chunk, 0, n);
    } catch (const ByteSourceError& error) {
        out += std::string("error: ") + error.what();
    }
    return out;
}

std::string noisyText(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size)
        text += "    COL" + std::to_string(random() % 100000) + "  ROW" +
                std::to_string(random() % 5000) + "  " + std::to_string(random() % 1000) + "\n";
    return text;
}

TEST(GzipDecoderTest, BothDecodersGiveTheSameBytesAndErrors) {
    TempFolder folder;
    const std::string first = gzipped(noisyText(3 << 20, 1));
    const std::string second = gzipped(noisyText(5000, 2));
    std::string badCheck = second;
    badCheck[badCheck.size() - 6] ^= 0x01;  // the member's CRC
    std::string badData = first;
    for (std::size_t i = first.size() / 2; i < first.size() / 2 + 32; ++i) badData[i] ^= 0x5A;
    const std::tuple<const char*, std::string, bool> files[] = {
        {"one member", first, true},
        {"two members", first + second, true},
        {"cut short", first.substr(0, first.size() / 2), false},
        {"trailing junk", second + "junk", true},
        {"wrong check", badCheck, true},
        {"damaged data", badData, false},
    };
    for (const auto& [name, bytes, exact] : files) {
        SCOPED_TRACE(name);
        const std::string path = folder.write(std::string(name) + ".gz", bytes);
        const std::string byZlib = drain<GzipByteSource>(path);
        const std::string byIsal = drain<IsalGzipByteSource>(path);
        const auto tail = [](const std::string& text) { return text.substr(text.rfind('\n') + 1); };
        if (exact) {
            EXPECT_TRUE(byZlib == byIsal) << tail(byZlib) << " / " << tail(byIsal);
            continue;
        }
        const std::size_t zlibError = byZlib.rfind("error: ");
        const std::size_t isalError = byIsal.rfind("error: ");
        ASSERT_NE(zlibError, std::string::npos);
        ASSERT_NE(isalError, std::string::npos);
        EXPECT_EQ(byZlib.substr(zlibError), byIsal.substr(isalError));
        EXPECT_LE(zlibError - std::min(zlibError, isalError), 64u);
        EXPECT_EQ(byZlib.substr(0, std::min(zlibError, isalError)),
                  byIsal.substr(0, std::min(zlibError, isalError)));
    }
}

#else

TEST(GzipDecoderTest, BothDecodersGiveTheSameBytesAndErrors) {
    GTEST_SKIP() << "built without ISA-L: zlib is the only gzip decoder";
}

#endif

// What a gzip file's entries are reserved by: its last member's size, from the trailer.
TEST(GzipDecoderTest, ContentSizeHintIsTheLastMembersSize) {
    TempFolder folder;
    const std::string text(300000, 'a');
    const std::string first = gzipped(text);
    const std::string second = gzipped("ENDATA\n");
    const std::pair<std::string, std::uintmax_t> cases[] = {
        {first, text.size()}, {first + second, 7}, {text, 0}, {first.substr(0, 12), 0}};
    for (const auto& [bytes, size] : cases) {
        SCOPED_TRACE(bytes.size());
        EXPECT_EQ(gzipContentSizeHint(folder.write("hint.gz", bytes)), size);
    }
}

}  // namespace
}  // namespace orbxmps

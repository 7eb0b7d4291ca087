#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <thread>
#include <utility>

#include "ByteSource.h"
#include "MpsTestSupport.h"
#include "RowsSectionScan.h"

namespace orbxmps {
namespace {

using namespace mpstest;

// A file's text, read ahead at any place as a plain file is.
class TextSource : public ByteSource {
public:
    explicit TextSource(std::string text) : m_text(std::move(text)) {}
    std::size_t read(char*, std::size_t) override { return 0; }
    std::optional<std::size_t> readAt(std::uint64_t offset, char* destination,
                                      std::size_t capacity) override {
        if (offset >= m_text.size()) return 0;
        const std::size_t count = std::min<std::size_t>(capacity, m_text.size() - offset);
        std::memcpy(destination, m_text.data() + offset, count);
        return count;
    }

private:
    std::string m_text;
};

std::string manyRows(int rows) {
    std::string text = "NAME  MANY\nROWS\n";
    for (int r = 0; r < rows; ++r) {
        if (r % 7 == 3) text += "* a comment\n";
        text += " L  ROW" + std::to_string(r) + "\n";
    }
    return text + "COLUMNS\n    X  ROW1  1\nENDATA\n";
}

std::string drained(ByteSource& source) {
    std::string text;
    char buffer[4096];
    while (const std::size_t got = source.read(buffer, sizeof buffer)) text.append(buffer, got);
    return text;
}

// Chunks from shorter than two windows of 64 bytes up to the default: lines and windows cut
// anywhere count alike.
TEST(RowsSectionScanTest, CountsTheRowLinesOfTheFirstRowsSection) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"NAME  A\nROWS\n N  obj\n L  c1\n G  c2\nCOLUMNS\n    x  obj  1\nENDATA\n", 3},
        // Comments, empty lines and lone CRs neither count nor end the section.
        {"* lead\r\nNAME\r\nROWS\r\n N  obj\r\n* note\r\n\r\n\r\n\tE\tc1\r\nCOLUMNS\r\n", 2},
        {"ROWSX\n N  a\nROWS  \n L  b\nRHS\n L  c\n", 1},
        {"NAME\nROWS\n N  a\n L  b", 2},
        {"NAME  A\nCOLUMNS\n    x  obj  1\n", 0},
        {"ROWS\n", 0},
        {manyRows(1000), 1000},
    };
    for (const auto& [text, expected] : cases)
        for (const std::size_t chunk : {std::size_t{24}, std::size_t{64}, std::size_t{65},
                                        std::size_t{4096}, std::size_t{256} << 10}) {
            TextSource source(text);
            EXPECT_EQ(countRowsSectionLines(source, chunk), expected)
                << "chunk " << chunk << ": " << text.substr(0, 40);
        }
}

// A section past the bytes scanned gives the rows seen so far; a line longer than a chunk
// ends the scan.
TEST(RowsSectionScanTest, StopsAtItsLimits) {
    TextSource many(manyRows(1000));
    const std::size_t partial = countRowsSectionLines(many, 64, 640);
    EXPECT_GT(partial, 0u);
    EXPECT_LT(partial, 1000u);
    TextSource longLine("NAME\nROWS\n N  " + std::string(100, 'a') + "\n L  b\nCOLUMNS\n");
    EXPECT_EQ(countRowsSectionLines(longLine, 64), 0u);
}

// Only a plain file is read ahead: a pipe would lose the bytes, and a gzip file's are not
// the text. The stream reads the whole text after the scan either way.
TEST(RowsSectionScanTest, ReadsAheadOfPlainFilesOnlyAndLeavesTheStreamWhole) {
    const TempFolder folder;
    const std::string text = "NAME\nROWS\n N  obj\n L  c1\nCOLUMNS\n    x  obj  1\nENDATA\n";
    const auto plain = openByteSource(folder.write("plain.mps", text));
    EXPECT_EQ(countRowsSectionLines(*plain), 2u);
    EXPECT_EQ(drained(*plain), text);
    const auto packed = openByteSource(folder.write("packed.mps", gzipped(text)));
    EXPECT_EQ(countRowsSectionLines(*packed), 0u);
    EXPECT_EQ(drained(*packed), text);

    const std::string fifo = folder / "pipe.mps";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << text; });
    const auto piped = openByteSource(fifo);
    EXPECT_EQ(countRowsSectionLines(*piped), 0u);
    EXPECT_EQ(drained(*piped), text);
    writer.join();
}

}  // namespace
}  // namespace orbxmps

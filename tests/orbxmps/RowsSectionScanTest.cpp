#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <thread>

#include "ByteSource.h"
#include "MpsTestSupport.h"
#include "RowsSectionScan.h"

namespace orbxmps {
namespace {

using namespace mpstest;

std::string manyRows(int rows) {
    std::string text = "NAME  MANY\nROWS\n";
    for (int r = 0; r < rows; ++r)
        text += (r % 7 == 3 ? "* note\n L  R" : " L  R") + std::to_string(r) + "\n";
    return text + "COLUMNS\n    X  R1  1\nENDATA\n";
}

std::size_t counted(const std::string& path, std::size_t chunk, std::uint64_t most = 1u << 30) {
    return countRowsSectionLines(*openByteSource(path), chunk, most);
}

// Chunks from shorter than two 64-byte windows up to the default: lines and windows cut
// anywhere count alike. Comments, empty lines and lone CRs neither count nor end a section.
TEST(RowsSectionScanTest, CountsTheRowLinesOfTheFirstRowsSectionAndStopsAtItsLimits) {
    const TempFolder folder;
    for (const auto& [text, rows] :
         {std::pair<std::string, std::size_t>{"NAME  A\nROWS\n N  obj\n L  c1\n G  c2\nCOLUMNS\n",
                                              3},
          {"* a\r\nNAME\r\nROWS\r\n N  o\r\n* b\r\n\r\n\r\n\tE\tc\r\nRHS\r\n", 2},
          {"ROWSX\n N  a\nROWS  \n L  b\nRHS\n L  c\n", 1},
          {"NAME\nROWS\n N  a\n L  b", 2},
          {"NAME  A\nCOLUMNS\n    x  obj  1\n", 0},
          {manyRows(1000), 1000}})
        for (const std::size_t chunk : {24, 64, 65, 4096, 256 << 10})
            EXPECT_EQ(counted(folder.write("m.mps", text), chunk), rows) << chunk << ": " << text;
    // Lines of blanks are no rows, however far their blanks run.
    const std::string blanks = std::string(150, ' ') + "\r\n" + std::string(70, ' ') + "L  b\n";
    EXPECT_EQ(counted(folder.write("m.mps", "ROWS\n \t \n" + blanks + " \nRHS\n"), 4096), 1u);
    // A ROWS header past the first megabyte is not looked for.
    std::string late;
    for (int i = 0; i < 600000; ++i) late += "*\n";
    EXPECT_EQ(counted(folder.write("m.mps", late + "ROWS\n N  a\nRHS\n"), 256 << 10), 0u);
    // Past the bytes scanned, the rows seen so far; a line longer than a chunk ends the scan.
    const std::size_t partial = counted(folder.write("m.mps", manyRows(1000)), 64, 640);
    EXPECT_TRUE(partial > 0 && partial < 1000) << partial;
    EXPECT_EQ(counted(folder.write("m.mps", "ROWS\n N  " + std::string(99, 'a') + "\n"), 64), 0u);
}

// A pipe would lose the bytes read ahead, and a gzip file's are not the text: neither is
// counted, and the stream reads the whole text after the scan.
TEST(RowsSectionScanTest, ReadsAheadOfPlainFilesOnlyAndLeavesTheStreamWhole) {
    const TempFolder folder;
    const std::string text = "NAME\nROWS\n N  obj\n L  c1\nCOLUMNS\n    x  obj  1\nENDATA\n";
    ASSERT_EQ(::mkfifo((folder / "pipe.mps").c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(folder / "pipe.mps", std::ios::binary) << text; });
    for (const auto& [path, rows] : {std::pair{folder / "pipe.mps", 0u},
                                     {folder.write("plain.mps", text), 2u},
                                     {folder.write("packed.mps", gzipped(text)), 0u}}) {
        const auto source = openByteSource(path);
        EXPECT_EQ(countRowsSectionLines(*source), rows) << path;
        std::string read(text.size() + 1, '\0');
        std::size_t got = 0;
        while (const std::size_t more = source->read(read.data() + got, read.size() - got))
            got += more;
        EXPECT_EQ(read.substr(0, got), text) << path;
    }
    writer.join();
}

}  // namespace
}  // namespace orbxmps

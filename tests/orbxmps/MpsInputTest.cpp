#include <algorithm>
#include <tuple>

#include "MpsLineFeed.h"
#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

using namespace mpstest;

const std::string kModel = ::testsupport::testData("mps/small.mps");

// A model of many lines, larger than the reader's buffers and the inflate thread's blocks.
std::string largeModel(int columns) {
    std::string text = "NAME  LARGE\nROWS\n N  COST\n";
    for (int r = 0; r < 100; ++r) text += " L  R" + std::to_string(r) + "\n";
    text += "COLUMNS\n";
    for (int c = 0; c < columns; ++c) {
        const std::string name = "    COLUMN" + std::to_string(c);
        text += name + "  COST  " + std::to_string(c % 17) + ".25  R" + std::to_string(c % 100) +
                "  -1\n" + name + "  R" + std::to_string((c + 7) % 100) + "  0.5\n";
    }
    return text + "ENDATA\n";
}

// A model larger than the reader's buffers and the inflate thread's blocks is read alike too.
TEST(MpsInputTest, ReadsGzipByContentNotNameAndJoinsItsMembers) {
    TempFolder folder;
    const std::string expected = listing(readFile(folder.write("plain.mps", kModel)));
    // Blank and comment lines may follow ENDATA in the stream.
    EXPECT_EQ(listing(readFile(folder.write("packed.mps", gzipped(kModel + "\n* end\n")))),
              expected);
    EXPECT_EQ(listing(readFile(folder.write("plain.mps.gz", kModel))), expected);
    const std::string joined = gzipped(kModel.substr(0, 30)) + gzipped(kModel.substr(30));
    EXPECT_EQ(listing(readFile(folder.write("joined.mps.gz", joined))), expected);
    const std::string text = largeModel(60000);
    ASSERT_GT(text.size(), 3u * 1024 * 1024);
    const MatrixStore plain = readFile(folder.write("large.mps", text), MpsFormat::kFree);
    EXPECT_EQ(plain.elementCount(), 180000u);
    const MatrixStore packed =
        readFile(folder.write("large.mps.gz", gzipped(text)), MpsFormat::kFree);
    EXPECT_TRUE(listing(packed) == listing(plain)) << "the large model read unlike plain";
}

// Lines come in blocks of a few thousand: a line far into COLUMNS, many blocks on, is
// reported by its own number, whether it ends the read or only warns.
TEST(MpsInputTest, ReportsLinesManyBlocksOn) {
    const std::string model = largeModel(20000);
    const int line = 106 + 2 * 15000;  // COLUMN15000's second line, the original below
    const std::string original = "    COLUMN15000  R7  0.5\n";
    const std::size_t at = model.find(original);
    ASSERT_NE(at, std::string::npos);
    // The first two are errors; the others are warnings.
    const std::pair<const char*, const char*> cases[] = {
        {"    COLUMN15000  R7  0.5x\n", "value is not a number"},
        {"    COLUMN15000  R7  -4e38\n", "magnitude beyond 3.4e38"},
        {"    COLUMN15000  R0  0.5\n", "appears twice"},  // R0 is on the line before
        {"    COLUMN15000  R999  0.5\n", "unknown row 'R999'"},
    };
    // The values are parsed on either thread, as the balance of the moment has it: each way
    // reads the same model and reports the same lines.
    const std::string expected = listing(readText(model, MpsFormat::kFree));
    for (const ValueParsing parsing :
         {ValueParsing::kOnFeedThread, ValueParsing::kOnParserThread, ValueParsing::kBalanced}) {
        setValueParsing(parsing);
        SCOPED_TRACE(static_cast<int>(parsing));
        EXPECT_TRUE(listing(readText(model, MpsFormat::kFree)) == expected);
        for (const auto& [replacement, phrase] : cases) {
            SCOPED_TRACE(replacement);
            std::string text = model;
            text.replace(at, original.size(), replacement);
            if (phrase == cases[0].second || phrase == cases[1].second) {
                EXPECT_REJECTED_AT(text, line, phrase);
                continue;
            }
            const std::vector<std::string> warnings =
                readText(text, MpsFormat::kFree).warnings.texts();
            ASSERT_EQ(warnings.size(), 1u);
            EXPECT_TRUE(holds(warnings[0], "model.mps:" + std::to_string(line) + ": "));
            EXPECT_TRUE(holds(warnings[0], phrase));
        }
    }
    // Past COLUMNS the names' orders are sorted aside: an error there waits for the sorting.
    const std::size_t end = model.rfind("ENDATA");
    EXPECT_REJECTED_AT(model.substr(0, end) + "RHS\n    RHS  R7  x\n" + model.substr(end),
                       106 + 2 * 20000, "value is not a number");
}

TEST(MpsInputTest, RejectsTruncatedOrDamagedGzip) {
    TempFolder folder;
    const std::string packed = gzipped(largeModel(20000));
    // The lines inflated before the cut are read, and the message says how far that went.
    const std::string message = fileRejection(
        folder.write("cut.mps.gz", packed.substr(0, packed.size() / 2)), "truncated gzip stream");
    EXPECT_TRUE(holds(message, "(after line "));
    EXPECT_EQ(message.find("(after line 0)"), std::string::npos) << message;
    // Cut inside the trailer: all data inflated, ENDATA read, the check sum missing.
    fileRejection(folder.write("tail.mps.gz", packed.substr(0, packed.size() - 3)),
                  "truncated gzip stream");
    fileRejection(folder.write("trailing.mps.gz", gzipped(kModel) + "junk"), "damaged gzip stream");
    const std::string junk = "ROWS\n N  COST\nENDATA\n" + std::string(1000, ' ') + "\nJUNK\n";
    const std::string afterEnd =
        fileRejection(folder.write("junk.mps.gz", gzipped(junk + std::string(1 << 22, 'x'))));
    EXPECT_TRUE(holds(afterEnd, "junk.mps.gz:5: text after ENDATA"));
    // Whichever comes first, the stream's damage or the garbage it inflates to, ends the read.
    std::string damaged = packed;
    for (std::size_t i = packed.size() / 3; i < packed.size() / 3 + 64; ++i) damaged[i] ^= 0x5A;
    fileRejection(folder.write("damaged.mps.gz", damaged));
}

TEST(MpsInputTest, RejectsFilesThatCannotBeRead) {
    TempFolder folder;
    fileRejection(folder / "missing.mps", "cannot open: No such file or directory");
    fileRejection(folder.path(), "cannot read: Is a directory");
    const std::string bad = NORVA_TEST_DATA_DIR "/bad/";
    for (const auto& [file, line, phrase] :
         {std::tuple{"value_beyond_float.mps", 8, "does not fit the 32-bit model"},
          {"missing_endata.mps", 9, "without ENDATA"},
          {"nan_value.mps", 7, "value is not a number"},
          {"binary_junk.mps", 3, "binary data"}}) {
        const std::string message = fileRejection(bad + file);
        EXPECT_TRUE(message.starts_with(bad + file + ":" + std::to_string(line) + ": ")) << message;
        EXPECT_TRUE(holds(message, phrase));
    }
}

TEST(MpsInputTest, RejectsBinaryData) {
    std::string text = kModel;
    text[text.find("LIM1")] = '\0';  // line 5
    EXPECT_REJECTED_AT(text, 5, "binary data");
    EXPECT_REJECTED_AT("ROWS\n N  CO\rST\nENDATA\n", 2, "binary data");  // CR inside a line
    EXPECT_REJECTED_AT("* \x1b[31m\nROWS\n", 1, "binary data");          // comments too
    // The message stays printable.
    EXPECT_REJECTED_AT("ROWS\n N  CO\x01ST\nENDATA\n", 2, "\" N  CO?ST\"");
    std::string junk;
    for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
    EXPECT_REJECTED_AT(junk, 1, "binary data");
}

// Overlong lines, the limit itself allowed. A sparse file promises 64 GiB and holds a few
// bytes: the reader must not reserve for the promise (a sanitized build would abort on such a
// reservation).
TEST(MpsInputTest, RejectsOverlongLines) {
    const std::string head = "ROWS\n N  COST\nCOLUMNS\n";
    const std::string atLimit = "    X1  COST  1" + std::string(65536 - 15, ' ') + "\n";
    // Comments that start the next line 40,000 bytes before the first inflated MiB ends.
    std::string filler;
    while (head.size() + filler.size() + 200 < (1u << 20) - 40000)
        filler += std::string(99, '*') + "\n";
    filler += std::string((1u << 20) - 40000 - head.size() - filler.size() - 1, '*') + "\n";
    const auto fillerLines = static_cast<int>(std::count(filler.begin(), filler.end(), '\n'));
    TempFolder folder;
    for (const bool packed : {false, true}) {
        SCOPED_TRACE(packed ? "gzip" : "plain");
        const auto file = [&](const std::string& text) { return packed ? gzipped(text) : text; };
        EXPECT_REJECTED_AT(file(head + "    X1" + std::string(1000000, 'x') + "\nENDATA\n"), 4,
                           "line longer than 65536 characters");
        EXPECT_EQ(readText(file(head + atLimit + "ENDATA\n")).elementCount(), 1u);
        EXPECT_EQ(readText(file(head + filler + atLimit + "ENDATA\n")).elementCount(), 1u);
        EXPECT_REJECTED_AT(file(head + filler + " " + atLimit), 4 + fillerLines,
                           "longer than 65536");
        EXPECT_REJECTED_AT(file(head + std::string(70000, 'y')), 4, "longer than 65536");
    }
    const std::string path = folder.write("sparse.mps", head);
    std::filesystem::resize_file(path, std::uintmax_t{64} << 30);
    const std::string message = fileRejection(path);
    EXPECT_TRUE(holds(message, "sparse.mps:4: line longer than 65536"));
}

}  // namespace
}  // namespace orbxmps

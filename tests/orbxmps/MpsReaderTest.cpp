#include <tuple>

#include "MpsFields.h"
#include "MpsLineBlock.h"
#include "MpsLineReader.h"
#include "MpsTestSupport.h"
#include "NameOrder.h"
#include "NameOrdersAside.h"
#include "ParallelWork.h"

namespace orbxmps {
namespace {

using namespace mpstest;

// Each model against its expected listing under tests/data/orbxmps, whose '#' lines note what
// each model exercises.
TEST(MpsReaderTest, ReadsEachModelAsItsListing) {
    constexpr MpsFormat kAuto = MpsFormat::kAuto;
    const std::pair<const char*, MpsFormat> models[] = {// clang-format off
        {"small.mps", MpsFormat::kFree}, {"values.mps", kAuto}, {"bounds.mps", kAuto},
        {"no_set_names.mps", kAuto}, {"quadratic.mps", kAuto}, {"objective.mps", kAuto},
        {"sets.mps", kAuto}, {"conic.mps", kAuto}, {"repeats.mps", kAuto},
        {"other_sections.mps", kAuto}, {"blanks.mps", MpsFormat::kFixed}, {"blanks.mps", kAuto},
        {"../netlib/afiro.mps.gz", kAuto}};
    // clang-format on
    for (const auto& [file, format] : models) {
        SCOPED_TRACE(file);
        const std::string name = std::filesystem::path(file).filename().string();
        std::istringstream text(
            ::testsupport::testData("orbxmps/" + name.substr(0, name.find('.')) + ".txt"));
        std::string expected;
        for (std::string line; std::getline(text, line);)
            if (!line.starts_with('#')) expected += line + "\n";
        const std::string actual = listing(readFile(file, format));
        EXPECT_EQ(actual, expected);
    }
}

TEST(MpsReaderTest, RejectsBadInputAtItsLine) {
    const std::vector<TextCase> cases = textCases("mps/rejected.txt");
    ASSERT_EQ(cases.size(), 43u) << "tests/data/mps/rejected.txt missing or cut";
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_REJECTED_AT(c.text, c.line, c.phrase, c.format);
    }
    EXPECT_REJECTED_AT("ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\nRHS", 5, "without ENDATA");
    const std::string head = "ROWS\n N  COST\nCOLUMNS\n    X1  COST  ";
    for (const char* bad :
         {"nan", "NaN",   "inf",  "-inf", "-infinity", "Infinity", "1.0x",    "--1", "+-1",
          "-+1", "1,5",   "0x10", "1e",   "1e+",       "1E-",      "-",       "+",   ".",
          "-.",  "1.2.3", "1dd5", "12a",  "e5",        "1e5.0",    "1e00001x"}) {
        SCOPED_TRACE(bad);
        EXPECT_REJECTED_AT(head + bad + "\nENDATA\n", 4, "value is not a number");
    }
}

TEST(MpsReaderTest, ReadsBlankAndCommentLinesAfterEndataAndSameRowInEachColumn) {
    EXPECT_EQ(readText("ROWS\n N  COST\nENDATA\n\n* done\n   \n").rowCount(), 1u);
    // The per-row stamp must not confuse a later column with an earlier one.
    MatrixStore store = readText(
        "ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\n    X2  COST  2\n    X3  COST  3\nENDATA\n");
    EXPECT_EQ(store.elementCount(), 3u);
    store.ensureRowOrder();
    EXPECT_EQ(store.rowStart[1], 3u);
}

TEST(MpsReaderTest, ReadsObjectiveSenseForms) {
    const std::string rest = "ROWS\n N  COST\nENDATA\n";
    for (const char* form :
         {"OBJSENSE MAX\n", "OBJSENSE    MAXIMIZE\n", "OBJSENSE\n    MAX\n",
          "OBJSENSE\n\tMAXIMIZE\n", "OBJSENSE MIN\n", "OBJSENSE\n    MINIMIZE\n", ""}) {
        for (const MpsFormat format : {MpsFormat::kFree, MpsFormat::kFixed}) {
            SCOPED_TRACE(form);
            EXPECT_EQ(readText(std::string("NAME  S\n") + form + rest, format).maximise,
                      std::string(form).find("MAX") != std::string::npos);
        }
    }
}

// A shipped netlib model whose row names hold blanks, beyond what the netlib tests compare.
TEST(MpsNetlibTest, ReadsForplanOnlyByColumns) {
    const std::string forplan = NORVA_TEST_DATA_DIR "/netlib/forplan.mps.gz";
    EXPECT_THROW(readFile(forplan, MpsFormat::kFree), CMF_Exception);  // a blank in a name
    const MatrixStore fixed = readFile(forplan, MpsFormat::kFixed);
    EXPECT_GE(fixed.rowNames.find("DEDO3 1R"), 0);
    EXPECT_EQ(listing(readFile(forplan)), listing(fixed));
}

// After a load the name indexes are freed and lookups search the name order; they must answer
// as the index does: the first of repeated names, nothing for a name not there.
TEST(NameLookupTest, SearchingTheNameOrderAnswersAsTheIndex) {
    for (const char* file : {"repeats.mps", "unordered.mps"}) {
        SCOPED_TRACE(file);
        MatrixStore store = readFile(file, MpsFormat::kFree);
        store.ensureNameOrders();
        for (const auto& [names, find] : {std::pair{&store.rowNames, &MatrixStore::findRow},
                                          {&store.columnNames, &MatrixStore::findColumn}}) {
            std::vector<std::string> probes = {"GONE", "", "R", "X10"};
            for (std::size_t i = 0; i < names->size(); ++i) probes.emplace_back(names->name(i));
            ASSERT_FALSE(names->indexCurrent());
            std::vector<std::int64_t> byOrder;
            for (const std::string& probe : probes) byOrder.push_back((store.*find)(probe));
            ASSERT_FALSE(names->indexCurrent()) << "a lookup built the index";
            for (std::size_t k = 0; k < probes.size(); ++k)
                EXPECT_EQ(byOrder[k], names->find(probes[k])) << probes[k];
        }
    }
}

// A stored order is checked as the whole names compare: names that end before, at or past
// the 16th byte, that share 16 bytes, that hold bytes above 127, or repeat. The sorted order
// passes with its repeats found; swapping any two neighbours is caught where they meet, with
// the names laid out by position or in the swapped order. Laid out in the sorted order, the
// swapped order no longer finds its names where the one before it ends.
TEST(NameOrderTest, ChecksAStoredOrderAsTheWholeNamesCompare) {
    NameTable names;
    for (const char* name :
         {"ABCDEFGHIJKLMNOPQ", "AB", "ABCDEFGH", "ABCDEFGHIJKLMNOP", "A\xE9", "ABCDEFGHIJKLMNOPA",
          "ABCDEFG", "AB", "Az", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOPQ",
          "\xE9t\xE9", "ABCDEFGHI", "Zz", "A"})
        names.add(name);
    const PodVector<std::uint32_t> sorted = sortedNameOrder(names);
    const NameTable inOrder = layOutInOrder(names, sorted);
    for (const NameTable* table : {static_cast<const NameTable*>(&names), &inOrder}) {
        std::vector<std::uint32_t> repeats;
        EXPECT_EQ(nameOrderDamage(*table, sorted, repeats), "");
        EXPECT_EQ(repeats, (std::vector<std::uint32_t>{7, 10, 11}));
    }
    for (std::size_t k = 1; k < sorted.size(); ++k) {
        SCOPED_TRACE(k);
        PodVector<std::uint32_t> swapped;
        swapped.append(sorted.data(), sorted.size());
        std::swap(swapped[k - 1], swapped[k]);
        const std::string outOfOrder =
            "the name order is not the names' order, at position " + std::to_string(k);
        std::vector<std::uint32_t> repeats;
        EXPECT_EQ(nameOrderDamage(names, swapped, repeats), outOfOrder);
        EXPECT_EQ(nameOrderDamage(layOutInOrder(names, swapped), swapped, repeats), outOfOrder);
        EXPECT_EQ(
            nameOrderDamage(inOrder, swapped, repeats),
            "the names are not laid out in the name order, at position " + std::to_string(k - 1));
        EXPECT_EQ(inOrder.name(swapped[k]), names.name(swapped[k]));
    }
}

// Whichever thread sorts an order, it is the one-thread sort's; with threads barred none is
// sorted (the model sorts them). Either set of names may be the larger, which is sorted first.
TEST(NameOrdersAsideTest, SortsBothOrdersAsOneThreadWould) {
    const auto list = [](const PodVector<std::uint32_t>& order) {
        return std::vector<std::uint32_t>(order.begin(), order.end());
    };
    for (const auto& [rows, threads] : {std::pair{300, true}, {5000, true}, {5000, false}}) {
        MatrixStore store;
        for (int i = 0; i < rows; ++i) store.rowNames.add("R" + std::to_string(i * 7919 % rows));
        for (int i = 0; i < 5300 - rows; ++i) store.columnNames.add("C" + std::to_string(5300 - i));
        allowParallelWork(threads);
        NameOrdersAside sorts;
        sorts.start(store);
        sorts.finish();
        allowParallelWork(true);
        const auto sorted = [&](const NameTable& names) {
            return threads ? list(sortedNameOrder(names)) : std::vector<std::uint32_t>();
        };
        EXPECT_EQ(list(store.rowNameOrder), sorted(store.rowNames)) << rows;
        EXPECT_EQ(list(store.columnNameOrder), sorted(store.columnNames)) << rows;
    }
}

TEST(MpsFormatTest, ReadsCrlfAndMissingLineEnds) {
    const std::string lf = ::testsupport::testData("mps/small.mps");
    std::string crlf;
    for (const char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string expected = listing(readText(lf));
    for (const MpsFormat format : {MpsFormat::kFree, MpsFormat::kAuto}) {
        SCOPED_TRACE(static_cast<int>(format));
        EXPECT_EQ(listing(readText(crlf, format)), expected);
    }
    EXPECT_EQ(readText("ROWS\r\n N  COST\r\nENDATA", MpsFormat::kFixed).rowNames.name(0), "COST");
    EXPECT_EQ(readText("ROWS\n N  COST\nENDATA").rowCount(), 1u);  // no line end at the end
}

// Line ends at every place in the reader's windows and buffers; no end on the last line.
TEST(MpsLineReaderTest, SplitsLinesAsTheTextHoldsThem) {
    std::string text;
    std::size_t lines = 1;
    for (; text.size() < (2u << 20); ++lines)
        text.append(lines % 131, char('a' + lines % 26)) += '\n';
    text += "last";
    const ::testsupport::TempFolder folder;
    for (const std::string& path : {folder.write("a", text), folder.write("b", gzipped(text))}) {
        MpsLineReader reader(path);
        std::string read;
        for (std::string_view line; reader.next(line);) read.append(line) += '\n';
        EXPECT_EQ(read, text + '\n') << path;
        EXPECT_EQ(reader.lineNumber(), lines) << path;
    }
}

// Fixed fields by column (a blank set name keeps its place; column 48 belongs to no field),
// free fields between blanks and tabs (seven are too many), also in lines of more than 64
// characters read with the bytes after them; fields joined by '|', or the flags raised instead.
TEST(MpsFieldsTest, SplitsFixedFieldsByColumnAndFreeFieldsOnBlanksAndTabs) {
    constexpr MpsFormat kFixed = MpsFormat::kFixed, kFree = MpsFormat::kFree;
    const std::string stray = "    X1        COST               1.5   ROW2    ";
    const std::string across(60, 'n');  // a field over the 64th character
    const std::tuple<std::string, MpsFormat, bool, std::string> cases[] = {
        {" UP BND 1     COL A             12.5", kFixed, true, "UP|BND 1|COL A|12.5"},
        {"              ROW1           4", kFixed, false, "|ROW1|4"},
        {stray + "x", kFixed, false, "stray text"},
        {stray, kFixed, false, "X1|COST|1.5|ROW2"},
        {"  a\tbb  c \t", kFree, false, "a|bb|c"},
        {std::string(70, ' ') + "a bb\tc", kFree, false, "a|bb|c"},
        {" 1 2 3 4 5 6 7", kFree, false, "too many"},
        {"   " + across + "  R\t-1.5  " + across + " 2", kFree, false,
         across + "|R|-1.5|" + across + "|2"},
        {"    " + across + " " + std::string(63, 'm'), kFree, false,
         across + "|" + std::string(63, 'm')},
        {across + "    1 2 3 4 5 6" + across, kFree, false, "too many"},
    };
    const auto joined = [](const MpsFields& fields) {
        std::string text;
        for (int i = 0; i < fields.count; ++i) text += (i ? "|" : "") + std::string(fields[i]);
        const std::string flags =
            std::string(fields.strayText ? "stray text" : "") + (fields.tooMany ? "too many" : "");
        return flags.empty() ? text : flags;
    };
    MpsFields fields;  // one for all, as the reader keeps it: each split resets the flags
    for (const auto& [line, format, hasCodeField, expected] : cases) {
        SCOPED_TRACE(line);
        // The reader's buffer: the line's bytes, then others it may read.
        const std::string buffer = line + std::string(64, 'x');
        const std::string_view text = std::string_view(buffer).substr(0, line.size());
        for (const bool readablePastEnd : {false, true}) {
            splitMpsFields(text, format, hasCodeField, fields, readablePastEnd);
            EXPECT_EQ(joined(fields), expected);
        }
        // The line feed's split of short free lines into a record's places, expanded.
        MpsFieldSpans spans{};
        if (format == kFree && spans.splitShortFree(text)) {
            spans.expand(text, fields);
            EXPECT_EQ(joined(fields), expected);
        }
    }
}

}  // namespace
}  // namespace orbxmps

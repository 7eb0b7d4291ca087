#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>

#include "CliTestSupport.h"

// A model read with its work spread over threads (line filling, inflating, page warming,
// checksums, the two-thread sorts) must be the one read on one thread: the same dump, and for
// bad input the same message naming the same line. The models span many line blocks.
namespace {

enum class Names { kInOrder, kShuffled, kGrouped };

struct Shape {
    const char* label;
    Names names;
    int perLine;
    bool fixed;
    bool gzip;
};

constexpr int kRows = 3000;
constexpr int kColumns = 6000;
constexpr int kPerColumn = 5;

// A permutation of 0..count-1 from a fixed seed, so names come in no byte order.
std::vector<int> shuffled(int count, unsigned seed) {
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::minstd_rand(seed));
    return order;
}

std::string nameOf(char kind, int index, Names names, const std::string& prefix = {}) {
    static const std::vector<int> rowPlaces = shuffled(kRows, 7);
    static const std::vector<int> columnPlaces = shuffled(kColumns, 11);
    const std::vector<int>& places = kind == 'R' ? rowPlaces : columnPlaces;
    const int number = names == Names::kInOrder ? index : places[static_cast<std::size_t>(index)];
    char text[16];
    std::snprintf(text, sizeof text, names == Names::kGrouped ? "P_%c%05d" : "%c%07d", kind,
                  number);
    return prefix + text;
}

// One MPS data line: free form with spaces, or fixed form in its columns.
std::string dataLine(const Shape& shape, const std::vector<std::string>& fields) {
    std::string line;
    if (!shape.fixed) {
        for (const std::string& field : fields) line += "  " + field;
        return line + "\n";
    }
    static const std::size_t kStarts[] = {1, 4, 14, 24, 39, 49};
    for (std::size_t k = 0; k < fields.size(); ++k) {
        line.resize(kStarts[k], ' ');
        line += fields[k];
    }
    return line + "\n";
}

// The model's text, its coefficients from a fixed seed, each name behind the prefix.
std::string modelText(const Shape& shape, const std::string& prefix = {}, int columns = kColumns) {
    const auto name = [&](char kind, int index) {
        return nameOf(kind, index, shape.names, prefix);
    };
    std::string text = "NAME          SHAPES\nROWS\n N  COST\n";
    for (int r = 0; r < kRows; ++r)
        text += dataLine(shape, {std::string(1, "LGE"[r % 3]), name('R', r)});
    text += "COLUMNS\n";
    unsigned seed = 5;
    for (int c = 0; c < columns; ++c) {
        std::vector<std::string> fields = {"", name('C', c)};
        for (int k = 0; k < kPerColumn; ++k) {
            seed = seed * 1103515245u + 12345u;
            fields.push_back(name('R', (c + k * (kRows / kPerColumn)) % kRows));
            fields.push_back(std::to_string(static_cast<int>(seed >> 20) - 2048) + ".25");
            if (fields.size() < 2 + 2 * static_cast<std::size_t>(shape.perLine) &&
                k + 1 < kPerColumn)
                continue;
            text += dataLine(shape, fields);
            fields.resize(2);
        }
    }
    text += "RHS\n";
    for (int r = 0; r < kRows; r += 7)
        text += dataLine(shape, {"", "RHS", name('R', r), std::to_string(r)});
    text += "BOUNDS\n";
    for (int c = 0; c < columns; c += 5)
        text += dataLine(shape, {"UP", "BND", name('C', c), std::to_string(c + 1)});
    return text + "ENDATA\n";
}

class ReadThreadsToolTest : public CliToolTest {
protected:
    std::string write(const Shape& shape, const std::string& text) const {
        const std::string path = m_files.write(std::string(shape.label) + ".mps", text);
        if (!shape.gzip) return path;
        EXPECT_EQ(std::system(("gzip -1 -f '" + path + "'").c_str()), 0);
        return path + ".gz";
    }

    // Runs the command on the model both ways and expects the same, but for the load's time;
    // gives the run with threads.
    InspectRun expectSameRuns(const std::string& path, const char* command = "--dump") const {
        const InspectRun spread = run({command, path});
        ::setenv("NORVA_READ_THREADS", "1", 1);
        const InspectRun single = run({command, path});
        ::unsetenv("NORVA_READ_THREADS");
        EXPECT_EQ(spread.exitCode, single.exitCode);
        EXPECT_EQ(spread.err, single.err);
        const auto untimed = [](const std::string& out) {
            return out.substr(0, out.find("load_seconds:"));
        };
        EXPECT_TRUE(untimed(spread.out) == untimed(single.out)) << "the outputs differ";
        return spread;
    }
};

const Shape kShapes[] = {
    {"in-order", Names::kInOrder, 2, false, false}, {"shuffled", Names::kShuffled, 2, false, false},
    {"grouped", Names::kGrouped, 2, false, false},  {"grouped-1", Names::kGrouped, 1, false, false},
    {"fixed", Names::kShuffled, 2, true, false},    {"gzipped", Names::kShuffled, 1, false, true},
};

TEST_F(ReadThreadsToolTest, EveryShapeLoadsAlikeOnOneThreadOrMore) {
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.label);
        const InspectRun spread = expectSameRuns(write(shape, modelText(shape)));
        EXPECT_EQ(spread.exitCode, 0) << spread.err;
        EXPECT_TRUE(hasLine(spread.out, "rows " + std::to_string(kRows + 1)));
        EXPECT_TRUE(hasLine(spread.out, "columns " + std::to_string(kColumns)));
    }
}

// Past 2^18 coefficients their magnitudes are taken on a second thread.
TEST_F(ReadThreadsToolTest, StatsAreTheSameOnOneThreadOrMore) {
    const std::string path = write(kShapes[0], modelText(kShapes[0], {}, 60000));
    EXPECT_TRUE(hasLine(expectSameRuns(path, "--stats").out, "nonzeros: 300000"));
}

// Names of 13 to 39 characters are found as short ones are: without its names' shared prefix,
// a model's dump is the one of the model without it.
TEST_F(ReadThreadsToolTest, LongNamesNameTheSameRowsAsShortOnes) {
    const Shape& shape = kShapes[1];
    const std::string expected = run({"--dump", write(shape, modelText(shape))}).out;
    for (const std::string prefix : {"LONG_", "LONGER_NAMES_", "THE_LONGEST_NAMES_IN_THE_MODEL_"}) {
        SCOPED_TRACE(prefix);
        std::string dump = expectSameRuns(write(shape, modelText(shape, prefix))).out;
        for (std::size_t at; (at = dump.find(prefix)) != std::string::npos;)
            dump.erase(at, prefix.size());
        EXPECT_TRUE(dump == expected) << "the dumps differ";
    }
}

// Damage in the last column, blocks away from the start: a bad number ends the read, a row
// given twice is skipped with a warning; either way both runs name the same line.
TEST_F(ReadThreadsToolTest, DamageLateInColumnsIsReportedAtTheSameLine) {
    const Shape shape = kShapes[1];
    const std::string text = modelText(shape);
    const std::string column = nameOf('C', kColumns - 1, shape.names);
    const std::string row = nameOf('R', (kColumns - 1) % kRows, shape.names);
    const std::size_t first = text.find("    " + column + "  " + row + "  ");
    ASSERT_NE(first, std::string::npos);
    const std::size_t start = text.rfind('\n', first) + 1, end = text.find('\n', start);
    const auto line = std::count(text.begin(), text.begin() + first, '\n') + 1;
    ASSERT_GT(line, 10000);
    const std::pair<std::string, const char*> damages[] = {
        {"  " + column + "  " + row + "  1.5x", "is not a number"},
        {"  " + column + "  " + row + "  1  " + row + "  2", "twice"}};
    for (const auto& [replacement, phrase] : damages) {
        SCOPED_TRACE(replacement);
        std::string damaged = text;
        damaged.replace(start, end - start, replacement);
        const InspectRun spread = expectSameRuns(write(shape, damaged));
        const std::string where = "shuffled.mps:" + std::to_string(line) + ":";
        EXPECT_NE(spread.err.find(where), std::string::npos) << spread.err;
        EXPECT_NE(spread.err.find(phrase), std::string::npos) << spread.err;
    }
}

}  // namespace

// generate-mps: writes a deterministic, realistic LP in MPS for the reading benchmarks.
//
//   generate-mps --nonzeros N [--format free|fixed] [--names in-order|shuffled|grouped]
//                [--per-line 1|2] [--name-length L] [--per-column K] [--seed S] OUT
//
// About K non-zeros per column (eight unless given), four rows to every five columns, rows
// banded around each column's position with a few far-off links (as in staged planning
// models), E/L/G rows and spare N rows, integer marker blocks, RHS, RANGES on some rows of
// each type and bounds of every kind.
//
// The shape of the text is chosen apart from the model: names listed in byte order, shuffled
// (the default: real models seldom list them sorted), or shuffled with a handful of long
// common prefixes such as PRO_CR000123; one or two entries per line; the length of the names
// (8 by default, 12 when grouped; longer numbers pad with zeros). Fixed format needs names of
// at most eight characters.

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// splitmix64: the same stream on every platform, unlike the standard distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint64_t below(std::uint64_t n) { return next() % n; }
    bool chance(unsigned percent) { return below(100) < percent; }

private:
    std::uint64_t m_state;
};

enum class NameOrder { inOrder, shuffled, grouped };

struct Options {
    std::uint64_t nonzeros = 0;
    bool fixed = false;
    NameOrder order = NameOrder::shuffled;
    int perLine = 2;
    int nameLength = 0;  // 0: the order's default
    int perColumn = 8;
    std::uint64_t seed = 1;
    const char* out = nullptr;
};

class Writer {
public:
    Writer(std::FILE* file, bool fixed) : m_file(file), m_fixed(fixed) {}
    void raw(const char* text) { std::fputs(text, m_file); }
    // A data line: code (may be empty), then names and numbers in field order.
    void line(const char* code, const std::vector<std::string>& fields) {
        // Sized by the fields: names may be up to 64 characters, five fields a line.
        m_line.clear();
        m_line += ' ';
        m_line += code;
        if (m_fixed) {
            static const std::size_t kStart[] = {4, 14, 24, 39, 49};
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (m_line.size() < kStart[i]) m_line.resize(kStart[i], ' ');
                // Numbers sit right-aligned in their 12 columns, names left-aligned in 8.
                const bool number = i == 2 || i == 4;
                const std::size_t width = number ? 12 : 8;
                const std::size_t pad = fields[i].size() < width ? width - fields[i].size() : 0;
                if (number) m_line.append(pad, ' ');
                m_line += fields[i];
                if (!number) m_line.append(pad, ' ');
            }
        } else {
            for (const std::string& field : fields) {
                m_line += "  ";
                m_line += field;
            }
        }
        m_line += '\n';
        std::fwrite(m_line.data(), 1, m_line.size(), m_file);
    }

private:
    std::FILE* m_file;
    bool m_fixed;
    std::string m_line;
};

std::string padded(const char* prefix, std::uint64_t number, int width) {
    const std::string digits = std::to_string(number);
    std::string text(prefix);
    if (digits.size() < static_cast<std::size_t>(width)) text.append(width - digits.size(), '0');
    return text + digits;
}

std::uint64_t gcd(std::uint64_t a, std::uint64_t b) {
    while (b != 0) a = std::exchange(b, a % b);
    return a;
}

// Names of the rows (or columns), by their position in the file. Shuffled names are the
// positions under an affine permutation, which scatters neighbours across the whole range.
class Names {
public:
    Names(const char* const* prefixes, std::uint64_t count, NameOrder order, int length)
        : m_prefixes(prefixes), m_count(count), m_order(order) {
        m_groups = order == NameOrder::grouped ? 4 : 1;
        const std::uint64_t largest = (count + m_groups - 1) / m_groups;
        int digits = 1;
        for (std::uint64_t limit = 10; largest > limit; limit *= 10) ++digits;
        const int prefixLength = static_cast<int>(std::strlen(prefixes[0]));
        m_width = std::max(digits, length - prefixLength);
        m_step = count / 2 + 1 + count / 7;
        while (gcd(m_step, count) != 1) ++m_step;
    }
    std::string operator()(std::uint64_t position) const {
        if (m_order == NameOrder::inOrder) return padded(m_prefixes[0], position, m_width);
        __extension__ using Wide = unsigned __int128;
        const Wide product = static_cast<Wide>(position) * m_step + 12345;
        const auto index = static_cast<std::uint64_t>(product % m_count);
        return padded(m_prefixes[index % m_groups], index / m_groups, m_width);
    }
    std::size_t length() const { return std::strlen(m_prefixes[0]) + m_width; }

private:
    const char* const* m_prefixes;
    std::uint64_t m_count;
    NameOrder m_order;
    std::uint64_t m_groups = 1;
    std::uint64_t m_step = 1;
    int m_width = 0;
};

// Grouped prefixes have equal lengths, so every name of a kind has the same length.
constexpr const char* kRowPrefixes[] = {"R"};
constexpr const char* kColumnPrefixes[] = {"X"};
constexpr const char* kGroupedRowPrefixes[] = {"PRO_CR", "PRO_CB", "TRN_CF", "PRO_CD"};
constexpr const char* kGroupedColumnPrefixes[] = {"PRO_XP", "PRO_XS", "TRN_XF", "PRO_XB"};

// Varied magnitudes and spellings: many +-1, others from 1e-3 to 1e4 at several precisions.
std::string coefficient(Random& random) {
    char buffer[32];
    const bool negative = random.chance(35);
    if (random.chance(30)) return negative ? "-1" : "1";
    const double mantissa = 1.0 + static_cast<double>(random.below(900000)) / 100000.0;
    const int exponent = static_cast<int>(random.below(8)) - 3;
    double value = mantissa;
    for (int i = 0; i < exponent; ++i) value *= 10.0;
    for (int i = 0; i > exponent; --i) value /= 10.0;
    const int precision = 3 + static_cast<int>(random.below(4));
    std::snprintf(buffer, sizeof buffer, "%s%.*g", negative ? "-" : "", precision, value);
    return buffer;
}

struct Model {
    std::uint64_t rows = 0;
    std::uint64_t columns = 0;
    Names rowName;
    Names columnName;
    int perLine = 2;
    std::uint64_t perColumn = 8;
};

Model shapeOf(const Options& options) {
    const auto perColumn = static_cast<std::uint64_t>(options.perColumn);
    const std::uint64_t columns = options.nonzeros / perColumn + 1;
    const std::uint64_t rows = options.nonzeros * 4 / (5 * perColumn) + 2;
    const bool grouped = options.order == NameOrder::grouped;
    const int length = options.nameLength > 0 ? options.nameLength : grouped ? 12 : 8;
    return {
        rows,
        columns,
        Names(grouped ? kGroupedRowPrefixes : kRowPrefixes, rows, options.order, length),
        Names(grouped ? kGroupedColumnPrefixes : kColumnPrefixes, columns, options.order, length),
        options.perLine,
        perColumn};
}

void writeRows(Writer& out, const Model& model, Random& random, std::vector<char>& types) {
    out.raw("ROWS\n");
    types.assign(model.rows, 'N');
    for (std::uint64_t r = 0; r < model.rows; ++r) {
        if (r > 0 && r % 997 != 0) {
            const std::uint64_t pick = random.below(10);
            types[r] = pick < 3 ? 'E' : pick < 7 ? 'L' : 'G';
        }
        const char code[2] = {types[r], 0};
        out.line(code, {model.rowName(r)});
    }
}

// Rows of one column: a band around the column's place in the row order, some far links,
// often the objective. Sorted, without repeats.
void pickRows(const Model& model, std::uint64_t column, Random& random,
              std::vector<std::uint64_t>& rows) {
    rows.clear();
    if (random.chance(50)) rows.push_back(0);
    const std::uint64_t home = 1 + column * (model.rows - 1) / model.columns;
    // perColumn on average, within five either way where it allows.
    const std::uint64_t spread = std::min<std::uint64_t>(11, 2 * model.perColumn - 1);
    const std::uint64_t count = model.perColumn - spread / 2 + random.below(spread);
    for (std::uint64_t k = 0; k < count; ++k) {
        std::uint64_t row = 1 + random.below(model.rows - 1);
        if (!random.chance(12)) {
            const std::int64_t near =
                static_cast<std::int64_t>(home) + static_cast<std::int64_t>(random.below(81)) - 40;
            const auto last = static_cast<std::int64_t>(model.rows) - 1;
            row = static_cast<std::uint64_t>(near < 1 ? 1 : near > last ? last : near);
        }
        bool seen = false;
        for (const std::uint64_t r : rows) seen = seen || r == row;
        if (!seen) rows.push_back(row);
    }
}

std::uint64_t writeColumns(Writer& out, const Model& model, Random& random) {
    out.raw("COLUMNS\n");
    std::vector<std::uint64_t> rows;
    std::uint64_t written = 0;
    bool integer = false;
    for (std::uint64_t c = 0; c < model.columns; ++c) {
        if (c % 200 == 0 && !integer) {
            out.line("", {"MARKER", "'MARKER'", "", "'INTORG'"});
            integer = true;
        } else if (c % 200 == 10 && integer) {
            out.line("", {"MARKER", "'MARKER'", "", "'INTEND'"});
            integer = false;
        }
        pickRows(model, c, random, rows);
        const std::string column = model.columnName(c);
        for (std::size_t k = 0; k < rows.size(); k += model.perLine) {
            std::vector<std::string> fields{column, model.rowName(rows[k]), coefficient(random)};
            if (model.perLine == 2 && k + 1 < rows.size()) {
                fields.push_back(model.rowName(rows[k + 1]));
                fields.push_back(coefficient(random));
            }
            out.line("", fields);
        }
        written += rows.size();
    }
    if (integer) out.line("", {"MARKER", "'MARKER'", "", "'INTEND'"});
    return written;
}

// Writes "set row value [row value]" lines for the rows chosen by keep.
template <typename Keep, typename Value>
void writeRowValues(Writer& out, const Model& model, const char* set, Keep keep, Value value) {
    std::vector<std::string> fields{set};
    for (std::uint64_t r = 0; r < model.rows; ++r) {
        if (!keep(r)) continue;
        fields.push_back(model.rowName(r));
        fields.push_back(value(r));
        if (fields.size() == 1 + 2 * static_cast<std::size_t>(model.perLine)) {
            out.line("", fields);
            fields.resize(1);
        }
    }
    if (fields.size() > 1) out.line("", fields);
}

void writeBounds(Writer& out, const Model& model, Random& random) {
    static const char* const kKinds[] = {"UP", "LO", "FX", "FR", "MI",
                                         "PL", "BV", "LI", "UI", "SC"};
    out.raw("BOUNDS\n");
    for (std::uint64_t c = 0; c < model.columns; ++c) {
        if (!random.chance(25)) continue;
        const char* kind = kKinds[random.below(10)];
        const std::string column = model.columnName(c);
        const bool valueless = std::strcmp(kind, "FR") == 0 || std::strcmp(kind, "MI") == 0 ||
                               std::strcmp(kind, "PL") == 0 || std::strcmp(kind, "BV") == 0;
        if (valueless) {
            out.line(kind, {"BND", column});
            continue;
        }
        std::string value = coefficient(random);
        // Negative UP values (a third of them) free the column below; a positive LO gets
        // an upper bound above it first.
        if (std::strcmp(kind, "LO") == 0 && value[0] != '-') out.line("UP", {"BND", column, "1e5"});
        out.line(kind, {"BND", column, value});
    }
}

void writeRhsAndRanges(Writer& out, const Model& model, Random& random,
                       const std::vector<char>& types) {
    out.raw("RHS\n");
    writeRowValues(
        out, model, "RHS", [&](std::uint64_t r) { return r == 0 || random.chance(60); },
        [&](std::uint64_t) { return coefficient(random); });
    out.raw("RANGES\n");
    writeRowValues(
        out, model, "RNG", [&](std::uint64_t r) { return types[r] != 'N' && random.chance(3); },
        [&](std::uint64_t r) {
            std::string value = coefficient(random);
            // E rows get both signs; elsewhere the sign does not matter.
            if (types[r] == 'E' && r % 2 == 0 && value[0] != '-') value = '-' + value;
            return value;
        });
}

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--nonzeros" && i + 1 < argc) {
            options.nonzeros = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--seed" && i + 1 < argc) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--format" && i + 1 < argc) {
            const std::string format = argv[++i];
            if (format != "free" && format != "fixed") return false;
            options.fixed = format == "fixed";
        } else if (arg == "--names" && i + 1 < argc) {
            const std::string order = argv[++i];
            if (order == "in-order")
                options.order = NameOrder::inOrder;
            else if (order == "shuffled")
                options.order = NameOrder::shuffled;
            else if (order == "grouped")
                options.order = NameOrder::grouped;
            else
                return false;
        } else if (arg == "--per-line" && i + 1 < argc) {
            options.perLine = std::atoi(argv[++i]);
            if (options.perLine != 1 && options.perLine != 2) return false;
        } else if (arg == "--per-column" && i + 1 < argc) {
            options.perColumn = std::atoi(argv[++i]);
            if (options.perColumn < 1 || options.perColumn > 1000) return false;
        } else if (arg == "--name-length" && i + 1 < argc) {
            options.nameLength = std::atoi(argv[++i]);
            if (options.nameLength < 2 || options.nameLength > 64) return false;
        } else if (arg[0] != '-' && options.out == nullptr) {
            options.out = argv[i];
        } else {
            return false;
        }
    }
    return options.nonzeros > 0 && options.out != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: generate-mps --nonzeros N [--format free|fixed]\n"
                     "                    [--names in-order|shuffled|grouped] [--per-line 1|2]\n"
                     "                    [--name-length L] [--per-column K] [--seed S] OUT\n");
        return 2;
    }
    const Model model = shapeOf(options);
    if (options.fixed && (model.rowName.length() > 8 || model.columnName.length() > 8)) {
        std::fprintf(stderr, "generate-mps: names longer than 8 characters do not fit fixed MPS\n");
        return 2;
    }
    std::FILE* file = std::fopen(options.out, "wb");
    if (file == nullptr) {
        std::perror(options.out);
        return 1;
    }
    static char buffer[1 << 20];
    std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
    Writer out(file, options.fixed);
    Random random(options.seed);
    std::vector<char> types;
    std::fprintf(file, "NAME          GEN%" PRIu64 "\n", options.nonzeros);
    writeRows(out, model, random, types);
    const std::uint64_t written = writeColumns(out, model, random);
    writeRhsAndRanges(out, model, random, types);
    writeBounds(out, model, random);
    out.raw("ENDATA\n");
    const bool failed = std::ferror(file) != 0;
    if (std::fclose(file) != 0 || failed) {
        std::perror(options.out);
        return 1;
    }
    std::fprintf(stderr, "%" PRIu64 " rows, %" PRIu64 " columns, %" PRIu64 " non-zeros\n",
                 model.rows, model.columns, written);
    return 0;
}

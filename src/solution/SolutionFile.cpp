#include "SolutionFile.h"

#include <locale.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "RegularTextFile.h"
#include "StringTable.h"

// Solution file: three header lines, then one "NAME VALUE" entry per line; further words are
// ignored. Choices where the format leaves room:
// - a line is read whole up to a bound far beyond any entry, so an over-long line is one entry,
//   never split in two; a line beyond the bound (a device, an endless line) refuses the file,
//   and since entries are applied only once the whole file was read, it changes nothing;
// - a line without words re-applies the previous entry and a name without a value takes the
//   previous value, but before the first complete entry either sets nothing.

namespace {

constexpr int kHeaderLines = 3;

// The "C" locale, made once: the file uses a decimal point whatever the process locale is.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

// atof's reading: the leading number of text, 0.0 when there is none.
double leadingNumber(const char* text) {
    const locale_t locale = cLocale();
    if (locale == static_cast<locale_t>(0)) return std::strtod(text, nullptr);
    return strtod_l(text, nullptr, locale);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Up to two blank-separated words of a line. The second is returned as a pointer into the
// NUL-terminated line, so that the number is read exactly where the word begins.
struct EntryWords {
    int count = 0;
    std::string_view name;
    const char* value = nullptr;
};

EntryWords splitEntry(const char* line) {
    EntryWords words;
    const char* p = line;
    while (isBlank(*p)) ++p;
    if (*p == '\0') return words;
    const char* nameEnd = p;
    while (*nameEnd != '\0' && !isBlank(*nameEnd)) ++nameEnd;
    words.name = std::string_view(p, static_cast<std::size_t>(nameEnd - p));
    words.count = 1;
    p = nameEnd;
    while (isBlank(*p)) ++p;
    if (*p == '\0') return words;
    words.value = p;
    words.count = 2;
    return words;
}

// The entry that later lines fall back on.
struct PreviousEntry {
    std::string name;
    double value = 0.0;
    bool complete = false;
};

// A value to set on a named column.
using Assignment = std::pair<std::string, double>;

void readEntry(const char* line, PreviousEntry& entry, std::vector<Assignment>& assignments) {
    const EntryWords words = splitEntry(line);
    if (words.count >= 1) entry.name.assign(words.name);
    if (words.count == 2) {
        entry.value = leadingNumber(words.value);
        entry.complete = true;
    }
    if (entry.complete) assignments.emplace_back(entry.name, entry.value);
}

// The assignments of every entry line, in order; false with reason set when the file cannot be
// read to its end.
bool readAssignments(std::FILE* file, std::vector<Assignment>& assignments, std::string& reason) {
    PreviousEntry entry;
    std::string line;
    for (long long lineNumber = 1;; ++lineNumber) {
        const LineRead got = readBoundedLine(file, line);
        if (got == LineRead::kEnd) {
            if (std::ferror(file) == 0) return true;
            reason = "the file could not be read to its end";
            return false;
        }
        if (got == LineRead::kTooLong) {
            reason = lineTooLongReason(lineNumber);
            return false;
        }
        if (lineNumber > kHeaderLines) readEntry(line.c_str(), entry, assignments);
    }
}

}  // namespace

bool ReadSolutionFile(orbxmps::ORBObject* object, const std::string& path, IUserInterface& ui) {
    if (object == nullptr || object->getColumnManager() == nullptr) {
        ui.messageBox("Error", strings::text(strings::kNoValidOrbManager));
        return false;
    }
    const orbxmps::ORBColumnManager& columns = *object->getColumnManager();
    const std::string cannotOpen = strings::text(strings::kUnableToOpenSolutionFile) + path;
    std::string reason;
    bool missing = false;
    const FilePointer file = openRegularFile(path, reason, &missing);
    if (!file) {
        // A missing file keeps its message as it always was; other refusals say why.
        ui.messageBox("Error", missing ? cannotOpen : cannotOpen + "\n\n" + reason);
        return false;
    }
    std::vector<Assignment> assignments;
    if (!readAssignments(file.get(), assignments, reason)) {
        ui.messageBox("Error", cannotOpen + "\n\n" + reason + ".");
        return false;
    }
    for (const auto& [name, value] : assignments) {
        const orbxmps::ORBColumn column = columns.findColumn(name);
        if (column) column.setSolutionValue(value);
    }
    return true;
}

namespace {

// The library's column status number 1..5 as a record status code 2..6.
std::int32_t statusCodeOfLibraryStatus(int status) {
    return status >= 1 && status <= 5 ? status + 1 : 1;
}

constexpr std::int32_t kRowRecordStatus = 3;  // "Basic"

bool isObjectiveRow(std::string_view name) { return name.starts_with("OBJ"); }

// Costs come from the objective rows' coefficients, placed by library column position; a
// later objective row overwrites an earlier one. Throws std::out_of_range for a column
// number outside the list, which a consistent library never gives.
void placeColumnCosts(orbxmps::ORBObject& object, PrimalLists& lists) {
    const orbxmps::ORBRowManager& rows = *object.getRowManager();
    const orbxmps::ORBElementManager& elements = *object.getElementManager();
    for (orbxmps::ORBRow row = rows.firstRow(); row; row = rows.nextRow(row)) {
        if (!isObjectiveRow(row.name())) continue;
        for (orbxmps::ORBElement e = elements.firstElementOfRow(row.index()); e;
             e = elements.nextElementOfRow(e)) {
            if (e.value() == 0.0) continue;
            const auto position = static_cast<std::size_t>(e.columnIndex() - 1);
            lists.columns.at(position).Cost = static_cast<float>(e.value());
        }
    }
}

}  // namespace

bool LoadPrimalColumnsFromLibrary(orbxmps::ORBObject& object, PrimalLists& lists) {
    lists.ClearPrimalColumns();
    const orbxmps::ORBColumnManager* columns = object.getColumnManager();
    if (columns == nullptr || object.getRowManager() == nullptr ||
        object.getElementManager() == nullptr)
        return false;
    lists.columns.reserve(columns->columnCount());
    for (orbxmps::ORBColumn c = columns->firstColumn(); c; c = columns->nextColumn(c)) {
        CPrimalCol record;
        record.Name = c.name();
        record.Activity = static_cast<float>(c.activity());
        record.MarginalValue = static_cast<float>(c.reducedCost());
        record.Cost = 0.0f;
        record.Status = statusCodeOfLibraryStatus(c.statusCode());
        lists.AddPrimalColumn(std::move(record));
    }
    placeColumnCosts(object, lists);
    return true;
}

bool LoadPrimalRowsFromLibrary(orbxmps::ORBObject& object, PrimalLists& lists) {
    lists.ClearPrimalRows();
    const orbxmps::ORBRowManager* rows = object.getRowManager();
    if (rows == nullptr) return false;
    lists.rows.reserve(rows->rowCount());
    for (orbxmps::ORBRow r = rows->firstRow(); r; r = rows->nextRow(r)) {
        CPrimalRow record;
        record.Name = r.name();
        record.Activity = static_cast<float>(r.activity());
        record.MarginalValue = static_cast<float>(r.dualValue());
        record.Status = kRowRecordStatus;
        lists.AddPrimalRow(std::move(record));
    }
    return true;
}

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "CBaseTbl.h"
#include "CIoStrCell.h"
#include "CIoTable.h"
#include "RequestResolution.h"

namespace {

using Record = std::vector<std::optional<std::string>>;

// A backend that serves records from memory through the layer's own request resolution, with
// switches that make each step fail or throw.
class MemoryTbl : public CBaseTbl {
public:
    struct Switches {
        bool failOpen = false, failRead = false, failClose = false;
        bool throwOpen = false, throwRead = false, throwClose = false;
    };

    MemoryTbl(ColumnDescriptionList columns, std::vector<Record> records, Switches switches,
              int* closeCount = nullptr)
        : m_records(std::move(records)), m_switches(switches), m_closeCount(closeCount) {
        m_columns = std::move(columns);
    }

    int Kind() const override { return 99; }
    bool Open(const CIoTableDescription& description) override {
        if (m_switches.throwOpen) throw std::runtime_error("server went away");
        if (m_switches.failOpen) reporter().error("cannot open " + description.tableName);
        return !m_switches.failOpen;
    }
    bool Close(int flag) override {
        if (m_closeCount) ++*m_closeCount;
        if (m_switches.throwClose) throw std::runtime_error("close broke");
        return flag == 1 && !m_switches.failClose;
    }
    bool Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
              const std::string& columns) override {
        ResolvedRequest request;
        if (!resolveRequest(m_columns, keyColumns, keyValues, columns, reporter(), request))
            return false;
        for (const Record& record : m_records) {
            if (!selects(request, record)) continue;
            if (m_switches.throwRead) throw std::runtime_error("lost the cursor");
            rows.push_back(makeRow(request, record));
        }
        return !m_switches.failRead;
    }

private:
    bool selects(const ResolvedRequest& request, const Record& record) const {
        for (std::size_t k = 0; k < request.keys.size(); ++k) {
            const int index = request.keys[k].Index();
            if (index < 0) continue;
            const std::string& value = request.keyValues[k];
            if (!matchesPattern(record[index].value_or(""), value, false)) return false;
        }
        return true;
    }
    std::unique_ptr<CIoCell> makeCell(int index, const Record& record) const {
        std::unique_ptr<CIoCell> cell = makeEmptyCell(m_columns[index].sqlType);
        if (!record[index]) return cell;
        if (m_columns[index].sqlType == 1)
            cell->SetText(record[index]->c_str());
        else
            cell->SetNumber(std::stod(*record[index]));
        return cell;
    }
    std::unique_ptr<CIoRow> makeRow(const ResolvedRequest& request, const Record& record) const {
        auto row = std::make_unique<CIoRow>();
        for (int index : request.valueColumns) row->ValueCells().push_back(makeCell(index, record));
        for (const CIoKeyCell& key : request.keys) {
            if (key.Index() >= 0) {
                row->KeyCells().push_back(makeCell(key.Index(), record));
                continue;
            }
            auto placeholder = std::make_unique<CIoStrCell>();
            placeholder->SetFlags(placeholder->Flags() & ~kCellMadeFlag);
            row->KeyCells().push_back(std::move(placeholder));
        }
        return row;
    }

    std::vector<Record> m_records;
    Switches m_switches;
    int* m_closeCount;
};

ColumnDescriptionList solutionColumns() {
    return {{"SolutionID", 4}, {"RowName", 1}, {"Activity", 8}};
}

std::vector<Record> solutionRecords() {
    return {{"1", "R1", "2.5"}, {"1", "R2", std::nullopt}, {"2", "R1", "-4"}};
}

CIoTable readMemory(const std::string& keys, const std::string& values, const std::string& columns,
                    MemoryTbl::Switches switches = {}, int* closeCount = nullptr) {
    CIoTableDescription description;
    description.tableName = "PrPrimalRow";
    return CIoTable(
        std::make_unique<MemoryTbl>(solutionColumns(), solutionRecords(), switches, closeCount),
        description, keys, values, columns);
}

std::string firstMessage(const CIoTable& table) {
    return table.Messages().empty() ? std::string() : table.Messages().front().text;
}

TEST(CIoTable, ReadsValueAndKeyCellsThroughTheBackend) {
    int closes = 0;
    const CIoTable table = readMemory("SolutionID", "*", "RowName,Activity", {}, &closes);
    ASSERT_EQ(table.Status(), kTableRead);
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_EQ(closes, 1);
    // A star key still carries the key's value in every row.
    EXPECT_EQ(table.KeyAsLong(2, 0), 2);
    EXPECT_EQ(table.KeyAsString(0, 0), "1");
    EXPECT_EQ(table.ValueAsString(0, 0), "R1");
    EXPECT_DOUBLE_EQ(table.ValueAsDouble(0, 1), 2.5);
    EXPECT_EQ(table.ValueAsLong(2, 1), -4);
    // A NULL activity: an empty double cell.
    EXPECT_EQ(table.ValueAsString(1, 1), "");
    EXPECT_DOUBLE_EQ(table.ValueAsDouble(1, 1), 0.0);
    EXPECT_TRUE(table.Messages().empty());
}

TEST(CIoTable, KeysSelectRowsAndEmptyPiecesGivePlaceholders) {
    const CIoTable table = readMemory("SolutionID,,RowName", "1,anything,R2", "Activity");
    ASSERT_EQ(table.Status(), kTableRead);
    ASSERT_EQ(table.RowCount(), 1);
    const CIoRow& row = *table.Rows()[0];
    ASSERT_EQ(row.KeyCells().size(), 3u);
    EXPECT_EQ(row.KeyCells()[1]->Flags() & kCellMadeFlag, 0u);
    EXPECT_EQ(table.KeyAsString(0, 1), "");
    EXPECT_EQ(table.KeyAsString(0, 2), "R2");
    EXPECT_EQ(row.RowNumber(), kRowMadeWhileReading);
}

TEST(CIoTable, AMissingColumnFailsTheReadButStillCloses) {
    int closes = 0;
    const CIoTable table = readMemory("SolutionID", "1", "Activity,Cost", {}, &closes);
    EXPECT_EQ(table.Status(), kTableNotRead);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(firstMessage(table), "Can Not Find Extract Column [Cost].");
    EXPECT_EQ(closes, 1);
}

// A step that fails or throws ends in its status with its message; the table is closed
// whenever it was opened, and a close that fails keeps the rows read.
TEST(CIoTable, EachFailingStepEndsInItsStatus) {
    using S = MemoryTbl::Switches;
    const struct {
        const char* what;
        S switches;
        int status, closes, rows;  // closes and rows unchecked when negative
        const char* message;       // unchecked when null
    } cases[] = {
        {"open fails", S{.failOpen = true}, kTableNotOpened, 0, 0, "cannot open PrPrimalRow"},
        {"read and close fail", S{.failRead = true, .failClose = true}, kTableNotRead, 1, -1,
         nullptr},
        {"close fails", S{.failClose = true}, kTableNotClosed, 1, 3, nullptr},
        {"open throws", S{.throwOpen = true}, kTableNotOpened, -1, 0,
         "Unable to open table [PrPrimalRow]\n\nserver went away"},
        {"read throws", S{.throwRead = true}, kTableNotRead, 1, 0,
         "An error occurred while trying to retrieve a record in table PrPrimalRow.\n\nlost the "
         "cursor"},
        {"close throws", S{.throwClose = true}, kTableNotClosed, 1, 3,
         "An error occurred while trying to close table [PrPrimalRow]\n\nclose broke"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        int closes = 0;
        const CIoTable table = readMemory("", "", "*", test.switches, &closes);
        EXPECT_EQ(table.Status(), test.status);
        if (test.closes >= 0) {
            EXPECT_EQ(closes, test.closes);
        }
        if (test.rows >= 0) {
            EXPECT_EQ(table.RowCount(), test.rows);
        }
        if (test.message != nullptr) {
            EXPECT_EQ(firstMessage(table), test.message);
        }
    }
}

TEST(CIoTable, IndexErrorsThrowInvalidArgument) {
    const CIoTable table = readMemory("SolutionID", "2", "Activity");
    ASSERT_EQ(table.RowCount(), 1);
    EXPECT_THROW(table.ValueAsDouble(1, 0), std::invalid_argument);
    EXPECT_THROW(table.ValueAsDouble(-1, 0), std::invalid_argument);
    EXPECT_THROW(table.ValueAsString(0, 1), std::invalid_argument);
    EXPECT_THROW(table.ValueAsLong(0, -1), std::invalid_argument);
    EXPECT_THROW(table.KeyAsLong(0, 1), std::invalid_argument);
    EXPECT_THROW(table.KeyAsString(3, 0), std::invalid_argument);
    EXPECT_EQ(table.KeyAsLong(0, 0), 2);
}

TEST(CIoTable, AKindWithoutBackendIsNotOpened) {
    const CIoTable table(static_cast<CDatabase*>(nullptr), "PrCase", "", "", "*", 5);
    EXPECT_EQ(table.Status(), kTableNotOpened);
    EXPECT_EQ(firstMessage(table), "Unable to open table [PrCase]");
    EXPECT_EQ(table.Description().kind, 5);
}

}  // namespace

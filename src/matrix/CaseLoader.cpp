#include "CaseLoader.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>

#include "MatrixModelOps.h"
#include "StringTable.h"

namespace {

constexpr const char* kErrorCaption = "Error";
constexpr std::size_t kMaxReasonLength = 1000;

std::string clipped(const std::string& text) { return text.substr(0, kMaxReasonLength); }

void showMessage(IUserInterface& ui, int id, const std::string& argument) {
    ui.messageBox(kErrorCaption, strings::format(id, argument));
}

// Positions in the row and column lists of "MATX", checked on every use.
class CaseNames {
public:
    explicit CaseNames(const MatrixModel& model) : m_model(model) {}
    const char* row(std::size_t k) const {
        if (k >= m_model.rowNameTable.size()) throw outside(k, "row", m_model.rowNameTable.size());
        return m_model.rowNameTable[k];
    }
    const char* column(std::size_t k) const {
        if (k >= m_model.columns.size()) throw outside(k, "column", m_model.columns.size());
        return m_model.columns[k].cName();
    }

private:
    static std::out_of_range outside(std::size_t k, const char* what, std::size_t size) {
        return std::out_of_range("Invalid argument: " + std::string(what) + " position " +
                                 std::to_string(k) + " is outside the " + std::to_string(size) +
                                 " of the case");
    }
    const MatrixModel& m_model;
};

class CaseLoad {
public:
    CaseLoad(ILoomConnection& connection, MatrixModel& model, PrimalLists& primal,
             IUserInterface& ui)
        : m_connection(connection), m_model(model), m_primal(primal), m_ui(ui), m_names(model) {}

    bool run() {
        return readMatrix() && readRhs() && readBounds() && readRowTypes() && readPrimalRows() &&
               readPrimalColumns();
    }

private:
    std::unique_ptr<ILoomTable> open(const std::string& name) {
        std::unique_ptr<ILoomTable> table;
        try {
            table = m_connection.OpenTable(name);
        } catch (const std::exception&) {
            table.reset();
        }
        if (!table) showMessage(m_ui, strings::kLoomTableOpen, name);
        return table;
    }

    // A throw while a table's contents are read: its text, then 157 for the table.
    bool guarded(const std::string& table, const std::function<void()>& read) {
        std::string reason;
        try {
            read();
            return true;
        } catch (const std::exception& exception) {
            reason = exception.what();
        }
        m_ui.messageBox(kErrorCaption, clipped(reason));
        showMessage(m_ui, strings::kLoomTableRead, table);
        return false;
    }

    bool readMatrix() {
        const std::unique_ptr<ILoomTable> table = open("MATX");
        if (!table) return false;
        std::unique_ptr<ILoomNameSet> rowSet;
        std::unique_ptr<ILoomNameSet> columnSet;
        try {
            rowSet = table->RowSet();
        } catch (const std::exception&) {
            rowSet.reset();
        }
        if (!rowSet) {
            showMessage(m_ui, strings::kLoomRowSetOpen, "MATX");
            return false;
        }
        try {
            columnSet = table->ColumnSet();
        } catch (const std::exception&) {
            columnSet.reset();
        }
        if (!columnSet) {
            showMessage(m_ui, strings::kLoomColSetOpen, "MATX");
            return false;
        }
        return guarded("MATX", [&] {
            addRows(*table, *rowSet);
            addColumns(*table, *columnSet);
        });
    }

    static std::vector<std::string> namesOf(ILoomNameSet& set, std::int32_t count) {
        if (count < 0) throw LoomCallError("the table reports a negative size");
        std::vector<std::string> names = set.Names(count);
        if (names.size() != static_cast<std::size_t>(count))
            throw LoomCallError("the set gives " + std::to_string(names.size()) +
                                " names for a table of " + std::to_string(count));
        return names;
    }

    void addRows(ILoomTable& table, ILoomNameSet& set) {
        const std::vector<std::string> names = namesOf(set, table.RowCount());
        // Rows of an earlier read would point into the table that assign() replaces.
        if (!m_model.rowNameTable.empty()) throw std::logic_error("the case's rows read twice");
        const bool fresh = m_model.rows.empty();
        m_model.rowNameTable.assign(names);
        m_model.rows.reserve(names.size());
        for (std::size_t k = 0; k < names.size(); ++k)
            m_model.rows.emplace(m_model.rowNameTable[k], '?', static_cast<std::uint32_t>(k));
        m_model.rowsPairedWithTable = fresh;
    }

    // Columns are views into one coefficient block, so the records are grouped by column
    // before any column is made. Records before a bad one are kept; the bad one then throws.
    void addColumns(ILoomTable& table, ILoomNameSet& set) {
        const std::vector<std::string> names = namesOf(set, table.ColumnCount());
        const std::vector<LoomMatrixRecord> records = table.MatrixData();
        const std::size_t rowCount = m_model.rowNameTable.size();
        std::size_t good = 0;
        std::vector<std::uint32_t> starts(names.size() + 1, 0);
        for (; good < records.size(); ++good) {
            const LoomMatrixRecord& record = records[good];
            if (record.column < 0 || static_cast<std::size_t>(record.column) >= names.size() ||
                record.row < 0 || static_cast<std::size_t>(record.row) >= rowCount)
                break;
            ++starts[static_cast<std::size_t>(record.column) + 1];
        }
        for (std::size_t j = 1; j < starts.size(); ++j) starts[j] += starts[j - 1];
        m_model.entries.allocate(good, names.size());
        std::copy(starts.begin(), starts.end(), m_model.entries.ownedStarts());
        m_model.entries.setRowNames(m_model.rowNameTable.names());
        std::uint32_t* rows = m_model.entries.ownedRows();
        double* values = m_model.entries.ownedValues();
        std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
        for (std::size_t i = 0; i < good; ++i) {
            const LoomMatrixRecord& record = records[i];
            const std::uint32_t at = next[static_cast<std::size_t>(record.column)]++;
            rows[at] = static_cast<std::uint32_t>(record.row);
            values[at] = record.value;
        }
        m_model.columns.reserve(names.size());
        for (std::size_t j = 0; j < names.size(); ++j)
            m_model.columns.emplace(std::string_view(m_model.names.store(names[j])), starts[j],
                                    starts[j + 1] - starts[j]);
        if (good < records.size()) {
            const LoomMatrixRecord& bad = records[good];
            throw std::out_of_range("Invalid argument: coefficient record " + std::to_string(good) +
                                    " names column " + std::to_string(bad.column) + " and row " +
                                    std::to_string(bad.row) + ", outside the " +
                                    std::to_string(names.size()) + " columns and " +
                                    std::to_string(rowCount) + " rows of the case");
        }
    }

    bool readRhs() {
        const std::unique_ptr<ILoomTable> table = open("RHSX");
        if (!table) return false;
        return guarded("RHSX", [&] {
            const LoomGrid data = table->Data();
            for (std::size_t k = 0; k < data.rows.size(); ++k) {
                const float value = data.at(k, 0);
                if (value != 0.0f) m_model.rhs.emplace(m_names.row(k), value);
            }
        });
    }

    bool readBounds() {
        const std::unique_ptr<ILoomTable> limits = open("POLX");
        if (!limits) return false;
        const std::unique_ptr<ILoomTable> kinds = open("TYPX");
        if (!kinds) return false;
        return guarded("POLX", [&] {
            const LoomGrid data = limits->Data();
            const auto count = static_cast<std::int32_t>(data.rows.size());
            const std::vector<std::string> texts = kinds->CellTexts(count, 0);
            if (texts.size() != data.rows.size())
                throw LoomCallError("\"TYPX\" gives " + std::to_string(texts.size()) +
                                    " texts for " + std::to_string(count) + " bounds");
            for (std::size_t k = 0; k < data.rows.size(); ++k) addBounds(k, data, texts[k]);
        });
    }

    void addBounds(std::size_t k, const LoomGrid& data, const std::string& text) {
        const float lower = data.at(k, 0);
        const bool lowerKind = text == "UP" || text == "PL";
        const bool upperKind = text == "MI";
        if (lower != 0.0f || lowerKind)
            m_model.bounds.emplace(m_names.column(k), lower, kBoundLower);
        const float upper = data.at(k, 1);
        if (upper != 0.0f || upperKind)
            m_model.bounds.emplace(m_names.column(k), upper, kBoundUpper);
    }

    bool readRowTypes() {
        const std::unique_ptr<ILoomTable> table = open("SENX");
        if (!table) return false;
        return guarded("SENX", [&] {
            const std::int32_t count = table->RowCount();
            const std::vector<std::string> texts = table->CellTexts(count, 0);
            for (std::size_t k = 0; k < texts.size(); ++k) {
                m_names.row(k);
                // Decision: an empty text has no first character to take; it is a bad table.
                if (texts[k].empty())
                    throw LoomCallError("row " + std::to_string(k) + " has an empty type text");
                m_model.rows[k].setType(texts[k].front());
            }
        });
    }

    bool readPrimalRows() {
        const std::unique_ptr<ILoomTable> table = open("ROWX");
        if (!table) return false;
        return guarded("ROWX", [&] {
            const LoomGrid data = table->Data();
            for (std::size_t k = 0; k < data.rows.size(); ++k)
                m_primal.AddPrimalRow({m_names.row(k), data.at(k, 0), data.at(k, 1), 0});
        });
    }

    bool readPrimalColumns() {
        const std::unique_ptr<ILoomTable> table = open("COLX");
        if (!table) return false;
        return guarded("COLX", [&] {
            const LoomGrid data = table->Data();
            for (std::size_t k = 0; k < data.rows.size(); ++k)
                m_primal.AddPrimalColumn(
                    {m_names.column(k), data.at(k, 0), data.at(k, 1), data.at(k, 2), 0});
        });
    }

    ILoomConnection& m_connection;
    MatrixModel& m_model;
    PrimalLists& m_primal;
    IUserInterface& m_ui;
    CaseNames m_names;
};

}  // namespace

bool LoadLoomCase(ILoomConnector* connector, const std::string& processName, MatrixModel& model,
                  PrimalLists& primal, IUserInterface& ui) {
    if (processName.empty()) {
        ui.messageBox(kErrorCaption, strings::text(strings::kLoomProcessNameRequired));
        return false;
    }
    std::unique_ptr<ILoomConnection> connection;
    try {
        if (connector == nullptr)
            throw LoomCallError("This program was built without a modelling-server connection.");
        connection = connector->Connect();
        if (!connection) throw LoomCallError("The modelling server gave no connection.");
    } catch (const std::exception& failure) {
        ui.messageBox(kErrorCaption,
                      clipped(failure.what()) + "\n" + strings::text(strings::kLoomInstall));
        return false;
    }
    try {
        connection->SetProcessName(processName);
    } catch (const std::exception&) {
        showMessage(ui, strings::kLoomProcessName, processName);
        return false;
    }
    if (!CaseLoad(*connection, model, primal, ui).run()) return false;
    SortMatrixModel(model);
    primal.SortPrimalLists();
    return true;
}

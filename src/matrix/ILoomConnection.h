#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// The modelling server as the case loader sees it. An object obtained from it is released when
// its owner is destroyed, so every path out of a load releases what it took.

// A call to the server failed; what() is the server's or the bus's own description.
class LoomCallError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One coefficient record of the "MATX" table, positions 0-based in its row and column sets.
struct LoomMatrixRecord {
    std::int32_t column;
    std::int32_t row;
    float value;
};

// The data array of a table other than "MATX": rows of numbers, indexed (k, field).
struct LoomGrid {
    std::vector<std::vector<float>> rows;

    // Throws std::out_of_range naming both indexes when the cell is not there.
    float at(std::size_t k, std::size_t field) const;
};

// A row set or column set of a table.
class ILoomNameSet {
public:
    virtual ~ILoomNameSet() = default;
    // The names at positions 0 .. count-1. Throws LoomCallError when the server fails.
    virtual std::vector<std::string> Names(std::int32_t count) = 0;
};

class ILoomTable {
public:
    virtual ~ILoomTable() = default;
    virtual std::int32_t RowCount() = 0;
    virtual std::int32_t ColumnCount() = 0;
    // Null when the server has no such set; may throw LoomCallError.
    virtual std::unique_ptr<ILoomNameSet> RowSet() = 0;
    virtual std::unique_ptr<ILoomNameSet> ColumnSet() = 0;
    // The "MATX" data array.
    virtual std::vector<LoomMatrixRecord> MatrixData() = 0;
    // The data array of any other table.
    virtual LoomGrid Data() = 0;
    // The texts of cells (0, column) .. (count-1, column), as CellText would give them one by one.
    virtual std::vector<std::string> CellTexts(std::int32_t count, std::int32_t column) = 0;
};

class ILoomConnection {
public:
    virtual ~ILoomConnection() = default;
    virtual void SetProcessName(const std::string& name) = 0;
    // Null or LoomCallError when the table cannot be opened.
    virtual std::unique_ptr<ILoomTable> OpenTable(const std::string& name) = 0;
};

// Makes connections to the server; the document holds one.
class ILoomConnector {
public:
    virtual ~ILoomConnector() = default;
    // Throws LoomCallError with the reason when the server cannot be reached.
    virtual std::unique_ptr<ILoomConnection> Connect() = 0;
};

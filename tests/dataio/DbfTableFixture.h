#pragma once

#include <gtest/gtest.h>

#include <string>

#include "CDbfTbl.h"
#include "DbfFileBuilder.h"
#include "TableMessages.h"
#include "TempFolder.h"

namespace testsupport {

// A DBF backend over files that a test writes into its own folder.
class DbfTableFixture : public testing::Test {
protected:
    std::string write(const DbfFileBuilder& builder, const std::string& name = "table.dbf") {
        return m_folder.write(name, builder.bytes());
    }

    bool open(const std::string& path) {
        CIoTableDescription description;
        description.tableName = path;
        description.kind = 7;
        return m_table.Open(description);
    }

    bool openBuilt(const DbfFileBuilder& builder) { return open(write(builder)); }

    bool read(const std::string& keyColumns, const std::string& keyValues,
              const std::string& columns) {
        return m_table.Read(m_rows, keyColumns, keyValues, columns);
    }

    // Every message so far, one a line, each preceded by E (error) or W (warning).
    std::string messages() const { return messageLines(m_table.reporter().messages(), true); }

    const CIoCell& value(std::size_t row, std::size_t column) const {
        return *m_rows.at(row)->ValueCells().at(column);
    }
    const CIoCell& key(std::size_t row, std::size_t index) const {
        return *m_rows.at(row)->KeyCells().at(index);
    }

    TempFolder m_folder;
    CDbfTbl m_table;
    IoRowList m_rows;
};

}  // namespace testsupport

// The DBF reader: every column of every record.
#include "CDbfTbl.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CIoTableDescription description;
    description.tableName = writeFuzzInput("table.dbf", fuzzBytes(data, size));
    description.kind = 7;
    CDbfTbl table;
    if (table.Open(description)) {
        IoRowList rows;
        table.Read(rows, "", "", "*");
        table.Close(0);
    }
    return 0;
}

#include "TableRequest.h"

#include <string>

#include "CIoTable.h"
#include "OutputBuffer.h"

namespace {

CIoTableDescription describeRequest(const TableRequestArguments& request) {
    CIoTableDescription description;
    description.tableName = request.name;
    description.kind = request.kind;
    description.connect = request.connect;
    return description;
}

void writeRow(const CIoRow& row, OutputBuffer& out) {
    bool first = true;
    const auto writeCells = [&](const std::vector<std::unique_ptr<CIoCell>>& cells) {
        for (const auto& cell : cells) {
            if (!first) out.put('\t');
            out.write(cell->AsString());
            first = false;
        }
    };
    writeCells(row.ValueCells());
    writeCells(row.KeyCells());
    out.put('\n');
}

void writeMessages(const CIoTable& table, std::FILE* err) {
    for (const TableMessage& message : table.Messages()) {
        const char* severity =
            message.severity == TableMessageSeverity::kError ? "error" : "warning";
        std::fprintf(err, "norva-inspect: %s: %s\n", severity, message.text.c_str());
    }
}

}  // namespace

int runTableRequest(const TableRequestArguments& request, std::FILE* out, std::FILE* err) {
    const CIoTable table(describeRequest(request), request.keys, request.values, request.columns);
    writeMessages(table, err);
    OutputBuffer buffer(out);
    buffer.write("status " + std::to_string(table.Status()) + "\n");
    buffer.write("rows " + std::to_string(table.RowCount()) + "\n");
    for (const auto& row : table.Rows()) writeRow(*row, buffer);
    if (!buffer.flush()) {
        std::fprintf(err, "norva-inspect: could not write the output\n");
        return 1;
    }
    return table.Status() == kTableRead ? 0 : 1;
}

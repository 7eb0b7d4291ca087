#include "DumpWriter.h"

#include <cstddef>
#include <string_view>

namespace {

void writeCountLine(std::string_view label, std::size_t count, OutputBuffer& out) {
    out.write(label);
    out.put(' ');
    out.writeInteger(static_cast<long long>(count));
    out.put('\n');
}

void writeRows(const MatrixModel& model, OutputBuffer& out) {
    writeCountLine("rows", model.rows.size(), out);
    for (const CRow& row : model.rows) {
        out.write(row.name());
        out.put(' ');
        out.put(row.type());
        out.put('\n');
    }
}

void writeColumns(const MatrixModel& model, OutputBuffer& out) {
    writeCountLine("columns", model.columns.size(), out);
    for (const CCol& column : model.columns) {
        out.write(column.name());
        out.put(' ');
        out.writeInteger(static_cast<long long>(column.coefficientCount()));
        out.put('\n');
        for (std::size_t i = 0; i < column.coefficientCount(); ++i) {
            const CRowValue coefficient = model.entries.coefficient(column, i);
            out.put(' ');
            out.write(coefficient.name());
            out.put(' ');
            out.writeFloat(coefficient.value());
            out.put('\n');
        }
    }
}

void writeRowValues(std::string_view label, const CSortableTypedPtrArray<CRowValue>& values,
                    OutputBuffer& out) {
    writeCountLine(label, values.size(), out);
    for (const CRowValue& value : values) {
        out.write(value.name());
        out.put(' ');
        out.writeFloat(value.value());
        out.put('\n');
    }
}

void writeBounds(const MatrixModel& model, OutputBuffer& out) {
    writeCountLine("bounds", model.bounds.size(), out);
    for (const CBound& bound : model.bounds) {
        out.write(bound.name());
        out.put(' ');
        out.writeInteger(bound.kind());
        out.put(' ');
        out.writeFloat(bound.value());
        out.put('\n');
    }
}

void writePrimalRows(const PrimalLists& primal, OutputBuffer& out) {
    writeCountLine("primal_rows", primal.rows.size(), out);
    for (const CPrimalRow& row : primal.rows) {
        out.write(row.Name);
        out.put(' ');
        out.writeFloat(row.Activity);
        out.put(' ');
        out.writeFloat(row.MarginalValue);
        out.put(' ');
        out.writeInteger(row.Status);
        out.put('\n');
    }
}

void writePrimalColumns(const PrimalLists& primal, OutputBuffer& out) {
    writeCountLine("primal_columns", primal.columns.size(), out);
    for (const CPrimalCol& column : primal.columns) {
        out.write(column.Name);
        out.put(' ');
        out.writeFloat(column.Activity);
        out.put(' ');
        out.writeFloat(column.MarginalValue);
        out.put(' ');
        out.writeFloat(column.Cost);
        out.put(' ');
        out.writeInteger(column.Status);
        out.put('\n');
    }
}

}  // namespace

void writeDump(const MatrixModel& model, const PrimalLists& primal, OutputBuffer& out) {
    writeRows(model, out);
    writeColumns(model, out);
    writeRowValues("rhs", model.rhs, out);
    writeRowValues("ranges", model.ranges, out);
    writeBounds(model, out);
    writePrimalRows(primal, out);
    writePrimalColumns(primal, out);
}

#include "SubmatrixRefresh.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "SubmatrixRows.h"

void RefreshSubmatrix(Submatrix& submatrix, orbxmps::ORBObject* library) {
    std::vector<std::string> rowNames;
    rowNames.reserve(submatrix.rowCount());
    for (std::size_t r = 0; r < submatrix.rowCount(); ++r)
        rowNames.push_back(submatrix.row(r).name);
    std::set<std::string, std::less<>> columnNames;
    for (std::size_t c = 0; c < submatrix.columnCount(); ++c)
        columnNames.insert(submatrix.column(c).name);
    submatrix.clear();

    if (library == nullptr) return;
    const orbxmps::ORBRowManager* rows = library->getRowManager();
    const orbxmps::ORBElementManager* elements = library->getElementManager();
    const orbxmps::ORBColumnManager* columns = library->getColumnManager();
    if (rows == nullptr || elements == nullptr || columns == nullptr) return;
    for (const std::string& name : rowNames) {
        const orbxmps::ORBRow row = rows->findRow(name);
        if (!row) continue;
        const std::uint32_t position = addLibraryRow(submatrix, row);
        for (orbxmps::ORBElement element = elements->firstElementOfRow(row.index()); element;
             element = elements->nextElementOfRow(element)) {
            const double value = element.value();
            orbxmps::ORBColumn column;
            if (value == 0.0 || !columns->columnByIndex(element.columnIndex(), &column)) continue;
            if (columnNames.contains(column.name()))
                submatrix.addCoefficient(column.name(), position, static_cast<float>(value));
        }
    }
}

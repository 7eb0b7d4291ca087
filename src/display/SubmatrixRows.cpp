#include "SubmatrixRows.h"

#include "ModelFromLibrary.h"

char rowTypeLetter(const orbxmps::ORBRow& row) { return rowTypeCharacter(row.typeCode()); }

std::uint32_t addLibraryRow(Submatrix& submatrix, const orbxmps::ORBRow& row) {
    const double rhs = row.rhs();
    return submatrix.addRow(row.name(), rowTypeLetter(row),
                            rhs == 0.0 ? 0.0f : static_cast<float>(rhs));
}

bool AddRows(Submatrix& submatrix, orbxmps::ORBObject* library,
             const std::vector<std::string>& names) {
    if (names.empty()) return true;
    if (library == nullptr) return false;
    const orbxmps::ORBRowManager* rows = library->getRowManager();
    if (rows == nullptr) return false;
    const orbxmps::ORBElementManager* elements = library->getElementManager();
    const orbxmps::ORBColumnManager* columns = library->getColumnManager();
    for (const std::string& name : names) {
        const orbxmps::ORBRow row = rows->findRow(name);
        if (!row || submatrix.findRow(name)) continue;
        if (elements == nullptr || columns == nullptr) return false;
        const std::uint32_t position = addLibraryRow(submatrix, row);
        for (orbxmps::ORBElement element = elements->firstElementOfRow(row.index()); element;
             element = elements->nextElementOfRow(element)) {
            const double value = element.value();
            orbxmps::ORBColumn column;
            if (value == 0.0 || !columns->columnByIndex(element.columnIndex(), &column)) continue;
            submatrix.addCoefficient(column.name(), position, static_cast<float>(value));
        }
    }
    return true;
}

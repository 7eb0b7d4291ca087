#include "ServedCaseFromModel.h"

#include <memory>

#include "AsciiCase.h"
#include "MatrixLibraryLoad.h"
#include "ModelFromLibrary.h"
#include "OpenPath.h"
#include "PrimalLists.h"
#include "SolutionFile.h"

namespace {

using orbxmps::kInfinity;

struct LibraryObject {
    explicit LibraryObject(orbxmps::ORBObject* object) : get(object) {}
    ~LibraryObject() {
        if (get != nullptr) get->release();
    }
    LibraryObject(const LibraryObject&) = delete;
    LibraryObject& operator=(const LibraryObject&) = delete;
    orbxmps::ORBObject* get;
};

QString text(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void addRows(const orbxmps::ORBRowManager& rows, const PrimalLists* solution, ServedCase& served) {
    ServedTable& rhs = served.tables["RHSX"];
    ServedTable& senx = served.tables["SENX"];
    ServedTable& rowx = served.tables["ROWX"];
    senx.textColumns.resize(1);
    for (orbxmps::ORBRow row = rows.firstRow(); row; row = rows.nextRow(row)) {
        served.rows.append(text(row.name()));
        rhs.data.append(QList<double>{row.rhs()});
        const char* type = RowTypeText(rowTypeCharacter(row.typeCode()));
        senx.data.append(QList<double>{0.0});
        senx.textColumns[0].append(QString::fromLatin1(type));
        if (solution == nullptr) continue;
        const CPrimalRow* primal = solution->FindPrimalRow(row.name());
        rowx.data.append(
            QList<double>{primal ? primal->Activity : 0.0, primal ? primal->MarginalValue : 0.0});
    }
}

void addColumns(const orbxmps::ORBColumnManager& columns,
                const orbxmps::ORBElementManager& elements, const PrimalLists* solution,
                ServedCase& served) {
    ServedTable& polx = served.tables["POLX"];
    ServedTable& typx = served.tables["TYPX"];
    ServedTable& colx = served.tables["COLX"];
    typx.textColumns.resize(1);
    served.records.reserve(static_cast<qsizetype>(elements.elementCount()));
    qint32 position = 0;
    for (orbxmps::ORBColumn column = columns.firstColumn(); column;
         column = columns.nextColumn(column), ++position) {
        served.columns.append(text(column.name()));
        for (orbxmps::ORBElement element = elements.firstElementOfColumn(column.index()); element;
             element = elements.nextElementOfColumn(element))
            served.records.append({position, element.row().index() - 1, element.value()});
        const double lower = column.lowerBound();
        const double upper = column.upperBound();
        polx.data.append(
            QList<double>{lower > -kInfinity ? lower : 0.0, upper < kInfinity ? upper : 0.0});
        typx.data.append(QList<double>{0.0});
        typx.textColumns[0].append(QString::fromLatin1(BoundTypeText(lower, upper)));
        if (solution == nullptr) continue;
        const CPrimalCol* primal = solution->FindPrimalColumn(column.name());
        colx.data.append(QList<double>{primal ? primal->Activity : 0.0,
                                       primal ? primal->MarginalValue : 0.0,
                                       primal ? primal->Cost : 0.0});
    }
}

}  // namespace

const char* BoundTypeText(double lower, double upper) {
    const bool lowerFinite = lower > -kInfinity;
    const bool upperFinite = upper < kInfinity;
    if (!lowerFinite) return upperFinite ? "MI" : "FR";
    if (!upperFinite) return "PL";
    return upper == 0.0 && lower != 0.0 ? "MI" : "UP";
}

const char* RowTypeText(char type) {
    switch (type) {
        case 'E':
            return "EQ";
        case 'L':
            return "LE";
        case 'G':
            return "GE";
        default:
            return "NR";
    }
}

bool ServedCaseFromModel(const std::string& modelPath, const std::string& solutionPath,
                         ServedCase& served, IUserInterface& ui) {
    const OpenPath parts = SplitOpenPath(modelPath);
    const LibraryLoad load =
        LoadMatrixIntoLibrary(modelPath, parts, equalsIgnoreAsciiCase(parts.extension, "orb"), ui);
    const LibraryObject object(load.object);
    if (load.status != LibraryLoadStatus::kLoaded) return false;
    std::unique_ptr<PrimalLists> solution;
    if (!solutionPath.empty()) {
        if (!ReadSolutionFile(object.get, solutionPath, ui)) return false;
        solution = std::make_unique<PrimalLists>();
        LoadPrimalColumnsFromLibrary(*object.get, *solution);
        LoadPrimalRowsFromLibrary(*object.get, *solution);
        solution->SortPrimalLists();
    }
    const orbxmps::ORBRowManager* rows = object.get->getRowManager();
    const orbxmps::ORBColumnManager* columns = object.get->getColumnManager();
    const orbxmps::ORBElementManager* elements = object.get->getElementManager();
    if (rows == nullptr || columns == nullptr || elements == nullptr) {
        ui.messageBox("Error", "The matrix library gave no model for " + modelPath);
        return false;
    }
    addRows(*rows, solution.get(), served);
    addColumns(*columns, *elements, solution.get(), served);
    return true;
}

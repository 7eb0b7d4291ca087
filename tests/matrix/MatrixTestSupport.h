#pragma once

#include <memory>
#include <sstream>

#include "IResultsDatabase.h"
#include "MatrixModel.h"
#include "PrimalLists.h"
#include "StoreBuilder.h"
#include "TempFolder.h"
#include "TestData.h"
#include "TextHolds.h"
#include "orbxmps.h"

namespace matrixtest {

using orbxmps::testsupport::StoreBuilder;
using testsupport::fileText;
using testsupport::TempFolder;
using testsupport::testData;

// A model as text: rows, columns with their coefficients, right-hand sides, ranges and bounds,
// each in the model's order, floats to the digits that tell them apart.
inline std::string modelListing(const MatrixModel& model) {
    std::ostringstream out;
    out.precision(9);
    for (const CRow& row : model.rows) out << "row " << row.name() << ' ' << row.type() << '\n';
    for (const CCol& column : model.columns) {
        out << "column " << column.name() << ':';
        for (std::size_t k = 0; k < column.coefficientCount(); ++k)
            out << ' ' << model.entries.coefficient(column, k).name() << '='
                << model.entries.coefficient(column, k).value();
        out << '\n';
    }
    for (const CRowValue& rhs : model.rhs)
        out << "rhs " << rhs.name() << ' ' << rhs.value() << '\n';
    for (const CRowValue& range : model.ranges)
        out << "range " << range.name() << ' ' << range.value() << '\n';
    for (const CBound& bound : model.bounds)
        out << "bound " << bound.name() << ' ' << bound.kind() << ' ' << bound.value() << '\n';
    return out.str();
}

struct ObjectReleaser {
    void operator()(orbxmps::ORBObject* object) const {
        if (object != nullptr) object->release();
    }
};
using ObjectPtr = std::unique_ptr<orbxmps::ORBObject, ObjectReleaser>;

// A new matrix object, to be filled through its store.
inline ObjectPtr newObject() {
    orbxmps::ORBObject* raw = nullptr;
    if (!orbxmps::ORBObjectFactory(&raw)) throw std::runtime_error("no matrix object");
    return ObjectPtr(raw);
}

// Records every call in order, with the properties as they were at open and at the first
// reader call; answers as configured. Readers add records out of name order so that the
// caller's sort shows.
class RecordingResultsDatabase : public IResultsDatabase {
public:
    bool OpenResultsDatabase(AutomationProperties& properties) override {
        calls.push_back("Open");
        atOpen = properties;
        return openSucceeds;
    }
    bool FindSolution(const AutomationProperties& properties) override {
        return record("FindSolution", properties) && findSucceeds;
    }
    bool FindSolutionOfCase(const AutomationProperties& properties, int caseNumber) override {
        return record("FindSolutionOfCase " + std::to_string(caseNumber), properties);
    }
    bool ReadPrimalColumns(const AutomationProperties& properties, int caseNumber,
                           PrimalLists& lists) override {
        readerCases.push_back(caseNumber);
        return record("ReadPrimalColumns", properties) && addColumns(lists);
    }
    bool ReadPrimalRows(const AutomationProperties& properties, int caseNumber,
                        PrimalLists& lists) override {
        readerCases.push_back(caseNumber);
        return record("ReadPrimalRows", properties) && addRows(lists);
    }
    bool ReadPlainPrimalColumns(const AutomationProperties& properties,
                                PrimalLists& lists) override {
        return record("ReadPlainPrimalColumns", properties) && addColumns(lists);
    }
    bool ReadPlainPrimalRows(const AutomationProperties& properties, PrimalLists& lists) override {
        return record("ReadPlainPrimalRows", properties) && addRows(lists);
    }
    void CloseIfOpen() override { calls.push_back("Close"); }

    bool openSucceeds = true;
    bool findSucceeds = true;
    std::vector<std::string> calls;
    std::vector<int> readerCases;  // the case each primal reader was asked for, in call order
    AutomationProperties atOpen;
    AutomationProperties atFirstReader;

private:
    bool record(const std::string& call, const AutomationProperties& properties) {
        if (!sawReader) atFirstReader = properties;
        sawReader = true;
        calls.push_back(call);
        return true;
    }
    static bool addColumns(PrimalLists& lists) {
        lists.ClearPrimalColumns();
        lists.AddPrimalColumn({"Y2", 3.0f, 0.0f, 0.0f, 3});
        lists.AddPrimalColumn({"X1", 2.0f, 0.5f, 1.0f, 3});
        return true;
    }
    static bool addRows(PrimalLists& lists) {
        lists.ClearPrimalRows();
        lists.AddPrimalRow({"cap", 1.0f, 0.0f, 3});
        lists.AddPrimalRow({"Cap", 4.0f, 0.0f, 5});
        return true;
    }
    bool sawReader = false;
};

}  // namespace matrixtest

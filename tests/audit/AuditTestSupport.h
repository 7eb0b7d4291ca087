#pragma once

#include <sstream>

#include "../analysis/AnalysisTestSupport.h"
#include "TestData.h"

namespace audittest {

// A model of tests/data/audit opened as File Open does, with a solution read from a file of
// lines "R name activity marginal status" and "C name activity marginal cost status".
struct AuditedModel : analysistest::LoadedModel {
    AuditedModel(const std::string& model, const std::string& solution)
        : LoadedModel("audit/" + model) {
        if (solution.empty()) return;
        std::istringstream in(testsupport::testData("audit/" + solution));
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line);
            std::string tag, name, status;
            float activity = 0, marginal = 0, cost = 0;
            fields >> tag >> name >> activity >> marginal;
            if (tag == "C") fields >> cost;
            fields >> status;
            if (tag == "R")
                doc.primal().AddPrimalRow({name, activity, marginal, StatusCodeOfText(status)});
            if (tag == "C")
                doc.primal().AddPrimalColumn(
                    {name, activity, marginal, cost, StatusCodeOfText(status)});
        }
        doc.primal().SortPrimalLists();
    }
};

}  // namespace audittest

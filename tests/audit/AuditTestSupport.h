#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "IUserInterface.h"
#include "PrimalLists.h"

namespace audittest {

inline std::string dataPath(const std::string& name) {
    return std::string(NORVA_TEST_DATA_DIR) + "/audit/" + name;
}

// A model of tests/data/audit opened as File Open does, with a solution read from a file of
// lines "R name activity marginal status" and "C name activity marginal cost status".
struct AuditedModel {
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};

    AuditedModel(const std::string& model, const std::string& solution) {
        EXPECT_TRUE(doc.OnOpenDocument(dataPath(model))) << ui.lastMessage;
        if (solution.empty()) return;
        std::ifstream in(dataPath(solution));
        EXPECT_TRUE(in) << solution;
        std::string line;
        while (std::getline(in, line)) {
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

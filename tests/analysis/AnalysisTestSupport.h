#pragma once

#include <gtest/gtest.h>

#include <string>

#include "CNorvaDoc.h"

namespace analysistest {

inline std::string dataFile(const std::string& name) {
    return std::string(NORVA_TEST_DATA_DIR) + "/" + name;
}

// A document holding one model read from tests/data, as File Open reads it.
struct LoadedModel {
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};

    explicit LoadedModel(const std::string& name) {
        EXPECT_TRUE(doc.OnOpenDocument(dataFile(name))) << name << ": " << ui.lastMessage;
    }
    const MatrixModel& model() const { return doc.model(); }
};

}  // namespace analysistest

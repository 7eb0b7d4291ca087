#include "ResultsTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace resultstest {

std::string examplePath(const std::string& name) {
    return std::string(NORVA_TEST_DATA_DIR) + "/../../examples/" + name;
}

std::string copyExample(const TempFolder& folder, const std::string& matrixName,
                        bool withDatabase) {
    namespace fs = std::filesystem;
    const std::string matrix = folder / matrixName;
    fs::copy_file(examplePath("MPSBCD001.mps"), matrix, fs::copy_options::overwrite_existing);
    if (withDatabase)
        fs::copy_file(examplePath("Results.mdb"), folder / "Results.mdb",
                      fs::copy_options::overwrite_existing);
    return matrix;
}

}  // namespace resultstest

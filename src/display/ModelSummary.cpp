#include "ModelSummary.h"

namespace {

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string modelSummaryText(const MatrixModel& model, const std::string& solutionName) {
    if (model.rows.size() == 0 && model.columns.size() == 0) return {};
    std::string text = counted(model.rows.size(), "row", "rows") + ", " +
                       counted(model.columns.size(), "column", "columns") + ", " +
                       counted(model.entries.size(), "non-zero", "non-zeros");
    if (!solutionName.empty()) text += ", solution: " + solutionName;
    return text;
}

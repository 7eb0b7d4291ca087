#include "ResultsSchema.h"

std::vector<ResultsSchemaTable> BuildResultsSchema() {
    const std::vector<std::string> modelKeys = {"ModelID", "UtilityID", "PeriodID"};
    return {
        {"PrSolution", {"SolutionID"}, {}},
        {"PrCase", {"CaseID"}, {"SolutionID"}},
        {"PrPrimalColumn",
         {"SolutionID"},
         {"CaseID", "ColumnName", "Activity", "MarginalValue", "Cost", "Status"}},
        {"PrPrimalRow",
         {"SolutionID"},
         {"CaseID", "RowName", "Activity", "MarginalValue", "Status"}},
        {"PrMode", modelKeys, {}},
        {"PrMarket", modelKeys, {}},
        {"PrNode", modelKeys, {}},
    };
}

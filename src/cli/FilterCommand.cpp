#include "FilterCommand.h"

#include <numeric>
#include <string>
#include <vector>

#include "SubmatrixViewLogic.h"

int runFilterCommand(CNorvaDoc& doc, const CommandLine& arguments, std::FILE* out, std::FILE* err) {
    DocumentSettings& settings = doc.settings();
    const FilterArguments& filter = arguments.filter;
    settings.Filter = 1;
    settings.ToleranceSel = filter.test;
    settings.ShowAllColumns = filter.allColumns ? 1 : 0;
    if (filter.threshold) {
        double* thresholds[] = {&settings.LargeCoef, &settings.SmallCoef, &settings.LargeRatio};
        *thresholds[filter.test] = *filter.threshold;
    }
    SubmatrixViewLogic view(doc);
    if (!view.Filter()) {
        std::fprintf(err, "norva-inspect: %s holds no matrix object to filter\n",
                     arguments.matrixPath.c_str());
        return 1;
    }
    std::vector<std::size_t> allLines(view.grid().lineCount());
    std::iota(allLines.begin(), allLines.end(), std::size_t{0});
    const std::string text = view.copyText(allLines) + '\n';
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
        std::fprintf(err, "norva-inspect: could not write the output\n");
        return 1;
    }
    return 0;
}

#include "DetailCommand.h"

#include <optional>
#include <string>

#include "ColumnDisplay.h"
#include "DetailContent.h"
#include "DetailListing.h"
#include "DetailSources.h"
#include "NameList.h"
#include "RowDisplay.h"

int runDetailCommand(const CNorvaDoc& doc, const CommandLine& arguments, std::FILE* out,
                     std::FILE* err) {
    const bool rowDisplay = arguments.command == InspectCommand::kRow;
    const std::string& name = arguments.detailName;
    const std::optional<std::size_t> index = NameList(doc.model(), rowDisplay).indexOf(name);
    if (!index) {
        std::fprintf(err, "norva-inspect: %s has no %s named '%s'\n", arguments.matrixPath.c_str(),
                     rowDisplay ? "row" : "column", name.c_str());
        return 1;
    }
    // One row is shown once, so a single walk of the columns costs less than an index.
    DetailSources sources =
        detailSourcesOf(doc, nullptr, {arguments.decimals, arguments.scientific});
    sources.sortKey = 0;
    DetailContent content;
    if (rowDisplay)
        BuildRowDisplay(sources, index, content);
    else
        BuildColumnDisplay(sources, index, content);
    std::string text = DetailListingBody(rowDisplay, name, content);
    // The listing ends without a line end after a warning; a terminal wants one.
    if (text.empty() || text.back() != '\n') text += '\n';
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
        std::fprintf(err, "norva-inspect: could not write the output\n");
        return 1;
    }
    return 0;
}

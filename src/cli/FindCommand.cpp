#include "FindCommand.h"

#include <optional>

#include "DisplayTexts.h"
#include "IUserInterface.h"
#include "NameList.h"
#include "NameSearch.h"
#include "OutputBuffer.h"

int runFindCommand(CNorvaDoc& doc, const CommandLine& arguments, std::FILE* out, std::FILE* err) {
    const FindArguments& find = arguments.find;
    DocumentSettings& settings = doc.settings();
    settings.WholeWordSearch = find.wholeWord ? 1 : 0;
    settings.IgnoreCase = find.ignoreCase ? 1 : 0;
    settings.SearchUp = find.up ? 1 : 0;
    RecordingUserInterface ui;  // the status bar and the beep have no one to see them
    NameSearch search(settings, ui);
    const NameList names(doc.model(), !find.columns);
    std::optional<std::size_t> current;
    if (names.size() > 0) current = 0;

    OutputBuffer output(out);
    for (bool first = true;; first = false) {
        const SearchResult result = find.up ? search.searchUp(find.text, names, current)
                                            : search.searchDown(find.text, names, current);
        if (!result.found()) {
            // Once a name was found, every later press finds one too.
            if (first) {
                output.write(displaytext::kSearchTextNotFound);
                output.put('\n');
            }
            break;
        }
        if (result.outcome == SearchResult::Outcome::kFoundAfterWrap) {
            output.write(displaytext::kPassedEndOfList);
            output.put('\n');
        }
        output.write(names.name(result.index));
        output.put('\n');
        if (result.outcome == SearchResult::Outcome::kFoundAfterWrap) break;
        current = result.index;
    }
    if (output.flush()) return 0;
    std::fprintf(err, "norva-inspect: could not write the output\n");
    return 1;
}

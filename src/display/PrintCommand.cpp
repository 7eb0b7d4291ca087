#include "PrintCommand.h"

#include <cstdio>

#include "DetailListing.h"
#include "RegularFileWrite.h"
#include "StringTable.h"

std::string ListingTitle(bool rowDisplay, const std::string& name) {
    return (rowDisplay ? "Row: " : "Column: ") + name;
}

PrintOutcome PrintListing(const PrintSubject& subject, const std::string& folder,
                          const ListingViewerFactory& makeViewer, IUserInterface& ui) {
    if (!subject.nameSelected || subject.content == nullptr) {
        ui.beep();
        return PrintOutcome::kNothingSelected;
    }
    const std::string path =
        (folder.empty() || folder.back() != '/' ? folder + "/" : folder) + kListingFileName;
    const std::string text =
        DetailListingText(subject.documentPath, subject.rowDisplay, subject.name, *subject.content);
    if (!WriteRegularFile(path, text).empty()) {
        ui.messageBox("Error", strings::text(strings::kPrintFileError));
        return PrintOutcome::kFileError;
    }
    std::unique_ptr<IListingViewer> viewer = makeViewer ? makeViewer() : nullptr;
    if (!viewer) {
        ui.messageBox("Error", strings::text(strings::kViewerNotLaunched));
        return PrintOutcome::kNoViewer;
    }
    // The viewer's answer to LoadFile is not examined: it reports its own trouble.
    viewer->LoadFile(path);
    viewer->SetTitle(ListingTitle(subject.rowDisplay, subject.name));
    viewer->SetVisible(true);
    viewer->PrintOut();
    std::remove(path.c_str());
    return PrintOutcome::kPrinted;
}

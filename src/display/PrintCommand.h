#pragma once

#include <string>

#include "DetailContent.h"
#include "IListingViewer.h"
#include "IUserInterface.h"

// What the detail view shows, for File Print.
struct PrintSubject {
    std::string documentPath;
    bool rowDisplay = true;
    std::string name;
    bool nameSelected = false;
    const DetailContent* content = nullptr;
};

enum class PrintOutcome { kNothingSelected, kFileError, kNoViewer, kPrinted };

// The listing file's name; it is written into the current folder.
inline constexpr const char* kListingFileName = "MLIST.TMP";

// File Print: writes the listing as kListingFileName in folder, hands it to a viewer made by
// makeViewer and deletes it afterwards. Without a selection it beeps; a file that cannot be
// written is message 137, no viewer message 140 (the file then stays for the user).
PrintOutcome PrintListing(const PrintSubject& subject, const std::string& folder,
                          const ListingViewerFactory& makeViewer, IUserInterface& ui);

// The viewer's title: "Row: NAME" or "Column: NAME".
std::string ListingTitle(bool rowDisplay, const std::string& name);

#pragma once

#include <functional>
#include <memory>
#include <string>

// The outside program that shows and prints a listing file. Print drives it in a fixed order:
// LoadFile, Title, Visible, PrintOut; what each does is the viewer's business.
class IListingViewer {
public:
    virtual ~IListingViewer() = default;
    // Reads the listing at path; the file is deleted once PrintOut returns.
    virtual bool LoadFile(const std::string& path) = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void PrintOut() = 0;
};

// Makes a viewer, or null when none can be started.
using ListingViewerFactory = std::function<std::unique_ptr<IListingViewer>()>;

#pragma once

#include <memory>

#include "IListingViewer.h"

// The name and object path the viewer is served under on the session bus.
inline constexpr const char* kViewerService = "Tv.Document";
inline constexpr const char* kViewerObjectPath = "/Document";

// Whether a viewer is running on the session bus or can be started by it.
bool ViewerServiceAvailable();

// The viewer on the session bus, or null when ViewerServiceAvailable() does not hold.
std::unique_ptr<IListingViewer> MakeBusListingViewer();

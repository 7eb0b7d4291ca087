#pragma once

#include "IListingViewer.h"
#include "ISettingsStore.h"

// Which viewer File Print uses, from the profile's "Options" key "ViewerBusOnly": 0 (the
// default) takes the viewer on the session bus when one is served and the built-in viewer
// otherwise; 1 takes only the one on the bus, so that without it Print reports message 140.
struct ViewerChoice {
    bool busOnly = false;

    static ViewerChoice read(const ISettingsStore& store);
    // A factory that tries the bus first and falls back to builtIn unless busOnly.
    ListingViewerFactory factory(ListingViewerFactory builtIn) const;
};

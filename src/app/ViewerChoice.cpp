#include "ViewerChoice.h"

#include "BusListingViewer.h"

ViewerChoice ViewerChoice::read(const ISettingsStore& store) {
    ViewerChoice choice;
    choice.busOnly = store.getInteger(SettingsScope::kProfile, "Options", "ViewerBusOnly", 0) != 0;
    return choice;
}

ListingViewerFactory ViewerChoice::factory(ListingViewerFactory builtIn) const {
    return [busOnly = busOnly, builtIn = std::move(builtIn)]() -> std::unique_ptr<IListingViewer> {
        if (std::unique_ptr<IListingViewer> bus = MakeBusListingViewer()) return bus;
        if (busOnly || !builtIn) return nullptr;
        return builtIn();
    };
}

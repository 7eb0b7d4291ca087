#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "DetailViewLogic.h"
#include "DocumentSettings.h"
#include "IUserInterface.h"
#include "NameList.h"

// How a search press ended. index is the name found (kFound, kFoundAfterWrap).
struct SearchResult {
    enum class Outcome { kFound, kFoundAfterWrap, kNotFound };
    Outcome outcome = Outcome::kNotFound;
    std::size_t index = 0;

    bool found() const { return outcome != Outcome::kNotFound; }
};

// What the Find dialog shows and returns.
struct FindDialogFields {
    std::string text;
    bool wholeWord = false;
    bool ignoreCase = false;
    bool startAtBeginning = false;
    bool up = false;  // "&Up" chosen, else "&Down"
};

// Find over the detail view's name list: Find Next, Find Previous, the search bar's Search and
// the Find dialog. It reads and writes the document's search settings ("Search",
// "WholeWordSearch", "IgnoreCase", "SearchUp") and keeps the two unsaved ones (start at
// beginning, search position). Results go to the status bar with a beep when nothing matched.
class NameSearch {
public:
    NameSearch(DocumentSettings& settings, IUserInterface& ui) : m_settings(settings), m_ui(ui) {}

    // One press over names from the current selection (nullopt: none), with the search bar's
    // text; the caller selects the index found.
    SearchResult searchDown(std::string_view searchBarText, const NameList& names,
                            std::optional<std::size_t> current);
    SearchResult searchUp(std::string_view searchBarText, const NameList& names,
                          std::optional<std::size_t> current);

    // The same on the detail view, which then shows the name found.
    SearchResult FindNext(DetailViewLogic& view, std::string_view searchBarText);
    SearchResult FindPrevious(DetailViewLogic& view, std::string_view searchBarText);
    // The search bar's "Search" button: up when "SearchUp" is set.
    SearchResult Search(DetailViewLogic& view, std::string_view searchBarText);

    // The Find dialog's fields on opening; the search text is first refreshed from the bar.
    FindDialogFields openFindDialog(std::string_view searchBarText);
    // The dialog's OK: stores its settings and searches in its direction with its text, which
    // the caller also puts into the search bar.
    SearchResult acceptFindDialog(DetailViewLogic& view, const FindDialogFields& fields);

    bool startAtBeginning() const { return m_startAtBeginning; }
    void setStartAtBeginning(bool on) { m_startAtBeginning = on; }
    std::size_t searchPosition() const { return m_searchPosition; }

private:
    // Steps shared by both directions: the stored text (upper-cased with ignore case); false
    // (after the message) when it is empty.
    bool takeSearchText(std::string_view searchBarText);
    SearchResult finish(SearchResult result);
    SearchResult showIn(DetailViewLogic& view, SearchResult result);

    DocumentSettings& m_settings;
    IUserInterface& m_ui;
    bool m_startAtBeginning = false;
    std::size_t m_searchPosition = 0;
};

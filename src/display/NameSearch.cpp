#include "NameSearch.h"

#include <algorithm>

#include "DisplayTexts.h"
#include "NameMatch.h"

namespace {

using Outcome = SearchResult::Outcome;

}  // namespace

bool NameSearch::takeSearchText(std::string_view searchBarText) {
    m_ui.statusText(std::string());
    m_settings.Search.assign(searchBarText);
    if (m_settings.Search.empty()) return false;
    if (m_settings.IgnoreCase != 0) upperCaseAscii(m_settings.Search);
    return true;
}

SearchResult NameSearch::finish(SearchResult result) {
    if (result.outcome == Outcome::kNotFound) {
        m_ui.statusText(displaytext::kSearchTextNotFound);
        m_ui.beep();
        return result;
    }
    if (result.outcome == Outcome::kFoundAfterWrap) m_ui.statusText(displaytext::kPassedEndOfList);
    m_searchPosition = result.index + 1;
    return result;
}

SearchResult NameSearch::searchDown(std::string_view searchBarText, const NameList& names,
                                    std::optional<std::size_t> current) {
    const WaitCursor wait(m_ui);
    if (!takeSearchText(searchBarText)) return finish({});
    NameMatcher matcher(m_settings.Search, m_settings.WholeWordSearch != 0,
                        m_settings.IgnoreCase != 0);
    const std::size_t count = names.size();
    m_searchPosition = m_startAtBeginning || !current ? 0 : *current + 1;
    for (std::size_t i = m_searchPosition; i < count; ++i)
        if (matcher.matches(names.name(i))) return finish({Outcome::kFound, i});
    // From the top up to the start, the current name included.
    for (std::size_t i = 0; i < m_searchPosition && i < count; ++i)
        if (matcher.matches(names.name(i))) return finish({Outcome::kFoundAfterWrap, i});
    return finish({});
}

SearchResult NameSearch::searchUp(std::string_view searchBarText, const NameList& names,
                                  std::optional<std::size_t> current) {
    const WaitCursor wait(m_ui);
    if (!takeSearchText(searchBarText)) return finish({});
    NameMatcher matcher(m_settings.Search, m_settings.WholeWordSearch != 0,
                        m_settings.IgnoreCase != 0);
    const std::size_t count = names.size();
    // Decision: with no selection the upward search starts as from the first name, so it
    // goes round from the last name like any other search.
    m_searchPosition = m_startAtBeginning || !current ? 0 : *current;
    for (std::size_t i = std::min(m_searchPosition, count); i-- > 0;)
        if (matcher.matches(names.name(i))) return finish({Outcome::kFound, i});
    // From the bottom up to the start, the current name included.
    for (std::size_t i = count; i-- > m_searchPosition;)
        if (matcher.matches(names.name(i))) return finish({Outcome::kFoundAfterWrap, i});
    return finish({});
}

SearchResult NameSearch::showIn(DetailViewLogic& view, SearchResult result) {
    if (result.found()) view.selectName(result.index);
    return result;
}

SearchResult NameSearch::FindNext(DetailViewLogic& view, std::string_view searchBarText) {
    return showIn(view, searchDown(searchBarText, view.nameList(), view.selectedName()));
}

SearchResult NameSearch::FindPrevious(DetailViewLogic& view, std::string_view searchBarText) {
    return showIn(view, searchUp(searchBarText, view.nameList(), view.selectedName()));
}

SearchResult NameSearch::Search(DetailViewLogic& view, std::string_view searchBarText) {
    return m_settings.SearchUp != 0 ? FindPrevious(view, searchBarText)
                                    : FindNext(view, searchBarText);
}

FindDialogFields NameSearch::openFindDialog(std::string_view searchBarText) {
    m_settings.Search.assign(searchBarText);
    return {m_settings.Search, m_settings.WholeWordSearch != 0, m_settings.IgnoreCase != 0,
            m_startAtBeginning, m_settings.SearchUp != 0};
}

SearchResult NameSearch::acceptFindDialog(DetailViewLogic& view, const FindDialogFields& fields) {
    m_settings.WholeWordSearch = fields.wholeWord ? 1 : 0;
    m_settings.IgnoreCase = fields.ignoreCase ? 1 : 0;
    m_startAtBeginning = fields.startAtBeginning;
    m_settings.SearchUp = fields.up ? 1 : 0;
    return fields.up ? FindPrevious(view, fields.text) : FindNext(view, fields.text);
}

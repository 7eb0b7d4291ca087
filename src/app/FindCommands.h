#pragma once

#include <QObject>

#include "NameSearch.h"

class CNorvaDoc;
class CRowFormView;
class IUserInterface;
class QWidget;
class SearchBar;

// Find, Find Next, Find Previous and the search bar's Search: NameSearch over the detail
// view's name list with the search bar's text, the detail view then showing the name found.
// Messages and the beep go through the user interface to the status bar.
class FindCommands : public QObject {
    Q_OBJECT
public:
    FindCommands(CNorvaDoc& doc, IUserInterface& ui, CRowFormView& detail, SearchBar& searchBar,
                 QWidget* dialogParent);

    // Edit > Find: the Find dialog; OK stores its settings, puts its text into the search bar
    // and searches in its direction.
    void OnEditFind();
    void OnFindNext();
    void OnFindPrevious();
    // The search bar's button, and a pending search item: up when "SearchUp" is set.
    void OnSearch();

    NameSearch& search() { return m_search; }

signals:
    // The Find dialog's "&Help".
    void helpTopicsRequested();

private:
    void show(const SearchResult& result);
    std::string searchBarText() const;

    NameSearch m_search;
    CRowFormView& m_detail;
    SearchBar& m_searchBar;
    QWidget* m_dialogParent;
};

#include "FindCommands.h"

#include <QLineEdit>

#include "CFindDlg.h"
#include "CNorvaDoc.h"
#include "CRowFormView.h"
#include "SearchBar.h"

FindCommands::FindCommands(CNorvaDoc& doc, IUserInterface& ui, CRowFormView& detail,
                           SearchBar& searchBar, QWidget* dialogParent)
    : QObject(&detail),
      m_search(doc.settings(), ui),
      m_detail(detail),
      m_searchBar(searchBar),
      m_dialogParent(dialogParent) {}

std::string FindCommands::searchBarText() const {
    return m_searchBar.searchText()->text().toStdString();
}

void FindCommands::show(const SearchResult& result) {
    if (result.found()) m_detail.showAll();
}

void FindCommands::OnEditFind() {
    CFindDlg dialog(m_search.openFindDialog(searchBarText()), m_dialogParent);
    connect(&dialog, &CFindDlg::helpTopicsRequested, this, &FindCommands::helpTopicsRequested);
    if (dialog.exec() != QDialog::Accepted) return;
    const FindDialogFields fields = dialog.fields();
    m_searchBar.searchText()->setText(QString::fromStdString(fields.text));
    show(m_search.acceptFindDialog(m_detail.logic(), fields));
}

void FindCommands::OnFindNext() { show(m_search.FindNext(m_detail.logic(), searchBarText())); }

void FindCommands::OnFindPrevious() {
    show(m_search.FindPrevious(m_detail.logic(), searchBarText()));
}

void FindCommands::OnSearch() { show(m_search.Search(m_detail.logic(), searchBarText())); }

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CNorvaDoc.h"
#include "DetailContent.h"
#include "EquationPane.h"
#include "NameList.h"
#include "NumberFormat.h"
#include "RowIndexCache.h"

// The row/column detail view without its widgets: display mode, name-list selection,
// remembered name, entry-list selection and what the view shows. The desktop view forwards
// its controls' events here and shows content(), nameList() and the captions. The display
// mode and the sort key live in the document, as does the current column.
class DetailViewLogic {
public:
    explicit DetailViewLogic(CNorvaDoc& doc) : m_doc(doc) {}

    // Takes the display mode from the document, fills the name list with its first name
    // selected and shows it. Returns the pending search item, now taken from the document,
    // whose whole-word search setting is then on: the caller puts the item into the search
    // bar and searches.
    std::optional<std::string> OnInitialUpdate();
    // Hint 1 asks for row display, 2 for column display (toggling when needed). Every
    // non-zero hint takes the pending search item, which the caller then searches for.
    std::optional<std::string> OnUpdate(int hint);

    // The name list's selection changed (nullopt: none): rebuild keeping the entry name.
    void selectName(std::optional<std::size_t> index);
    // Rebuilds the entries and value lines for the selected name and selects the entry named
    // preferredName (when not empty) or else the remembered name, or else the first entry.
    void Rebuild(const std::string& preferredName);
    // Switches between row and column display, showing the counterpart of the selected entry
    // with the formerly shown name selected in its list.
    void Toggle();
    // A column header was clicked: the sort key becomes column (0 to 4) and the view rebuilds.
    void sortBy(int column);
    // The entry list's selection, as indexes in list order; row display keeps the first only.
    // The first selected entry's name becomes the remembered name.
    void setSelectedEntries(std::vector<std::size_t> entries);
    // Refills the document's selected-names list: the shown row in row display, the selected
    // entries' rows in column display.
    void FillSelectedNames();
    // The equation pane's maker for the current selection; nullopt when the pane keeps its
    // text.
    std::optional<EquationMaker> equationMaker();

    // The document's "Decimals" and "AlwaysUseScientific" settings, read at every rebuild.
    NumberFormatOptions numberFormat() const;

    bool rowDisplay() const { return m_rowDisplay; }
    bool multipleSelection() const { return !m_rowDisplay; }
    const char* groupCaption() const { return m_rowDisplay ? "Row Names" : "Column Names"; }
    const char* toggleCaption() const { return m_rowDisplay ? "Display by Col" : "Display by Row"; }
    NameList nameList() const { return NameList(m_doc.model(), m_rowDisplay); }
    std::optional<std::size_t> selectedName() const { return m_selectedName; }
    // The name list's text: the selected name, or empty.
    std::string selectedNameText() const;
    const std::string& rememberedName() const { return m_rememberedName; }
    const std::vector<std::size_t>& selectedEntries() const { return m_selectedEntries; }
    const DetailContent& content() const { return m_content; }
    // Whether content() still shows the document's model. Its entries view that model's
    // names, so after a load, until the next rebuild, they must not be read.
    bool contentCurrent() const { return m_contentGeneration == m_doc.modelGeneration(); }
    // The listing of what is shown, for printing (the document's path on its first line).
    std::string listing(const std::string& documentPath) const;
    RowIndexCache& rowIndexCache() { return m_rowIndex; }

private:
    void fillNameList();
    void buildContent();
    // Takes what a build aside made for the first sort of a dense row.
    void keepDenseRowReserve(DenseRowReserve reserve);
    std::optional<std::string> takePendingSearch();
    // Where the row's elements lie: from the content in row display, from the index once it is
    // ready in column display; nullopt for a row too long to be worth it or a name the index
    // cannot tell apart.
    std::optional<EquationMaker::RowElementsHint> rowElementsHint(const std::string& rowName);

    CNorvaDoc& m_doc;
    RowIndexCache m_rowIndex;
    bool m_rowDisplay = true;
    std::optional<std::size_t> m_selectedName;
    std::string m_rememberedName;
    std::vector<std::size_t> m_selectedEntries;
    DetailContent m_content;
    std::shared_ptr<const DenseRowLists> m_denseRowsShown;  // what m_content may view
    std::uint64_t m_contentGeneration = 0;
};

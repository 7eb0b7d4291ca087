#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "DetailViewLogic.h"
#include "StretchLayout.h"

class CMainFrame;
class CNorvaDoc;
class EntryTableModel;
class EntryTableView;
class EquationView;
class IUserInterface;
class NameListModel;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The detail view in the left pane: the name list, the toggle, the value lines, the warning
// line, the entry list and the equation pane, laid out from the form's dialog units and
// stretched around its hidden marker. What it shows is computed by DetailViewLogic; this class
// only forwards the controls' events and shows the result.
class CRowFormView : public QWidget {
    Q_OBJECT
public:
    // The size a first start gives the form: its designed size for its font, widened until the
    // entry list shows its five columns whole and made a little taller.
    QSize sizeHint() const override;
    CRowFormView(CNorvaDoc& doc, IUserInterface& ui, QWidget* parent = nullptr);

    // The frame whose search bar and submatrix setting the view reads; may stay null.
    void setFrame(CMainFrame* frame) { m_frame = frame; }

    // The document holds a new model (or none): refill for the document's display mode.
    void OnInitialUpdate();
    // Hint 1 asks for row display, 2 for column display; see DetailViewLogic::OnUpdate.
    void OnUpdate(int hint);
    // The toggle button's command: show the counterpart of the selected entry.
    void OnToggle();
    // Shows what the logic holds now, after a search or the Options sheet changed it.
    void showAll();
    // Searches for a pending search item once the view has put it into the search bar.
    void setPendingSearchHandler(std::function<void()> handler) {
        m_searchPending = std::move(handler);
    }

    DetailViewLogic& logic() { return m_logic; }
    QComboBox* nameList() const { return m_names; }
    QPushButton* toggleButton() const { return m_toggle; }
    QGroupBox* groupBox() const { return m_group; }
    EntryTableView* entryList() const { return m_entries; }
    EquationView* equationPane() const { return m_equation; }
    QLabel* warningLine() const { return m_warning; }
    QLabel* notesLine() const { return m_notes; }
    // Value line by name: "L1", "L2", "L3", "R1", "R2", "R3" or "R4"; null for another name.
    QLabel* valueLine(const char* name) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void placeControls();
    void connectControls();
    void showContent();
    void showNotes(const std::vector<std::string>& notes);
    void showSelection();
    void showEquation();
    void nameChosen(int index);
    void entrySelectionChanged();
    void headerClicked(int section);
    void putPendingSearch(const std::optional<std::string>& pending);

    CNorvaDoc& m_doc;
    IUserInterface& m_ui;
    DetailViewLogic m_logic;
    CMainFrame* m_frame = nullptr;
    std::function<void()> m_searchPending;
    NameListModel* m_nameModel;
    EntryTableModel* m_entryModel;
    StretchLayout m_stretch;
    bool m_showing = false;  // the view itself is changing the controls

    QGroupBox* m_group = nullptr;
    QComboBox* m_names = nullptr;
    QPushButton* m_toggle = nullptr;
    QLabel* m_lines[7] = {};
    QLabel* m_warning = nullptr;
    QLabel* m_notes = nullptr;
    EntryTableView* m_entries = nullptr;
    EquationView* m_equation = nullptr;
    QPushButton* m_marker = nullptr;
};

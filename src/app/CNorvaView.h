#pragma once

#include <QWidget>
#include <cstddef>
#include <string>
#include <vector>

#include "StretchLayout.h"
#include "SubmatrixViewLogic.h"

class CNorvaDoc;
class DetailViewLogic;
class QPushButton;
class QTableView;
class SubmatrixTableModel;

// The submatrix view in the right pane: the grid of the submatrix with the ">>", ">", "<" and
// "<<" buttons on its left, laid out from the form's dialog units and stretched around its
// hidden marker. What the grid holds and what the buttons do is SubmatrixViewLogic's; this
// class forwards the buttons, shows the grid and sizes its columns.
class CNorvaView : public QWidget {
    Q_OBJECT
public:
    // detail is the detail view's logic, whose selection ">" and ">>" take.
    CNorvaView(CNorvaDoc& doc, DetailViewLogic& detail, QWidget* parent = nullptr);
    ~CNorvaView() override;

    // After each open (or File New): the form is laid out, the kept grid follows the model
    // now loaded and the buttons follow the document.
    void OnInitialUpdate();
    // The document changed (any hint): ">>" only in column display, "<" with a grid selection.
    void OnUpdate();

    void OnAddColumnRows();    // ">>"
    void OnAddSelectedRows();  // ">"
    void OnRemoveSelected();   // "<"
    void OnClearAll();         // "<<"
    // The Options sheet's OK: the filter, or an unchanged redraw, has already been run on
    // logic(); shows its grid.
    void showGrid();

    // Edit Copy: the selected lines as tab-separated text on the clipboard.
    void OnEditCopy();
    // Whether Edit Copy applies: the focus is in the grid and a line is selected.
    bool canCopy() const;
    std::vector<std::size_t> selectedLines() const;

    SubmatrixViewLogic& logic() { return m_logic; }
    QTableView* grid() const { return m_grid; }
    QPushButton* addColumnRowsButton() const { return m_addColumnRows; }
    QPushButton* addSelectedButton() const { return m_addSelected; }
    QPushButton* removeSelectedButton() const { return m_removeSelected; }
    QPushButton* clearAllButton() const { return m_clearAll; }

signals:
    // The grid's selection or focus changed, so Edit Copy may change its state.
    void copyStateChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void placeControls();
    void sizeColumns();
    void gridSelectionChanged();

    DetailViewLogic& m_detail;
    SubmatrixViewLogic m_logic;
    SubmatrixTableModel* m_model;
    StretchLayout m_stretch;
    QTableView* m_grid = nullptr;
    QPushButton* m_addColumnRows = nullptr;
    QPushButton* m_addSelected = nullptr;
    QPushButton* m_removeSelected = nullptr;
    QPushButton* m_clearAll = nullptr;
    QPushButton* m_marker = nullptr;
};

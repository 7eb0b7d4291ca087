#pragma once

#include <QTableView>

class DetailViewLogic;

// The detail view's entry list. Qt sizes a column to its contents from a sample of lines;
// this adds the texts the view logic names as the column's widest, so the densest rows, with
// hundreds of thousands of entries, are sized to fit without writing every cell.
class EntryTableView : public QTableView {
public:
    explicit EntryTableView(const DetailViewLogic& logic, QWidget* parent = nullptr)
        : QTableView(parent), m_logic(logic) {}

    int sizeHintForColumn(int column) const override;

private:
    // The width the item delegate would ask for to show text.
    int cellWidth(const QString& text) const;

    const DetailViewLogic& m_logic;
};

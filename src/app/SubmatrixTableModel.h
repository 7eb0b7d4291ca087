#pragma once

#include <QAbstractTableModel>

class SubmatrixGrid;

// The submatrix grid for a table view: reads the cells straight from the grid that the
// submatrix logic keeps, so thousands of rows and columns cost no copies in the view.
class SubmatrixTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SubmatrixTableModel(const SubmatrixGrid& grid, QObject* parent = nullptr)
        : QAbstractTableModel(parent), m_grid(&grid) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The grid was redrawn (possibly replaced, when it lives by value in the logic).
    void refill(const SubmatrixGrid& grid);

private:
    const SubmatrixGrid* m_grid;
    int m_lines = 0;
    int m_columns = 0;
};

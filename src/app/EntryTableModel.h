#pragma once

#include <functional>
#include <string_view>

#include <QAbstractTableModel>

class DetailViewLogic;

// The detail view's entry list: one line per entry of the shown row or column, its five texts
// written by the view logic when asked for, so only the lines on screen are ever written.
// Header clicks sort through the logic, not here.
class EntryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit EntryTableModel(const DetailViewLogic& logic, QObject* parent = nullptr)
        : QAbstractTableModel(parent), m_logic(logic) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The logic rebuilt its content.
    void refill();

    // Entries whose name the marker accepts (given the display: true for row display, whose
    // entries are columns) are drawn on a warning colour; none without a marker.
    using Marker = std::function<bool(std::string_view name, bool rowDisplay)>;
    void setMarker(Marker marker);

private:
    const DetailViewLogic& m_logic;
    int m_rows = 0;
    Marker m_marker;
};

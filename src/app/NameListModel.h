#pragma once

#include <QAbstractListModel>

class DetailViewLogic;

// The detail view's name list for a combo box: reads the names straight from the model's row
// or column array through the view logic, so a million names cost no copies.
class NameListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit NameListModel(const DetailViewLogic& logic, QObject* parent = nullptr)
        : QAbstractListModel(parent), m_logic(logic) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The list now holds other names (a new model, or the other display).
    void refill();

private:
    const DetailViewLogic& m_logic;
    int m_size = 0;
};

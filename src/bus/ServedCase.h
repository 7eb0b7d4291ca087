#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "LoomBusTypes.h"

// One case as the case server serves it: the row and column lists, the coefficient records
// and the per-position tables, each table's cell texts by column.
struct ServedTable {
    loombus::Grid data;
    QList<QStringList> textColumns;  // textColumns[c][k] is the text of cell (k, c)
};

struct ServedCase {
    QStringList rows;
    QStringList columns;
    loombus::Records records;
    QHash<QString, ServedTable> tables;  // every table but "MATX"
};

// Fault switches for tests: the named step answers with an error.
struct ServedFaults {
    QString unopenableTable;
    bool noRowSet = false;
    bool noColumnSet = false;
    bool recordOutside = false;  // one more "MATX" record, naming a column past the last
    bool noBulk = false;         // Names() and ColumnTexts() answer as if they did not exist
};

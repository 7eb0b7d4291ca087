#pragma once

#include "CNorvaDoc.h"
#include "ColumnNameLengths.h"
#include "DenseRowLists.h"
#include "MatrixModel.h"
#include "NumberFormat.h"
#include "PrimalColumnMap.h"
#include "PrimalLists.h"
#include "RowIndex.h"
#include "RowTags.h"
#include "orbxmps.h"

// What a detail build reads: the model, the solution records, the matrix library object with
// its nonlinear-term interface (either may be null), the row index (null: walk the columns),
// the map from columns to their solution records (null or stale: look them up by name), the
// number settings, the sort key and the columns' name lengths (null: read from the columns).
struct DetailSources {
    const MatrixModel& model;
    const PrimalLists& primal;
    orbxmps::ORBObject* library = nullptr;
    orbxmps::ORBNonlinearTerms* nonlinear = nullptr;
    const RowIndex* rowIndex = nullptr;
    NumberFormatOptions format;
    int sortKey = 0;
    const PrimalColumnMap* primalColumns = nullptr;
    const ColumnNameLengths* nameLengths = nullptr;
    // Without an index, the densest rows' lists made ahead of it (null: walk every row).
    const DenseRowLists* denseRows = nullptr;
    // Without an index, the tags that spare a walk half its reading (null: none made yet).
    const RowTags* rowTags = nullptr;
};

inline DetailSources detailSourcesOf(const CNorvaDoc& doc, const RowIndex* rowIndex,
                                     const NumberFormatOptions& format) {
    return {doc.model(), doc.primal(), doc.matrixObject(), doc.nonlinearTerms(),
            rowIndex,    format,       doc.sortKey()};
}

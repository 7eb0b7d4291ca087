#pragma once

#include <cstdint>
#include <memory>

#include "CNorvaDoc.h"
#include "RowIndex.h"

// Holds one document's row index, built on first use and rebuilt once the document's model
// has changed (its generation moved on), so a new load never shows the last model's rows.
// The index's map of column solution records is remade whenever the document's records have
// changed since, and only then.
class RowIndexCache {
public:
    const RowIndex& indexFor(const CNorvaDoc& doc) {
        if (!m_index || m_document != &doc || m_generation != doc.modelGeneration()) {
            m_index.reset();  // the old index goes before the new one is built
            m_index = std::make_unique<RowIndex>(doc.model());
            m_document = &doc;
            m_generation = doc.modelGeneration();
            ++m_builds;
        }
        if (!m_index->primalColumns().answersFor(doc.primal())) {
            m_index->setPrimalColumns(PrimalColumnMap());
            m_index->setPrimalColumns(PrimalColumnMap(doc.model(), doc.primal()));
            ++m_mapBuilds;
        }
        return *m_index;
    }
    void clear() { m_index.reset(); }
    // How many times an index, and its map of solution records, was built; lets callers and
    // tests see the reuse.
    int buildCount() const { return m_builds; }
    int mapBuildCount() const { return m_mapBuilds; }

private:
    std::unique_ptr<RowIndex> m_index;
    const CNorvaDoc* m_document = nullptr;
    std::uint64_t m_generation = 0;
    int m_builds = 0;
    int m_mapBuilds = 0;
};

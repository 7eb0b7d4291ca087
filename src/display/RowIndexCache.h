#pragma once

#include <cstdint>
#include <memory>

#include "CNorvaDoc.h"
#include "PrimalColumnMap.h"
#include "RowIndex.h"

// Holds one document's row index, built on first use and rebuilt once the document's model
// has changed (its generation moved on), so a new load never shows the last model's rows.
// Beside it, the map from column positions to solution records, remade whenever the model
// or the document's records have changed since, and only then.
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
        return *m_index;
    }
    const PrimalColumnMap& primalColumnsFor(const CNorvaDoc& doc) {
        const bool sameModel = m_mapDocument == &doc && m_mapGeneration == doc.modelGeneration();
        if (!sameModel || !m_primalColumns.answersFor(doc.primal())) {
            m_primalColumns = PrimalColumnMap();  // the old map goes before the new one is made
            m_primalColumns = PrimalColumnMap(doc.model(), doc.primal());
            m_mapDocument = &doc;
            m_mapGeneration = doc.modelGeneration();
            ++m_mapBuilds;
        }
        return m_primalColumns;
    }
    void clear() {
        m_index.reset();
        m_primalColumns = PrimalColumnMap();
    }
    // How many times an index, and its map of solution records, was built; lets callers and
    // tests see the reuse.
    int buildCount() const { return m_builds; }
    int mapBuildCount() const { return m_mapBuilds; }

private:
    std::unique_ptr<RowIndex> m_index;
    const CNorvaDoc* m_document = nullptr;
    std::uint64_t m_generation = 0;
    int m_builds = 0;
    PrimalColumnMap m_primalColumns;
    const CNorvaDoc* m_mapDocument = nullptr;
    std::uint64_t m_mapGeneration = 0;
    int m_mapBuilds = 0;
};

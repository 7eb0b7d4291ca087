#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <memory>
#include <system_error>
#include <utility>

#include "CNorvaDoc.h"
#include "ColumnNameLengths.h"
#include "DenseRowLists.h"
#include "ParallelWork.h"
#include "PrimalColumnMap.h"
#include "RowEntries.h"
#include "RowIndex.h"
#include "RowTags.h"

// Holds one document's row index, built on first use and rebuilt once the document's model
// has changed (its generation moved on), so a new load never shows the last model's rows.
// After an open the index can be started on a thread of its own (startBuilding), so that the
// first row shown later finds it made; a request before it is done waits for it.
// Beside it, the map from column positions to solution records, remade whenever the model
// or the document's records have changed since, and only then, and the columns' name
// lengths, made with the index.
class RowIndexCache {
public:
    // Below this many non-zeros the index is made when first asked for: it takes no time.
    static constexpr std::size_t kBackgroundFrom = std::size_t{1} << 20;
    // From this many coefficients in a row, a build aside makes its reserve as well.
    static constexpr std::size_t kDenseRowReserveFrom = std::size_t{1} << 18;
    // A choice's quiet spell: two frames, room for its answer and the paint that follows.
    static constexpr auto kQuietAfterChoice = std::chrono::milliseconds(32);

    // Starts building the index of the document's current model on another thread, unless it
    // is held or under way, the model is small, or the one-thread switch is set. The densest
    // rows (from listedFrom coefficients) are picked here and listed first. The document holds
    // off any change to its model until the build is done.
    void startBuilding(CNorvaDoc& doc, std::size_t backgroundFrom = kBackgroundFrom,
                       std::size_t reserveFrom = kDenseRowReserveFrom,
                       std::size_t listedFrom = DenseRowLists::kListedFrom) {
        if (holds(doc) || building(doc)) return;
        if (doc.model().entries.size() < backgroundFrom || !orbxmps::parallelWorkAllowed()) return;
        auto made = std::make_shared<Built>();
        made->denseRows->pick(doc.model(), listedFrom);
        std::shared_future<void> done;
        try {
            done = std::async(std::launch::async, [made, &model = doc.model(), reserveFrom] {
                       // First, as every walk until the index is done reads them.
                       made->rowTags = RowTags(model, made->pauses.get());
                       made->rowTagsMade.store(true, std::memory_order_release);
                       // Then, as a dense row's first click needs them and they take little.
                       made->nameLengths = ColumnNameLengths(model);
                       made->nameLengthsMade.store(true, std::memory_order_release);
                       made->denseRows->listAll(model, made->pauses.get());
                       made->index = std::make_unique<RowIndex>(model, RowIndex::kSecondThreadFrom,
                                                                made->pauses.get());
                       const std::size_t longest = made->index->longestList();
                       if (longest >= reserveFrom)
                           made->denseRowReserve =
                               DenseRowReserve::forCoefficients(longest, made->pauses.get());
                   }).share();
        } catch (const std::system_error&) {
            return;  // no thread to be had: the index is made when first asked for
        }
        doc.addModelReader(done, [pauses = made->pauses] { stopBuild(*pauses); });
        m_pending = {done, std::move(made), &doc, doc.modelGeneration()};
    }
    // The index, from a build under way (waited for) or made here.
    const RowIndex& indexFor(const CNorvaDoc& doc) {
        if (!holds(doc)) {
            m_index.reset();  // the old index goes before the new one is built
            std::unique_ptr<RowIndex> made;
            if (building(doc)) {
                endQuietSpell(*m_pending.made->pauses);
                m_pending.done.get();  // rethrows what the build threw
                made = std::move(m_pending.made->index);
                takeBuiltNameLengths(doc);
                m_denseRowReserve = std::move(m_pending.made->denseRowReserve);
            }
            m_pending = {};  // a build for an earlier model goes as well
            m_index = made ? std::move(made) : std::make_unique<RowIndex>(doc.model());
            m_document = &doc;
            m_generation = doc.modelGeneration();
            ++m_builds;
        }
        return *m_index;
    }
    // The index when held or its build is done; null otherwise, never waiting or building.
    const RowIndex* finishedIndexFor(const CNorvaDoc& doc) {
        if (holds(doc)) return m_index.get();
        if (!building(doc)) return nullptr;
        return readyIndexFor(doc);
    }
    // The index when it can be had without waiting for a build under way; null otherwise.
    const RowIndex* readyIndexFor(const CNorvaDoc& doc) {
        if (building(doc) &&
            m_pending.done.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return nullptr;
        return &indexFor(doc);
    }
    // The densest rows' lists of a build under way, some perhaps still to be made; null once
    // the index is taken from the build.
    std::shared_ptr<const DenseRowLists> denseRowsFor(const CNorvaDoc& doc) const {
        return building(doc) ? m_pending.made->denseRows : nullptr;
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
    // Made first by a build under way, else here.
    const ColumnNameLengths& nameLengthsFor(const CNorvaDoc& doc) {
        takeBuiltNameLengths(doc);
        if (!holdsNameLengths(doc)) {
            m_nameLengths = ColumnNameLengths();
            keepNameLengths(doc, ColumnNameLengths(doc.model()));
            ++m_lengthsBuilds;
        }
        return m_nameLengths;
    }
    // As nameLengthsFor(), but null while a build under way has yet to make them: a row of
    // a few coefficients measures its own names sooner than the view's thread all the model's.
    const ColumnNameLengths* readyNameLengthsFor(const CNorvaDoc& doc) {
        takeBuiltNameLengths(doc);
        if (!holdsNameLengths(doc) && building(doc)) return nullptr;
        return &nameLengthsFor(doc);
    }
    // While it lives, a build aside under way (if any) waits between stretches of columns: a
    // row found by the walk meanwhile then has the memory's bandwidth to itself, which the
    // two otherwise share.
    class BuildPause {
    public:
        BuildPause() = default;
        explicit BuildPause(std::shared_ptr<BuildPauses> pauses) : m_pauses(std::move(pauses)) {
            if (m_pauses) m_pauses->count.fetch_add(1, std::memory_order_acq_rel);
        }
        ~BuildPause() {
            if (m_pauses) m_pauses->count.fetch_sub(1, std::memory_order_acq_rel);
        }
        BuildPause(const BuildPause&) = delete;
        BuildPause& operator=(const BuildPause&) = delete;

    private:
        std::shared_ptr<BuildPauses> m_pauses;
    };
    // Asks a build under way for a quiet spell (quietBuildFor): the paint of a newly shown row
    // hands tall fills to the toolkit's painting threads and waits for them, which would otherwise
    // take turns with the build's two threads on a two-core machine.
    void quietBuilding(const CNorvaDoc& doc) {
        if (building(doc)) quietBuildFor(*m_pending.made->pauses, kQuietAfterChoice);
    }
    BuildPause pauseBuilding(const CNorvaDoc& doc) {
        return building(doc) ? BuildPause(m_pending.made->pauses) : BuildPause();
    }
    // Where a row is shown from now: the index when done; otherwise the densest rows' lists
    // (if a build is under way) and, unless the build is making this row's list, which is then
    // waited for, the build held while the row is walked.
    // The walk's tags, once the build has made them, come along.
    struct RowSource {
        const RowIndex* index = nullptr;
        std::shared_ptr<const DenseRowLists> denseRows;
        BuildPause pause;
        std::shared_ptr<const RowTags> tags;
    };
    RowSource rowSourceFor(const CNorvaDoc& doc, std::size_t row) {
        if (const RowIndex* index = readyIndexFor(doc)) return {index, nullptr, BuildPause(), {}};
        std::shared_ptr<const DenseRowLists> lists = denseRowsFor(doc);
        const bool listing = lists && lists->listToCome(row);
        if (listing) endQuietSpell(*m_pending.made->pauses);  // its list is waited for
        return {nullptr, std::move(lists), listing ? BuildPause() : pauseBuilding(doc),
                rowTagsFor(doc)};
    }
    // The tags of a build under way once made (shared with it); null otherwise.
    std::shared_ptr<const RowTags> rowTagsFor(const CNorvaDoc& doc) const {
        if (!building(doc) || !m_pending.made->rowTagsMade.load(std::memory_order_acquire))
            return nullptr;
        return {m_pending.made, &m_pending.made->rowTags};
    }
    // What a build aside made for sorting the index's longest row, once; empty otherwise.
    DenseRowReserve takeDenseRowReserve() {
        return std::exchange(m_denseRowReserve, DenseRowReserve());
    }
    void clear() {
        m_index.reset();
        m_denseRowReserve = DenseRowReserve();
        m_pending = {};
        m_primalColumns = PrimalColumnMap();
        m_nameLengths = ColumnNameLengths();
        m_lengthsDocument = nullptr;
    }
    // How many times an index, and its map of solution records, was built; lets callers and
    // tests see the reuse.
    int buildCount() const { return m_builds; }
    int mapBuildCount() const { return m_mapBuilds; }
    // How many times the name lengths were made here rather than beside an index built aside.
    int nameLengthsBuildCount() const { return m_lengthsBuilds; }

private:
    struct Built {
        std::unique_ptr<RowIndex> index;
        RowTags rowTags;
        std::atomic<bool> rowTagsMade{false};
        ColumnNameLengths nameLengths;
        std::atomic<bool> nameLengthsMade{false};
        DenseRowReserve denseRowReserve;
        // Apart, so that a view showing a list keeps only the lists.
        std::shared_ptr<DenseRowLists> denseRows = std::make_shared<DenseRowLists>();
        std::shared_ptr<BuildPauses> pauses = std::make_shared<BuildPauses>();
    };
    struct Pending {
        std::shared_future<void> done;
        std::shared_ptr<Built> made;
        const CNorvaDoc* document = nullptr;
        std::uint64_t generation = 0;
    };
    bool holds(const CNorvaDoc& doc) const {
        return m_index && m_document == &doc && m_generation == doc.modelGeneration();
    }
    bool holdsNameLengths(const CNorvaDoc& doc) const {
        return m_lengthsDocument == &doc && m_lengthsGeneration == doc.modelGeneration();
    }
    // A build's lengths are taken once, when made: a dense row's content views them from then.
    void takeBuiltNameLengths(const CNorvaDoc& doc) {
        if (!holdsNameLengths(doc) && building(doc) &&
            m_pending.made->nameLengthsMade.load(std::memory_order_acquire))
            keepNameLengths(doc, std::move(m_pending.made->nameLengths));
    }
    void keepNameLengths(const CNorvaDoc& doc, ColumnNameLengths lengths) {
        m_nameLengths = std::move(lengths);
        m_lengthsDocument = &doc;
        m_lengthsGeneration = doc.modelGeneration();
    }
    bool building(const CNorvaDoc& doc) const {
        return m_pending.done.valid() && m_pending.document == &doc &&
               m_pending.generation == doc.modelGeneration();
    }

    std::unique_ptr<RowIndex> m_index;
    const CNorvaDoc* m_document = nullptr;
    std::uint64_t m_generation = 0;
    Pending m_pending;
    int m_builds = 0;
    PrimalColumnMap m_primalColumns;
    const CNorvaDoc* m_mapDocument = nullptr;
    std::uint64_t m_mapGeneration = 0;
    int m_mapBuilds = 0;
    ColumnNameLengths m_nameLengths;
    DenseRowReserve m_denseRowReserve;
    const CNorvaDoc* m_lengthsDocument = nullptr;
    std::uint64_t m_lengthsGeneration = 0;
    int m_lengthsBuilds = 0;
};

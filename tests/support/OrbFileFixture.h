#pragma once

// What the ORB file tests share: a model built by hand that uses every feature of the format,
// a comparison of stores by their listings, and the means to craft damaged files (byte access,
// section lookup, resealing the checksum) and to check how they are rejected.

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "OrbExceptions.h"
#include "OrbFile.h"
#include "OrbFormat.h"
#include "StoreBuilder.h"
#include "StoreListing.h"
#include "TempFolder.h"
#include "TestData.h"
#include "TextHolds.h"

namespace orbxmps::testsupport {

using Bytes = std::string;  // a file's bytes
using ::testsupport::fileText;

// Five rows (one empty), five columns (one empty), eight elements (one zero), three terms.
inline MatrixStore& buildModel(MatrixStore& store) {
    return StoreBuilder(store)
        .name("ROUNDTRIP", true)
        .row("COST", kRowFree)
        .row("LIM1", kRowLessEqual, 4.0, 2.0)
        .row("LIM2", kRowGreaterEqual, 1.0)
        .row("EQ", kRowEqual, 7.0, -3.0)
        .row("EMPTY", kRowLessEqual, 5.0)
        .column("X1", {{"COST", 1.0}, {"LIM1", 1.0}, {"LIM2", 0.0}}, 0.0, kInfinity, kColumnInteger)
        .column("X2", {{"LIM1", -2.5}, {"EQ", 1e-300}}, -kInfinity, kInfinity)
        .column("X3", {{"LIM2", 3.0}}, -kInfinity, 5.0)
        .column("X4", {}, 2.0, 2.0)
        .column("X5", {{"EQ", 3.0}, {"COST", -1.0}}, 0.0, 10.0, kColumnSemiContinuous)
        .term("COST", "X1", "X2", 0.5)
        .term("LIM1", "X3", "", 2.0)
        .term("COST", "X2", "X2", -1.25)
        .finish();
}

inline void addSolution(MatrixStore& store) {
    store.allocateSolution();
    for (std::size_t c = 0; c < store.columnCount(); ++c) {
        store.columnActivity[c] = 1.5 * static_cast<double>(c) - 2.0;
        store.reducedCost[c] = 0.25 * static_cast<double>(c) + 1.0;
        store.columnStatus[c] = static_cast<std::uint8_t>(c % 5 + 1);
    }
    for (std::size_t r = 0; r < store.rowCount(); ++r) {
        store.rowActivity[r] = 3.0 * static_cast<double>(r) + 0.5;
        store.dualValue[r] = -static_cast<double>(r) - 0.125;
    }
    store.nonlinear.value.resize(store.nonlinear.terms.size());
    for (std::size_t t = 0; t < store.nonlinear.terms.size(); ++t)
        store.nonlinear.value[t] = t + 0.75;
}

// Every field, in the listing; the name indexes and the per-row term index besides.
inline void expectSameStore(const MatrixStore& expected, const MatrixStore& actual) {
    EXPECT_EQ(listing(expected), listing(actual));
    for (const NameTable* names : {&actual.rowNames, &actual.columnNames})
        for (std::size_t i = 0; i < names->size(); ++i)
            EXPECT_EQ(names->find(names->name(i)), static_cast<std::int64_t>(i)) << names->name(i);
    const auto& [byRow, loaded] = std::tie(expected.nonlinear.byRow, actual.nonlinear.byRow);
    EXPECT_TRUE(std::equal(byRow.begin(), byRow.end(), loaded.begin(), loaded.end()));
}

// Large enough that a load sums its checksum on a second thread: 2,000 rows, 4,000 columns of
// 80 elements each, and a solution.
inline void buildLargeModel(MatrixStore& store) {
    StoreBuilder build(store);
    std::vector<std::string> rows;
    for (std::uint32_t r = 0; r < 2000; ++r)
        build.row(rows.emplace_back("R" + std::to_string(r)), r ? kRowLessEqual : kRowFree, r);
    std::vector<StoreBuilder::Element> elements(80);
    for (std::uint32_t c = 0; c < 4000; ++c) {
        for (std::uint32_t k = 0; k < elements.size(); ++k)  // distinct rows within a column
            elements[k] = {rows[(c * 7 + k * 25) % rows.size()], c + k * 0.5};
        build.column("C" + std::to_string(c), elements, 0.0, c, c % 2);
    }
    addSolution(build.finish());
}

template <typename T>
void put(Bytes& bytes, std::size_t at, T value) {
    ASSERT_LE(at + sizeof(T), bytes.size());
    std::memcpy(bytes.data() + at, &value, sizeof(T));
}

// Gives a changed file a valid checksum again, as a faulty writer would.
inline void reseal(Bytes& bytes) {
    const auto* payload = reinterpret_cast<const Bytef*>(bytes.data()) + orb::kHeaderSize;
    const auto crc = crc32_z(0, payload, bytes.size() - orb::kHeaderSize);
    put<std::uint32_t>(bytes, orb::kChecksumOffset, static_cast<std::uint32_t>(crc));
}

// Offset of the section header with this tag.
inline std::size_t sectionAt(const Bytes& bytes, orb::Tag tag) {
    std::size_t at = orb::kHeaderSize;
    while (at + orb::kSectionHeaderSize <= bytes.size()) {
        std::uint32_t found = 0;
        std::uint64_t length = 0;
        std::memcpy(&found, bytes.data() + at, sizeof found);
        std::memcpy(&length, bytes.data() + at + 8, sizeof length);
        if (found == static_cast<std::uint32_t>(tag)) return at;
        at += orb::kSectionHeaderSize + length + orb::paddingOf(length);
    }
    ADD_FAILURE() << "no section " << static_cast<int>(tag);
    return 0;
}

inline std::size_t dataOf(const Bytes& bytes, orb::Tag tag) {
    return sectionAt(bytes, tag) + orb::kSectionHeaderSize;
}

inline void setPayloadSize(Bytes& bytes) {
    put<std::uint64_t>(bytes, orb::kPayloadSizeOffset, bytes.size() - orb::kHeaderSize);
}

inline constexpr std::size_t kDimensionsAt = orb::kHeaderSize + orb::kSectionHeaderSize;

class OrbFileFixture : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    // The bytes of the test model, with a solution when asked.
    Bytes modelBytes(bool withSolution) const {
        MatrixStore store;
        buildModel(store);
        if (withSolution) addSolution(store);
        writeOrbFile(path("model.orb"), store);
        return fileText(path("model.orb"));
    }

    // Reads path into a store holding a model; expects the failure's message to hold phrase and
    // the store to be empty afterwards. Returns the message.
    std::string fileRejection(const std::string& file, const std::string& phrase,
                              const char* exceptionName = "ORB_Exception") const {
        MatrixStore store;
        buildModel(store);
        addSolution(store);
        std::string message;
        try {
            readOrbFile(file, store);
            ADD_FAILURE() << file << " was accepted; expected: " << phrase;
        } catch (const ORB_Exception& e) {
            message = e.what();
            EXPECT_STREQ(e.GetExcpName(), exceptionName) << message;
            EXPECT_EQ(e.GetExcpRoutine(), "RestoreFromFile");
            EXPECT_EQ(message.rfind(file + ": ", 0), 0u) << message;
            EXPECT_TRUE(holds(message, phrase));
        }
        // Nothing half-loaded: the listing of a new store, and no arrays that it leaves out.
        EXPECT_EQ(listing(store), listing(MatrixStore()));
        EXPECT_EQ(store.rowType.size() + store.columnStart.size() + store.elementCount(), 0u);
        return message;
    }

    // The same for a file of these bytes.
    std::string rejection(const Bytes& bytes, const std::string& phrase) const {
        return fileRejection(m_temp.write("bad.orb", bytes), phrase);
    }

    ::testsupport::TempFolder m_temp;
    std::filesystem::path m_folder{m_temp.path()};
};

}  // namespace orbxmps::testsupport

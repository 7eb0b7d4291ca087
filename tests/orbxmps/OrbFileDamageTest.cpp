#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

#include "OrbFile.h"
#include "OrbFileFixture.h"

namespace orbxmps {
namespace {

using orb::Tag;
using namespace testsupport;

class OrbFileDamageTest : public OrbFileFixture {};

TEST_F(OrbFileDamageTest, RejectsFilesThatAreNotOrb) {
    rejection(Bytes{}, "not an ORB file");
    const std::string text = "NAME          TESTLP\nROWS\n N  COST\n";
    rejection(Bytes(text.begin(), text.end()), "not an ORB file");
    Bytes bytes = modelBytes(false);
    bytes.erase(bytes.begin() + 4);  // "\r\n" turned into "\n" by a text-mode copy
    rejection(bytes, "not an ORB file");
}

TEST_F(OrbFileDamageTest, RejectsOtherVersions) {
    Bytes bytes = modelBytes(false);
    put<std::uint32_t>(bytes, orb::kVersionOffset, 7);
    const std::string message = rejection(bytes, "ORB version 7 is not supported");
    EXPECT_EQ(message, path("bad.orb") + ": ORB version 7 is not supported");
}

TEST_F(OrbFileDamageTest, RejectsTruncationAtEveryLength) {
    const Bytes whole = modelBytes(true);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE(size);
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        if (size < sizeof orb::kMagic) {
            rejection(cut, "not an ORB file");
            continue;
        }
        const std::size_t expected = size < orb::kHeaderSize ? orb::kHeaderSize : whole.size();
        const std::string message = rejection(cut, "truncated ORB file");
        EXPECT_EQ(message, path("bad.orb") + ": truncated ORB file (expected " +
                               std::to_string(expected) + " bytes, found " + std::to_string(size) +
                               ")");
    }
}

TEST_F(OrbFileDamageTest, RejectsTrailingBytes) {
    Bytes bytes = modelBytes(false);
    bytes.insert(bytes.end(), {'\n', '\n', '\n'});
    rejection(bytes, "damaged ORB file: 3 bytes follow the end of the payload");
}

TEST_F(OrbFileDamageTest, RejectsAFlippedPayloadByteByItsChecksum) {
    Bytes bytes = modelBytes(false);
    bytes[dataOf(bytes, Tag::kElementValues) + 3] ^= 0x10;
    const std::string message = rejection(bytes, "checksum mismatch");
    EXPECT_EQ(message, path("bad.orb") + ": ORB checksum mismatch: the file is damaged");
}

TEST_F(OrbFileDamageTest, ChecksumOutranksTheDamageItCovers) {
    Bytes bytes = modelBytes(false);
    put<std::uint32_t>(bytes, dataOf(bytes, Tag::kElementRows), 98);
    rejection(bytes, "checksum mismatch");
    put<std::uint64_t>(bytes, sectionAt(bytes, Tag::kRowTypes) + 8, 1ull << 40);
    rejection(bytes, "checksum mismatch");
}

TEST_F(OrbFileDamageTest, RejectsEveryFlippedByte) {
    const Bytes whole = modelBytes(true);
    for (std::size_t at = 0; at < whole.size(); ++at) {
        SCOPED_TRACE(at);
        Bytes bytes = whole;
        bytes[at] ^= 0x40;
        rejection(bytes, at >= orb::kHeaderSize ? "checksum mismatch" : path("bad.orb"));
    }
}

TEST_F(OrbFileDamageTest, RejectsDamageInALargeFileWhoseChecksumIsSummedAside) {
    MatrixStore large;
    buildLargeModel(large);
    writeOrbFile(path("large.orb"), large);
    const Bytes whole = readBytes(path("large.orb"));
    Bytes bytes = whole;
    bytes[dataOf(bytes, Tag::kElementValues) + 1000003] ^= 0x01;
    rejection(bytes, "checksum mismatch");
    bytes = whole;
    put<std::uint32_t>(bytes, dataOf(bytes, Tag::kElementRows) + 4 * 300000, 2000);
    reseal(bytes);
    rejection(bytes, "damaged ORB file: element 300001 refers to row 2001 of 2000");
}

TEST_F(OrbFileDamageTest, RejectsHugeCountsWithoutAllocating) {
    const Bytes whole = modelBytes(false);
    Bytes bytes = whole;
    put<std::uint64_t>(bytes, kDimensionsAt + 16, 1000000000000ull);
    reseal(bytes);
    rejection(bytes, "damaged ORB file: 1000000000000 elements exceed the limit of 4294967294");

    bytes = whole;
    put<std::uint64_t>(bytes, kDimensionsAt + 16, 4000000000ull);
    reseal(bytes);
    rejection(bytes, "4000000000 elements and 3 nonlinear terms need at least ");

    bytes = whole;
    put<std::uint64_t>(bytes, sectionAt(bytes, Tag::kElementValues) + 8, 1ull << 40);
    reseal(bytes);
    rejection(bytes, "section 'element values' of 1099511627776 bytes runs past the end");

    bytes = whole;
    put<std::uint64_t>(bytes, orb::kPayloadSizeOffset, ~0ull - 8);
    rejection(bytes, "truncated ORB file (expected 18446744073709551607 bytes");
}

struct Damage {
    const char* name;
    std::function<void(Bytes&)> apply;
    std::string phrase;
};

TEST_F(OrbFileDamageTest, RejectsStructuralDamageBehindAValidChecksum) {
    auto at = [](Tag tag, std::size_t offset) {
        return [tag, offset](Bytes& b) { return dataOf(b, tag) + offset; };
    };
    auto setTag = [](Tag tag, std::uint32_t to) {
        return [tag, to](Bytes& b) { put<std::uint32_t>(b, sectionAt(b, tag), to); };
    };
    const auto starts = at(Tag::kColumnStarts, 0);
    const auto rowChars = at(Tag::kRowNameCharacters, 0);
    const auto terms = at(Tag::kNonlinearTerms, 0);
    const Damage damages[] = {
        {"element row", [&](Bytes& b) { put<std::uint32_t>(b, at(Tag::kElementRows, 4)(b), 98); },
         "element 2 refers to row 99 of 5"},
        {"first start", [&](Bytes& b) { put<std::uint32_t>(b, starts(b), 1); },
         "the first column starts at element 1, not 0"},
        {"decreasing starts", [&](Bytes& b) { put<std::uint32_t>(b, starts(b) + 8, 1); },
         "column starts decrease after column 2"},
        {"last start", [&](Bytes& b) { put<std::uint32_t>(b, starts(b) + 20, 7); },
         "column starts end at 7 instead of the element count 8"},
        {"row type", [&](Bytes& b) { put<std::int16_t>(b, at(Tag::kRowTypes, 2)(b), 9); },
         "row 2 has the unknown type code 9"},
        {"column flag", [&](Bytes& b) { b[at(Tag::kColumnFlags, 2)(b)] = 0x80; },
         "column 3 has the unknown flags 0x80"},
        {"unterminated name", [&](Bytes& b) { b[rowChars(b) + 4] = 'X'; },
         "row names: row 1 is not NUL-terminated"},
        {"unterminated last name", [&](Bytes& b) { b[rowChars(b) + 23] = 'X'; },
         "row names: row 5 is not NUL-terminated"},
        {"NUL inside a name", [&](Bytes& b) { b[rowChars(b) + 1] = 0; },
         "row names: a name holds a NUL character"},
        {"offsets from 1",
         [&](Bytes& b) { put<std::uint32_t>(b, at(Tag::kRowNameOffsets, 0)(b), 1); },
         "row names do not start at offset 0"},
        {"offsets repeat",
         [&](Bytes& b) { put<std::uint32_t>(b, at(Tag::kRowNameOffsets, 8)(b), 5); },
         "row names: offsets do not increase at row 3"},
        {"offset past the end",
         [&](Bytes& b) { put<std::uint32_t>(b, at(Tag::kColumnNameOffsets, 16)(b), 1000); },
         "column names: column 5 starts past their end"},
        {"name order repeats",
         [&](Bytes& b) { put<std::uint32_t>(b, at(Tag::kRowNameOrder, 4)(b), 0); },
         "row names: the name order lists a name twice or none"},
        {"name order past the end",
         [&](Bytes& b) { put<std::uint32_t>(b, at(Tag::kColumnNameOrder, 0)(b), 5); },
         "column names: the name order lists a name twice or none"},
        {"name order swapped",
         [&](Bytes& b) {
             const std::size_t first = at(Tag::kRowNameOrder, 0)(b);
             std::swap_ranges(b.begin() + first, b.begin() + first + 4, b.begin() + first + 4);
         },
         "row names: the name order is not the names' order, at position 1"},
        {"term row", [&](Bytes& b) { put<std::uint32_t>(b, terms(b), 5); },
         "nonlinear term 1 belongs to row 6 of 5"},
        {"term column", [&](Bytes& b) { put<std::uint32_t>(b, terms(b) + 8, 17); },
         "nonlinear term 1 refers to column 18 of 5"},
        {"status", [&](Bytes& b) { b[at(Tag::kColumnStatuses, 0)(b)] = 9; },
         "column 1 has the unknown status 9"},
        {"objective row", [](Bytes& b) { put<std::int64_t>(b, kDimensionsAt + 32, 5); },
         "objective row 6 is not one of the 5 rows"},
        {"model options", [](Bytes& b) { put<std::uint32_t>(b, kDimensionsAt + 40, 4); },
         "unknown model options 0x4"},
        {"dimensions field", [](Bytes& b) { put<std::uint32_t>(b, kDimensionsAt + 44, 1); },
         "the dimensions' reserved field is not zero"},
        {"missing section", setTag(Tag::kRanges, 99), "section 'ranges' is missing"},
        {"repeated section", setTag(Tag::kRanges, 6), "section 'right-hand sides' appears twice"},
        {"dimensions not first", setTag(Tag::kDimensions, 99),
         "the payload does not begin with the dimensions"},
        {"section field",
         [](Bytes& b) { put<std::uint32_t>(b, sectionAt(b, Tag::kRanges) + 4, 1); },
         "section 'ranges': reserved field is not zero"},
        {"section length",
         [](Bytes& b) { put<std::uint64_t>(b, sectionAt(b, Tag::kRowTypes) + 8, 8); },
         "section 'row types' holds 8 bytes, expected 10"},
        {"cut section header",
         [](Bytes& b) {
             b.insert(b.end(), 8, 0);
             setPayloadSize(b);
         },
         "a section header is cut short at payload byte "},
    };
    const Bytes whole = modelBytes(true);
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        Bytes bytes = whole;
        damage.apply(bytes);
        reseal(bytes);
        rejection(bytes, "damaged ORB file: " + damage.phrase);
    }
}

TEST_F(OrbFileDamageTest, RejectsHeaderFlagsThatDisagreeWithTheSections) {
    Bytes bytes = modelBytes(false);
    put<std::uint32_t>(bytes, orb::kFlagsOffset, orb::kHeaderHasSolution);
    rejection(bytes, "the header announces a solution but section 'column activities' is missing");
    bytes = modelBytes(true);
    put<std::uint32_t>(bytes, orb::kFlagsOffset, 0);
    rejection(bytes, "section 'column activities' is present but the header announces no solution");
    put<std::uint32_t>(bytes, orb::kFlagsOffset, 5);
    rejection(bytes, "damaged ORB file: unknown header flags");
    put<std::uint32_t>(bytes, orb::kFlagsOffset, 1);
    put<std::uint32_t>(bytes, orb::kReservedOffset, 1);
    rejection(bytes, "damaged ORB file: the header's reserved field is not zero");
}

}  // namespace
}  // namespace orbxmps

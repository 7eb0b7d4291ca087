#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "OrbFile.h"
#include "OrbFileFixture.h"

namespace orbxmps {
namespace {

using orb::Tag;
using namespace testsupport;

class OrbFileDamageTest : public OrbFileFixture {};

TEST_F(OrbFileDamageTest, RejectsFilesThatAreNotOrb) {
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

// The checksum covers every payload byte and is checked before what the bytes say.
TEST_F(OrbFileDamageTest, RejectsEveryFlippedByte) {
    const Bytes whole = modelBytes(true);
    for (std::size_t at = 0; at < whole.size(); ++at) {
        SCOPED_TRACE(at);
        Bytes bytes = whole;
        bytes[at] ^= 0x40;
        const std::string message = rejection(bytes, path("bad.orb"));
        if (at >= orb::kHeaderSize) {
            EXPECT_EQ(message, path("bad.orb") + ": ORB checksum mismatch: the file is damaged");
        }
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

TEST_F(OrbFileDamageTest, RejectsAPayloadSizeBeyondAnyFile) {
    Bytes bytes = modelBytes(false);
    put<std::uint64_t>(bytes, orb::kPayloadSizeOffset, ~0ull - 8);
    rejection(bytes, "truncated ORB file (expected 18446744073709551607 bytes");
}

// A value of size bytes written at offset into the data of a section, or of the dimensions
// (tag kDimensions) or a section header (header set).
struct Poke {
    Tag tag;
    bool header;
    std::size_t offset, size;
    std::uint64_t value;
    const char* phrase;
};

TEST_F(OrbFileDamageTest, RejectsStructuralDamageBehindAValidChecksum) {
    const Poke pokes[] = {
        // huge counts and sizes, refused without allocating
        {Tag::kDimensions, false, 16, 8, 1000000000000ull,
         "1000000000000 elements exceed the limit of 4294967294"},
        {Tag::kDimensions, false, 16, 8, 4000000000ull,
         "5 rows, 5 columns, 4000000000 elements and 3 nonlinear terms need at least "},
        {Tag::kElementValues, true, 8, 8, 1ull << 40,
         "section 'element values' of 1099511627776 bytes runs past the end"},
        {Tag::kElementRows, false, 4, 4, 98, "element 2 refers to row 99 of 5"},
        {Tag::kColumnStarts, false, 0, 4, 1, "the first column starts at element 1, not 0"},
        {Tag::kColumnStarts, false, 8, 4, 1, "column starts decrease after column 2"},
        {Tag::kColumnStarts, false, 20, 4, 7,
         "column starts end at 7 instead of the element count 8"},
        {Tag::kRowTypes, false, 2, 2, 9, "row 2 has the unknown type code 9"},
        {Tag::kColumnFlags, false, 2, 1, 0x80, "column 3 has the unknown flags 0x80"},
        {Tag::kRowNameCharacters, false, 4, 1, 'X', "row names: row 1 is not NUL-terminated"},
        {Tag::kRowNameCharacters, false, 23, 1, 'X', "row names: row 5 is not NUL-terminated"},
        {Tag::kRowNameCharacters, false, 1, 1, 0, "row names: a name holds a NUL character"},
        {Tag::kRowNameOffsets, false, 0, 4, 1, "row names do not start at offset 0"},
        {Tag::kRowNameOffsets, false, 8, 4, 5, "row names: offsets do not increase at row 3"},
        {Tag::kColumnNameOffsets, false, 16, 4, 1000,
         "column names: column 5 starts past their end"},
        {Tag::kRowNameOrder, false, 4, 4, 0,
         "row names: the name order lists a name twice or none"},
        {Tag::kColumnNameOrder, false, 0, 4, 5,
         "column names: the name order lists a name twice or none"},
        {Tag::kNonlinearTerms, false, 0, 4, 5, "nonlinear term 1 belongs to row 6 of 5"},
        {Tag::kNonlinearTerms, false, 8, 4, 17, "nonlinear term 1 refers to column 18 of 5"},
        {Tag::kColumnStatuses, false, 0, 1, 9, "column 1 has the unknown status 9"},
        {Tag::kDimensions, false, 32, 8, 5, "objective row 6 is not one of the 5 rows"},
        {Tag::kDimensions, false, 40, 4, 4, "unknown model options 0x4"},
        {Tag::kDimensions, false, 44, 4, 1, "the dimensions' reserved field is not zero"},
        {Tag::kRanges, true, 0, 4, 99, "section 'ranges' is missing"},
        {Tag::kRanges, true, 0, 4, 6, "section 'right-hand sides' appears twice"},
        {Tag::kDimensions, true, 0, 4, 99, "the payload does not begin with the dimensions"},
        {Tag::kRanges, true, 4, 4, 1, "section 'ranges': reserved field is not zero"},
        {Tag::kRowTypes, true, 8, 8, 8, "section 'row types' holds 8 bytes, expected 10"},
    };
    const Bytes whole = modelBytes(true);
    for (const Poke& poke : pokes) {
        SCOPED_TRACE(poke.phrase);
        Bytes bytes = whole;
        const std::size_t at = (poke.header ? sectionAt(bytes, poke.tag) : dataOf(bytes, poke.tag));
        ASSERT_LE(at + poke.offset + poke.size, bytes.size());
        std::memcpy(bytes.data() + at + poke.offset, &poke.value, poke.size);  // little-endian
        reseal(bytes);
        rejection(bytes, std::string("damaged ORB file: ") + poke.phrase);
    }
    Bytes swapped = whole;
    const std::size_t first = dataOf(swapped, Tag::kRowNameOrder);
    std::swap_ranges(swapped.begin() + first, swapped.begin() + first + 4,
                     swapped.begin() + first + 4);
    reseal(swapped);
    rejection(swapped,
              "damaged ORB file: row names: the name order is not the names' order, at "
              "position 1");
    Bytes cut = whole;
    cut.insert(cut.end(), 8, 0);
    setPayloadSize(cut);
    reseal(cut);
    rejection(cut, "damaged ORB file: a section header is cut short at payload byte ");
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

#include <cmath>
#include <cstdio>

#include "OrbChecks.h"
#include "OrbFileFixture.h"

namespace orbxmps {
namespace {

using orb::Tag;
using namespace testsupport;

class OrbFileDamageTest : public OrbFileFixture {};

// Cut at every length, and each byte flipped: the checksum covers every payload byte and is
// checked before what the bytes say.
TEST_F(OrbFileDamageTest, RejectsEveryTruncationAndEveryFlippedByte) {
    const Bytes whole = modelBytes(true);
    for (std::size_t at = 0; at < whole.size(); ++at) {
        SCOPED_TRACE(at);
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(at));
        const std::size_t expected = at < orb::kHeaderSize ? orb::kHeaderSize : whole.size();
        if (at < sizeof orb::kMagic)
            rejection(cut, "not an ORB file");
        else
            EXPECT_EQ(rejection(cut, "truncated ORB file"),
                      path("bad.orb") + ": truncated ORB file (expected " +
                          std::to_string(expected) + " bytes, found " + std::to_string(at) + ")");
        Bytes flipped = whole;
        flipped[at] ^= 0x40;
        const std::string message = rejection(flipped, path("bad.orb"));
        if (at >= orb::kHeaderSize) {
            EXPECT_EQ(message, path("bad.orb") + ": ORB checksum mismatch: the file is damaged");
        }
    }
}

TEST_F(OrbFileDamageTest, RejectsDamageInALargeFileWhoseChecksumIsSummedAside) {
    MatrixStore large;
    buildLargeModel(large);
    writeOrbFile(path("large.orb"), large);
    const Bytes whole = fileText(path("large.orb"));
    Bytes bytes = whole;
    bytes[dataOf(bytes, Tag::kElementValues) + 1000003] ^= 0x01;
    rejection(bytes, "checksum mismatch");
    bytes = whole;
    put<std::uint32_t>(bytes, dataOf(bytes, Tag::kElementRows) + 4 * 300000, 2000);
    reseal(bytes);
    rejection(bytes, "damaged ORB file: element 300001 refers to row 2001 of 2000");
    // The values are checked on the second thread too; the structure's damage still comes first.
    bytes = whole;
    put<double>(bytes, dataOf(bytes, Tag::kElementValues) + 8 * 123456, -HUGE_VAL);
    reseal(bytes);
    rejection(bytes, "damaged ORB file: the value of element 123457 is -inf, not a finite number");
    put<std::uint32_t>(bytes, dataOf(bytes, Tag::kElementRows) + 4 * 300000, 2000);
    reseal(bytes);
    rejection(bytes, "damaged ORB file: element 300001 refers to row 2001 of 2000");
    // The column names are checked on a second thread here; a row name's damage still comes
    // first, as it did on one.
    bytes = whole;
    bytes[dataOf(bytes, Tag::kColumnNameCharacters) + 1] = 0x01;
    reseal(bytes);
    rejection(bytes, "damaged ORB file: column 1's name holds the control character 0x1");
    bytes[dataOf(bytes, Tag::kRowNameCharacters) + 1] = 0x01;
    reseal(bytes);
    rejection(bytes, "damaged ORB file: row 1's name holds the control character 0x1");
}

// Every byte value, in a name's first sixteen bytes (scanned a vector at a time) and past them:
// the control ones (1 to 31 but the tab, and 127) are named, any other passes.
TEST(OrbNameBlockTest, NamesEveryControlByteWhereverItLies) {
    for (int byte = 1; byte < 256; ++byte) {
        for (const std::size_t at : {std::size_t{3}, std::size_t{17}}) {
            std::string text = "ABCDEFGHIJKLMNOPQRST";
            text[at] = static_cast<char>(byte);
            text += '\0';
            text += "XYZ";
            PodVector<char> characters;
            characters.append(text.c_str(), text.size() + 1);
            PodVector<NameOffset> offsets;
            offsets.push_back(0);
            offsets.push_back(21);
            const bool control = (byte < 32 && byte != '\t') || byte == 127;
            char expected[64] = "";
            if (control)
                std::snprintf(expected, sizeof expected,
                              "row 1's name holds the control character 0x%X", byte);
            EXPECT_EQ(orb::nameBlockDamage("row", characters, offsets, NameLayout::kAsAdded),
                      expected)
                << byte << " at " << at;
        }
    }
}

// The same model as an earlier version wrote it, names by position; it loads as it was.
const std::string kVersion1Model = NORVA_TEST_DATA_DIR "/orb/model-v1.orb";

TEST_F(OrbFileDamageTest, ReadsTheModelAsVersion1WroteIt) {
    MatrixStore expected;
    readOrbFile(m_temp.write("model.orb", modelBytes(true)), expected);
    MatrixStore old;
    readOrbFile(kVersion1Model, old);
    EXPECT_EQ(listing(old), listing(expected));
}

TEST_F(OrbFileDamageTest, RejectsStructuralDamageBehindAValidChecksum) {
    const Bytes current = modelBytes(true);
    const Bytes version1 = fileText(kVersion1Model);
    ASSERT_EQ(version1.size(), current.size()) << "tests/data/orb/model-v1.orb missing or cut";
    std::istringstream table(::testsupport::testData("orb/damage.txt"));
    int pokes = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.starts_with('#')) continue;
        SCOPED_TRACE(line);
        ++pokes;
        const bool old = line.starts_with("v1 ");
        if (old) line.erase(0, 3);
        const Bytes& whole = old ? version1 : current;
        const std::string name = line.substr(0, line.find(':'));
        const auto section = std::ranges::find(orb::kSections, name,
                                               [](const orb::SectionInfo& s) { return s.name; });
        ASSERT_TRUE(name == "file" || section != std::end(orb::kSections));
        std::istringstream poke(line.substr(line.find(':') + 1));
        std::string part, value;
        std::size_t offset = 0, size = 0;
        poke >> part >> offset >> size >> value;
        Bytes bytes = whole;
        std::size_t at = offset;
        if (name != "file")
            at += part == "header" ? sectionAt(bytes, section->tag) : dataOf(bytes, section->tag);
        ASSERT_LE(at + size, bytes.size());
        const std::uint64_t number = std::stoull(value, nullptr, 0);
        std::memcpy(bytes.data() + at, &number, size);  // little-endian
        reseal(bytes);
        const std::string phrase = line.substr(line.find(" = ") + 3);
        rejection(bytes, name == "file" ? phrase : "damaged ORB file: " + phrase);
    }
    EXPECT_EQ(pokes, 42) << "tests/data/orb/damage.txt missing or cut";
}

// Edits outside the pokes of orb/damage.txt, each sealed as a faulty writer would: a text-mode
// copy's "\n" for "\r\n", bytes past the payload, header flags that disagree with the
// sections, a section header cut short.
TEST_F(OrbFileDamageTest, RejectsOtherEditsWithTheirMessage) {
    fileRejection(NORVA_TEST_DATA_DIR "/mps/small.mps", "not an ORB file");
    const std::pair<void (*)(Bytes&), const char*> cases[] = {
        {[](Bytes& b) { b.erase(b.begin() + 4); }, "not an ORB file"},
        {[](Bytes& b) {
             b.insert(b.end(), {'\n', '\n', '\n'});
         },
         "damaged ORB file: 3 bytes follow the end of the payload"},
        {[](Bytes& b) { put<std::uint32_t>(b, orb::kFlagsOffset, orb::kHeaderHasSolution); },
         "the header announces a solution but section 'column activities' is missing"},
        {[](Bytes& b) { b.insert(b.end(), 8, 0), setPayloadSize(b); },
         "damaged ORB file: a section header is cut short at payload byte "},
    };
    for (const auto& [edit, phrase] : cases) {
        SCOPED_TRACE(phrase);
        Bytes bytes = modelBytes(false);
        edit(bytes);
        reseal(bytes);
        rejection(bytes, phrase);
    }
}

}  // namespace
}  // namespace orbxmps

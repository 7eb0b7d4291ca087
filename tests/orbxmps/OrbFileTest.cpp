#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "LeasedFileMapping.h"
#include "MpsReader.h"
#include "OrbFileFixture.h"
#include "PlantedFile.h"
#include "orbxmps.h"

namespace orbxmps {
namespace {

namespace fs = std::filesystem;
using namespace testsupport;

class OrbFileTest : public OrbFileFixture {};

// Each store written, read over a loaded model and compared field by field: the model with no
// solution, one derived from activities and one of column values; a model large enough that
// its checksum is summed aside; a cleared store (no closing column start) and one built empty;
// the sets, cones and indicators of MPS files; names that differ only in case, hold blanks or
// UTF-8, are long or empty, kept byte for byte.
TEST_F(OrbFileTest, RoundTripsEveryStoreFieldByField) {
    const std::string longName(300, 'n');
    for (int kind = 0; kind < 9; ++kind) {
        SCOPED_TRACE(kind);
        MatrixStore original;
        if (kind < 3) buildModel(original);
        if (kind == 1 || kind == 2) addSolution(original);
        if (kind == 2) {
            original.solutionFromColumnValues = true;
            original.maximise = false;
        }
        if (kind == 3) buildLargeModel(original);
        if (kind == 5) StoreBuilder(original).name("NOTHING").finish();
        if (kind == 6 || kind == 7) {
            readMpsFile(
                NORVA_TEST_DATA_DIR + std::string(kind == 6 ? "/mps/sets.mps" : "/mps/conic.mps"),
                MpsFormat::kAuto, original);
            EXPECT_FALSE(original.extensions.empty());
            original.warnings.clear();  // not kept in the file
        }
        if (kind == 8)
            StoreBuilder(original)
                .row("a", kRowFree)
                .row("A", kRowEqual, 1.0)
                .row("with space", kRowLessEqual)
                .row("\xC3\xA9t\xC3\xA9", kRowGreaterEqual)
                .column(longName, {{"a", 1.0}, {"with space", 2.0}})
                .column("", {{"A", 3.0}})
                .finish();
        writeOrbFile(path("m.orb"), original);
        MatrixStore loaded;
        readOrbFile(path("m.orb"), buildModel(loaded));
        expectSameStore(original, loaded);
        if (kind != 8) continue;
        EXPECT_EQ(loaded.rowNames.find("WITH SPACE"), NameTable::kNotFound);
        EXPECT_STREQ(loaded.columnNames.cName(0), longName.c_str());
    }
    // Each overwrote the one before in place, larger or smaller, and left no temporary.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

TEST_F(OrbFileTest, SkipsSectionsOfLaterVersions) {
    Bytes bytes = modelBytes(true);
    // A section of tag 99 and 5 bytes, padded to 8.
    bytes.insert(bytes.end(), {99, 0, 0, 0, 0,   0,   0,   0,   5,   0, 0, 0,
                               0,  0, 0, 0, 'l', 'a', 't', 'e', 'r', 0, 0, 0});
    setPayloadSize(bytes);
    reseal(bytes);
    m_temp.write("later.orb", bytes);
    MatrixStore original;
    addSolution(buildModel(original));
    MatrixStore loaded;
    readOrbFile(path("later.orb"), loaded);
    expectSameStore(original, loaded);
}

TEST_F(OrbFileTest, ReportsFilesThatCannotBeRead) {
    fileRejection(path("missing.orb"), ": cannot open: No such file or directory",
                  "ORB_ExcpFileError");
    fileRejection(m_folder.string(), ": cannot read: Is a directory", "ORB_ExcpFileError");
}

void expectWriteFailure(const std::string& file, const MatrixStore& store,
                        const std::string& phrase) {
    try {
        writeOrbFile(file, store);
        ADD_FAILURE() << "wrote " << file;
    } catch (const ORB_ExcpFileError& e) {
        EXPECT_EQ(e.GetExcpRoutine(), "SaveToFile");
        EXPECT_EQ(std::string(e.what()), file + ": " + phrase);
    }
}

TEST_F(OrbFileTest, ReportsFilesThatCannotBeWritten) {
    MatrixStore store;
    buildModel(store);
    expectWriteFailure(path("no/such/folder/m.orb"), store,
                       "cannot open: No such file or directory");
    for (const ::testsupport::Planted kind : ::testsupport::kAllPlanted) {
        SCOPED_TRACE(::testsupport::plantedName(kind));
        const ::testsupport::PlantedFile planted(kind, path("taken.orb"));
        expectWriteFailure(path("taken.orb"), store,
                           std::string("cannot write: it exists and is a ") +
                               ::testsupport::plantedName(kind) + ", not a regular file");
        planted.expectUntouched();
        fs::remove(path("taken.orb"));
        fs::remove(path("taken.orb.target"));
    }
    EXPECT_TRUE(fs::is_empty(m_folder)) << "a temporary was left behind";
}

TEST_F(OrbFileTest, FailedWriteKeepsTheOldFile) {
    MatrixStore small;
    writeOrbFile(path("m.orb"), buildModel(small));
    const Bytes before = fileText(path("m.orb"));
    MatrixStore large;
    buildLargeModel(large);

    // A file-size limit makes the write fail part way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    auto* previous = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    expectWriteFailure(path("m.orb"), large, "cannot write: File too large");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);

    EXPECT_EQ(fileText(path("m.orb")), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

// Another program cuts the file short and rewrites it while a load's arrays lie in its
// mapping: the writer gets through, and the store keeps, and can read, what was loaded. The
// bound the load settles at infinity is changed in the store, not in the file. Read without a
// mapping as well, for the same store.
TEST_F(OrbFileTest, KeepsWhatWasLoadedWhenAnotherProgramRewritesTheFile) {
    MatrixStore original;
    buildLargeModel(original);
    original.upper[7] = 1e25;
    const std::string file = path("m.orb");
    const Bytes bytes = (writeOrbFile(file, original), fileText(file));
    original.upper[7] = kInfinity;
    {
        const int fd = ::open(file.c_str(), O_RDONLY);
        const bool leased = LeasedFileMapping::map(fd, bytes.size()) != nullptr;
        ::close(fd);
        if (!leased) GTEST_SKIP() << "no read lease on " << file << "'s file system";
    }
    for (const bool mapped : {true, false}) {
        SCOPED_TRACE(mapped ? "mapped" : "read");
        allowFileMapping(mapped);
        MatrixStore loaded;
        readOrbFile(file, loaded);
        EXPECT_EQ(fileText(file), bytes);
        const pid_t writer = ::fork();
        if (writer == 0) {
            const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC);
            ::_exit(fd >= 0 && ::write(fd, "ORBX", 4) == 4 ? 0 : 1);
        }
        int status = -1;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(fileText(file), "ORBX");
        expectSameStore(original, loaded);
        m_temp.write("m.orb", bytes);
    }
    allowFileMapping(true);
}

}  // namespace
}  // namespace orbxmps

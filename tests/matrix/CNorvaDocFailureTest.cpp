#include "DocTestFixture.h"
#include "PlantedFile.h"
#include "StringTable.h"

namespace {

using namespace matrixtest;

class DocFailureTest : public DocTest {
protected:
    // A failed open leaves no model, no library object and nothing marked as loaded.
    void expectNothingLoaded() {
        EXPECT_EQ(modelListing(doc.model()), "");
        EXPECT_EQ(doc.matrixObject(), nullptr);
        EXPECT_EQ(doc.nonlinearTerms(), nullptr);
    }
};

// After a good open: the message names the log beside the file, then the reader's reason on
// one line; the log, written afresh, holds the reason and the exception. Only a file that
// cannot be read ends its log with the file error. An upper-case .ORB goes to the ORB reader.
TEST_F(DocFailureTest, RejectsABadFileWithALogBesideIt) {
    const std::string notOpened = "XMPS File Could Not be Opened";
    const struct {
        const char* title;
        const char* extension;
        const char* kind;
        std::string content;
        std::vector<const char*> inReason, inLog;
        bool unreadable;
    } cases[] = {
        // clang-format off
        {"run", ".mps", "MPS", kBadValueMps, {"run.mps:5:", "value is not a number"},
         {"run.mps:5:", "value is not a number", "CMF_Exception"}, false},
        // gzip magic and header, then a deflate stream that ends after two bytes
        {"broken", ".mps", "MPS", std::string("\x1f\x8b\x08\0\0\0\0\0\0\x03\x4b\x4c", 12), {},
         {"CMF_ExcpFileError", "broken.mps"}, true},
        {"Model", ".ORB", "ORB", kTinyMps, {"not an ORB file"},
         {"ORB_Exception in RestoreFromFile", "not an ORB file"}, false},
        // clang-format on
    };
    ASSERT_TRUE(openMatrix(doc, folder.write("first.mps", kTinyMps)));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        flags.matrixLoaded = false;
        const std::string logPath =
            folder.write(c.title + std::string("_err.log"), std::string(4096, '#') + "OLD CONTENT");
        EXPECT_FALSE(openMatrix(doc, folder.write(c.title + std::string(c.extension), c.content)));
        EXPECT_EQ(ui.lastCaption, "Error");
        const std::string head = std::string("Failed to load ") + c.kind +
                                 " file. Look at the error log file:\n " + logPath + "\n\n";
        ASSERT_TRUE(ui.lastMessage.starts_with(head)) << ui.lastMessage;
        const std::string reason = ui.lastMessage.substr(head.size());
        EXPECT_EQ(reason.find('\n'), std::string::npos) << reason;
        const std::string log = fileText(logPath);
        for (const char* part : c.inReason) EXPECT_TRUE(holds(reason, part));
        for (const char* part : c.inLog) EXPECT_TRUE(holds(log, part));
        EXPECT_EQ(log.ends_with(notOpened), c.unreadable) << log;
        EXPECT_EQ(log.find(notOpened) != std::string::npos, c.unreadable) << log;
        EXPECT_EQ(log.find("OLD CONTENT"), std::string::npos) << log;
        expectNothingLoaded();
        EXPECT_FALSE(flags.matrixLoaded);
    }
}

TEST_F(DocFailureTest, ErrorLogIsNeverWrittenThroughALinkOrOntoAFifoOrFolder) {
    const struct {
        const char* file;
        const std::string& content;
        int noLogMessage;
        const char* cause;
    } loads[] = {
        {"run.mps", kBadValueMps, strings::kFailedToLoadMpsNoLog, "value is not a number"},
        {"run.orb", kTinyMps, strings::kFailedToLoadOrbNoLog, "not an ORB file"},
    };
    for (const auto& load : loads) {
        for (const testsupport::Planted kind : testsupport::kAllPlanted) {
            SCOPED_TRACE(std::string(load.file) + " with a " + testsupport::plantedName(kind));
            testsupport::TempFolder scratch;
            const std::string logPath = scratch / "run_err.log";
            const testsupport::PlantedFile planted(kind, logPath);
            const std::string path = scratch.write(load.file, load.content);
            EXPECT_FALSE(openMatrix(doc, path));
            planted.expectUntouched();
            const std::string noLog = strings::format(load.noLogMessage, logPath + " (");
            EXPECT_EQ(ui.lastMessage.substr(0, noLog.size()), noLog) << ui.lastMessage;
            EXPECT_TRUE(holds(ui.lastMessage, load.cause));
            expectNothingLoaded();
        }
    }
}

TEST_F(DocFailureTest, RejectsAMissingFileOrAFolderBeforeTheLibrary) {
    std::filesystem::create_directory(folder / "dir.mps");
    const std::pair<std::string, const char*> cases[] = {
        {folder / "absent.mps", "No such file or directory"},
        {folder / "dir.mps", "Is a directory"},
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(openMatrix(doc, path));
        EXPECT_EQ(ui.lastCaption, "Error");
        EXPECT_TRUE(holds(ui.lastMessage, path));
        EXPECT_TRUE(holds(ui.lastMessage, reason));
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "absent_err.log"));
}

// Before any open, and after a failed one, there is no library object to take a solution.
TEST_F(DocFailureTest, SolutionModeWithoutALibraryObjectIsRefused) {
    for (const bool afterAFailedOpen : {false, true}) {
        SCOPED_TRACE(afterAFailedOpen);
        if (afterAFailedOpen) {
            ASSERT_TRUE(openMatrix(doc, folder.write("tiny.mps", kTinyMps)));
            ASSERT_FALSE(openMatrix(doc, folder.write("run.mps", kBadValueMps)));
        }
        flags.openAsSolution = true;
        EXPECT_FALSE(doc.OnOpenDocument(folder.write("KNLP_Solution.001", "a\nb\nc\nX1 1\n")));
        EXPECT_EQ(ui.lastCaption, "Error");
        EXPECT_EQ(ui.lastMessage, "No valid ORB Manager object found");
    }
}

TEST_F(DocFailureTest, ModelBuildFailureLeavesNothingLoaded) {
    ASSERT_TRUE(openMatrix(doc, folder.write("tiny.mps", kTinyMps)));
    // Damage the held library object so that rebuilding from it throws.
    orbxmps::MatrixStore& store = doc.matrixObject()->store();
    store.elementRow[0] = static_cast<std::uint32_t>(store.rowCount());
    flags.openAsSolution = true;
    EXPECT_FALSE(doc.OnOpenDocument(folder.write("KNLP_Solution.001", "header\nheader\nheader\n")));
    EXPECT_EQ(ui.lastCaption, "Error");
    for (const char* part : {"could not be built", "unknown row", "KNLP_Solution.001"})
        EXPECT_TRUE(holds(ui.lastMessage, part));
    expectNothingLoaded();
}

}  // namespace

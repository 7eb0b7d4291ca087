#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "CNorvaDoc.h"
#include "DocTestFixture.h"
#include "PlantedFile.h"
#include "StringTable.h"

namespace {

using namespace matrixtest;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class DocFailureTest : public DocTest {
protected:
    // A failed open leaves no model, no library object and nothing marked as loaded.
    void expectNothingLoaded() {
        EXPECT_EQ(modelListing(doc.model()), "");
        EXPECT_EQ(doc.matrixObject(), nullptr);
        EXPECT_EQ(doc.nonlinearTerms(), nullptr);
    }
};

TEST_F(DocFailureTest, RejectsBadMpsWithALogBesideTheFile) {
    ASSERT_TRUE(openMatrix(doc, write("first.mps", kTinyMps)));
    flags.matrixLoaded = false;
    write("run_err.log", "OLD CONTENT OF AN EARLIER FAILURE\n");
    EXPECT_FALSE(openMatrix(doc, write("run.mps", kBadValueMps)));

    const std::string logPath = folder / "run_err.log";
    EXPECT_EQ(ui.lastCaption, "Error");
    // The specified text, then the reader's reason on one line below it.
    const std::string head = "Failed to load MPS file. Look at the error log file:\n " + logPath;
    ASSERT_TRUE(ui.lastMessage.starts_with(head + "\n\n")) << ui.lastMessage;
    const std::string reason = ui.lastMessage.substr(head.size() + 2);
    EXPECT_EQ(reason.find('\n'), std::string::npos) << reason;
    const std::string log = fileText(logPath);
    for (const char* part : {"run.mps:5:", "value is not a number"}) {
        EXPECT_TRUE(contains(reason, part)) << reason;
        EXPECT_TRUE(contains(log, part)) << log;
    }
    EXPECT_TRUE(contains(log, "CMF_Exception")) << log;
    EXPECT_FALSE(contains(log, "XMPS File Could Not be Opened")) << log;
    EXPECT_FALSE(contains(log, "OLD CONTENT")) << log;
    expectNothingLoaded();
    EXPECT_FALSE(flags.matrixLoaded);
}

TEST_F(DocFailureTest, RejectsAnUnreadableMpsStreamWithTheFileErrorText) {
    // gzip magic and header, then a deflate stream that ends after two bytes
    EXPECT_FALSE(openMatrix(
        doc, write("broken.mps", std::string("\x1f\x8b\x08\0\0\0\0\0\0\x03\x4b\x4c", 12))));
    const std::string log = fileText(folder / "broken_err.log");
    EXPECT_TRUE(contains(log, "CMF_ExcpFileError")) << log;
    EXPECT_TRUE(contains(log, "broken.mps")) << log;
    EXPECT_TRUE(log.ends_with("XMPS File Could Not be Opened")) << "not the log's end: " << log;
    EXPECT_TRUE(contains(ui.lastMessage, "Failed to load MPS file"));
    expectNothingLoaded();
}

TEST_F(DocFailureTest, RejectsBadOrbWithALogBesideTheFile) {
    // Upper-case extension: routed to the ORB reader, which does not take MPS text.
    EXPECT_FALSE(openMatrix(doc, write("Model.ORB", kTinyMps)));
    const std::string logPath = folder / "Model_err.log";
    EXPECT_EQ(ui.lastCaption, "Error");
    const std::string head = strings::format(strings::kFailedToLoadOrb, logPath) + "\n\n";
    ASSERT_TRUE(ui.lastMessage.starts_with(head)) << ui.lastMessage;
    EXPECT_TRUE(contains(ui.lastMessage.substr(head.size()), "not an ORB file")) << ui.lastMessage;
    const std::string log = fileText(logPath);
    EXPECT_TRUE(contains(log, "ORB_Exception in RestoreFromFile")) << log;
    EXPECT_TRUE(contains(log, "not an ORB file")) << log;
    expectNothingLoaded();
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
            EXPECT_TRUE(contains(ui.lastMessage, load.cause)) << ui.lastMessage;
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
        EXPECT_TRUE(contains(ui.lastMessage, path)) << ui.lastMessage;
        EXPECT_TRUE(contains(ui.lastMessage, reason)) << ui.lastMessage;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "absent_err.log"));
}

// Before any open, and after a failed one, there is no library object to take a solution.
TEST_F(DocFailureTest, SolutionModeWithoutALibraryObjectIsRefused) {
    for (const bool afterAFailedOpen : {false, true}) {
        SCOPED_TRACE(afterAFailedOpen);
        if (afterAFailedOpen) {
            ASSERT_TRUE(openMatrix(doc, write("tiny.mps", kTinyMps)));
            ASSERT_FALSE(openMatrix(doc, write("run.mps", kBadValueMps)));
        }
        flags.openAsSolution = true;
        EXPECT_FALSE(doc.OnOpenDocument(write("KNLP_Solution.001", "a\nb\nc\nX1 1\n")));
        EXPECT_EQ(ui.lastCaption, "Error");
        EXPECT_EQ(ui.lastMessage, "No valid ORB Manager object found");
    }
}

TEST_F(DocFailureTest, ModelBuildFailureLeavesNothingLoaded) {
    ASSERT_TRUE(openMatrix(doc, write("tiny.mps", kTinyMps)));
    // Damage the held library object so that rebuilding from it throws.
    orbxmps::MatrixStore& store = doc.matrixObject()->store();
    store.elementRow[0] = static_cast<std::uint32_t>(store.rowCount());
    flags.openAsSolution = true;
    EXPECT_FALSE(doc.OnOpenDocument(write("KNLP_Solution.001", "header\nheader\nheader\n")));
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_TRUE(contains(ui.lastMessage, "could not be built")) << ui.lastMessage;
    EXPECT_TRUE(contains(ui.lastMessage, "unknown row")) << ui.lastMessage;
    EXPECT_TRUE(contains(ui.lastMessage, "KNLP_Solution.001")) << ui.lastMessage;
    expectNothingLoaded();
}

}  // namespace

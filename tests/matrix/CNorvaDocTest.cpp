#include "DocTestFixture.h"
#include "FakeLoomServer.h"
#include "PrimalListing.h"

namespace {

using namespace matrixtest;

// Rows and columns sorted by name, coefficients in file order as floats, zeros kept among the
// coefficients and left out of the right-hand sides, a range on a row without one.
TEST_F(DocTest, OpensMpsIntoASortedModelWithCaseSensitiveLookups) {
    ASSERT_TRUE(openMatrix(doc, folder.write("tiny.mps", kTinyMps))) << ui.lastMessage;
    EXPECT_EQ(ui.messageCount, 0);
    EXPECT_EQ(modelListing(doc.model()), testData("matrix/tiny.txt"));
    EXPECT_EQ(std::tuple(flags.matrixLoaded, doc.matrixFileName(), doc.solutionName(),
                         doc.matrixObject() != nullptr, doc.nonlinearTerms() != nullptr),
              std::tuple(true, "tiny.mps", "", true, true));
    EXPECT_EQ(std::tuple(doc.FindRow("Cap")->type(), doc.FindRow("cap")->type(),
                         doc.FindRhs("Cap")->value(), doc.FindRhs("cap")->value(),
                         doc.FindRange("BAL")->value(),
                         doc.model().entries.coefficient(*doc.FindColumn("X1"), 1).value()),
              std::tuple('L', 'G', 4.0f, 2.0f, 3.0f, 0.1f));
    ASSERT_NE(doc.FindBound("FX5", 3), nullptr);
    for (const char* name : {"CAP", "BAL", "OBJ"}) EXPECT_EQ(doc.FindRhs(name), nullptr) << name;
    EXPECT_EQ(std::tuple(doc.FindRow("CAP"), doc.FindColumn("x1"), doc.FindBound("X1", 2),
                         doc.FindBound("fx5", 3)),
              std::tuple(nullptr, nullptr, nullptr, nullptr));
}

TEST_F(DocTest, SecondOpenLeavesNothingOfTheFirst) {
    docWithDatabase.automation().TARN = false;
    docWithDatabase.automation().strDaoDatabase = "/d/results.mdb";
    ASSERT_TRUE(openMatrix(docWithDatabase, folder.write("tiny.mps", kTinyMps)));
    ASSERT_FALSE(docWithDatabase.primal().columns.empty());

    docWithDatabase.automation().strDaoDatabase.clear();
    const std::string other = folder.write("other.mps", testData("mps/other.mps"));
    ASSERT_TRUE(openMatrix(docWithDatabase, other));
    EXPECT_EQ(modelListing(docWithDatabase.model()), testData("matrix/other.txt"));
    EXPECT_EQ(testsupport::primalListing(docWithDatabase.primal()), "");
    EXPECT_EQ(docWithDatabase.matrixFileName(), "other.mps");
}

TEST_F(DocTest, OrbFileIsReadFromItsFolder) {
    const ObjectPtr object = newObject();
    StoreBuilder(object->store())
        .row("obj", 1)
        .row("lim", 3, 6.0)
        .column("x", {{"obj", 1.5}, {"lim", 2.0}}, 0.0, 4.0)
        .finish();
    const std::string path = folder / "Hand.Orb";
    object->saveToFile(path);
    ASSERT_TRUE(openMatrix(doc, path)) << ui.lastMessage;
    EXPECT_EQ(modelListing(doc.model()),
              "row lim L\nrow obj N\ncolumn x: obj=1.5 lim=2\nrhs lim 6\n"
              "bound x 1 0\nbound x 2 4\n");
    EXPECT_EQ(doc.matrixObject()->workingFolder(), folder.path() + "/");
}

TEST_F(DocTest, CaseFileComesFromTheServerAndKeepsTheLibraryObject) {
    ASSERT_TRUE(openMatrix(doc, folder.write("tiny.mps", kTinyMps)));
    const orbxmps::ORBObject* held = doc.matrixObject();
    const std::string casePath = folder.write("MODEL.CAS", "anything");
    // Without a way to reach the server the open fails with the reason and the install hint.
    doc.settings().LoomProcessName = "proc";
    EXPECT_FALSE(openMatrix(doc, casePath));
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_TRUE(holds(ui.lastMessage, "\nPlease make sure that you have installed LoomX."));

    matrixtest::FakeCase fake;
    doc.setLoomConnector(&fake);
    ASSERT_TRUE(openMatrix(doc, casePath)) << ui.lastMessage;
    EXPECT_EQ(modelListing(doc.model()), testData("matrix/case.txt"));
    // The case's arrays arrive out of order; once sorted, lookups find their records.
    EXPECT_EQ(std::tuple(doc.FindRow("CAP")->type(), doc.FindBound("Y", 2)->value(),
                         doc.primal().rows.size(), doc.matrixObject() == held, fake.live),
              std::tuple('L', 8.0f, 3u, true, 0));
    EXPECT_FALSE(std::filesystem::exists(folder / "MODEL_err.log"));
}

TEST_F(DocTest, ResultsNamedMatrixGetsItsCaseAndSortedSolution) {
    ASSERT_TRUE(openMatrix(docWithDatabase, folder.write("mpsbcd007.mps", kTinyMps)));
    EXPECT_EQ(docWithDatabase.caseNumber(), 7);
    EXPECT_EQ(database.calls.back(), "Close");
    // The reader delivered "cap" before "Cap"; lookups work only once the open has sorted.
    EXPECT_EQ(testsupport::primalListing(docWithDatabase.primal()),
              "column X1 2 0.5 1 status 3\ncolumn Y2 3 0 0 status 3\nrow Cap 4 0 status 5\n"
              "row cap 1 0 status 3\n");
    EXPECT_EQ(docWithDatabase.primal().FindPrimalRow("cap")->Activity, 1.0f);

    ASSERT_TRUE(openMatrix(docWithDatabase, folder.write("model.mps", kTinyMps)));
    EXPECT_EQ(docWithDatabase.caseNumber(), 0);
}

// A solution file rebuilds the model and fills the lists sorted by name (Cap's activity is
// 2.5 * 0.1 + 5 * 1); an unopenable one keeps the library object.
TEST_F(DocTest, SolutionFileRebuildsTheModelOrKeepsTheLibraryObject) {
    ASSERT_TRUE(openMatrix(doc, folder.write("tiny.mps", kTinyMps))) << ui.lastMessage;
    const orbxmps::ORBObject* held = doc.matrixObject();
    flags.openAsSolution = true;
    const std::string missing = folder / "KNLP_Solution.404";
    EXPECT_FALSE(doc.OnOpenDocument(missing));
    EXPECT_EQ(ui.lastMessage, "Unable to open KSLP Results File: " + missing);
    EXPECT_EQ(doc.matrixObject(), held);
    EXPECT_TRUE(doc.primal().columns.empty());
    ASSERT_TRUE(doc.OnOpenDocument(folder.write("KNLP_Solution.001", "h\nh\nh\nX1 2.5\nFX5 5\n")))
        << ui.lastMessage;
    EXPECT_EQ(doc.solutionName(), "KNLP_Solution.001");
    EXPECT_EQ(doc.matrixFileName(), "tiny.mps");
    EXPECT_EQ(modelListing(doc.model()), testData("matrix/tiny.txt"));
    EXPECT_NE(doc.nonlinearTerms(), nullptr);
    EXPECT_EQ(testsupport::primalListing(doc.primal()), testData("matrix/tiny_solved.txt"));
}

}  // namespace

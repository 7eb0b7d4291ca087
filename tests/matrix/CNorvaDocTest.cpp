#include <gtest/gtest.h>

#include "CNorvaDoc.h"
#include "DocTestFixture.h"
#include "FakeLoomServer.h"

namespace {

using matrixtest::DocTest;
using matrixtest::kOtherMps;
using matrixtest::kTinyMps;

std::vector<std::string> rowNames(const CNorvaDoc& doc) {
    std::vector<std::string> names;
    for (const CRow& row : doc.model().rows) names.emplace_back(row.name());
    return names;
}

TEST_F(DocTest, OpensMpsIntoASortedModel) {
    ASSERT_TRUE(openMatrix(doc, write("tiny.mps", kTinyMps))) << ui.lastMessage;
    EXPECT_EQ(ui.messageCount, 0);
    EXPECT_EQ(rowNames(doc), (std::vector<std::string>{"BAL", "Cap", "OBJ", "cap"}));
    std::vector<std::string> columns;
    for (const CCol& column : doc.model().columns) columns.emplace_back(column.name());
    EXPECT_EQ(columns, (std::vector<std::string>{"FREE", "FX5", "X1", "Y2"}));
    EXPECT_TRUE(flags.matrixLoaded);
    EXPECT_EQ(doc.matrixFileName(), "tiny.mps");
    EXPECT_EQ(doc.solutionName(), "");
    EXPECT_NE(doc.matrixObject(), nullptr);
    EXPECT_NE(doc.nonlinearTerms(), nullptr);
}

TEST_F(DocTest, LookupsAreCaseSensitiveAndZeroRhsIsAbsent) {
    ASSERT_TRUE(openMatrix(doc, write("tiny.mps", kTinyMps)));
    ASSERT_NE(doc.FindRow("Cap"), nullptr);
    ASSERT_NE(doc.FindRow("cap"), nullptr);
    EXPECT_EQ(doc.FindRow("Cap")->type(), 'L');
    EXPECT_EQ(doc.FindRow("cap")->type(), 'G');
    EXPECT_EQ(doc.FindRow("CAP"), nullptr);
    EXPECT_EQ(doc.FindColumn("x1"), nullptr);
    ASSERT_NE(doc.FindColumn("X1"), nullptr);
    EXPECT_EQ(doc.FindRhs("Cap")->value(), 4.0f);
    EXPECT_EQ(doc.FindRhs("cap")->value(), 2.0f);
    ASSERT_NE(doc.FindBound("FX5", 3), nullptr);
    EXPECT_EQ(doc.FindBound("X1", 2), nullptr);
    EXPECT_EQ(doc.FindBound("fx5", 3), nullptr);
    // A zero right-hand side is absent, and a range stands without one.
    EXPECT_EQ(doc.FindRhs("BAL"), nullptr);
    EXPECT_EQ(doc.FindRhs("OBJ"), nullptr);
    ASSERT_NE(doc.FindRange("BAL"), nullptr);
    EXPECT_EQ(doc.FindRange("BAL")->value(), 3.0f);
    EXPECT_EQ(doc.model().rhs.size(), 2u);
    EXPECT_EQ(doc.model().ranges.size(), 1u);
}

TEST_F(DocTest, CoefficientsKeepFileOrderAsFloats) {
    ASSERT_TRUE(openMatrix(doc, write("tiny.mps", kTinyMps)));
    const CCol* x1 = doc.FindColumn("X1");
    ASSERT_NE(x1, nullptr);
    ASSERT_EQ(x1->coefficientCount(), 3u);
    EXPECT_EQ(x1->coefficient(0).name(), "OBJ");
    EXPECT_EQ(x1->coefficient(1).name(), "Cap");
    EXPECT_EQ(x1->coefficient(1).value(), 0.1f);
    EXPECT_NE(static_cast<double>(x1->coefficient(1).value()), 0.1);
    EXPECT_EQ(x1->coefficient(2).name(), "BAL");
    const CCol* y2 = doc.FindColumn("Y2");
    ASSERT_EQ(y2->coefficientCount(), 2u);
    EXPECT_EQ(y2->coefficient(1).value(), 0.0f);  // a zero in the file is kept
}

TEST_F(DocTest, SecondOpenLeavesNothingOfTheFirst) {
    docWithDatabase.automation().TARN = false;
    docWithDatabase.automation().strDaoDatabase = "/d/results.mdb";
    ASSERT_TRUE(openMatrix(docWithDatabase, write("tiny.mps", kTinyMps)));
    ASSERT_FALSE(docWithDatabase.primal().columns.empty());

    docWithDatabase.automation().strDaoDatabase.clear();
    ASSERT_TRUE(openMatrix(docWithDatabase, write("other.mps", kOtherMps)));
    const MatrixModel& model = docWithDatabase.model();
    EXPECT_EQ(rowNames(docWithDatabase), (std::vector<std::string>{"limit", "profit"}));
    EXPECT_EQ(model.columns.size(), 1u);
    EXPECT_EQ(docWithDatabase.FindColumn("X1"), nullptr);
    EXPECT_EQ(docWithDatabase.FindRow("Cap"), nullptr);
    EXPECT_EQ(model.rhs.size(), 1u);
    EXPECT_TRUE(model.ranges.empty());
    EXPECT_EQ(model.bounds.size(), 1u);
    EXPECT_EQ(model.entries.size(), 2u);
    EXPECT_TRUE(docWithDatabase.primal().columns.empty());
    EXPECT_TRUE(docWithDatabase.primal().rows.empty());
    EXPECT_EQ(docWithDatabase.matrixFileName(), "other.mps");
}

TEST_F(DocTest, OrbFileIsReadFromItsFolder) {
    auto object = matrixtest::makeObject({{"obj", 1}, {"lim", 3, 6.0}},
                                         {{"x", 0.0, 4.0, {{"obj", 1.5}, {"lim", 2.0}}}});
    const std::string path = folder / "Hand.Orb";
    object->saveToFile(path);
    ASSERT_TRUE(openMatrix(doc, path)) << ui.lastMessage;
    EXPECT_EQ(rowNames(doc), (std::vector<std::string>{"lim", "obj"}));
    EXPECT_EQ(doc.FindColumn("x")->coefficient(0).value(), 1.5f);
    EXPECT_EQ(doc.matrixObject()->workingFolder(), folder.path() + "/");
}

TEST_F(DocTest, CaseFileComesFromTheServerAndKeepsTheLibraryObject) {
    ASSERT_TRUE(openMatrix(doc, write("tiny.mps", kTinyMps)));
    const orbxmps::ORBObject* held = doc.matrixObject();
    const std::string casePath = write("MODEL.CAS", "anything");
    // Without a way to reach the server the open fails with the reason and the install hint.
    doc.settings().LoomProcessName = "proc";
    EXPECT_FALSE(openMatrix(doc, casePath));
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_NE(ui.lastMessage.find("\nPlease make sure that you have installed LoomX."),
              std::string::npos);

    matrixtest::FakeCase fake;
    matrixtest::FakeConnector connector(fake);
    doc.setLoomConnector(&connector);
    ASSERT_TRUE(openMatrix(doc, casePath)) << ui.lastMessage;
    EXPECT_EQ(rowNames(doc), (std::vector<std::string>{"BAL", "CAP", "OBJ"}));
    EXPECT_EQ(doc.primal().rows.size(), 3u);
    EXPECT_EQ(doc.matrixObject(), held);
    EXPECT_FALSE(std::filesystem::exists(folder / "MODEL_err.log"));
    EXPECT_EQ(fake.live, 0);
}

TEST_F(DocTest, ResultsNamedMatrixGetsItsCaseAndSortedSolution) {
    ASSERT_TRUE(openMatrix(docWithDatabase, write("mpsbcd007.mps", kTinyMps)));
    EXPECT_EQ(docWithDatabase.caseNumber(), 7);
    EXPECT_EQ(database.calls.back(), "Close");
    // The reader delivered "cap" before "Cap"; lookups work only once the open has sorted.
    ASSERT_EQ(docWithDatabase.primal().rows.size(), 2u);
    EXPECT_EQ(docWithDatabase.primal().rows[0].Name, "Cap");
    ASSERT_NE(docWithDatabase.primal().FindPrimalColumn("X1"), nullptr);
    EXPECT_EQ(docWithDatabase.primal().FindPrimalRow("cap")->Activity, 1.0f);

    ASSERT_TRUE(openMatrix(docWithDatabase, write("model.mps", kTinyMps)));
    EXPECT_EQ(docWithDatabase.caseNumber(), 0);
}

// With no database, or one that fails to open, a results-named matrix still opens, bare.
TEST_F(DocTest, ResultsNamedMatrixOpensWithoutItsDatabase) {
    database.openSucceeds = false;
    for (CNorvaDoc* document : {&docWithDatabase, &doc}) {
        SCOPED_TRACE(document == &doc ? "no database" : "database fails to open");
        flags.matrixLoaded = false;
        ASSERT_TRUE(openMatrix(*document, write("MPSBCD001.mps", kTinyMps)));
        EXPECT_TRUE(flags.matrixLoaded);
        EXPECT_EQ(document->model().rows.size(), 4u);
        EXPECT_EQ(document->matrixFileName(), "MPSBCD001.mps");
        EXPECT_TRUE(document->primal().rows.empty());
        EXPECT_EQ(ui.messageCount, 0);
    }
    EXPECT_EQ(doc.caseNumber(), 0);
}

}  // namespace

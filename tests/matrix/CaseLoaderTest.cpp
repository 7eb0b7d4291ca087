#include <functional>
#include <tuple>

#include "CaseLoader.h"
#include "FakeLoomServer.h"
#include "MatrixTestSupport.h"
#include "PrimalListing.h"
#include "StringTable.h"

namespace {

using namespace matrixtest;

class MessageLog : public RecordingUserInterface {
public:
    void messageBox(const std::string& caption, const std::string& text) override {
        RecordingUserInterface::messageBox(caption, text);
        messages.push_back(text);
    }
    std::vector<std::string> messages;
};

std::string message(int id, const std::string& argument) { return strings::format(id, argument); }

class CaseLoaderTest : public ::testing::Test {
protected:
    bool load(const std::string& process = "proc") {
        const bool loaded = LoadLoomCase(&fake, process, model, primal, ui);
        EXPECT_EQ(fake.live, 0) << "an object was not released";
        return loaded;
    }
    // What a failed load leaves: the rows, columns and right-hand sides read before the failure.
    using Left = std::tuple<std::size_t, std::size_t, std::size_t>;

    // A fresh case, broken by breakIt, fails to load with these messages and leaves left.
    void expectFailure(const std::function<void(FakeCase&)>& breakIt,
                       const std::vector<std::string>& messages, Left left) {
        fake = FakeCase();
        breakIt(fake);
        model = MatrixModel();
        ui.messages.clear();
        EXPECT_FALSE(load());
        EXPECT_EQ(ui.messages, messages);
        EXPECT_EQ(Left(model.rows.size(), model.columns.size(), model.rhs.size()), left);
    }

    FakeCase fake;
    MatrixModel model;
    PrimalLists primal;
    MessageLog ui;
};

TEST_F(CaseLoaderTest, ReadsTheSevenTablesIntoASortedModel) {
    ASSERT_TRUE(load()) << ui.lastMessage;
    EXPECT_EQ(ui.messageCount, 0);
    // "SENX" covers two of the three rows, the third keeps '?'. With both limits 0, "MI" (X)
    // gives one kind-2 bound and "UP" (Z) one kind-1 bound; Y has 1 and 8 under a text that
    // names neither rule.
    EXPECT_EQ(matrixtest::modelListing(model), testsupport::testData("matrix/case.txt"));
    // COLX holds two columns' records; the records' status is 0.
    EXPECT_EQ(testsupport::primalListing(primal),
              "column X 1 0 1 status 0\ncolumn Y 2 -1 2 status 0\nrow BAL 0 0 status 0\n"
              "row CAP 4 1.5 status 0\nrow OBJ 5 0.5 status 0\n");
}

TEST_F(CaseLoaderTest, NoProcessNameStopsBeforeTheServerAndNoServerShowsWhyThen158) {
    EXPECT_FALSE(load(""));
    EXPECT_EQ(ui.lastMessage, strings::text(strings::kLoomProcessNameRequired));
    EXPECT_EQ(fake.connections, 0);
    fake.connectFailure = std::string(1500, 'r');
    EXPECT_FALSE(load());
    EXPECT_EQ(ui.lastMessage, std::string(1000, 'r') + "\n" + strings::text(strings::kLoomInstall));
}

TEST_F(CaseLoaderTest, EachUnopenedObjectShowsItsMessage) {
    const std::pair<void (*)(FakeCase&), std::string> steps[] = {
        {[](FakeCase& f) { f.processNameFails = true; },
         message(strings::kLoomProcessName, "proc")},
        {[](FakeCase& f) { f.noRowSet = true; }, message(strings::kLoomRowSetOpen, "MATX")},
        {[](FakeCase& f) { f.noColumnSet = true; }, message(strings::kLoomColSetOpen, "MATX")}};
    for (const auto& [breakIt, text] : steps) {
        SCOPED_TRACE(text);
        expectFailure(breakIt, {text}, {0, 0, 0});
    }
    const std::pair<const char*, Left> tables[] = {
        {"MATX", {0, 0, 0}}, {"RHSX", {3, 3, 0}}, {"POLX", {3, 3, 1}}, {"TYPX", {3, 3, 1}},
        {"SENX", {3, 3, 1}}, {"ROWX", {3, 3, 1}}, {"COLX", {3, 3, 1}}};
    for (const auto& [table, left] : tables) {
        SCOPED_TRACE(table);
        expectFailure([&](FakeCase& f) { f.unopenable = {table}; },
                      {message(strings::kLoomTableOpen, table)}, left);
    }
}

TEST_F(CaseLoaderTest, BadContentsShowTheReasonThen157) {
    const std::string outsideRow = "Invalid argument: row position 3 is outside the 3 of the case";
    const std::string outsideColumn =
        "Invalid argument: column position 3 is outside the 3 of the case";
    const struct {
        void (*breakIt)(FakeCase&);
        std::string reason;
        const char* table;
        Left left;
    } cases[] = {
        // clang-format off
        {[](FakeCase& f) { f.records.push_back({3, 0, 1.0f}); },
         "Invalid argument: coefficient record 4 names column 3 and row 0, outside the 3 columns "
         "and 3 rows of the case", "MATX", {3, 3, 0}},
        {[](FakeCase& f) { f.records.insert(f.records.begin(), {0, -1, 1.0f}); },
         "Invalid argument: coefficient record 0 names column 0 and row -1, outside the 3 columns "
         "and 3 rows of the case", "MATX", {3, 3, 0}},
        {[](FakeCase& f) { f.grids["RHSX"].rows.push_back({7}); }, outsideRow, "RHSX", {3, 3, 1}},
        {[](FakeCase& f) {
             f.grids["POLX"].rows.push_back({1, 1}), f.texts["TYPX"].push_back("UP");
         }, outsideColumn, "POLX", {3, 3, 1}},
        {[](FakeCase& f) { f.texts["TYPX"].pop_back(); }, "\"TYPX\" gives 2 texts for 3 bounds",
         "POLX", {3, 3, 1}},
        {[](FakeCase& f) { f.texts["SENX"] = {"N", "L", "G", "E"}; }, outsideRow, "SENX",
         {3, 3, 1}},
        {[](FakeCase& f) { f.texts["SENX"] = {""}; }, "row 0 has an empty type text", "SENX",
         {3, 3, 1}},
        {[](FakeCase& f) { f.grids["ROWX"].rows[1] = {1.0f}; },
         "Invalid argument: the data array has no cell (1, 1)", "ROWX", {3, 3, 1}},
        {[](FakeCase& f) { f.grids["COLX"].rows.resize(4, {1, 1, 1}); }, outsideColumn, "COLX",
         {3, 3, 1}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        expectFailure(c.breakIt, {c.reason, message(strings::kLoomTableRead, c.table)}, c.left);
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <tuple>

#include "CaseLoader.h"
#include "FakeLoomServer.h"
#include "StringTable.h"

namespace {

using matrixtest::FakeCase;
using matrixtest::FakeConnector;

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
        FakeConnector connector(fake);
        const bool loaded = LoadLoomCase(&connector, process, model, primal, ui);
        EXPECT_EQ(fake.live, 0) << "an object was not released";
        return loaded;
    }
    std::vector<std::tuple<int, std::string, float>> bounds() const {
        std::vector<std::tuple<int, std::string, float>> result;
        for (const CBound& bound : model.bounds)
            result.emplace_back(bound.kind(), std::string(bound.name()), bound.value());
        return result;
    }

    FakeCase fake;
    MatrixModel model;
    PrimalLists primal;
    MessageLog ui;
};

TEST_F(CaseLoaderTest, ReadsTheSevenTablesIntoASortedModel) {
    ASSERT_TRUE(load()) << ui.lastMessage;
    EXPECT_EQ(ui.messageCount, 0);
    std::vector<std::pair<std::string, char>> rows;
    for (const CRow& row : model.rows) rows.emplace_back(row.name(), row.type());
    // "SENX" covers two of the three rows; the third keeps '?'.
    EXPECT_EQ(rows, (std::vector<std::pair<std::string, char>>{
                        {"BAL", '?'}, {"CAP", 'L'}, {"OBJ", 'N'}}));
    ASSERT_EQ(model.columns.size(), 2u);
    const CCol& y = model.columns[1];
    ASSERT_EQ(y.coefficientCount(), 2u);
    EXPECT_EQ(y.coefficient(0).name(), "BAL");
    EXPECT_EQ(y.coefficient(0).value(), -3.5f);
    EXPECT_EQ(y.coefficient(1).name(), "OBJ");
    ASSERT_EQ(model.rhs.size(), 1u);
    EXPECT_EQ(model.rhs[0].name(), "CAP");
    EXPECT_TRUE(model.ranges.empty());
    // X: "MI" with both limits 0 gives one kind-2 record of 0; Y: 1 and 8 under a text that
    // names neither rule.
    EXPECT_EQ(bounds(), (std::vector<std::tuple<int, std::string, float>>{
                            {1, "Y", 1.0f}, {2, "X", 0.0f}, {2, "Y", 8.0f}}));
    ASSERT_EQ(primal.rows.size(), 3u);
    EXPECT_EQ(primal.FindPrimalRow("CAP")->MarginalValue, 1.5f);
    EXPECT_EQ(primal.FindPrimalRow("BAL")->Status, 0);
    ASSERT_NE(primal.FindPrimalColumn("Y"), nullptr);
    EXPECT_EQ(primal.FindPrimalColumn("Y")->Cost, 2.0f);
    EXPECT_EQ(primal.FindPrimalColumn("Y")->Status, 0);
}

TEST_F(CaseLoaderTest, BoundRulesOfTheTypeTexts) {
    const struct {
        const char* text;
        float lower, upper;
        std::vector<std::tuple<int, std::string, float>> expected;
    } cases[] = {
        {"UP", 0, 0, {{1, "X", 0.0f}}}, {"PL", 0, 0, {{1, "X", 0.0f}}},
        {"MI", 0, 0, {{2, "X", 0.0f}}}, {"mi", 0, 0, {}},
        {"LO", 2, 0, {{1, "X", 2.0f}}}, {"FX", 3, 3, {{1, "X", 3.0f}, {2, "X", 3.0f}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        fake = FakeCase();
        fake.columns = {"X"};
        fake.records = {{0, 0, 1.0f}};
        fake.grids["POLX"] = {{{c.lower, c.upper}}};
        fake.grids["COLX"] = {{{1.0f, 0.0f, 0.0f}}};
        fake.texts["TYPX"] = {c.text};
        model = MatrixModel();
        ASSERT_TRUE(load()) << ui.lastMessage;
        EXPECT_EQ(bounds(), c.expected);
    }
}

TEST_F(CaseLoaderTest, EmptyProcessNameStopsBeforeTheServer) {
    EXPECT_FALSE(load(""));
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{strings::text(strings::kLoomProcessNameRequired)});
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_EQ(fake.connections, 0);
}

TEST_F(CaseLoaderTest, UnreachableServerShowsItsReasonThen158) {
    fake.connectFailure = std::string(1500, 'r');
    EXPECT_FALSE(load());
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(1000, 'r') + "\n" +
                                                    strings::text(strings::kLoomInstall)});
    ui.messages.clear();
    EXPECT_FALSE(LoadLoomCase(nullptr, "proc", model, primal, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("\nPlease make sure that you have installed LoomX."),
              std::string::npos);
}

TEST_F(CaseLoaderTest, EachFailingStepShowsItsMessageAndKeepsWhatWasRead) {
    const struct {
        const char* name;
        void (*breakIt)(FakeCase&);
        std::vector<std::string> messages;
        std::size_t rows, columns, rhs;
    } cases[] = {
        {"process",
         [](FakeCase& f) { f.processNameFails = true; },
         {message(strings::kLoomProcessName, "proc")},
         0,
         0,
         0},
        {"MATX",
         [](FakeCase& f) { f.unopenable = {"MATX"}; },
         {message(strings::kLoomTableOpen, "MATX")},
         0,
         0,
         0},
        {"row set",
         [](FakeCase& f) { f.noRowSet = true; },
         {message(strings::kLoomRowSetOpen, "MATX")},
         0,
         0,
         0},
        {"column set",
         [](FakeCase& f) { f.noColumnSet = true; },
         {message(strings::kLoomColSetOpen, "MATX")},
         0,
         0,
         0},
        {"RHSX",
         [](FakeCase& f) { f.unopenable = {"RHSX"}; },
         {message(strings::kLoomTableOpen, "RHSX")},
         3,
         2,
         0},
        {"POLX",
         [](FakeCase& f) { f.unopenable = {"POLX"}; },
         {message(strings::kLoomTableOpen, "POLX")},
         3,
         2,
         1},
        {"TYPX",
         [](FakeCase& f) { f.unopenable = {"TYPX"}; },
         {message(strings::kLoomTableOpen, "TYPX")},
         3,
         2,
         1},
        {"SENX",
         [](FakeCase& f) { f.unopenable = {"SENX"}; },
         {message(strings::kLoomTableOpen, "SENX")},
         3,
         2,
         1},
        {"ROWX",
         [](FakeCase& f) { f.unopenable = {"ROWX"}; },
         {message(strings::kLoomTableOpen, "ROWX")},
         3,
         2,
         1},
        {"COLX",
         [](FakeCase& f) { f.unopenable = {"COLX"}; },
         {message(strings::kLoomTableOpen, "COLX")},
         3,
         2,
         1},
        {"record column",
         [](FakeCase& f) {
             f.records.push_back({2, 0, 1.0f});
         },
         {"Invalid argument: coefficient record 4 names column 2 and row 0, outside the 2 "
          "columns and 3 rows of the case",
          message(strings::kLoomTableRead, "MATX")},
         3,
         2,
         0},
        {"record row",
         [](FakeCase& f) {
             f.records.insert(f.records.begin(), {0, -1, 1.0f});
         },
         {"Invalid argument: coefficient record 0 names column 0 and row -1, outside the 2 "
          "columns and 3 rows of the case",
          message(strings::kLoomTableRead, "MATX")},
         3,
         2,
         0},
        {"RHSX row",
         [](FakeCase& f) { f.grids["RHSX"].rows.push_back({7.0f}); },
         {"Invalid argument: row position 3 is outside the 3 of the case",
          message(strings::kLoomTableRead, "RHSX")},
         3,
         2,
         1},
        {"POLX column",
         [](FakeCase& f) {
             f.grids["POLX"].rows.push_back({1.0f, 1.0f});
             f.texts["TYPX"].push_back("UP");
         },
         {"Invalid argument: column position 2 is outside the 2 of the case",
          message(strings::kLoomTableRead, "POLX")},
         3,
         2,
         1},
        {"TYPX short",
         [](FakeCase& f) { f.texts["TYPX"].pop_back(); },
         {"\"TYPX\" gives 1 texts for 2 bounds", message(strings::kLoomTableRead, "POLX")},
         3,
         2,
         1},
        {"SENX row",
         [](FakeCase& f) {
             f.texts["SENX"] = {"N", "L", "G", "E"};
         },
         {"Invalid argument: row position 3 is outside the 3 of the case",
          message(strings::kLoomTableRead, "SENX")},
         3,
         2,
         1},
        {"SENX empty",
         [](FakeCase& f) { f.texts["SENX"] = {""}; },
         {"row 0 has an empty type text", message(strings::kLoomTableRead, "SENX")},
         3,
         2,
         1},
        {"ROWX field",
         [](FakeCase& f) { f.grids["ROWX"].rows[1] = {1.0f}; },
         {"Invalid argument: the data array has no cell (1, 1)",
          message(strings::kLoomTableRead, "ROWX")},
         3,
         2,
         1},
        {"COLX column",
         [](FakeCase& f) {
             f.grids["COLX"].rows.push_back({1.0f, 1.0f, 1.0f});
         },
         {"Invalid argument: column position 2 is outside the 2 of the case",
          message(strings::kLoomTableRead, "COLX")},
         3,
         2,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake = FakeCase();
        c.breakIt(fake);
        model = MatrixModel();
        primal = PrimalLists();
        ui.messages.clear();
        EXPECT_FALSE(load());
        EXPECT_EQ(ui.messages, c.messages);
        EXPECT_EQ(model.rows.size(), c.rows);
        EXPECT_EQ(model.columns.size(), c.columns);
        EXPECT_EQ(model.rhs.size(), c.rhs);
    }
}

}  // namespace

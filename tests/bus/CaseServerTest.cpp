#include "AppFlags.h"
#include "BusTestSupport.h"
#include "CNorvaDoc.h"
#include "LoomBusClient.h"
#include "LoomBusTypes.h"
#include "StringTable.h"

namespace {

// A document opening ".cas" files through the session bus, beside norva-case-server runs.
class CaseServerTest : public ::testing::Test {
protected:
    ~CaseServerTest() override { stop(); }

    // Serves model under process "P1"; true once the server says it is ready.
    bool serve(const QString& model, const QStringList& options = {}) {
        m_server.start(NORVA_CASE_SERVER_PATH, QStringList{"--process", "P1", model} + options);
        bustest::waitFor([this] {
            return m_server.canReadLine() || m_server.state() == QProcess::NotRunning;
        });
        return m_server.canReadLine() && m_server.readLine() == "ready\n";
    }
    // The bus may route a call to a killed server's name until it has seen the server go.
    void stop() {
        m_server.kill();
        m_server.waitForFinished();
        bustest::waitFor([] { return !bustest::nameOwned(loombus::kService); });
    }
    bool openCase(const std::string& process = "P1") {
        doc.settings().LoomProcessName = process;
        return doc.OnOpenDocument(folder.write("model.cas", ""));
    }

    testsupport::TempFolder folder;
    RecordingUserInterface ui;
    AppFlags flags;
    LoomBusConnector connector;
    CNorvaDoc doc{ui, flags, nullptr};
    QProcess m_server;
};

// The model as lines. A case carries no ranges and bounds of kinds 1 and 2 only, and a column
// fixed at 0 only its kind-1 record (a type text selects a zero lower or a zero upper bound,
// never both): asCase leaves out of a directly opened model what a case cannot carry.
std::vector<std::string> contents(const CNorvaDoc& doc, bool asCase) {
    std::vector<std::string> lines;
    for (const CRow& row : doc.model().rows) lines.push_back(std::string(row.name()) + row.type());
    for (const CCol& column : doc.model().columns)
        for (std::size_t i = 0; i < column.coefficientCount(); ++i)
            lines.push_back(std::string(column.name()) + "|" +
                            std::string(doc.model().entries.coefficient(column, i).name()) + "|" +
                            std::to_string(doc.model().entries.coefficient(column, i).value()));
    for (const CRowValue& rhs : doc.model().rhs)
        lines.push_back("rhs " + std::string(rhs.name()) + std::to_string(rhs.value()));
    lines.push_back("ranges " + std::to_string(asCase ? 0 : doc.model().ranges.size()));
    for (const CBound& bound : doc.model().bounds) {
        const CBound* lower = doc.FindBound(bound.name(), kBoundLower);
        const bool fixedAtZero = bound.kind() == kBoundUpper && bound.value() == 0.0f &&
                                 lower != nullptr && lower->value() == 0.0f;
        if (!asCase || (bound.kind() <= kBoundUpper && !fixedAtZero))
            lines.push_back(std::to_string(bound.kind()) + std::string(bound.name()) +
                            std::to_string(bound.value()));
    }
    return lines;
}

TEST_F(CaseServerTest, NetlibCaseMatchesTheModelOpenedDirectly) {
    doc.setLoomConnector(&connector);
    // forplan also without the bulk members, name by name and cell by cell.
    const std::pair<const char*, QStringList> models[] = {
        {"boeing1", {}}, {"adlittle", {}}, {"forplan", {}}, {"forplan", {"--no-bulk"}}};
    for (const auto& [name, options] : models) {
        SCOPED_TRACE(name + options.join(' ').toStdString());
        const QString model = QString(NORVA_TEST_DATA_DIR "/netlib/%1.mps.gz").arg(name);
        CNorvaDoc direct(ui, flags, nullptr);
        ASSERT_TRUE(direct.OnOpenDocument(model.toStdString())) << ui.lastMessage;
        ASSERT_TRUE(serve(model, options)) << m_server.readAllStandardError().toStdString();
        ASSERT_TRUE(openCase()) << ui.lastMessage;
        stop();
        EXPECT_EQ(contents(doc, false), contents(direct, true));
        EXPECT_TRUE(doc.primal().rows.empty());
    }
    // With a solution every row and column has a primal record, all of status 0.
    ASSERT_TRUE(serve(NORVA_EXAMPLES_DIR "/MPSBCD001.mps",
                      {"--solution", NORVA_EXAMPLES_DIR "/KNLP_Solution.001"}));
    ASSERT_TRUE(openCase()) << ui.lastMessage;
    ASSERT_EQ(doc.primal().rows.size(), doc.model().rows.size());
    ASSERT_EQ(doc.primal().columns.size(), doc.model().columns.size());
    EXPECT_EQ(doc.primal().FindPrimalColumn("X02")->Activity, 25.5f);
    for (const CPrimalCol& column : doc.primal().columns) EXPECT_EQ(column.Status, 0);
    for (const CPrimalRow& row : doc.primal().rows) EXPECT_EQ(row.Status, 0);
}

TEST_F(CaseServerTest, EachFailingStepShowsItsMessage) {
    using namespace strings;
    // The server's options, the process asked for and the message shown.
    std::vector<std::tuple<QStringList, std::string, std::string>> cases = {
        {{}, "P2", format(kLoomProcessName, "P2")},
        {{"--fail-row-set"}, "P1", format(kLoomRowSetOpen, "MATX")},
        {{"--fail-column-set"}, "P1", format(kLoomColSetOpen, "MATX")},
        {{"--record-outside"}, "P1", format(kLoomTableRead, "MATX")}};
    for (const char* table : {"MATX", "POLX", "TYPX", "COLX"})
        cases.push_back({{"--fail-table", table}, "P1", format(kLoomTableOpen, table)});
    doc.setLoomConnector(&connector);
    for (const auto& [options, process, message] : cases) {
        SCOPED_TRACE(options.join(' ').toStdString() + " " + process);
        ASSERT_TRUE(serve(NORVA_TEST_DATA_DIR "/netlib/afiro.mps.gz", options));
        EXPECT_FALSE(openCase(process));
        EXPECT_EQ(ui.lastMessage, message);
        stop();
    }
    // No server at all: the bus's reason, then the install hint.
    EXPECT_FALSE(openCase());
    EXPECT_NE(ui.lastMessage.find("LoomXObjects.CLoomConnection"), std::string::npos);
    EXPECT_TRUE(ui.lastMessage.ends_with(std::string("\n") + text(kLoomInstall)));
}

}  // namespace

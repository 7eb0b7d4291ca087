#include "DetailViewLogic.h"
#include "DisplayTestSupport.h"
#include "EquationPane.h"
#include "LocaleGuard.h"

namespace {

using displaytest::Lines;

// Rows in name order: ALLNEG, ALLPOS, NEGRHS, OBJ, POSRHS, QROW, QSIGN, ZEROCOEF.
// Columns in name order: V, W, X, Y, Z.
class DetailViewLogicTest : public displaytest::DisplayDocTest {
protected:
    void SetUp() override {
        openModel();
        view.OnInitialUpdate();
    }
    void showName(std::string_view name) { view.selectName(view.nameList().indexOf(name)); }
    std::size_t entryIndex(std::string_view name) const {
        const DetailContent& content = view.content();
        for (std::size_t i = 0; i < content.entryCount(); ++i)
            if (content.entryName(i) == name) return i;
        ADD_FAILURE() << "no entry " << name;
        return 0;
    }
    // "row NAME/ENTRY" or "column NAME/ENTRY": the display, the name shown, the entry selected.
    std::string state() const {
        const auto& selected = view.selectedEntries();
        const std::string entry =
            selected.empty() ? "-" : std::string(view.content().entryName(selected.front()));
        return (view.rowDisplay() ? "row " : "column ") + view.selectedNameText() + "/" + entry;
    }

    std::optional<EquationText> equationOf(std::string_view row, std::string_view highlight) {
        return buildEquation(doc.matrixObject(), doc.nonlinearTerms(), row, highlight);
    }

    DetailViewLogic view{doc};
};

TEST_F(DetailViewLogicTest, KeepsTheSelectedColumnAcrossRowsAndToggles) {
    EXPECT_EQ(state(), "row ALLNEG/X");
    EXPECT_EQ(view.nameList().size(), 8u);
    EXPECT_FALSE(view.multipleSelection());
    showName("POSRHS");
    view.setSelectedEntries({entryIndex("Y")});
    view.Rebuild("");
    showName("ALLPOS");
    EXPECT_EQ(state(), "row ALLPOS/Y");
    showName("NEGRHS");  // no Y: the first entry, which is then remembered
    EXPECT_EQ(state(), "row NEGRHS/X");
    EXPECT_EQ(view.rememberedName(), "X");

    showName("POSRHS");
    view.setSelectedEntries({2, 0, 9});  // the row display keeps a single entry
    EXPECT_EQ(view.selectedEntries(), (std::vector<std::size_t>{0}));
    view.setSelectedEntries({entryIndex("Y")});
    view.Toggle();
    EXPECT_EQ(state(), "column Y/POSRHS");
    EXPECT_EQ(doc.currentColumn(), 3);
    view.Toggle();
    EXPECT_EQ(state(), "row POSRHS/Y");
    view.setSelectedEntries({});
    view.Toggle();  // nothing selected: the other list's first name, V, which has no POSRHS
    EXPECT_EQ(state(), "column V/ALLPOS");
}

TEST_F(DetailViewLogicTest, FormatsWithTheDocumentsSettingsAndFillsSelectedNamesAndEquation) {
    showName("POSRHS");
    doc.settings().Decimals = 2;
    view.Rebuild("");
    EXPECT_EQ(view.content().L2, "RHS Value: 5.00");
    doc.settings().AlwaysUseScientific = 1;
    view.Rebuild("");
    EXPECT_EQ(view.content().L2, "RHS Value: 5.00e+00");
    EXPECT_EQ(view.content().cellText(0, 1), "5.00e-01");
    showName("QROW");
    view.FillSelectedNames();
    EXPECT_EQ(doc.selectedNames(), Lines{"QROW"});
    view.setSelectedEntries({entryIndex("Y")});
    const auto equation = [this] {
        std::optional<EquationMaker> maker = view.equationMaker();
        return maker ? std::optional(maker->makeRest()) : std::nullopt;
    };
    ASSERT_TRUE(equation().has_value());
    EXPECT_EQ(equation()->marked.size(), 3u);  // Y's linear piece and both terms
    view.Toggle();                             // column Y with QROW selected
    ASSERT_TRUE(equation().has_value());
    EXPECT_EQ(equation()->text.substr(0, 13), " 3.000000 * X");
    EXPECT_EQ(equation()->marked.size(), 3u);
    view.setSelectedEntries({});
    EXPECT_FALSE(equation().has_value());
    view.setSelectedEntries({entryIndex("QROW"), entryIndex("ALLNEG"), entryIndex("POSRHS")});
    view.FillSelectedNames();
    EXPECT_EQ(doc.selectedNames(), (Lines{"ALLNEG", "POSRHS", "QROW"}));
}

// A row's equation is found among its columns' elements, as the row display's content or, in
// column display, the row index lists them: the same text and marks as by the scan of every
// element's row.
TEST_F(DetailViewLogicTest, EquationsFoundAmongTheRowsColumnsAreThoseOfTheScan) {
    const auto expectTheScans = [this](std::size_t name) {
        view.selectName(name);
        if (view.selectedEntries().empty()) return;
        const std::string entry(view.content().entryName(view.selectedEntries()[0]));
        const std::string shown = view.selectedNameText();
        std::optional<EquationMaker> maker = view.equationMaker();
        ASSERT_TRUE(maker.has_value()) << shown;
        const EquationText found = maker->makeRest();
        const std::optional<EquationText> scanned =
            view.rowDisplay() ? equationOf(shown, entry) : equationOf(entry, shown);
        ASSERT_TRUE(scanned.has_value()) << shown;
        EXPECT_EQ(found.text, scanned->text) << shown;
        EXPECT_TRUE(found.marked == scanned->marked) << shown;
    };
    for (const char* model : {"boeing1", "forplan"}) {
        SCOPED_TRACE(model);
        ASSERT_TRUE(
            doc.OnOpenDocument(std::string(NORVA_TEST_DATA_DIR "/netlib/") + model + ".mps.gz"))
            << ui.lastMessage;
        view.OnInitialUpdate();
        for (std::size_t r = 0; r < doc.model().rows.size(); ++r) expectTheScans(r);
        view.Toggle();
        for (std::size_t c = 0; c < doc.model().columns.size(); ++c) expectTheScans(c);
        view.Toggle();
    }
}

// The entries view the loaded model's names: after another load they are not to be read
// until the view has rebuilt. The row index is built once per model.
TEST_F(DetailViewLogicTest, ContentIsStaleFromALoadUntilTheNextRebuildAndEmptyWithoutAModel) {
    showName("QROW");
    view.Toggle();
    view.Toggle();
    EXPECT_EQ(view.rowIndexCache().buildCount(), 1);
    EXPECT_TRUE(view.contentCurrent());
    openModel();
    EXPECT_FALSE(view.contentCurrent());
    view.OnInitialUpdate();
    EXPECT_TRUE(view.contentCurrent());
    EXPECT_EQ(state(), "row ALLNEG/X");
    openModel("NAME N\nROWS\n N obj\n L lim\nCOLUMNS\n    q lim 2\nENDATA\n");
    view.OnInitialUpdate();
    EXPECT_EQ(state(), "row lim/q");
    EXPECT_EQ(view.rowIndexCache().buildCount(), 3);
    // Records attached in column display are mapped by the update, not by the toggle after.
    view.Toggle();
    doc.primal().AddPrimalColumn({"q", 4.0f, 0.0f, 0.0f, 3});
    doc.primal().SortPrimalLists();
    const int maps = view.rowIndexCache().mapBuildCount();
    view.OnInitialUpdate();
    EXPECT_EQ(view.rowIndexCache().mapBuildCount(), maps + 1);
    view.Toggle();
    EXPECT_EQ(view.rowIndexCache().mapBuildCount(), maps + 1);
    // An empty document shows the empty state.
    CNorvaDoc empty(ui, flags, nullptr);
    DetailViewLogic emptyView(empty);
    emptyView.OnInitialUpdate();
    EXPECT_FALSE(emptyView.selectedName().has_value());
    EXPECT_EQ(emptyView.content().L1, "Row Type: ");
    emptyView.Toggle();
    EXPECT_FALSE(emptyView.selectedName().has_value());
    EXPECT_EQ(emptyView.content().R1, "");
    EXPECT_TRUE(emptyView.rememberedName().empty());
}

TEST_F(DetailViewLogicTest, EquationListsTermsInLibraryOrderAndMarksTheHighlightedColumn) {
    const auto equation = equationOf("POSRHS", "Y");
    ASSERT_TRUE(equation.has_value());
    // The library lists the row's elements in its column order X, Y, Z, W, V.
    EXPECT_EQ(equation->text, " 1.000000 * X +4.000000 * Y +0.500000 * W <= 5.000000");
    EXPECT_EQ(equation->marked, (std::vector<MarkedRange>{{13, 27}}));
    EXPECT_EQ(equationOf("NEGRHS", "")->text, " -1.000000 * X -1.000000 * Z = -2.000000");
    EXPECT_EQ(equationOf("ALLNEG", "")->text, " -1.000000 * X -2.000000 * Y >= 0.000000");
    // Zero coefficients are left out; a free row has no relation.
    EXPECT_EQ(equationOf("ALLPOS", "")->text, " 2.000000 * X +1.000000 * V <= -3.000000");
    EXPECT_EQ(equationOf("OBJ", "")->text, " 1.500000 * X -2.000000 * Z +1.000000 * W");
    EXPECT_TRUE(equationOf("OBJ", "")->marked.empty());
    // Every nonlinear term of the highlighted column is marked.
    const auto quadratic = equationOf("QROW", "Y");
    ASSERT_TRUE(quadratic.has_value());
    EXPECT_EQ(quadratic->text,
              " 3.000000 * X -1.000000 * Y +2.000000*X*Y -0.500000*Y*Y <= 4.000000");
    EXPECT_EQ(quadratic->marked, (std::vector<MarkedRange>{{13, 27}, {27, 41}, {41, 55}}));
    EXPECT_EQ(equationOf("QROW", "X")->marked, (std::vector<MarkedRange>{{0, 13}, {27, 41}}));
    EXPECT_FALSE(equationOf("NOSUCHROW", "X").has_value());
    EXPECT_FALSE(buildEquation(doc.matrixObject(), nullptr, "QROW", "X").has_value());
    doc.ReleaseMatrixLibraryObject();
    EXPECT_FALSE(equationOf("QROW", "X").has_value());
}

TEST_F(DetailViewLogicTest, EquationKeepsThePointUnderACommaLocale) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    if (!locale.active()) GTEST_SKIP() << testsupport::kMissingCommaLocale;
    EXPECT_EQ(equationOf("QSIGN", "")->text, " 1.000000 * X -1.000000*Y*Y >= 0.000000");
}

}  // namespace

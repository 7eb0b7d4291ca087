#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DetailViewLogic.h"
#include "DisplayTestSupport.h"

namespace {

using displaytest::DisplayDocTest;

// Rows in name order: ALLNEG, ALLPOS, NEGRHS, OBJ, POSRHS, QROW, QSIGN, ZEROCOEF.
// Columns in name order: V, W, X, Y, Z.
class DetailViewLogicTest : public DisplayDocTest {
protected:
    void SetUp() override {
        openModel();
        view.OnInitialUpdate();
    }
    void showName(std::string_view name) { view.selectName(view.nameList().indexOf(name)); }
    std::size_t entryIndex(std::string_view name) const {
        const auto& entries = view.content().entries;
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].name == name) return i;
        ADD_FAILURE() << "no entry " << name;
        return 0;
    }
    std::string selectedEntryName() const {
        if (view.selectedEntries().empty()) return "(none)";
        return std::string(view.content().entries[view.selectedEntries().front()].name);
    }

    DetailViewLogic view{doc};
};

TEST_F(DetailViewLogicTest, InitialUpdateShowsTheFirstRowAndItsFirstEntry) {
    EXPECT_TRUE(view.rowDisplay());
    EXPECT_EQ(view.nameList().size(), 8u);
    EXPECT_EQ(view.selectedNameText(), "ALLNEG");
    EXPECT_EQ(selectedEntryName(), "X");
    EXPECT_EQ(view.rememberedName(), "X");
    EXPECT_EQ(view.content().warning, "Warning: Row has no POSITIVE entries.");
    EXPECT_STREQ(view.groupCaption(), "Row Names");
    EXPECT_STREQ(view.toggleCaption(), "Display by Col");
    EXPECT_FALSE(view.multipleSelection());
}

TEST_F(DetailViewLogicTest, ChangingTheRowKeepsTheSelectedColumnWhenItIsThere) {
    showName("POSRHS");
    view.setSelectedEntries({entryIndex("Y")});
    view.Rebuild("");
    showName("ALLPOS");
    EXPECT_EQ(selectedEntryName(), "Y");
    showName("NEGRHS");  // no Y: the first entry, which is then remembered
    EXPECT_EQ(selectedEntryName(), "X");
    EXPECT_EQ(view.rememberedName(), "X");
}

TEST_F(DetailViewLogicTest, ToggleShowsTheSelectedCounterpartWithTheShownNameSelected) {
    showName("POSRHS");
    view.setSelectedEntries({entryIndex("Y")});
    view.Toggle();
    EXPECT_FALSE(view.rowDisplay());
    EXPECT_FALSE(doc.automation().RowDisplay);
    EXPECT_TRUE(view.multipleSelection());
    EXPECT_STREQ(view.groupCaption(), "Column Names");
    EXPECT_STREQ(view.toggleCaption(), "Display by Row");
    EXPECT_EQ(view.selectedNameText(), "Y");
    EXPECT_EQ(selectedEntryName(), "POSRHS");
    EXPECT_EQ(view.content().headers[0], "Row Names");
    EXPECT_EQ(view.content().warning, "");
    EXPECT_EQ(doc.currentColumn(), 3);

    view.Toggle();
    EXPECT_TRUE(view.rowDisplay());
    EXPECT_EQ(view.selectedNameText(), "POSRHS");
    EXPECT_EQ(selectedEntryName(), "Y");
}

TEST_F(DetailViewLogicTest, ToggleWithNoEntrySelectedShowsTheFirstNameOfTheOtherList) {
    showName("POSRHS");
    view.setSelectedEntries({});
    view.Toggle();
    EXPECT_EQ(view.selectedNameText(), "V");
    EXPECT_EQ(selectedEntryName(), "ALLPOS");  // V has no POSRHS entry
}

TEST_F(DetailViewLogicTest, SortKeyLivesInTheDocumentAndKeepsTheSelection) {
    openSolution("X 2\nY 0.5\nZ 1.5\nW -1\n");
    view.OnInitialUpdate();
    showName("POSRHS");
    view.setSelectedEntries({entryIndex("W")});
    view.sortBy(2);  // activity descending: X 2, Y 0.5, W -1
    EXPECT_EQ(doc.sortKey(), 2);
    EXPECT_EQ(view.content().entries.front().name, "X");
    EXPECT_EQ(selectedEntryName(), "W");
    view.Toggle();
    EXPECT_EQ(view.selectedNameText(), "W");
    EXPECT_EQ(doc.sortKey(), 2);  // one key for both displays
}

TEST_F(DetailViewLogicTest, FillsSelectedNamesForEachDisplay) {
    showName("QROW");
    view.FillSelectedNames();
    EXPECT_EQ(doc.selectedNames(), (std::vector<std::string>{"QROW"}));
    view.Toggle();  // column X
    view.setSelectedEntries({entryIndex("QSIGN"), entryIndex("ALLNEG"), entryIndex("OBJ")});
    view.FillSelectedNames();
    EXPECT_EQ(doc.selectedNames(), (std::vector<std::string>{"ALLNEG", "OBJ", "QSIGN"}));
}

TEST_F(DetailViewLogicTest, RowDisplayKeepsASingleSelectedEntry) {
    showName("POSRHS");
    view.setSelectedEntries({2, 0, 9});
    EXPECT_EQ(view.selectedEntries(), (std::vector<std::size_t>{0}));
}

TEST_F(DetailViewLogicTest, EquationFollowsTheDisplay) {
    showName("QROW");
    view.setSelectedEntries({entryIndex("Y")});
    auto equation = view.equation();
    ASSERT_TRUE(equation.has_value());
    EXPECT_EQ(equation->marked.size(), 3u);  // Y's linear piece and both terms
    view.Toggle();                           // column Y with QROW selected
    equation = view.equation();
    ASSERT_TRUE(equation.has_value());
    EXPECT_EQ(equation->text.substr(0, 13), " 3.000000 * X");
    EXPECT_EQ(equation->marked.size(), 3u);
    view.setSelectedEntries({});
    EXPECT_FALSE(view.equation().has_value());
}

TEST_F(DetailViewLogicTest, FormatsWithTheDocumentsNumberSettings) {
    showName("POSRHS");
    doc.settings().Decimals = 2;
    view.Rebuild("");
    EXPECT_EQ(view.content().L2, "RHS Value: 5.00");
    doc.settings().AlwaysUseScientific = 1;
    view.Rebuild("");
    EXPECT_EQ(view.content().L2, "RHS Value: 5.00e+00");
    EXPECT_EQ(view.content().cellText(0, 1), "5.00e-01");
}

// The entries view the loaded model's names: after another load they are not to be read
// until the view has rebuilt.
TEST_F(DetailViewLogicTest, ContentIsStaleFromALoadUntilTheNextRebuild) {
    EXPECT_TRUE(view.contentCurrent());
    openModel();
    EXPECT_FALSE(view.contentCurrent());
    view.OnInitialUpdate();
    EXPECT_TRUE(view.contentCurrent());
    EXPECT_EQ(selectedEntryName(), "X");
}

TEST_F(DetailViewLogicTest, InitialUpdateHandsOverThePendingSearchWithWholeWords) {
    doc.automation().InitialSearchItem = "X";
    EXPECT_EQ(view.OnInitialUpdate(), std::optional<std::string>("X"));
    EXPECT_EQ(doc.settings().WholeWordSearch, 1);
    EXPECT_EQ(doc.automation().InitialSearchItem, "");
}

TEST_F(DetailViewLogicTest, UpdateHintsSwitchDisplayAndHandOverThePendingSearch) {
    doc.automation().InitialSearchItem = "QROW";
    EXPECT_FALSE(view.OnUpdate(0).has_value());
    EXPECT_EQ(doc.automation().InitialSearchItem, "QROW");
    EXPECT_EQ(view.OnUpdate(2), std::optional<std::string>("QROW"));
    EXPECT_FALSE(view.rowDisplay());
    EXPECT_EQ(doc.automation().InitialSearchItem, "");
    EXPECT_FALSE(view.OnUpdate(2).has_value());
    EXPECT_FALSE(view.rowDisplay());
    view.OnUpdate(3);
    EXPECT_FALSE(view.rowDisplay());
    view.OnUpdate(1);
    EXPECT_TRUE(view.rowDisplay());
}

TEST_F(DetailViewLogicTest, BuildsTheRowIndexOncePerModel) {
    showName("POSRHS");
    showName("QROW");
    view.Toggle();
    view.Toggle();
    EXPECT_EQ(view.rowIndexCache().buildCount(), 1);
    openModel("NAME N\nROWS\n N obj\n L lim\nCOLUMNS\n    q lim 2\nENDATA\n");
    view.OnInitialUpdate();
    EXPECT_EQ(view.selectedNameText(), "lim");
    EXPECT_EQ(selectedEntryName(), "q");
    EXPECT_EQ(view.rowIndexCache().buildCount(), 2);
}

TEST_F(DetailViewLogicTest, AnEmptyDocumentShowsTheEmptyState) {
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

TEST_F(DetailViewLogicTest, ListingStartsWithTheDocumentPath) {
    showName("ALLPOS");
    const std::string listing = view.listing("/models/detail.mps");
    EXPECT_EQ(listing.rfind("/models/detail.mps\n\nRow: ALLPOS\n\nRow Type:", 0), 0u);
    EXPECT_NE(listing.find("\n\nWarning: Row has no NEGATIVE entries."), std::string::npos);
}

}  // namespace

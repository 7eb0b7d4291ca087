#include <gtest/gtest.h>

#include <QWidget>

#include "DialogUnits.h"
#include "StretchLayout.h"

namespace {

// A form of 200 x 100 with a fixed control A, a moving control B, a control C that starts
// inside the marker and ends past it, and the marker at x 100..120, y 40..50.
class StretchLayoutTest : public ::testing::Test {
protected:
    StretchLayoutTest() {
        form.resize(200, 100);
        a->setGeometry(10, 10, 50, 20);
        b->setGeometry(150, 60, 30, 20);
        c->setGeometry(110, 10, 60, 20);
        marker->setGeometry(100, 40, 20, 10);
        layout.setUp(form, *marker, QSize(200, 100));
    }

    QWidget form;
    QWidget* a = new QWidget(&form);
    QWidget* b = new QWidget(&form);
    QWidget* c = new QWidget(&form);
    QWidget* marker = new QWidget(&form);
    StretchLayout layout;
};

TEST_F(StretchLayoutTest, SetUpSetsTheMinimumAndResizeMovesOrStretchesByTheMarker) {
    // Fixed edges end at x 60 / y 30, the inner edge is x 110, moving edges start at 150 / 60.
    EXPECT_EQ(marker->geometry(), QRect(QPoint(62, 32), QPoint(111, 44)));
    EXPECT_EQ(layout.minimumSize(), QSize(128, 74));
    // Past the marker controls move by the whole change, across it they grow by half.
    layout.resize(QSize(210, 105));
    EXPECT_EQ(a->geometry(), QRect(10, 10, 50, 20));
    EXPECT_EQ(b->geometry(), QRect(160, 65, 30, 20));
    EXPECT_EQ(c->geometry(), QRect(115, 10, 65, 20));
    // Never below the minimum: the moving control still starts right of the fixed one.
    layout.resize(QSize(50, 50));
    EXPECT_EQ(b->geometry(), QRect(150 - 72, 60 - 26, 30, 20));
    EXPECT_GT(b->geometry().left(), a->geometry().right());
    EXPECT_GT(c->geometry().left(), a->geometry().right());
}

TEST_F(StretchLayoutTest, OddChangesAlternateTheirExtraPixel) {
    layout.resize(QSize(200, 101));  // half of 1 is 0, the counter reaches 1
    const int bottomAfterFirst = marker->geometry().bottom();
    layout.resize(QSize(200, 102));  // the counter reaches 2: this half is 1
    EXPECT_EQ(marker->geometry().bottom(), bottomAfterFirst + 1);
    layout.resize(QSize(200, 103));
    EXPECT_EQ(marker->geometry().bottom(), bottomAfterFirst + 1);
    EXPECT_EQ(b->geometry().top(), 63);
}

TEST(DialogUnitsTest, ConvertsEdgesWithTheFontsBaseUnits) {
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.x(4), 6);
    EXPECT_EQ(units.y(8), 13);
    // Left 5 * 6 / 4 = 7, right 240 * 6 / 4 = 360; top 2 * 13 / 8 = 3, bottom 86 * 13 / 8 = 139.
    EXPECT_EQ(units.rect(5, 2, 235, 84), QRect(7, 3, 353, 136));
}

}  // namespace

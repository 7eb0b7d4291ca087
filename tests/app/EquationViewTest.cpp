#include <QElapsedTimer>
#include <QImage>
#include <QRegularExpression>
#include <QScrollBar>
#include <algorithm>
#include <memory>

#include "AppTestSupport.h"
#include "EquationLayout.h"
#include "EquationView.h"

namespace {

// Terms from to to of a row, as " +1.000000 * Cnnn" pieces.
EquationText termsBetween(int from, int to, int markedTerm = -1) {
    EquationText equation;
    for (int i = from; i < to; ++i) {
        const std::size_t begin = equation.text.size();
        equation.text += " +1.000000 * C" + std::to_string(i);
        if (i == markedTerm) equation.marked.push_back({begin, equation.text.size()});
    }
    return equation;
}

EquationText manyTerms(int count, int markedTerm = -1) {
    EquationText equation = termsBetween(0, count, markedTerm);
    equation.text += " <= 5.000000";
    return equation;
}

TEST(EquationLayoutTest, LinesBreakAfterSpacesOrAtTheEdgeToFitAndMarksAreMeasuredBold) {
    const EquationLayout layout(QApplication::font());
    const QString text = QString::fromStdString(manyTerms(40).text);
    const std::vector<TextSpan> marks;
    const qreal width = layout.width(text, marks, 0, 60);
    const std::vector<qsizetype> starts = layout.breakLines(text, marks, width);
    ASSERT_GT(starts.size(), 5u);
    QString joined;
    for (std::size_t line = 0; line < starts.size(); ++line) {
        const qsizetype end = line + 1 < starts.size() ? starts[line + 1] : text.size();
        const QString piece = text.mid(starts[line], end - starts[line]);
        joined += piece;
        // Trailing spaces may hang past the edge; the rest must fit.
        const QString visible = QString(piece).remove(QRegularExpression(" +$"));
        EXPECT_LE(layout.width(visible, marks, 0, visible.size()), width + 1e-6) << line;
        EXPECT_TRUE(line == 0 || text[starts[line] - 1] == u' ') << "broke inside a word: " << line;
    }
    EXPECT_EQ(joined, text);

    // A word wider than the line moves to a line of its own, then fills whole lines.
    const QString wide = " " + QString(50, u'W') + " x";
    const std::vector<qsizetype> wideStarts =
        layout.breakLines(wide, marks, layout.advance(u'W', false) * 10.5);
    ASSERT_GE(wideStarts.size(), 6u);
    EXPECT_EQ(std::vector(wideStarts.begin(), wideStarts.begin() + 4),
              (std::vector<qsizetype>{0, 1, 11, 21}));
    // A width narrower than any character still advances one character per line.
    EXPECT_EQ(layout.breakLines("abc", marks, 0.5).size(), 3u);
    EXPECT_EQ(layout.breakLines("", marks, 100), std::vector<qsizetype>{0});
    // Marked characters are measured in the bold font.
    const QString ms = "mmmmmmmmmm";
    const std::vector<TextSpan> bold{{2, 5}};
    const qreal plain = layout.width(ms, {}, 0, ms.size());
    const qreal mixed = layout.width(ms, bold, 0, ms.size());
    EXPECT_DOUBLE_EQ(mixed - plain, 3 * (layout.advance(u'm', true) - layout.advance(u'm', false)));
    // Clicking left of a character's middle lands before it.
    const qreal firstTwo = layout.width(ms, bold, 0, 2);
    EXPECT_EQ(layout.positionAt(ms, bold, 0, ms.size(), firstTwo + 0.1), 2);
    EXPECT_EQ(layout.positionAt(ms, bold, 0, ms.size(), -5), 0);
    EXPECT_EQ(layout.positionAt(ms, bold, 0, ms.size(), 1e6), ms.size());
}

class EquationViewTest : public ::testing::Test {
protected:
    EquationViewTest() {
        view.resize(300, 120);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    QPoint pointOf(qsizetype position) const {
        // Every test text here fits on its first line.
        const EquationLayout layout(view.font());
        const std::vector<TextSpan> marks;
        const qreal x = layout.width(view.toPlainText(), marks, 0, position);
        return {4 + static_cast<int>(x) + 1, 4 + layout.lineHeight() / 2};
    }
    EquationView view;
};

TEST_F(EquationViewTest, MarksAreExactAfterBytesThatAreNotUtf8AndPaintedBlueOnlyWhileThereIsOne) {
    EquationText equation;
    // A byte-order mark leads a piece, a character spans two: each piece converted as itself.
    const std::string pieces[] = {"\xEF\xBB\xBF +1.000000 * A\xE9Z\xC3", "\xA9 +2.000000 * B"};
    equation.text = pieces[0] + pieces[1];
    equation.marked.push_back({pieces[0].size(), equation.text.size()});
    view.setEquation(equation);
    const QString text = view.toPlainText();
    EXPECT_EQ(text, QString::fromStdString(pieces[0]) + QString::fromStdString(pieces[1]));
    const qsizetype markBegin = text.indexOf(" +2") - 1;
    ASSERT_GT(markBegin, 0);
    EXPECT_EQ(view.formatAt(markBegin).fontWeight(), QFont::Bold);
    EXPECT_EQ(view.formatAt(text.size() - 1).foreground().color(), QColor(0, 0, 255));
    EXPECT_NE(view.formatAt(markBegin - 1).fontWeight(), QFont::Bold);
    // A damaged range is left unmarked rather than marking the wrong text.
    equation.marked = {{5, 3}, {0, equation.text.size() + 10}};
    view.setEquation(equation);
    EXPECT_NE(view.formatAt(4).fontWeight(), QFont::Bold);
    const auto bluePixels = [this] {
        const QImage image = view.viewport()->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.blue() > 200 && c.red() < 80 && c.green() < 80 ? 1 : 0;
            }
        return count;
    };
    view.setEquation(manyTerms(3, 0));
    EXPECT_GT(bluePixels(), 10);
    view.setEquation(manyTerms(3));
    EXPECT_EQ(bluePixels(), 0);
}

TEST_F(EquationViewTest, ALongEquationScrollsAndKeepsItsTopTextWhenResized) {
    view.setEquation(manyTerms(2000));
    QScrollBar* bar = view.verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum() / 2);
    const int linesBefore = view.lineCount();
    view.resize(500, 120);
    QApplication::processEvents();
    EXPECT_LT(view.lineCount(), linesBefore);
    EXPECT_GT(bar->value(), 0);
    // A new equation starts at the top again.
    view.setEquation(manyTerms(2000));
    EXPECT_EQ(bar->value(), 0);
}

// Lines are broken across the stretches' seams as in the whole text.
TEST_F(EquationViewTest, AnEquationGivenInStretchesShowsItsStartThenBecomesTheWholeOne) {
    static constexpr int kTerms = 3000;
    static constexpr int kMarked = 1777;
    EquationView whole;
    whole.resize(view.size());
    whole.show();
    whole.setEquation(manyTerms(kTerms, kMarked));
    const auto giveInStretches = [this] {
        auto next = std::make_shared<int>(50);
        view.setEquation(termsBetween(0, 50, kMarked), [next](EquationText& piece) {
            piece = termsBetween(*next, std::min(*next + 97, kTerms), kMarked);
            *next = std::min(*next + 97, kTerms);
            if (*next < kTerms) return false;
            piece.text += " <= 5.000000";
            return true;
        });
    };
    QElapsedTimer sinceGiven;
    sinceGiven.start();
    giveInStretches();
    EXPECT_EQ(view.toPlainText(), QString::fromStdString(termsBetween(0, 50).text));
    // The pass that paints the start makes none of the rest, unless a frame has gone by.
    QApplication::processEvents();
    EXPECT_TRUE(!view.isWhole() || sinceGiven.elapsed() >= 16);
    EXPECT_TRUE(QTest::qWaitFor([this] { return view.isWhole(); }));
    EXPECT_EQ(view.toPlainText(), whole.toPlainText());
    EXPECT_EQ(view.lineCount(), whole.lineCount());
    EXPECT_EQ(view.verticalScrollBar()->maximum(), whole.verticalScrollBar()->maximum());
    const qsizetype marked = whole.toPlainText().indexOf(" +1.000000 * C1777");
    for (const qsizetype at : {marked - 1, marked, marked + 17, marked + 18})
        EXPECT_EQ(view.formatAt(at).fontWeight(), whole.formatAt(at).fontWeight()) << at;
    // Select All takes the whole equation at once.
    giveInStretches();
    view.selectAll();
    EXPECT_TRUE(view.isWhole());
    EXPECT_EQ(view.selectedText(), whole.toPlainText());
}

TEST_F(EquationViewTest, DraggingSelectsAndCopyPutsTheSelectionOnTheClipboard) {
    view.setEquation(manyTerms(2));
    const QString text = view.toPlainText();
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, pointOf(1));
    QTest::mouseMove(view.viewport(), pointOf(10));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, pointOf(10));
    EXPECT_EQ(view.selectedText(), text.mid(1, 9));
    QApplication::clipboard()->clear();
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "+1.000000");

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    view.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), text);

    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, pointOf(14));
    EXPECT_EQ(view.selectedText(), "C0");
    // A new equation drops the selection, so Copy has nothing to give.
    view.setEquation(manyTerms(1));
    EXPECT_FALSE(view.hasSelectedText());
}

}  // namespace

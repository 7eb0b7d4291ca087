// startup-bench: the desktop program's start-up path on a generated model of about 5 million
// non-zeros (bench/generate_mps.cpp, seed 1), run as the program runs it (QApplication, the
// application object, its command line with the file, the frame and its views) on Qt's
// offscreen platform. Prints, from the start of main: the load (the document's open
// operation, which the program frames with its wait cursor) and the first row shown (the
// detail view filled and painted: entry list and equation pane); then how long choosing the densest row (the
// objective, about half the columns) from another row takes until it is painted. One start
// per process, as the program starts: run it a few times and take the best.
//
//   startup-bench
// Environment: NORVA_STARTUP_BENCH_MPS names an existing model to use instead of generating
// one (the generation is not timed); NORVA_STARTUP_BENCH_NONZEROS sets the generated size
// (default 5000000).

#include <stdlib.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QStatusBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "BenchModelFile.h"
#include "CMainFrame.h"
#include "CNorvaApp.h"
#include "CNorvaDoc.h"
#include "CRowFormView.h"
#include "EntryTableView.h"
#include "EquationView.h"
#include "MemorySettingsStore.h"
#include "QtUserInterface.h"
#include "RowIndex.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The program's own user interface, noting when the first wait cursor (the load) ends.
class TimedUserInterface : public QtUserInterface {
public:
    void beginWaitCursor() override {
        if (!m_loadStart) m_loadStart = Clock::now();
        QtUserInterface::beginWaitCursor();
    }
    void endWaitCursor() override {
        QtUserInterface::endWaitCursor();
        if (!m_loadEnd) m_loadEnd = Clock::now();
    }
    std::optional<Clock::time_point> m_loadStart, m_loadEnd;
};

struct RunTimes {
    double load = 0;        // the open operation
    double firstRow = 0;    // start of main to the first row painted
    double densestRow = 0;  // choosing the densest row to its rows painted
};

// Paints the detail view as the screen would show it; true when its entry list holds rows.
bool paintView(CRowFormView& view) {
    QApplication::processEvents();
    view.grab();
    return view.entryList()->model()->rowCount() > 0;
}

std::size_t densestRowOf(const CNorvaDoc& doc) {
    const RowIndex index(doc.model());
    std::size_t densest = 0;
    for (std::size_t r = 0; r < doc.model().rows.size(); ++r)
        if (index.coefficientsOfRow(r).size() > index.coefficientsOfRow(densest).size())
            densest = r;
    return densest;
}

// The longest click of rows at even steps through the list, other than the one shown and the
// densest.
double longestTypicalClick(CRowFormView& view, int densest) {
    constexpr int kRows = 8;
    const int count = view.nameList()->count();
    double longest = 0;
    for (int k = 1; k <= kRows; ++k) {
        const int row = static_cast<int>(static_cast<long long>(count) * k / (kRows + 1));
        if (row == densest || row == view.nameList()->currentIndex()) continue;
        const Clock::time_point chosen = Clock::now();
        view.nameList()->setCurrentIndex(row);
        paintView(view);
        longest = std::max(longest, millisecondsBetween(chosen, Clock::now()));
    }
    return longest;
}

RunTimes run(int argc, char* argv[], const std::string& path, Clock::time_point start) {
    QApplication application(argc, argv);
    MemorySettingsStore store;
    TimedUserInterface ui;
    CNorvaApp app(store, ui, QApplication::applicationFilePath());
    QObject::connect(&app, &CNorvaApp::frameCreated,
                     [&ui](CMainFrame* frame) { ui.setMainWindow(frame, frame->statusBar()); });
    if (!app.InitInstance({QString::fromStdString(path)}).keepRunning || !ui.m_loadEnd)
        throw std::runtime_error("cannot open " + path);
    CRowFormView& view = *app.detailView();
    if (!paintView(view)) throw std::runtime_error("the first row shows no entries");
    RunTimes times;
    times.load = millisecondsBetween(*ui.m_loadStart, *ui.m_loadEnd);
    times.firstRow = millisecondsBetween(start, Clock::now());

    // The first row may be the densest itself, so another row is shown first.
    const int densest = static_cast<int>(densestRowOf(*app.document()));
    // Typical rows right after the open, while a large model's row index is built aside, then
    // again once it is built.
    const double typicalEarly = longestTypicalClick(view, densest);
    view.nameList()->setCurrentIndex(densest == 0 ? 1 : 0);
    paintView(view);
    const Clock::time_point chosen = Clock::now();
    view.nameList()->setCurrentIndex(densest);
    paintView(view);
    times.densestRow = millisecondsBetween(chosen, Clock::now());
    // The rest of its equation comes a stretch at a time between turns of the event loop.
    double longestTurn = 0;
    while (!view.equationPane()->isWhole()) {
        const Clock::time_point turn = Clock::now();
        QApplication::processEvents();
        longestTurn = std::max(longestTurn, millisecondsBetween(turn, Clock::now()));
    }
    const double equationWhole = millisecondsBetween(chosen, Clock::now());
    // Once more, as a second look at the row: what the view keeps per model is made.
    view.nameList()->setCurrentIndex(densest == 0 ? 1 : 0);
    paintView(view);
    const Clock::time_point again = Clock::now();
    view.nameList()->setCurrentIndex(densest);
    paintView(view);
    const double densestAgain = millisecondsBetween(again, Clock::now());
    const int densestEntries = view.entryList()->model()->rowCount();
    view.logic().rowIndexCache().indexFor(*app.document());
    const double typical = longestTypicalClick(view, densest);
    std::printf(
        "load %.0f ms; first row shown %.0f ms after start (load + %.0f ms); densest "
        "row (%d entries) shown in %.1f ms, its equation whole in %.0f ms (turns of at most "
        "%.1f ms), shown again in %.1f ms; typical rows shown in at most %.1f ms right after the "
        "load, %.1f ms once the row index is built\n",
        times.load, times.firstRow, times.firstRow - times.load, densestEntries, times.densestRow,
        equationWhole, longestTurn, densestAgain, typicalEarly, typical);
    return times;
}

}  // namespace

int main(int argc, char* argv[]) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    try {
        const BenchModelFile file("NORVA_STARTUP_BENCH_MPS", "NORVA_STARTUP_BENCH_NONZEROS");
        run(argc, argv, file.path(), Clock::now());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup-bench: %s\n", error.what());
        return 1;
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// How long the "All" tab takes to come up the first time it is asked for: from the tab's
// selection until its grid has painted, each run in a new main window on the offscreen platform.
// The first run of the process is the one a user meets (fonts not yet loaded); all are shown.
//
//   korv_bench_alltab [--runs N] [--strict]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "allsymbolspanel.h"
#include "benchoptions.h"
#include "fakeplatform.h"
#include "mainwindow.h"
#include "recordingboxes.h"
#include "symbolgrid.h"

namespace {

constexpr double kBudgetMs = 50.0;

class PaintWatch final : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    const std::optional<korv::bench::BenchOptions> options =
        korv::bench::benchOptions(argc, argv, "korv_bench_alltab", 20);
    if (!options) {
        return 64;
    }
    const int runs = options->runs;
    const bool strict = options->strict;
    const korv::bench::OffscreenSession session;
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QTemporaryDir folder;
    korv::platform::FakePlatform fake;
    korv::RecordingBoxes boxes;

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        auto form = std::make_unique<korv::MainWindow>(fake.platform(), boxes,
                                                       folder.path().toStdString() + "/");
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) {
            std::fprintf(stderr, "korv_bench_alltab: the window was never shown\n");
            return 2;
        }
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        form->chartTabs->setCurrentIndex(2);
        PaintWatch watch;
        form->allPanel->grid->installEventFilter(&watch);
        while (!watch.painted) {
            if (timer.elapsed() > 2000) {
                std::fprintf(stderr, "korv_bench_alltab: the grid never painted\n");
                return 2;
            }
            QCoreApplication::processEvents();
        }
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    const double first = times.front();
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double worst = times.back();
    const bool pass = worst < kBudgetMs;
    std::printf("All tab, first showing, %d windows (ms): first %.2f median %.2f worst %.2f "
                "budget %.0f  %s\n",
                runs, first, median, worst, kBudgetMs, pass ? "PASS" : "FAIL");
    return strict && !pass ? 1 : 0;
}

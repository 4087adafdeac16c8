// SPDX-License-Identifier: GPL-3.0-or-later
// How long the user waits inside the process: from the click on a symbol button until the line
// shows the new text, and from the click on Copy until the clipboard offers the line in every
// format. Runs the main window on the offscreen platform with the recording fakes.
//
//   korv_bench_click [--runs N] [--strict]
//
// Prints a table with PASS/FAIL against the budgets; exit status 0 unless --strict and a budget
// is missed, 2 when something could not be measured at all.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "benchoptions.h"
#include "compositionedit.h"
#include "fakeplatform.h"
#include "mainwindow.h"
#include "recordingboxes.h"
#include "symbolgrid.h"
#include "transcription.h"

namespace {

constexpr double kClickBudgetMs = 2.0;
constexpr double kCopyBudgetMs = 20.0;
constexpr int kWarmUp = 5;
constexpr qint64 kGiveUpNs = 2'000'000'000;

// Counts the paints a widget receives, so a measurement can stop when the new text is drawn.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_count;
        }
        return false;
    }

private:
    int m_count = 0;
};

struct Sample {
    double textMs = 0;  // the line's text has changed
    double shownMs = 0; // and the line has been repainted
};

struct Stats {
    double median = 0;
    double p90 = 0;
    double worst = 0;
};

Stats stats(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return {n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2,
            values[std::min(n - 1, (n * 9 + 9) / 10 - 1)], values.back()};
}

double ms(qint64 ns) {
    return static_cast<double>(ns) / 1e6;
}

// Lets every pending paint and posted event run, so that a measurement starts from rest.
void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

class Bench {
public:
    Bench(korv::MainWindow& form, korv::RecordingBoxes& boxes)
        : m_form(form)
        , m_boxes(boxes)
        , m_linePaints(form.lineEdit) {}

    void setLine(const QString& line) {
        m_form.lineEdit->setText(line);
        m_form.lineEdit->setFocus(Qt::MouseFocusReason);
        m_form.lineEdit->setCursorPosition(static_cast<int>(line.size()));
        settle();
    }

    std::optional<Sample> clickSymbol(const QString& line, korv::SymbolGrid* chart, QPoint at) {
        setLine(line);
        const int paintsBefore = m_linePaints.count();
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(chart, Qt::LeftButton, {}, at);
        while (m_form.lineEdit->text() == line) {
            if (timer.nsecsElapsed() > kGiveUpNs) {
                return std::nullopt;
            }
            QCoreApplication::processEvents();
        }
        Sample sample;
        sample.textMs = ms(timer.nsecsElapsed());
        while (m_linePaints.count() == paintsBefore) {
            if (timer.nsecsElapsed() > kGiveUpNs) {
                return std::nullopt;
            }
            QCoreApplication::processEvents();
        }
        sample.shownMs = ms(timer.nsecsElapsed());
        return sample;
    }

    std::optional<Sample> clickCopy(const QString& line) {
        setLine(line);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        settle();
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(m_form.copyButton, Qt::LeftButton);
        while (!offersLine(clipboard->mimeData(), line)) {
            if (timer.nsecsElapsed() > kGiveUpNs || !m_boxes.m_errors.isEmpty()) {
                return std::nullopt;
            }
            QCoreApplication::processEvents();
        }
        const double done = ms(timer.nsecsElapsed());
        return Sample{done, done};
    }

private:
    static bool offersLine(const QMimeData* data, const QString& line) {
        return data != nullptr && data->hasFormat(QStringLiteral("text/rtf")) &&
               data->hasFormat(QStringLiteral("text/html")) && data->text() == line;
    }

    korv::MainWindow& m_form;
    korv::RecordingBoxes& m_boxes;
    PaintCounter m_linePaints;
};

struct Row {
    const char* what;
    int length;
    double budget;
    std::vector<double> text;
    std::vector<double> shown;
};

} // namespace

int main(int argc, char** argv) {
    const std::optional<korv::bench::BenchOptions> options =
        korv::bench::benchOptions(argc, argv, "korv_bench_click", 100);
    if (!options) {
        return 64;
    }
    const int runs = options->runs;
    const bool strict = options->strict;
    const korv::bench::OffscreenSession session;
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    // A program folder of its own; automatic pasting off, so that Copy is only the copy.
    QTemporaryDir folder;
    std::ofstream(QDir(folder.path()).filePath(QStringLiteral("KORVANI.INI")).toStdString(),
                  std::ios::binary)
        << "[Korvani]\r\nAutoPaste=0\r\n";
    korv::platform::FakePlatform fake;
    korv::RecordingBoxes boxes;
    korv::MainWindow form(fake.platform(), boxes, folder.path().toStdString() + "/");
    form.show();
    if (!QTest::qWaitForWindowActive(&form)) {
        std::fprintf(stderr, "korv_bench_click: the window never became active\n");
        return 2;
    }
    // "See", the chart's first symbol.
    korv::SymbolGrid* chart = form.standardChart;
    const QPoint symbol = chart->cells().at(0).rect.center();

    Bench bench(form, boxes);
    std::vector<Row> rows;
    bool missed = false;
    bool failed = false;
    for (const int length : {20, 30000}) {
        const QString line =
            QString::fromStdU16String(korv::bench::transcription(static_cast<std::size_t>(length)));
        Row click{"Click symbol", length, kClickBudgetMs, {}, {}};
        Row copy{"Copy", length, kCopyBudgetMs, {}, {}};
        for (int i = 0; i < kWarmUp + runs; ++i) {
            const auto clicked = bench.clickSymbol(line, chart, symbol);
            const auto copied = bench.clickCopy(line);
            if (!clicked || !copied) {
                std::fprintf(stderr, "korv_bench_click: %s of a %d-character line: %s\n",
                             clicked ? "Copy" : "a symbol click", length,
                             boxes.m_errors.isEmpty()
                                 ? "no result within 2 s"
                                 : qPrintable(boxes.m_errors.join(QStringLiteral("; "))));
                failed = true;
                break;
            }
            if (i >= kWarmUp) {
                click.text.push_back(clicked->textMs);
                click.shown.push_back(clicked->shownMs);
                copy.text.push_back(copied->textMs);
                copy.shown.push_back(copied->shownMs);
            }
        }
        if (failed) {
            break;
        }
        rows.push_back(std::move(click));
        rows.push_back(std::move(copy));
    }

    std::printf("In-process latency, offscreen platform, %d runs each after %d warm-up runs (ms)\n",
                runs, kWarmUp);
    std::printf("%-13s %7s %10s %10s %10s %10s %8s  %s\n", "action", "length", "median", "p90",
                "worst", "to-text", "budget", "result");
    for (const Row& row : rows) {
        const Stats shown = stats(row.shown);
        const Stats text = stats(row.text);
        const bool pass = shown.p90 < row.budget;
        missed = missed || !pass;
        std::printf("%-13s %7d %10.3f %10.3f %10.3f %10.3f %8.1f  %s\n", row.what, row.length,
                    shown.median, shown.p90, shown.worst, text.median, row.budget,
                    pass ? "PASS" : "FAIL");
    }
    std::printf("(click: until the line is repainted, to-text: until its text changed; copy: until "
                "the clipboard offers the line as text, text/html and text/rtf; PASS when the "
                "90th percentile is within the budget)\n");
    if (failed) {
        return 2;
    }
    return strict && missed ? 1 : 0;
}

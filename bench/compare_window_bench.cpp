// The compare window: its first opening (made, every way priced and drawn)
// and its recomputation after an input changes, on the shipped sample
// tables, offscreen. Prints the figures and the summary lines of bench/run.sh.
//   mkd-bench-compare APPDIR
#include <QApplication>
#include <QElapsedTimer>
#include <QSpinBox>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "data/table_store.hpp"
#include "screens/CompareWindow.hpp"
#include "screens/ProgramStyle.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/Seam.hpp"

namespace {

class BenchSeam : public Seam {
public:
    explicit BenchSeam(QString dir) : dir_(std::move(dir)) {}
    void message(const QString&, const QString&) override {}
    void fatal(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void endProgram(int) override {}
    mkd::Date today() override { return {2007, 8, 12}; }
    QString applicationDirectory() override { return dir_; }

private:
    QString dir_;
};

double ms(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(new ProgramStyle);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QApplication::applicationDirPath();
    BenchSeam seam(dir);
    mkd::TableStore tables(dir.toStdString());
    ScreenFlow flow(seam, tables);
    if (!flow.start()) return 1;
    QApplication::processEvents();

    // 岡山 → 宇和島: every way priced, the express section drawn.
    flow.enquiry().request.departure = 0;
    flow.enquiry().request.arrival = 106;
    QElapsedTimer timer;
    timer.start();
    CompareWindow* window = CompareWindow::open(flow, CompareWindow::fromStart(flow));
    window->repaint();
    const double first = ms(timer);

    std::vector<double> times;
    for (int i = 0; i < 200; ++i) {
        timer.restart();
        window->spnAdults->setValue(1 + (i % 2));
        times.push_back(ms(timer));
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("compare window: first open %.2f ms, recompute median %.3f ms, worst %.3f ms (200 changes)\n", first,
                median, times.back());
    std::printf("summary|compare window, first open|%.2f ms|< 100 ms|%s\n", first, first < 100 ? "met" : "MISSED");
    std::printf("summary|compare window, recompute median|%.3f ms|< 5 ms|%s\n", median, median < 5 ? "met" : "MISSED");
    return 0;
}

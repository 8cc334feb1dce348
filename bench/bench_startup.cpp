// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up cost of the window: creating and showing Form1 (its 74 controls, the
// Load handler, the first paint) against creating and showing an empty QWidget
// of the same size, offscreen, in one run. A second baseline holds the same
// number of controls of the same kinds with Qt's defaults, to tell what the
// form itself adds to what any 74 controls cost. Prints the ratios and the
// resident memory once all have run.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "ui/fonts.h"
#include "ui/main_window.h"

namespace {

const zelva::WindowSeams kSeams{
    [] { return zelva::NumberFormat{",", "."}; },
    [](std::string_view, zelva::MessageStyle) { return zelva::MessageAnswer::Ok; },
    [] { return std::optional<std::string>(); },
};

// Shows the widget and lets the offscreen platform expose and paint it.
void showAndPaint(QWidget& widget)
{
    widget.show();
    QCoreApplication::processEvents();
}

void BM_emptyWidget(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget widget;
        widget.resize(861, 368);
        showAndPaint(widget);
        state.PauseTiming();
        widget.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_emptyWidget)->Unit(benchmark::kMicrosecond);

void BM_plainControls(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget widget;
        widget.resize(861, 368);
        for (int i = 0; i < 3; ++i)
            (new QGroupBox(QStringLiteral("Frame"), &widget))->setGeometry(16, 16 + 110 * i, 400, 100);
        for (int i = 0; i < 29; ++i)
            (new QLineEdit(QStringLiteral("Text"), &widget))->setGeometry(440, 12 * i, 100, 20);
        for (int i = 0; i < 37; ++i)
            (new QLabel(QStringLiteral("Label"), &widget))->setGeometry(560, 9 * i, 60, 13);
        for (int i = 0; i < 4; ++i)
            (new QPushButton(QStringLiteral("Command"), &widget))->setGeometry(720, 24 + 80 * i, 129, 60);
        showAndPaint(widget);
        state.PauseTiming();
        widget.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_plainControls)->Unit(benchmark::kMicrosecond);

void BM_mainWindow(benchmark::State& state)
{
    for (auto _ : state) {
        zelva::MainWindow window(kSeams);
        showAndPaint(window);
        state.PauseTiming();
        window.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_mainWindow)->Unit(benchmark::kMicrosecond);

// Keeps the console output and remembers each benchmark's real time per iteration.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions the median stands for the benchmark; otherwise its one run.
        for (const Run& run : runs) {
            if (run.aggregate_name.empty() || run.aggregate_name == "median")
                realTime[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> realTime;
};

std::string residentMemory()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return line.substr(6);
    }
    return " unknown";
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zelva::installFontSubstitutes();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto ratio = [&reporter](const char* baseline) {
        const auto window = reporter.realTime.find("BM_mainWindow");
        const auto base = reporter.realTime.find(baseline);
        if (window == reporter.realTime.end() || base == reporter.realTime.end() || base->second <= 0)
            return;
        std::cout << "Form1 / " << baseline << " start-up: " << window->second / base->second << "x\n";
    };
    ratio("BM_emptyWidget");
    ratio("BM_plainControls");
    std::cout << "resident memory (VmRSS):" << residentMemory() << '\n';
    return 0;
}

// The speed of what every change costs: the summary, a full redraw of the design window
// at 1920 x 1080, saving and loading, at 20, 200 and 2,000 components; and the sampled
// area of a fin of ordinary size and of a very large one.

#include "BenchMain.h"
#include "SampleRocket.h"
#include "analysis/Stability.h"
#include "analysis/Summary.h"
#include "canvas/DesignWindow.h"
#include "designfile/DesignFile.h"
#include "support/FakeDesignHost.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

void Components(benchmark::internal::Benchmark* b) {
    b->Arg(20)->Arg(200)->Arg(2000);
}

void BM_Summary(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, int(run.range(0)));
    for (auto _ : run) {
        const Summary summary = ComputeSummary(design, nullptr, '.');
        benchmark::DoNotOptimize(summary.cg);
    }
}
BENCHMARK(BM_Summary)->Apply(Components)->Unit(benchmark::kMicrosecond);

void BM_StabilityAnalysis(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, int(run.range(0)));
    for (auto _ : run) {
        const StabilityAnalysis analysis = AnalyseStability(design);
        benchmark::DoNotOptimize(analysis.cp);
    }
}
BENCHMARK(BM_StabilityAnalysis)->Apply(Components)->Unit(benchmark::kMicrosecond);

// A full-screen design window showing a rocket of `components` parts, drawn once.
void ShowRocket(TMDIChild& window, int components) {
    window.resize(1920, 1080);
    window.show();
    QCoreApplication::processEvents();
    bench::BuildRocket(window.design(), components);
    window.Redraw();
}

void BM_Redraw(benchmark::State& run) {
    test::FakeDesignHost host;
    TMDIChild window(host);
    ShowRocket(window, int(run.range(0)));
    for (auto _ : run)
        window.Redraw();
}
BENCHMARK(BM_Redraw)->Apply(Components)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same redraw when the rulers have to be drawn anew too (the length unit alternates,
// which changes nothing but the rulers), for the rulers' share of a zoom or a scroll.
void BM_RedrawWithRulers(benchmark::State& run) {
    test::FakeDesignHost host;
    TMDIChild window(host);
    ShowRocket(window, int(run.range(0)));
    for (auto _ : run) {
        host.units.length =
            host.units.length == LengthUnit::Inch ? LengthUnit::Millimetre : LengthUnit::Inch;
        window.Redraw();
    }
}
BENCHMARK(BM_RedrawWithRulers)->Arg(20)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Save(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, int(run.range(0)));
    QTemporaryDir folder;
    const std::filesystem::path path = (folder.path() + "/rocket.kfx").toStdString();
    for (auto _ : run)
        if (!SaveDesign(design, path).ok)
            run.SkipWithError("save failed");
}
BENCHMARK(BM_Save)->Apply(Components)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Load(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, int(run.range(0)));
    QTemporaryDir folder;
    const std::filesystem::path path = (folder.path() + "/rocket.kfx").toStdString();
    SaveDesign(design, path);
    for (auto _ : run) {
        Design loaded;
        if (!LoadDesign(path, loaded).ok)
            run.SkipWithError("load failed");
    }
}
BENCHMARK(BM_Load)->Apply(Components)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One fin's sampled area: span 40 (an ordinary fin) and span 90,000.
void BM_FinArea(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, 3);
    auto& fins = static_cast<TStatecznik&>(*design.Elements[2]);
    fins.FinD = float(run.range(0));
    PlaceDesign(design);
    for (auto _ : run)
        benchmark::DoNotOptimize(fins.ShapeArea());
}
BENCHMARK(BM_FinArea)->Arg(40)->Arg(90000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}

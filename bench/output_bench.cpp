// The speed of the printed output of a 20-component rocket: the whole PDF document
// (side view at 1:1 over its pages, templates, parts list) and the SVG cutting templates.

#include "BenchMain.h"
#include "SampleRocket.h"
#include "output/OutputFiles.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

void BM_DesignPdf(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, 20);
    for (auto _ : run) {
        OutputResult result;
        const QByteArray pdf = DesignPdf(design, "rocket", {}, result);
        if (!result.ok)
            run.SkipWithError("no PDF");
        benchmark::DoNotOptimize(pdf.size());
    }
}
BENCHMARK(BM_DesignPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TemplatesSvg(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, 20);
    // Nested on a 600 x 400 laser bed, texts as outlines: the slowest way.
    TemplateSvgOptions options;
    options.sheet = {600, 400};
    options.textAsOutlines = true;
    for (auto _ : run) {
        const TemplateSheets svg = TemplateSheetsSvg(BuildTemplates(design), "rocket", options);
        if (!svg.ok)
            run.SkipWithError(svg.reason.c_str());
        benchmark::DoNotOptimize(svg.sheets.size());
    }
}
BENCHMARK(BM_TemplatesSvg)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}

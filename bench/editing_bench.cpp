// What undo and redo cost in a large design, and writing the recovery copy.

#include "BenchMain.h"
#include "SampleRocket.h"
#include "editing/EditHistory.h"
#include "editing/Recovery.h"

#include <QTemporaryDir>
#include <chrono>

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;
using Clock = std::chrono::steady_clock;

// A history whose newest step lengthens the second tube, which moves everything
// behind it.
struct EditedRocket {
    Design design;
    EditHistory history{design};
    explicit EditedRocket(int components) {
        bench::BuildRocket(design, components);
        TRocketElement& tube = *design.Elements[1];
        ElementFields fields = FieldsOf(tube);
        fields.length += 40;
        auto edit = ChangeFields(design, tube, fields);
        NullSurface surface;
        DrawDesign(design, surface);
        history.record(std::move(edit));
    }
};

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

void BM_UndoEdit(benchmark::State& run) {
    EditedRocket rocket(int(run.range(0)));
    for (auto _ : run) {
        const auto start = Clock::now();
        rocket.history.stack().undo();
        run.SetIterationTime(Seconds(start));
        rocket.history.stack().redo();
    }
}
BENCHMARK(BM_UndoEdit)->Arg(2000)->Unit(benchmark::kMicrosecond)->UseManualTime();

void BM_RedoEdit(benchmark::State& run) {
    EditedRocket rocket(int(run.range(0)));
    for (auto _ : run) {
        rocket.history.stack().undo();
        const auto start = Clock::now();
        rocket.history.stack().redo();
        run.SetIterationTime(Seconds(start));
    }
}
BENCHMARK(BM_RedoEdit)->Arg(2000)->Unit(benchmark::kMicrosecond)->UseManualTime();

void BM_RecoveryWrite(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, int(run.range(0)));
    QTemporaryDir folder;
    RecoveryStore store(folder.path());
    for (auto _ : run)
        if (!store.write(1, design, QStringLiteral("/home/user/rocket.kfx")).ok)
            run.SkipWithError("write failed");
}
BENCHMARK(BM_RecoveryWrite)->Arg(200)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}

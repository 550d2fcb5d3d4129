// What undo and redo cost in a large design, and writing the recovery copy.

#include "BenchMain.h"
#include "SampleRocket.h"
#include "designfile/DesignFile.h"
#include "editing/EditHistory.h"
#include "editing/Recovery.h"
#include "toolwindows/DesignTreeModel.h"

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <unistd.h>

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;
using Clock = std::chrono::steady_clock;

// The rocket of bench::BuildRocket (the same elements, sizes and file size; cached
// centres of gravity may differ in their last digits), built without an edit per
// element: each insertion edit keeps the state of the whole design, which makes building
// tens of thousands of elements that way take quadratic time. The redraws place them.
void BuildLargeRocket(Design& design, int components) {
    bench::LayOutRocket(
        components, 60,
        [&](std::string_view kind, TRocketElement* parent, auto set) -> TRocketElement& {
            ElementFields fields = DefaultFields(kind);
            set(fields);
            std::unique_ptr<TRocketElement> element = CreateElement(kind);
            WriteFields(*element, fields);
            element->Pen = TPen{1, 0};
            element->Selected = false;
            element->Points.assign(kind == "TGlowicaOgive" ? 3 : kind == "TBalast" ? 1 : 4,
                                   TPoints{});
            TRocketElement& added = *element;
            design.addElement(std::move(element),
                              parent != nullptr ? design.tree.nodeOf(parent) : nullptr);
            return added;
        });
    PlaceDesign(design);
    for (auto& element : design.Elements)
        if (!KindOf(*element).ballast)
            element->ComputeWeight();
}

// Small rockets as every benchmark builds them, large ones without the quadratic cost.
void Build(Design& design, int components) {
    if (components > 2000)
        BuildLargeRocket(design, components);
    else
        bench::BuildRocket(design, components);
}

// A history whose newest step lengthens the second tube, which moves everything
// behind it.
struct EditedRocket {
    Design design;
    EditHistory history{design};
    explicit EditedRocket(int components) {
        Build(design, components);
        TRocketElement& tube = *design.Elements[1];
        ElementFields fields = FieldsOf(tube);
        fields.length += 40;
        auto edit = ChangeFields(design, tube, fields);
        PlaceDesign(design);
        history.record(std::move(edit));
    }
};

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Times the undo of the newest step; the redo that brings it back is not timed.
void TimeUndo(benchmark::State& run, EditedRocket& rocket) {
    for (auto _ : run) {
        const auto start = Clock::now();
        rocket.history.stack().undo();
        run.SetIterationTime(Seconds(start));
        rocket.history.stack().redo();
    }
}

void BM_UndoEdit(benchmark::State& run) {
    EditedRocket rocket(int(run.range(0)));
    TimeUndo(run, rocket);
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

// The object window's two models following a design's history, as in the program: each
// step refreshes them against the whole design.
struct ShownRocket : EditedRocket {
    DesignTreeModel elements;
    DimensionListModel dimensions;
    explicit ShownRocket(int components) : EditedRocket(components) {
        elements.setDesign(&design);
        dimensions.setDesign(&design);
        QObject::connect(&history, &EditHistory::designChanged, &elements, [this] {
            elements.refresh();
            dimensions.refresh();
        });
    }
};

// An undo that changes no rows: the models only compare.
void BM_UndoEditShown(benchmark::State& run) {
    ShownRocket rocket(int(run.range(0)));
    TimeUndo(run, rocket);
}
BENCHMARK(BM_UndoEditShown)->Arg(2000)->Unit(benchmark::kMicrosecond)->UseManualTime();

// Undoing the deletion of the first tube's subtree: its rows come back.
void BM_UndoDeleteShown(benchmark::State& run) {
    ShownRocket rocket(int(run.range(0)));
    const std::size_t before = rocket.design.tree.nodeCount();
    rocket.history.record(
        DeleteSubtree(rocket.design, rocket.design.tree.nodeOf(rocket.design.Elements[1].get())));
    run.counters["rows_back"] = double(before - rocket.design.tree.nodeCount());
    TimeUndo(run, rocket);
}
BENCHMARK(BM_UndoDeleteShown)->Arg(2000)->Unit(benchmark::kMicrosecond)->UseManualTime();

void BM_RecoveryWrite(benchmark::State& run) {
    Design design;
    Build(design, int(run.range(0)));
    QTemporaryDir folder;
    RecoveryStore store(folder.path());
    for (auto _ : run)
        if (!store.write(1, design, QStringLiteral("/home/user/rocket.kfx")).ok)
            run.SkipWithError("write failed");
}
BENCHMARK(BM_RecoveryWrite)->Arg(200)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a recovery write costs the window: the snapshot of the design's bytes. The file
// itself is written on a worker thread.
void BM_RecoverySnapshot(benchmark::State& run) {
    Design design;
    Build(design, int(run.range(0)));
    std::size_t bytes = 0;
    for (auto _ : run) {
        const std::vector<std::uint8_t> snapshot = EncodeDesign(design);
        bytes = snapshot.size();
        benchmark::DoNotOptimize(snapshot.data());
    }
    run.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_RecoverySnapshot)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();

double ResidentMegabytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / 1e6;
}

// Edits that each move every element of a large design: the history stays within its
// memory bound, forgetting its oldest steps. Reported: what the kept steps hold, how many
// are kept, what one step holds, and how much the process grew over all the edits. The
// time is that of one edit (recorded after a redraw, as the window records it).
void BM_UndoMemoryBound(benchmark::State& run) {
    constexpr int Edits = 80;
    for (auto _ : run) {
        run.PauseTiming();
        auto rocket = std::make_unique<EditedRocket>(int(run.range(0)));
        const double residentBefore = ResidentMegabytes();
        const double firstStep = double(rocket->history.memoryUsed()) / 1e6;
        run.ResumeTiming();
        for (int i = 1; i < Edits; ++i) {
            TRocketElement& tube = *rocket->design.Elements[1];
            ElementFields fields = FieldsOf(tube);
            fields.length += (i % 2 == 0) ? 5 : -5;
            auto edit = ChangeFields(rocket->design, tube, fields);
            PlaceDesign(rocket->design);
            rocket->history.record(std::move(edit));
        }
        run.PauseTiming();
        run.counters["history_MB"] = double(rocket->history.memoryUsed()) / 1e6;
        run.counters["steps_kept"] = rocket->history.stack().count();
        run.counters["step_MB"] = firstStep;
        run.counters["growth_MB"] = ResidentMegabytes() - residentBefore;
        rocket.reset();
        run.ResumeTiming();
    }
    run.SetItemsProcessed(int64_t(run.iterations()) * (Edits - 1));
}
BENCHMARK(BM_UndoMemoryBound)->Arg(30000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}

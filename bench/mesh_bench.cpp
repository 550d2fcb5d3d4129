// The speed of the 3D model export: a 20-component rocket (tubes with fins, motors and
// ballast behind an ogive nose) written as binary STL, the file flushed to the disk;
// and the solids alone, without the file.

#include "BenchMain.h"
#include "SampleRocket.h"
#include "mesh/MeshFiles.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

void BM_MeshSolids(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, int(run.range(0)));
    for (auto _ : run) {
        const mesh::SolidsResult solids = mesh::BuildSolids(design, mesh::Layout::Assembly);
        if (!solids.ok())
            run.SkipWithError(solids.error.c_str());
        benchmark::DoNotOptimize(solids.meshes.data());
    }
}
BENCHMARK(BM_MeshSolids)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_ExportStl(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, int(run.range(0)));
    QTemporaryDir folder;
    const std::filesystem::path path = (folder.path() + "/rocket.stl").toStdString();
    for (auto _ : run)
        if (const auto result = mesh::ExportAssembly(design, path, mesh::MeshFormat::Stl);
            !result.ok)
            run.SkipWithError(result.reason.c_str());
}
BENCHMARK(BM_ExportStl)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}

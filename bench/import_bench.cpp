// The speed of opening another program's design: the largest published example (an
// OpenRocket zip package holding three stages and their stored simulations) and the
// largest RockSim example, from the bytes of the file to the placed design, with the
// motors looked up in a library of the shared thrust curves.

#include "BenchMain.h"
#include "exchange/DesignImport.h"
#include "model/Design.h"
#include "motors/MotorLibrary.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

namespace {

using namespace vantor;

std::vector<std::uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Import(benchmark::State& run, const char* file, ForeignFormat format) {
    const std::vector<std::uint8_t> bytes = Bytes(std::string(SHARED_DATA "/") + file);
    if (bytes.empty()) {
        run.SkipWithError("no shared data folder beside the project");
        return;
    }
    const MotorLibrary motors = LoadMotorLibrary({std::string(SHARED_DATA "/motors")});
    const MotorLookup lookup = LookupInLibrary(motors);
    for (auto _ : run) {
        Design design;
        const ImportResult result = ImportForeignBytes(bytes, format, design, lookup);
        if (!result.ok)
            run.SkipWithError(result.reason.c_str());
        benchmark::DoNotOptimize(design.Elements.data());
    }
}

void BM_ImportLargestOrk(benchmark::State& run) {
    Import(run, "ork/Three-stage-low-power-rocket.ork", ForeignFormat::OpenRocket);
}
BENCHMARK(BM_ImportLargestOrk)->Unit(benchmark::kMillisecond);

void BM_ImportLargestRkt(benchmark::State& run) {
    Import(run, "rkt/rocksimTestRocket3.rkt", ForeignFormat::RockSim);
}
BENCHMARK(BM_ImportLargestRkt)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}

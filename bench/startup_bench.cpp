// Start-up: from nothing to the main window shown with its first design window, as
// main() does it (the language library loaded, every form created and translated).
// The process's own start (loading Qt's libraries) is not part of it.

#include "BenchMain.h"
#include "i18n/LanguageSession.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "support/ScriptedInteraction.h"

#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

void BM_StartUp(benchmark::State& run) {
    test::ScriptedInteraction interaction;
    QTemporaryDir directory;
    for (auto _ : run) {
        LanguageSession language(interaction, QCoreApplication::applicationDirPath() + "/..");
        Program program(language, interaction, directory.path());
        if (!program.create()) {
            run.SkipWithError("the program did not start");
            return;
        }
        ShowMaximized(*program.mainForm());
        if (!QTest::qWaitForWindowExposed(program.mainForm())) {
            run.SkipWithError("the window was not shown");
            return;
        }
        run.PauseTiming();
        program.mainForm()->close();
        run.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}

// The motor library: reading a folder of 1,000 motor files, and the chooser's answer to
// a search typed into it.
#include "BenchMain.h"

#include "motors/MotorLibrary.h"
#include "toolwindows/MotorChooser.h"
#include "i18n/LanguageSession.h"
#include "support/ScriptedInteraction.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cmath>
#include <string>

using namespace vantor;

namespace {

// A curve of `points` samples shaped like a black-powder motor: a spike, then a plateau.
std::string CurveText(int index, int points) {
    const double burn = 1.0 + (index % 7) * 0.3;
    std::string text;
    for (int i = 1; i <= points; ++i) {
        const double t = burn * i / points;
        const double f = i == points ? 0.0 : 4 + 10 * std::exp(-std::pow((t - 0.2) / 0.08, 2));
        text += std::to_string(t) + " " + std::to_string(f) + "\n";
    }
    return text;
}

// Half RASP, half RockSim files, about 30 and 60 points: the sizes published curves have.
void WriteLibrary(const QString& folder, int count) {
    for (int i = 0; i < count; ++i) {
        const std::string name = "M" + std::to_string(i);
        std::string text;
        if (i % 2 == 0) {
            text = "; made for the benchmark\n" + name + " " + std::to_string(13 + (i % 4) * 5) +
                   " 70 3-5-7 0.0108 0.0231 Bench\n" + CurveText(i, 30);
        } else {
            text = "<engine-database><engine-list>\n<engine mfg=\"Bench\" code=\"" + name +
                   "\" dia=\"18.\" len=\"70.\" initWt=\"23.1\" propWt=\"10.8\" delays=\"3,5,7\">"
                   "<data>\n";
            const double burn = 1.0 + (i % 7) * 0.3;
            for (int p = 0; p <= 60; ++p)
                text += "<eng-data t=\"" + std::to_string(burn * p / 60) + "\" f=\"" +
                        std::to_string(p == 0 || p == 60 ? 0.0 : 5.0) + "\" m=\"" +
                        std::to_string(10.8 * (1 - p / 60.0)) + "\" cg=\"35.\"/>\n";
            text += "</data></engine></engine-list></engine-database>\n";
        }
        QFile file(folder + "/" + QString::fromStdString(name) + (i % 2 == 0 ? ".eng" : ".rse"));
        if (file.open(QIODevice::WriteOnly))
            file.write(text.data(), qint64(text.size()));
    }
}

void BM_LoadMotorLibrary(benchmark::State& run) {
    QTemporaryDir folder;
    WriteLibrary(folder.path(), int(run.range(0)));
    for (auto _ : run) {
        const MotorLibrary library = LoadMotorLibrary({folder.path().toStdString()});
        if (library.motors.size() != std::size_t(run.range(0)))
            run.SkipWithError("a motor file was not read");
        benchmark::DoNotOptimize(library.motors.data());
    }
}
BENCHMARK(BM_LoadMotorLibrary)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One keystroke in the chooser's search field: the search, the list's new rows and the
// curve of the motor then selected.
void BM_ChooserSearch(benchmark::State& run) {
    QTemporaryDir folder;
    WriteLibrary(folder.path(), int(run.range(0)));
    const MotorLibrary library = LoadMotorLibrary({folder.path().toStdString()});
    test::ScriptedInteraction interaction;
    LanguageSession language(interaction);
    TFormSilnik chooser(language);
    chooser.setLibrary(&library);
    chooser.setTube(24.0);
    const QStringList texts{"m1", "bench c", "m99", "", "b", "m5 c"};
    int i = 0;
    for (auto _ : run)
        chooser.eSzukaj->setText(texts[i++ % texts.size()]);
}
BENCHMARK(BM_ChooserSearch)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}

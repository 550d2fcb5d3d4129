// The worst cases: each command of vantor-kfx on the design of the hostile set that
// takes it longest, run as the user runs it (a process of its own, the design read from
// its file), so that a regression shows as a number. Each reports the child's peak
// memory as "peak_MB". The whole table of the set is the hardening test's
// (tests/tools/tst_hostile_set, VANTOR_HOSTILE_TABLE=FILE).

#include "BenchMain.h"
#include "support/HostileDesigns.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace vantor;

// The designs, written once into a folder that lives as long as the program.
const QString& Folder() {
    static QTemporaryDir folder;
    static bool written = false;
    if (!written) {
        written = true;
        // Made in a child process: the kernel counts the memory this process ever held
        // into the peak of every tool it starts.
        const pid_t maker = fork();
        if (maker == 0) {
            for (const test::HostileDesign& hostile : test::HostileDesigns()) {
                const QString file = folder.filePath(
                    QString::fromStdString(hostile.name).replace(' ', '_') + ".kfx");
                test::WriteHostileDesign(hostile, file.toStdString());
            }
            QFile motor(folder.filePath("c6.eng"));
            if (motor.open(QIODevice::WriteOnly))
                motor.write("C6 18 70 3-5-7 0.0108 0.0231 Test\n"
                            "0.05 14.0\n0.2 10.0\n0.5 6.0\n1.5 5.0\n1.8 0.0\n");
            motor.close(); // _exit runs no destructor
            _exit(0);
        }
        int status = 0;
        waitpid(maker, &status, 0);
    }
    static const QString path = folder.path();
    return path;
}

// Runs the tool, output to /dev/null; its exit status, and its peak memory in MB.
int RunTool(const std::vector<std::string>& arguments, double& peakMb) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> storage{VANTOR_KFX_PATH};
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    peakMb = std::max(peakMb, double(usage.ru_maxrss) / 1024);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One command on one design: `@` in an argument stands for a scratch folder.
void BM_Worst(benchmark::State& run, const std::string& design, std::vector<std::string> command) {
    const QString folder = Folder();
    QTemporaryDir scratch;
    std::vector<std::string> arguments{
        command.front(),
        (folder + "/" + QString::fromStdString(design).replace(' ', '_') + ".kfx").toStdString()};
    for (std::size_t i = 1; i < command.size(); ++i) {
        std::string a = command[i];
        if (const auto at = a.find('@'); at != std::string::npos)
            a.replace(at, 1, scratch.path().toStdString());
        if (const auto at = a.find('%'); at != std::string::npos)
            a.replace(at, 1, folder.toStdString());
        arguments.push_back(a);
    }
    double peak = 0;
    int status = 0;
    for (auto _ : run)
        status = RunTool(arguments, peak);
    if (status < 0)
        run.SkipWithError("the tool did not run or crashed");
    run.counters["peak_MB"] = peak;
    run.counters["exit"] = status;
}

// The slowest design of the hostile set for each command, as measured in a release
// build (docs/performance.md).
#define WORST(name, design, ...)                                                                   \
    BENCHMARK_CAPTURE(BM_Worst, name, design, std::vector<std::string>{__VA_ARGS__})               \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->UseRealTime()                                                                            \
        ->Iterations(1)

WORST(summary, "20000 tubes", "summary");
WORST(stability, "90 m 20000 ballast", "stability", "--json");
WORST(render, "20000 tubes", "render", "@/out.png");
WORST(pdf, "90 m 20000 ballast", "pdf", "@/out.pdf"); // refused from its budget
WORST(pdf_written, "280000 thin fins", "pdf", "@/out.pdf");
WORST(svg, "90 m 20000 ballast", "svg", "@/out.svg");
WORST(svg_templates, "1 km 10000 parts", "svg", "@/out.svg", "--templates");
WORST(mesh_stl, "20000 wide fins", "mesh", "@/out.stl");
WORST(mesh_obj, "20000 wide fins", "mesh", "@/out.obj");
WORST(mesh_3mf, "20000 wide fins", "mesh", "@/out.3mf");
WORST(mesh_parts, "20000 wide fins", "mesh", "@/out.stl", "--parts", "@/parts");
WORST(mesh_refused, "280000 thin fins", "mesh", "@/out.obj"); // refused from its budget
WORST(fly, "1 km 10000 parts", "fly", "--motor-file", "%/c6.eng");

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}

// vantor-kfx: design files from the command line, through the program's own code.
#include "Commands.h"
#include "ImportCommand.h"
#include "FlyCommand.h"
#include "MotorCommands.h"
#include "Output.h"
#include "output/PageSetup.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* Usage =
    "usage: vantor-kfx summary FILE\n"
    "       vantor-kfx stability FILE [--target CALIBERS] [--json]\n"
    "       vantor-kfx dump FILE\n"
    "       vantor-kfx save IN OUT\n"
    "       vantor-kfx render FILE OUT.png [--scale S]\n"
    "       vantor-kfx mesh FILE OUT.{stl,obj,3mf} [--parts DIR] [--tip MM]\n"
    "       vantor-kfx pdf FILE OUT.pdf [--paper A4|Letter|A3] [--landscape]\n"
    "       vantor-kfx svg FILE OUT.svg [--templates [--sheet WxH] [--text-outlines]]\n"
    "       vantor-kfx import IN.{ork,rkt} OUT.kfx [--report] [--motors DIR]...\n"
    "       vantor-kfx motors [--motors DIR]... [--search TEXT] [--json]\n"
    "       vantor-kfx fly FILE [--motor \"Maker Designation-Delay\" | --motor-file PATH\n"
    "                  [--delay S]] [--motors DIR]... [--rod-length M] [--rod-angle DEG]\n"
    "                  [--wind M/S] [--altitude M] [--temperature C] [--cd VALUE]\n"
    "                  [--parachute DIAMETER_M] [--json] [--csv OUT]\n"
    "\n"
    "summary  prints the weight, calibers, CP, CG, length and verdict of the design\n"
    "stability prints the standard Barrowman analysis: CNa, CP and CG from the nose tip,\n"
    "         reference diameter, calibers, verdict and the ballast at the nose that brings\n"
    "         the margin to the target (1 caliber unless told); --json adds each component\n"
    "dump     prints the design as read from the file, as JSON\n"
    "save     loads IN, draws it as the program does after opening, and saves it as OUT\n"
    "render   draws the side view with the summary markers as a PNG picture\n"
    "mesh     writes the printable components as one 3D model in millimetres, the format\n"
    "         by the extension; with --parts, also one file a component laid for\n"
    "         printing into DIR, named after OUT; points end in a flat tip MM wide\n"
    "         (0.4 unless told, 0 for sharp points)\n"
    "pdf      writes the side view at 1:1, the cutting templates and the parts list\n"
    "svg      writes the side view at 1:1, or with --templates the cutting templates\n"
    "         nested on sheets of WxH millimetres (210x297 unless told), one file a\n"
    "         sheet (OUT-1.svg, OUT-2.svg, ... when there are several), texts as\n"
    "         outlines with --text-outlines\n"
    "import   reads an OpenRocket or RockSim design and saves it as a design file; with\n"
    "         --report, prints every part approximated or left out with its mass, and the\n"
    "         source's stored mass, CG and CP beside the imported ones\n"
    "motors   lists the motor library (the program's, the user's and each --motors\n"
    "         folder) with the figures derived from each thrust curve; --search keeps\n"
    "         the motors that hold every word; malformed files are named on stderr\n"
    "fly      flies the design on its motors (the captions of its motor components), or\n"
    "         every motor component on the one motor named, and prints the answers:\n"
    "         apogee, speeds, delays, stability and warnings. A name means one curve:\n"
    "         maker by full name or abbreviation, designation with or without its\n"
    "         propellant letters, preferring a file that lists the delay, then one whose\n"
    "         header writes the maker in full, the exact designation, RASP before\n"
    "         RockSim, then the file name; motor_file names the curve flown. Exits 1 when\n"
    "         no motor is chosen, 3 when the flight cannot be completed (a tumble)\n"
    "Every command that reads FILE also reads .ork and .rkt designs directly.\n"
    "Outputs are budgeted before any work: a model beyond 4,000,000 triangles or 100 MB,\n"
    "more than 1,000 part files, a document beyond 500 pages or drawing more than\n"
    "200,000 elements over its pages is refused with the limit named. A figure that is\n"
    "not finite or beyond any rocket's is shown as \"-\" (null in JSON) with the reason.\n"
    "\n"
    "exit status: 0 done, 1 the file cannot be read or is refused (or the output cannot\n"
    "be written), 2 wrong arguments, 3 the summary computation failed\n";

int UsageError(const std::string& why) {
    std::cerr << "vantor-kfx: " << why << "\n" << Usage;
    return vantor::kfx::UsageError;
}

// Qt's notes about the environment (no runtime folder, no display) are not the tool's
// output; only real errors reach standard error.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << "\n";
}

bool ParseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && std::isfinite(value);
}

bool ParseScale(const std::string& text, double& scale) {
    return ParseNumber(text, scale) && scale > 0 && scale <= 64;
}

int Stability(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    double target = 1.0;
    bool json = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--target") {
            if (i + 1 >= args.size() || !ParseNumber(args[i + 1], target))
                return UsageError("--target takes a number of calibers");
            ++i;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 1)
        return UsageError("stability takes one design file");
    vantor::kfx::CheckedOutput out;
    return out.finish(
        vantor::kfx::RunStability(positional[0], target, json, out.stream(), std::cerr), std::cerr);
}

// Runs a command that draws with Qt: off-screen, without a display.
int WithGui(int argc, char** argv, const std::function<int()>& command) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    qInstallMessageHandler(QuietQtMessages);
    int appArgc = std::min(argc, 1); // the arguments are ours, not Qt's
    QGuiApplication app(appArgc, argv);
    return command();
}

int Pdf(int argc, char** argv, const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string paper = "A4";
    bool landscape = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--paper") {
            if (i + 1 >= args.size())
                return UsageError("--paper takes A4, Letter or A3");
            paper = args[++i];
        } else if (args[i] == "--landscape") {
            landscape = true;
        } else {
            positional.push_back(args[i]);
        }
    }
    vantor::Paper known;
    if (!vantor::ParsePaper(paper, known))
        return UsageError("--paper takes A4, Letter or A3");
    if (positional.size() != 2)
        return UsageError("pdf takes a design file and a PDF file");
    return WithGui(argc, argv, [&] {
        return vantor::kfx::RunPdf(positional[0], positional[1], paper, landscape, std::cerr);
    });
}

int Svg(int argc, char** argv, const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    bool templates = false;
    vantor::TemplateSvgOptions options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--templates") {
            templates = true;
        } else if (args[i] == "--text-outlines") {
            options.textAsOutlines = true;
        } else if (args[i] == "--sheet") {
            double width = 0, height = 0;
            char by = 0, rest = 0;
            if (i + 1 >= args.size() ||
                std::sscanf(args[i + 1].c_str(), "%lf%c%lf%c", &width, &by, &height, &rest) != 3 ||
                (by != 'x' && by != 'X') || !(width > 0 && height > 0 && width <= 1e5 && height <= 1e5))
                return UsageError("--sheet takes a size in millimetres such as 600x400");
            options.sheet = {width, height};
            ++i;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2)
        return UsageError("svg takes a design file and an SVG file");
    return WithGui(argc, argv, [&] {
        return vantor::kfx::RunSvg(positional[0], positional[1], templates, std::cerr, options);
    });
}

int Render(int argc, char** argv, const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    double scale = 1.0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--scale") {
            if (i + 1 >= args.size() || !ParseScale(args[i + 1], scale))
                return UsageError("--scale takes a number above 0, at most 64");
            ++i;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2)
        return UsageError("render takes a design file and a picture file");
    return WithGui(argc, argv, [&] {
        return vantor::kfx::RunRender(positional[0], positional[1], scale, std::cerr);
    });
}

int Mesh(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string parts;
    vantor::mesh::SolidOptions options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--parts") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return UsageError("--parts takes a folder");
            parts = args[++i];
        } else if (args[i] == "--tip") {
            double width = -1;
            char rest = 0;
            if (i + 1 >= args.size() ||
                std::sscanf(args[i + 1].c_str(), "%lf%c", &width, &rest) != 1 ||
                !(width >= 0 && width <= 100))
                return UsageError("--tip takes a width in millimetres from 0 to 100");
            options.tipWidth = width;
            ++i;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2)
        return UsageError("mesh takes a design file and a model file");
    return vantor::kfx::RunMesh(positional[0], positional[1], parts, std::cerr, options);
}

int Motors(const std::vector<std::string>& args) {
    vantor::kfx::MotorFolders folders;
    std::string search;
    bool json = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string error;
        if (vantor::kfx::TakeMotorsOption(args, i, folders, error)) {
            if (!error.empty())
                return UsageError(error);
        } else if (args[i] == "--search") {
            if (i + 1 >= args.size())
                return UsageError("--search takes a text");
            search = args[++i];
        } else if (args[i] == "--json") {
            json = true;
        } else {
            return UsageError("motors takes --motors DIR, --search TEXT and --json");
        }
    }
    vantor::kfx::CheckedOutput out;
    return out.finish(vantor::kfx::RunMotors(folders, search, json, out.stream(), std::cerr),
                      std::cerr);
}

int Fly(const std::vector<std::string>& args) {
    vantor::kfx::FlyOptions options;
    std::string error;
    if (!vantor::kfx::ParseFlyOptions(args, options, error))
        return UsageError(error);
    vantor::kfx::CheckedOutput out;
    return out.finish(vantor::kfx::RunFly(options, out.stream(), std::cerr), std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    if (args.empty())
        return UsageError("no command given");
    const std::string& command = args[0];
    // Standard output is written through a checked stream: a full disk or a closed pipe
    // is reported and fails the command.
    if (command == "--help" || command == "-h") {
        vantor::kfx::CheckedOutput out;
        out.stream() << Usage;
        return out.finish(vantor::kfx::Success, std::cerr);
    }
    if (command == "summary" || command == "dump") {
        if (args.size() != 2)
            return UsageError(command + " takes one design file");
        vantor::kfx::CheckedOutput out;
        const int status = command == "summary"
                               ? vantor::kfx::RunSummary(args[1], out.stream(), std::cerr)
                               : vantor::kfx::RunDump(args[1], out.stream(), std::cerr);
        return out.finish(status, std::cerr);
    }
    if (command == "stability")
        return Stability(args);
    if (command == "save") {
        if (args.size() != 3)
            return UsageError("save takes a design file to read and one to write");
        return vantor::kfx::RunSave(args[1], args[2], std::cerr);
    }
    if (command == "render")
        return Render(argc, argv, args);
    if (command == "mesh")
        return Mesh(args);
    if (command == "pdf")
        return Pdf(argc, argv, args);
    if (command == "svg")
        return Svg(argc, argv, args);
    if (command == "import") {
        std::vector<std::string> positional;
        bool report = false;
        vantor::kfx::MotorFolders folders;
        for (std::size_t i = 1; i < args.size(); ++i) {
            std::string error;
            if (vantor::kfx::TakeMotorsOption(args, i, folders, error)) {
                if (!error.empty())
                    return UsageError(error);
            } else if (args[i] == "--report") {
                report = true;
            } else {
                positional.push_back(args[i]);
            }
        }
        if (positional.size() != 2)
            return UsageError("import takes an .ork or .rkt design and a design file to write");
        vantor::kfx::CheckedOutput out;
        return out.finish(vantor::kfx::RunImport(positional[0], positional[1], report, folders,
                                                 out.stream(), std::cerr),
                          std::cerr);
    }
    if (command == "motors")
        return Motors(args);
    if (command == "fly")
        return Fly(args);
    return UsageError("unknown command \"" + command + "\"");
}

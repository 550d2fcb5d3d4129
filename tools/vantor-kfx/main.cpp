// vantor-kfx: design files from the command line, through the program's own code.
#include "Commands.h"
#include "output/PageSetup.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* Usage =
    "usage: vantor-kfx summary FILE\n"
    "       vantor-kfx dump FILE\n"
    "       vantor-kfx save IN OUT\n"
    "       vantor-kfx render FILE OUT.png [--scale S]\n"
    "       vantor-kfx pdf FILE OUT.pdf [--paper A4|Letter|A3] [--landscape]\n"
    "       vantor-kfx svg FILE OUT.svg [--templates]\n"
    "\n"
    "summary  prints the weight, calibers, CP, CG, length and verdict of the design\n"
    "dump     prints the design as read from the file, as JSON\n"
    "save     loads IN, draws it as the program does after opening, and saves it as OUT\n"
    "render   draws the side view with the summary markers as a PNG picture\n"
    "pdf      writes the side view at 1:1, the cutting templates and the parts list\n"
    "svg      writes the side view at 1:1, or with --templates the cutting templates\n"
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

bool ParseScale(const std::string& text, double& scale) {
    char* end = nullptr;
    scale = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && std::isfinite(scale) &&
           scale > 0 && scale <= 64;
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
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--templates")
            templates = true;
        else
            positional.push_back(args[i]);
    }
    if (positional.size() != 2)
        return UsageError("svg takes a design file and an SVG file");
    return WithGui(argc, argv, [&] {
        return vantor::kfx::RunSvg(positional[0], positional[1], templates, std::cerr);
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

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    if (args.empty())
        return UsageError("no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        std::cout << Usage;
        return vantor::kfx::Success;
    }
    if (command == "summary" || command == "dump") {
        if (args.size() != 2)
            return UsageError(command + " takes one design file");
        return command == "summary" ? vantor::kfx::RunSummary(args[1], std::cout, std::cerr)
                                    : vantor::kfx::RunDump(args[1], std::cout, std::cerr);
    }
    if (command == "save") {
        if (args.size() != 3)
            return UsageError("save takes a design file to read and one to write");
        return vantor::kfx::RunSave(args[1], args[2], std::cerr);
    }
    if (command == "render")
        return Render(argc, argv, args);
    if (command == "pdf")
        return Pdf(argc, argv, args);
    if (command == "svg")
        return Svg(argc, argv, args);
    return UsageError("unknown command \"" + command + "\"");
}

#include "MotorCommands.h"

#include "Commands.h"
#include "flight/Figures.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

namespace vantor::kfx {

namespace {

std::string JsonText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            // Motor files are plain ASCII; any other byte is shown as a code point of
            // the single-byte text it most likely was, so the output stays valid JSON.
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonValue(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// Rounded for the table, exact in JSON.
std::string Fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string DelaysText(const Motor& motor) {
    if (motor.delays.empty())
        return "P";
    std::string text;
    for (double delay : motor.delays)
        text += (text.empty() ? "" : "-") + DelayText(delay);
    return text;
}

std::filesystem::path ProgramFolder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

} // namespace

bool TakeMotorsOption(const std::vector<std::string>& args, std::size_t& i, MotorFolders& folders,
                      std::string& error) {
    if (args[i] != "--motors")
        return false;
    if (i + 1 >= args.size() || args[i + 1].empty()) {
        error = "--motors takes a folder of motor files";
        return true;
    }
    folders.added.push_back(args[++i]);
    return true;
}

MotorLibrary LoadMotorsFor(const MotorFolders& folders, std::ostream& err) {
    std::vector<std::filesystem::path> paths;
    const std::filesystem::path program = ProgramFolder();
    if (!program.empty()) {
        // The program's own library: beside the program in the build folder, and in
        // the program's folder when installed.
        paths.push_back(program / "data" / "motors");
        paths.push_back(program.parent_path() / "lib" / "vantor" / "data" / "motors");
    }
    // The program's AppDataLocation: the generic data folder and the program's name.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        paths.emplace_back(QDir(data).filePath(QStringLiteral("Vantor/motors")).toStdString());
    for (const std::string& added : folders.added) {
        std::error_code error;
        if (!std::filesystem::is_directory(added, error))
            err << "vantor-kfx: " << added << ": not a folder of motor files\n";
        paths.emplace_back(added);
    }
    MotorLibrary library = LoadMotorLibrary(paths);
    for (const MotorFileError& fault : library.errors)
        err << Describe(fault) << "\n";
    return library;
}

namespace {

// A motor's figures as shown: each value, or for one beyond any motor's (a hostile or
// damaged curve) nothing, with the reason.
struct ShownFigures {
    std::optional<double> diameter, length, impulse, average, peak, burn, loaded, propellant;
    std::vector<std::string> errors;
};

ShownFigures Shown(const Motor& m, const MotorFigures& f) {
    namespace limit = figure_limit;
    ShownFigures shown;
    const auto check = [&](const char* name, double value, double bound) -> std::optional<double> {
        if (const auto fault = FigureFault(name, value, bound)) {
            shown.errors.push_back(m.maker + " " + m.designation + ": " + *fault);
            return std::nullopt;
        }
        return value;
    };
    shown.diameter = check("diameter", m.diameter, limit::LengthMm);
    shown.length = check("length", m.length, limit::LengthMm);
    shown.impulse = check("total impulse", f.totalImpulse, limit::Impulse);
    shown.average = check("average thrust", f.averageThrust, limit::Thrust);
    shown.peak = check("peak thrust", f.peakThrust, limit::Thrust);
    shown.burn = check("burn time", f.burnTime, limit::Time);
    shown.loaded = check("loaded mass", m.loadedMass, limit::MassGrams);
    shown.propellant = check("propellant mass", m.propellantMass, limit::MassGrams);
    return shown;
}

std::string JsonValue(const std::optional<double>& value) {
    return value ? JsonValue(*value) : "null";
}

std::string Fixed(const std::optional<double>& value, int decimals) {
    return value ? Fixed(*value, decimals) : "-";
}

} // namespace

int RunMotors(const MotorFolders& folders, const std::string& search, bool json, std::ostream& out,
              std::ostream& err) {
    const MotorLibrary library = LoadMotorsFor(folders, err);
    const MotorSearch index(library);
    const std::vector<std::size_t> found = index.find(search);
    if (json) {
        out << "{\"motors\": [";
        bool first = true;
        for (std::size_t i : found) {
            const Motor& m = library.motors[i];
            const MotorFigures& f = library.figures[i];
            std::string delays = "[";
            for (std::size_t d = 0; d < m.delays.size(); ++d)
                delays += (d ? ", " : "") + JsonValue(m.delays[d]);
            delays += "]";
            const ShownFigures shown = Shown(m, f);
            std::string errors = "[";
            for (std::size_t e = 0; e < shown.errors.size(); ++e) {
                errors += (e ? ", " : "") + JsonText(shown.errors[e]);
                err << shown.errors[e] << "\n";
            }
            errors += "]";
            out << (first ? "\n" : ",\n") << "  {\"maker\": " << JsonText(m.maker)
                << ", \"designation\": " << JsonText(m.designation)
                << ", \"file\": " << JsonText(m.file)
                << ", \"diameter_mm\": " << JsonValue(shown.diameter)
                << ", \"length_mm\": " << JsonValue(shown.length) << ", \"delays\": " << delays
                << ", \"total_impulse_Ns\": " << JsonValue(shown.impulse)
                << ", \"average_thrust_N\": " << JsonValue(shown.average)
                << ", \"peak_thrust_N\": " << JsonValue(shown.peak)
                << ", \"burn_time_s\": " << JsonValue(shown.burn)
                << ", \"loaded_mass_g\": " << JsonValue(shown.loaded)
                << ", \"propellant_mass_g\": " << JsonValue(shown.propellant)
                << ", \"class\": " << JsonText(f.impulseClass) << ", \"errors\": " << errors << "}";
            first = false;
        }
        out << (first ? "" : "\n") << "]}\n";
        return Success;
    }
    out << "Maker\tDesignation\tClass\tDiameter mm\tLength mm\tImpulse Ns\tAverage N\tPeak N"
           "\tBurn s\tDelays\tLoaded g\tPropellant g\tFile\n";
    for (std::size_t i : found) {
        const Motor& m = library.motors[i];
        const MotorFigures& f = library.figures[i];
        const ShownFigures shown = Shown(m, f);
        for (const std::string& e : shown.errors)
            err << e << "\n";
        out << m.maker << "\t" << m.designation << "\t" << f.impulseClass << "\t"
            << Fixed(shown.diameter, 1) << "\t" << Fixed(shown.length, 1) << "\t"
            << Fixed(shown.impulse, 2) << "\t" << Fixed(shown.average, 2) << "\t"
            << Fixed(shown.peak, 2) << "\t" << Fixed(shown.burn, 3) << "\t" << DelaysText(m) << "\t"
            << Fixed(shown.loaded, 1) << "\t" << Fixed(shown.propellant, 1) << "\t" << m.file
            << "\n";
    }
    return Success;
}

} // namespace vantor::kfx

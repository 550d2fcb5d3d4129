#include "MotorCommands.h"

#include "Commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <charconv>
#include <cstdio>
#include <filesystem>
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
            out << (first ? "\n" : ",\n") << "  {\"maker\": " << JsonText(m.maker)
                << ", \"designation\": " << JsonText(m.designation)
                << ", \"file\": " << JsonText(m.file) << ", \"diameter_mm\": " << JsonValue(m.diameter)
                << ", \"length_mm\": " << JsonValue(m.length) << ", \"delays\": " << delays
                << ", \"total_impulse_Ns\": " << JsonValue(f.totalImpulse)
                << ", \"average_thrust_N\": " << JsonValue(f.averageThrust)
                << ", \"peak_thrust_N\": " << JsonValue(f.peakThrust)
                << ", \"burn_time_s\": " << JsonValue(f.burnTime)
                << ", \"loaded_mass_g\": " << JsonValue(m.loadedMass)
                << ", \"propellant_mass_g\": " << JsonValue(m.propellantMass)
                << ", \"class\": " << JsonText(f.impulseClass) << "}";
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
        out << m.maker << "\t" << m.designation << "\t" << f.impulseClass << "\t"
            << Fixed(m.diameter, 1) << "\t" << Fixed(m.length, 1) << "\t"
            << Fixed(f.totalImpulse, 2) << "\t" << Fixed(f.averageThrust, 2) << "\t"
            << Fixed(f.peakThrust, 2) << "\t" << Fixed(f.burnTime, 3) << "\t" << DelaysText(m)
            << "\t" << Fixed(m.loadedMass, 1) << "\t" << Fixed(m.propellantMass, 1) << "\t"
            << m.file << "\n";
    }
    return Success;
}

} // namespace vantor::kfx

#include "motors/MotorFiles.h"

#include "motors/MotorFigures.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <system_error>

namespace vantor {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// A whole token as a finite number; "1." and ".5" included, "1x" and "nan" refused.
std::optional<double> Number(std::string_view token) {
    if (token.empty() || token.size() > 64)
        return std::nullopt;
    std::string text(token);
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    // strtod also reads hexadecimal and "inf"; motor files hold plain decimals only.
    for (char c : text)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
              c == 'e' || c == 'E'))
            return std::nullopt;
    return value;
}

std::vector<std::string_view> Tokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i > start)
            tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

std::string Printable(std::string_view text) {
    std::string shown;
    for (char c : text.substr(0, 40))
        shown += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    return shown;
}

// Delays as RASP ("3-5-7", "0", "P") or RockSim ("3,5,7", "P") write them; an empty
// list for a plugged motor. False for anything else.
bool ParseDelays(std::string_view text, std::vector<double>& delays) {
    delays.clear();
    if (text.empty() || text == "P" || text == "p")
        return true;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("-,", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view part = text.substr(start, end - start);
        if (part == "P" || part == "p") {
            // a plugged variant among timed ones adds nothing to choose
        } else {
            const auto value = Number(part);
            if (!value || *value < 0 || delays.size() >= 64)
                return false;
            // RockSim files write a plugged motor's delay as 1000 s.
            if (*value < 1000)
                delays.push_back(*value);
        }
        start = end + 1;
    }
    std::sort(delays.begin(), delays.end());
    delays.erase(std::unique(delays.begin(), delays.end()), delays.end());
    return true;
}

// "B6-0" with delays "0", or "I59WN-P" for a plugged motor: the designation without the
// delay it repeats, so a caption adds the chosen delay once.
std::string DesignationWithoutDelay(std::string designation, const std::vector<double>& delays) {
    const std::size_t dash = designation.rfind('-');
    if (dash == std::string::npos || dash == 0)
        return designation;
    const std::string_view suffix = std::string_view(designation).substr(dash + 1);
    bool repeated = suffix == "P" || suffix == "p";
    if (const auto value = Number(suffix))
        repeated = delays.empty() ||
                   std::find(delays.begin(), delays.end(), *value) != delays.end();
    if (repeated)
        designation.erase(dash);
    return designation;
}

// Kilograms to grams, without the binary fraction's tail (0.0231 kg is 23.1 g, not
// 23.099999999999998).
double Grams(double kilograms) {
    return std::round(kilograms * 1e9) / 1e6;
}

MotorFileResult Fault(const std::string& file, int line, std::string message) {
    MotorFileResult result;
    result.errors.push_back({file, line, std::move(message)});
    return result;
}

// Checks common to both formats; an empty string when the motor is sound.
std::string CheckMotor(const Motor& motor) {
    if (!(motor.diameter > 0 && motor.diameter < 1000))
        return "diameter must be between 0 and 1000 mm";
    if (!(motor.length > 0 && motor.length < 10000))
        return "length must be between 0 and 10000 mm";
    if (!(motor.loadedMass > 0 && motor.loadedMass < 1e6))
        return "loaded mass must be positive";
    if (!(motor.propellantMass > 0) || motor.propellantMass > motor.loadedMass)
        return "propellant mass must be positive and no more than the loaded mass";
    if (motor.curve.size() < 2)
        return "the thrust curve has no points";
    if (motor.curve.back().thrust != 0)
        return "the thrust curve does not end at zero thrust";
    if (!(FiguresOf(motor).totalImpulse > 0))
        return "the thrust curve delivers no impulse";
    return {};
}

// Where the curve does not start at ignition, it starts from zero thrust there.
void StartAtIgnition(Motor& motor, double massAtIgnition) {
    if (!motor.curve.empty() && motor.curve.front().time > 0)
        motor.curve.insert(motor.curve.begin(), ThrustSample{0, 0, massAtIgnition});
}

} // namespace

std::string Describe(const MotorFileError& error) {
    if (error.line > 0)
        return error.file + ":" + std::to_string(error.line) + ": " + error.message;
    return error.file + ": " + error.message;
}

std::string MakerName(std::string_view written) {
    static constexpr std::array<std::pair<const char*, const char*>, 16> Names{{
        {"a", "AeroTech"}, {"at", "AeroTech"}, {"aero", "AeroTech"}, {"aerotech", "AeroTech"},
        {"rcs/aerotech", "AeroTech"}, {"e", "Estes"}, {"es", "Estes"}, {"estes", "Estes"},
        {"q", "Quest"}, {"quest", "Quest"}, {"cti", "Cesaroni"}, {"cesaroni", "Cesaroni"},
        {"ap", "Apogee"}, {"apogee", "Apogee"}, {"k", "Klima"}, {"klima", "Klima"},
    }};
    const std::string lower = Lower(written);
    for (const auto& [abbreviation, name] : Names)
        if (lower == abbreviation)
            return name;
    return std::string(written);
}

bool IsMotorFileName(const std::filesystem::path& path) {
    const std::string extension = Lower(path.extension().string());
    return extension == ".eng" || extension == ".rse";
}

MotorFileResult ReadEngText(std::string_view text, const std::string& file) {
    if (text.size() > MaxMotorFileBytes)
        return Fault(file, 0, "the file is larger than a motor file can be");
    if (text.starts_with("\xEF\xBB\xBF")) // a UTF-8 byte order mark
        text.remove_prefix(3);
    MotorFileResult result;
    std::optional<Motor> current;
    int currentHeaderLine = 0;
    int lastPointLine = 0;

    // Closes the motor being read; false (with the fault recorded) when it is malformed.
    const auto finish = [&]() -> bool {
        if (!current)
            return true;
        StartAtIgnition(*current, current->propellantMass);
        std::string fault = CheckMotor(*current);
        if (!fault.empty()) {
            const int line = current->curve.size() < 2 ? currentHeaderLine : lastPointLine;
            result.errors.push_back({file, line, current->designation + ": " + fault});
            return false;
        }
        DeriveMassColumn(*current);
        result.motors.push_back(std::move(*current));
        current.reset();
        return true;
    };

    int lineNumber = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t end = text.find('\n', position);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(position, end - position);
        position = end + 1;
        ++lineNumber;
        if (line.find('\0') != std::string_view::npos)
            return Fault(file, lineNumber, "the line holds binary data, not text");
        if (const std::size_t comment = line.find(';'); comment != std::string_view::npos)
            line = line.substr(0, comment);
        const auto tokens = Tokens(line);
        if (tokens.empty())
            continue;

        const bool point = tokens.size() == 2 && Number(tokens[0]) && Number(tokens[1]);
        if (point && current) {
            const double time = *Number(tokens[0]);
            const double thrust = *Number(tokens[1]);
            if (time < 0 || thrust < 0)
                return Fault(file, lineNumber, "time and thrust may not be negative");
            if (!current->curve.empty() && time < current->curve.back().time)
                return Fault(file, lineNumber, "time goes backwards");
            if (current->curve.size() >= MaxCurvePoints)
                return Fault(file, lineNumber, "the thrust curve has too many points");
            current->curve.push_back({time, thrust, -1});
            lastPointLine = lineNumber;
            continue;
        }
        if (point)
            return Fault(file, lineNumber, "a motor header is expected before the points");
        if (tokens.size() == 2 || (current && current->curve.empty()))
            return Fault(file, lineNumber,
                         current && current->curve.empty()
                             ? "the motor header is followed by no thrust points"
                             : "expected a time and a thrust, found \"" + Printable(line) + "\"");

        // A header line.
        if (!finish())
            return MotorFileResult{{}, std::move(result.errors)};
        if (result.motors.size() >= MaxMotorsPerFile)
            return Fault(file, lineNumber, "the file holds too many motors");
        if (tokens.size() < 7)
            return Fault(file, lineNumber,
                         "the motor header has " + std::to_string(tokens.size()) +
                             " fields; seven are expected (designation, diameter, length, "
                             "delays, propellant mass, loaded mass, maker)");
        Motor motor;
        motor.file = file;
        const auto diameter = Number(tokens[1]);
        const auto length = Number(tokens[2]);
        const auto propellant = Number(tokens[4]);
        const auto loaded = Number(tokens[5]);
        if (!diameter || !length || !propellant || !loaded)
            return Fault(file, lineNumber, "the diameter, length and masses must be numbers");
        if (!ParseDelays(tokens[3], motor.delays))
            return Fault(file, lineNumber,
                         "the delays \"" + Printable(tokens[3]) + "\" are not like 3-5-7, 0 or P");
        motor.diameter = *diameter;
        motor.length = *length;
        motor.propellantMass = Grams(*propellant);
        motor.loadedMass = Grams(*loaded);
        std::string maker(tokens[6]);
        for (std::size_t i = 7; i < tokens.size(); ++i)
            maker += " " + std::string(tokens[i]);
        motor.maker = MakerName(maker);
        motor.designation = DesignationWithoutDelay(std::string(tokens[0]), motor.delays);
        current = std::move(motor);
        currentHeaderLine = lineNumber;
    }
    if (!finish())
        return MotorFileResult{{}, std::move(result.errors)};
    if (result.motors.empty())
        return Fault(file, std::max(1, lineNumber), "the file holds no motor");
    return result;
}

namespace {

// Line numbers of offsets into a text, from the positions of its line ends found once,
// so that naming the line of every row of a large file stays linear.
class LineIndex {
public:
    explicit LineIndex(std::string_view text) {
        for (std::size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1))
            ends_.push_back(i);
    }
    int lineAt(std::ptrdiff_t offset) const {
        if (offset < 0)
            return 1;
        const auto before = std::lower_bound(ends_.begin(), ends_.end(),
                                             static_cast<std::size_t>(offset));
        return 1 + static_cast<int>(before - ends_.begin());
    }

private:
    std::vector<std::size_t> ends_;
};

std::optional<double> Attribute(const pugi::xml_node& node, const char* name) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        return std::nullopt;
    return Number(attribute.value());
}

} // namespace

MotorFileResult ReadRseText(std::string_view text, const std::string& file) {
    if (text.size() > MaxMotorFileBytes)
        return Fault(file, 0, "the file is larger than a motor file can be");
    const LineIndex lines(text);
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
        return Fault(file, lines.lineAt(parsed.offset),
                     std::string("the XML is malformed: ") + parsed.description());

    MotorFileResult result;
    const auto engines = document.select_nodes("//engine");
    if (engines.empty())
        return Fault(file, 1, "the file holds no <engine> element");
    for (const pugi::xpath_node& found : engines) {
        const pugi::xml_node engine = found.node();
        const int line = lines.lineAt(engine.offset_debug());
        if (result.motors.size() >= MaxMotorsPerFile)
            return Fault(file, line, "the file holds too many motors");
        Motor motor;
        motor.file = file;
        motor.maker = MakerName(engine.attribute("mfg").value());
        const auto diameter = Attribute(engine, "dia");
        const auto length = Attribute(engine, "len");
        const auto loaded = Attribute(engine, "initWt");
        const auto propellant = Attribute(engine, "propWt");
        if (std::string_view(engine.attribute("code").value()).empty())
            return Fault(file, line, "the engine has no code (designation)");
        if (!diameter || !length || !loaded || !propellant)
            return Fault(file, line, "the engine's dia, len, initWt and propWt must be numbers");
        if (!ParseDelays(engine.attribute("delays").value(), motor.delays))
            return Fault(file, line, "the delays are not like 3,5,7 or P");
        motor.diameter = *diameter;
        motor.length = *length;
        motor.loadedMass = *loaded;
        motor.propellantMass = *propellant;
        motor.designation = DesignationWithoutDelay(engine.attribute("code").value(), motor.delays);

        bool everyMass = true;
        int lastLine = line;
        for (const pugi::xml_node row : engine.child("data").children("eng-data")) {
            lastLine = lines.lineAt(row.offset_debug());
            const auto time = Attribute(row, "t");
            const auto thrust = Attribute(row, "f");
            const auto mass = Attribute(row, "m");
            if (!time || !thrust)
                return Fault(file, lastLine, "the row's t and f must be numbers");
            if (*time < 0 || *thrust < 0 || (mass && *mass < 0))
                return Fault(file, lastLine, "time, thrust and mass may not be negative");
            if (!motor.curve.empty() && *time < motor.curve.back().time)
                return Fault(file, lastLine, "time goes backwards");
            if (motor.curve.size() >= MaxCurvePoints)
                return Fault(file, lastLine, "the thrust curve has too many points");
            everyMass = everyMass && mass.has_value();
            motor.curve.push_back({*time, *thrust, mass ? *mass : -1});
        }
        if (!everyMass)
            for (ThrustSample& sample : motor.curve)
                sample.mass = -1;
        StartAtIgnition(motor, everyMass ? motor.propellantMass : -1);
        if (std::string fault = CheckMotor(motor); !fault.empty())
            return Fault(file, lastLine, motor.designation + ": " + fault);
        DeriveMassColumn(motor);
        result.motors.push_back(std::move(motor));
    }
    return result;
}

MotorFileResult ReadMotorText(std::string_view text, const std::string& file) {
    const std::size_t first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first != std::string_view::npos && text[first] == '<')
        return ReadRseText(text, file);
    return ReadEngText(text, file);
}

MotorFileResult ReadMotorFile(const std::filesystem::path& path) {
    const std::string name = path.string();
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return Fault(name, 0, "cannot be read: " + error.message());
    if (size > MaxMotorFileBytes)
        return Fault(name, 0,
                     "is " + std::to_string(size) + " bytes, larger than a motor file can be (" +
                         std::to_string(MaxMotorFileBytes) + ")");
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in.read(text.data(), static_cast<std::streamsize>(size)))
        return Fault(name, 0, "cannot be read");
    return ReadMotorText(text, name);
}

} // namespace vantor

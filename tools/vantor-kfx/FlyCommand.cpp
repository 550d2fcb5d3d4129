#include "FlyCommand.h"

#include "Commands.h"
#include "ImportCommand.h"
#include "Output.h"
#include "analysis/Stability.h"
#include "designfile/DesignFile.h"
#include "flight/DesignFlight.h"
#include "flight/Figures.h"
#include "flight/FlightSetup.h"
#include "flight/MotorChoice.h"
#include "model/Design.h"
#include "model/NumberFormat.h"
#include "model/Placing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace vantor::kfx {

namespace {

std::string Number(double value, int decimals) {
    return DataNumber(value, decimals);
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

struct Flown {
    std::vector<std::string> captions;
    std::vector<std::string> files;
};

std::string Joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : " + ") + p;
    return out;
}

bool ParseValue(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && std::isfinite(value);
}

} // namespace

bool ParseFlyOptions(const std::vector<std::string>& args, FlyOptions& options,
                     std::string& error) {
    std::vector<std::string> positional;
    struct Numeric {
        const char* flag;
        double low, high;
        std::function<void(double)> set;
    };
    const std::vector<Numeric> numbers{
        {"--rod-length", 0, 100,
         [&](double v) {
             options.rodLength = v;
         }},
        {"--rod-angle", -45, 45,
         [&](double v) {
             options.rodAngle = v;
         }},
        {"--wind", -200, 200,
         [&](double v) {
             options.wind = v;
         }},
        {"--altitude", -500, 10000,
         [&](double v) {
             options.altitude = v;
         }},
        {"--temperature", -80, 60,
         [&](double v) {
             options.temperature = v;
         }},
        {"--cd", 0.01, 10,
         [&](double v) {
             options.cd = v;
         }},
        {"--delay", 0, 60,
         [&](double v) {
             options.delay = v;
         }},
        {"--parachute", 0.01, 20,
         [&](double v) {
             options.parachute = v;
         }},
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (TakeMotorsOption(args, i, options.folders, error)) {
            if (!error.empty())
                return false;
            continue;
        }
        if (arg == "--json") {
            options.json = true;
            continue;
        }
        if (arg == "--motor" || arg == "--motor-file" || arg == "--csv") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                error = arg + " takes a value";
                return false;
            }
            (arg == "--motor"        ? options.motor
             : arg == "--motor-file" ? options.motorFile
                                     : options.csv) = args[++i];
            continue;
        }
        const auto number = std::find_if(numbers.begin(), numbers.end(),
                                         [&](const Numeric& n) { return arg == n.flag; });
        if (number != numbers.end()) {
            double value = 0;
            if (i + 1 >= args.size() || !ParseValue(args[i + 1], value) || value < number->low ||
                value > number->high) {
                error = arg + " takes a number from " + Number(number->low, 0) + " to " +
                        Number(number->high, 0);
                return false;
            }
            number->set(value);
            ++i;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            error = "fly does not know " + arg;
            return false;
        }
        positional.push_back(arg);
    }
    if (positional.size() != 1) {
        error = "fly takes one design file";
        return false;
    }
    if (!options.motor.empty() && !options.motorFile.empty()) {
        error = "--motor and --motor-file exclude each other";
        return false;
    }
    if (options.delay && options.motorFile.empty()) {
        error = "--delay goes with --motor-file; a motor name carries its delay";
        return false;
    }
    options.file = positional[0];
    return true;
}

int RunFly(const FlyOptions& options, std::ostream& out, std::ostream& err) {
    // A design file, or an OpenRocket or RockSim design imported on the way.
    Design design;
    LoadResult loaded;
    if (!LoadAnyDesign(options.file, design, loaded, err, options.folders))
        return FileFailure;
    PlaceDesign(design);
    const StabilityAnalysis analysis = AnalyseStability(design);
    const std::vector<MotorMount> mounts = MotorMounts(design, analysis);

    std::vector<std::optional<ChosenMotor>> chosen(mounts.size());
    Flown flown;
    if (!options.motorFile.empty()) {
        MotorFileResult read = ReadMotorFile(options.motorFile);
        for (const MotorFileError& e : read.errors)
            err << Describe(e) << "\n";
        if (read.motors.empty())
            return FileFailure;
        const Motor& motor = read.motors.front();
        for (auto& c : chosen)
            c = ChosenMotor{motor, options.delay};
        flown.captions.push_back(MotorCaption(motor, options.delay));
        flown.files.push_back(options.motorFile);
    } else if (!options.motor.empty() || !mounts.empty()) {
        const MotorLibrary library = LoadMotorsFor(options.folders, err);
        const auto fly = [&](const std::string& text, std::optional<ChosenMotor>& slot) -> bool {
            std::optional<MotorByName> named = MotorNamed(library, text);
            if (!named)
                return false;
            slot = named->chosen;
            flown.captions.push_back(named->caption);
            flown.files.push_back(named->file);
            if (!named->note.empty())
                err << "warning: " << named->note << "\n";
            return true;
        };
        if (!options.motor.empty()) {
            if (!ParseMotorName(options.motor)) {
                err << "vantor-kfx: \"" << options.motor
                    << "\" is not a motor name such as \"Estes C6-5\"\n";
                return UsageError;
            }
            std::optional<ChosenMotor> one;
            if (!fly(options.motor, one)) {
                err << "no motor named \"" << options.motor << "\" in the motor library\n";
                return FileFailure;
            }
            flown.captions.resize(1);
            flown.files.resize(1);
            for (auto& c : chosen)
                c = one;
        } else {
            MountMotors own = MotorsOfMounts(library, mounts);
            for (const std::string& note : own.notes)
                err << "warning: " << note << "\n";
            chosen = std::move(own.chosen);
            flown.captions = std::move(own.captions);
            flown.files = std::move(own.files);
        }
    }
    DragChoice drag;
    drag.fixedCd = options.cd;
    LaunchSettings launch;
    launch.rodLength = options.rodLength;
    launch.rodAngle = options.rodAngle;
    launch.windSpeed = options.wind;
    launch.siteAltitude = options.altitude;
    launch.siteTemperature = options.temperature;
    RecoverySettings recovery;
    if (options.parachute) {
        recovery.kind = RecoverySettings::Kind::Parachute;
        recovery.diameter = *options.parachute;
    }
    const DesignFlightRun run = FlyDesign(design, analysis, chosen, drag, launch, recovery);
    if (!run.error.empty()) {
        err << run.error << "\n";
        return FileFailure;
    }
    const DesignFlight& flight = run.flight;
    const FlightResult& result = run.result;
    const FlightAnswers& a = run.answers;

    if (!options.csv.empty()) {
        const std::string text = TrajectoryCsv(result);
        if (!WriteOutputFile(options.csv,
                             {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()},
                             err))
            return FileFailure;
    }

    // Numbers of a flight that did not complete are not shown as if they were answers;
    // a figure beyond any rocket's is left out with the reason.
    namespace limit = figure_limit;
    const bool ok = a.valid;
    std::vector<std::string> errors;
    const auto figure = [&](const char* name, const std::optional<double>& v, int decimals,
                            double bound, bool flown, bool positive = false) -> std::string {
        if (!v || (flown && !ok))
            return options.json ? "null" : "-";
        if (const auto fault = FigureFault(name, *v, bound, positive)) {
            errors.push_back(*fault);
            return options.json ? "null" : "-";
        }
        return Number(*v, decimals);
    };
    const std::optional<double> cp =
        flight.context.cp ? std::optional<double>(*flight.context.cp * 1000) : std::nullopt;
    const std::optional<double> cg =
        a.cgAtLiftoff ? std::optional<double>(*a.cgAtLiftoff * 1000) : std::nullopt;
    struct Row {
        const char* key;
        std::string value;
    };
    const std::vector<Row> rows{
        {"motor", Quoted(Joined(flown.captions))},
        {"motor_file", Quoted(Joined(flown.files))},
        {"launch_mass_g",
         figure("launch mass", a.launchMass * 1000, 2, limit::MassGrams, false, true)},
        {"cg_mm", figure("centre of gravity", cg, 2, limit::LengthMm, false)},
        {"cp_mm", figure("centre of pressure", cp, 2, limit::LengthMm, false)},
        {"stability_calibers",
         figure("stability margin", a.liftoffCalibers, 3, limit::Calibers, false)},
        {"rod_clearance_calibers",
         figure("margin at rod clearance", a.rodClearanceCalibers, 3, limit::Calibers, false)},
        {"thrust_to_weight", figure("thrust to weight", a.thrustToWeight, 2, limit::Ratio, false)},
        {"rod_exit_velocity_m_s",
         figure("rod exit velocity", a.rodExitVelocity, 3, limit::Speed, true)},
        {"max_velocity_m_s", figure("largest velocity", a.maxVelocity, 3, limit::Speed, true)},
        {"max_mach", figure("largest Mach number", a.maxMach, 4, limit::Mach, true)},
        {"max_acceleration_m_s2",
         figure("largest acceleration", a.maxAcceleration, 3, limit::Acceleration, true)},
        {"apogee_m", figure("apogee", a.apogee, 3, limit::Distance, true)},
        {"time_to_apogee_s", figure("time to apogee", a.timeToApogee, 4, limit::Time, true)},
        {"burnout_time_s", figure("burnout time", a.burnoutTime, 4, limit::Time, true)},
        {"burnout_altitude_m",
         figure("burnout altitude", a.burnoutAltitude, 3, limit::Distance, true)},
        {"burnout_velocity_m_s",
         figure("burnout velocity", a.burnoutVelocity, 3, limit::Speed, true)},
        {"optimum_delay_s", figure("optimum delay", a.optimumDelay, 3, limit::Time, true)},
        {"delay_s", figure("delay", a.chosenDelay, 2, limit::Time, false)},
        {"ejection_altitude_m",
         figure("ejection altitude", a.ejectionAltitude, 3, limit::Distance, true)},
        {"ejection_velocity_m_s",
         figure("ejection velocity", a.ejectionVelocity, 3, limit::Speed, true)},
        {"cd_at_max_velocity",
         figure("drag coefficient", a.cdAtMaxVelocity, 4, limit::Ratio, true)},
        {"landing_velocity_m_s",
         figure("landing velocity", a.landingVelocity, 3, limit::Speed, true)},
        {"flight_time_s", figure("flight time", a.flightTime, 3, limit::Time, true)},
        {"drift_m", figure("drift", a.drift, 2, limit::Distance, true)},
    };
    if (options.json) {
        out << "{\n";
        for (const Row& row : rows)
            out << "  \"" << row.key << "\": " << row.value << ",\n";
        out << "  \"warnings\": [";
        for (std::size_t i = 0; i < a.warnings.size(); ++i)
            out << (i ? ", " : "") << Quoted(a.warnings[i]);
        out << "],\n  \"errors\": [";
        for (std::size_t i = 0; i < errors.size(); ++i)
            out << (i ? ", " : "") << Quoted(errors[i]);
        out << "],\n  \"message\": " << (a.message.empty() ? "null" : Quoted(a.message)) << "\n}\n";
    } else {
        for (const Row& row : rows)
            out << row.key << '\t' << row.value << '\n';
        for (const std::string& w : a.warnings)
            out << "warning\t" << w << '\n';
    }
    for (const std::string& e : errors)
        err << e << "\n";
    out.flush();
    if (!ok) {
        err << (a.message.empty() ? "the flight could not be completed" : a.message) << "\n";
        return SummaryFailure;
    }
    return Success;
}

} // namespace vantor::kfx

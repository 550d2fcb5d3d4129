#include "flight/FlightSetup.h"

#include "aero/Drag.h"
#include "flight/MotorChoice.h"
#include "model/NumberFormat.h"

#include <cmath>
#include <sstream>

namespace vantor {

std::optional<MotorByName> MotorNamed(const MotorLibrary& library, const std::string& caption) {
    const std::optional<MotorName> name = ParseMotorName(caption);
    if (!name)
        return std::nullopt;
    const MotorPick pick = PickMotor(library, *name);
    if (!pick.motor)
        return std::nullopt;
    MotorByName named;
    named.chosen = ChosenMotor{*pick.motor, pick.delay};
    named.caption = MotorCaption(*pick.motor, pick.delay);
    named.file = pick.motor->file;
    if (name->delay && !pick.delayListed)
        named.note = "no curve of " + caption + " lists that delay; flown with it anyway";
    return named;
}

MountMotors MotorsOfMounts(const MotorLibrary& library, const std::vector<MotorMount>& mounts) {
    MountMotors motors;
    motors.chosen.resize(mounts.size());
    for (std::size_t i = 0; i < mounts.size(); ++i) {
        std::optional<MotorByName> named = MotorNamed(library, mounts[i].caption);
        if (!named)
            continue;
        motors.chosen[i] = std::move(named->chosen);
        motors.captions.push_back(std::move(named->caption));
        motors.files.push_back(std::move(named->file));
        if (!named->note.empty())
            motors.notes.push_back(std::move(named->note));
    }
    return motors;
}

DesignFlightRun FlyDesign(const Design& design, const StabilityAnalysis& analysis,
                          const std::vector<std::optional<ChosenMotor>>& chosen,
                          const DragChoice& drag, const LaunchSettings& launch,
                          const RecoverySettings& recovery) {
    DesignFlightRun run;
    const DragConditions conditions = SiteDragConditions(launch);
    run.flight = BuildDesignFlight(design, analysis, chosen, drag,
                                   DragCurve(EstimateDrag(design, analysis, conditions)));
    if (!run.flight.error.empty()) {
        run.error = run.flight.error;
        return run;
    }
    FlightInputs& in = run.flight.inputs;
    in.launch = launch;
    in.recovery = recovery;
    run.result = Simulate(in);
    run.answers = Answer(in, run.result, run.flight.context);
    return run;
}

std::string TrajectoryCsv(const FlightResult& result) {
    std::ostringstream csv;
    csv << "time_s,x_m,altitude_m,vx_m_s,vz_m_s,acceleration_m_s2,thrust_n,mass_g,mach,cd,angle_of_"
           "attack_deg\n";
    for (const FlightSample& s : result.samples)
        csv << DataNumber(s.time, 5) << ',' << DataNumber(s.x, 4) << ','
            << DataNumber(s.altitude, 4) << ',' << DataNumber(s.vx, 4) << ',' << DataNumber(s.vz, 4)
            << ',' << DataNumber(s.acceleration, 4) << ',' << DataNumber(s.thrust, 4) << ','
            << DataNumber(s.mass * 1000, 4) << ',' << DataNumber(s.mach, 5) << ','
            << DataNumber(s.cd, 5) << ','
            << DataNumber(s.angleOfAttack * 180 / 3.141592653589793, 3) << '\n';
    return csv.str();
}

} // namespace vantor

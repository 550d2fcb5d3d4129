#pragma once

#include "exchange/ImportNotes.h"

#include <optional>
#include <string>
#include <vector>

namespace vantor {

// A rocket read from another program's design file, in this program's units
// (millimetres from the nose tip, grams), before it is mapped onto components.
// Readers fill it; MapImportedRocket turns it into a design.

enum class ImportedNoseShape {
    Conical,
    Ogive,
    Parabolic,
    Ellipsoid,
    Power,
    ParabolicSeries,
    Haack
};

enum class ImportedKind {
    Nose,
    BodyTube,
    Transition,
    FinSet,
    Motor,   // one motor of the default configuration, in a motor mount
    MassOnly // a part drawn as a weight at its centre of gravity
};

struct ImportedPart {
    ImportedKind kind = ImportedKind::MassOnly;
    std::string name;       // as the source names it
    std::string sourceKind; // the source's element name, e.g. "parachute"
    // For fin sets, motors and weights: the index of the outer part (nose, tube or
    // transition) it sits in or on; -1 for outer parts themselves.
    int host = -1;
    double front = 0;                         // mm from the nose tip
    double length = 0;                        // mm
    double foreDiameter = 0, aftDiameter = 0; // outer, mm
    double thickness = 0;                     // wall, mm
    double density = 0;                       // g/mm3, 0 when unknown
    std::string material;
    double mass = 0; // g
    double cg = 0;   // mm from the nose tip
    // Nose cones.
    ImportedNoseShape shape = ImportedNoseShape::Conical;
    double shapeParameter = 0;
    // Fin sets, already a trapezoid: root chord, sweep of the tip's leading edge, tip
    // chord, span.
    int finCount = 0;
    double rootChord = 0, sweep = 0, tipChord = 0, span = 0;
    double cant = 0; // degrees
    // Motors.
    std::string maker, designation;
    std::optional<double> delay; // s; empty for a plugged motor
    // A motor whose length the file does not give has length 0 and `front` at its aft end.
    // Why the part is only approximated, empty when it is carried over as it is.
    std::vector<ImportFinding> notes;
};

// The first data point of a stored simulation with the figures the checks compare.
struct StoredFlightPoint {
    std::string simulation;
    std::string configuration; // the motor configuration it flew, as the file names it
    double mass = 0;           // g
    double cg = 0;             // mm from the nose tip
    std::optional<double> cp;  // mm, the first point where the source gives it
    // The source's CP where the angle of attack is smallest at low speed (below Mach 0.3):
    // the figure the standard zero-angle method stands for. Leaving the rod in a wind, the
    // first points fly at a few degrees, where body lift moves the source's CP forward.
    std::optional<double> cpLevel; // mm
    double cpLevelAngle = 0;       // rad, the angle of attack there
    double motorMass = 0;          // g
};

struct ImportedRocket {
    std::string name;
    std::string format; // "OpenRocket 1.10", "RockSim 4", ...
    std::vector<ImportedPart>
        parts; // outer parts in order from the nose, each followed by what it holds
    std::vector<ImportNote> notes;
    int stageCount = 1;
    std::vector<StoredFlightPoint> flights; // of the imported motor configuration first
    std::string configuration;              // the motor configuration imported
};

} // namespace vantor

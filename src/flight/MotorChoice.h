#pragma once

#include "motors/MotorLibrary.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// A motor as a user names it: "Estes C6-5", "AeroTech G80T-7", "AT G80-10", "Estes C6-P"
// (plugged), or without a delay, "Estes C6".
struct MotorName {
    std::string maker;
    std::string designation;
    std::optional<double> delay;
    bool plugged = false;
};

// Splits a name into maker, designation and delay; empty when the text is not of that form.
std::optional<MotorName> ParseMotorName(std::string_view text);

// The curve a name flies, and the other curves that carry the same name.
struct MotorPick {
    const Motor* motor = nullptr;
    std::optional<double> delay; // the delay flown; none for a plugged motor or none named
    bool delayListed = false;    // the chosen file lists the delay asked for
    std::vector<const Motor*> sameName; // every matching curve, the chosen one first
};

// Which curve a name means, when several published files carry it:
//  1. the maker matches by its full name or its usual abbreviation ("AT", "E"), and the
//     designation matches exactly, or without its propellant letters ("G80" finds "G80T"),
//     or with letters that end the file's ("G80T" finds "G80NBT");
//  2. among those, preferred in turn: a file that lists the delay asked for (or, for a
//     plugged motor, one that is plugged); a file whose header writes the maker's full
//     name; the designation exactly as asked; a RASP file before a RockSim file; and
//     finally the file name in byte order, so the choice never depends on folder order.
// An empty pick when nothing matches.
MotorPick PickMotor(const MotorLibrary& library, const MotorName& name);

// Whether the header of the motor's file writes the maker's full name rather than an
// abbreviation; false where the file cannot be read.
bool HeaderNamesMakerInFull(const Motor& motor);

// The designation without the propellant letters that follow its class and thrust:
// "G80T" gives "G80", "H999N" gives "H999", "1/2A3T" gives "1/2A3".
std::string BaseDesignation(std::string_view designation);

} // namespace vantor

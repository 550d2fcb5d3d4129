#pragma once

#include "motors/Motor.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// A fault found in a motor file: the file, the line (1 for the first; 0 where the fault
// concerns the file as a whole, such as its size) and what is wrong.
struct MotorFileError {
    std::string file;
    int line = 0;
    std::string message;
};

// "file:line: message", or "file: message" for a fault of the whole file.
std::string Describe(const MotorFileError& error);

// What one file gave: its motors, or, when the file is malformed, no motor and the
// fault that made the reader skip it.
struct MotorFileResult {
    std::vector<Motor> motors;
    std::vector<MotorFileError> errors;
};

// Limits that keep a damaged or hostile file from taking the program's memory or time.
// The largest published curves hold a few thousand points in well under a megabyte.
inline constexpr std::size_t MaxMotorFileBytes = 4u << 20;
inline constexpr std::size_t MaxCurvePoints = 10000;
inline constexpr std::size_t MaxMotorsPerFile = 500;

// RASP text: comment lines start with ';'; each motor is a header line of seven fields
// (designation, diameter mm, length mm, delays such as "3-5-7", "0" or "P", propellant
// mass kg, loaded mass kg, maker) followed by time/thrust pairs that end at zero thrust.
MotorFileResult ReadEngText(std::string_view text, const std::string& file);
// RockSim XML: <engine> elements with their sizes and masses in mm and g, and their
// <eng-data t= f= m=> rows.
MotorFileResult ReadRseText(std::string_view text, const std::string& file);
// Either format: XML when the text starts with '<' (after blanks), RASP otherwise.
MotorFileResult ReadMotorText(std::string_view text, const std::string& file);
// Reads a file from disk, refusing one larger than MaxMotorFileBytes before reading it.
MotorFileResult ReadMotorFile(const std::filesystem::path& path);

// Whether the name ends in .eng or .rse, in any case.
bool IsMotorFileName(const std::filesystem::path& path);

// The maker's full name for the abbreviations RASP files use ("E" for Estes, "AT" for
// AeroTech); any other name as it is written.
std::string MakerName(std::string_view written);

} // namespace vantor

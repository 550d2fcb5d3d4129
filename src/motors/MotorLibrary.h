#pragma once

#include "motors/Motor.h"
#include "motors/MotorFigures.h"
#include "motors/MotorFiles.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Every motor found in a list of folders, in the order of the folders and, within each,
// of the file names, with the figures derived once and the faults of the files skipped.
struct MotorLibrary {
    std::vector<Motor> motors;
    std::vector<MotorFigures> figures; // one per motor
    std::vector<MotorFileError> errors;
};

// Files searched per folder at most, and how deep into subfolders.
inline constexpr std::size_t MaxMotorFilesPerFolder = 20000;
inline constexpr int MaxMotorFolderDepth = 4;

// Reads the .eng and .rse files of the folders and their subfolders. A folder that does
// not exist is passed over without a fault, as the user's folder may not be made yet.
MotorLibrary LoadMotorLibrary(const std::vector<std::filesystem::path>& folders);
// Adds the motors of one file's result.
void AddMotors(MotorLibrary& library, MotorFileResult&& result);

// "Estes C6-5": the maker, the designation and the delay; "-P" for a plugged motor.
std::string MotorCaption(const Motor& motor, std::optional<double> delay);
// The delay as a caption writes it: "5", "4.5".
std::string DelayText(double delay);

// The motor a caption names and the delay it names (none for a plugged motor), or no
// motor: a caption that names no known motor means no motor is chosen.
struct NamedMotor {
    const Motor* motor = nullptr;
    std::optional<double> delay;
};
NamedMotor FindMotorByCaption(const MotorLibrary& library, std::string_view caption);

// Lower-case text of each motor that a search looks in: maker, designation, class and
// the file's name. Built once for a library, so a search only compares.
class MotorSearch {
public:
    explicit MotorSearch(const MotorLibrary& library);
    // Indices of the motors that hold every word of `text` (in any case) and, when
    // `maxDiameter` is given, are no wider than it.
    std::vector<std::size_t> find(std::string_view text,
                                  std::optional<double> maxDiameter = std::nullopt) const;

private:
    const MotorLibrary& library_;
    std::vector<std::string> haystacks_;
};

} // namespace vantor

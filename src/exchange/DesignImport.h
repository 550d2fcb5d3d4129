#pragma once

#include "exchange/ImportedRocket.h"
#include "motors/Motor.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantor {

class Design;

// Finds a motor's data by maker and designation as a design file names them ("AeroTech",
// "G80T"); empty when it is not known.
using MotorLookup =
    std::function<std::optional<Motor>(const std::string& maker, const std::string& designation)>;

// One entry of the import report: a part of the source that the design holds only
// approximately, or not at all, what was done and the mass it carried.
using ImportReportEntry = ImportNote;

struct ImportReport {
    std::string source; // the file's name
    std::string format;
    std::string rocketName;
    std::vector<ImportReportEntry> entries;
    std::vector<StoredFlightPoint>
        flights; // the source's stored figures, default configuration first
    int stageCount = 1;
    std::string configuration; // the motor configuration imported
};

struct ImportResult {
    bool ok = false;
    // For a failed import: the file name and, on the next line, the cause.
    std::string message;
    std::string reason;
    ImportReport report;
};

enum class ForeignFormat { None, OpenRocket, RockSim };

struct ImportOptions {
    // The motor configuration whose motors are put in (an id the file gives); the file's
    // default when empty.
    std::string motorConfiguration;
};

// Finds motors in a motor library: the maker's motor of the same designation, else the
// one whose designation without its propellant letters is the same ("G80" for "G80T").
// The library must outlive the lookup.
struct MotorLibrary;
MotorLookup LookupInLibrary(const MotorLibrary& library);

// The format a file name stands for, by its extension (.ork, .rkt; any case).
ForeignFormat ForeignFormatOf(const std::filesystem::path& path);

// The most parts an imported rocket may have.
inline constexpr std::size_t MaxImportedParts = 2000;

// The largest design file read.
inline constexpr std::uintmax_t MaxForeignFileBytes = 64u << 20;

// Reads a design of another program from its bytes and builds it in `design` (emptied
// first). A file that cannot be read leaves the design empty and says why.
ImportResult ImportForeignBytes(std::span<const std::uint8_t> bytes, ForeignFormat format,
                                Design& design, const MotorLookup& motors,
                                const ImportOptions& options = {});
// Reads the file and imports it; the message names the file.
ImportResult ImportForeignDesign(const std::filesystem::path& path, Design& design,
                                 const MotorLookup& motors, const ImportOptions& options = {});

// Builds the design from a rocket read from a file, adding to `report` what was
// approximated or left out.
void MapImportedRocket(const ImportedRocket& rocket, Design& design, const MotorLookup& motors,
                       ImportReport& report);

// The caption of a motor component: "Estes C6-5", "AeroTech G80T-10", "Cesaroni J350-P"
// for a plugged motor.
std::string MotorCaption(const std::string& maker, const std::string& designation,
                         std::optional<double> delay);

// The report as lines of text in the language of `texts`: one per entry,
// "left out: part: what (mass g)", left-out parts first.
std::vector<std::string> ImportReportLines(const ImportReport& report,
                                           const ImportReportTexts& texts = EnglishImportTexts());

} // namespace vantor

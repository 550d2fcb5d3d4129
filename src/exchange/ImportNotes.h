#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace vantor {

// What an import did with a part of the source that the design does not hold as the source
// has it. The report keeps these as values; each language gives every one its own text
// template (ImportReportTexts), filled with the note's arguments as %1, %2, ...
enum class ImportEvent {
    // Left out: the part is not in the design.
    PartOutsideBody,
    SideBoostersAndPods,
    Pods,
    RingTail,
    BodyPartInsidePart,
    UnknownElement,
    LowerStage,
    SecondNose,
    BodyPartAheadOfNose,
    FinSetOnNoBody,
    MotorOutsideBody,
    PartAheadOfNose,
    MotorWithoutMount, // %1 the mount the file names
    // Approximated: the design holds it in another form.
    ShoulderInNose,
    BaseExtensionAsTube,
    TubeFinsAsWeight,
    EllipticalFins,
    FreeFormFins,
    CantIgnored,        // RockSim: the angle is not named
    CantOfIgnored,      // %1 the cant in degrees
    OverrideMassShared, // an override mass of a whole assembly
    OverrideMassSharedAmong,
    OverrideCgNotDrawable,
    StageOverrideCgNotDrawable,
    NoseWeightShared, // %1 the weight's mass (g), %2 its place (mm from the tip)
    NoseShapeNearest, // %1 the source's shape, %2 the nose drawn
    TransitionEqualDiameters,
    TransitionShapeAsCone, // %1 the source's shape
    GapClosed,             // %1 the gap (mm)
    FinCountChanged,       // %1 the source's fins, %2 those drawn
    MotorDataSubstituted,  // %1 the motor whose data is used, %2 its loaded mass (g)
    MotorDataNotFound,
    DrawnAsWeight,
    MountWithoutMotor,
    MotorPutInMount, // %1 the mount the file names, %2 the mount it is put in
};
inline constexpr std::size_t ImportEventCount =
    static_cast<std::size_t>(ImportEvent::MotorPutInMount) + 1;

// Whether the event leaves the part out of the design (otherwise it is approximated).
bool LeavesOut(ImportEvent event);

// Words of the reports that name a shape.
enum class ImportWord {
    Conical,
    Ogive,
    Parabolic,
    Elliptical,
    PowerSeries,
    ParabolicSeries,
    Haack
};
inline constexpr std::size_t ImportWordCount = static_cast<std::size_t>(ImportWord::Haack) + 1;

// One argument of a note: a text taken as it is (a name), a number written with the
// language's decimal point, or a word of the language.
struct ImportArg {
    enum class Kind { Text, Number, Word };
    Kind kind = Kind::Text;
    std::string text;
    double number = 0;
    int decimals = 0;
    ImportWord word = ImportWord::Conical;

    static ImportArg Text(std::string value) { return {Kind::Text, std::move(value), 0, 0, {}}; }
    static ImportArg Number(double value, int decimals) {
        return {Kind::Number, {}, value, decimals, {}};
    }
    static ImportArg Word(ImportWord value) { return {Kind::Word, {}, 0, 0, value}; }
};

// An approximation of one part, before the part has its name in the report.
struct ImportFinding {
    ImportEvent event = ImportEvent::DrawnAsWeight;
    std::vector<ImportArg> args;
};

// Something of the source that the design does not hold as the source has it: one entry
// of the import report.
struct ImportNote {
    std::string part; // the part's name in the source
    ImportEvent event = ImportEvent::DrawnAsWeight;
    std::vector<ImportArg> args;
    double mass = 0;      // g the part carried
    bool leftOut = false; // true: not in the design at all; false: approximated
};

// The texts of one language for the report. Templates take %1, %2, ... for arguments.
struct ImportReportTexts {
    std::array<std::string, ImportEventCount> events;
    std::array<std::string, ImportWordCount> words;
    std::string leftOutLine; // %1 the part, %2 what happened
    std::string approximatedLine;
    std::string withMass; // %1 the line, %2 the mass in grams
    std::string decimalPoint = ".";
};

// The English texts: the command-line tool's report and the English library's strings.
const ImportReportTexts& EnglishImportTexts();

// Fills %1..%9 of `pattern` with `values`.
std::string FillTemplate(const std::string& pattern, const std::vector<std::string>& values);

// What happened to the part, in the language of `texts`.
std::string ImportNoteWhat(const ImportNote& note, const ImportReportTexts& texts);

// One line of the report: "left out: part: what (mass g)" in the language of `texts`.
std::string ImportNoteLine(const ImportNote& note, const ImportReportTexts& texts);

} // namespace vantor

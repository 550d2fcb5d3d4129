#include "ImportCommand.h"

#include "Commands.h"
#include "MotorCommands.h"
#include "analysis/Stability.h"
#include "exchange/DesignImport.h"
#include "model/Design.h"

#include <iomanip>

namespace vantor::kfx {

namespace {

void PrintReport(const ImportReport& report, const Design& design, std::ostream& out) {
    out << "source\t" << report.source << " (" << report.format << ")\n";
    out << "rocket\t" << report.rocketName << "\n";
    const std::vector<std::string> lines = ImportReportLines(report);
    if (lines.empty())
        out << "nothing approximated or left out\n";
    for (const std::string& line : lines)
        out << line << "\n";
    const StabilityAnalysis analysis = AnalyseStability(design);
    out << std::fixed << std::setprecision(1);
    out << "imported\tmass " << analysis.totalWeight << " g";
    if (analysis.cg)
        out << "\tCG " << *analysis.cg << " mm";
    if (analysis.cp)
        out << "\tCP " << *analysis.cp << " mm";
    out << "\n";
    for (const StoredFlightPoint& flight : report.flights) {
        out << "stored\t" << flight.simulation << "\tmass " << flight.mass << " g\tCG " << flight.cg
            << " mm";
        if (flight.cp)
            out << "\tCP " << *flight.cp << " mm";
        if (flight.cpLevel)
            out << "\tCP at least angle of attack " << *flight.cpLevel << " mm";
        out << "\n";
    }
}

} // namespace

bool LoadAnyDesign(const std::string& file, Design& design, LoadResult& result, std::ostream& err,
                   const MotorFolders& folders) {
    if (ForeignFormatOf(file) == ForeignFormat::None) {
        result = LoadDesign(file, design);
        if (!result.ok)
            err << file << "\n" << result.reason << "\n";
        return result.ok;
    }
    // The motors the design names come from the motor library.
    const MotorLibrary library = LoadMotorsFor(folders, err);
    const ImportResult imported = ImportForeignDesign(file, design, LookupInLibrary(library));
    result = LoadResult{};
    result.ok = imported.ok;
    result.reason = imported.reason;
    result.message = imported.message;
    if (!imported.ok)
        err << file << "\n" << imported.reason << "\n";
    return imported.ok;
}

int RunImport(const std::string& input, const std::string& output, bool report,
              const MotorFolders& folders, std::ostream& out, std::ostream& err) {
    if (ForeignFormatOf(input) == ForeignFormat::None) {
        err << input << "\nnot an OpenRocket (.ork) or RockSim (.rkt) design\n";
        return FileFailure;
    }
    Design design;
    const MotorLibrary library = LoadMotorsFor(folders, err);
    const ImportResult imported = ImportForeignDesign(input, design, LookupInLibrary(library));
    if (!imported.ok) {
        err << input << "\n" << imported.reason << "\n";
        return FileFailure;
    }
    const SaveResult saved = SaveDesign(design, output);
    if (!saved.ok) {
        err << output << "\n" << saved.reason << "\n";
        return FileFailure;
    }
    if (report)
        PrintReport(imported.report, design, out);
    return Success;
}

} // namespace vantor::kfx

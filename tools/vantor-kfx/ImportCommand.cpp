#include "ImportCommand.h"

#include "Commands.h"
#include "MotorCommands.h"
#include "analysis/Stability.h"
#include "exchange/DesignImport.h"
#include "flight/Figures.h"
#include "model/Design.h"

#include <iomanip>
#include <sstream>

namespace vantor::kfx {

namespace {

// A figure of the report, or "-" for one beyond any rocket's (a hostile or damaged
// source file), the reason going to `err`.
std::string Figure(const char* name, double value, double limit, std::ostream& err) {
    if (const auto fault = FigureFault(name, value, limit)) {
        err << *fault << "\n";
        return "-";
    }
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << value;
    return text.str();
}

void PrintReport(const ImportReport& report, const Design& design, std::ostream& out,
                 std::ostream& err) {
    namespace limit = figure_limit;
    out << "source\t" << report.source << " (" << report.format << ")\n";
    out << "rocket\t" << report.rocketName << "\n";
    const std::vector<std::string> lines = ImportReportLines(report);
    if (lines.empty())
        out << "nothing approximated or left out\n";
    for (const std::string& line : lines)
        out << line << "\n";
    const StabilityAnalysis analysis = AnalyseStability(design);
    out << "imported\tmass " << Figure("imported mass", analysis.totalWeight, limit::MassGrams, err)
        << " g";
    if (analysis.cg)
        out << "\tCG " << Figure("imported CG", *analysis.cg, limit::LengthMm, err) << " mm";
    if (analysis.cp)
        out << "\tCP " << Figure("imported CP", *analysis.cp, limit::LengthMm, err) << " mm";
    out << "\n";
    for (const StoredFlightPoint& flight : report.flights) {
        out << "stored\t" << flight.simulation << "\tmass "
            << Figure("stored mass", flight.mass, limit::MassGrams, err) << " g\tCG "
            << Figure("stored CG", flight.cg, limit::LengthMm, err) << " mm";
        if (flight.cp)
            out << "\tCP " << Figure("stored CP", *flight.cp, limit::LengthMm, err) << " mm";
        if (flight.cpLevel)
            out << "\tCP at least angle of attack "
                << Figure("stored CP at least angle of attack", *flight.cpLevel, limit::LengthMm,
                          err)
                << " mm";
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
        PrintReport(imported.report, design, out, err);
    return Success;
}

} // namespace vantor::kfx

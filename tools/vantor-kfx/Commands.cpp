#include "Commands.h"

#include "DesignJson.h"
#include "ImportCommand.h"
#include "Output.h"
#include "analysis/Stability.h"
#include "analysis/Summary.h"
#include "canvas/DesignDrawing.h"
#include "canvas/QtDrawingSurface.h"
#include "designfile/DesignFile.h"
#include "mesh/MeshFiles.h"
#include "model/Design.h"
#include "model/Placing.h"
#include "output/BoundsSurface.h"
#include "output/OutputBudget.h"
#include "output/OutputFiles.h"

#include <QBuffer>
#include <QImage>

#include <cmath>
#include <filesystem>

namespace vantor::kfx {

namespace {

// Pictures larger than this are refused rather than allocated.
constexpr double MaxPictureSide = 16384;
constexpr double MaxPicturePixels = 64.0 * 1024 * 1024;
// Space around the drawing, in drawing units.
constexpr double PictureMargin = 10;

bool Load(const std::string& file, Design& design, LoadResult& result, std::ostream& err) {
    return LoadAnyDesign(file, design, result, err);
}

// Loads the file and places every element as a full redraw does.
bool LoadPlaced(const std::string& file, Design& design, std::ostream& err) {
    LoadResult loaded;
    if (!Load(file, design, loaded, err))
        return false;
    PlaceDesign(design);
    return true;
}

// The design's name on its pages: the file name without folder and extension.
QString DesignTitle(const std::string& file) {
    return QString::fromStdString(std::filesystem::path(file).stem().string());
}

int Report(const OutputResult& result, const std::string& output, std::ostream& err) {
    if (result.ok) {
        // Written, with something to know: a template that needed a larger sheet.
        if (!result.note.empty())
            err << output << "\n" << result.note;
        return Success;
    }
    err << output << "\n" << result.reason << "\n";
    return FileFailure;
}

} // namespace

int RunSummary(const std::string& file, std::ostream& out, std::ostream& err) {
    Design design;
    if (!LoadPlaced(file, design, err))
        return FileFailure;
    const Summary summary = ComputeSummary(design, nullptr, '.');
    for (const SummaryRow& row : summary.rows)
        out << row.label << '\t' << row.value << '\n';
    out.flush();
    if (summary.failed) {
        err << SummaryErrorMessage << "\n";
        return SummaryFailure;
    }
    return Success;
}

int RunStability(const std::string& file, double targetCalibers, bool json, std::ostream& out,
                 std::ostream& err) {
    Design design;
    if (!LoadPlaced(file, design, err))
        return FileFailure;
    const StabilityAnalysis analysis = AnalyseStability(design, targetCalibers);
    if (json) {
        WriteStabilityJson(analysis, out);
    } else {
        for (const StabilityRow& row : StabilityRows(analysis, '.', 4))
            out << row.label << '\t' << row.value << '\n';
        if (analysis.finsPlaneOnly)
            out << "Note\tthe margin holds in the plane of the fins only\n";
    }
    out.flush();
    for (const std::string& error : analysis.errors)
        err << error << "\n";
    return Success;
}

int RunDump(const std::string& file, std::ostream& out, std::ostream& err) {
    Design design;
    LoadResult loaded;
    if (!Load(file, design, loaded, err))
        return FileFailure;
    WriteDesignJson(design, loaded.axisValues, out);
    return Success;
}

int RunSave(const std::string& input, const std::string& output, std::ostream& err) {
    Design design;
    if (!LoadPlaced(input, design, err))
        return FileFailure;
    const SaveResult saved = SaveDesign(design, output);
    if (!saved.ok) {
        err << saved.message << "\n" << saved.reason << "\n";
        return FileFailure;
    }
    return Success;
}

int RunRender(const std::string& file, const std::string& png, double scale, std::ostream& err) {
    Design design;
    if (!LoadPlaced(file, design, err))
        return FileFailure;

    const OutputBudget budget = EstimateSideViewDrawing(design);
    if (!budget.ok()) {
        err << file << "\n" << budget.refusal << "\n";
        return FileFailure;
    }
    const Summary summary = ComputeSummary(design, '.');
    const RectF box = MeasureDesignDrawing(design, summary).value_or(RectF{});

    const double width = std::ceil((box.width + 2 * PictureMargin) * scale) + 1;
    const double height = std::ceil((box.height + 2 * PictureMargin) * scale) + 1;
    if (!(width <= MaxPictureSide && height <= MaxPictureSide &&
          width * height <= MaxPicturePixels)) {
        err << file << "\nthe drawing is too large for a picture at scale " << scale << "\n";
        return FileFailure;
    }
    QImage image(static_cast<int>(width), static_cast<int>(height),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        err << file << "\nnot enough memory for the picture\n";
        return FileFailure;
    }
    image.fill(Qt::white);
    {
        QtDrawingSurface surface(image, scale);
        surface.painter().translate(PictureMargin - box.x, PictureMargin - box.y);
        DrawDesign(design, surface);
        DrawSummaryMarkers(surface, summary);
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        err << png << "\ncannot encode the picture\n";
        return FileFailure;
    }
    if (!WriteOutputFile(png,
                         std::span(reinterpret_cast<const std::uint8_t*>(encoded.constData()),
                                   static_cast<std::size_t>(encoded.size())),
                         err))
        return FileFailure;
    if (summary.failed) {
        err << SummaryErrorMessage << "\n";
        return SummaryFailure;
    }
    return Success;
}

int RunMesh(const std::string& file, const std::string& out, const std::string& partsFolder,
            std::ostream& err, const mesh::SolidOptions& options) {
    const std::optional<mesh::MeshFormat> format = mesh::FormatOfPath(out);
    if (!format) {
        err << out << "\nthe model file must end in .stl, .obj or .3mf\n";
        return FileFailure;
    }
    Design design;
    if (!LoadPlaced(file, design, err))
        return FileFailure;
    // Both files' budgets are decided before either is written.
    for (const mesh::Layout layout : {mesh::Layout::Assembly, mesh::Layout::Parts}) {
        if (layout == mesh::Layout::Parts && partsFolder.empty())
            continue;
        const mesh::MeshBudget budget = mesh::EstimateMeshExport(design, layout, *format, options);
        if (!budget.ok()) {
            err << file << "\n" << budget.refusal << "\n";
            return FileFailure;
        }
    }
    mesh::MeshExportResult result = mesh::ExportAssembly(design, out, *format, options);
    if (result.ok && !partsFolder.empty())
        result = mesh::ExportParts(design, partsFolder, std::filesystem::path(out).stem().string(),
                                   *format, options);
    if (!result.ok) {
        err << file << "\n" << result.reason << "\n";
        return FileFailure;
    }
    return Success;
}

int RunPdf(const std::string& file, const std::string& pdf, const std::string& paper,
           bool landscape, std::ostream& err) {
    PageSetup setup;
    setup.landscape = landscape;
    if (!ParsePaper(paper, setup.paper)) {
        err << "unknown paper \"" << paper << "\": A4, Letter or A3\n";
        return UsageError;
    }
    Design design;
    if (!LoadPlaced(file, design, err))
        return FileFailure;
    return Report(WriteDesignPdf(design, DesignTitle(file), setup, pdf), pdf, err);
}

int RunSvg(const std::string& file, const std::string& svg, bool templates, std::ostream& err,
           const TemplateSvgOptions& options) {
    Design design;
    if (!LoadPlaced(file, design, err))
        return FileFailure;
    if (templates)
        return Report(WriteTemplatesSvg(design, DesignTitle(file), svg, options), svg, err);
    return Report(WriteSideViewSvg(design, DesignTitle(file), svg), svg, err);
}

} // namespace vantor::kfx

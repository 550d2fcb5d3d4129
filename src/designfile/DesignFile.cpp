#include "designfile/DesignFile.h"

#include "designfile/DesignRecords.h"
#include "designfile/RecordWriter.h"
#include "designfile/SafeFile.h"
#include "designfile/TreeOrderIndex.h"
#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Registry.h"
#include "model/ShapeKinds.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <unordered_map>

namespace vantor {

namespace {

std::vector<TPoints> ToPoints(const std::vector<PointD>& points) {
    std::vector<TPoints> result;
    result.reserve(points.size());
    for (const PointD& p : points)
        result.push_back(TPoints{p.x, p.y, 0, 0});
    return result;
}

// Builds the design from records that passed every check.
void BuildDesign(const DesignRecords& records, Design& design) {
    // A parent index names the node at that position of the tree as built so far. In a
    // file the program wrote (records in tree order) that is the record at that index;
    // in a hand-made file whose records are in another order it may not be.
    TreeOrderIndex order;
    for (const ElementRecord& record : records.elements) {
        std::unique_ptr<TRocketElement> element = CreateElement(record.className);
        element->Caption = record.caption;
        element->Material = record.material;
        element->Weight = record.weight;
        element->Density = record.density;
        element->Length = record.length;
        element->DiameterA = record.diameterA;
        element->DiameterB = record.diameterB;
        element->Thickness = record.thickness;
        element->Offset = record.offset;
        element->ParentIndex = record.parentIndex;
        element->Selected = false;
        element->Points = ToPoints(record.points);
        if (record.fins) {
            auto& finSet = static_cast<TStatecznik&>(*element);
            finSet.FinA = record.fins->FinA;
            finSet.FinB = record.fins->FinB;
            finSet.FinC = record.fins->FinC;
            finSet.FinD = record.fins->FinD;
            finSet.FinSpare = record.fins->FinSpare;
            finSet.FinCount = record.fins->FinCount;
        }
        // A lone root keeps the stored axis value: it is where the file drew the centre
        // line.
        AxisY = record.axisY;
        TRocketElement* raw = element.get();
        if (record.parentIndex == -1) {
            OriginX = static_cast<float>(raw->Points.front().x);
            order.addRoot(design.addElement(std::move(element), nullptr));
        } else {
            // The parser let through only indices below the record's own, so the node
            // exists: the tree holds one node per record read.
            const auto parentIndex = static_cast<std::size_t>(record.parentIndex);
            order.addChild(parentIndex,
                           design.addElement(std::move(element), order.nodeAt(parentIndex)));
        }
        raw->CG = static_cast<float>(raw->ComputeCG());
        raw->CP = static_cast<float>(raw->ComputeCP());
    }
    for (const DimensionRecord& record : records.dimensions) {
        std::unique_ptr<TShaped> dimension = CreateShape(record.className);
        dimension->Caption = record.caption;
        dimension->Points = ToPoints(record.points);
        design.appendDimension(std::move(dimension));
    }
}

LoadResult Refused(std::string reason) {
    LoadResult result;
    result.message = reason;
    result.reason = std::move(reason);
    return result;
}

// Designs hold a few dozen records; a file this large is no design, and reading on (from
// a device or an endless pipe) would only exhaust the memory.
constexpr std::size_t MaxFileSize = std::size_t{256} << 20;

std::string TooLargeReason() {
    return "the file is larger than " + std::to_string(MaxFileSize >> 20) +
           " MiB, too large for a design";
}

} // namespace

namespace {

// The design's bytes; `finite` tells whether every number in them is finite.
std::vector<std::uint8_t> Encode(const Design& design, bool& finite) {
    const TextFieldCodec codec;
    std::vector<std::uint8_t> bytes;
    RecordWriter out(bytes, codec);
    const std::vector<ElementTree::Node*> nodes = design.tree.nodesInOrder();
    out.writeInt32(static_cast<std::int32_t>(nodes.size()));
    out.writeInt32(static_cast<std::int32_t>(design.Dimensions.size()));

    std::unordered_map<const ElementTree::Node*, std::int32_t> indexOf;
    indexOf.reserve(nodes.size());
    for (const ElementTree::Node* node : nodes) {
        const std::int32_t index = static_cast<std::int32_t>(indexOf.size());
        indexOf.emplace(node, index);
        const std::int32_t parentIndex = node->parent != nullptr ? indexOf.at(node->parent) : -1;
        node->element->SaveElement(out, parentIndex);
    }
    for (const auto& dimension : design.Dimensions)
        dimension->SaveToFile(out);
    finite = !out.wroteNonFinite();
    return bytes;
}

} // namespace

std::vector<std::uint8_t> EncodeDesign(const Design& design) {
    bool finite = true;
    return Encode(design, finite);
}

SaveResult SaveDesign(const Design& design, const std::filesystem::path& path,
                      const SaveOptions& options) {
    SaveResult result;
    FileWriteResult written;
    try {
        bool finite = true;
        std::vector<std::uint8_t> bytes = Encode(design, finite);
        // A file that could not be read back is no save: keep the earlier one.
        if (finite)
            written = ReplaceFileContents(path, bytes, options.failAfterBytes);
        else
            written.reason = "the design holds a number too large to be stored";
    } catch (const std::exception& e) {
        written.reason = e.what();
    }
    result.ok = written.ok;
    if (!result.ok) {
        result.message = path.string();
        result.reason = written.reason;
    }
    return result;
}

LoadResult DecodeDesign(std::span<const std::uint8_t> bytes, Design& design) {
    design.clear();
    const float originX = OriginX;
    const float axisY = AxisY;
    try {
        const TextFieldCodec codec;
        ParsedDesign parsed = ParseDesignRecords(bytes, codec);
        if (!parsed.ok)
            return Refused(std::move(parsed.message));
        BuildDesign(parsed.records, design);
        LoadResult result;
        result.ok = true;
        result.trailingBytes = parsed.records.trailingBytes;
        result.axisValues.reserve(parsed.records.elements.size());
        for (const ElementRecord& record : parsed.records.elements)
            result.axisValues.push_back(record.axisY);
        return result;
    } catch (const std::exception& e) {
        // Out of memory, or no text conversion: nothing of the file is kept.
        design.clear();
        OriginX = originX;
        AxisY = axisY;
        return Refused(std::string("the design cannot be built: ") + e.what());
    }
}

LoadResult LoadDesign(const std::filesystem::path& path, Design& design) {
    FileReadResult read = ReadRegularFile(path, MaxFileSize);
    if (!read.ok) {
        design.clear();
        LoadResult result;
        result.reason = read.tooLarge ? TooLargeReason() : std::move(read.reason);
        result.message = read.tooLarge ? path.string() + "\n" + result.reason : path.string();
        return result;
    }
    LoadResult result = DecodeDesign(read.bytes, design);
    if (!result.ok)
        result.message = path.string() + "\n" + result.reason;
    return result;
}

} // namespace vantor

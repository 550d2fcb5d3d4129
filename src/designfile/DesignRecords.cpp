#include "designfile/DesignRecords.h"

#include "model/ElementTree.h"
#include "model/Kinds.h"
#include "model/Registry.h"
#include "model/ShapeKinds.h"

#include <array>
#include <bit>
#include <cmath>
#include <map>
#include <string_view>

namespace vantor {

namespace {

// Ends parsing with the reason the file is refused.
struct Refusal {
    std::string message;
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string Plural(std::int64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// Walks the file's bytes. Callers check the bytes left before reading; reading past the
// end is refused all the same rather than trusted.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t left() const { return bytes_.size() - position_; }

    std::span<const std::uint8_t> take(std::size_t count) {
        if (count > left())
            throw Refusal{"the file ends early"};
        const auto part = bytes_.subspan(position_, count);
        position_ += count;
        return part;
    }

    std::uint64_t littleEndian(std::size_t count) {
        const auto part = take(count);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value |= std::uint64_t{part[i]} << (8 * i);
        return value;
    }

    std::int32_t int32() { return static_cast<std::int32_t>(littleEndian(4)); }
    float float32() { return std::bit_cast<float>(static_cast<std::uint32_t>(littleEndian(4))); }
    double float64() { return std::bit_cast<double>(littleEndian(8)); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

class RecordParser {
public:
    RecordParser(std::span<const std::uint8_t> bytes, const TextFieldCodec& codec)
        : reader_(bytes), codec_(codec) {}

    DesignRecords parse();

private:
    [[noreturn]] void refuse(std::string_view what) const {
        throw Refusal{"record " + std::to_string(recordNumber_) + ": " + std::string(what)};
    }
    std::string text() { return codec_.decode(reader_.take(TextFieldSize)); }
    float finite(float value, std::string_view field) const {
        if (!std::isfinite(value))
            refuse(std::string(field) + " is not a finite number");
        return value;
    }
    float finiteFloat(std::string_view field) { return finite(reader_.float32(), field); }
    // Checks a point count against the bytes left, keeping `reserved` bytes for the
    // records that follow and `extra` bytes for the rest of this record.
    void checkPointCount(std::int32_t count, std::size_t extra, std::size_t reserved);
    std::vector<PointD> points(std::int32_t count);
    std::size_t requiredPoints(const std::string& className);

    ElementRecord element(std::int64_t index, std::int64_t elementCount,
                          std::int64_t dimensionCount);
    DimensionRecord dimension(std::int64_t index, std::int64_t dimensionCount);

    ByteReader reader_;
    const TextFieldCodec& codec_;
    std::int64_t recordNumber_ = 0;
    // The tree level of every element read so far.
    std::vector<std::size_t> depths_;
    std::map<std::string, std::size_t> requiredPointsByClass_;
};

void RecordParser::checkPointCount(std::int32_t count, std::size_t extra, std::size_t reserved) {
    if (count < 0)
        refuse("negative point count (" + std::to_string(count) + ")");
    const std::size_t available = reader_.left() - reserved; // reserved <= left, see parse()
    const std::size_t needed = static_cast<std::size_t>(count) * PointSize + extra;
    if (needed > available)
        refuse("the file ends early: " + Plural(count, "point", "points") +
               (extra != 0 ? " and the fin block need " : (count == 1 ? " needs " : " need ")) +
               std::to_string(needed) + " bytes, but only " + std::to_string(available) +
               " are left");
}

std::vector<PointD> RecordParser::points(std::int32_t count) {
    std::vector<PointD> result;
    result.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        PointD p;
        p.x = reader_.float64();
        p.y = reader_.float64();
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            refuse("point " + std::to_string(i + 1) + " is not a finite number");
        result.push_back(p);
    }
    return result;
}

std::size_t RecordParser::requiredPoints(const std::string& className) {
    auto it = requiredPointsByClass_.find(className);
    if (it == requiredPointsByClass_.end())
        it =
            requiredPointsByClass_.emplace(className, CreateElement(className)->OutlinePointCount())
                .first;
    return it->second;
}

ElementRecord RecordParser::element(std::int64_t index, std::int64_t elementCount,
                                    std::int64_t dimensionCount) {
    // The fixed part of this record and the smallest size of every later record are
    // known to be there: parse() checked it for the whole file, each point count since.
    const auto reserved =
        static_cast<std::size_t>((elementCount - index - 1) * std::int64_t{ElementRecordFixedSize} +
                                 dimensionCount * DimensionRecordFixedSize);
    ElementRecord record;
    record.className = text();
    const std::int32_t pointCount = reader_.int32();
    record.caption = text();
    record.material = text();
    record.parentIndex = reader_.int32();
    const float axis = reader_.float32();
    std::array<float, 7> sizes;
    for (float& value : sizes)
        value = reader_.float32();

    if (!IsElementClassName(record.className)) {
        if (IsDimensionClassName(record.className))
            refuse(Quoted(record.className) + " is a dimension where a component was expected");
        refuse("unknown component " + Quoted(record.className));
    }
    const bool finSet = FindKind(record.className)->finSet;
    checkPointCount(pointCount, finSet ? FinBlockSize : 0, reserved);
    const std::size_t required = requiredPoints(record.className);
    // No component draws with more than four points; an outline of thousands would only
    // make the sampled fin area slow at every redraw.
    if (pointCount > MaxElementPoints)
        refuse(Quoted(record.className) + " has " + Plural(pointCount, "point", "points") +
               ", more than the " + std::to_string(MaxElementPoints) + " a component may have");
    if (static_cast<std::size_t>(pointCount) < required)
        refuse(Quoted(record.className) + " has " + Plural(pointCount, "point", "points") +
               ", but its kind is drawn with " + std::to_string(required));
    if (record.parentIndex != -1 && (record.parentIndex < 0 || record.parentIndex >= index))
        refuse("parent index " + std::to_string(record.parentIndex) +
               " names no component read before it");
    const std::size_t depth =
        record.parentIndex == -1 ? 1 : depths_[static_cast<std::size_t>(record.parentIndex)] + 1;
    if (depth > MaxTreeDepth)
        refuse("the components are nested more than " + std::to_string(MaxTreeDepth) +
               " levels deep");
    depths_.push_back(depth);
    record.axisY = finite(axis, "the axis value");
    record.weight = finite(sizes[0], "Weight");
    record.density = finite(sizes[1], "Density");
    record.length = finite(sizes[2], "Length");
    record.diameterA = finite(sizes[3], "DiameterA");
    record.diameterB = finite(sizes[4], "DiameterB");
    record.thickness = finite(sizes[5], "Thickness");
    record.offset = finite(sizes[6], "Offset");
    record.points = points(pointCount);
    if (finSet) {
        FinBlock fins;
        fins.FinA = finiteFloat("FinA");
        fins.FinB = finiteFloat("FinB");
        fins.FinC = finiteFloat("FinC");
        fins.FinD = finiteFloat("FinD");
        fins.FinSpare = finiteFloat("FinSpare");
        fins.FinCount = reader_.int32();
        if (fins.FinCount < 1)
            refuse("fin count " + std::to_string(fins.FinCount) + " is below 1");
        record.fins = fins;
    }
    return record;
}

DimensionRecord RecordParser::dimension(std::int64_t index, std::int64_t dimensionCount) {
    const auto reserved =
        static_cast<std::size_t>((dimensionCount - index - 1) * DimensionRecordFixedSize);
    DimensionRecord record;
    record.className = text();
    record.caption = text();
    const std::int32_t pointCount = reader_.int32();
    if (!IsDimensionClassName(record.className)) {
        if (IsElementClassName(record.className))
            refuse(Quoted(record.className) + " is a component where a dimension was expected");
        refuse("unknown dimension " + Quoted(record.className));
    }
    checkPointCount(pointCount, 0, reserved);
    record.points = points(pointCount);
    return record;
}

DesignRecords RecordParser::parse() {
    if (reader_.left() < HeaderSize)
        throw Refusal{"the file ends early: it has " + Plural(reader_.left(), "byte", "bytes") +
                      ", fewer than the " + std::to_string(HeaderSize) + " of the header"};
    const std::int64_t elementCount = reader_.int32();
    const std::int64_t dimensionCount = reader_.int32();
    if (elementCount < 0)
        throw Refusal{"the header gives a negative component count (" +
                      std::to_string(elementCount) + ")"};
    if (dimensionCount < 0)
        throw Refusal{"the header gives a negative dimension count (" +
                      std::to_string(dimensionCount) + ")"};
    const std::int64_t needed = elementCount * std::int64_t{ElementRecordFixedSize} +
                                dimensionCount * std::int64_t{DimensionRecordFixedSize};
    if (needed > static_cast<std::int64_t>(reader_.left()))
        throw Refusal{"the file ends early: " + Plural(elementCount, "component", "components") +
                      " and " + Plural(dimensionCount, "dimension", "dimensions") +
                      " need at least " + std::to_string(needed) + " bytes, but only " +
                      std::to_string(reader_.left()) + " follow the header"};

    DesignRecords records;
    records.elements.reserve(static_cast<std::size_t>(elementCount));
    records.dimensions.reserve(static_cast<std::size_t>(dimensionCount));
    for (std::int64_t i = 0; i < elementCount; ++i) {
        ++recordNumber_;
        records.elements.push_back(element(i, elementCount, dimensionCount));
    }
    for (std::int64_t j = 0; j < dimensionCount; ++j) {
        ++recordNumber_;
        records.dimensions.push_back(dimension(j, dimensionCount));
    }
    records.trailingBytes = reader_.left();
    return records;
}

} // namespace

ParsedDesign ParseDesignRecords(std::span<const std::uint8_t> bytes, const TextFieldCodec& codec) {
    ParsedDesign result;
    try {
        result.records = RecordParser(bytes, codec).parse();
        result.ok = true;
    } catch (const Refusal& refusal) {
        result.message = refusal.message;
    }
    return result;
}

} // namespace vantor

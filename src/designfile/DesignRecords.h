#pragma once

#include "designfile/TextCodec.h"
#include "model/RocketElement.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantor {

// Byte sizes of the design file's parts.
inline constexpr std::size_t HeaderSize = 8;
inline constexpr std::size_t ElementRecordFixedSize = 130;
inline constexpr std::size_t DimensionRecordFixedSize = 64;
inline constexpr std::size_t PointSize = 16;
inline constexpr std::size_t FinBlockSize = 24;
// The most outline points a component record may hold.
inline constexpr std::int32_t MaxElementPoints = 1024;

struct FinBlock {
    float FinA = 0;
    float FinB = 0;
    float FinC = 0;
    float FinD = 0;
    float FinSpare = 0;
    std::int32_t FinCount = 0;
};

// One element record as it stands in the file, texts already in UTF-8.
struct ElementRecord {
    std::string className;
    std::string caption;
    std::string material;
    std::int32_t parentIndex = -1;
    float axisY = 0;
    float weight = 0;
    float density = 0;
    float length = 0;
    float diameterA = 0;
    float diameterB = 0;
    float thickness = 0;
    float offset = 0;
    std::vector<PointD> points;
    std::optional<FinBlock> fins; // fin sets only
};

struct DimensionRecord {
    std::string className;
    std::string caption;
    std::vector<PointD> points;
};

struct DesignRecords {
    std::vector<ElementRecord> elements;
    std::vector<DimensionRecord> dimensions;
    // Bytes after the last record; they are not part of the design.
    std::size_t trailingBytes = 0;
};

struct ParsedDesign {
    bool ok = false;
    // What makes the file unusable, in plain words; empty when ok.
    std::string message;
    DesignRecords records;
};

// Reads and checks every record of a design file without building anything. Every
// count is checked against the bytes left before anything is reserved for it, so the
// memory taken stays a small multiple of the file's size. A file is refused as a whole
// when it ends early, a count is negative or more than the rest of the file can hold, a
// class name is unknown or of the wrong family, a parent index names no earlier
// element or nests the tree deeper than MaxTreeDepth, an element has fewer outline points than its
// kind draws with, a number is not finite, or a fin set has fewer than one fin.
ParsedDesign ParseDesignRecords(std::span<const std::uint8_t> bytes, const TextFieldCodec& codec);

} // namespace vantor

#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantor {

class Design;

// Captions of the message boxes that report a failed save or load; the box's text is
// the result's `message`.
inline constexpr const char* WriteErrorCaption = "uwaga, błąd zapisu";
inline constexpr const char* ReadErrorCaption = "uwaga, błąd odczytu";

struct SaveResult {
    bool ok = false;
    // The text of the message box for a failed save: the file name.
    std::string message;
    // Why the save failed, in plain words.
    std::string reason;
};

struct SaveOptions {
    // For tests: the save fails as if the disk refused every byte after this many.
    std::optional<std::size_t> failAfterBytes;
};

struct LoadResult {
    bool ok = false;
    // The text of the message box for a failed load. DecodeDesign: what is wrong with the
    // data. LoadDesign: the file name when the file cannot be read, else the file name
    // and on the next line what is wrong.
    std::string message;
    // What is wrong, in plain words, without the file name.
    std::string reason;
    // Bytes after the last record; they are ignored.
    std::size_t trailingBytes = 0;
    // The axis value each element record carried, in file order.
    std::vector<float> axisValues;
};

// The design file's bytes: the counts of tree nodes and dimensions, every element in
// tree order with the absolute index of its parent's node, then every dimension.
std::vector<std::uint8_t> EncodeDesign(const Design& design);

// Writes the design file so that a failure leaves any earlier file as it was; reports
// one failure however the write went wrong.
SaveResult SaveDesign(const Design& design, const std::filesystem::path& path,
                      const SaveOptions& options = {});

// Replaces the design's content with the design in `bytes`. Elements are appended in
// file order, each under the element its parent index names, and get their centre of
// gravity and centre of pressure; OriginX and AxisY are set as each record is read.
// A damaged file is refused as a whole: the design is left empty and OriginX and AxisY
// keep the values they had. The message names the record at fault, numbered from 1 in
// file order over the element records and then the dimension records. Bytes after the
// last record are ignored and counted in `trailingBytes`.
LoadResult DecodeDesign(std::span<const std::uint8_t> bytes, Design& design);

// Reads the file and decodes it into the design.
LoadResult LoadDesign(const std::filesystem::path& path, Design& design);

} // namespace vantor

#include "designfile/RecordWriter.h"

#include <bit>
#include <cmath>

namespace vantor {

void RecordWriter::writeLittleEndian(std::uint64_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i)
        bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void RecordWriter::writeText(std::string_view text) {
    const TextField field = codec_.encode(text);
    bytes_.insert(bytes_.end(), field.begin(), field.end());
}

void RecordWriter::writeInt32(std::int32_t value) {
    writeLittleEndian(static_cast<std::uint32_t>(value), 4);
}

void RecordWriter::writeFloat(float value) {
    nonFinite_ = nonFinite_ || !std::isfinite(value);
    writeLittleEndian(std::bit_cast<std::uint32_t>(value), 4);
}

void RecordWriter::writeDouble(double value) {
    nonFinite_ = nonFinite_ || !std::isfinite(value);
    writeLittleEndian(std::bit_cast<std::uint64_t>(value), 8);
}

} // namespace vantor

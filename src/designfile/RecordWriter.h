#pragma once

#include "designfile/TextCodec.h"
#include "model/RecordSink.h"

#include <cstdint>
#include <vector>

namespace vantor {

// Appends the fields shapes write to a byte buffer in the design file's layout:
// little-endian integers, IEEE floats and doubles, 30-byte Windows-1250 text fields,
// no padding.
class RecordWriter final : public RecordSink {
public:
    RecordWriter(std::vector<std::uint8_t>& bytes, const TextFieldCodec& codec)
        : bytes_(bytes), codec_(codec) {}

    void writeText(std::string_view text) override;
    void writeInt32(std::int32_t value) override;
    void writeFloat(float value) override;
    void writeDouble(double value) override;

    // Whether any number written was infinite or not a number, which a design file
    // cannot keep: the loader refuses such files.
    bool wroteNonFinite() const { return nonFinite_; }

private:
    void writeLittleEndian(std::uint64_t value, int byteCount);

    std::vector<std::uint8_t>& bytes_;
    const TextFieldCodec& codec_;
    bool nonFinite_ = false;
};

} // namespace vantor

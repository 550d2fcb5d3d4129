#pragma once

#include <cstdint>
#include <string_view>

namespace vantor {

// Where a shape writes its design-file record, field by field. The design-file writer
// decides the byte layout and the text encoding; shapes only say what comes in which
// order.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    // A text field of the record; the text is UTF-8.
    virtual void writeText(std::string_view text) = 0;
    virtual void writeInt32(std::int32_t value) = 0;
    virtual void writeFloat(float value) = 0;
    virtual void writeDouble(double value) = 0;
};

} // namespace vantor

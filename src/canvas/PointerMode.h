#pragma once

#include <cstdint>

namespace vantor {

// What a press or a move in a design window does. The values are the mode codes the
// commands have always used.
enum class PointerModeKind : std::uint8_t {
    Default = 0,         // select the element under the pointer
    SelectAndMove = 3,   // select, and slide the selected element along its parent
    LinearDimension = 8, // place the points of the newest linear dimension
    AngleDimension = 10, // place the points of the newest angle dimension
};

} // namespace vantor

#pragma once

#include <QIcon>

namespace vantor {

// The pictures on the toolbar buttons, drawn by the program itself.
enum class Glyph {
    ConicalNose,
    OgiveNose,
    ParabolicNose,
    BodyTube,
    Motor,
    Transition,
    FinSet,
    Ballast,
    LinearDimension,
    HorizontalDimension,
    VerticalDimension,
    AngleDimension,
    DefaultMode,
    SelectMode,
    Zoom,
    Preview3d,
};

QIcon MakeGlyph(Glyph glyph);

} // namespace vantor

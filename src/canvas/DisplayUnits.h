#pragma once

#include <optional>
#include <string>

namespace vantor {

// The units the pointer readout can show, in the order of the options' unit list.
enum class DisplayUnit { Pixels = 0, Millimetres = 1, Centimetres = 2, Inches = 3 };

// Converts a value in image pixels to the display unit with the given index; any other
// index leaves the value unchanged. Pixels are drawing units: image pixels / zoom.
double ToDisplayUnits(double imagePixels, int unitIndex, double scale, double pixelsPerInch);
// The reverse: a display value back to image pixels.
double FromDisplayUnits(double value, int unitIndex, double scale, double pixelsPerInch);

// The status-bar readout of a pointer at image pixel (a, b), e.g. "X: 13.2   Y: 6.6 [mm]";
// nothing for a unit index outside the list.
std::optional<std::string> PointerReadout(double a, double b, int unitIndex, double scale,
                                          double pixelsPerInch, char decimalSeparator);

} // namespace vantor

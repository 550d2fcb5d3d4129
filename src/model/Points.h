#pragma once

namespace vantor {

// One outline point. Only x and y are drawn, transformed and stored; the two spare
// values exist in every point and stay 0.
struct TPoints {
    double x = 0;
    double y = 0;
    double spareA = 0;
    double spareB = 0;
};

} // namespace vantor

#include "preview3d/ViewState3d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace vantor {

Projection3d ProjectionFor(const Preview3dViewState& state, int width, int height) {
    Projection3d p;
    if (width <= 0 || height <= 0)
        return p;
    p.frustum = true;
    p.left = state.frustumLeft;
    p.right = state.frustumRight;
    p.bottom = state.frustumBottom;
    p.top = state.frustumTop;
    p.nearPlane = state.nearPlane;
    p.farPlane = state.farPlane;
    const double w = width;
    const double h = height;
    if (width < height) {
        p.bottom *= h / w;
        p.top *= h / w;
    } else {
        p.left *= w / h;
        p.right *= w / h;
    }
    return p;
}

double ViewDistance(const Preview3dViewState& state) {
    return (state.nearPlane + state.farPlane) / 2.0;
}

void RememberPointer(Preview3dViewState& state, int x, int y) {
    state.lastPointerX = x;
    state.lastPointerY = y;
}

void TiltByDrag(Preview3dViewState& state, int x, int y, int width, int height) {
    const double dx = x - state.lastPointerX;
    const double dy = y - state.lastPointerY;
    // A window without area cannot be dragged across; only the position is kept.
    if (width > 0)
        state.tiltY = static_cast<float>(state.tiltY + (state.frustumRight - state.frustumLeft) *
                                                           30.0 / width * dx);
    if (height > 0)
        state.tiltX = static_cast<float>(state.tiltX + (state.frustumTop - state.frustumBottom) *
                                                           30.0 / height * dy);
    RememberPointer(state, x, y);
}

void ZoomByWheel(Preview3dViewState& state, int angleDelta) {
    const double factor = std::pow(1.1, angleDelta / 120.0);
    state.scale = static_cast<float>(std::clamp(state.scale * factor, 0.05, 50.0));
}

namespace {

// Share of the window the fitted model may take.
constexpr double FitShare = 0.9;
constexpr double Pi = std::numbers::pi;

using Vec = std::array<double, 3>;

// Turns a vector as the view's tilts do: about z first, then y, then x.
Vec Tilted(const Preview3dViewState& state, Vec v) {
    const auto turn = [&v](double degrees, int a, int b) {
        const double c = std::cos(degrees * Pi / 180), s = std::sin(degrees * Pi / 180);
        const double va = v[a], vb = v[b];
        v[a] = va * c - vb * s;
        v[b] = va * s + vb * c;
    };
    turn(state.tiltZ, 0, 1);
    turn(state.tiltY, 2, 0);
    turn(state.tiltX, 1, 2);
    return v;
}

} // namespace

void FitToModel(Preview3dViewState& state, std::span<const float> vertices, int width, int height) {
    const Projection3d p = ProjectionFor(state, width, height);
    if (vertices.size() < 3 || !p.frustum)
        return;
    double minX = vertices[0], maxX = vertices[0];
    for (std::size_t i = 0; i + 2 < vertices.size(); i += 3) {
        minX = std::min(minX, double(vertices[i]));
        maxX = std::max(maxX, double(vertices[i]));
    }
    const double pivot = (minX + maxX) / 2;
    // Each vertex, r from the axis, goes round a circle about it as the rocket spins: at
    // most |along a| + r sqrt(1 - a^2) across the eye's axis a, and as near the eye. A
    // point x across and z towards the eye shows at x near / (D - z) on the near plane,
    // which must stay within the share of the frustum's half width (and height); and no
    // point comes to the near plane. The largest scale s that keeps them all:
    // s (x near + share half z) <= share half D, and s z <= share (D - near).
    const Vec axis = Tilted(state, {1, 0, 0});
    const double distance = ViewDistance(state);
    const auto sideways = [](double along, double r, double a) {
        return along * a + r * std::sqrt(std::max(0.0, 1 - a * a));
    };
    double fit = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i + 2 < vertices.size(); i += 3) {
        const double along = vertices[i] - pivot;
        const double r = std::hypot(double(vertices[i + 1]), double(vertices[i + 2]));
        const double nearer = sideways(along, r, axis[2]);
        const double across[2] = {sideways(std::abs(along), r, std::abs(axis[0])),
                                  sideways(std::abs(along), r, std::abs(axis[1]))};
        const double half[2] = {p.right, p.top};
        for (int k = 0; k < 2; ++k) {
            const double need = across[k] * state.nearPlane + FitShare * half[k] * nearer;
            if (need > 0)
                fit = std::min(fit, FitShare * half[k] * distance / need);
        }
        if (nearer > 0)
            fit = std::min(fit, FitShare * (distance - state.nearPlane) / nearer);
    }
    if (!std::isfinite(fit) || fit <= 0)
        return;
    state.pivotX = static_cast<float>(pivot);
    state.fitScale = static_cast<float>(fit);
}

double SpinTravelPixels(const Preview3dViewState& state, double radius, float paintedSpin,
                        int width, int height) {
    const Projection3d p = ProjectionFor(state, width, height);
    if (!p.frustum)
        return 0;
    // Nothing drawn is nearer the eye than the near plane, where a unit spans this many
    // pixels; anything farther spans fewer.
    const double pixelsPerUnit = height / (p.top - p.bottom);
    const double turn = std::abs(double(state.spinAngle) - paintedSpin) * Pi / 180.0;
    // The chord between where the point was drawn and where it is now.
    const double chord = 2 * radius * std::abs(std::sin(turn / 2));
    return chord * double(state.fitScale) * state.scale * pixelsPerUnit;
}

void SpinStep(Preview3dViewState& state) {
    state.spinAngle -= 0.5f;
}

void ApplyCloseRule(Preview3dViewState& state) {
    state.tiltX = 0;
    state.offsetX = 0;
}

} // namespace vantor

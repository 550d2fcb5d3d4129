#include "preview3d/ViewState3d.h"

#include <algorithm>
#include <cmath>
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

// Share of the window's shorter side the fitted model may take.
constexpr double FitShare = 0.9;

// Radius of the largest sphere at the model's distance that the frustum shows whole: its
// narrower side's half-angle a gives R = D sin a.
double VisibleReach(const Preview3dViewState& state) {
    const double half =
        std::min(state.frustumRight - state.frustumLeft, state.frustumTop - state.frustumBottom) /
        2;
    return ViewDistance(state) * half / std::hypot(half, state.nearPlane);
}

} // namespace

void FitToModel(Preview3dViewState& state, std::span<const float> vertices) {
    if (vertices.size() < 3)
        return;
    double minX = vertices[0], maxX = vertices[0];
    for (std::size_t i = 0; i + 2 < vertices.size(); i += 3) {
        minX = std::min(minX, double(vertices[i]));
        maxX = std::max(maxX, double(vertices[i]));
    }
    const double pivot = (minX + maxX) / 2;
    double reach = 0; // radius of the sphere round the pivot that holds the whole model
    for (std::size_t i = 0; i + 2 < vertices.size(); i += 3) {
        const double dx = vertices[i] - pivot, y = vertices[i + 1], z = vertices[i + 2];
        reach = std::max(reach, std::sqrt(dx * dx + y * y + z * z));
    }
    if (!std::isfinite(reach) || reach <= 0)
        return;
    state.pivotX = static_cast<float>(pivot);
    state.fitScale = static_cast<float>(FitShare * VisibleReach(state) / reach);
    state.scale = 1;
}

double LargestRadius(std::span<const float> vertices) {
    double radius = 0;
    for (std::size_t i = 0; i + 2 < vertices.size(); i += 3)
        radius = std::max(radius, std::hypot(double(vertices[i + 1]), double(vertices[i + 2])));
    return radius;
}

double SpinTravelPixels(const Preview3dViewState& state, double radius, float paintedSpin,
                        int width, int height) {
    if (width <= 0 || height <= 0)
        return 0;
    const Projection3d p = ProjectionFor(state, width, height);
    const double scale = double(state.fitScale) * state.scale;
    // Nearest the eye the fitted model gets: the pivot's distance less the sphere the fit
    // keeps it in, grown or shrunk by the wheel; never nearer than the near plane.
    const double reach = FitShare * VisibleReach(state) * state.scale;
    const double depth = std::max(state.nearPlane, ViewDistance(state) - reach);
    const double pixelsPerUnit = height / (p.top - p.bottom) * state.nearPlane / depth;
    constexpr double Pi = std::numbers::pi;
    const double turn = std::abs(double(state.spinAngle) - paintedSpin) * Pi / 180.0;
    // The chord between where the point was drawn and where it is now.
    const double chord = 2 * radius * std::abs(std::sin(turn / 2));
    return chord * scale * pixelsPerUnit;
}

void SpinStep(Preview3dViewState& state) {
    state.spinAngle -= 0.5f;
}

void ApplyCloseRule(Preview3dViewState& state) {
    state.tiltX = 0;
    state.offsetX = 0;
}

} // namespace vantor

#include "preview3d/ViewState3d.h"

#include <algorithm>
#include <cmath>

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

void SpinStep(Preview3dViewState& state) {
    state.spinAngle -= 0.5f;
}

void ApplyCloseRule(Preview3dViewState& state) {
    state.tiltX = 0;
    state.offsetX = 0;
}

} // namespace vantor

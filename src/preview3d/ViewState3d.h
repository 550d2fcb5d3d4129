#pragma once

#include <span>

namespace vantor {

// How the 3D window looks at the rocket. One object lives for the whole run, owned by
// whoever opens the 3D window, so a later opening starts where the last one stopped.
struct Preview3dViewState {
    float spinAngle = 0; // turning about the rocket axis, degrees
    // Frustum bounds before the correction for the window's aspect.
    double frustumLeft = -2;
    double frustumRight = 2;
    double frustumBottom = -2;
    double frustumTop = 2;
    double nearPlane = 30;
    double farPlane = 70;
    float tiltX = -10; // degrees about the x, y and z axes
    float tiltY = 60;
    float tiltZ = 0;
    float offsetX = 0;
    float offsetY = 0;
    float offsetZ = 0;
    float scale = 1;
    float shininess = 27.8974f;
    // Rings of the first surface built in this run; set once, then kept. Decides where
    // the dark nose material ends.
    int noseRingCount = 0;
    int lastPointerX = 0;
    int lastPointerY = 0;
    // The fit of the model to the window, made when the window opens or changes size: the
    // model x (on the axis) the view turns about, and the scale that shows the whole model.
    float pivotX = 0;
    float fitScale = 1;
};

// The projection of a window: a perspective frustum, or the identity (`frustum` false)
// when the window has no area.
struct Projection3d {
    bool frustum = false;
    double left = 0;
    double right = 0;
    double bottom = 0;
    double top = 0;
    double nearPlane = 0;
    double farPlane = 0;
};

// The frustum stretched along the window's longer side so the picture keeps its
// proportions.
Projection3d ProjectionFor(const Preview3dViewState& state, int width, int height);

// Distance of the model from the eye: halfway between the clipping planes.
double ViewDistance(const Preview3dViewState& state);

void RememberPointer(Preview3dViewState& state, int x, int y);

// Tilts the view by the pointer's travel since the last remembered position: the frustum
// width times 30 degrees across the window's width (120 degrees with the initial bounds),
// likewise vertically; then remembers the new position.
void TiltByDrag(Preview3dViewState& state, int x, int y, int width, int height);

// Zooms by the wheel's turn (120 a notch, as Qt counts it): each notch away from the user
// enlarges the model by a tenth, each notch towards the user shrinks it; kept between a
// twentieth and fifty times the first size.
void ZoomByWheel(Preview3dViewState& state, int angleDelta);

// Fits a model (x, y, z of every vertex, in model units) to a window of that size as the
// view's tilts show it: the view turns about the middle of the model's length on its
// axis, and the model, at any spin, fills nine tenths of the window's width or height,
// whichever it reaches first, and stays behind the near plane. Without vertices or a
// window the fit stays as it is.
void FitToModel(Preview3dViewState& state, std::span<const float> vertices, int width, int height);

// How far, at most, in pixels of a window of that size, a point `radius` model units from
// the axis moves on the screen while the spin goes from `paintedSpin` to the current spin
// angle.
double SpinTravelPixels(const Preview3dViewState& state, double radius, float paintedSpin,
                        int width, int height);

// One animation step: the rocket turns half a degree.
void SpinStep(Preview3dViewState& state);

// Closing the window levels the view and recentres it; the turn about the vertical axis
// and the spin carry over to the next opening.
void ApplyCloseRule(Preview3dViewState& state);

} // namespace vantor

#pragma once

#include "preview3d/Rocket3d.h"

#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QSurfaceFormat>
#include <QTimer>

class QOpenGLFunctions_1_1;

namespace vantor {

class Design;
struct Preview3dViewState;

// The surface the 3D window asks for: double-buffered, 16-bit depth, no alpha or
// stencil, a compatibility context for fixed-function drawing.
QSurfaceFormat Form3dSurfaceFormat();

// The 3D window: the rocket of a design as a lit solid that turns slowly about its axis,
// tilts when dragged with the left button, zooms with the wheel and closes with Escape.
// It opens with the model fitted to it and turning about the model's middle. It reads
// the design and changes only the view state, which outlives it. The spin's timer
// repaints only when the turn moves the picture by a pixel or more, at 30 frames a second
// at most: a rocket without fins looks the same at every turn.
class TForm3D : public QOpenGLWidget {
    Q_OBJECT
public:
    TForm3D(const Design& design, Preview3dViewState& state, QWidget* parent = nullptr);

    // Whether OpenGL started and offers the fixed-function calls the window draws with.
    // Known once the window has been shown.
    bool glReady() const { return gl_ != nullptr; }

signals:
    void closed();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Timer1Timer();
    void requestFrame();
    void ApplyProjection();
    void SetMaterial(Material3d material);
    void DrawModel();

    const Design& design_;
    Preview3dViewState& state_;
    QTimer* timer_ = nullptr;
    QOpenGLFunctions_1_1* gl_ = nullptr;
    // The design does not change while the window is open: the model is built once, when
    // the window is made, and its ring count is kept in the view state once it draws.
    TRocket3d model_;
    int noseRingCount_ = 0;
    // How far the fins reach from the axis: only they show the spin.
    double finRadius_ = 0;
    // The spin angle of the picture on the screen, and when it was drawn.
    float paintedSpin_ = 0;
    QElapsedTimer sincePaint_;
};

} // namespace vantor

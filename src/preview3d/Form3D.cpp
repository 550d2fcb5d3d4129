#include "preview3d/Form3D.h"

#include "preview3d/ViewState3d.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QScreen>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vantor {

QSurfaceFormat Form3dSurfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(0);
    format.setDepthBufferSize(16);
    format.setStencilBufferSize(0);
    return format;
}

TForm3D::TForm3D(const Design& design, Preview3dViewState& state, QWidget* parent)
    : QOpenGLWidget(parent, Qt::Window), design_(design), state_(state) {
    setObjectName(QStringLiteral("Form3D"));
    setWindowTitle(QStringLiteral("3D"));
    setFormat(Form3dSurfaceFormat());
    resize(870, 500);

    noseRingCount_ = state_.noseRingCount;
    model_.Build(design_, noseRingCount_);
    for (std::size_t t = model_.SurfaceTriangleCount(); t < model_.TriangleCount(); ++t)
        for (std::size_t corner = 0; corner < 3; ++corner) {
            const std::array<float, 3> v = model_.TriangleVertex(t, corner);
            finRadius_ = std::max(finRadius_, std::hypot(double(v[1]), double(v[2])));
        }

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(5);
    connect(timer_, &QTimer::timeout, this, &TForm3D::Timer1Timer);
    timer_->start();
}

void TForm3D::initializeGL() {
    QOpenGLContext* ctx = context();
    gl_ = nullptr;
    if (ctx == nullptr || !ctx->isValid() || ctx->isOpenGLES())
        return;
    auto* functions = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(ctx);
    if (functions != nullptr && functions->initializeOpenGLFunctions())
        gl_ = functions;
    if (gl_ == nullptr)
        return; // the view never starts: its state stays as it was
    state_.noseRingCount = noseRingCount_;
    // Each opening starts fitted, without the zoom of the last one.
    state_.scale = 1;
}

void TForm3D::resizeGL(int, int) {
    if (gl_ == nullptr)
        return;
    // The model fills the window as it is now, in the view it is seen in.
    FitToModel(state_, model_.Vertices, width(), height());
    ApplyProjection();
}

void TForm3D::ApplyProjection() {
    if (gl_ == nullptr)
        return;
    const qreal ratio = devicePixelRatioF();
    gl_->glViewport(0, 0, static_cast<GLsizei>(width() * ratio),
                    static_cast<GLsizei>(height() * ratio));
    gl_->glMatrixMode(GL_PROJECTION);
    gl_->glLoadIdentity();
    const Projection3d p = ProjectionFor(state_, width(), height());
    if (p.frustum)
        gl_->glFrustum(p.left, p.right, p.bottom, p.top, p.nearPlane, p.farPlane);
}

void TForm3D::SetMaterial(Material3d material) {
    const MaterialColours colours = ColoursOf(material);
    gl_->glMaterialfv(GL_FRONT, GL_AMBIENT, colours.ambient.data());
    gl_->glMaterialfv(GL_FRONT, GL_DIFFUSE, colours.diffuse.data());
    gl_->glMaterialfv(GL_FRONT, GL_SPECULAR, colours.specular.data());
    gl_->glMaterialf(GL_FRONT, GL_SHININESS, state_.shininess);
}

void TForm3D::paintGL() {
    if (gl_ == nullptr)
        return;
    // The projection is set again for every frame: the widget framework may have
    // drawn with the context in between.
    ApplyProjection();
    gl_->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl_->glMatrixMode(GL_MODELVIEW);
    gl_->glLoadIdentity();
    gl_->glEnable(GL_DEPTH_TEST);

    gl_->glTranslatef(state_.offsetX, state_.offsetY, static_cast<float>(-ViewDistance(state_)));
    gl_->glTranslatef(state_.offsetX, state_.offsetY, state_.offsetZ);
    gl_->glRotatef(state_.tiltX, 1, 0, 0);
    gl_->glRotatef(state_.tiltY, 0, 1, 0);
    gl_->glRotatef(state_.tiltZ, 0, 0, 1);
    gl_->glScalef(state_.scale, state_.scale, state_.scale);

    // Light 0 keeps the library's defaults: white, shining from the viewer.
    gl_->glEnable(GL_LIGHTING);
    gl_->glEnable(GL_LIGHT0);
    SetMaterial(Material3d::Dark);

    gl_->glScalef(state_.fitScale, state_.fitScale, state_.fitScale);
    // Scaling scales the normals too; lit with them as they are, a zoomed model would
    // grow darker or brighter.
    gl_->glEnable(GL_NORMALIZE);

    gl_->glRotatef(-state_.spinAngle, 1, 0, 0);
    // The pivot lies on the axis, so this shift along it goes with the spin.
    gl_->glTranslatef(-state_.pivotX, 0, 0);
    DrawModel();
    paintedSpin_ = state_.spinAngle;
    sincePaint_.start();
}

void TForm3D::DrawModel() {
    if (model_.TriangleCount() == 0)
        return;
    // Each triangle is lit by the normal of its last vertex alone. The light is
    // directional and the viewer at infinity, so that colour is what lighting the three
    // corners with the same normal gives.
    gl_->glShadeModel(GL_FLAT);
    gl_->glEnableClientState(GL_VERTEX_ARRAY);
    gl_->glEnableClientState(GL_NORMAL_ARRAY);
    gl_->glVertexPointer(3, GL_FLOAT, 0, model_.Vertices.data());
    gl_->glNormalPointer(GL_FLOAT, 0, model_.Normals.data());
    for (const TriangleRun& run : model_.Runs()) {
        SetMaterial(run.material);
        gl_->glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(run.count * 3), GL_UNSIGNED_INT,
                            model_.Indices.data() + run.first * 3);
    }
    gl_->glDisableClientState(GL_NORMAL_ARRAY);
    gl_->glDisableClientState(GL_VERTEX_ARRAY);
}

void TForm3D::showEvent(QShowEvent* event) {
    // As wide as the screen, from its left edge.
    if (QScreen* s = screen()) {
        resize(s->geometry().width(), height());
        move(0, y());
    }
    QOpenGLWidget::showEvent(event);
}

void TForm3D::mousePressEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        RememberPointer(state_, p.x(), p.y());
    }
    QOpenGLWidget::mousePressEvent(event);
}

void TForm3D::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        TiltByDrag(state_, p.x(), p.y(), width(), height());
        update();
    }
    QOpenGLWidget::mouseMoveEvent(event);
}

void TForm3D::wheelEvent(QWheelEvent* event) {
    ZoomByWheel(state_, event->angleDelta().y());
    update();
    event->accept();
}

void TForm3D::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
}

void TForm3D::Timer1Timer() {
    SpinStep(state_);
    if (SpinTravelPixels(state_, finRadius_, paintedSpin_, width(), height()) >= 1)
        requestFrame();
}

void TForm3D::requestFrame() {
    // The slow turn needs no more than 30 frames a second, nor more than the screen
    // shows: each frame costs a software renderer several milliseconds. A later tick
    // asks again.
    const qreal rate = screen() != nullptr ? std::min<qreal>(screen()->refreshRate(), 30) : 30;
    const qint64 frame = rate > 1 ? qint64(1000 / rate) : 33;
    if (sincePaint_.isValid() && sincePaint_.elapsed() < frame)
        return;
    update();
}

void TForm3D::closeEvent(QCloseEvent* event) {
    timer_->stop();
    if (gl_ != nullptr && isValid()) {
        makeCurrent();
        gl_->glFinish();
        doneCurrent();
    }
    ApplyCloseRule(state_);
    QOpenGLWidget::closeEvent(event);
    emit closed();
}

} // namespace vantor

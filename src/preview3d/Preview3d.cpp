#include "preview3d/Preview3d.h"

#include "interaction/Interaction.h"
#include "model/Design.h"
#include "preview3d/Form3D.h"
#include "preview3d/ViewState3d.h"

#include <QEventLoop>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QPointer>

namespace vantor {

bool DesktopGlAvailable() {
    QOpenGLContext context;
    context.setFormat(Form3dSurfaceFormat());
    if (!context.create() || !context.isValid() || context.isOpenGLES())
        return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return false;
    auto* functions = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(&context);
    const bool usable = functions != nullptr && functions->initializeOpenGLFunctions();
    context.doneCurrent();
    return usable;
}

QString Preview3dUnavailableText() {
    return QStringLiteral("Nie można uruchomić podglądu 3D");
}

namespace {

void ReportUnavailable(QWidget* parent, Interaction& interaction) {
    interaction.showMessage(parent, Preview3dUnavailableText(), QStringLiteral("Vantor"),
                            Interaction::Icon::Error);
}

} // namespace

void ShowPreview3d(QWidget* parent, const Design& design, Preview3dViewState& state,
                   Interaction& interaction, const GlCheck& glAvailable) {
    if (design.tree.empty())
        return;
    const bool available = glAvailable ? glAvailable() : DesktopGlAvailable();
    if (!available) {
        ReportUnavailable(parent, interaction);
        return;
    }

    // Owned by the parent while open; the pointer guards against the parent going first.
    QPointer<TForm3D> form = new TForm3D(design, state, parent);
    form->setWindowModality(Qt::ApplicationModal);
    bool closed = false;
    QEventLoop loop;
    QObject::connect(form, &TForm3D::closed, &loop, [&closed, &loop] {
        closed = true;
        loop.quit();
    });
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    form->show();

    // The widget makes its context when shown. A context that exists but lacks the
    // fixed-function calls (an ES-only or core-only driver) is found only now; the window
    // is then closed again before it draws anything. Showing a GL window where no
    // context can be made at all brings the toolkit down, hence the check above.
    if (!form->isValid() || !form->glReady()) {
        form->hide(); // not closed: the view never started, so its state stays as it was
        delete form;
        ReportUnavailable(parent, interaction);
        return;
    }
    if (!closed)
        loop.exec();
    delete form; // null when the parent took it along
}

} // namespace vantor

#include "shell/MainToolbars.h"

#include "canvas/DesignWindow.h"
#include "i18n/AdvForm.h"
#include "interaction/Interaction.h"
#include "shell/Glyphs.h"
#include "shell/MainActions.h"
#include "shell/PenNameBox.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vantor {

namespace {

QToolBar* MakeToolBar(QMainWindow* window, const char* name, const QString& caption) {
    auto* bar = new QToolBar(caption, window);
    bar->setObjectName(name);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return bar;
}

} // namespace

MainToolbars::MainToolbars(QMainWindow& window, const MainActions& actions,
                           Interaction& interaction, std::function<TMDIChild*()> activeDesignWindow)
    : QObject(&window), window_(window), actions_(actions), interaction_(interaction),
      activeDesignWindow_(std::move(activeDesignWindow)) {
    const MainActions& a = actions_;
    BarPodstawowy = MakeToolBar(&window_, "BarPodstawowy", Tagged(1531));
    BarPodstawowy->setAllowedAreas(Qt::TopToolBarArea);
    BarPodstawowy->addActions({a.FileNew1, a.FileOpen1, a.FileSave1, a.AUndo, a.ARedo, a.A3d});
    window_.addToolBar(Qt::TopToolBarArea, BarPodstawowy);
    window_.addToolBarBreak(Qt::TopToolBarArea);

    BarTransform = MakeToolBar(&window_, "BarTransform", QString());
    window_.addToolBar(Qt::TopToolBarArea, BarTransform);
    createTransformPanel();

    BarFigury = MakeToolBar(&window_, "BarFigury", Tagged(1517));
    BarFigury->setOrientation(Qt::Vertical);
    BarFigury->setIconSize(QSize(32, 32));
    BarFigury->addActions({a.AGlowicaStozek, a.AGlowicaOgive, a.AGlowicaParabolic, a.AKorpus,
                           a.AEngine, a.AStozekSciety, a.AStatecznik, a.ABalast});
    window_.addToolBar(Qt::LeftToolBarArea, BarFigury);

    BarWymiary = MakeToolBar(&window_, "BarWymiary", Tagged(1513));
    BarWymiary->addActions({a.AWymiar, a.AWymiarPoziomy, a.AWymiarPionowy});
    // The angle dimension's button is there but disabled for good: a button of its own
    // rather than the action's, which every change of the action (a translation) would
    // enable again. The command itself stays reachable.
    auto* angleButton = new QToolButton(BarWymiary);
    angleButton->setObjectName("bWymiarAngle");
    angleButton->setIcon(a.AWymiarAngle->icon());
    angleButton->setToolTip(a.AWymiarAngle->toolTip());
    angleButton->setEnabled(false);
    QAction* const angle = a.AWymiarAngle;
    connect(angle, &QAction::changed, angleButton,
            [angleButton, angle] { angleButton->setToolTip(angle->toolTip()); });
    BarWymiary->addWidget(angleButton);
    window_.addToolBar(Qt::LeftToolBarArea, BarWymiary);

    BarMode = MakeToolBar(&window_, "BarMode", Tagged(1515));
    BarMode->addActions({a.ADefaultMode, a.ASelect});
    auto* zoomButton = new QToolButton(BarMode);
    zoomButton->setObjectName("bSkala");
    zoomButton->setIcon(MakeGlyph(Glyph::Zoom));
    zoomButton->setToolTip(Tagged(1701));
    zoomButton->setPopupMode(QToolButton::InstantPopup);
    zoomPopup = new QMenu(zoomButton);
    zoomPopup->setObjectName("ZoomPopup");
    zoomPopup->addActions({a.ASkala05, a.ASkala1, a.ASkala2, a.ASkala3, a.AZoomFit});
    zoomButton->setMenu(zoomPopup);
    BarMode->addWidget(zoomButton);
    window_.addToolBar(Qt::LeftToolBarArea, BarMode);

    connectMenuItems();
    connect(a.ATransform, &QAction::triggered, this, [this] { ATransformExecute(); });
}

void MainToolbars::createTransformPanel() {
    auto makeEdit = [this](const char* name) {
        auto* edit = new QLineEdit("0", BarTransform);
        edit->setObjectName(name);
        edit->setFixedWidth(60);
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { validateTransformEdit(edit); });
        return edit;
    };
    auto makeSpin = [this](const char* name, QLineEdit* edit) {
        auto* spin = new QWidget(BarTransform);
        spin->setObjectName(name);
        auto* column = new QVBoxLayout(spin);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        for (double delta : {1.0, -1.0}) {
            auto* arrow = new QToolButton(spin);
            arrow->setObjectName(QString::fromLatin1(name) + (delta > 0 ? "Up" : "Down"));
            arrow->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
            arrow->setFixedSize(16, 10);
            connect(arrow, &QToolButton::clicked, this,
                    [this, edit, delta] { stepTransformEdit(edit, delta); });
            column->addWidget(arrow);
        }
        return spin;
    };
    auto makeLabel = [this](const char* name, int id) {
        auto* label = new QLabel(Tagged(id), BarTransform);
        label->setObjectName(name);
        return label;
    };
    edX = makeEdit("edX");
    edX->setToolTip(Tagged(1529));
    edY = makeEdit("edY");
    edY->setToolTip(Tagged(1530));
    edAngle = makeEdit("edAngle");
    edAngle->setToolTip(Tagged(1538));
    BarTransform->addWidget(makeLabel("LabelX", 1544));
    BarTransform->addWidget(edX);
    BarTransform->addWidget(makeSpin("spinX", edX));
    BarTransform->addWidget(makeLabel("LabelY", 1545));
    BarTransform->addWidget(edY);
    BarTransform->addWidget(makeSpin("spinY", edY));
    BarTransform->addWidget(makeLabel("LabelAngle", 1728))->setVisible(false);
    BarTransform->addWidget(edAngle)->setVisible(false);
    BarTransform->addWidget(makeSpin("spinAngle", edAngle))->setVisible(false);
    BarTransform->addWidget(makeLabel("LabelHex", 1537))->setVisible(false);
    BarTransform->addAction(actions_.ATransform);
    PenNameBox = CreatePenNameBox(BarTransform);
    BarTransform->addWidget(PenNameBox)->setVisible(false);
}

void MainToolbars::connectMenuItems() {
    const std::pair<QAction*, std::function<QWidget*()>> toolbarItems[] = {
        {actions_.Podstawowy1,
         [this] {
             return BarPodstawowy;
         }},
        {actions_.Transform1,
         [this] {
             return BarTransform;
         }},
        {actions_.Figury1,
         [this] {
             return BarFigury;
         }},
        {actions_.Narzedzia1,
         [this] {
             return BarMode;
         }},
        {actions_.Wymiary1,
         [this] {
             return BarWymiary;
         }},
    };
    // Copied out of the pair: clang before 16 cannot capture structured bindings.
    for (const auto& entry : toolbarItems) {
        QAction* const item = entry.first;
        const auto bar = entry.second;
        connect(item, &QAction::triggered, this,
                [item, bar] { bar()->setVisible(item->isChecked()); });
    }
}

QList<QToolBar*> MainToolbars::all() const {
    return {BarPodstawowy, BarTransform, BarFigury, BarWymiary, BarMode};
}

void MainToolbars::showMenuChecks() {
    const MainActions& a = actions_;
    a.Podstawowy1->setChecked(BarPodstawowy->isVisible());
    a.Transform1->setChecked(BarTransform->isVisible());
    a.Figury1->setChecked(BarFigury->isVisible());
    a.Narzedzia1->setChecked(BarMode->isVisible());
    a.Wymiary1->setChecked(BarWymiary->isVisible());
}

void MainToolbars::validateTransformEdit(QLineEdit* edit) {
    const QString text = edit->text();
    if (text.isEmpty() || text == "-")
        return;
    bool ok = false;
    QLocale::system().toDouble(text, &ok);
    if (!ok)
        text.toDouble(&ok);
    if (!ok) {
        edit->setText("0");
        interaction_.showMessage(&window_, "Wpisz poprawną wartość", "uwaga !",
                                 Interaction::Icon::Warning);
    }
}

void MainToolbars::stepTransformEdit(QLineEdit* edit, double delta) {
    bool ok = false;
    const double value = edit->text().toDouble(&ok);
    if (!ok) {
        interaction_.showMessage(
            &window_, QStringLiteral("'%1' is not a valid floating point value").arg(edit->text()),
            QString(), Interaction::Icon::Error);
        return;
    }
    edit->setText(QString::number(value + delta, 'g', 15));
}

void MainToolbars::ATransformExecute() {
    bool okX = false, okY = false;
    double x = edX->text().toInt(&okX);
    double y = edY->text().toInt(&okY);
    if (!okX || !okY) {
        const QString bad = okX ? edY->text() : edX->text();
        interaction_.showMessage(&window_,
                                 QStringLiteral("'%1' is not a valid integer value").arg(bad),
                                 QString(), Interaction::Icon::Error);
        return;
    }
    TMDIChild* window = activeDesignWindow_();
    if (window == nullptr)
        return;
    window->FromDisplayUnits(x);
    window->FromDisplayUnits(y);
    if (!window->design().tree.empty())
        window->Redraw();
}

} // namespace vantor

#include "canvas/DesignWindow.h"

#include "analysis/Stability.h"
#include "analysis/Summary.h"
#include "canvas/DesignDrawing.h"
#include "canvas/DisplayUnits.h"
#include "canvas/QtDrawingSurface.h"
#include "canvas/RulerScale.h"
#include "interaction/Interaction.h"
#include "model/AxisValues.h"
#include "model/Placing.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <cmath>

namespace vantor {

namespace {

// Ten pixels of ticks and, above (or beside) them, a band for the numbers.
constexpr int RulerTicks = 10;
constexpr int RulerThickness = 24;
constexpr int RulerFontPixels = 10;
const QColor MarginColour(212, 208, 200); // 13160660 as 0x00BBGGRR

bool PlacesDimension(PointerModeKind mode) {
    return mode == PointerModeKind::LinearDimension || mode == PointerModeKind::AngleDimension;
}

QSize ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize(1920, 1080);
}

// Borderless, stay-on-top window showing a picture; any key closes it.
class FullScreenPreview final : public QWidget {
public:
    FullScreenPreview(QWidget* owner, QImage picture)
        : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
          picture_(std::move(picture)) {
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName("FullScreenPreview");
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawImage(0, 0, picture_);
    }
    void keyPressEvent(QKeyEvent*) override { close(); }

private:
    QImage picture_;
};

} // namespace

TMDIChild::TMDIChild(DesignWindowHost& host, QWidget* parent, QSize imageSize)
    : QWidget(parent), host_(host) {
    setObjectName("MDIChild");
    history_.setDecimalSeparator(SystemDecimalSeparator());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    const QSize screen = ScreenSize();
    imageSize_ = imageSize.isValid() ? imageSize : QSize(7 * screen.width(), 2 * screen.height());

    pLinijkaTop = new QWidget(this);
    pLinijkaTop->setObjectName("pLinijkaTop");
    ImageTopScroll = new QLabel(pLinijkaTop);
    ImageTopScroll->setObjectName("ImageTopScroll");
    pLinijkaLeft = new QWidget(this);
    pLinijkaLeft->setObjectName("pLinijkaLeft");
    ImageLeftScroll = new QLabel(pLinijkaLeft);
    ImageLeftScroll->setObjectName("ImageLeftScroll");
    // The rulers are panels of their own: presses, moves and double clicks on them
    // stay there instead of selecting or placing dimension points in the drawing.
    for (QWidget* ruler : {pLinijkaTop, pLinijkaLeft})
        ruler->setAttribute(Qt::WA_NoMousePropagation);

    ScrollY = new QScrollBar(Qt::Vertical, this);
    ScrollY->setObjectName("ScrollY");
    ScrollX = new QScrollBar(Qt::Horizontal, this);
    ScrollX->setObjectName("ScrollX");
    for (QScrollBar* bar : {ScrollX, ScrollY}) {
        bar->setSingleStep(10);
        bar->setPageStep(100);
        bar->setRange(0, 0);
        connect(bar, &QScrollBar::valueChanged, this, [this] { ScrollXChange(); });
    }

    // A failing summary is reported once for each state of the design, not at every
    // zoom, scroll or resize.
    connect(&history_, &EditHistory::changed, this, [this] { summaryFailureReported_ = false; });
    connect(&history_, &EditHistory::saved, this, [this] {
        // A placement under way adds to the newest dimension until its last point.
        savedDuringPlacement_ = PlacesDimension(host_.pointerMode()) && !design_.Dimensions.empty();
    });

    ViewRect = QRect(0, 0, width(), height());
    SourceRect = ViewRect;
    updateScrollMaxima();
    FormCreate();
}

TMDIChild::~TMDIChild() {
    host_.designWindowDestroyed(*this);
}

void TMDIChild::FormCreate() {
    Scale = 1.0;
    host_.designWindowCreated(*this);
    design_.clear();
    DrawRulers();
    Redraw();
    host_.setPointerMode(PointerModeKind::Default);
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    if (!host_.mayCloseDesignWindow(*this)) {
        event->ignore();
        return;
    }
    host_.designWindowClosing(*this);
    QWidget::closeEvent(event);
}

void TMDIChild::setScale(double scale) {
    Scale = scale;
    FormResize();
}

void TMDIChild::zoomAround(double scale, QPoint at) {
    if (!std::isfinite(scale))
        return;
    const double drawingX = toImage(at.x(), at.y()).x() / Scale;
    setScale(std::clamp(scale, MinZoom, MaxZoom));
    scrollAcrossTo(drawingX * Scale - at.x() + ViewRect.left());
}

void TMDIChild::zoomToFit() {
    double left = HUGE_VAL, right = -HUGE_VAL, top = HUGE_VAL, bottom = -HUGE_VAL;
    for (const auto& element : design_.Elements)
        for (const TPoints& p : element->Points)
            if (std::isfinite(p.x) && std::isfinite(p.y)) {
                left = std::min(left, p.x);
                right = std::max(right, p.x);
                top = std::min(top, p.y);
                bottom = std::max(bottom, p.y);
            }
    if (!(left <= right))
        return;
    // A margin of 20 pixels on every side; a rocket is at least a pixel long and high.
    const double across = std::max(1.0, width() - 40.0) / std::max(1.0, right - left);
    const double halfHeight = std::max(bottom - AxisY, AxisY - top);
    const double down = std::max(1.0, height() - 40.0) / std::max(1.0, 2 * halfHeight);
    setScale(std::clamp(std::min(across, down), MinZoom, MaxZoom));
    scrollAcrossTo((left + right) / 2 * Scale - width() / 2.0 + ViewRect.left());
}

void TMDIChild::scrollAcrossTo(double position) {
    ScrollX->setValue(static_cast<int>(std::clamp(position, 0.0, double(ScrollX->maximum()))));
}

QRect TMDIChild::visibleImagePart() const {
    return SourceRect.intersected(QRect(QPoint(0, 0), imageSize_));
}

void TMDIChild::setSourceFromScroll() {
    SourceRect = QRect(ScrollX->value(), ScrollY->value(), width(), height());
}

void TMDIChild::updateScrollMaxima() {
    ScrollX->setMaximum(std::max(0, imageSize_.width() + ScrollY->sizeHint().width() - width()));
    ScrollY->setMaximum(std::max(0, imageSize_.height() + ScrollX->sizeHint().height() - height()));
}

void TMDIChild::resizeEvent(QResizeEvent*) {
    FormResize();
}

void TMDIChild::FormResize() {
    const int clientWidth = width();
    const int clientHeight = height();
    ViewRect = QRect(0, 0, clientWidth, clientHeight);
    {
        // Centre the rocket's axis vertically, whatever the previous scroll position.
        const QSignalBlocker blockY(ScrollY);
        const double axis = static_cast<double>(AxisY) * Scale - height() / 2;
        ScrollY->setValue(static_cast<int>(std::clamp(axis, -1e9, 1e9)));
    }
    setSourceFromScroll();

    margins_ = false;
    if (imageSize_.width() < clientWidth) {
        ViewRect.moveLeft((clientWidth - imageSize_.width()) / 2);
        margins_ = true;
    }
    if (imageSize_.height() < clientHeight) {
        ViewRect.moveTop((clientHeight - imageSize_.height()) / 2);
        margins_ = true;
    }

    {
        const QSignalBlocker blockX(ScrollX);
        const QSignalBlocker blockY(ScrollY);
        ScrollX->setVisible(clientWidth < imageSize_.width());
        ScrollY->setVisible(clientHeight < imageSize_.height());
        updateScrollMaxima();
    }
    setSourceFromScroll();
    layoutChildren();
    Redraw();
}

void TMDIChild::ScrollXChange() {
    updateScrollMaxima();
    ViewRect = QRect(0, 0, width(), height());
    margins_ = false;
    setSourceFromScroll();
    Redraw();
}

void TMDIChild::layoutChildren() {
    const int w = width(), h = height();
    // Whether a bar is meant to show, not whether it shows now: a window laid out before
    // it is first shown has no visible children yet.
    const int barHeight = !ScrollX->isHidden() ? ScrollX->sizeHint().height() : 0;
    const int barWidth = !ScrollY->isHidden() ? ScrollY->sizeHint().width() : 0;
    pLinijkaTop->setGeometry(0, 0, w, RulerThickness);
    ScrollX->setGeometry(0, h - barHeight, w, barHeight);
    ScrollY->setGeometry(w - barWidth, RulerThickness, barWidth, h - RulerThickness - barHeight);
    pLinijkaLeft->setGeometry(0, RulerThickness, RulerThickness, h - RulerThickness - barHeight);
    ImageTopScroll->setGeometry(pLinijkaTop->rect());
    ImageLeftScroll->setGeometry(pLinijkaLeft->rect());
}

void TMDIChild::setRulersVisible(bool visible) {
    pLinijkaTop->setVisible(visible);
    pLinijkaLeft->setVisible(visible);
}

void TMDIChild::DrawRulers() {
    // The rulers measure the drawing in the display unit: the top one from the nose tip,
    // the left one from the rocket's axis (upwards), following the zoom and the view.
    const double unit = MillimetresIn(host_.unitChoice().length);
    const double across = (double(SourceRect.left() - ViewRect.left()) / Scale - OriginX) / unit;
    const double down =
        (AxisY - double(RulerThickness + SourceRect.top() - ViewRect.top()) / Scale) / unit;
    const qreal ratio = devicePixelRatioF();
    const RulerState state{
        pLinijkaTop->width(),     pLinijkaLeft->height(), across, down, Scale * unit, ratio,
        host_.unitChoice().length};
    if (rulerState_ && *rulerState_ == state)
        return; // nothing they show has changed
    rulerState_ = state;

    QFont font = this->font();
    font.setPixelSize(RulerFontPixels);
    const QFontMetricsF metrics(font);
    const auto width = [&metrics](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromStdString(text));
    };
    const char separator = SystemDecimalSeparator();
    const QColor face = palette().color(QPalette::Button);
    QPen tick(Qt::black);
    tick.setCosmetic(true); // one device pixel at any pixel ratio
    const QString symbol = QString::fromStdString(UnitSymbol(host_.unitChoice().length));
    // Drawn at device resolution.
    const auto canvas = [&](QSize size) {
        QImage image(size.expandedTo(QSize(1, 1)) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(face);
        return image;
    };

    QImage top = canvas({state.topLength, RulerThickness});
    {
        QPainter painter(&top);
        painter.setFont(font);
        painter.setPen(tick);
        // The unit in the corner above the left ruler; numbers start to its right.
        painter.drawText(QRectF(0, 0, RulerThickness, RulerThickness), Qt::AlignCenter, symbol);
        for (const RulerTick& t :
             PlanRuler(across, Scale * unit, state.topLength, width, separator)) {
            const double x = std::floor(t.position) + 0.5;
            painter.drawLine(QPointF(x, t.labelled ? RulerThickness - RulerTicks
                                                   : RulerThickness - RulerTicks / 2),
                             QPointF(x, RulerThickness));
            if (t.labelled && x + 2 > RulerThickness)
                painter.drawText(QPointF(x + 2, RulerThickness - RulerTicks - 2),
                                 QString::fromStdString(t.label));
        }
    }
    QImage left = canvas({RulerThickness, state.leftLength});
    {
        QPainter painter(&left);
        painter.setFont(font);
        painter.setPen(tick);
        for (const RulerTick& t :
             PlanRuler(down, -Scale * unit, state.leftLength, width, separator)) {
            const double y = std::floor(t.position) + 0.5;
            painter.drawLine(
                QPointF(t.labelled ? RulerThickness - RulerTicks : RulerThickness - RulerTicks / 2,
                        y),
                QPointF(RulerThickness, y));
            if (!t.labelled)
                continue;
            // Read from below, as a drawing's vertical dimensions are.
            painter.save();
            painter.translate(RulerThickness - RulerTicks - 2, y - 2);
            painter.rotate(-90);
            painter.drawText(QPointF(0, 0), QString::fromStdString(t.label));
            painter.restore();
        }
    }
    ImageTopScroll->setPixmap(QPixmap::fromImage(top));
    ImageLeftScroll->setPixmap(QPixmap::fromImage(left));
    ImageTopScroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ImageLeftScroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TMDIChild::DrawGrid(QImage& image) {
    if (!host_.gridShown())
        return;
    const GridOptions grid = host_.gridOptions();
    const int sx = std::max(1, grid.spacingX);
    const int sy = std::max(1, grid.spacingY);
    QPainter painter(&image);
    painter.translate(-bufferOrigin_);
    QPen pen(grid.colour, 1);
    pen.setCosmetic(true); // one device pixel at any pixel ratio
    painter.setPen(pen);
    const int right = SourceRect.left() + SourceRect.width();
    const int bottom = SourceRect.top() + SourceRect.height();
    for (int x = SourceRect.left() + sx; x < right; x += sx)
        painter.drawLine(x, 0, x, bottom);
    for (int y = SourceRect.top(); y < bottom; y += sy)
        painter.drawLine(0, y, right, y);
}

void TMDIChild::Redraw() {
    if (redrawing_) {
        redrawPending_ = true;
        return;
    }
    redrawing_ = true;
    const QRect part = visibleImagePart();
    bufferOrigin_ = part.topLeft();
    // The buffer has the screen's pixel density: one drawing unit stays one logical
    // pixel at zoom 1, and lines and texts are drawn with all the device's pixels.
    const qreal ratio = devicePixelRatioF();
    const QSize deviceSize = part.size().expandedTo(QSize(1, 1)) * ratio;
    if (buffer_.size() != deviceSize || buffer_.devicePixelRatio() != ratio) {
        buffer_ = QImage(deviceSize, QImage::Format_ARGB32_Premultiplied);
        buffer_.setDevicePixelRatio(ratio);
    }
    buffer_.fill(Qt::white);
    DrawGrid(buffer_);
    {
        QtDrawingSurface surface(buffer_, Scale, bufferOrigin_);
        // Pointer handling moves points and sizes directly, so every redraw places first.
        PlaceDesign(design_, SystemDecimalSeparator());
        DrawDesign(design_, surface);
        // The standard analysis's marker goes under the summary's two markers, which
        // stay on top exactly as they are drawn without it.
        AnalyseStability(surface);
        LiczParametry(surface);
    }
    DrawRulers();
    update();
    redrawing_ = false;
    if (redrawPending_) {
        redrawPending_ = false;
        Redraw();
    }
}

const Design& TMDIChild::placedDesign() {
    PlaceDesign(design_, SystemDecimalSeparator());
    return design_;
}

void TMDIChild::LiczParametry(DrawingSurface& surface) {
    const Summary summary = ComputeSummary(design_, &surface, SystemDecimalSeparator());
    host_.showSummary(summary);
    // Said in the status bar: a box at every redraw would stop the user at every zoom.
    if (summary.failed && !summaryFailureReported_)
        host_.showStatusMessage(QString::fromLatin1(SummaryErrorMessage));
    summaryFailureReported_ = summary.failed;
}

void TMDIChild::AnalyseStability(DrawingSurface& surface) {
    const StabilityAnalysis analysis = vantor::AnalyseStability(design_);
    if (analysis.cp && host_.stabilityMarkerShown())
        DrawStabilityCpMarker(surface, OriginX + *analysis.cp);
    host_.showStability(analysis);
}

QRgb TMDIChild::backBufferPixel(int x, int y) const {
    // The device pixel at the top left of the image pixel.
    const QPointF at = QPointF(QPoint(x, y) - bufferOrigin_) * buffer_.devicePixelRatio();
    const QPoint device(int(std::floor(at.x())), int(std::floor(at.y())));
    if (!buffer_.rect().contains(device))
        return 0;
    return buffer_.pixel(device);
}

bool TMDIChild::event(QEvent* event) {
    // Moved to a screen of another pixel density: draw the rulers and the design anew
    // at the new density.
    if (event->type() == QEvent::ScreenChangeInternal &&
        buffer_.devicePixelRatio() != devicePixelRatioF()) {
        DrawRulers();
        Redraw();
    }
    return QWidget::event(event);
}

void TMDIChild::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (margins_) {
        const int w = width(), h = height();
        const int left = ViewRect.left(), top = ViewRect.top();
        const int right = ViewRect.left() + ViewRect.width();
        const int bottom = ViewRect.top() + ViewRect.height();
        painter.fillRect(QRect(QPoint(0, 0), QPoint(right - 1, top - 1)), MarginColour);
        painter.fillRect(QRect(QPoint(0, top), QPoint(left - 1, bottom - 1)), MarginColour);
        painter.fillRect(QRect(QPoint(w - left, top), QPoint(w - 1, bottom - 1)), MarginColour);
        painter.fillRect(QRect(QPoint(0, h - top), QPoint(w - 1, h - 1)), MarginColour);
    } else {
        painter.fillRect(rect(), Qt::white);
    }
    // The buffer holds the visible part of the image, which starts SourceRect's corner
    // away from the corner of ViewRect.
    painter.drawImage(ViewRect.topLeft() + (bufferOrigin_ - SourceRect.topLeft()), buffer_);
}

void TMDIChild::ShowFullScreen() {
    const QSize screen = ScreenSize();
    setScale(1.0);
    ViewRect = QRect(QPoint(0, 0), screen);
    SourceRect = ViewRect;
    Redraw();
    QImage picture(screen * buffer_.devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(buffer_.devicePixelRatio());
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.drawImage(bufferOrigin_, buffer_);
    }
    if (fullScreen_)
        fullScreen_->close();
    auto* preview = new FullScreenPreview(this, std::move(picture));
    fullScreen_ = preview;
    preview->setGeometry(QRect(QPoint(0, 0), screen));
    preview->showFullScreen();
    preview->activateWindow();
}

void TMDIChild::ToDisplayUnits(double& value) const {
    value = vantor::ToDisplayUnits(value, host_.displayUnitIndex(), Scale, logicalDpiX());
}

void TMDIChild::FromDisplayUnits(double& value) const {
    value = vantor::FromDisplayUnits(value, host_.displayUnitIndex(), Scale, logicalDpiX());
}

QPointF TMDIChild::toImage(int x, int y) const {
    return QPointF(x + ScrollX->value() - ViewRect.left(), y + ScrollY->value() - ViewRect.top());
}

bool TMDIChild::SelectAt(double x, double y) {
    bool hit = false;
    for (ElementTree::Node* node : design_.tree.nodesInOrder()) {
        TRocketElement* element = node->element;
        if (element == nullptr || !element->AnswersPointer(x, y))
            continue;
        const std::size_t n = std::min(design_.tree.nodeCount(), design_.Elements.size());
        for (std::size_t i = 0; i < n; ++i)
            design_.Elements[i]->Selected = false;
        element->Selected = true;
        host_.selectElementNode(node);
        Redraw();
        hit = true;
    }
    return hit;
}

void TMDIChild::FormMouseDown(Qt::MouseButtons buttons, int x, int y) {
    const QPointF image = toImage(x, y);
    if (design_.tree.empty() && design_.Dimensions.empty())
        return;
    if (buttons & Qt::RightButton)
        return;
    const QPointF drawing = image / Scale;
    const PointerModeKind mode = host_.pointerMode();
    bool placed = false;
    if (PlacesDimension(mode) && !design_.Dimensions.empty()) {
        TShaped& dimension = *design_.Dimensions.front();
        dimension.Points.push_back({drawing.x(), drawing.y()});
        if (dimension.Points.size() > 3) {
            dimension.Points.erase(dimension.Points.begin() + 3, dimension.Points.end());
            host_.setPointerMode(PointerModeKind::Default);
            placed = true;
        }
    }
    const PointerModeKind now = host_.pointerMode();
    if (now == PointerModeKind::Default || now == PointerModeKind::SelectAndMove) {
        SelectAt(drawing.x(), drawing.y());
        // The finished placement is one step, recorded once its redraw has shown it.
        if (placed) {
            history_.record(RecordPlacedDimension(design_, *design_.Dimensions.front()));
            if (savedDuringPlacement_)
                history_.leaveSavedState();
            savedDuringPlacement_ = false;
        }
        if (now == PointerModeKind::SelectAndMove && (buttons & Qt::LeftButton)) {
            const ElementTree::Node* node = host_.selectedElementNode();
            if (node != nullptr && node->element != nullptr)
                slide_ = BeginSlide(design_, *node->element);
        }
        return;
    }
    if (design_.tree.empty())
        return;
    // Vertex picking acts on the element listed at the selected node's index.
    const int index = design_.tree.absoluteIndex(host_.selectedElementNode());
    if (index < 0 || static_cast<std::size_t>(index) >= design_.Elements.size())
        return;
    design_.Elements[static_cast<std::size_t>(index)]->PickVertex(
        static_cast<int>(std::trunc(drawing.x())), static_cast<int>(std::trunc(drawing.y())));
    Redraw();
}

void TMDIChild::FormMouseMove(Qt::MouseButtons buttons, int x, int y) {
    const QPointF image = toImage(x, y);
    const double a = image.x(), b = image.y();
    const PointerModeKind mode = host_.pointerMode();
    if ((!design_.tree.empty() || !design_.Dimensions.empty()) &&
        host_.isActiveDesignWindow(*this) && PlacesDimension(mode) && !design_.Dimensions.empty() &&
        !design_.Dimensions.front()->Points.empty()) {
        design_.Dimensions.front()->Points.back() = {a / Scale, b / Scale};
        Redraw();
    }
    if (mode == PointerModeKind::SelectAndMove && (buttons & Qt::LeftButton)) {
        if (design_.Elements.empty())
            return;
        const ElementTree::Node* node = host_.selectedElementNode();
        if (TRocketElement* element = node != nullptr ? node->element : nullptr) {
            // A press that started outside this window's slides has no edit yet.
            if (!slide_)
                slide_ = BeginSlide(design_, *element);
            SlideTo(*element, a / Scale);
        }
        Redraw();
    }
    if (const auto readout = PointerReadout(a, b, host_.displayUnitIndex(), Scale, logicalDpiX(),
                                            SystemDecimalSeparator()))
        host_.showPointerReadout(QString::fromStdString(*readout));
}

void TMDIChild::FormMouseUp() {
    if (slide_)
        history_.record(std::move(slide_));
}

void TMDIChild::FormDblClick() {
    host_.editSelectedElement();
}

void TMDIChild::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    FormMouseDown(event->buttons() | event->button(), at.x(), at.y());
}

void TMDIChild::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    FormMouseMove(event->buttons(), at.x(), at.y());
}

void TMDIChild::mouseReleaseEvent(QMouseEvent*) {
    FormMouseUp();
}

void TMDIChild::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        FormDblClick();
}

void TMDIChild::contextMenuEvent(QContextMenuEvent* event) {
    if (QMenu* menu = host_.designContextMenu())
        menu->popup(event->globalPos());
}

void TMDIChild::wheelEvent(QWheelEvent* event) {
    // Ctrl and the wheel zoom by a quarter a notch around the pointer.
    if (event->modifiers() & Qt::ControlModifier) {
        const double notches = event->angleDelta().y() / 120.0;
        zoomAround(Scale * std::pow(1.25, notches), event->position().toPoint());
        return;
    }
    QScrollBar* bar = event->modifiers() & Qt::ShiftModifier ? ScrollX : ScrollY;
    bar->setValue(bar->value() - event->angleDelta().y());
}

} // namespace vantor

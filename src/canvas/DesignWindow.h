#pragma once

#include "canvas/DesignWindowHost.h"
#include "editing/DesignDocument.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <optional>

class QScrollBar;
class QLabel;

namespace vantor {

class DrawingSurface;

// The design window: one rocket design drawn in side view. It holds the design's document
// (design, history, file name), draws everything into a back buffer at the current zoom,
// shows the visible part with scroll bars and two rulers, lays the optional grid, runs the
// summary after every redraw, and turns pointer events into selection, sliding and
// dimension placement.
//
// The back buffer is an image of 7 x 2 screens in which the view scrolls ("image
// coordinates"). Only its visible part is kept in memory: a redraw clears and paints
// exactly that part, so keeping the rest would hold nothing that is ever shown.
class TMDIChild : public QWidget {
    Q_OBJECT

public:
    // `imageSize` is the size of the whole back buffer; by default 7 screen widths by
    // 2 screen heights.
    TMDIChild(DesignWindowHost& host, QWidget* parent = nullptr, QSize imageSize = {});
    ~TMDIChild() override;

    // The design with its history, file name and modified state.
    DesignDocument& document() { return document_; }
    // The design with its Elements and Dimensions.
    Design& design() { return design_; }
    // The design placed as the window shows it, for output and the 3D view.
    const Design& placedDesign();
    // The design's undo history and modified state.
    EditHistory& history() { return history_; }

    double scale() const { return Scale; }
    // Sets the zoom and recomputes the view as a resize does.
    void setScale(double scale);
    // Zooms to `scale` (kept between MinZoom and MaxZoom) so that the drawing point under
    // the window point `at` stays under it across; the axis stays centred.
    void zoomAround(double scale, QPoint at);
    // Zooms and scrolls so that the whole rocket fills the window.
    void zoomToFit();
    static constexpr double MinZoom = 0.05;
    static constexpr double MaxZoom = 20;

    void Redraw();
    void ShowFullScreen();
    // Converts a value in image pixels to the display unit, and back, in place.
    void ToDisplayUnits(double& value) const;
    void FromDisplayUnits(double& value) const;
    // Selects the element under the drawing point, as a press in the default mode does.
    bool SelectAt(double x, double y);
    // Shows or hides both rulers.
    void setRulersVisible(bool visible);

    QSize imageSize() const { return imageSize_; }
    QRect viewRect() const { return ViewRect; }
    QRect sourceRect() const { return SourceRect; }
    QScrollBar* scrollX() const { return ScrollX; }
    QScrollBar* scrollY() const { return ScrollY; }
    // The colour of the back buffer at an image pixel; transparent black outside the
    // visible part.
    QRgb backBufferPixel(int x, int y) const;
    // The part of the back buffer that the last redraw painted.
    const QImage& backBuffer() const { return buffer_; }

    void FormMouseDown(Qt::MouseButtons buttons, int x, int y);
    void FormMouseMove(Qt::MouseButtons buttons, int x, int y);
    // The end of a press: a slide that moved something becomes one step.
    void FormMouseUp();
    void FormDblClick();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Scrolls across to `position` pixels of the image, kept within the scroll bar's range.
    void scrollAcrossTo(double position);
    void FormCreate();
    void FormResize();
    void ScrollXChange();
    void DrawRulers();
    void DrawGrid(QImage& image);
    void LiczParametry(DrawingSurface& surface);
    // Runs the standard stability analysis, draws its marker when shown and hands the
    // result to the object window.
    void AnalyseStability(DrawingSurface& surface);
    void updateScrollMaxima();
    void layoutChildren();
    void setSourceFromScroll();
    QPointF toImage(int x, int y) const;
    QRect visibleImagePart() const;

    DesignWindowHost& host_;
    DesignDocument document_;
    Design& design_ = document_.design();
    EditHistory& history_ = document_.history();
    // The slide under way from a press to its release.
    std::unique_ptr<DesignEdit> slide_;
    double Scale = 1.0;
    QSize imageSize_;
    QImage buffer_;
    QPoint bufferOrigin_;
    QRect ViewRect;
    QRect SourceRect;
    bool margins_ = false;

    QWidget* pLinijkaTop = nullptr;
    QWidget* pLinijkaLeft = nullptr;
    QLabel* ImageTopScroll = nullptr;
    QLabel* ImageLeftScroll = nullptr;
    QScrollBar* ScrollX = nullptr;
    QScrollBar* ScrollY = nullptr;
    QPointer<QWidget> fullScreen_;
    // What the rulers show; they are drawn anew only when it changes.
    struct RulerState {
        int topLength;
        int leftLength;
        double across; // the value at the top ruler's start
        double down;   // the value at the left ruler's start
        double pixelsPerUnit;
        double ratio;
        LengthUnit unit;
        bool operator==(const RulerState&) const = default;
    };
    std::optional<RulerState> rulerState_;

    // A redraw asked for while one runs (by a handler it calls) waits until it ends
    // instead of re-entering.
    bool redrawing_ = false;
    bool redrawPending_ = false;
    // The summary's failure was reported for the design as it is; a change asks anew.
    bool summaryFailureReported_ = false;
    // The design was saved while a dimension was half placed: the file holds the half
    // dimension, which undoing its placement does not bring back.
    bool savedDuringPlacement_ = false;
};

} // namespace vantor

#pragma once

#include "model/DrawingSurface.h"
#include "model/Points.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantor {

class RecordSink;

// The pen a shape is given when it is registered in a design. Only its width takes
// part in geometry (GetBounds); the colour is 0x00BBGGRR.
struct TPen {
    int Width = 1;
    std::uint32_t Color = 0;
};

// What the sampled-area grid of an outline holds: every integer point of the bounding
// box, the points inside the outline, and the sum of the inside points' abscissae.
struct SampledGrid {
    std::int64_t all = 0;
    std::int64_t inside = 0;
    long double insideXSum = 0;
};

// The drawable shape: an ordered outline of points in drawing units plus the flags and
// references it needs to draw itself. Base of every rocket element and dimension.
class TShaped {
public:
    TShaped();
    virtual ~TShaped();
    TShaped(const TShaped&) = delete;
    TShaped& operator=(const TShaped&) = delete;

    // Paints the shape as it is placed; changes nothing.
    virtual void Draw(DrawingSurface& surface) const;
    // Puts the shape where its inputs say and refreshes every value derived from them (an
    // element's outline from its parent, a dimension's caption from its points, written
    // with `decimalSeparator`). PlaceDesign calls it in tree order.
    virtual void Place(char decimalSeparator);
    // Moves entry `index` of `source` to the end of `target`.
    virtual void TransferTo(std::vector<std::unique_ptr<TShaped>>& source,
                            std::vector<std::unique_ptr<TShaped>>& target, std::size_t index);
    virtual void Translate(double dx, double dy);
    virtual void MoveTo(int x, int y);
    // The selection handles, while the shape is selected and the surface shows selection.
    void DrawHandles(DrawingSurface& surface) const;
    virtual void Rotate(double cx, double cy, double angle);
    virtual void GetBounds(double& width, double& height, double& left, double& top) const;
    // Writes the shape's dimension record: class name, caption, point count, points.
    virtual void SaveToFile(RecordSink& out) const;
    virtual void ScaleUp(double factor);
    virtual void ScaleDown(double factor);
    virtual void ScaleUpAboutCentre(double factor);
    virtual void ScaleDownAboutCentre(double factor);
    virtual PointI GetCentre() const;
    virtual double ShapeArea() const;
    virtual double ComputeCG() const;

    bool ContainsPoint(double x, double y) const;
    bool NearFirstPoint(double x, double y) const;
    // Picks the first vertex within 5 units and highlights it on `highlight` when given;
    // the caller redraws the design window afterwards.
    void PickVertex(int x, int y, DrawingSurface* highlight = nullptr);
    bool DeleteHotVertex(double x, double y);
    void FlipVertical();

    double MinX() const;
    double MinY() const;
    double MaxX() const;
    double MaxY() const;

    // The counts behind ShapeArea and the sampled centroid, computed row by row.
    SampledGrid SampleGrid() const;

    bool PointEditing = false;
    bool Flipped = false;
    std::string ClassName = "TShaped";
    std::vector<TPoints> Points;
    std::optional<TPen> Pen;
    std::string Caption = "Shape";
    bool Selected = false;
    bool Visible = true;
    bool Editable = true;
    bool HasBitmap = false;
    std::int32_t HotPoint = 0;

protected:
    // Whether the shape is drawn as selected on `surface`.
    bool ShownSelected(const DrawingSurface& surface) const {
        return Selected && surface.showsSelection();
    }
    void ScaleAboutCentre(double factor, bool up);
};

// Colour of a selected shape's outline.
inline constexpr Argb SelectedColour = MakeArgb(255, 20, 20, 200);
// Colour of the selection handles.
inline constexpr Argb HandleColour = MakeArgb(255, 100, 100, 100);

// Whether (x, y) lies inside the closed outline, by the even-odd rule.
bool OutlineContains(std::span<const TPoints> outline, double x, double y);

} // namespace vantor

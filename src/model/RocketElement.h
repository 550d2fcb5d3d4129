#pragma once

#include "model/Shaped.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vantor {

struct PointD {
    double x = 0;
    double y = 0;
};

// A rocket component: its sizes, material and weight, its parent, and the quantities
// (area, weight, centre of gravity, centre of pressure) the summary is made from.
//
// Placing rebuilds each kind's outline from its sizes, its parent and the centre line, and
// refreshes the cached Area, CP and CG; drawing only paints the placed outline. An element
// whose outline holds fewer points than its kind draws with, or whose parent has no
// outline yet, is neither placed nor drawn.
class TRocketElement : public TShaped {
public:
    TRocketElement();

    // Places the outline from the parent, then refreshes the cached quantities.
    void Place(char decimalSeparator) final;
    // Rebuilds the outline (and Corners) from the parent; the kinds do this.
    virtual void PlaceFromParent() {}
    // Stores Area, CP and CG as computed from the placed outline.
    virtual void RefreshDerived();

    double ComputeCG() const override;
    // Writes the element's design-file record; `parentIndex` is the absolute index of
    // the parent's tree node, -1 for a root.
    virtual void SaveElement(RecordSink& out, std::int32_t parentIndex) const;
    virtual double ComputeArea() const = 0;
    virtual double ComputeWeight();
    // The component's centre-of-pressure abscissa, or exactly 0 for kinds that take no
    // part. A position the formula cannot give (a division by zero) comes back as NaN,
    // so the summary reports it instead of using it.
    virtual double ComputeCP() const;

    // Number of outline points the kind draws with.
    virtual std::size_t OutlinePointCount() const = 0;
    // Whether a pointer at (x, y) picks the element: inside its outline or at its first
    // point.
    virtual bool AnswersPointer(double x, double y) const {
        return ContainsPoint(x, y) || NearFirstPoint(x, y);
    }

    std::string AllowedParents;
    // Cached by the last placing (RefreshDerived); nothing reads them to compute others.
    float Area = 0;
    float CG = 0;
    float CP = 0;
    std::int32_t ParentIndex = -1;
    TRocketElement* Parent = nullptr; // not owned
    float Weight = 0;
    float Density = 0.00065f;
    float Length = 100;
    float DiameterA = 50;
    float DiameterB = 0;
    float Thickness = 2;
    float Offset = 0;
    std::string Material;
    std::array<PointD, 4> Corners{};

protected:
    // Abscissa of the first outline point, 0 while there is none.
    double FirstX() const;
    bool HasOutline() const { return Points.size() >= OutlinePointCount(); }
    // Whether the element can be placed and drawn: shown, with a full outline, and with a
    // placed parent (or, without a parent, an own first point).
    bool Placeable() const;
    // Whether the outline starts from the parent; a nose starts at its own first point.
    virtual bool FollowsParent() const { return true; }
    // Where an element that follows its parent's rear end starts: the parent's first
    // abscissa plus the parent's length. An element without a parent (possible in a
    // design file) stays where its own first point is. False when the point is missing.
    bool StartBehindParent(double& x0) const;
    // Where an element placed along its parent starts: the parent's first abscissa plus
    // the own Offset; without a parent, its own first point.
    bool StartAlongParent(double& x0) const;
    // Stores a computed weight and returns the stored value. A weight beyond the range of
    // the field is not stored: the computation failed and the weight stays as it was.
    double StoreWeight(double weight);
    // The outline colour: the selection colour while shown selected.
    Argb OutlineColour(const DrawingSurface& surface, Argb normal) const {
        return ShownSelected(surface) ? SelectedColour : normal;
    }
    // Draws lines through the outline points and closes it from the first to the last;
    // with `fill`, also fills the motor's red body rectangle.
    void DrawPolygonRoutine(DrawingSurface& surface, Argb colour, bool fill) const;
};

// Division for the component formulas: NaN where the divisor is zero or the quotient is
// not a finite number.
double DivideOrNaN(double numerator, double denominator);

inline constexpr Argb BlackColour = MakeArgb(255, 0, 0, 0);
inline constexpr Argb MotorColour = MakeArgb(255, 255, 30, 30);
inline constexpr Argb MotorFillColour = MakeArgb(255, 200, 0, 0);
inline constexpr double Pi = 3.141592653589793;

} // namespace vantor

#include "model/Ballast.h"

#include "model/AxisValues.h"

namespace vantor {

TBalast::TBalast() {
    ClassName = "TBalast";
    Caption = "Ballast";
    AllowedParents = FrontSectionParents;
}

void TBalast::PlaceFromParent() {
    double x0;
    if (StartAlongParent(x0))
        Points[0].x = x0;
}

void TBalast::Draw(DrawingSurface& surface) const {
    if (!Placeable())
        return;
    surface.fillPie(ShownSelected(surface) ? SelectedColour : BlackColour,
                    RectF{Points[0].x, AxisY - 6.0, 12, 12}, 0, 360);
}

} // namespace vantor

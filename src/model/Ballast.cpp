#include "model/Ballast.h"

#include "model/AxisValues.h"
#include "model/Kinds.h"

namespace vantor {

TBalast::TBalast() {
    AdoptKind(*this, "TBalast");
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

#include "model/Ballast.h"

#include "model/AxisValues.h"
#include "model/Kinds.h"

namespace vantor {

TBalast::TBalast() {
    AdoptKind(*this, "TBalast");
}

void TBalast::Draw() {
    double x0;
    if (!Visible || !HasOutline() || !StartAlongParent(x0))
        return;
    Points[0].x = x0;
    if (Canvas != nullptr)
        Canvas->fillPie(Selected ? SelectedColour : BlackColour, RectF{x0, AxisY - 6.0, 12, 12}, 0,
                        360);
}

} // namespace vantor

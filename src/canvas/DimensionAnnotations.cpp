#include "canvas/DimensionAnnotations.h"

namespace vantor {

TWymiar::TWymiar() {
    ClassName = "TWymiar";
    Caption = "Wymiar";
}

// Not drawn yet: the annotation drawing is still to be written.
void TWymiar::Draw() {}

TWymiarPoziomy::TWymiarPoziomy() {
    ClassName = "TWymiarPoziomy";
    Caption = "WymiarPoziomy";
}

void TWymiarPoziomy::Draw() {}

TWymiarPionowy::TWymiarPionowy() {
    ClassName = "TWymiarPionowy";
    Caption = "WymiarPionowy";
}

void TWymiarPionowy::Draw() {}

TAngleWymiar::TAngleWymiar() {
    ClassName = "TAngleWymiar";
    Caption = "Wymiar";
}

void TAngleWymiar::Draw() {}

PointI TAngleWymiar::GetCentre() const {
    return TShaped::GetCentre();
}

} // namespace vantor

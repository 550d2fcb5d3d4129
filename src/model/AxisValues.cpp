#include "model/AxisValues.h"

namespace vantor {

float OriginX = 0.0f;
float AxisY = 0.0f;

} // namespace vantor

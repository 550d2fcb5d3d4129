#pragma once

#include "editing/DesignEdits.h"
#include "editing/ElementFields.h"
#include "motors/Motor.h"

#include <memory>
#include <optional>

namespace vantor {

// The fields of a motor component once a motor is chosen: its length, diameter and
// loaded mass (grams) and the caption that names it with the delay ("Estes C6-5"), so
// that the design file carries the choice unchanged. Every other field stays.
ElementFields FieldsWithMotor(ElementFields fields, const Motor& motor,
                              std::optional<double> delay);

// Puts the motor into the component as one edit.
std::unique_ptr<DesignEdit> ChooseMotor(Design& design, TRocketElement& element, const Motor& motor,
                                        std::optional<double> delay);

} // namespace vantor

#include "editing/MotorChoice.h"

#include "motors/MotorLibrary.h"

namespace vantor {

ElementFields FieldsWithMotor(ElementFields fields, const Motor& motor,
                              std::optional<double> delay) {
    fields.caption = MotorCaption(motor, delay);
    fields.length = static_cast<float>(motor.length);
    fields.diameterA = static_cast<float>(motor.diameter);
    fields.weight = static_cast<float>(motor.loadedMass);
    return fields;
}

std::unique_ptr<DesignEdit> ChooseMotor(Design& design, TRocketElement& element, const Motor& motor,
                                        std::optional<double> delay) {
    return ChangeFields(design, element, FieldsWithMotor(FieldsOf(element), motor, delay));
}

} // namespace vantor

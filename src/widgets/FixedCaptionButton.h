#pragma once

#include <QPushButton>

namespace vantor {

// A push button whose caption is part of the program, not of a language: the
// translation pass, which matches classes exactly, leaves it alone.
class FixedCaptionButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;
};

} // namespace vantor

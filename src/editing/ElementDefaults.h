#pragma once

#include "editing/ElementFields.h"

#include <string_view>

namespace vantor {

// The fields a component of `kind` is constructed with; empty fields for an unknown kind.
ElementFields DefaultFields(std::string_view kind);

// The fields an insertion command starts a new component of `kind` with, before the
// parameters dialog: the constructed fields, a ballast weighing 40 g, and a fin set with
// fins of root chord 90, sweep 50, tip chord 50 and span 40 (the sizes the dialog's fin
// page offers before any fin set was shown in it).
ElementFields NewElementFields(std::string_view kind);

} // namespace vantor

#pragma once

class QComboBox;
class QWidget;

namespace vantor {

// Creates the line-style list "PenNameBox": 14 entries whose texts are the pen widths,
// each drawn as a sample line in its style with "pkt." and the width beside it. Entry 0
// is selected.
QComboBox* CreatePenNameBox(QWidget* parent);

// The pen width of new shapes: the selected entry's text as an integer.
int CurrentPenWidth(const QComboBox& box);

} // namespace vantor

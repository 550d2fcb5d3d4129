#pragma once

#include <QPageLayout>

#include <string_view>

namespace vantor {

enum class Paper { A4, Letter, A3 };

struct PageSetup {
    Paper paper = Paper::A4;
    bool landscape = false;
};

// Margins on every side of every page, in millimetres.
inline constexpr double PageMargin = 10;

// The paper in the given orientation with the page margins.
QPageLayout MakePageLayout(const PageSetup& setup);

// "A4", "Letter" or "A3" (any letter case); false for anything else.
bool ParsePaper(std::string_view text, Paper& paper);

} // namespace vantor

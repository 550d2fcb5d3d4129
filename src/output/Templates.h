#pragma once

#include "output/OutputTexts.h"

#include <string>
#include <vector>

namespace vantor {

class Design;

// A point on a template, in millimetres; y grows downwards as on a page.
struct TemplatePoint {
    double x = 0;
    double y = 0;
};

// One step of a closed cut outline: a straight line, or a circular arc about `centre`
// from the current point to `to`. Arc angles are atan2 angles in page coordinates, so an
// arc whose end angle is greater than its start turns clockwise on the page.
struct OutlineStep {
    bool arc = false;
    TemplatePoint to;
    TemplatePoint centre;
    double radius = 0;
    double startAngle = 0;
    double endAngle = 0;
};

// A closed outline: from `start` through every step and back to `start`.
struct CutOutline {
    TemplatePoint start;
    std::vector<OutlineStep> steps;
};

// Height of a template's type in millimetres.
inline constexpr double DefaultTextSize = 3;

// A line that is drawn or scored, not cut.
struct MarkLine {
    TemplatePoint from;
    TemplatePoint to;
};

struct MarkText {
    TemplatePoint at; // left end of the text's base line, or its middle when centred
    std::string text;
    // Turned clockwise on the page about `at`, in degrees.
    double angle = 0;
    bool centred = false;
    // Height of the type in millimetres.
    double size = DefaultTextSize;
};

enum class TemplateKind { Fin, MarkingGuide, Wrap };

// A cutting template at 1:1: the outline lies within [0, width] x [0, height].
struct CutTemplate {
    TemplateKind kind = TemplateKind::Fin;
    // The component's record index in the design file (its tree node's absolute index).
    int recordIndex = 0;
    // "fin-3", "guide-1", "wrap-0".
    std::string id;
    // What it is and which component: "Fin set \"Fins\"".
    std::string title;
    std::string material;
    // How many to cut.
    int count = 1;
    double width = 0;
    double height = 0;
    CutOutline outline;
    std::vector<MarkLine> marks;
    std::vector<MarkText> texts;
};

// Width of the glue tab along a wrap's straight edge, in millimetres.
inline constexpr double GlueTabWidth = 8;

// The templates of a design in tree order: one fin outline per fin set, one marking
// guide per body tube that carries fin sets, and the unrolled surface of every conical
// nose and transition. Components whose sizes give no shape (a zero span, a flat cone,
// a value that is not a number) get no template.
// Titles and marks are in the language of `texts`.
std::vector<CutTemplate> BuildTemplates(const Design& design, const OutputTexts& texts = {});

// Each template kind on its own, for the components they are made from.
struct FinTemplateInput {
    double rootChord, sweep, tipChord, span;
};
bool MakeFinOutline(const FinTemplateInput& fin, CutTemplate& out);

// `front` and `rear` are the fin sets' root positions from the tube's front.
struct GuideFinSet {
    int count;
    double front, rear;
};
bool MakeMarkingGuide(double tubeDiameter, double tubeLength, const std::vector<GuideFinSet>& sets,
                      CutTemplate& out);

// The flat annular sector that rolls up into a frustum of the given end diameters and
// length (a cone when one diameter is 0; a rectangle when they are equal), with a glue
// tab along one straight edge.
bool MakeWrap(double diameterA, double diameterB, double length, CutTemplate& out);

} // namespace vantor

#include "output/Templates.h"

#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
#include "model/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vantor {

namespace {

// Room above the outline for the template's title and material.
constexpr double TextBand = 14;
// Narrowest template, so that its texts have room.
constexpr double MinWidth = 60;
// More fins than this on one tube is not a fin set anyone cuts.
constexpr int MaxFins = 64;

bool Finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

TemplatePoint Polar(TemplatePoint centre, double radius, double angle) {
    return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

void LineTo(CutOutline& outline, TemplatePoint to) {
    OutlineStep step;
    step.to = to;
    outline.steps.push_back(step);
}

void ArcTo(CutOutline& outline, TemplatePoint centre, double radius, double from, double to) {
    OutlineStep step;
    step.arc = true;
    step.centre = centre;
    step.radius = radius;
    step.startAngle = from;
    step.endAngle = to;
    step.to = Polar(centre, radius, to);
    outline.steps.push_back(step);
}

// Every point the outline passes through, arcs sampled finely enough for its bounds.
std::vector<TemplatePoint> Trace(const CutOutline& outline) {
    std::vector<TemplatePoint> points{outline.start};
    for (const OutlineStep& step : outline.steps) {
        if (step.arc) {
            constexpr int Samples = 720;
            for (int i = 1; i < Samples; ++i)
                points.push_back(
                    Polar(step.centre, step.radius,
                          step.startAngle + (step.endAngle - step.startAngle) * i / Samples));
        }
        points.push_back(step.to);
    }
    return points;
}

void Shift(TemplatePoint& p, double dx, double dy) {
    p.x += dx;
    p.y += dy;
}

// Moves everything so that the outline's bounds start at (0, TextBand) and sets the size.
void Place(CutTemplate& t) {
    const std::vector<TemplatePoint> points = Trace(t.outline);
    double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
    for (const TemplatePoint& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const double dx = -minX, dy = TextBand - minY;
    Shift(t.outline.start, dx, dy);
    for (OutlineStep& step : t.outline.steps) {
        Shift(step.to, dx, dy);
        Shift(step.centre, dx, dy);
    }
    for (MarkLine& mark : t.marks) {
        Shift(mark.from, dx, dy);
        Shift(mark.to, dx, dy);
    }
    for (MarkText& text : t.texts)
        Shift(text.at, dx, dy);
    t.width = std::max(maxX - minX, MinWidth);
    t.height = maxY - minY + TextBand;
}

// The tab's name, inside the tab: along its fold line from `from` to `to`, centred
// between the fold and the tab's outer edge (`outwards` from the fold, unit length),
// small enough to fit, and never upside down.
MarkText TabLabel(TemplatePoint from, TemplatePoint to, TemplatePoint outwards) {
    MarkText label;
    label.text = "glue tab";
    label.centred = true;
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    // "glue tab" is under 4.5 type heights long in any ordinary sans-serif face.
    label.size = std::min({DefaultTextSize, GlueTabWidth * 0.45, length / 5});
    double angle = std::atan2(to.y - from.y, to.x - from.x) * 180 / Pi;
    if (angle > 90.001)
        angle -= 180;
    else if (angle < -89.999)
        angle += 180;
    label.angle = angle;
    // The base line sits a third of the type height below the middle of the strip.
    const double turned = angle * Pi / 180;
    const TemplatePoint down{-std::sin(turned), std::cos(turned)}; // the page's "down" for the text
    const TemplatePoint middle{(from.x + to.x) / 2 + outwards.x * GlueTabWidth / 2,
                               (from.y + to.y) / 2 + outwards.y * GlueTabWidth / 2};
    label.at = {middle.x + down.x * label.size / 3, middle.y + down.y * label.size / 3};
    return label;
}

std::string Millimetres(double value) {
    return FormatFixed(value, 1, '.');
}

} // namespace

bool MakeFinOutline(const FinTemplateInput& fin, CutTemplate& out) {
    const double a = fin.rootChord, b = fin.sweep, c = fin.tipChord, d = fin.span;
    if (!Finite({a, b, c, d}) || a <= 0 || d <= 0 || c < 0)
        return false;
    out.outline = {};
    out.marks.clear();
    out.texts.clear();
    out.outline.start = {0, d};
    LineTo(out.outline, {b, 0});
    if (c > 0)
        LineTo(out.outline, {b + c, 0});
    LineTo(out.outline, {a, d});
    // The root edge goes against the tube: a line just inside it and its name below.
    const double inset = std::min(2.0, d / 4);
    const double front = b * inset / d, rear = a + (b + c - a) * inset / d;
    if (rear > front)
        out.marks.push_back({{front, d - inset}, {rear, d - inset}});
    out.texts.push_back({{0, d + 5}, "root edge"});
    Place(out);
    out.height += 6; // the root edge's name below the outline
    return true;
}

bool MakeMarkingGuide(double tubeDiameter, double tubeLength, const std::vector<GuideFinSet>& sets,
                      CutTemplate& out) {
    const double width = Pi * tubeDiameter;
    double height = tubeLength;
    for (const GuideFinSet& set : sets) {
        if (!Finite({set.front, set.rear}))
            return false;
        height = std::max(height, set.rear);
    }
    if (!Finite({width, height}) || width <= 0 || height <= 0 || sets.empty())
        return false;
    out.outline = {};
    out.marks.clear();
    out.texts.clear();
    out.outline.start = {0, 0};
    LineTo(out.outline, {width, 0});
    LineTo(out.outline, {width, height});
    LineTo(out.outline, {0, height});
    out.texts.push_back({{1, 4}, "tube front"});
    for (const GuideFinSet& set : sets) {
        const int count = std::clamp(set.count, 1, MaxFins);
        for (int i = 0; i < count; ++i) {
            // Half a spacing in from the edges, so the seam lies between two fins.
            const double x = (i + 0.5) * width / count;
            out.marks.push_back({{x, 0}, {x, height}});
            for (const double at : {set.front, set.rear}) {
                out.marks.push_back({{x - 3, at}, {x + 3, at}});
                out.texts.push_back({{x + 1, at - 1}, Millimetres(at)});
            }
        }
    }
    Place(out);
    return true;
}

bool MakeWrap(double diameterA, double diameterB, double length, CutTemplate& out) {
    const double big = std::max(diameterA, diameterB) / 2,
                 small = std::min(diameterA, diameterB) / 2;
    if (!Finite({big, small, length}) || length <= 0 || big <= 0 || small < 0)
        return false;
    const double slant = std::hypot(length, big - small);
    out.outline = {};
    out.marks.clear();
    out.texts.clear();
    if (big - small <= big * 1e-9) {
        // A tube: a rectangle as wide as the circumference, the tab on its right.
        const double width = 2 * Pi * big;
        const double inset = std::min(2.0, slant / 4);
        out.outline.start = {0, 0};
        LineTo(out.outline, {width, 0});
        LineTo(out.outline, {width + GlueTabWidth, inset});
        LineTo(out.outline, {width + GlueTabWidth, slant - inset});
        LineTo(out.outline, {width, slant});
        LineTo(out.outline, {0, slant});
        out.marks.push_back({{width, 0}, {width, slant}});
        out.texts.push_back(TabLabel({width, inset}, {width, slant - inset}, {1, 0}));
    } else {
        const double outer = slant * big / (big - small);
        const double inner = outer - slant;
        const double angle = 2 * Pi * big / outer;
        const TemplatePoint apex{0, 0};
        const double a0 = Pi / 2 - angle / 2, a1 = Pi / 2 + angle / 2;
        const TemplatePoint outer1 = Polar(apex, outer, a1);
        // The tab runs along the edge at a1, outwards, from the outer arc to the inner
        // arc (or to a fifth of the way from the tip of a cone).
        const TemplatePoint edgeEnd =
            inner > 0 ? Polar(apex, inner, a1) : Polar(apex, slant / 5, a1);
        const double edgeLength = std::hypot(edgeEnd.x - outer1.x, edgeEnd.y - outer1.y);
        const TemplatePoint along{(edgeEnd.x - outer1.x) / edgeLength,
                                  (edgeEnd.y - outer1.y) / edgeLength};
        const TemplatePoint normal{-std::sin(a1), std::cos(a1)};
        const double inset = std::min(GlueTabWidth, edgeLength / 4);
        out.outline.start = Polar(apex, inner, a0);
        LineTo(out.outline, Polar(apex, outer, a0));
        ArcTo(out.outline, apex, outer, a0, a1);
        LineTo(out.outline, {outer1.x + GlueTabWidth * normal.x + inset * along.x,
                             outer1.y + GlueTabWidth * normal.y + inset * along.y});
        LineTo(out.outline, {edgeEnd.x + GlueTabWidth * normal.x - inset * along.x,
                             edgeEnd.y + GlueTabWidth * normal.y - inset * along.y});
        LineTo(out.outline, edgeEnd);
        if (inner > 0)
            ArcTo(out.outline, apex, inner, a1, a0);
        out.marks.push_back({outer1, edgeEnd});
        out.texts.push_back(TabLabel({outer1.x + inset * along.x, outer1.y + inset * along.y},
                                     {edgeEnd.x - inset * along.x, edgeEnd.y - inset * along.y},
                                     normal));
    }
    Place(out);
    return true;
}

std::vector<CutTemplate> BuildTemplates(const Design& design, const OutputTexts& texts) {
    const OutputTexts english;
    std::vector<CutTemplate> templates;
    const std::vector<ElementTree::Node*> nodes = design.tree.nodesInOrder();
    auto start = [&](TemplateKind kind, const char* prefix, const std::string& what, int index,
                     const TRocketElement& element) {
        CutTemplate t;
        t.kind = kind;
        t.recordIndex = index;
        t.id = std::string(prefix) + "-" + std::to_string(index);
        t.title = what + " \"" + element.Caption + "\"";
        t.material = element.Material.empty() ? std::string("-") : element.Material;
        return t;
    };
    auto finish = [&](CutTemplate& t) {
        // The shapes' own marks are made in English; they are said in the texts' language.
        for (MarkText& mark : t.texts)
            for (const auto& [from, to] : {std::pair{&english.glueTab, &texts.glueTab},
                                           std::pair{&english.rootEdge, &texts.rootEdge},
                                           std::pair{&english.tubeFront, &texts.tubeFront}})
                if (mark.text == *from)
                    mark.text = *to;
        t.texts.insert(t.texts.begin(), {{{0, 5}, t.title},
                                         {{0, 10},
                                          FillPattern(texts.materialAndCount,
                                                      {t.material, std::to_string(t.count)})}});
        templates.push_back(std::move(t));
    };
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const TRocketElement& element = *nodes[i]->element;
        const ElementKind& kind = KindOf(element);
        const int index = static_cast<int>(i);
        if (kind.finSet) {
            const auto& fins = static_cast<const TStatecznik&>(element);
            CutTemplate t = start(TemplateKind::Fin, "fin", texts.finSetTemplate, index, element);
            t.count = std::clamp(fins.FinCount, 1, MaxFins);
            if (MakeFinOutline({fins.FinA, fins.FinB, fins.FinC, fins.FinD}, t))
                finish(t);
        } else if (kind.tube && !kind.inner) { // a body tube, not an engine mount
            std::vector<GuideFinSet> sets;
            for (const auto& child : nodes[i]->children)
                if (KindOf(*child->element).finSet) {
                    const auto& fins = static_cast<const TStatecznik&>(*child->element);
                    sets.push_back({fins.FinCount, fins.Offset, double(fins.Offset) + fins.FinA});
                }
            CutTemplate t = start(TemplateKind::MarkingGuide, "guide", texts.markingGuideTemplate,
                                  index, element);
            if (!sets.empty() && MakeMarkingGuide(element.DiameterA, element.Length, sets, t))
                finish(t);
        } else if ((kind.nose && kind.shape == Shape3d::Cone) || kind.transition) {
            const bool cone = kind.nose;
            CutTemplate t =
                start(TemplateKind::Wrap, "wrap",
                      cone ? texts.noseWrapTemplate : texts.transitionWrapTemplate, index, element);
            if (MakeWrap(element.DiameterA, cone ? 0.0 : double(element.DiameterB), element.Length,
                         t))
                finish(t);
        }
    }
    return templates;
}

} // namespace vantor

#pragma once

#include "canvas/DesignDrawing.h"
#include "model/AxisValues.h"
#include "model/Ballast.h"
#include "model/BodyTubes.h"
#include "model/Design.h"
#include "model/DimensionAnnotations.h"
#include "model/FinSet.h"
#include "model/NoseCones.h"
#include "model/ShapeKinds.h"
#include "model/Transition.h"
#include "support/DesignBuilder.h"
#include "support/RecordingSurface.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::test {

// Record-level helpers for designs the editing operations would not make (refused
// attachments, unplaced outlines, damaged dimensions), as tests of the file format and
// of hardening need them; designs a user can make are built with DesignBuilder.

// Attaches a new element of the given kind under `parent` (a root when null), with as
// many outline points at (0, 0) as its kind draws with, unplaced. Returns its node.
inline ElementTree::Node* Attach(Design& design, ElementTree::Node* parent,
                                 std::unique_ptr<TRocketElement> element) {
    element->Points.assign(element->OutlinePointCount(), TPoints{});
    return design.addElement(std::move(element), parent);
}

template <class T> ElementTree::Node* Attach(Design& design, ElementTree::Node* parent) {
    return Attach(design, parent, std::make_unique<T>());
}

template <class T> T& ElementOf(ElementTree::Node* node) {
    return static_cast<T&>(*node->element);
}

// A root nose cone with its tip at (x, AxisY).
template <class T> ElementTree::Node* AttachNose(Design& design, double x) {
    ElementTree::Node* node = Attach<T>(design, nullptr);
    for (TPoints& p : node->element->Points)
        p = TPoints{x, AxisY, 0, 0};
    OriginX = static_cast<float>(x);
    return node;
}

inline void AddDimension(Design& design, const char* className,
                         std::vector<std::pair<double, double>> points) {
    std::unique_ptr<TShaped> dimension = CreateShape(className);
    for (const auto& [x, y] : points)
        dimension->Points.push_back(TPoints{x, y, 0, 0});
    design.appendDimension(std::move(dimension));
}

// Places every element behind its placed parent, as the design window shows it.
inline void Settle(Design& design) {
    PlaceDesign(design);
}

// Designs of every kind of content a file may hold. Each sets AxisY and OriginX as the
// program would have them while the design is open.
struct SampleDesign {
    const char* name;
    std::function<void(Design&)> build;
};

// The fields a component of `kind` starts with, changed by `set`.
template <class Set> ElementFields FieldsFor(std::string_view kind, Set set) {
    ElementFields fields = DefaultFields(kind);
    set(fields);
    return fields;
}

inline void BuildNoseAlone(Design& design) {
    DesignBuilder build(design);
    build.nose("TGlowicaStozek",
               FieldsFor("TGlowicaStozek",
                         [](ElementFields& f) {
                             f.diameterA = 60;
                             f.weight = 12.5f;
                         }),
               40, 250);
    Settle(design);
}

// Nose, body tube with fins, motor and a transition to a narrower tube, a ballast in the
// nose, and one dimension of each kind.
inline void BuildFullRocket(Design& design) {
    DesignBuilder build(design);
    auto& nose = build.nose("TGlowicaOgive",
                            FieldsFor("TGlowicaOgive",
                                      [](ElementFields& f) {
                                          f.material = "Balsa";
                                          f.weight = 20;
                                          f.density = 0.00016f;
                                      }),
                            50, 300);
    auto& tube = build.attach("TKorpus", nose, FieldsFor("TKorpus", [](ElementFields& f) {
                                  f.material = "Papier";
                                  f.weight = 30.5f;
                                  f.thickness = 1.5f;
                              }));
    auto& fins = build.attach("TStatecznik", tube, FieldsFor("TStatecznik", [](ElementFields& f) {
                                  f.finA = 80;
                                  f.finB = 30;
                                  f.finC = 40;
                                  f.finD = 60;
                                  f.finCount = 4;
                                  f.weight = 8;
                              }));
    build.slide(fins, 400);
    auto& motor = build.attach("TEngine", tube,
                               FieldsFor("TEngine", [](ElementFields& f) { f.weight = 24; }));
    build.slide(motor, 420);
    // The ballast is attached record by record: its one point has never been put on the
    // centre line (an inserted ballast's is), and the seed files made of this design
    // hold it so.
    auto& ballast = ElementOf<TBalast>(Attach<TBalast>(design, design.tree.nodeOf(&nose)));
    ballast.Offset = 20;
    ballast.Weight = 15;
    auto& transition =
        build.attach("TStozekSciety", tube, FieldsFor("TStozekSciety", [](ElementFields& f) {
                         f.diameterA = 50;
                         f.diameterB = 40;
                         f.length = 60;
                     }));
    build.attach("TKorpus", transition, FieldsFor("TKorpus", [](ElementFields& f) {
                     f.diameterA = 40;
                     f.length = 200;
                     f.caption = "Rear tube";
                 }));
    // Each new dimension goes first in the list: placed from the last to the first.
    build.dimension("TWymiarPionowy", {{700, 275}, {700, 325}, {800, 300}});
    build.dimension("TWymiarPoziomy", {{250, 275}, {750, 275}, {500, 200}});
    build.dimension("TAngleWymiar", {{50, 300}, {250, 275}, {250, 325}});
    build.dimension("TWymiar", {{50, 250}, {250, 250}, {150, 220}});
    Settle(design);
}

// Polish texts, an engine mount and a parabolic nose.
inline void BuildPolishTexts(Design& design) {
    DesignBuilder build(design);
    auto& nose = build.nose("TGlowicaParabolic",
                            FieldsFor("TGlowicaParabolic",
                                      [](ElementFields& f) {
                                          f.caption = "Głowica z Łodzi";
                                          f.material = "Żywica";
                                          f.weight = 10;
                                      }),
                            10, 200);
    auto& tube = build.attach("TKorpus", nose, FieldsFor("TKorpus", [](ElementFields& f) {
                                  f.caption = "Korpus główny ąćęłńóśźż";
                                  f.weight = 20;
                              }));
    build.attach("TLozysko", tube, FieldsFor("TLozysko", [](ElementFields& f) {
                     f.material = "Tektura";
                     f.weight = 5;
                 }));
    build.dimension("TWymiarPoziomy", {{10, 150}, {710, 150}, {360, 120}});
    Settle(design);
    // A caption as a file may hold it; drawing the dimension would show its value.
    design.Dimensions.back()->Caption = "Długość całkowita";
}

// What a well-formed file may hold although no command makes it: a second root, a fin
// set on a nose cone, a transition with equal diameters. The editing operations refuse
// these, so the design is put together record by record.
inline void BuildUnusual(Design& design) {
    AxisY = 120;
    ElementTree::Node* first = AttachNose<TGlowicaStozek>(design, 0);
    auto& fins = ElementOf<TStatecznik>(Attach<TStatecznik>(design, first));
    fins.FinA = 30;
    fins.FinC = 10;
    fins.FinD = 20;
    fins.FinCount = 1;
    ElementTree::Node* second = AttachNose<TGlowicaStozek>(design, 400);
    auto& transition = ElementOf<TStozekSciety>(Attach<TStozekSciety>(design, second));
    transition.DiameterA = 50;
    transition.DiameterB = 50;
    Settle(design);
}

inline void BuildEmpty(Design&) {}

inline const std::vector<SampleDesign>& SampleDesigns() {
    static const std::vector<SampleDesign> samples{
        {"empty", BuildEmpty},
        {"nose-alone", BuildNoseAlone},
        {"full-rocket", BuildFullRocket},
        {"polish-texts", BuildPolishTexts},
        {"unusual", BuildUnusual},
    };
    return samples;
}

} // namespace vantor::test

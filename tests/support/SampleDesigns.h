#pragma once

#include "canvas/DesignDrawing.h"
#include "canvas/DimensionAnnotations.h"
#include "canvas/ShapeKinds.h"
#include "model/AxisValues.h"
#include "model/Ballast.h"
#include "model/BodyTubes.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/NoseCones.h"
#include "model/Transition.h"
#include "support/RecordingSurface.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vantor::test {

// Attaches a new element of the given kind under `parent` (a root when null), with as
// many outline points at (0, 0) as its kind draws with, the way an insertion command
// gives them. Returns its node.
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

// Redraws until every element has placed itself behind its placed parent, as the design
// window is after a few redraws.
inline void Settle(Design& design) {
    RecordingSurface surface;
    for (std::size_t i = 0; i <= design.Elements.size(); ++i)
        DrawDesign(design, surface);
}

// Designs of every kind of content a file may hold. Each sets AxisY and OriginX as the
// program would have them while the design is open.
struct SampleDesign {
    const char* name;
    std::function<void(Design&)> build;
};

inline void BuildNoseAlone(Design& design) {
    AxisY = 250;
    auto& nose = ElementOf<TGlowicaStozek>(AttachNose<TGlowicaStozek>(design, 40));
    nose.DiameterA = 60;
    nose.Weight = 12.5f;
    Settle(design);
}

// Nose, body tube with fins, motor and a transition to a narrower tube, a ballast in the
// nose, and one dimension of each kind.
inline void BuildFullRocket(Design& design) {
    AxisY = 300;
    ElementTree::Node* noseNode = AttachNose<TGlowicaOgive>(design, 50);
    auto& nose = ElementOf<TGlowicaOgive>(noseNode);
    nose.Material = "Balsa";
    nose.Weight = 20;
    nose.Density = 0.00016f;
    ElementTree::Node* tubeNode = Attach<TKorpus>(design, noseNode);
    auto& tube = ElementOf<TKorpus>(tubeNode);
    tube.Material = "Papier";
    tube.Weight = 30.5f;
    tube.Thickness = 1.5f;
    auto& fins = ElementOf<TStatecznik>(Attach<TStatecznik>(design, tubeNode));
    fins.FinA = 80;
    fins.FinB = 30;
    fins.FinC = 40;
    fins.FinD = 60;
    fins.FinCount = 4;
    fins.Offset = 400;
    fins.Weight = 8;
    auto& motor = ElementOf<TEngine>(Attach<TEngine>(design, tubeNode));
    motor.Offset = 420;
    motor.Weight = 24;
    auto& ballast = ElementOf<TBalast>(Attach<TBalast>(design, noseNode));
    ballast.Offset = 20;
    ballast.Weight = 15;
    ElementTree::Node* transitionNode = Attach<TStozekSciety>(design, tubeNode);
    auto& transition = ElementOf<TStozekSciety>(transitionNode);
    transition.DiameterA = 50;
    transition.DiameterB = 40;
    transition.Length = 60;
    auto& rear = ElementOf<TKorpus>(Attach<TKorpus>(design, transitionNode));
    rear.DiameterA = 40;
    rear.Length = 200;
    rear.Caption = "Rear tube";
    AddDimension(design, "TWymiar", {{50, 250}, {250, 250}, {150, 220}});
    AddDimension(design, "TAngleWymiar", {{50, 300}, {250, 275}, {250, 325}});
    AddDimension(design, "TWymiarPoziomy", {{250, 275}, {750, 275}, {500, 200}});
    AddDimension(design, "TWymiarPionowy", {{700, 275}, {700, 325}, {800, 300}});
    Settle(design);
}

// Polish texts, an engine mount and a parabolic nose.
inline void BuildPolishTexts(Design& design) {
    AxisY = 200;
    ElementTree::Node* noseNode = AttachNose<TGlowicaParabolic>(design, 10);
    auto& nose = ElementOf<TGlowicaParabolic>(noseNode);
    nose.Caption = "Głowica z Łodzi";
    nose.Material = "Żywica";
    nose.Weight = 10;
    ElementTree::Node* tubeNode = Attach<TKorpus>(design, noseNode);
    ElementOf<TKorpus>(tubeNode).Caption = "Korpus główny ąćęłńóśźż";
    ElementOf<TKorpus>(tubeNode).Weight = 20;
    auto& mount = ElementOf<TLozysko>(Attach<TLozysko>(design, tubeNode));
    mount.Material = "Tektura";
    mount.Weight = 5;
    AddDimension(design, "TWymiarPoziomy", {{10, 150}, {710, 150}, {360, 120}});
    Settle(design);
    // A caption as a file may hold it; drawing the dimension would show its value.
    design.Dimensions.back()->Caption = "Długość całkowita";
}

// What a well-formed file may hold although no command makes it: a second root, a fin
// set on a nose cone, a transition with equal diameters.
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

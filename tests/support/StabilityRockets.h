#pragma once

#include "model/FinSet.h"
#include "support/DesignBuilder.h"

namespace vantor::test {

// Rockets whose standard stability analysis is known: worked by hand from the component
// formulas, or published for the verification rocket.

inline TStatecznik& AddFins(DesignBuilder& build, TRocketElement& tube, int count, float root,
                            float sweep, float tip, float span, float offset) {
    auto& fins = build.attach<TStatecznik>("TStatecznik", tube);
    fins.FinCount = count;
    fins.FinA = root;
    fins.FinB = sweep;
    fins.FinC = tip;
    fins.FinD = span;
    fins.Offset = offset;
    build.place();
    return fins;
}

inline TRocketElement& AddAlong(DesignBuilder& build, const char* kind, TRocketElement& parent,
                                float length, float offset, float weight) {
    auto& e = build.attach(kind, parent);
    e.Length = length;
    e.Offset = offset;
    e.Weight = weight;
    build.place();
    return e;
}

// Ogive nose 70 x 24, body tube 200, three fins (root 50, tip 30, sweep 20, span 50) at
// the tail; weights close to what the weight rule gives for card and paper, but fixed, as
// the rule samples the fin's area on the drawing grid and so depends on the position.
inline void VerificationRocket(Design& design, double tipX = 50, float axis = 275) {
    DesignBuilder build(design);
    auto& nose = build.nose("TGlowicaOgive", 70, 24, tipX, axis);
    auto& tube = build.attach("TKorpus", nose);
    tube.Length = 200;
    tube.DiameterA = 24;
    build.place();
    auto& fins = AddFins(build, tube, 3, 50, 20, 30, 50, 150);
    nose.Weight = 4;
    tube.Weight = 20;
    fins.Weight = 7.5f;
}

// Conical nose 80 x 30, transition 30 -> 50 (40 long), tube 250 x 50 with three fins
// (root 70, sweep 30, tip 35, span 45) at its tail: a body wider than the nose.
inline void WiderBodyRocket(Design& design) {
    DesignBuilder build(design);
    auto& nose = build.nose("TGlowicaStozek", 80, 30);
    auto& widening = build.attach("TStozekSciety", nose);
    widening.Length = 40;
    widening.DiameterA = 30;
    widening.DiameterB = 50;
    build.place();
    auto& tube = build.attach("TKorpus", widening);
    tube.Length = 250;
    tube.DiameterA = 50;
    build.place();
    AddFins(build, tube, 3, 70, 30, 35, 45, 180);
}

// Conical nose 100 x 40 with a ballast, tube 300 x 40, transition 40 -> 60 (50 long), tube
// 200 x 60 carrying a motor and four fins, boat tail 60 -> 40 (40 long); weights given.
inline void WidenedRocket(Design& design, double tipX = 50, float axis = 275) {
    DesignBuilder build(design);
    auto& nose = build.nose("TGlowicaStozek", 100, 40, tipX, axis);
    nose.Weight = 20;
    AddAlong(build, "TBalast", nose, 0, 30, 5);
    auto shaped = [&](const char* kind, TRocketElement& parent, float length, float front,
                      float rear, float weight) -> TRocketElement& {
        auto& e = build.attach(kind, parent);
        e.Length = length;
        e.DiameterA = front;
        e.DiameterB = rear;
        e.Weight = weight;
        build.place();
        return e;
    };
    auto& tube1 = shaped("TKorpus", nose, 300, 40, 0, 30);
    auto& widening = shaped("TStozekSciety", tube1, 50, 40, 60, 8);
    auto& tube2 = shaped("TKorpus", widening, 200, 60, 0, 25);
    shaped("TStozekSciety", tube2, 40, 60, 40, 6);
    AddFins(build, tube2, 4, 60, 30, 30, 40, 140).Weight = 12;
    AddAlong(build, "TEngine", tube2, 70, 130, 40);
}

} // namespace vantor::test

#pragma once

// Designs made to hurt: counts and sizes far beyond any rocket, as a damaged or hostile
// file can hold them. The hardening tests run every command of vantor-kfx on them and
// the worst-case benchmark times the slowest; both build them here.

#include "designfile/DesignFile.h"
#include "editing/DesignEdits.h"
#include "editing/ElementFields.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Placing.h"
#include "model/Registry.h"
#include "model/ShapeKinds.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::test {

struct HostileDesign {
    std::string name;
    std::function<void(Design&)> build;
};

namespace hostile {

// Appends an element without the insertion's undo record, which would copy the whole
// design at every step of a design of 20,000 elements; returns its node.
inline ElementTree::Node* Add(Design& design, std::string_view kind, ElementTree::Node* parent,
                              const std::function<void(ElementFields&)>& set = {}) {
    if (parent == nullptr) {
        NewElement nose{std::string(kind), DefaultFields(kind)};
        if (set)
            set(nose.fields);
        return InsertedNode(*InsertElement(design, nullptr, nose));
    }
    std::unique_ptr<TRocketElement> element = CreateElement(kind);
    TRocketElement& made = *element;
    ElementFields fields = DefaultFields(kind);
    if (set)
        set(fields);
    WriteFields(made, fields);
    // The outline the insertion gives it; the redraw of Place puts it behind its parent.
    made.Points.resize(made.ClassName == "TBalast" ? 1 : 4);
    return design.addElement(std::move(element), parent);
}

// Places every element, then gives each its weight from its placed outline.
inline void Place(Design& design) {
    PlaceDesign(design);
    for (auto& element : design.Elements)
        if (element->ClassName != "TBalast")
            element->ComputeWeight();
}

// A nose, a tube of the given diameter and a fin set of `count` fins on it.
inline void FinRocket(Design& design, float tubeDiameter, std::int32_t count, float thickness,
                      float chord, float span) {
    ElementTree::Node* nose = Add(design, "TGlowicaOgive", nullptr, [&](ElementFields& f) {
        f.length = 3 * tubeDiameter;
        f.diameterA = tubeDiameter;
    });
    ElementTree::Node* tube = Add(design, "TKorpus", nose, [&](ElementFields& f) {
        f.length = chord + 100;
        f.diameterA = tubeDiameter;
    });
    Add(design, "TStatecznik", tube, [&](ElementFields& f) {
        f.finA = chord;
        f.finB = chord / 3;
        f.finC = chord / 2;
        f.finD = span;
        f.thickness = thickness;
        f.finCount = count;
    });
    Add(design, "TEngine", tube);
    Place(design);
}

// One element of every kind, placed, then every size of every element set to `value`.
inline void EverySize(Design& design, float value) {
    ElementTree::Node* nose = Add(design, "TGlowicaOgive", nullptr);
    ElementTree::Node* tube = Add(design, "TKorpus", nose);
    ElementTree::Node* transition = Add(design, "TStozekSciety", tube);
    ElementTree::Node* rear = Add(design, "TKorpus", transition);
    Add(design, "TStatecznik", rear);
    Add(design, "TEngine", rear);
    Add(design, "TLozysko", rear);
    Add(design, "TBalast", tube, [](ElementFields& f) { f.weight = 10; });
    Place(design);
    for (const auto& element : design.Elements) {
        for (float* size : {&element->Length, &element->DiameterA, &element->DiameterB,
                            &element->Thickness, &element->Weight, &element->Density})
            *size = value;
        if (auto* fins = dynamic_cast<TStatecznik*>(element.get()))
            for (float* size : {&fins->FinA, &fins->FinB, &fins->FinC, &fins->FinD})
                *size = value;
    }
}

} // namespace hostile

// The hostile set. `scale` divides the largest counts (1 for the full set; a sanitizer
// run may take a smaller one).
inline std::vector<HostileDesign> HostileDesigns(int scale = 1) {
    using namespace hostile;
    const auto scaled = [scale](int count) {
        return std::max(1, count / std::max(1, scale));
    };
    return {
        {"1e6 fins",
         [=](Design& d) {
             FinRocket(d, 40, scaled(1'000'000), 2, 40, 30);
         }},
        // Thin enough to fit round a 2 m tube, thick enough to be printed.
        {"280000 thin fins",
         [=](Design& d) {
             FinRocket(d, 2000, scaled(280'000), 0.011f, 40, 30);
         }},
        {"20000 wide fins",
         [=](Design& d) {
             FinRocket(d, 2000, scaled(20'000), 0.1f, 5000, 5000);
         }},
        // Files refuse nesting deeper than 256: 200 tubes in a row, each holding 99
        // engine mounts (a tube kind).
        {"20000 tubes",
         [=](Design& d) {
             ElementTree::Node* tube = Add(d, "TGlowicaOgive", nullptr);
             for (int i = 0; i < 200; ++i) {
                 tube = Add(d, "TKorpus", tube, [](ElementFields& f) { f.length = 60; });
                 for (int k = 0; k < scaled(99); ++k)
                     Add(d, "TLozysko", tube);
             }
             Place(d);
         }},
        // 250 tubes of 4 m, each with 39 parts: fins, motors, mounts and ballast in turn.
        {"1 km 10000 parts",
         [=](Design& d) {
             ElementTree::Node* tube = Add(d, "TGlowicaOgive", nullptr);
             const char* const parts[] = {"TStatecznik", "TEngine", "TLozysko", "TBalast"};
             for (int i = 0; i < 250; ++i) {
                 tube = Add(d, "TKorpus", tube, [](ElementFields& f) { f.length = 4000; });
                 for (int k = 0; k < scaled(39); ++k)
                     Add(d, parts[k % 4], tube, [](ElementFields& f) {
                         f.finA = 40;
                         f.finB = 15;
                         f.finC = 20;
                         f.finD = 30;
                         f.weight = 5;
                     });
             }
             Place(d);
         }},
        {"90 m 20000 ballast",
         [=](Design& d) {
             ElementTree::Node* nose = Add(d, "TGlowicaOgive", nullptr);
             ElementTree::Node* tube =
                 Add(d, "TKorpus", nose, [](ElementFields& f) { f.length = 90'000; });
             for (int i = 0; i < scaled(20'000); ++i)
                 Add(d, "TBalast", tube, [](ElementFields& f) { f.weight = 1; });
             Place(d);
         }},
        {"dimension of 1e6 points",
         [=](Design& d) {
             ElementTree::Node* nose = Add(d, "TGlowicaOgive", nullptr);
             Add(d, "TKorpus", nose);
             Place(d);
             std::unique_ptr<TShaped> dimension = CreateDimension("TWymiarPoziomy");
             dimension->Points.resize(std::size_t(scaled(1'000'000)), TPoints{100, 200});
             dimension->Points[1] = TPoints{400, 200};
             d.insertDimension(std::move(dimension));
         }},
        {"all sizes 0",
         [](Design& d) {
             EverySize(d, 0);
         }},
        {"all sizes 1e30",
         [](Design& d) {
             EverySize(d, 1e30f);
         }},
        {"all sizes largest float",
         [](Design& d) {
             EverySize(d, std::numeric_limits<float>::max());
         }},
        {"all sizes NaN",
         [](Design& d) {
             EverySize(d, std::numeric_limits<float>::quiet_NaN());
         }},
    };
}

// Builds the design and writes it as a design file, as a hostile file would hold it.
inline bool WriteHostileDesign(const HostileDesign& hostile, const std::string& path) {
    Design design;
    hostile.build(design);
    const std::vector<std::uint8_t> bytes = EncodeDesign(design);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

} // namespace vantor::test

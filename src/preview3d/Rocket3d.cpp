#include "preview3d/Rocket3d.h"

#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
#include "model/RocketElement.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>

namespace vantor {

namespace {

constexpr double DrawingToModel = 0.01;

bool HasSurface(const TRocketElement& element) {
    const ElementKind& kind = KindOf(element);
    return kind.shape != Shape3d::None && kind.shape != Shape3d::Fins && !kind.inner;
}

double Bezier(double t, double a, double b, double c, double d) {
    const double s = 1.0 - t;
    return s * s * s * a + 3 * t * s * s * b + 3 * t * t * s * c + t * t * t * d;
}

// The flat normal of triangle P, Q, S: (P - Q) x (Q - S) made unit length; a degenerate
// triangle keeps its zero vector.
std::array<double, 3> FlatNormal(const float* p, const float* q, const float* s) {
    const double ax = double(p[0]) - q[0], ay = double(p[1]) - q[1], az = double(p[2]) - q[2];
    const double bx = double(q[0]) - s[0], by = double(q[1]) - s[1], bz = double(q[2]) - s[2];
    const double nx = ay * bz - az * by;
    const double ny = az * bx - ax * bz;
    const double nz = ax * by - ay * bx;
    double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (length == 0)
        length = 1;
    return {nx / length, ny / length, nz / length};
}

void Store(float* out, const std::array<double, 3>& v) {
    out[0] = static_cast<float>(v[0]);
    out[1] = static_cast<float>(v[1]);
    out[2] = static_cast<float>(v[2]);
}

} // namespace

MaterialColours ColoursOf(Material3d material) {
    if (material == Material3d::White)
        return {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
    return {{0.2f, 0.2f, 0.2f, 1}, {0.2f, 0.2f, 0.2f, 1}, {0.5f, 0.5f, 0.5f, 1}};
}

void TRocket3d::Build(const Design& design, int& noseRingCount) {
    ringCoords_.clear();
    ringCount_ = 0;
    Vertices.clear();
    Normals.clear();
    Indices.clear();
    Materials.clear();
    surfaceTriangles_ = 0;
    currentMaterial_ = Material3d::Dark;
    currentNormal_ = {0, 0, 1}; // the normal a fresh GL context starts with
    finTurn_ = 0;
    if (ringSines_.empty()) {
        // Every ring goes round the same angles: u advances in single precision in
        // steps of 0.02 (51 vertices, the last at about one full turn).
        for (float u = 0; u <= 1; u += 0.02f) {
            ringSines_.push_back(std::sin(2 * Pi * u));
            ringCosines_.push_back(std::cos(2 * Pi * u));
        }
    }
    verticesPerRing_ = ringSines_.size();

    const std::vector<ElementTree::Node*> nodes = design.tree.nodesInOrder();
    bool first = true;
    for (const ElementTree::Node* node : nodes) {
        if (node->element == nullptr || !HasSurface(*node->element))
            continue;
        // The first surface (normally the nose) is finely divided; the others are
        // straight-sided and need only their two end rings.
        AddRings(*node->element, first ? 0.01f : 1.0f);
        if (first && noseRingCount == 0)
            noseRingCount = static_cast<int>(ringCount_);
        first = false;
    }
    AddSurface(noseRingCount);
    surfaceTriangles_ = Materials.size();

    for (const ElementTree::Node* node : nodes) {
        if (node->element == nullptr || !KindOf(*node->element).finSet)
            continue;
        if (const auto* fins = dynamic_cast<const TStatecznik*>(node->element))
            AddFins(*fins);
    }
}

void TRocket3d::AddRings(const TRocketElement& element, float step) {
    std::array<double, 4> x{};
    std::array<double, 4> r{};
    for (std::size_t i = 0; i < 4; ++i) {
        x[i] = element.Corners[i].x * DrawingToModel;
        r[i] = (element.Corners[i].y - AxisY) * DrawingToModel;
    }
    // t advances in single precision, which decides how many rings the loop gives
    // (101 for the fine step, 2 for the coarse one).
    for (float t = 0; t <= 1; t += step) {
        const double px = Bezier(t, x[0], x[1], x[2], x[3]);
        const double pr = Bezier(t, r[0], r[1], r[2], r[3]);
        const std::size_t at = ringCoords_.size();
        ringCoords_.resize(at + verticesPerRing_ * 3);
        float* out = ringCoords_.data() + at;
        for (std::size_t k = 0; k < verticesPerRing_; ++k) {
            *out++ = static_cast<float>(px);
            *out++ = static_cast<float>(ringSines_[k] * pr);
            *out++ = static_cast<float>(ringCosines_[k] * pr);
        }
        ++ringCount_;
    }
}

std::span<const float> TRocket3d::Ring(std::size_t index) const {
    return std::span<const float>(ringCoords_)
        .subspan(index * verticesPerRing_ * 3, verticesPerRing_ * 3);
}

void TRocket3d::AddSurface(int noseRingCount) {
    if (ringCount_ < 2 || verticesPerRing_ < 2)
        return;
    const std::size_t strips = ringCount_ - 1;
    const std::size_t segments = verticesPerRing_ - 1;
    const std::size_t ringFloats = verticesPerRing_ * 3;
    // Each strip has its own copy of its two rings, A and B, since a vertex can carry
    // only one normal. Quad k gives (A[k+1], A[k], B[k]), lit by B[k], and
    // (B[k], B[k+1], A[k+1]), lit by A[k+1].
    Vertices.resize(strips * ringFloats * 2);
    Normals.assign(strips * ringFloats * 2, 0.0f);
    Indices.resize(strips * segments * 6);
    Materials.resize(strips * segments * 2);
    std::uint32_t* index = Indices.data();
    Material3d* material = Materials.data();
    std::array<double, 3> last{};
    for (std::size_t i = 0; i < strips; ++i) {
        const float* a = ringCoords_.data() + i * ringFloats;
        const float* b = a + ringFloats;
        float* position = Vertices.data() + i * ringFloats * 2;
        float* normal = Normals.data() + i * ringFloats * 2;
        std::copy(a, a + ringFloats * 2, position);
        const auto first = static_cast<std::uint32_t>(i * verticesPerRing_ * 2);
        const auto second = static_cast<std::uint32_t>(first + verticesPerRing_);
        for (std::size_t k = 0; k < segments; ++k) {
            const float* a0 = a + k * 3;
            const float* b0 = b + k * 3;
            const auto kk = static_cast<std::uint32_t>(k);
            Store(normal + ringFloats + k * 3, FlatNormal(a0 + 3, a0, b0));
            last = FlatNormal(b0, b0 + 3, a0 + 3);
            Store(normal + (k + 1) * 3, last);
            for (std::uint32_t v : {first + kk + 1, first + kk, second + kk, second + kk,
                                    second + kk + 1, first + kk + 1})
                *index++ = v;
            *material++ = currentMaterial_;
            *material++ = currentMaterial_;
        }
        // Everything after the nose and the strip that joins it to the next part is white.
        if (static_cast<long long>(i) >= static_cast<long long>(noseRingCount) - 1)
            currentMaterial_ = Material3d::White;
    }
    currentNormal_ = {last[0], last[1], last[2]};
}

void TRocket3d::AddFins(const TStatecznik& fins) {
    const int count = fins.FinCount;
    // A hand-made design file can hold any count; without fins nothing is drawn.
    if (count <= 0)
        return;
    const int step = 360 / count;
    // Beyond 360 fins every fin lies on the first one; drawing it once gives the same
    // picture without looping over millions of copies.
    const int drawn = step == 0 ? 1 : count;

    std::array<Vec3, 4> corners;
    for (std::size_t i = 0; i < 4; ++i)
        corners[i] = {fins.Corners[i].x * DrawingToModel,
                      (fins.Corners[i].y - AxisY) * DrawingToModel, 0};

    for (int f = 0; f < drawn; ++f) {
        const double angle = finTurn_ * Pi / 180.0;
        const double c = std::cos(angle), s = std::sin(angle);
        const auto turn = [c, s](const Vec3& v) {
            return Vec3{v.x, v.y * c - v.z * s, v.y * s + v.z * c};
        };
        std::array<Vec3, 4> p;
        for (std::size_t i = 0; i < 4; ++i)
            p[i] = turn(corners[i]);
        // The fin takes the normal and material the surface left current.
        const Vec3 normal = turn(currentNormal_);
        std::array<std::uint32_t, 4> v;
        for (std::size_t i = 0; i < 4; ++i)
            v[i] = AddVertex(p[i], normal);
        for (std::uint32_t corner : {v[0], v[1], v[2], v[0], v[2], v[3]})
            Indices.push_back(corner);
        Materials.push_back(currentMaterial_);
        Materials.push_back(currentMaterial_);
        finTurn_ = (finTurn_ + step) % 360;
    }
}

std::uint32_t TRocket3d::AddVertex(const Vec3& position, const Vec3& normal) {
    const auto index = static_cast<std::uint32_t>(Vertices.size() / 3);
    for (double c : {position.x, position.y, position.z})
        Vertices.push_back(static_cast<float>(c));
    for (double c : {normal.x, normal.y, normal.z})
        Normals.push_back(static_cast<float>(c));
    return index;
}

std::array<float, 3> TRocket3d::TriangleVertex(std::size_t triangle, std::size_t corner) const {
    const float* v = Vertices.data() + std::size_t(Indices[triangle * 3 + corner]) * 3;
    return {v[0], v[1], v[2]};
}

std::array<float, 3> TRocket3d::TriangleNormal(std::size_t triangle) const {
    const float* n = Normals.data() + std::size_t(Indices[triangle * 3 + 2]) * 3;
    return {n[0], n[1], n[2]};
}

std::vector<TriangleRun> TRocket3d::Runs() const {
    std::vector<TriangleRun> runs;
    for (std::size_t i = 0; i < Materials.size(); ++i) {
        if (runs.empty() || runs.back().material != Materials[i])
            runs.push_back({i, 0, Materials[i]});
        ++runs.back().count;
    }
    return runs;
}

} // namespace vantor

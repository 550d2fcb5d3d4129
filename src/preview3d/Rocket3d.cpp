#include "preview3d/Rocket3d.h"

#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/RocketElement.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace vantor {

namespace {

constexpr double DrawingToModel = 0.01;

bool HasSurface(const TRocketElement& element) {
    const std::string_view name = element.ClassName;
    return name == "TGlowicaStozek" || name == "TGlowicaOgive" || name == "TGlowicaParabolic" ||
           name == "TStozekSciety" || name == "TKorpus";
}

double Bezier(double t, double a, double b, double c, double d) {
    const double s = 1.0 - t;
    return s * s * s * a + 3 * t * s * s * b + 3 * t * t * s * c + t * t * t * d;
}

} // namespace

MaterialColours ColoursOf(Material3d material) {
    if (material == Material3d::White)
        return {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
    return {{0.2f, 0.2f, 0.2f, 1}, {0.2f, 0.2f, 0.2f, 1}, {0.5f, 0.5f, 0.5f, 1}};
}

std::array<double, 3> TriangleNormal(const std::array<double, 3>& p, const std::array<double, 3>& q,
                                     const std::array<double, 3>& s) {
    const double ax = p[0] - q[0], ay = p[1] - q[1], az = p[2] - q[2];
    const double bx = q[0] - s[0], by = q[1] - s[1], bz = q[2] - s[2];
    const double nx = ay * bz - az * by;
    const double ny = az * bx - ax * bz;
    const double nz = ax * by - ay * bx;
    double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (length == 0)
        length = 1;
    return {nx / length, ny / length, nz / length};
}

void TRocket3d::Build(const Design& design, int& noseRingCount) {
    ringCoords_.clear();
    ringCount_ = 0;
    verticesPerRing_ = 0;
    Vertices.clear();
    Normals.clear();
    Materials.clear();
    surfaceTriangles_ = 0;
    currentMaterial_ = Material3d::Dark;
    currentNormal_ = {0, 0, 1}; // the normal a fresh GL context starts with
    finTurn_ = 0;

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
        if (node->element == nullptr || node->element->ClassName != "TStatecznik")
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
    // Both parameters advance in single precision, which decides how many rings and
    // vertices the loops give (101 rings for the fine step, 51 vertices a ring).
    for (float t = 0; t <= 1; t += step) {
        const double px = Bezier(t, x[0], x[1], x[2], x[3]);
        const double pr = Bezier(t, r[0], r[1], r[2], r[3]);
        std::size_t vertices = 0;
        for (float u = 0; u <= 1; u += 0.02f) {
            const double angle = 2 * Pi * u;
            ringCoords_.push_back(static_cast<float>(px));
            ringCoords_.push_back(static_cast<float>(std::sin(angle) * pr));
            ringCoords_.push_back(static_cast<float>(std::cos(angle) * pr));
            ++vertices;
        }
        verticesPerRing_ = vertices;
        ++ringCount_;
    }
}

std::span<const float> TRocket3d::Ring(std::size_t index) const {
    return std::span<const float>(ringCoords_)
        .subspan(index * verticesPerRing_ * 3, verticesPerRing_ * 3);
}

TRocket3d::Vec3 TRocket3d::RingVertex(std::size_t ring, std::size_t k) const {
    const float* v = ringCoords_.data() + (ring * verticesPerRing_ + k) * 3;
    return {v[0], v[1], v[2]};
}

void TRocket3d::AddSurface(int noseRingCount) {
    if (ringCount_ < 2 || verticesPerRing_ < 2)
        return;
    const std::size_t strips = ringCount_ - 1;
    const std::size_t segments = verticesPerRing_ - 1;
    Vertices.reserve(strips * segments * 18);
    Normals.reserve(strips * segments * 18);
    Materials.reserve(strips * segments * 2);
    for (std::size_t i = 0; i < strips; ++i) {
        for (std::size_t k = 0; k < segments; ++k) {
            const Vec3 a0 = RingVertex(i, k), a1 = RingVertex(i, k + 1);
            const Vec3 b0 = RingVertex(i + 1, k), b1 = RingVertex(i + 1, k + 1);
            const auto n1 =
                TriangleNormal({a1.x, a1.y, a1.z}, {a0.x, a0.y, a0.z}, {b0.x, b0.y, b0.z});
            AddTriangle(a1, a0, b0, {n1[0], n1[1], n1[2]}, currentMaterial_);
            const auto n2 =
                TriangleNormal({b0.x, b0.y, b0.z}, {b1.x, b1.y, b1.z}, {a1.x, a1.y, a1.z});
            currentNormal_ = {n2[0], n2[1], n2[2]};
            AddTriangle(b0, b1, a1, currentNormal_, currentMaterial_);
        }
        // Everything after the nose and the strip that joins it to the next part is white.
        if (static_cast<long long>(i) >= static_cast<long long>(noseRingCount) - 1)
            currentMaterial_ = Material3d::White;
    }
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
        AddTriangle(p[0], p[1], p[2], normal, currentMaterial_);
        AddTriangle(p[0], p[2], p[3], normal, currentMaterial_);
        finTurn_ = (finTurn_ + step) % 360;
    }
}

void TRocket3d::AddTriangle(const Vec3& p, const Vec3& q, const Vec3& s, const Vec3& normal,
                            Material3d material) {
    for (const Vec3* v : {&p, &q, &s}) {
        Vertices.push_back(static_cast<float>(v->x));
        Vertices.push_back(static_cast<float>(v->y));
        Vertices.push_back(static_cast<float>(v->z));
        Normals.push_back(static_cast<float>(normal.x));
        Normals.push_back(static_cast<float>(normal.y));
        Normals.push_back(static_cast<float>(normal.z));
    }
    Materials.push_back(material);
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

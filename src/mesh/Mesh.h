#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vantor::mesh {

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

// One component as a triangle mesh in millimetres: shared vertices and triangles of
// vertex indices, each triangle counter-clockwise when seen from outside the solid.
struct Mesh {
    std::string name;
    std::vector<Vec3> vertices;
    std::vector<std::array<std::uint32_t, 3>> triangles;

    std::uint32_t addVertex(const Vec3& v) {
        vertices.push_back(v);
        return static_cast<std::uint32_t>(vertices.size() - 1);
    }
    void addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        triangles.push_back({a, b, c});
    }
};

// The unit normal of the triangle by the right-hand rule, or zero for a degenerate one.
Vec3 TriangleNormal(const Vec3& a, const Vec3& b, const Vec3& c);

} // namespace vantor::mesh

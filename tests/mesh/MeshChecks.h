#pragma once

#include "mesh/Mesh.h"

#include <QString>

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace vantor::test {

// What a closed, outward-facing triangle mesh must satisfy, checked from nothing but
// its vertices and triangles.
struct MeshReport {
    QString fault; // empty when closed, consistently oriented and free of degenerate triangles
    double volume = 0;
    mesh::Vec3 low{1e300, 1e300, 1e300};
    mesh::Vec3 high{-1e300, -1e300, -1e300};
};

// Every directed edge must occur once and its reverse once; every triangle must have
// area, also in the single precision the files store; the volume is the divergence
// theorem's sum of signed tetrahedra.
inline MeshReport CheckMesh(const std::vector<mesh::Vec3>& vertices,
                            const std::vector<std::array<std::uint32_t, 3>>& triangles) {
    MeshReport report;
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    for (const auto& t : triangles) {
        for (int i = 0; i < 3; ++i)
            if (t[i] >= vertices.size()) {
                report.fault = "vertex index out of range";
                return report;
            }
        const mesh::Vec3 &a = vertices[t[0]], &b = vertices[t[1]], &c = vertices[t[2]];
        // The area of the triangle, also once its corners are rounded to the single
        // precision the files store.
        const auto area = [](const mesh::Vec3& p, const mesh::Vec3& q, const mesh::Vec3& r) {
            const double ux = q.x - p.x, uy = q.y - p.y, uz = q.z - p.z;
            const double vx = r.x - p.x, vy = r.y - p.y, vz = r.z - p.z;
            return std::hypot(uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx);
        };
        const auto rounded = [](const mesh::Vec3& v) {
            return mesh::Vec3{double(float(v.x)), double(float(v.y)), double(float(v.z))};
        };
        if (!(area(a, b, c) > 1e-12) || !(area(rounded(a), rounded(b), rounded(c)) > 0))
            report.fault = "degenerate triangle";
        report.volume += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
                          a.z * (b.x * c.y - b.y * c.x)) /
                         6.0;
        for (int i = 0; i < 3; ++i)
            ++edges[{t[i], t[(i + 1) % 3]}];
    }
    for (const auto& [edge, count] : edges) {
        const auto reverse = edges.find({edge.second, edge.first});
        if (count != 1 || reverse == edges.end() || reverse->second != 1) {
            report.fault = QString("edge %1-%2 used %3 times, its reverse %4 times")
                               .arg(edge.first)
                               .arg(edge.second)
                               .arg(count)
                               .arg(reverse == edges.end() ? 0 : reverse->second);
            break;
        }
    }
    for (const mesh::Vec3& v : vertices) {
        report.low = {std::min(report.low.x, v.x), std::min(report.low.y, v.y),
                      std::min(report.low.z, v.z)};
        report.high = {std::max(report.high.x, v.x), std::max(report.high.y, v.y),
                       std::max(report.high.z, v.z)};
    }
    return report;
}

inline MeshReport CheckMesh(const mesh::Mesh& m) {
    return CheckMesh(m.vertices, m.triangles);
}

} // namespace vantor::test

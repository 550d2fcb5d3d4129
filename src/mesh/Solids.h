#pragma once

#include "mesh/Mesh.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantor {
class Design;
}

namespace vantor::mesh {

// How the components are placed: as assembled in the rocket's frame (axis along x, the
// nose tip at x = 0), or each one laid for printing (axis vertical with the wider end on
// z = 0, fins flat on z = 0).
enum class Layout { Assembly, Parts };

// The largest distance of any edge from the true surface, in millimetres.
inline constexpr double ChordTolerance = 0.02;
// Sizes below this are too small to print and are refused; radii below it count as 0.
inline constexpr double MinFeature = 0.01;
// Sizes above this (10 m) are refused, which keeps every file bounded.
inline constexpr double MaxSize = 10000;
// The most triangles one export may hold (about 200 MB of binary STL).
inline constexpr std::size_t MaxTriangles = 4'000'000;

// How many equal segments a circle of this radius needs so that no chord lies more than
// `tolerance` inside it; at least 48, which keeps the volume of even a thin part within
// 0.3 % of the true one.
int SegmentsAround(double radius, double tolerance);

// The width a nose's point is blunted to by default: one nozzle of a common printer.
inline constexpr double DefaultTipWidth = 0.4;

struct SolidOptions {
    // A point (a nose tip, a transition closing to nothing) ends in a flat tip at least
    // this wide, in millimetres, so that a printer can lay it down; 0 keeps it sharp.
    double tipWidth = DefaultTipWidth;
};

struct SolidsResult {
    std::vector<Mesh> meshes; // one a component, in the design's tree order
    // Why the design cannot be exported, naming the component; empty when it can.
    std::string error;
    bool ok() const { return error.empty(); }
};

// Every printable component of the design (nose cones, body tubes, engine mounts,
// transitions and fin sets; motors and ballast are left out) as one closed, outward-
// facing mesh. Positions come from the elements' outlines, so the design must have been
// drawn (placed) since its last change. Assembled, no two components share a vertex:
// where they touch, one is turned by a fraction of its segment angle, so that each
// stays a closed shell of its own when a tool merges the vertices of one file.
SolidsResult BuildSolids(const Design& design, Layout layout, const SolidOptions& options = {});

// What BuildSolids makes of one component, counted from its sizes without building it.
struct SolidCount {
    std::string name;
    std::size_t triangles = 0;
    std::size_t vertices = 0;
    std::size_t pieces = 0; // connected pieces (each fin of a fin set is one)
    double extent = 0;      // no coordinate of the mesh is larger than this, in millimetres
};

struct SolidCounts {
    std::vector<SolidCount> components; // the printed ones, in the design's tree order
    // BuildSolids' refusal (sizes, the triangle limit), found before anything is built.
    std::string error;
    bool ok() const { return error.empty(); }
};

// The counts of BuildSolids for the same design, layout and options, at a small part of
// its cost: the work of an export is known, and refused, before any of it is done.
SolidCounts CountSolids(const Design& design, Layout layout, const SolidOptions& options = {});

// The connected pieces (shells) of a mesh as indices into it, so that a writer can go
// through them one by one without copying the mesh.
struct ShellIndex {
    std::vector<std::uint32_t> triangles;   // triangle indices, shell after shell
    std::vector<std::size_t> triangleStart; // where each shell's triangles begin, and the end
    std::vector<std::uint32_t> vertices;    // vertex indices, shell after shell
    std::vector<std::size_t> vertexStart;   // where each shell's vertices begin, and the end
    std::vector<std::uint32_t> local;       // every used vertex's number within its shell
    std::size_t shells() const { return triangleStart.empty() ? 0 : triangleStart.size() - 1; }
};

// The mesh's shells in the order of their first triangles; a shell's vertices in the
// order its triangles first use them, its triangles in the mesh's order.
ShellIndex IndexShells(const Mesh& mesh);

// The mesh's connected pieces (triangles that share vertices), each its own mesh named
// after the whole; the mesh itself when it is one piece.
std::vector<Mesh> SplitShells(const Mesh& mesh);

} // namespace vantor::mesh

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vantor {

class Design;
class TRocketElement;
class TStatecznik;

// The two front-face materials of the 3D model: dark grey for the nose, white after it.
enum class Material3d : std::uint8_t { Dark, White };

struct MaterialColours {
    std::array<float, 4> ambient;
    std::array<float, 4> diffuse;
    std::array<float, 4> specular;
};

MaterialColours ColoursOf(Material3d material);

// A stretch of consecutive triangles drawn with one material.
struct TriangleRun {
    std::size_t first = 0;
    std::size_t count = 0;
    Material3d material = Material3d::Dark;
};

// The tessellated rocket in model units (one unit is 100 drawing units), with the
// rocket axis along x. Rebuilt for every frame from the elements' cached side profiles
// (`Corners`): each nose cone, body tube and transition becomes a surface of revolution,
// each fin set flat fins around the axis.
//
// The result is plain data for vertex arrays: vertices with normals, a triangle list of
// vertex indices and one material a triangle; surface triangles first, fin triangles
// after them. Triangles are flat: each takes its normal from its last vertex, the one
// flat shading lights it by. That lets a strip share the vertices of its two rings,
// a third of what separate triangles need.
class TRocket3d {
public:
    // Rebuilds everything from the design's tree in order. `noseRingCount` is the run's
    // remembered ring count of the first surface: set here while it is still 0, then
    // only read to decide where the dark material ends.
    void Build(const Design& design, int& noseRingCount);

    std::size_t RingCount() const { return ringCount_; }
    std::size_t VerticesPerRing() const { return verticesPerRing_; }
    // x, y, z of every vertex of ring `index`, in order around the axis.
    std::span<const float> Ring(std::size_t index) const;

    std::size_t TriangleCount() const { return Materials.size(); }
    // Corner `corner` (0 to 2, in drawing order) of triangle `triangle`.
    std::array<float, 3> TriangleVertex(std::size_t triangle, std::size_t corner) const;
    // The triangle's flat normal, (P - Q) x (Q - S) of its corners made unit length, or
    // the zero vector for a degenerate triangle.
    std::array<float, 3> TriangleNormal(std::size_t triangle) const;
    std::size_t SurfaceTriangleCount() const { return surfaceTriangles_; }
    std::size_t FinTriangleCount() const { return TriangleCount() - surfaceTriangles_; }
    std::vector<TriangleRun> Runs() const;

    std::vector<float> Vertices;        // x, y, z of every vertex
    std::vector<float> Normals;         // a normal for every vertex
    std::vector<std::uint32_t> Indices; // three vertices a triangle
    std::vector<Material3d> Materials;  // one a triangle

private:
    struct Vec3 {
        double x = 0;
        double y = 0;
        double z = 0;
    };

    void AddRings(const TRocketElement& element, float step);
    void AddSurface(int noseRingCount);
    void AddFins(const TStatecznik& fins);
    std::uint32_t AddVertex(const Vec3& position, const Vec3& normal);
    // Where each vertex of a ring lies around the axis; the same for every ring.
    std::vector<double> ringSines_;
    std::vector<double> ringCosines_;
    std::vector<float> ringCoords_;
    std::size_t ringCount_ = 0;
    std::size_t verticesPerRing_ = 0;
    std::size_t surfaceTriangles_ = 0;
    // What the fins inherit from the surface drawn before them.
    Material3d currentMaterial_ = Material3d::Dark;
    Vec3 currentNormal_;
    // Turn left over by earlier fin sets, whole degrees.
    int finTurn_ = 0;
};

} // namespace vantor

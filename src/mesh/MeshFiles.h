#pragma once

#include "mesh/Mesh.h"
#include "mesh/Solids.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantor {
class Design;
}

namespace vantor::mesh {

enum class MeshFormat { Stl, Obj, ThreeMf };

// The format a file name asks for by its extension (any case), if it names one.
std::optional<MeshFormat> FormatOfPath(const std::filesystem::path& path);
// ".stl", ".obj" or ".3mf".
const char* ExtensionOf(MeshFormat format);

// Binary STL: all meshes in one list of triangles, each with its facet normal.
std::vector<std::uint8_t> EncodeStl(const std::vector<Mesh>& meshes);
// Wavefront OBJ: one object a mesh, one facet normal a triangle.
std::vector<std::uint8_t> EncodeObj(const std::vector<Mesh>& meshes);
// 3MF package in millimetres: one object a connected piece of a mesh (each fin of a
// fin set its own), every object one item of the build.
// Empty with `error` set when the package cannot be made.
std::vector<std::uint8_t> Encode3mf(const std::vector<Mesh>& meshes, std::string& error);

// The most bytes one export may write, over all its files (a 3MF package counted by its
// model document, which is made in full): 2,000,000 triangles of binary STL, far more
// than any rocket needs, written within seconds and a few hundred megabytes of memory.
inline constexpr std::uint64_t MaxExportBytes = 100'000'000;
// The most files an export of the parts may write.
inline constexpr std::size_t MaxPartFiles = 1000;

struct MeshBudget {
    std::size_t triangles = 0;
    std::size_t files = 0;
    std::uint64_t bytes = 0; // at most this many, estimated from the counts
    // The limit the export would break, in plain words; empty when it keeps them all.
    std::string refusal;
    bool ok() const { return refusal.empty(); }
};

// What an export of the design in this layout and format would take, counted from the
// sizes before any mesh is built: the triangles, the files and the bytes, each against
// its limit. The export functions below refuse what this refuses, before doing any work.
MeshBudget EstimateMeshExport(const Design& design, Layout layout, MeshFormat format,
                              const SolidOptions& options = {});

struct MeshExportResult {
    bool ok = false;
    // Why nothing (or not everything) was written, naming the file or component.
    std::string reason;
    std::vector<std::filesystem::path> written;
};

// Writes the whole rocket as assembled to one file; an existing file is replaced only
// once the new one is complete.
MeshExportResult ExportAssembly(const Design& design, const std::filesystem::path& file,
                                MeshFormat format, const SolidOptions& options = {});
// Writes one file a component, laid for printing, into `folder` (made if missing),
// named "<stem>-<number>-<component><extension>".
MeshExportResult ExportParts(const Design& design, const std::filesystem::path& folder,
                             const std::string& stem, MeshFormat format,
                             const SolidOptions& options = {});

} // namespace vantor::mesh

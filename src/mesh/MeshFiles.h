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

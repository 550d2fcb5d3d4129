#include "mesh/MeshFiles.h"

#include "designfile/SafeFile.h"

#include <zip.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <memory>
#include <system_error>

namespace vantor::mesh {

namespace {

// Appends bytes to a growing buffer.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void text(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }
    void number(double value) {
        char buffer[64];
        // Micrometre precision is far below any printer's resolution.
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
        out_.insert(out_.end(), buffer, end.ptr);
    }
    void integer(std::size_t value) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value);
        out_.insert(out_.end(), buffer, end.ptr);
    }

private:
    std::vector<std::uint8_t>& out_;
};

// The name as valid UTF-8 without control characters: anything else becomes '?'.
std::string CleanName(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size();) {
        const auto c = static_cast<unsigned char>(name[i]);
        std::size_t length = c < 0x80         ? 1
                             : (c >> 5) == 6  ? 2
                             : (c >> 4) == 14 ? 3
                             : (c >> 3) == 30 ? 4
                                              : 0;
        bool valid = length > 0 && i + length <= name.size();
        for (std::size_t k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(name[i + k]) >> 6) == 2;
        if (!valid || (length == 1 && (c < 0x20 || c == 0x7F))) {
            out += '?';
            ++i;
            continue;
        }
        out.append(name, i, length);
        i += length;
    }
    return out;
}

// The mesh's name with its number, unique within one file.
std::string ObjectName(const Mesh& mesh, std::size_t number) {
    return CleanName(mesh.name) + " " + std::to_string(number);
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// One object a connected piece: a slicer takes each object as one body, and a fin set's
// fins, which meet only through the tube, would leave it layers with nothing to print.
// A piece of a component made of several is named "<name> <number>.<piece>".
std::string ModelXml(const std::vector<Mesh>& components) {
    std::vector<Mesh> meshes;
    for (std::size_t c = 0; c < components.size(); ++c) {
        std::vector<Mesh> pieces = SplitShells(components[c]);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            pieces[i].name = ObjectName(components[c], c + 1);
            if (pieces.size() > 1)
                pieces[i].name += "." + std::to_string(i + 1);
            meshes.push_back(std::move(pieces[i]));
        }
    }
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    out.text("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<model unit=\"millimeter\" xml:lang=\"en-US\" "
             "xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\">\n"
             " <resources>\n");
    for (std::size_t m = 0; m < meshes.size(); ++m) {
        out.text("  <object id=\"");
        out.integer(m + 1);
        out.text("\" type=\"model\" name=\"");
        out.text(XmlEscaped(meshes[m].name));
        out.text("\">\n   <mesh>\n    <vertices>\n");
        for (const Vec3& v : meshes[m].vertices) {
            out.text("     <vertex x=\"");
            out.number(v.x);
            out.text("\" y=\"");
            out.number(v.y);
            out.text("\" z=\"");
            out.number(v.z);
            out.text("\"/>\n");
        }
        out.text("    </vertices>\n    <triangles>\n");
        for (const auto& t : meshes[m].triangles) {
            out.text("     <triangle v1=\"");
            out.integer(t[0]);
            out.text("\" v2=\"");
            out.integer(t[1]);
            out.text("\" v3=\"");
            out.integer(t[2]);
            out.text("\"/>\n");
        }
        out.text("    </triangles>\n   </mesh>\n  </object>\n");
    }
    out.text(" </resources>\n <build>\n");
    for (std::size_t m = 0; m < meshes.size(); ++m) {
        out.text("  <item objectid=\"");
        out.integer(m + 1);
        out.text("\"/>\n");
    }
    out.text(" </build>\n</model>\n");
    return std::string(bytes.begin(), bytes.end());
}

constexpr const char* ContentTypesXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"model\" "
    "ContentType=\"application/vnd.ms-package.3dmanufacturing-3dmodel+xml\"/></Types>\n";

constexpr const char* RelationshipsXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Target=\"/3D/3dmodel.model\" Id=\"rel0\" "
    "Type=\"http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel\"/></Relationships>\n";

struct ZipSourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

std::string ZipReason(zip_error_t* error) {
    return std::string("cannot make the 3MF package: ") + zip_error_strerror(error);
}

MeshExportResult WriteFile(const std::filesystem::path& file,
                           const std::vector<std::uint8_t>& bytes, MeshExportResult result) {
    const FileWriteResult written = ReplaceFileContents(file, bytes);
    if (!written.ok) {
        result.ok = false;
        result.reason = file.string() + ": " + written.reason;
        return result;
    }
    result.written.push_back(file);
    result.ok = true;
    return result;
}

std::vector<std::uint8_t> Encode(const std::vector<Mesh>& meshes, MeshFormat format,
                                 std::string& error) {
    switch (format) {
    case MeshFormat::Stl:
        return EncodeStl(meshes);
    case MeshFormat::Obj:
        return EncodeObj(meshes);
    case MeshFormat::ThreeMf:
        return Encode3mf(meshes, error);
    }
    return {};
}

// A file-name part from the component's name: letters, digits, '-' and '_' kept,
// everything else '_'.
std::string FileNamePart(const std::string& name) {
    std::string out;
    for (char c : CleanName(name)) {
        const auto u = static_cast<unsigned char>(c);
        const bool keep = u >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                          (c >= 'A' && c <= 'Z') || c == '-' || c == '_';
        out += keep ? c : '_';
    }
    return out.empty() ? std::string("part") : out;
}

} // namespace

std::optional<MeshFormat> FormatOfPath(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (extension == ".stl")
        return MeshFormat::Stl;
    if (extension == ".obj")
        return MeshFormat::Obj;
    if (extension == ".3mf")
        return MeshFormat::ThreeMf;
    return std::nullopt;
}

const char* ExtensionOf(MeshFormat format) {
    switch (format) {
    case MeshFormat::Stl:
        return ".stl";
    case MeshFormat::Obj:
        return ".obj";
    case MeshFormat::ThreeMf:
        return ".3mf";
    }
    return "";
}

std::vector<std::uint8_t> EncodeStl(const std::vector<Mesh>& meshes) {
    std::size_t count = 0;
    for (const Mesh& mesh : meshes)
        count += mesh.triangles.size();
    std::vector<std::uint8_t> bytes(84 + 50 * count, 0);
    // The header must not begin with "solid", which marks the text form.
    const std::string_view header = "Vantor binary STL, millimetres";
    std::fill(bytes.begin(), bytes.begin() + 80, std::uint8_t(' '));
    std::copy(header.begin(), header.end(), bytes.begin());
    std::uint8_t* out = bytes.data() + 80;
    const auto put32 = [&out](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            *out++ = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put32(static_cast<std::uint32_t>(count));
    for (const Mesh& mesh : meshes) {
        for (const auto& t : mesh.triangles) {
            const Vec3 &a = mesh.vertices[t[0]], &b = mesh.vertices[t[1]], &c = mesh.vertices[t[2]];
            const Vec3 n = TriangleNormal(a, b, c);
            for (const Vec3* v : {&n, &a, &b, &c})
                for (double coordinate : {v->x, v->y, v->z})
                    put32(std::bit_cast<std::uint32_t>(static_cast<float>(coordinate)));
            out += 2; // attribute byte count, 0
        }
    }
    return bytes;
}

std::vector<std::uint8_t> EncodeObj(const std::vector<Mesh>& meshes) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    out.text("# Vantor 3D model, millimetres\n");
    std::size_t vertexBase = 1, normalBase = 1;
    for (std::size_t m = 0; m < meshes.size(); ++m) {
        const Mesh& mesh = meshes[m];
        out.text("o ");
        out.text(ObjectName(mesh, m + 1));
        out.text("\n");
        for (const Vec3& v : mesh.vertices) {
            out.text("v ");
            out.number(v.x);
            out.text(" ");
            out.number(v.y);
            out.text(" ");
            out.number(v.z);
            out.text("\n");
        }
        for (const auto& t : mesh.triangles) {
            const Vec3 n =
                TriangleNormal(mesh.vertices[t[0]], mesh.vertices[t[1]], mesh.vertices[t[2]]);
            out.text("vn ");
            out.number(n.x);
            out.text(" ");
            out.number(n.y);
            out.text(" ");
            out.number(n.z);
            out.text("\n");
        }
        for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
            out.text("f");
            for (std::uint32_t v : mesh.triangles[i]) {
                out.text(" ");
                out.integer(vertexBase + v);
                out.text("//");
                out.integer(normalBase + i);
            }
            out.text("\n");
        }
        vertexBase += mesh.vertices.size();
        normalBase += mesh.triangles.size();
    }
    return bytes;
}

std::vector<std::uint8_t> Encode3mf(const std::vector<Mesh>& meshes, std::string& error) {
    const std::string model = ModelXml(meshes);
    zip_error_t zipError;
    zip_error_init(&zipError);
    std::unique_ptr<zip_source_t, ZipSourceFree> buffer(
        zip_source_buffer_create(nullptr, 0, 0, &zipError));
    if (!buffer) {
        error = ZipReason(&zipError);
        zip_error_fini(&zipError);
        return {};
    }
    zip_source_keep(buffer.get()); // the archive releases its reference on close
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &zipError);
    if (archive == nullptr) {
        zip_source_free(buffer.get()); // the reference kept for the archive
        error = ZipReason(&zipError);
        zip_error_fini(&zipError);
        return {};
    }
    const std::pair<const char*, std::string_view> entries[] = {
        {"[Content_Types].xml", ContentTypesXml},
        {"_rels/.rels", RelationshipsXml},
        {"3D/3dmodel.model", model},
    };
    for (const auto& [name, data] : entries) {
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        if (source == nullptr || zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source != nullptr)
                zip_source_free(source);
            error = ZipReason(zip_get_error(archive));
            zip_discard(archive);
            return {};
        }
    }
    if (zip_close(archive) < 0) {
        error = ZipReason(zip_get_error(archive));
        zip_discard(archive);
        return {};
    }
    std::vector<std::uint8_t> bytes;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer.get(), &stat) < 0 || zip_source_open(buffer.get()) < 0) {
        error = ZipReason(zip_source_error(buffer.get()));
        return {};
    }
    bytes.resize(stat.size);
    const zip_int64_t read = zip_source_read(buffer.get(), bytes.data(), bytes.size());
    zip_source_close(buffer.get());
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) {
        error = "cannot make the 3MF package: the packed data cannot be read back";
        return {};
    }
    return bytes;
}

MeshExportResult ExportAssembly(const Design& design, const std::filesystem::path& file,
                                MeshFormat format, const SolidOptions& options) {
    MeshExportResult result;
    const SolidsResult solids = BuildSolids(design, Layout::Assembly, options);
    if (!solids.ok()) {
        result.reason = solids.error;
        return result;
    }
    std::string error;
    const std::vector<std::uint8_t> bytes = Encode(solids.meshes, format, error);
    if (!error.empty()) {
        result.reason = error;
        return result;
    }
    return WriteFile(file, bytes, std::move(result));
}

MeshExportResult ExportParts(const Design& design, const std::filesystem::path& folder,
                             const std::string& stem, MeshFormat format,
                             const SolidOptions& options) {
    MeshExportResult result;
    const SolidsResult solids = BuildSolids(design, Layout::Parts, options);
    if (!solids.ok()) {
        result.reason = solids.error;
        return result;
    }
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    if (made || !std::filesystem::is_directory(folder)) {
        result.reason = folder.string() + ": cannot make the folder" +
                        (made ? ": " + made.message() : std::string());
        return result;
    }
    const std::size_t digits = std::to_string(solids.meshes.size()).size() < 2
                                   ? 2
                                   : std::to_string(solids.meshes.size()).size();
    for (std::size_t m = 0; m < solids.meshes.size(); ++m) {
        std::string number = std::to_string(m + 1);
        number.insert(0, digits - number.size(), '0');
        const std::filesystem::path file =
            folder /
            (stem + "-" + number + "-" + FileNamePart(solids.meshes[m].name) + ExtensionOf(format));
        std::string error;
        const std::vector<std::uint8_t> bytes = Encode({solids.meshes[m]}, format, error);
        if (!error.empty()) {
            result.ok = false;
            result.reason = error;
            return result;
        }
        result = WriteFile(file, bytes, std::move(result));
        if (!result.ok)
            return result;
    }
    return result;
}

} // namespace vantor::mesh

#include "mesh/MeshFiles.h"

#include "designfile/SafeFile.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

namespace vantor::mesh {

namespace {

// Writes text and numbers into a buffer that goes to the sink in large pieces, so that
// a file of any size is written without being held whole.
class ChunkWriter {
public:
    explicit ChunkWriter(const ByteSink& sink) : sink_(sink) { buffer_.reserve(Chunk + 4096); }

    void text(std::string_view s) {
        buffer_.append(s);
        spill();
    }
    void number(double value) {
        char buffer[64];
        // Micrometre precision is far below any printer's resolution.
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
        buffer_.append(buffer, end.ptr);
    }
    void integer(std::size_t value) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value);
        buffer_.append(buffer, end.ptr);
    }
    void put32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            buffer_.push_back(static_cast<char>(v >> (8 * i)));
    }
    // Hands everything buffered to the sink; false once the sink has refused anything.
    bool flush() {
        if (ok_ && !buffer_.empty())
            ok_ = sink_(
                std::span(reinterpret_cast<const std::uint8_t*>(buffer_.data()), buffer_.size()));
        buffer_.clear();
        return ok_;
    }
    bool ok() const { return ok_; }

private:
    static constexpr std::size_t Chunk = 1 << 20;
    void spill() {
        if (buffer_.size() >= Chunk)
            flush();
    }

    const ByteSink& sink_;
    std::string buffer_;
    bool ok_ = true;
};

// A sink that appends to a vector, for the encoders that return the bytes.
ByteSink AppendTo(std::vector<std::uint8_t>& bytes) {
    return [&bytes](std::span<const std::uint8_t> piece) {
        bytes.insert(bytes.end(), piece.begin(), piece.end());
        return true;
    };
}

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

// The 3MF model document, made a piece at a time from the meshes so that it is never
// held whole. One object a connected piece: a slicer takes each object as one body, and a
// fin set's fins, which meet only through the tube, would leave it layers with nothing to
// print. A piece of a component made of several is named "<name> <number>.<piece>".
class ModelXml {
public:
    explicit ModelXml(const std::vector<Mesh>& components) : components_(components) {}

    // Writes the next lines, about `want` bytes of them; false once the document is done.
    bool next(ChunkWriter& out, std::size_t want, std::size_t& written);

private:
    enum class Stage { Head, Objects, Build, Done };
    enum class Part { Start, Vertices, Triangles };

    bool startComponent() {
        if (component_ >= components_.size())
            return false;
        shells_ = IndexShells(components_[component_]);
        whole_ = shells_.shells() <= 1;
        piece_ = 0;
        part_ = Part::Start;
        return true;
    }
    std::size_t pieces() const { return whole_ ? 1 : shells_.shells(); }
    std::size_t vertexCount() const {
        const Mesh& mesh = components_[component_];
        return whole_ ? mesh.vertices.size()
                      : shells_.vertexStart[piece_ + 1] - shells_.vertexStart[piece_];
    }
    std::size_t triangleCount() const {
        const Mesh& mesh = components_[component_];
        return whole_ ? mesh.triangles.size()
                      : shells_.triangleStart[piece_ + 1] - shells_.triangleStart[piece_];
    }
    void vertex(ChunkWriter& out, std::size_t k) const {
        const Mesh& mesh = components_[component_];
        const Vec3& v =
            mesh.vertices[whole_ ? k : shells_.vertices[shells_.vertexStart[piece_] + k]];
        out.text("     <vertex x=\"");
        out.number(v.x);
        out.text("\" y=\"");
        out.number(v.y);
        out.text("\" z=\"");
        out.number(v.z);
        out.text("\"/>\n");
    }
    void triangle(ChunkWriter& out, std::size_t k) const {
        const Mesh& mesh = components_[component_];
        std::array<std::uint32_t, 3> t =
            mesh.triangles[whole_ ? k : shells_.triangles[shells_.triangleStart[piece_] + k]];
        if (!whole_)
            for (std::uint32_t& v : t)
                v = shells_.local[v];
        out.text("     <triangle v1=\"");
        out.integer(t[0]);
        out.text("\" v2=\"");
        out.integer(t[1]);
        out.text("\" v3=\"");
        out.integer(t[2]);
        out.text("\"/>\n");
    }

    const std::vector<Mesh>& components_;
    Stage stage_ = Stage::Head;
    std::size_t component_ = 0;
    ShellIndex shells_;
    bool whole_ = true;
    std::size_t piece_ = 0;
    Part part_ = Part::Start;
    std::size_t position_ = 0;
    std::size_t objects_ = 0; // objects written so far
};

// Each line is counted as it is written, roughly: the chunk ends near `want` bytes.
bool ModelXml::next(ChunkWriter& out, std::size_t want, std::size_t& written) {
    const std::size_t start = written;
    while (written - start < want) {
        switch (stage_) {
        case Stage::Head:
            out.text("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<model unit=\"millimeter\" xml:lang=\"en-US\" "
                     "xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\">\n"
                     " <resources>\n");
            written += 200;
            position_ = 0;
            if (startComponent()) {
                stage_ = Stage::Objects;
            } else {
                out.text(" </resources>\n <build>\n");
                stage_ = Stage::Build;
            }
            break;
        case Stage::Objects: {
            const Mesh& mesh = components_[component_];
            if (part_ == Part::Start) {
                std::string name = ObjectName(mesh, component_ + 1);
                if (!whole_) {
                    name += '.';
                    name += std::to_string(piece_ + 1);
                }
                out.text("  <object id=\"");
                out.integer(++objects_);
                out.text("\" type=\"model\" name=\"");
                out.text(XmlEscaped(name));
                out.text("\">\n   <mesh>\n    <vertices>\n");
                written += 80 + name.size();
                part_ = Part::Vertices;
                position_ = 0;
            } else if (part_ == Part::Vertices) {
                if (position_ < vertexCount()) {
                    vertex(out, position_++);
                    written += 60;
                } else {
                    out.text("    </vertices>\n    <triangles>\n");
                    part_ = Part::Triangles;
                    position_ = 0;
                }
            } else if (position_ < triangleCount()) {
                triangle(out, position_++);
                written += 50;
            } else {
                out.text("    </triangles>\n   </mesh>\n  </object>\n");
                part_ = Part::Start;
                if (++piece_ >= pieces()) {
                    ++component_;
                    if (!startComponent()) {
                        shells_ = {};
                        stage_ = Stage::Build;
                        position_ = 0;
                        out.text(" </resources>\n <build>\n");
                    }
                }
            }
            break;
        }
        case Stage::Build:
            if (position_ < objects_) {
                out.text("  <item objectid=\"");
                out.integer(++position_);
                out.text("\"/>\n");
                written += 30;
            } else {
                out.text(" </build>\n</model>\n");
                stage_ = Stage::Done;
            }
            break;
        case Stage::Done:
            return false;
        }
    }
    return stage_ != Stage::Done;
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

// The model document as a source libzip reads from while it packs: the document is made
// as the packer asks for it, so only the packed data is held in memory. Its size is
// counted first, by making it once without keeping it; libzip chooses its headers by it.
class ModelSource {
public:
    explicit ModelSource(const std::vector<Mesh>& meshes) : meshes_(meshes) {}

    zip_uint64_t size() {
        const ByteSink count = [this](std::span<const std::uint8_t> piece) {
            size_ += piece.size();
            return true;
        };
        ChunkWriter out(count);
        ModelXml xml(meshes_);
        std::size_t written = 0;
        while (xml.next(out, Step, written))
            out.flush();
        out.flush();
        return size_;
    }

    static zip_int64_t Callback(void* state, void* data, zip_uint64_t length,
                                zip_source_cmd_t command) {
        return static_cast<ModelSource*>(state)->call(data, length, command);
    }

private:
    static constexpr std::size_t Step = 1 << 16;

    zip_int64_t call(void* data, zip_uint64_t length, zip_source_cmd_t command) {
        switch (command) {
        case ZIP_SOURCE_OPEN:
            xml_.emplace(meshes_);
            pending_.clear();
            offset_ = 0;
            more_ = true;
            return 0;
        case ZIP_SOURCE_READ: {
            auto* to = static_cast<char*>(data);
            zip_uint64_t given = 0;
            while (given < length) {
                if (offset_ == pending_.size()) {
                    if (!more_)
                        break;
                    pending_.clear();
                    offset_ = 0;
                    const ByteSink keep = [this](std::span<const std::uint8_t> piece) {
                        pending_.append(reinterpret_cast<const char*>(piece.data()), piece.size());
                        return true;
                    };
                    ChunkWriter out(keep);
                    std::size_t written = 0;
                    more_ = xml_->next(out, Step, written);
                    out.flush();
                    continue;
                }
                const std::size_t n =
                    std::min<std::size_t>(pending_.size() - offset_, length - given);
                std::memcpy(to + given, pending_.data() + offset_, n);
                offset_ += n;
                given += n;
            }
            return static_cast<zip_int64_t>(given);
        }
        case ZIP_SOURCE_CLOSE:
            xml_.reset();
            pending_.clear();
            pending_.shrink_to_fit();
            return 0;
        case ZIP_SOURCE_STAT: {
            auto* stat = static_cast<zip_stat_t*>(data);
            zip_stat_init(stat);
            stat->size = size_;
            stat->mtime = mtime_;
            stat->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&error_, data, length);
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                  ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0);
            return -1;
        }
    }

    const std::vector<Mesh>& meshes_;
    zip_uint64_t size_ = 0;
    // Stamped as libzip stamps an entry made from memory: the time it is packed.
    std::time_t mtime_ = std::time(nullptr);
    zip_error_t error_{};
    std::optional<ModelXml> xml_;
    std::string pending_;
    std::size_t offset_ = 0;
    bool more_ = true;
};

// The model document's size from which it is packed fast rather than tightly.
constexpr zip_uint64_t FastPackingFrom = 16'000'000;

std::string Write3mf(const std::vector<Mesh>& meshes, const ByteSink& sink) {
    ModelSource model(meshes);
    const zip_uint64_t modelSize = model.size();
    zip_error_t zipError;
    zip_error_init(&zipError);
    std::unique_ptr<zip_source_t, ZipSourceFree> buffer(
        zip_source_buffer_create(nullptr, 0, 0, &zipError));
    if (!buffer) {
        std::string error = ZipReason(&zipError);
        zip_error_fini(&zipError);
        return error;
    }
    zip_source_keep(buffer.get()); // the archive releases its reference on close
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &zipError);
    if (archive == nullptr) {
        zip_source_free(buffer.get()); // the reference kept for the archive
        std::string error = ZipReason(&zipError);
        zip_error_fini(&zipError);
        return error;
    }
    const auto fail = [archive] {
        std::string error = ZipReason(zip_get_error(archive));
        zip_discard(archive);
        return error;
    };
    const std::pair<const char*, std::string_view> texts[] = {
        {"[Content_Types].xml", ContentTypesXml},
        {"_rels/.rels", RelationshipsXml},
    };
    for (const auto& [name, data] : texts) {
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        if (source == nullptr || zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source != nullptr)
                zip_source_free(source);
            return fail();
        }
    }
    zip_source_t* source = zip_source_function(archive, &ModelSource::Callback, &model);
    const zip_int64_t index =
        source != nullptr ? zip_file_add(archive, "3D/3dmodel.model", source, ZIP_FL_ENC_UTF_8)
                          : -1;
    if (index < 0) {
        if (source != nullptr)
            zip_source_free(source);
        return fail();
    }
    // libzip packs as tightly as it can, which takes seconds for tens of megabytes; a
    // large model is packed fast instead (a file about a third larger), so that no
    // export takes longer than a few seconds. Ordinary models are packed as before.
    if (modelSize > FastPackingFrom &&
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) < 0)
        return fail();
    if (zip_close(archive) < 0)
        return fail();
    // The packed data goes to the sink a piece at a time.
    if (zip_source_open(buffer.get()) < 0)
        return ZipReason(zip_source_error(buffer.get()));
    std::vector<std::uint8_t> piece(1 << 20);
    for (;;) {
        const zip_int64_t read = zip_source_read(buffer.get(), piece.data(), piece.size());
        if (read < 0) {
            std::string error = ZipReason(zip_source_error(buffer.get()));
            zip_source_close(buffer.get());
            return error;
        }
        if (read == 0)
            break;
        if (!sink(std::span(piece.data(), static_cast<std::size_t>(read)))) {
            zip_source_close(buffer.get());
            return "cannot write the 3MF package";
        }
    }
    zip_source_close(buffer.get());
    return {};
}

void WriteStl(const std::vector<Mesh>& meshes, ChunkWriter& out) {
    std::size_t count = 0;
    for (const Mesh& mesh : meshes)
        count += mesh.triangles.size();
    // The header must not begin with "solid", which marks the text form.
    std::string header = "Vantor binary STL, millimetres";
    header.resize(80, ' ');
    out.text(header);
    out.put32(static_cast<std::uint32_t>(count));
    for (const Mesh& mesh : meshes) {
        for (const auto& t : mesh.triangles) {
            const Vec3 &a = mesh.vertices[t[0]], &b = mesh.vertices[t[1]], &c = mesh.vertices[t[2]];
            const Vec3 n = TriangleNormal(a, b, c);
            for (const Vec3* v : {&n, &a, &b, &c})
                for (double coordinate : {v->x, v->y, v->z})
                    out.put32(std::bit_cast<std::uint32_t>(static_cast<float>(coordinate)));
            out.text(std::string_view("\0\0", 2)); // attribute byte count, 0
        }
    }
}

void WriteObj(const std::vector<Mesh>& meshes, ChunkWriter& out) {
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
}

// Writes the meshes in the format to the sink; why not, when they cannot be written.
std::string Encode(const std::vector<Mesh>& meshes, MeshFormat format, const ByteSink& sink) {
    if (format == MeshFormat::ThreeMf)
        return Write3mf(meshes, sink);
    ChunkWriter out(sink);
    if (format == MeshFormat::Stl)
        WriteStl(meshes, out);
    else
        WriteObj(meshes, out);
    return out.flush() ? std::string() : std::string("cannot write the model");
}

MeshExportResult WriteFile(const std::filesystem::path& file, const std::vector<Mesh>& meshes,
                           MeshFormat format, MeshExportResult result) {
    const FileWriteResult written = ReplaceFileContentsStreamed(
        file, [&](const ByteSink& sink) { return Encode(meshes, format, sink); });
    if (!written.ok) {
        result.ok = false;
        result.reason = file.string() + ": " + written.reason;
        return result;
    }
    result.written.push_back(file);
    result.ok = true;
    return result;
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
    std::vector<std::uint8_t> bytes;
    const ByteSink sink = AppendTo(bytes);
    ChunkWriter out(sink);
    WriteStl(meshes, out);
    out.flush();
    return bytes;
}

std::vector<std::uint8_t> EncodeObj(const std::vector<Mesh>& meshes) {
    std::vector<std::uint8_t> bytes;
    const ByteSink sink = AppendTo(bytes);
    ChunkWriter out(sink);
    WriteObj(meshes, out);
    out.flush();
    return bytes;
}

std::vector<std::uint8_t> Encode3mf(const std::vector<Mesh>& meshes, std::string& error) {
    std::vector<std::uint8_t> bytes;
    error = Write3mf(meshes, AppendTo(bytes));
    if (!error.empty())
        return {};
    return bytes;
}

MeshBudget EstimateMeshExport(const Design& design, Layout layout, MeshFormat format,
                              const SolidOptions& options) {
    MeshBudget budget;
    const SolidCounts counts = CountSolids(design, layout, options);
    if (!counts.ok()) {
        budget.refusal = counts.error;
        return budget;
    }
    budget.files = layout == Layout::Parts ? counts.components.size() : 1;
    // Each file on its own: for the assembly one file of every component.
    std::vector<std::vector<const SolidCount*>> files;
    for (const SolidCount& count : counts.components) {
        if (files.empty() || layout == Layout::Parts)
            files.emplace_back();
        files.back().push_back(&count);
        budget.triangles += count.triangles;
    }
    const auto digits = [](double value) {
        return value < 10 ? 1.0 : std::floor(std::log10(value)) + 1;
    };
    for (const auto& file : files) {
        double vertices = 0, triangles = 0, pieces = 0, names = 0, width = 0, widest = 0;
        for (const SolidCount* count : file) {
            vertices += double(count->vertices);
            triangles += double(count->triangles);
            pieces += double(count->pieces);
            names += double(count->name.size());
            widest = std::max(widest, count->extent);
        }
        // A coordinate in fixed notation: sign, whole digits, point and six decimals.
        width = digits(widest) + 8;
        double bytes = 0;
        switch (format) {
        case MeshFormat::Stl:
            bytes = 84 + 50 * triangles;
            break;
        case MeshFormat::Obj:
            bytes = 31 + 32 * double(file.size()) + 4 * names + vertices * (5 + 3 * width) +
                    triangles * (33 + 8 + 3 * (digits(vertices) + digits(triangles)));
            break;
        case MeshFormat::ThreeMf:
            // The model document, which is made and packed in full.
            bytes = 400 + pieces * (140 + 30 + digits(pieces)) + 4 * names +
                    vertices * (30 + 3 * width) + triangles * (35 + 3 * digits(vertices));
            break;
        }
        budget.bytes += static_cast<std::uint64_t>(std::min(bytes, 1e18));
    }
    const char* what = format == MeshFormat::Stl   ? "STL"
                       : format == MeshFormat::Obj ? "OBJ"
                                                   : "3MF";
    if (budget.files > MaxPartFiles)
        budget.refusal = "the parts would take " + std::to_string(budget.files) +
                         " files, more than the limit of " + std::to_string(MaxPartFiles);
    else if (budget.bytes > MaxExportBytes)
        budget.refusal = std::string("the ") + what + " output would take about " +
                         std::to_string(budget.bytes / 1'000'000) + " MB, more than the limit of " +
                         std::to_string(MaxExportBytes / 1'000'000) + " MB";
    return budget;
}

MeshExportResult ExportAssembly(const Design& design, const std::filesystem::path& file,
                                MeshFormat format, const SolidOptions& options) {
    MeshExportResult result;
    const MeshBudget budget = EstimateMeshExport(design, Layout::Assembly, format, options);
    if (!budget.ok()) {
        result.reason = budget.refusal;
        return result;
    }
    const SolidsResult solids = BuildSolids(design, Layout::Assembly, options);
    if (!solids.ok()) {
        result.reason = solids.error;
        return result;
    }
    return WriteFile(file, solids.meshes, format, std::move(result));
}

MeshExportResult ExportParts(const Design& design, const std::filesystem::path& folder,
                             const std::string& stem, MeshFormat format,
                             const SolidOptions& options) {
    MeshExportResult result;
    const MeshBudget budget = EstimateMeshExport(design, Layout::Parts, format, options);
    if (!budget.ok()) {
        result.reason = budget.refusal;
        return result;
    }
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
        result = WriteFile(file, {solids.meshes[m]}, format, std::move(result));
        if (!result.ok)
            return result;
    }
    return result;
}

} // namespace vantor::mesh

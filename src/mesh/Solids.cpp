#include "mesh/Solids.h"

#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
#include "model/RocketElement.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numeric>
#include <sstream>
#include <string_view>
#include <unordered_set>

namespace vantor::mesh {

namespace {

// The chord tolerance split between the two directions of a curved surface: the edges
// along a curved profile and the diagonals across it deviate by the sum of both.
constexpr double CurvedAroundShare = 0.75;
// Components may not lie further than this (100 m) from the nose tip.
constexpr double MaxPosition = 100000;
// A cap on the points of one profile, far above what any allowed size needs.
constexpr std::size_t MaxProfilePoints = 200000;
// Gap between laid-out fins.
constexpr double FinGap = 5;

enum class Kind { Cone, Ogive, Paraboloid, Tube, Frustum, Fins, None };

// Motors, ballast and anything unknown are not printed.
Kind SolidKind(const TRocketElement& element) {
    switch (KindOf(element).shape) {
    case Shape3d::Cone:
        return Kind::Cone;
    case Shape3d::Ogive:
        return Kind::Ogive;
    case Shape3d::Paraboloid:
        return Kind::Paraboloid;
    case Shape3d::Tube:
        return Kind::Tube;
    case Shape3d::Frustum:
        return Kind::Frustum;
    case Shape3d::Fins:
        return Kind::Fins;
    case Shape3d::None:
        break;
    }
    return Kind::None;
}

std::string Number(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// Checks the sizes of one component; the first fault is kept as the refusal.
class SizeCheck {
public:
    explicit SizeCheck(std::string component) : component_(std::move(component)) {}

    void size(double value, const char* what, double min = MinFeature) {
        if (!error.empty())
            return;
        if (!std::isfinite(value))
            fail(std::string("the ") + what + " is not a number");
        else if (value < min)
            fail(std::string("the ") + what + " must be at least " + Number(min) + " mm");
        else if (value > MaxSize)
            fail(std::string("the ") + what + " must be at most " + Number(MaxSize) + " mm");
    }
    void fail(const std::string& why) {
        if (error.empty())
            error = component_ + ": " + why;
    }

    std::string error;

private:
    std::string component_;
};

struct ProfilePoint {
    double x = 0;
    double r = 0;
};

// The outer radius of a solid of revolution along its axis, from 0 at the front to
// `length` at the rear; the wall is measured radially inwards from it.
struct Profile {
    double length = 0;
    double wall = 0;
    bool curved = false;
    std::function<double(double)> radius;
    // The outer surface keeps at least this radius, so a point ends in a small flat tip;
    // the hollow inside follows the sharp profile, so the tip stays solid.
    double tip = 0;
    double outer(double x) const { return std::max(radius(x), tip); }
};

// The largest distance between the profile and its chord from a to b.
double ChordGap(const Profile& p, double a, double b) {
    const double ra = p.radius(a), rb = p.radius(b);
    const double dx = b - a, dr = rb - ra;
    const double chord = std::hypot(dx, dr);
    if (chord == 0)
        return 0;
    double worst = 0;
    constexpr int Samples = 16;
    for (int i = 1; i < Samples; ++i) {
        const double x = a + dx * i / Samples;
        worst = std::max(worst, std::abs((x - a) * dr - (p.radius(x) - ra) * dx) / chord);
    }
    return worst;
}

void Subdivide(const Profile& p, double a, double b, double tolerance, int depth,
               std::vector<double>& xs) {
    if (depth < 48 && xs.size() < MaxProfilePoints && ChordGap(p, a, b) > tolerance) {
        const double mid = 0.5 * (a + b);
        Subdivide(p, a, mid, tolerance, depth + 1, xs);
        Subdivide(p, mid, b, tolerance, depth + 1, xs);
    } else {
        xs.push_back(b);
    }
}

// Where the outer radius equals the wall between a and b (it does, by sign change).
double WallCrossing(const Profile& p, double a, double b) {
    const bool aInside = p.radius(a) > p.wall;
    for (int i = 0; i < 100; ++i) {
        const double mid = 0.5 * (a + b);
        if ((p.radius(mid) > p.wall) == aInside)
            a = mid;
        else
            b = mid;
    }
    return 0.5 * (a + b);
}

double Snap(double r) {
    return r < MinFeature ? 0.0 : r;
}

// The closed outline of the solid's half cross-section in the (x, r) plane, counter-
// clockwise: the outer profile, the rear face, the inner profile back to the front and
// the front face; stretches on the axis keep only their two ends.
std::vector<ProfilePoint> CrossSection(const Profile& p, double alongTolerance) {
    std::vector<double> xs{0.0};
    if (p.curved)
        Subdivide(p, 0.0, p.length, alongTolerance, 0, xs);
    else
        xs.push_back(p.length);
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        const double da = p.radius(xs[i]) - p.wall, db = p.radius(xs[i + 1]) - p.wall;
        if ((da > 0 && db < 0) || (da < 0 && db > 0)) {
            xs.insert(xs.begin() + std::ptrdiff_t(i) + 1, WallCrossing(p, xs[i], xs[i + 1]));
            ++i;
        }
    }
    std::vector<ProfilePoint> loop;
    loop.reserve(xs.size() * 2);
    for (double x : xs)
        loop.push_back({x, Snap(p.outer(x))});
    for (auto x = xs.rbegin(); x != xs.rend(); ++x)
        loop.push_back({*x, Snap(std::max(0.0, p.radius(*x) - p.wall))});

    // Drop repeated points, cyclically.
    std::vector<ProfilePoint> unique;
    for (const ProfilePoint& q : loop)
        if (unique.empty() || std::hypot(q.x - unique.back().x, q.r - unique.back().r) > 1e-9)
            unique.push_back(q);
    while (unique.size() > 1 && std::hypot(unique.front().x - unique.back().x,
                                           unique.front().r - unique.back().r) <= 1e-9)
        unique.pop_back();
    // A point on the axis between two others on the axis sweeps nothing.
    std::vector<ProfilePoint> kept;
    const std::size_t n = unique.size();
    for (std::size_t i = 0; i < n; ++i) {
        const bool inner =
            unique[i].r == 0 && unique[(i + n - 1) % n].r == 0 && unique[(i + 1) % n].r == 0;
        if (!inner)
            kept.push_back(unique[i]);
    }
    double area = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const ProfilePoint& a = kept[i];
        const ProfilePoint& b = kept[(i + 1) % kept.size()];
        area += a.x * b.r - b.x * a.r;
    }
    if (area < 0)
        std::reverse(kept.begin(), kept.end());
    return kept;
}

std::size_t BandTriangles(const std::vector<ProfilePoint>& loop, int segments) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        const bool a = loop[i].r == 0, b = loop[(i + 1) % loop.size()].r == 0;
        count += a && b ? 0 : (a || b ? 1 : 2);
    }
    return count * std::size_t(segments);
}

// Places a point given along the axis (s) and across it (a, b) in the output frame.
using Placement = std::function<Vec3(double s, double a, double b)>;

// Sweeps the cross-section round the axis: a ring of vertices for every point off the
// axis, one vertex for a point on it.
void Revolve(const std::vector<ProfilePoint>& loop, int segments, double phase,
             const Placement& place, Mesh& mesh) {
    const std::size_t n = loop.size();
    std::vector<double> cosines(std::size_t(segments) + 1), sines(std::size_t(segments) + 1);
    for (int k = 0; k < segments; ++k) {
        const double angle = 2 * Pi * (k + phase) / segments;
        cosines[std::size_t(k)] = std::cos(angle);
        sines[std::size_t(k)] = std::sin(angle);
    }
    std::vector<std::uint32_t> first(n);
    for (std::size_t i = 0; i < n; ++i) {
        first[i] = static_cast<std::uint32_t>(mesh.vertices.size());
        if (loop[i].r == 0) {
            mesh.addVertex(place(loop[i].x, 0, 0));
            continue;
        }
        for (int k = 0; k < segments; ++k)
            mesh.addVertex(place(loop[i].x, loop[i].r * cosines[std::size_t(k)],
                                 loop[i].r * sines[std::size_t(k)]));
    }
    const auto seg = static_cast<std::uint32_t>(segments);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1) % n;
        const bool poleP = loop[i].r == 0, poleQ = loop[j].r == 0;
        if (poleP && poleQ)
            continue;
        for (std::uint32_t k = 0; k < seg; ++k) {
            const std::uint32_t next = (k + 1) % seg;
            if (poleP) {
                mesh.addTriangle(first[i], first[j] + k, first[j] + next);
            } else if (poleQ) {
                mesh.addTriangle(first[i] + k, first[j], first[i] + next);
            } else {
                mesh.addTriangle(first[i] + k, first[j] + k, first[j] + next);
                mesh.addTriangle(first[i] + k, first[j] + next, first[i] + next);
            }
        }
    }
}

// A convex plate: the outline in the (u, v) plane, counter-clockwise, extruded from
// w = -half to w = +half.
void Plate(const std::vector<ProfilePoint>& outline, double half, const Placement& place,
           Mesh& mesh) {
    const auto n = static_cast<std::uint32_t>(outline.size());
    const auto base = static_cast<std::uint32_t>(mesh.vertices.size());
    for (const ProfilePoint& p : outline)
        mesh.addVertex(place(p.x, p.r, -half));
    for (const ProfilePoint& p : outline)
        mesh.addVertex(place(p.x, p.r, half));
    for (std::uint32_t i = 1; i + 1 < n; ++i) {
        mesh.addTriangle(base + n, base + n + i, base + n + i + 1); // top, facing +w
        mesh.addTriangle(base, base + i + 1, base + i);             // bottom, facing -w
    }
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t j = (i + 1) % n;
        mesh.addTriangle(base + i, base + j, base + n + j);
        mesh.addTriangle(base + i, base + n + j, base + n + i);
    }
}

// The fin outline: root from (0, root) to (A, root), tip from (B, tip) to (B + C, tip),
// counter-clockwise, the tip a single point when its chord is 0.
std::vector<ProfilePoint> FinOutline(const TStatecznik& fins, double root, double tip) {
    std::vector<ProfilePoint> outline{{0, root}, {fins.FinA, root}};
    if (fins.FinC >= MinFeature)
        outline.push_back({double(fins.FinB) + fins.FinC, tip});
    outline.push_back({fins.FinB, tip});
    return outline;
}

class SolidBuilder {
public:
    SolidBuilder(Layout layout, const SolidOptions& options)
        : layout_(layout), tip_(std::isfinite(options.tipWidth) && options.tipWidth > 0
                                    ? std::min(options.tipWidth, MaxSize) / 2
                                    : 0.0) {}

    // Adds the element's mesh, or sets the error; returns false when refused. The mesh
    // is turned about the rocket's axis by `phase` of one of its segments (of its tube's
    // segments for a fin set).
    bool add(const TRocketElement& element, std::size_t number, double phase,
             std::vector<Mesh>& out) {
        return add(element, number, phase, out, nullptr);
    }

    // Counts what add() would make, without making it; the same refusals apply. A
    // component that is not printed leaves `count` untouched and returns true.
    bool count(const TRocketElement& element, std::size_t number, SolidCount& count) {
        std::vector<Mesh> none;
        return add(element, number, 0, none, &count);
    }

    std::string error;
    // The triangles reserved so far; a mesh not taken gives its share back.
    std::size_t used() const { return used_; }
    void giveBack(std::size_t used) { used_ = used; }

private:
    bool add(const TRocketElement& element, std::size_t number, double phase,
             std::vector<Mesh>& out, SolidCount* counting) {
        counting_ = counting;
        const Kind kind = SolidKind(element);
        if (kind == Kind::None)
            return true;
        const std::string name = element.Caption.empty() ? element.ClassName : element.Caption;
        SizeCheck check(name + " (element " + std::to_string(number) + ")");
        if (element.Points.empty()) {
            check.fail("it has no place in the drawing yet");
            return refuse(check);
        }
        const double front =
            (kind == Kind::Fins ? element.Corners[0].x : element.Points[0].x) - OriginX;
        if (!std::isfinite(front) || std::abs(front) > MaxPosition)
            check.fail("it lies too far from the nose tip");
        Mesh mesh;
        mesh.name = name;
        if (counting_ != nullptr) {
            counting_->name = name;
            counting_->extent = std::abs(front);
        }
        if (kind == Kind::Fins)
            addFins(static_cast<const TStatecznik&>(element), front, phase, check, mesh);
        else
            addRevolved(element, kind, front, phase, check, mesh);
        if (!check.error.empty())
            return refuse(check);
        if (counting_ == nullptr)
            out.push_back(std::move(mesh));
        return true;
    }

    bool refuse(const SizeCheck& check) {
        error = check.error;
        return false;
    }

    bool reserve(std::size_t triangles, SizeCheck& check) {
        if (triangles > MaxTriangles - used_) {
            check.fail("the model would need more than " + std::to_string(MaxTriangles) +
                       " triangles");
            return false;
        }
        used_ += triangles;
        return true;
    }

    void addRevolved(const TRocketElement& element, Kind kind, double front, double phase,
                     SizeCheck& check, Mesh& mesh) {
        check.size(element.Length, "length");
        check.size(element.DiameterA, "diameter", 2 * MinFeature);
        if (kind == Kind::Frustum)
            check.size(element.DiameterB, "rear diameter", 0);
        check.size(element.Thickness, "wall thickness");
        if (!check.error.empty())
            return;
        Profile p;
        p.length = element.Length;
        p.wall = element.Thickness;
        const double L = p.length, R = element.DiameterA / 2.0;
        switch (kind) {
        case Kind::Cone:
            p.radius = [L, R](double x) {
                return R * x / L;
            };
            break;
        case Kind::Ogive: {
            if (L < R) {
                check.fail("an ogive nose must be at least as long as its radius");
                return;
            }
            const double rho = (R * R + L * L) / (2 * R);
            p.radius = [L, R, rho](double x) {
                return std::max(0.0,
                                std::sqrt(std::max(0.0, rho * rho - (L - x) * (L - x))) + R - rho);
            };
            p.curved = true;
            break;
        }
        case Kind::Paraboloid:
            p.radius = [L, R](double x) {
                return R * std::sqrt(std::max(0.0, x / L));
            };
            p.curved = true;
            break;
        case Kind::Frustum: {
            const double rear = element.DiameterB / 2.0;
            p.radius = [L, R, rear](double x) {
                return R + (rear - R) * x / L;
            };
            break;
        }
        default:
            p.radius = [R](double) {
                return R;
            };
            break;
        }
        if (kind != Kind::Tube)
            p.tip = tip_;
        const double rMax = std::max(p.outer(0), p.outer(L));
        const double around = p.curved ? ChordTolerance * CurvedAroundShare : ChordTolerance;
        const double along =
            std::min(ChordTolerance * (1 - CurvedAroundShare), 0.001 * std::max(R, 1.0));
        const int segments = SegmentsAround(rMax, around);
        const std::vector<ProfilePoint> loop = CrossSection(p, along);
        if (loop.size() < 2) {
            check.fail("it has no volume");
            return;
        }
        if (!reserve(BandTriangles(loop, segments), check))
            return;
        if (counting_ != nullptr) {
            counting_->triangles = BandTriangles(loop, segments);
            for (const ProfilePoint& q : loop)
                counting_->vertices += q.r == 0 ? 1 : std::size_t(segments);
            counting_->pieces = 1;
            counting_->extent += std::max(L, rMax);
            return;
        }

        Placement place;
        if (layout_ == Layout::Assembly) {
            place = [front](double s, double a, double b) {
                return Vec3{front + s, a, b};
            };
        } else if (p.radius(0) > p.radius(L)) { // wider front end down
            place = [](double s, double a, double b) {
                return Vec3{-b, a, s};
            };
        } else { // rear end down
            place = [L](double s, double a, double b) {
                return Vec3{b, a, L - s};
            };
        }
        Revolve(loop, segments, phase, place, mesh);
    }

    void addFins(const TStatecznik& fins, double front, double phase, SizeCheck& check,
                 Mesh& mesh) {
        check.size(fins.FinA, "root chord");
        check.size(fins.FinD, "span");
        check.size(fins.FinC, "tip chord", 0);
        check.size(std::abs(fins.FinB), "sweep", 0);
        check.size(fins.Thickness, "fin thickness");
        const double tube = fins.Parent != nullptr ? fins.Parent->DiameterA / 2.0 : 0.0;
        if (!std::isfinite(tube) || tube > MaxSize)
            check.fail("the diameter of the tube it sits on is not a usable size");
        const std::int32_t count = fins.FinCount;
        if (count < 1)
            check.fail("a fin set needs at least one fin");
        if (!check.error.empty())
            return;
        const double t = fins.Thickness;
        const double r = std::max(0.0, tube);
        if (count > 1 && (2 * r <= t || count * std::asin(t / (2 * r)) >= Pi))
            check.fail(std::to_string(count) + " fins " + Number(t) +
                       " mm thick do not fit around a tube of " + Number(2 * r) + " mm");
        if (!check.error.empty() || !reserve(std::size_t(count) * 12, check))
            return;
        if (counting_ != nullptr) {
            const std::size_t corners = fins.FinC >= MinFeature ? 4 : 3;
            counting_->triangles = std::size_t(count) * 12;
            counting_->vertices = std::size_t(count) * 2 * corners;
            counting_->pieces = std::size_t(count);
            const double chord =
                std::max(double(fins.FinA), std::abs(double(fins.FinB)) + fins.FinC);
            const double rows = std::ceil(std::sqrt(double(count)));
            counting_->extent +=
                std::max({chord, r + fins.FinD + t, rows * (chord + fins.FinD + FinGap)});
            return;
        }

        if (layout_ == Layout::Parts) {
            // Flat on z = 0, in rows, each fin's root along x.
            const std::vector<ProfilePoint> outline = FinOutline(fins, 0, fins.FinD);
            const double minU = std::min(0.0, double(fins.FinB));
            const double maxU = std::max(double(fins.FinA), double(fins.FinB) + fins.FinC);
            const double cellU = maxU - minU + FinGap, cellV = fins.FinD + FinGap;
            const int columns = static_cast<int>(std::ceil(std::sqrt(double(count))));
            for (int f = 0; f < count; ++f) {
                const double du = (f % columns) * cellU - minU, dv = (f / columns) * cellV;
                Plate(
                    outline, t / 2,
                    [du, dv, t](double u, double v, double w) {
                        return Vec3{u + du, v + dv, w + t / 2};
                    },
                    mesh);
            }
            return;
        }
        // The root sinks into the tube just far enough that its edges touch the surface.
        const double root = std::sqrt(std::max(0.0, r * r - t * t / 4));
        const std::vector<ProfilePoint> outline = FinOutline(fins, root, r + fins.FinD);
        const double turn = 2 * Pi * phase / SegmentsAround(r, ChordTolerance);
        for (int f = 0; f < count; ++f) {
            const double angle = 2 * Pi * f / count + turn;
            const double c = std::cos(angle), s = std::sin(angle);
            Plate(
                outline, t / 2,
                [front, c, s](double u, double v, double w) {
                    return Vec3{front + u, v * c - w * s, v * s + w * c};
                },
                mesh);
        }
    }

    Layout layout_;
    double tip_;
    std::size_t used_ = 0;
    SolidCount* counting_ = nullptr;
};

// The cells of a grid of a micrometre that hold some vertex, to find vertices of two
// components that a tool reading the file would merge into one.
class VertexCells {
public:
    void add(const Mesh& mesh) {
        for (const Vec3& v : mesh.vertices)
            cells_.insert(Cell(v.x, v.y, v.z));
    }
    // Whether a vertex of the mesh lies in, or within a tenth of a cell of, a cell held.
    bool touches(const Mesh& mesh) const {
        if (cells_.empty())
            return false;
        for (const Vec3& v : mesh.vertices) {
            const Near x = Around(v.x), y = Around(v.y), z = Around(v.z);
            for (int i = 0; i < x.count; ++i)
                for (int j = 0; j < y.count; ++j)
                    for (int k = 0; k < z.count; ++k)
                        if (cells_.count(Key{x.cells[i], y.cells[j], z.cells[k]}) != 0)
                            return true;
        }
        return false;
    }

private:
    static constexpr double Size = 0.001;
    static constexpr double Margin = 0.1;
    struct Key {
        std::int64_t x, y, z;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const {
            const auto u = [](std::int64_t v) { return static_cast<std::uint64_t>(v); };
            return std::hash<std::uint64_t>()(u(k.x) * 73856093u ^ u(k.y) * 19349663u ^
                                              u(k.z) * 83492791u);
        }
    };
    struct Near {
        std::int64_t cells[2];
        int count;
    };
    static std::int64_t Index(double value) {
        return static_cast<std::int64_t>(std::floor(value / Size));
    }
    static Key Cell(double x, double y, double z) { return {Index(x), Index(y), Index(z)}; }
    static Near Around(double value) {
        const std::int64_t cell = Index(value);
        const double within = value / Size - double(cell);
        if (within < Margin)
            return {{cell, cell - 1}, 2};
        if (within > 1 - Margin)
            return {{cell, cell + 1}, 2};
        return {{cell, cell}, 1};
    }
    std::unordered_set<Key, KeyHash> cells_;
};

// Turns to try, in fractions of a segment, for a component that touches another:
// 0, 1/2, 1/4, 3/4, 1/8, ... each as far from those before as can be.
double TryTurn(int attempt) {
    double turn = 0, bit = 0.5;
    for (int a = attempt; a > 0; a /= 2, bit /= 2)
        if (a % 2 == 1)
            turn += bit;
    return turn;
}
constexpr int TurnAttempts = 16;

} // namespace

int SegmentsAround(double radius, double tolerance) {
    constexpr int Minimum = 48;
    if (!(radius > 0) || tolerance >= radius)
        return Minimum;
    const double half = std::acos(1 - tolerance / radius);
    const double needed = std::ceil(Pi / half);
    return needed > Minimum ? static_cast<int>(std::min(needed, 1e7)) : Minimum;
}

SolidsResult BuildSolids(const Design& design, Layout layout, const SolidOptions& options) {
    SolidsResult result;
    SolidBuilder builder(layout, options);
    VertexCells taken;
    std::size_t number = 0;
    for (const ElementTree::Node* node : design.tree.nodesInOrder()) {
        ++number;
        if (node->element == nullptr)
            continue;
        const std::size_t before = builder.used();
        for (int attempt = 0;; ++attempt) {
            std::vector<Mesh> made;
            if (!builder.add(*node->element, number, TryTurn(attempt), made)) {
                result.meshes.clear();
                result.error = builder.error;
                return result;
            }
            if (made.empty())
                break;
            // Laid out for printing, each part goes to a file of its own.
            if (layout == Layout::Parts || attempt + 1 == TurnAttempts ||
                !taken.touches(made.front())) {
                if (layout == Layout::Assembly)
                    taken.add(made.front());
                result.meshes.push_back(std::move(made.front()));
                break;
            }
            builder.giveBack(before);
        }
    }
    if (result.meshes.empty())
        result.error = "The design holds nothing to print: no nose cone, body tube, "
                       "transition or fin set";
    return result;
}

SolidCounts CountSolids(const Design& design, Layout layout, const SolidOptions& options) {
    SolidCounts result;
    SolidBuilder builder(layout, options);
    std::size_t number = 0;
    for (const ElementTree::Node* node : design.tree.nodesInOrder()) {
        ++number;
        if (node->element == nullptr)
            continue;
        SolidCount count;
        if (!builder.count(*node->element, number, count)) {
            result.components.clear();
            result.error = builder.error;
            return result;
        }
        if (count.triangles > 0)
            result.components.push_back(std::move(count));
    }
    if (result.components.empty())
        result.error = "The design holds nothing to print: no nose cone, body tube, "
                       "transition or fin set";
    return result;
}

ShellIndex IndexShells(const Mesh& mesh) {
    ShellIndex index;
    // Union-find over the vertices, joined along every triangle.
    std::vector<std::uint32_t> parent(mesh.vertices.size());
    std::iota(parent.begin(), parent.end(), std::uint32_t(0));
    const auto root = [&parent](std::uint32_t v) {
        while (parent[v] != v)
            v = parent[v] = parent[parent[v]];
        return v;
    };
    for (const auto& t : mesh.triangles)
        for (int i = 1; i < 3; ++i)
            parent[root(t[std::size_t(i)])] = root(t[0]);
    // Shells numbered in the order of their first triangle; each shell's triangles keep
    // the mesh's order.
    std::vector<std::uint32_t> shellOfRoot(mesh.vertices.size(), UINT32_MAX);
    std::vector<std::uint32_t> shellOfTriangle(mesh.triangles.size());
    std::vector<std::size_t> sizes;
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        std::uint32_t& shell = shellOfRoot[root(mesh.triangles[i][0])];
        if (shell == UINT32_MAX) {
            shell = static_cast<std::uint32_t>(sizes.size());
            sizes.push_back(0);
        }
        shellOfTriangle[i] = shell;
        ++sizes[shell];
    }
    index.triangleStart.assign(sizes.size() + 1, 0);
    for (std::size_t s = 0; s < sizes.size(); ++s)
        index.triangleStart[s + 1] = index.triangleStart[s] + sizes[s];
    index.triangles.resize(mesh.triangles.size());
    std::vector<std::size_t> next(index.triangleStart.begin(), index.triangleStart.end() - 1);
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i)
        index.triangles[next[shellOfTriangle[i]]++] = static_cast<std::uint32_t>(i);
    // Each shell's vertices in the order its triangles first use them.
    index.local.assign(mesh.vertices.size(), UINT32_MAX);
    index.vertexStart.push_back(0);
    for (std::size_t s = 0; s < sizes.size(); ++s) {
        std::uint32_t count = 0;
        for (std::size_t k = index.triangleStart[s]; k < index.triangleStart[s + 1]; ++k)
            for (std::uint32_t v : mesh.triangles[index.triangles[k]])
                if (index.local[v] == UINT32_MAX) {
                    index.local[v] = count++;
                    index.vertices.push_back(v);
                }
        index.vertexStart.push_back(index.vertices.size());
    }
    return index;
}

std::vector<Mesh> SplitShells(const Mesh& mesh) {
    const ShellIndex index = IndexShells(mesh);
    if (index.shells() <= 1)
        return {mesh};
    std::vector<Mesh> shells(index.shells());
    for (std::size_t s = 0; s < index.shells(); ++s) {
        Mesh& shell = shells[s];
        shell.name = mesh.name;
        for (std::size_t k = index.vertexStart[s]; k < index.vertexStart[s + 1]; ++k)
            shell.vertices.push_back(mesh.vertices[index.vertices[k]]);
        for (std::size_t k = index.triangleStart[s]; k < index.triangleStart[s + 1]; ++k) {
            const auto& t = mesh.triangles[index.triangles[k]];
            shell.triangles.push_back({index.local[t[0]], index.local[t[1]], index.local[t[2]]});
        }
    }
    return shells;
}

Vec3 TriangleNormal(const Vec3& a, const Vec3& b, const Vec3& c) {
    const Vec3 u{b.x - a.x, b.y - a.y, b.z - a.z}, v{c.x - a.x, c.y - a.y, c.z - a.z};
    const Vec3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (!(length > 0))
        return {};
    return {n.x / length, n.y / length, n.z / length};
}

} // namespace vantor::mesh

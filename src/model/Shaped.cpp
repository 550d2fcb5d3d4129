#include "model/Shaped.h"

#include "model/Numeric.h"
#include "model/RecordSink.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vantor {

namespace {

constexpr double ExtremeStart = 10000.0;
// Outlines reaching this far from the origin have no sampled area.
constexpr double SamplingLimit = 100000.0;

// Abscissa where the edge from vertex i to vertex j crosses the row at ordinate y.
// ContainsPoint and the row sampling share it so that both compare the same numbers.
inline double CrossingX(const TPoints& pi, const TPoints& pj, double y) {
    return (pj.x - pi.x) * (y - pi.y) / (pj.y - pi.y) + pi.x;
}

inline bool Straddles(const TPoints& pi, const TPoints& pj, double y) {
    return (y <= pi.y) != (y <= pj.y);
}

} // namespace

TShaped::TShaped() = default;
TShaped::~TShaped() = default;

void TShaped::Draw(DrawingSurface&) const {}

void TShaped::Place(char) {}

void TShaped::TransferTo(std::vector<std::unique_ptr<TShaped>>& source,
                         std::vector<std::unique_ptr<TShaped>>& target, std::size_t index) {
    if (index >= source.size())
        return;
    std::unique_ptr<TShaped> shape = std::move(source[index]);
    source.erase(source.begin() + static_cast<std::ptrdiff_t>(index));
    target.push_back(std::move(shape));
}

void TShaped::Translate(double dx, double dy) {
    if (!Editable)
        return;
    for (TPoints& p : Points) {
        p.x += dx;
        p.y += dy;
    }
}

void TShaped::MoveTo(int x, int y) {
    double width, height, left, top;
    GetBounds(width, height, left, top);
    Translate(x - left, y - top);
}

void TShaped::DrawHandles(DrawingSurface& surface) const {
    if (!ShownSelected(surface))
        return;
    for (const TPoints& p : Points)
        surface.fillRectangle(HandleColour, RectF{p.x - 2, p.y - 2, 5, 5});
}

void TShaped::Rotate(double cx, double cy, double angle) {
    if (!Editable)
        return;
    const double t = angle * std::numbers::pi / 180.0;
    const double c = std::cos(t);
    const double s = std::sin(t);
    for (TPoints& p : Points) {
        const double x = p.x;
        const double y = p.y;
        p.x = cx + c * (x - cx) - s * (y - cy);
        p.y = cy + s * (x - cx) + c * (y - cy);
    }
}

void TShaped::GetBounds(double& width, double& height, double& left, double& top) const {
    double minX = ExtremeStart, minY = ExtremeStart;
    double maxX = -ExtremeStart, maxY = -ExtremeStart;
    for (const TPoints& p : Points) {
        if (p.x < minX)
            minX = std::trunc(p.x);
        if (p.x > maxX)
            maxX = std::trunc(p.x);
        if (p.y < minY)
            minY = std::trunc(p.y);
        if (p.y > maxY)
            maxY = std::trunc(p.y);
    }
    const double w = Pen ? Pen->Width : 0;
    width = maxX - minX + 4 * w;
    height = maxY - minY + 4 * w;
    left = minX - 2 * w;
    top = minY - 2 * w;
}

void TShaped::SaveToFile(RecordSink& out) const {
    out.writeText(ClassName);
    out.writeText(Caption);
    out.writeInt32(static_cast<std::int32_t>(Points.size()));
    for (const TPoints& p : Points) {
        out.writeDouble(p.x);
        out.writeDouble(p.y);
    }
}

void TShaped::ScaleUp(double factor) {
    for (TPoints& p : Points) {
        p.x *= factor;
        p.y *= factor;
    }
}

void TShaped::ScaleDown(double factor) {
    for (TPoints& p : Points) {
        p.x /= factor;
        p.y /= factor;
    }
}

void TShaped::ScaleAboutCentre(double factor, bool up) {
    double width, height, left, top;
    GetBounds(width, height, left, top);
    const double oldX = width * 0.5 + left;
    const double oldY = height * 0.5 + top;
    if (up)
        ScaleUp(factor);
    else
        ScaleDown(factor);
    GetBounds(width, height, left, top);
    Translate(oldX - (width * 0.5 + left), oldY - (height * 0.5 + top));
}

void TShaped::ScaleUpAboutCentre(double factor) {
    ScaleAboutCentre(factor, true);
}
void TShaped::ScaleDownAboutCentre(double factor) {
    ScaleAboutCentre(factor, false);
}

PointI TShaped::GetCentre() const {
    double width, height, left, top;
    GetBounds(width, height, left, top);
    return PointI{TruncToInt(width * 0.5 + left), TruncToInt(height * 0.5 + top)};
}

SampledGrid TShaped::SampleGrid() const {
    SampledGrid grid;
    const double minX = MinX(), minY = MinY(), maxX = MaxX(), maxY = MaxY();
    for (double bound : {minX, minY, maxX, maxY})
        if (!(std::abs(bound) < SamplingLimit))
            return grid;

    for (const TPoints& p : Points)
        if (std::isnan(p.x) || std::isnan(p.y))
            return grid;

    // Columns i run from trunc(MinX) while i < MaxX; rows k likewise.
    const auto firstColumn = static_cast<std::int64_t>(std::trunc(minX));
    const auto lastColumn = static_cast<std::int64_t>(std::ceil(maxX)) - 1;
    const std::int64_t columns = std::max<std::int64_t>(0, lastColumn - firstColumn + 1);

    // An edge crosses the row at y exactly when low < y <= high of its two ordinates, so
    // a sweep down the rows keeps only the edges under way: the work grows with the rows
    // each edge spans, not with rows times edges.
    struct Edge {
        const TPoints* a;
        const TPoints* b;
        double low, high;
    };
    std::vector<Edge> edges;
    const std::size_t n = Points.size();
    edges.reserve(n);
    for (std::size_t i = 0, j = n - 1; i < n; j = i++)
        if (Points[i].y != Points[j].y)
            edges.push_back({&Points[i], &Points[j], std::min(Points[i].y, Points[j].y),
                             std::max(Points[i].y, Points[j].y)});
    std::sort(edges.begin(), edges.end(),
              [](const Edge& l, const Edge& r) { return l.low < r.low; });
    std::vector<const Edge*> active;
    std::size_t next = 0;
    std::vector<double> crossings;

    for (auto k = static_cast<std::int64_t>(std::trunc(minY)); static_cast<double>(k) < maxY; ++k) {
        grid.all += columns;
        if (columns == 0)
            continue;
        const double y = static_cast<double>(k);
        for (; next < edges.size() && edges[next].low < y; ++next)
            active.push_back(&edges[next]);
        std::erase_if(active, [y](const Edge* edge) { return edge->high < y; });
        crossings.clear();
        for (const Edge* edge : active) {
            if (Straddles(*edge->a, *edge->b, y)) {
                const double x = CrossingX(*edge->a, *edge->b, y);
                // A point never lies left of an undefined crossing.
                crossings.push_back(std::isnan(x) ? -HUGE_VAL : x);
            }
        }
        std::sort(crossings.begin(), crossings.end(), std::greater<>());
        // A point i is inside when an odd number of crossings c satisfy i <= c: with the
        // crossings in descending order that is c[2m+1] < i <= c[2m].
        for (std::size_t m = 0; m < crossings.size(); m += 2) {
            const double high = crossings[m];
            const double low = m + 1 < crossings.size() ? crossings[m + 1] : -HUGE_VAL;
            const auto first = static_cast<double>(firstColumn);
            const auto last = static_cast<double>(lastColumn);
            if (!(high >= first) || low >= last)
                continue; // the interval lies beside the columns
            const std::int64_t to =
                high < last ? static_cast<std::int64_t>(std::floor(high)) : lastColumn;
            const std::int64_t from =
                low >= first ? static_cast<std::int64_t>(std::floor(low)) + 1 : firstColumn;
            if (from > to)
                continue;
            grid.inside += to - from + 1;
            grid.insideXSum += static_cast<long double>(from + to) * (to - from + 1) / 2;
        }
    }
    return grid;
}

double TShaped::ShapeArea() const {
    const SampledGrid grid = SampleGrid();
    const std::int64_t percentage = grid.all == 0 ? 0 : grid.inside * 100 / grid.all;
    return static_cast<double>(percentage) * (MaxX() - MinX()) * (MaxY() - MinY()) * 0.01;
}

double TShaped::ComputeCG() const {
    const SampledGrid grid = SampleGrid();
    if (grid.inside == 0)
        return 0;
    return static_cast<double>(grid.insideXSum / grid.inside);
}

bool OutlineContains(std::span<const TPoints> outline, double x, double y) {
    bool inside = false;
    const std::size_t n = outline.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        if (Straddles(outline[i], outline[j], y) && x <= CrossingX(outline[i], outline[j], y))
            inside = !inside;
    }
    return inside;
}

bool TShaped::ContainsPoint(double x, double y) const {
    return OutlineContains(Points, x, y);
}

bool TShaped::NearFirstPoint(double x, double y) const {
    if (Points.empty())
        return false;
    return std::abs(x - Points[0].x) <= 7 && std::abs(y - Points[0].y) <= 7;
}

void TShaped::PickVertex(int x, int y, DrawingSurface* highlight) {
    if (!Editable)
        return;
    for (std::size_t i = 0; i < Points.size(); ++i) {
        const TPoints& p = Points[i];
        if (std::abs(x - p.x) <= 5 && std::abs(y - p.y) <= 5) {
            if (highlight != nullptr) {
                const RectI square{TruncToInt(p.x - 5), TruncToInt(p.y - 5), TruncToInt(p.x + 5),
                                   TruncToInt(p.y + 5)};
                highlight->fillPixelRect(MakeArgb(255, 255, 255, 255), square);
                highlight->framePixelRect(MakeArgb(255, 0, 0, 0), square);
            }
            HotPoint = static_cast<std::int32_t>(i);
            return;
        }
    }
}

bool TShaped::DeleteHotVertex(double x, double y) {
    if (!PointEditing || HotPoint < 0 || static_cast<std::size_t>(HotPoint) >= Points.size())
        return false;
    const TPoints& hot = Points[static_cast<std::size_t>(HotPoint)];
    if (std::abs(x - hot.x) <= 3 && std::abs(y - hot.y) <= 3) {
        Points.erase(Points.begin() + HotPoint);
        return true;
    }
    return false;
}

void TShaped::FlipVertical() {
    if (!Points.empty()) {
        const double m = MinY();
        const double lastY = Points.back().y;
        for (TPoints& p : Points)
            p.y = 2 * m - p.y;
        for (TPoints& p : Points)
            p.y += 2 * (lastY - m);
    }
    Flipped = !Flipped;
}

double TShaped::MinX() const {
    double v = ExtremeStart;
    for (const TPoints& p : Points)
        v = std::min(v, p.x);
    return v;
}

double TShaped::MinY() const {
    double v = ExtremeStart;
    for (const TPoints& p : Points)
        v = std::min(v, p.y);
    return v;
}

double TShaped::MaxX() const {
    double v = -ExtremeStart;
    for (const TPoints& p : Points)
        v = std::max(v, p.x);
    return v;
}

double TShaped::MaxY() const {
    double v = -ExtremeStart;
    for (const TPoints& p : Points)
        v = std::max(v, p.y);
    return v;
}

} // namespace vantor

#pragma once

#include "model/DrawingSurface.h"

#include <string>
#include <vector>

namespace vantor::test {

// A drawing surface that records every call, for tests that check what was drawn.
class RecordingSurface final : public DrawingSurface {
public:
    enum class Op {
        Line,
        Bezier,
        Polygon,
        Ellipse,
        Pie,
        FillRect,
        FillPolygon,
        Text,
        PixelFill,
        PixelFrame
    };

    struct Call {
        Op op;
        Argb colour;
        std::vector<double> values; // coordinates in call order, then angles
        std::string text;
    };

    explicit RecordingSurface(double scale = 1.0) : scale_(scale) {}

    double worldScale() const override { return scale_; }
    void drawLine(Argb c, PointF a, PointF b) override { add(Op::Line, c, {a.x, a.y, b.x, b.y}); }
    void drawBezier(Argb c, PointI p0, PointI p1, PointI p2, PointI p3) override {
        add(Op::Bezier, c,
            {double(p0.x), double(p0.y), double(p1.x), double(p1.y), double(p2.x), double(p2.y),
             double(p3.x), double(p3.y)});
    }
    void drawPolygon(Argb c, std::span<const PointI> points) override {
        std::vector<double> v;
        for (const PointI& p : points) {
            v.push_back(p.x);
            v.push_back(p.y);
        }
        add(Op::Polygon, c, std::move(v));
    }
    void drawEllipse(Argb c, RectF r) override {
        add(Op::Ellipse, c, {r.x, r.y, r.width, r.height});
    }
    void fillPie(Argb c, RectF r, double start, double sweep) override {
        add(Op::Pie, c, {r.x, r.y, r.width, r.height, start, sweep});
    }
    void fillRectangle(Argb c, RectF r) override {
        add(Op::FillRect, c, {r.x, r.y, r.width, r.height});
    }
    void fillPolygon(Argb c, std::span<const PointF> points) override {
        std::vector<double> v;
        for (const PointF& p : points) {
            v.push_back(p.x);
            v.push_back(p.y);
        }
        add(Op::FillPolygon, c, std::move(v));
    }
    void drawText(Argb c, std::string_view text, PointF at) override {
        calls.push_back({Op::Text, c, {at.x, at.y}, std::string(text)});
    }
    void fillPixelRect(Argb c, RectI r) override {
        add(Op::PixelFill, c, {double(r.left), double(r.top), double(r.right), double(r.bottom)});
    }
    void framePixelRect(Argb c, RectI r) override {
        add(Op::PixelFrame, c, {double(r.left), double(r.top), double(r.right), double(r.bottom)});
    }

    int count(Op op) const {
        int n = 0;
        for (const Call& call : calls)
            n += call.op == op ? 1 : 0;
        return n;
    }
    std::vector<Call> of(Op op) const {
        std::vector<Call> result;
        for (const Call& call : calls)
            if (call.op == op)
                result.push_back(call);
        return result;
    }

    std::vector<Call> calls;

private:
    void add(Op op, Argb c, std::vector<double> values) {
        calls.push_back({op, c, std::move(values), {}});
    }
    double scale_;
};

} // namespace vantor::test

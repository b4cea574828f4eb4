// Parallelograms and regular polygons: the tools' drag rules, the handle
// rules that keep each kind what it is, transformations, duplicates, the
// data listing and the saved form, damaged files included.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "figures/figure_fixture.h"
#include "figures/poly_obj.h"
#include "figures/rect_obj.h"
#include "figures/segment_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"
#include "model/obj_list.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

class RectPolyTest : public FigureTest {
protected:
    // The view's drawing-mode release: degenerate results are dropped.
    void ReleaseTool(const CWorldPoint& p, unsigned flags = 0) {
        for (CMyObj* obj : CObList(state.m_gesture))
            if (obj->IsDegenerate()) {
                RemoveFromList(state.m_gesture, obj);
                doc.RemoveObject(obj);
            }
        for (CMyObj* obj : CObList(state.m_gesture)) obj->Track(state, p, flags);
        for (CMyObj* obj : CObList(state.m_gesture)) obj->EndTrack(state, flags, p);
    }
    CMyObj* DragTool(CMyObj* (*op)(CGestureState&, unsigned, const CWorldPoint&),
                     const CWorldPoint& a, const CWorldPoint& b, unsigned flags = 0) {
        CMyObj* obj = Press(op, a, flags);
        Move(b, flags);
        ReleaseTool(b, flags);
        return obj;
    }
    // The base (0,0)-(4,0), then the second stage pressed at `at`.
    CRectObj* OnBase(int code, const CWorldPoint& at) {
        UseTool(kToolParallelogram, code);
        DragTool(&DrawRectTool, {0, 0}, {4, 0});
        EXPECT_EQ(state.m_nStage, 1);
        auto* rect = static_cast<CRectObj*>(Press(&DrawRectTool, at));
        EXPECT_EQ(state.m_nStage, 0);
        return rect;
    }
    static void ExpectVertices(const CMyObj* obj, const std::vector<CWorldPoint>& v,
                               double eps = 1e-9) {
        ASSERT_EQ(obj->GetVertexCount(), int(v.size()));
        for (std::size_t i = 0; i < v.size(); ++i) ExpectNear(obj->GetVertices()[i], v[i], eps);
    }
    // Each vertex the one before turned about the centre by 2pi/n, in either
    // sense for all of them (a reflection reverses it).
    static bool IsRegular(const CPolyObj& p) {
        return IsRegularTurning(p, 1) || IsRegularTurning(p, -1);
    }
    static bool IsRegularTurning(const CPolyObj& p, int sense) {
        const int n = p.m_nPoints;
        const double r = Distance(p.m_points[0], p.m_center);
        CWorldPoint step = UnitStep(n);
        step.y *= sense;
        for (int i = 0; i < n; ++i) {
            const CWorldPoint next =
                p.m_center + ComplexMul(p.m_points[std::size_t(i)] - p.m_center, step);
            if (ChebyshevDistance(next, p.m_points[std::size_t((i + 1) % n)]) > 1e-9 ||
                std::fabs(Distance(p.m_points[std::size_t(i)], p.m_center) - r) > 1e-9)
                return false;
        }
        return true;
    }
};

TEST_F(RectPolyTest, ParallelogramDragRulesPerKind) {
    CRectObj* g = OnBase(kCodePlain, {5, 3});
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(Figures(), 1u);  // the base segment was absorbed
    ExpectVertices(g, {{0, 0}, {4, 0}, {5, 3}, {1, 3}});
    EXPECT_EQ(g->m_kind, 10000u);
    Move({5, 3}, kMkControl);
    ExpectVertices(g, {{0, 0}, {4, 0}, {4, 3}, {0, 3}});
    EXPECT_EQ(g->m_kind, 10030u);
    ReleaseTool({5, 3}, kMkControl);
    std::vector<std::uint8_t> first, second;
    CRectObj* loaded = RoundTrip(*g, &first, &second);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->m_kind, 10030u);
    ExpectVertices(loaded, {{0, 0}, {4, 0}, {4, 3}, {0, 3}});
    EXPECT_EQ(first, second);
    delete loaded;

    CRectObj* r = OnBase(kCodeRhomb, {3, 4});
    ExpectVertices(r, {{0, 0}, {5, 0}, {8, 4}, {3, 4}});
    Move({0, 0});  // over the first vertex: the base direction is kept
    Move({3, 4});
    ExpectVertices(r, {{0, 0}, {5, 0}, {8, 4}, {3, 4}});
    ReleaseTool({3, 4});

    CRectObj* t = OnBase(kCodeTrapezium, {3, 2});
    ExpectVertices(t, {{0, 0}, {4, 0}, {3, 2}, {1, 2}});
    ReleaseTool({3, 2});

    UseTool(kToolParallelogram, kCodeParallel);
    CMyObj* s = DragTool(&DrawRectTool, {1, 1}, {4, 3});
    EXPECT_EQ(state.m_nStage, 0);
    ExpectVertices(s, {{1, 1}, {1, 3}, {4, 3}, {4, 1}});
    EXPECT_EQ(static_cast<CRectObj*>(s)->m_kind, 10010u);
    EXPECT_EQ(Figures(), 4u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RectPolyTest, SecondStageWithoutABaseSegmentWarnsAndRestarts) {
    UseTool(kToolParallelogram, kCodePlain);
    DragTool(&DrawRectTool, {1, 1}, {1, 1});  // a mere click: no base
    EXPECT_EQ(Figures(), 0u);
    EXPECT_EQ(Press(&DrawRectTool, {2, 2}), nullptr);
    EXPECT_EQ(host.LastMessage(), kBadDefinitionMessage);
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_EQ(Figures(), 0u);
}

TEST_F(RectPolyTest, HandlesKeepTheKind) {
    CRectObj g(kRectGeneral, {});
    g.SetDocument(&doc);
    g.m_points = {{0, 0}, {4, 0}, {5, 3}, {1, 3}};
    g.MoveHandle(1, {-1, 1});
    ExpectVertices(&g, {{-1, 1}, {4, 0}, {5, 3}, {0, 4}});
    // Ctrl: a rectangle on the side from vertex 1 to vertex 2.
    host.keysDown = {kKeyControl};
    g.m_points = {{0, 0}, {4, 0}, {5, 3}, {1, 3}};
    g.MoveHandle(1, {-1, 1});
    EXPECT_EQ(g.m_kind, 10030u);
    EXPECT_NEAR((g.m_points[0] - g.m_points[1]).Dot(g.m_points[2] - g.m_points[1]), 0, 1e-9);
    host.keysDown.clear();

    CRectObj r(kRectRectangle, {});
    r.SetDocument(&doc);
    r.m_points = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
    r.MoveHandle(3, {6, 5});
    ExpectVertices(&r, {{0, 0}, {6, 0}, {6, 5}, {0, 5}});

    // Random handle moves: a rhomb keeps four equal sides, a trapezium its
    // symmetry (P0P1 and P2P3 share their middle perpendicular).
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-5, 5);
    std::uniform_int_distribution<int> handle(1, 4);
    CRectObj rh(kRectRhomb, {});
    rh.m_points = {{0, 0}, {5, 0}, {8, 4}, {3, 4}};
    CRectObj tz(kRectTrapezium, {});
    tz.m_points = {{0, 0}, {4, 0}, {3, 2}, {1, 2}};
    for (CRectObj* o : {&rh, &tz}) o->SetDocument(&doc);
    for (int i = 0; i < 200; ++i) {
        rh.MoveHandle(handle(rng), {coord(rng), coord(rng)});
        const auto& v = rh.m_points;
        const double s = Distance(v[0], v[1]);
        for (int j = 0; j < 4; ++j)
            ASSERT_NEAR(Distance(v[std::size_t(j)], v[std::size_t((j + 1) % 4)]), s, 1e-7 * (1 + s))
                << i;
        tz.MoveHandle(handle(rng), {coord(rng), coord(rng)});
        const auto& w = tz.m_points;
        const CWorldPoint m01 = (w[0] + w[1]) * 0.5, m23 = (w[2] + w[3]) * 0.5;
        ASSERT_NEAR(Distance(w[0], m23), Distance(w[1], m23), 1e-7) << i;
        ASSERT_NEAR(Distance(w[2], m01), Distance(w[3], m01), 1e-7) << i;
    }
    EXPECT_EQ(rh.m_kind, 10050u);
    EXPECT_EQ(tz.m_kind, 301u);
}

TEST_F(RectPolyTest, RectDuplicatesTileThePlane) {
    CRectObj g(kRectGeneral, {});
    g.m_points = {{0, 0}, {4, 0}, {5, 3}, {1, 3}};
    g.RecalcBounds();
    ExpectNear(g.GetDuplicateOffset(kKeyLeft), {-4, 0});
    ExpectNear(g.GetDuplicateOffset(kKeyRight), {4, 0});
    ExpectNear(g.GetDuplicateOffset(kKeyUp), {1, 3});
    ExpectNear(g.GetDuplicateOffset(kKeyDown), {-1, -3});
    host.keysDown = {kKeyControl};
    ExpectNear(g.GetDuplicateOffset(kKeyRight), {5, 0});  // the box width
    host.keysDown.clear();
}

TEST_F(RectPolyTest, PolygonToolCentredAndOnItsSide) {
    ProgramState().params.polygonSides = 4;
    UseTool(kToolPolygon, kCodePlain);
    auto* sq = static_cast<CPolyObj*>(DragTool(&DrawPolygonTool, {0, 0}, {1, 0}, kMkControl));
    ExpectVertices(sq, {{1, 0}, {1, 1}, {0, 1}, {0, 0}});
    ExpectNear(sq->m_center, {0.5, 0.5});

    ProgramState().params.polygonSides = 6;
    auto* hex = static_cast<CPolyObj*>(DragTool(&DrawPolygonTool, {0, 0}, {2, 0}, kMkControl));
    const double r3 = std::sqrt(3.0);
    ExpectVertices(hex, {{2, 0}, {3, r3}, {2, 2 * r3}, {0, 2 * r3}, {-1, r3}, {0, 0}});
    ExpectNear(hex->m_center, {1, r3});

    // Centred: vertex 0 at the pointer; back onto the centre it collapses
    // and grows again.
    auto* c = static_cast<CPolyObj*>(Press(&DrawPolygonTool, {1, 1}));
    Move({3, 1});
    ExpectNear(c->m_center, {1, 1});
    ExpectNear(c->m_points[3], {-1, 1});
    Move({1, 1});
    for (const CWorldPoint& v : c->m_points) ExpectNear(v, {1, 1});
    Move({1, 2});
    EXPECT_TRUE(IsRegular(*c));
    ExpectNear(c->m_points[0], {1, 2});
    ReleaseTool({1, 2});
    EXPECT_EQ(Figures(), 3u);

    // Fewer sides in the settings later: the hexagon stays a hexagon.
    ProgramState().params.polygonSides = 5;
    hex->MoveHandle(3, {5, 5});
    EXPECT_EQ(hex->m_nPoints, 6);
    ExpectNear(hex->m_center, {1, r3});
    ExpectNear(hex->m_points[2], {5, 5});
    EXPECT_TRUE(IsRegular(*hex));
}

TEST_F(RectPolyTest, PolygonTransformsListingAndDuplicates) {
    CPolyObj p(4, {0, 0});
    p.SetDocument(&doc);
    p.SetRegularVertices(0, {1, 0});
    p.RecalcBounds();
    p.Offset({2, 1});
    ExpectNear(p.m_center, {2, 1});
    p.Rotate({0, 0}, std::acos(-1.0) / 2);
    ExpectNear(p.m_center, {-1, 2});
    p.Reflect({0, 0}, {1, 0});
    ExpectNear(p.m_center, {-1, -2});
    p.Homothety({0, 0}, 2);
    ExpectNear(p.m_center, {-2, -4});
    EXPECT_TRUE(IsRegular(p));

    DataLines lines;
    const int n = p.ListData(lines);
    ASSERT_GE(n, 2);
    EXPECT_EQ(lines[lines.size() - 2], "Center.x =  -2.000000");
    EXPECT_EQ(lines.back(), "Center.y =  -4.000000");

    // A square of side 2 around (0,0): copies share a side.
    CPolyObj sq(4, {0, 0});
    sq.SetRegularVertices(0, {1, 1});
    sq.RecalcBounds();
    ExpectNear(sq.GetDuplicateOffset(kKeyRight), {2, 0});
    ExpectNear(sq.GetDuplicateOffset(kKeyUp), {0, 2});
    ExpectNear(sq.GetDuplicateOffset(kKeyLeft), {-2, 0});

    RecordingCanvas canvas;
    sq.Draw(canvas);
    // The closed outline, then the centre mark drawn in lines.
    ASSERT_GE(canvas.records.size(), 2u);
    EXPECT_EQ(canvas.records[0].op, RecordingCanvas::Op::Polygon);
    EXPECT_EQ(canvas.records[0].points.size(), 4u);
    EXPECT_NE(canvas.records.back().op, RecordingCanvas::Op::Polygon);
}

TEST_F(RectPolyTest, SavedFormAndDamagedFigures) {
    CPolyObj hex(6, {1, 2});
    hex.SetDocument(&doc);
    hex.SetRegularVertices(0, {3, 2});
    hex.RecalcBounds();
    std::vector<std::uint8_t> first, second;
    CPolyObj* back = RoundTrip(hex, &first, &second);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(first, second);
    // The centre follows the shape's fields as two doubles.
    double tail[2];
    std::memcpy(tail, first.data() + first.size() - 16, 16);
    EXPECT_EQ(tail[0], 1.0);
    EXPECT_EQ(tail[1], 2.0);
    ExpectNear(back->m_center, {1, 2});
    delete back;

    // Two vertices only, and a rectangle of three with an unknown kind: the
    // handles fall back to moving one vertex, nothing reads past the end.
    CPolyObj two(2, {0, 0});
    two.SetDocument(&doc);
    two.MoveHandle(2, {1, 1});
    ExpectNear(two.m_points[1], {1, 1});
    two.MoveHandle(5, {1, 1});
    two.TrackLastVertex(state, {4, 4}, kMkControl, kCodePlain);
    CRectObj odd(77, {});
    odd.SetDocument(&doc);
    odd.SetVertexCount(3);
    odd.MoveHandle(3, {2, 2});
    ExpectNear(odd.m_points[2], {2, 2});
    odd.TrackLastVertex(state, {4, 4}, 0, kCodePlain);
    EXPECT_FALSE(std::isnan(odd.GetDuplicateOffset(kKeyLeft).x));
    CRectObj* oddBack = RoundTrip(odd, &first, &second);
    ASSERT_NE(oddBack, nullptr);
    EXPECT_EQ(oddBack->m_kind, 77u);
    EXPECT_EQ(first, second);
    delete oddBack;
}

}  // namespace
}  // namespace gyr::testing

// The shape object: drawing, hit tests, distances, snapping, listing,
// persistence and attributes, against a known sheet mapping.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "doc/archive.h"
#include "doc/document.h"
#include "doc/program_state.h"
#include "doc/shape_obj.h"
#include "port/recording_canvas.h"
#include "port/scripted_host.h"
#include "ui/gyr_view.h"

namespace gyr {
namespace {

using Op = RecordingCanvas::Op;

class ObjectModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        CSheetMapping& m = Mapping();
        m.originX = 400;
        m.originY = 300;
        m.unitX = 50;
        m.unitY = 50;
        m.pixelTolerance = 4.0 / 50;
        host.document = &doc;
        host.view = &view;
        doc.AddView(&view);
    }

    static CShapeObj Shape(std::initializer_list<CWorldPoint> pts) {
        CShapeObj s(int(pts.size()));
        int i = 0;
        for (const CWorldPoint& p : pts) s.m_points[i++] = p;
        s.RecalcBounds();
        return s;
    }

    ScriptedHost host;
    // The view outlives the document, which walks its views when it clears.
    CGyrView view{&doc};
    CGyrDoc doc;
};

// A shape that is not closed, as segments and angles are.
class OpenShape : public CShapeObj {
public:
    using CShapeObj::CShapeObj;
    bool IsClosed() const override { return false; }
};

TEST_F(ObjectModelTest, DrawIsOneClosedPathFromTheLastVertexDown) {
    RecordingCanvas dc;
    LogPen before{kPenDot, 1, 0, 0x123456};
    dc.SelectPen(&before);

    CShapeObj seg = Shape({{0, 0}, {1, 1}});
    seg.m_logpen = {kPenSolid, 2, 2, 0x800000};
    seg.m_bBrush = 0;
    seg.Draw(dc);
    ASSERT_EQ(dc.records.size(), 1u);
    EXPECT_EQ(dc.lines[0], "polygon (450,250) (400,300) pen{0,2,0x800000} brush{null}");

    dc.Clear();
    CShapeObj tri = Shape({{0, 0}, {2, 0}, {-0.01, 1}});
    tri.m_bPen = 0;
    tri.m_bBrush = 1;
    tri.m_logbrush = {kBrushSolid, 0xFF, 0};
    tri.Draw(dc);
    ASSERT_EQ(dc.records.size(), 1u);
    const auto& r = dc.records[0];
    EXPECT_EQ(r.op, Op::Polygon);
    // x = -0.01 truncates toward zero, so the pixel stays on the origin column.
    EXPECT_EQ(r.points, (std::vector<PixelPoint>{{400, 250}, {500, 300}, {400, 300}}));
    EXPECT_FALSE(r.pen.has_value());
    ASSERT_TRUE(r.brush.has_value());
    EXPECT_EQ(r.brush->color, 0xFFu);
    // The caller's pen is back afterwards.
    EXPECT_FALSE(dc.CurrentPen().null);
    EXPECT_EQ(dc.CurrentPen().pen, before);

    dc.Clear();
    Shape({{1, 1}}).Draw(dc);
    CShapeObj().Draw(dc);
    EXPECT_TRUE(dc.records.empty());
}

TEST_F(ObjectModelTest, DrawMarksInvertsSevenPixelSquares) {
    RecordingCanvas dc;
    Shape({{0, 0}, {1, 1}}).DrawMarks(dc);
    auto marks = dc.Of(Op::InvertRect);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].points, (std::vector<PixelPoint>{{397, 297}, {404, 304}}));
    EXPECT_EQ(marks[1].points, (std::vector<PixelPoint>{{447, 247}, {454, 254}}));
}

TEST_F(ObjectModelTest, HitTestPrefersVerticesAndUsesTheClosingEdge) {
    CShapeObj sq = Shape({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    const double tol = Mapping().pixelTolerance;
    EXPECT_EQ(sq.HitTest({0.05, 0.05}), 1);
    // Vertex 1 lies on edge 1 as well: the vertex number wins.
    EXPECT_EQ(sq.HitTest({2.0, 0.01}), 2);
    EXPECT_EQ(sq.HitTest({2, 2}), 3);
    EXPECT_EQ(sq.HitTest({0.03, 1.97}), 4);
    EXPECT_EQ(sq.HitTest({1, 0.05}), 0);   // edge 1
    EXPECT_EQ(sq.HitTest({-0.05, 1}), 0);  // closing edge
    EXPECT_EQ(sq.HitTest({1, tol}), -1);   // the tolerance is strict
    EXPECT_EQ(sq.HitTest({1, 1}), -1);
    // Beyond the end of an edge the foot is off the segment.
    EXPECT_EQ(sq.HitTest({2.07, -0.07}), 2);
    EXPECT_EQ(sq.HitTest({2.1, -0.05}), -1);

    // A zero-length edge is tested as its vertex.
    CShapeObj dup = Shape({{0, 0}, {1, 0}, {1, 0}});
    EXPECT_EQ(dup.HitTest({1.02, 0.02}), 2);
    EXPECT_EQ(dup.HitTest({0.5, 0.5}), -1);
    EXPECT_EQ(CShapeObj().HitTest({0, 0}), -1);
    EXPECT_EQ(CMyObj().HitTest({0, 0}), -1);
}

TEST_F(ObjectModelTest, DistanceToCountsEdgesFromOneAndKeepsTheEarlierOnTies) {
    CShapeObj sq = Shape({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    int edge = -7;
    EXPECT_DOUBLE_EQ(sq.DistanceTo({1, 1}, edge), 1.0);
    EXPECT_EQ(edge, 1);  // all four tie
    EXPECT_DOUBLE_EQ(sq.DistanceTo({3, 1}, edge), 1.0);
    EXPECT_EQ(edge, 2);
    EXPECT_DOUBLE_EQ(sq.DistanceTo({-1, 1}, edge), 1.0);
    EXPECT_EQ(edge, 4);  // the closing edge
    // Edge 3 and the closing edge share vertex 3: the closing edge must be
    // strictly nearer to win.
    EXPECT_NEAR(sq.DistanceTo({-1, 3}, edge), std::sqrt(2.0), 1e-12);
    EXPECT_EQ(edge, 3);

    CShapeObj empty;
    EXPECT_EQ(empty.DistanceTo({0, 0}, edge), 1e10);
    EXPECT_EQ(edge, 1);
    EXPECT_EQ(CMyObj().DistanceTo({0, 0}, edge), 1e10);

    EXPECT_EQ(sq.NearestPointOn({-1, 1}), CWorldPoint(0, 1));
    EXPECT_EQ(sq.NearestPointOn({3, 3}), CWorldPoint(2, 2));
}

TEST_F(ObjectModelTest, NearestVertexAndSnapping) {
    CShapeObj s = Shape({{0, 0}, {0.1, 0}, {5, 5}});
    int index = -1;
    EXPECT_NEAR(s.NearestVertex({0.09, 0}, index), 0.01, 1e-12);
    EXPECT_EQ(index, 1);

    // The first vertex within the match distance, not the nearest one.
    CWorldPoint p{0.09, 0};
    EXPECT_TRUE(s.SnapToVertex(p));
    EXPECT_EQ(p, CWorldPoint(0, 0));
    // Chebyshev: both differences below 0.3 snap although the distance is larger.
    p = {5.29, 5.29};
    EXPECT_TRUE(s.SnapToVertex(p));
    EXPECT_EQ(p, CWorldPoint(5, 5));
    p = {5.31, 5};
    EXPECT_FALSE(s.SnapToVertex(p));
    EXPECT_EQ(p, CWorldPoint(5.31, 5));
    ProgramState().params.matchDistance = 0.5;
    EXPECT_TRUE(s.SnapToVertex(p));

    // The base object measures from its four box corners.
    CMyObj box;
    box.m_leftTop = {0, 2};
    box.m_rightBottom = {3, 0};
    EXPECT_DOUBLE_EQ(box.NearestVertex({3.5, 0}, index), 0.5);
    EXPECT_EQ(index, 2);
    CWorldPoint q{0.01, 0.01};
    EXPECT_FALSE(box.SnapToVertex(q));
}

TEST_F(ObjectModelTest, FanAreaSumsUnsignedTriangles) {
    // A dart seen from a vertex outside its kernel: the fan triangles overlap
    // with opposite orientation; the signed area would be 4.
    CWorldPoint dart[] = {{4, 0}, {1, 1}, {0, 4}, {0, 0}};
    EXPECT_NEAR(FanArea(dart, 4), 12.0, 1e-9);
    CWorldPoint square[] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    EXPECT_NEAR(FanArea(square, 4), 4.0, 1e-9);
    EXPECT_EQ(FanArea(square, 2), 0.0);
    CWorldPoint withRepeat[] = {{0, 0}, {2, 0}, {2, 0}, {2, 2}};
    EXPECT_NEAR(FanArea(withRepeat, 4), 2.0, 1e-9);
}

TEST_F(ObjectModelTest, DuplicateOffsetFollowsTheArrowKeys) {
    CShapeObj s = Shape({{1, 1}, {4, 3}});
    EXPECT_EQ(s.GetDuplicateOffset(kKeyLeft), CWorldPoint(-3, 0));
    EXPECT_EQ(s.GetDuplicateOffset(kKeyUp), CWorldPoint(0, 2));
    EXPECT_EQ(s.GetDuplicateOffset(kKeyRight), CWorldPoint(3, 0));
    EXPECT_EQ(s.GetDuplicateOffset(kKeyDown), CWorldPoint(0, -2));
    EXPECT_EQ(s.GetDuplicateOffset('D'), CWorldPoint(0, 0));
    EXPECT_EQ(s.GetDuplicateOffset(kKeyF2), CWorldPoint(0, 0));
}

TEST_F(ObjectModelTest, DuplicateByKeyAddsAnOffsetCloneAndSelectsIt) {
    auto* s = new CShapeObj(2);
    s->SetDocument(&doc);
    s->m_points = {{1, 1}, {4, 3}};
    s->RecalcBounds();
    doc.AddObject(s);
    view.Select(s);

    CMyObj* copy = s->DuplicateByKey(kKeyRight, 1);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(doc.Objects().size(), 2u);
    EXPECT_EQ(doc.Objects().back(), copy);
    EXPECT_EQ(view.m_selection, CObList{copy});
    EXPECT_EQ(s->m_bSelected, 0);
    EXPECT_EQ(copy->m_bSelected, 1);
    EXPECT_EQ(copy->GetHandle(0), CWorldPoint(4, 1));
    EXPECT_EQ(copy->m_rightBottom, CWorldPoint(7, 1));
    // The source keeps its vertices: the clone is deep.
    EXPECT_EQ(s->m_points[1], CWorldPoint(4, 3));
}

TEST_F(ObjectModelTest, ListDataLinesOfAClosedShape) {
    CShapeObj sq = Shape({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    DataLines lines;
    ASSERT_EQ(sq.ListData(lines), 4 * 4 + 4);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0].rfind("Address :  ", 0), 0u);
    EXPECT_EQ(lines[1], "Size in bytes :  208");
    EXPECT_EQ(lines[2], "pt-0.x =  0.000000");
    EXPECT_EQ(lines[5], "pt-1.y =  0.000000");
    EXPECT_EQ(lines[6], "pt-2.x =  2.000000");
    EXPECT_EQ(lines[10], "Angle-0: -1.570796 (-90:0:0)");
    EXPECT_EQ(lines[14], "seg-0 :  2.000000");
    EXPECT_EQ(lines[16], "seg-2 :  2.000000");
    EXPECT_EQ(lines[17], "seg-3  :  2.000000");
    EXPECT_EQ(lines[18], "Perimeter : 8.000000");
    EXPECT_EQ(lines[19], "Area :  4.000000");

    // Two objects never share an address line.
    CShapeObj other = sq;
    DataLines more;
    other.ListData(more);
    EXPECT_NE(more[0], lines[0]);
}

TEST_F(ObjectModelTest, ListDataOfAnOpenShapeAndNegativeAngles) {
    OpenShape angle(3);
    angle.m_points = {{1, 0}, {0, 0}, {std::cos(0.5), -std::sin(0.5)}};
    DataLines lines;
    ASSERT_EQ(angle.ListData(lines), 4 * 3 + 3);
    // At vertex 1: polar(next) - polar(prev) = (2pi - 0.5) - 0, brought into [-pi, pi].
    EXPECT_EQ(lines[9], "Angle-1: -0.500000 (-28:38:52)");
    EXPECT_EQ(lines[12], "seg-1 :  1.000000");
    EXPECT_EQ(lines[13], "Perimeter :  2.000000");

    // Between -1 degree and 0 the degrees stay 0 and the minutes and seconds
    // carry the sign.
    OpenShape small(3);
    small.m_points = {{1, 0}, {0, 0}, {std::cos(0.005), -std::sin(0.005)}};
    lines.clear();
    small.ListData(lines);
    EXPECT_EQ(lines[9], "Angle-1: -0.005000 (0:-17:-11)");
}

TEST_F(ObjectModelTest, SetDataValueEditsOneCoordinateThroughTheHandle) {
    CShapeObj s = Shape({{0, 0}, {2, 0}, {2, 2}});
    EXPECT_EQ(s.SetDataValue(5, 3.0, 1), &s);  // pt-1.y
    EXPECT_EQ(s.m_points[1], CWorldPoint(2, 3));
    EXPECT_EQ(s.m_leftTop, CWorldPoint(0, 3));
    EXPECT_FALSE(host.invalidated.empty());
    EXPECT_EQ(s.SetDataValue(6, -1.0, 1), &s);  // pt-2.x
    EXPECT_EQ(s.m_points[2], CWorldPoint(-1, 2));
    EXPECT_EQ(s.SetDataValue(8, 1.0, 1), nullptr);  // first angle line
    EXPECT_EQ(s.SetDataValue(1, 1.0, 1), nullptr);  // size line
    EXPECT_EQ(s.SetDataValue(0, 1.0, 1), nullptr);
}

TEST_F(ObjectModelTest, SerializeRoundTripIsByteIdentical) {
    CShapeObj s = Shape({{0.5, -1.25}, {3, 4}, {-2, 1e-3}});
    s.m_bSelected = 1;
    s.m_bPen = 1;
    s.m_logpen = {kPenDash, 1, 7, 0x00800000};
    s.m_bBrush = 1;
    s.m_logbrush = {kBrushHatched, 0x000000FF, 3};

    CArchive out;
    s.Serialize(out);
    const auto bytes = out.Bytes();
    ASSERT_EQ(bytes.size(), 32u + 2 + 2 + 16 + 2 + 12 + 4 + 3 * 16);
    double leftX = 0;
    std::memcpy(&leftX, bytes.data(), 8);
    EXPECT_EQ(leftX, -2.0);
    EXPECT_EQ(bytes[34], 1);  // pen on, u16
    EXPECT_EQ(bytes[36], 1);  // pen style
    EXPECT_EQ(bytes[44], 7);  // pen width y
    EXPECT_EQ(bytes[52], 1);  // brush on, u16
    EXPECT_EQ(bytes[54], 2);  // brush style
    EXPECT_EQ(bytes[62], 3);  // hatch
    EXPECT_EQ(bytes[66], 3);  // point count

    CArchive in(bytes.data(), bytes.size(), &doc);
    CShapeObj back;
    back.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(back.m_pDocument, &doc);
    EXPECT_EQ(back.m_nPoints, 3);
    EXPECT_EQ(back.m_points, s.m_points);
    EXPECT_EQ(back.m_logpen, s.m_logpen);
    EXPECT_EQ(back.m_logbrush, s.m_logbrush);
    CArchive again;
    back.Serialize(again);
    EXPECT_EQ(again.Bytes(), bytes);

    // Through the class registry: the name decides the class.
    CArchive withClass;
    withClass.WriteObject(&s);
    CArchive reader(withClass.Bytes().data(), withClass.Bytes().size(), &doc);
    CMyObj* obj = reader.ReadObject();
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->GetRuntimeClass(), &CShapeObj::kClass);
    EXPECT_EQ(obj->GetVertexCount(), 3);
    delete obj;

    // A shape without vertices loads with none.
    CArchive emptyOut;
    CShapeObj().Serialize(emptyOut);
    CArchive emptyIn(emptyOut.Bytes().data(), emptyOut.Bytes().size());
    CShapeObj emptyBack(5);
    emptyBack.Serialize(emptyIn);
    EXPECT_EQ(emptyBack.m_nPoints, 0);
    EXPECT_EQ(emptyBack.GetVertices(), nullptr);
}

TEST_F(ObjectModelTest, AttributeKindsCopyTheirPartOfTheRecord) {
    CDrawAttr& a = doc.m_drawAttr;
    CShapeObj s;
    s.SetDocument(&doc);  // kind 6: everything
    EXPECT_EQ(s.m_pDocument, &doc);
    EXPECT_EQ(s.m_bPen, 1);
    EXPECT_EQ(s.m_bBrush, 0);
    EXPECT_EQ(s.m_logpen, (LogPen{kPenSolid, 2, 2, 0x00800000}));
    EXPECT_EQ(s.m_logbrush, (LogBrush{kBrushSolid, 0x000000FF, 0}));

    s.m_logpen.style = kPenDash;
    a.penWidthX = 3;
    s.ApplyAttributes(kAttrWidth, doc);
    EXPECT_EQ(s.m_logpen.widthX, 3);
    EXPECT_EQ(s.m_logpen.style, kPenSolid);  // wide pens are solid

    a.penStyle = kPenDot;
    s.ApplyAttributes(kAttrPattern, doc);
    EXPECT_EQ(s.m_logpen.style, kPenDot);
    EXPECT_EQ(s.m_logpen.widthX, 1);  // patterns are thin

    a.brushOn = 0;
    a.brushColor = 0x00FF00;
    s.m_logbrush.color = 0x111111;
    s.ApplyAttributes(kAttrRegion, doc);
    EXPECT_EQ(s.m_bBrush, 0);
    EXPECT_EQ(s.m_logbrush.color, 0x111111u);  // no fill: colour untouched
    a.brushOn = 1;
    s.ApplyAttributes(kAttrRegion, doc);
    EXPECT_EQ(s.m_bBrush, 1);
    EXPECT_EQ(s.m_logbrush.color, 0x00FF00u);

    a.penOn = 0;
    a.penColor = 0x0000FF;
    s.ApplyAttributes(kAttrContour, doc);
    EXPECT_EQ(s.m_bPen, 0);
    EXPECT_EQ(s.m_logpen.color, 0x00800000u);
    s.ApplyAttributes(kAttrPenColor, doc);
    EXPECT_EQ(s.m_logpen.color, 0x0000FFu);
    EXPECT_EQ(s.m_bPen, 0);

    a.brushColor = 0xABCDEF;
    a.brushOn = 0;
    s.ApplyAttributes(kAttrBrushColor, doc);
    EXPECT_EQ(s.m_logbrush.color, 0xABCDEFu);
    EXPECT_EQ(s.m_bBrush, 1);
}

TEST_F(ObjectModelTest, HandlesBoundsAndTransforms) {
    CShapeObj s = Shape({{1, 1}, {3, 1}, {3, 2}});
    EXPECT_EQ(s.m_leftTop, CWorldPoint(1, 2));
    EXPECT_EQ(s.m_rightBottom, CWorldPoint(3, 1));
    EXPECT_EQ(s.GetHandle(2), CWorldPoint(3, 2));
    EXPECT_EQ(s.GetHandle(3), CWorldPoint(0, 0));
    EXPECT_EQ(s.GetHandle(-1), CWorldPoint(0, 0));

    // Box (450,200)-(550,250), grown by 4 for thin pens and by w/2+1 for wide ones.
    s.m_logpen.widthX = 2;
    EXPECT_EQ(s.GetInvalidRect(), (PixelRect{446, 196, 554, 254}));
    s.m_logpen.widthX = 12;
    EXPECT_EQ(s.GetInvalidRect(), (PixelRect{443, 193, 557, 257}));

    PixelRect r = s.MoveHandle(3, {5, 5});
    EXPECT_EQ(s.m_points[2], CWorldPoint(5, 5));
    EXPECT_EQ(s.m_rightBottom, CWorldPoint(5, 1));
    EXPECT_EQ(r, (PixelRect{443, 43, 657, 257}));
    EXPECT_TRUE(s.MoveHandle(4, {0, 0}).IsEmpty());

    s.Homothety({1, 1}, -1);
    EXPECT_EQ(s.m_points[2], CWorldPoint(-3, -3));
    // The box stays ordered under a negative ratio.
    EXPECT_EQ(s.m_leftTop, CWorldPoint(-3, 1));
    EXPECT_EQ(s.m_rightBottom, CWorldPoint(1, -3));

    CShapeObj t = Shape({{1, 0}, {2, 0}});
    t.Rotate({0, 0}, M_PI / 2);
    EXPECT_NEAR(t.m_points[1].x, 0, 1e-12);
    EXPECT_NEAR(t.m_points[1].y, 2, 1e-12);
    EXPECT_NEAR(t.m_leftTop.y, 2, 1e-12);

    CShapeObj u = Shape({{1, 3}, {2, 0}});
    u.Reflect({0, 0}, {1, 1});
    EXPECT_EQ(u.m_points[0], CWorldPoint(3, 1));
    EXPECT_EQ(u.m_points[1], CWorldPoint(0, 2));
    EXPECT_EQ(u.m_leftTop, CWorldPoint(0, 2));
    u.Reflect({1, 1}, {1, 1});  // no mirror line: unchanged
    EXPECT_EQ(u.m_points[0], CWorldPoint(3, 1));

    u.Offset({1, -1});
    EXPECT_EQ(u.m_points[1], CWorldPoint(1, 1));
    EXPECT_EQ(u.m_rightBottom, CWorldPoint(4, 0));

    CWorldPoint v, next, prev;
    CShapeObj tri = Shape({{0, 0}, {1, 0}, {0, 1}});
    EXPECT_TRUE(tri.GetCorner(0, v, next, prev));
    EXPECT_EQ(next, CWorldPoint(1, 0));
    EXPECT_EQ(prev, CWorldPoint(0, 1));
    EXPECT_FALSE(tri.GetCorner(3, v, next, prev));
    EXPECT_EQ(v, CWorldPoint(0, 0));
    EXPECT_FALSE(u.GetCorner(0, v, next, prev));

    tri.ProjectVertexOntoLine({0, 2}, {2, 2}, {3, 7}, 2);
    EXPECT_EQ(tri.m_points[1], CWorldPoint(3, 2));
    EXPECT_EQ(tri.m_rightBottom, CWorldPoint(3, 0));
}

TEST_F(ObjectModelTest, DegeneracyAndTracking) {
    EXPECT_TRUE(Shape({{1, 1}, {1 + 5e-9, 1}}).IsDegenerate());
    EXPECT_FALSE(Shape({{1, 1}, {1 + 2e-8, 1}}).IsDegenerate());
    EXPECT_TRUE(CShapeObj(1).IsDegenerate());
    EXPECT_TRUE(CMyObj().IsDegenerate());

    CShapeObj s = Shape({{0, 0}, {0, 0}});
    s.m_logpen.widthX = 1;
    PixelRect r = s.Track(&view, {1, -1}, 0);
    EXPECT_EQ(s.m_points[1], CWorldPoint(1, -1));
    EXPECT_EQ(s.m_rightBottom, CWorldPoint(1, -1));
    EXPECT_EQ(r, (PixelRect{396, 296, 454, 354}));
    EXPECT_TRUE(CMyObj().Track(&view, {1, 1}, 0).IsEmpty());
}

TEST_F(ObjectModelTest, BaseBoxCornerRule) {
    CMyObj box;
    box.m_leftTop = {0, 2};
    box.m_rightBottom = {4, 0};
    EXPECT_EQ(box.GetHandle(1), CWorldPoint(4, 2));
    EXPECT_EQ(box.GetHandle(3), CWorldPoint(0, 0));
    EXPECT_EQ(box.GetHandle(4), CWorldPoint(0, 0));

    // Nearer to the left and bottom sides.
    PixelRect r = box.MoveHandle(1, {1, 0.5});
    EXPECT_EQ(box.m_leftTop, CWorldPoint(1, 2));
    EXPECT_EQ(box.m_rightBottom, CWorldPoint(4, 0.5));
    EXPECT_EQ(r, (PixelRect{400, 200, 600, 300}));
    // A tie moves the right and the top side.
    box.SetVertex(0, {2.5, 1.25});
    EXPECT_EQ(box.m_leftTop, CWorldPoint(1, 1.25));
    EXPECT_EQ(box.m_rightBottom, CWorldPoint(2.5, 0.5));

    box.Offset({1, 1});
    EXPECT_EQ(box.m_leftTop, CWorldPoint(2, 2.25));
    EXPECT_EQ(box.GetInvalidRect(), box.GetPixelBounds());
}

TEST_F(ObjectModelTest, FinishAddsCollectsAndRepaints) {
    doc.m_drawAttr.penColor = 0x00FF00;
    auto* s = new CShapeObj(2);
    s->m_points = {{0, 0}, {1, 1}};
    s->Finish(true, true, 1, true);
    EXPECT_EQ(s->m_pDocument, &doc);
    EXPECT_EQ(s->m_logpen.color, 0x00FF00u);
    EXPECT_EQ(s->m_rightBottom, CWorldPoint(1, 0));
    EXPECT_EQ(doc.Objects(), CObList{s});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.m_gesture, CObList{s});
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], s->GetInvalidRect());

    CShapeObj loose(2);
    loose.Finish(false, false, 0, false);
    EXPECT_EQ(loose.m_pDocument, &doc);
    EXPECT_EQ(doc.Objects().size(), 1u);
    EXPECT_EQ(host.invalidated.size(), 1u);
}

TEST_F(ObjectModelTest, ReportBadDefinitionOnlyForAMissingObject) {
    view.m_nStage = 1;
    CShapeObj s;
    EXPECT_FALSE(ReportBadDefinition(&s, 5));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(view.m_nStage, 1);

    EXPECT_TRUE(ReportBadDefinition(nullptr, 0));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Definition incorrect. \nPlease restart the definition.\nFor this, move the mouse "
              "while holding down the left button.");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(view.m_nStage, 0);
}

}  // namespace
}  // namespace gyr

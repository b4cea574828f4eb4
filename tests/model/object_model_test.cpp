// The shape object and the free list operations: drawing, hit tests,
// distances, snapping, nearest searches with their tie rules, listing,
// persistence and attributes, against a known sheet mapping.

#include <gtest/gtest.h>

#include <cmath>

#include "model/archive.h"
#include "model/obj_list.h"
#include "model/runtime_class.h"
#include "model/shape_fixture.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

using Op = RecordingCanvas::Op;

class OpenShape : public CShapeObj {
public:
    using CShapeObj::CShapeObj;
    bool IsClosed() const override { return false; }
};
class Triangle : public CShapeObj {
public:
    using CShapeObj::CShapeObj;
    bool IsTriangle() const override { return true; }
};
class PointLike : public CShapeObj {
public:
    using CShapeObj::CShapeObj;
    bool IsPoint() const override { return true; }
};

using ObjectModelTest = ShapeTest;

TEST_F(ObjectModelTest, DrawIsOneClosedPathAndMarksAreInvertedSquares) {
    RecordingCanvas dc;
    LogPen before{kPenDot, 1, 0, 0x123456};
    dc.SelectPen(&before);
    CShapeObj tri = Shape({{0, 0}, {2, 0}, {-0.01, 1}});
    tri.m_bPen = 0;
    tri.m_bBrush = 1;
    tri.m_logbrush = {kBrushSolid, 0xFF, 0};
    tri.Draw(dc);
    ASSERT_EQ(dc.records.size(), 1u);
    EXPECT_EQ(dc.records[0].op, Op::Polygon);
    // From the last vertex down; x = -0.01 truncates toward zero, onto the origin column.
    EXPECT_EQ(dc.records[0].points, (std::vector<PixelPoint>{{400, 250}, {500, 300}, {400, 300}}));
    EXPECT_FALSE(dc.records[0].pen.has_value());
    EXPECT_EQ(dc.CurrentPen().pen, before);  // the caller's pen is back

    dc.Clear();
    Shape({{1, 1}}).Draw(dc);
    EXPECT_TRUE(dc.records.empty());
    Shape({{0, 0}, {1, 1}}).DrawMarks(dc);
    auto marks = dc.Of(Op::InvertRect);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[1].points, (std::vector<PixelPoint>{{447, 247}, {454, 254}}));
}

TEST_F(ObjectModelTest, HitTestPrefersVerticesAndUsesTheClosingEdge) {
    CShapeObj sq = Shape({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    EXPECT_EQ(sq.HitTest({0.05, 0.05}), 1);
    EXPECT_EQ(sq.HitTest({2.0, 0.01}), 2);  // on edge 1 too: the vertex wins
    EXPECT_EQ(sq.HitTest({0.03, 1.97}), 4);
    EXPECT_EQ(sq.HitTest({1, 0.05}), 0);
    EXPECT_EQ(sq.HitTest({-0.05, 1}), 0);                      // closing edge
    EXPECT_EQ(sq.HitTest({1, Mapping().pixelTolerance}), -1);  // strict tolerance
    EXPECT_EQ(sq.HitTest({2.1, -0.05}), -1);                   // foot beyond the edge's end
    // A zero-length edge is tested as its vertex.
    EXPECT_EQ(Shape({{0, 0}, {1, 0}, {1, 0}}).HitTest({1.02, 0.02}), 2);
    EXPECT_EQ(CShapeObj().HitTest({0, 0}), -1);
    EXPECT_EQ(CMyObj().HitTest({0, 0}), -1);
}

TEST_F(ObjectModelTest, DistanceToCountsEdgesFromOneAndKeepsTheEarlierOnTies) {
    CShapeObj sq = Shape({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    int edge = -7;
    EXPECT_DOUBLE_EQ(sq.DistanceTo({1, 1}, edge), 1.0);
    EXPECT_EQ(edge, 1);  // all four tie
    EXPECT_DOUBLE_EQ(sq.DistanceTo({-1, 1}, edge), 1.0);
    EXPECT_EQ(edge, 4);  // the closing edge
    // Edge 3 and the closing edge share vertex 3: the closing edge must be strictly nearer.
    EXPECT_NEAR(sq.DistanceTo({-1, 3}, edge), std::sqrt(2.0), 1e-12);
    EXPECT_EQ(edge, 3);
    EXPECT_EQ(CShapeObj().DistanceTo({0, 0}, edge), 1e10);
    EXPECT_EQ(CMyObj().DistanceTo({0, 0}, edge), 1e10);
    EXPECT_EQ(sq.NearestPointOn({3, 3}), CWorldPoint(2, 2));
}

TEST_F(ObjectModelTest, SnapToVertexTakesTheFirstWithinTheMatchDistance) {
    CShapeObj s = Shape({{0, 0}, {0.1, 0}, {5, 5}});
    int index = -1;
    EXPECT_NEAR(s.NearestVertex({0.09, 0}, index), 0.01, 1e-12);
    EXPECT_EQ(index, 1);
    CWorldPoint p{0.09, 0};  // nearer to vertex 1, but vertex 0 comes first
    EXPECT_TRUE(s.SnapToVertex(p));
    EXPECT_EQ(p, CWorldPoint(0, 0));
    p = {5.29, 5.29};  // Chebyshev: both differences below 0.3
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
}

TEST_F(ObjectModelTest, FanAreaSumsUnsignedTriangles) {
    // A dart seen from a vertex outside its kernel: the signed area would be 4.
    CWorldPoint dart[] = {{4, 0}, {1, 1}, {0, 4}, {0, 0}};
    EXPECT_NEAR(FanArea(dart, 4), 12.0, 1e-9);
    CWorldPoint square[] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    EXPECT_NEAR(FanArea(square, 4), 4.0, 1e-9);
    EXPECT_EQ(FanArea(square, 2), 0.0);
}

TEST_F(ObjectModelTest, DuplicateByKeyAddsAnOffsetCloneAndSelectsIt) {
    auto* s = new CShapeObj(2);
    s->SetDocument(&doc);
    s->m_points = {{1, 1}, {4, 3}};
    s->RecalcBounds();
    EXPECT_EQ(s->GetDuplicateOffset(kKeyUp), CWorldPoint(0, 2));
    EXPECT_EQ(s->GetDuplicateOffset(kKeyLeft), CWorldPoint(-3, 0));
    EXPECT_EQ(s->GetDuplicateOffset('D'), CWorldPoint(0, 0));
    doc.AddObject(s);
    state.Select(s);
    CMyObj* copy = s->DuplicateByKey(state, kKeyRight, 1);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(doc.Objects(), (CObList{s, copy}));
    EXPECT_EQ(state.m_selection, CObList{copy});
    EXPECT_EQ(s->m_bSelected, 0);
    EXPECT_EQ(copy->GetHandle(0), CWorldPoint(4, 1));
    EXPECT_EQ(s->m_points[1], CWorldPoint(4, 3));  // a deep clone
}

TEST_F(ObjectModelTest, ListDataLinesAndSetDataValue) {
    CShapeObj sq = Shape({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    DataLines lines;
    ASSERT_EQ(sq.ListData(lines), 4 * 4 + 4);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0].rfind("Address :  ", 0), 0u);
    EXPECT_EQ(lines[1], "Size in bytes :  208");
    EXPECT_EQ(lines[2], "pt-0.x =  0.000000");
    EXPECT_EQ(lines[10], "Angle-0: -1.570796 (-90:0:0)");
    EXPECT_EQ(lines[16], "seg-2 :  2.000000");
    EXPECT_EQ(lines[17], "seg-3  :  2.000000");
    EXPECT_EQ(lines[18], "Perimeter : 8.000000");
    EXPECT_EQ(lines[19], "Area :  4.000000");
    CShapeObj other = sq;
    DataLines more;
    other.ListData(more);
    EXPECT_NE(more[0], lines[0]);  // two objects never share an address line

    // Open shapes: no closing segment; between -1 degree and 0 the minutes
    // and seconds carry the sign.
    OpenShape small(3);
    small.m_points = {{1, 0}, {0, 0}, {std::cos(0.005), -std::sin(0.005)}};
    lines.clear();
    ASSERT_EQ(small.ListData(lines), 4 * 3 + 3);
    EXPECT_EQ(lines[9], "Angle-1: -0.005000 (0:-17:-11)");
    EXPECT_EQ(lines[13], "Perimeter :  2.000000");

    EXPECT_EQ(sq.SetDataValue(5, 3.0, 1), &sq);  // pt-1.y
    EXPECT_EQ(sq.m_points[1], CWorldPoint(2, 3));
    EXPECT_EQ(sq.m_leftTop, CWorldPoint(0, 3));
    EXPECT_FALSE(host.invalidated.empty());
    EXPECT_EQ(sq.SetDataValue(10, 1.0, 1), nullptr);  // an angle line
    EXPECT_EQ(sq.SetDataValue(1, 1.0, 1), nullptr);   // size line
}

TEST_F(ObjectModelTest, SerializeRoundTripIsByteIdentical) {
    CShapeObj s = Shape({{0.5, -1.25}, {3, 4}, {-2, 1e-3}});
    s.m_bSelected = 1;
    s.m_logpen = {kPenDash, 1, 7, 0x00800000};
    s.m_bBrush = 1;
    s.m_logbrush = {kBrushHatched, 0x000000FF, 3};
    CArchive out;
    s.Serialize(out);
    const auto bytes = out.Bytes();
    ASSERT_EQ(bytes.size(), 32u + 2 + 2 + 16 + 2 + 12 + 4 + 3 * 16);
    CArchive in(bytes.data(), bytes.size(), doc.Classes(), &doc);
    CShapeObj back;
    back.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(back.m_pDocument, &doc);
    EXPECT_EQ(back.m_points, s.m_points);
    EXPECT_EQ(back.m_logbrush, s.m_logbrush);
    CArchive again;
    back.Serialize(again);
    EXPECT_EQ(again.Bytes(), bytes);

    // Through the class registry the name decides the class.
    CArchive withClass;
    withClass.WriteObject(&s);
    CArchive reader(withClass.Bytes().data(), withClass.Bytes().size(), doc.Classes(), &doc);
    std::unique_ptr<CMyObj> obj(reader.ReadObject());
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->GetRuntimeClass(), &CShapeObj::kClass);
    // A shape without vertices loads with none.
    CArchive emptyOut;
    CShapeObj().Serialize(emptyOut);
    CArchive emptyIn(emptyOut.Bytes().data(), emptyOut.Bytes().size(), ModelClasses());
    CShapeObj emptyBack(5);
    emptyBack.Serialize(emptyIn);
    EXPECT_EQ(emptyBack.m_nPoints, 0);
}

TEST_F(ObjectModelTest, AttributeKindsAndTheirCouplings) {
    CDrawAttr& a = doc.m_drawAttr;
    CShapeObj s;
    s.SetDocument(&doc);  // kind 6: everything
    EXPECT_EQ(s.m_logpen, (LogPen{kPenSolid, 2, 2, 0x00800000}));
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
    EXPECT_EQ(s.GetHandle(2), CWorldPoint(3, 2));
    EXPECT_EQ(s.GetHandle(3), CWorldPoint(0, 0));
    // Box (450,200)-(550,250), grown by 4 for thin pens and by w/2+1 for wide ones.
    s.m_logpen.widthX = 2;
    EXPECT_EQ(s.GetInvalidRect(), (PixelRect{446, 196, 554, 254}));
    s.m_logpen.widthX = 12;
    EXPECT_EQ(s.MoveHandle(3, {5, 5}), (PixelRect{443, 43, 657, 257}));
    EXPECT_TRUE(s.MoveHandle(4, {0, 0}).IsEmpty());
    s.Homothety({1, 1}, -1);
    EXPECT_EQ(s.m_points[2], CWorldPoint(-3, -3));
    EXPECT_EQ(s.m_leftTop, CWorldPoint(-3, 1));  // the box stays ordered
    CShapeObj u = Shape({{1, 3}, {2, 0}});
    u.Reflect({0, 0}, {1, 1});
    EXPECT_EQ(u.m_points[0], CWorldPoint(3, 1));
    u.Reflect({1, 1}, {1, 1});  // no mirror line: unchanged
    EXPECT_EQ(u.m_points[0], CWorldPoint(3, 1));
    CWorldPoint v, next, prev;
    CShapeObj tri = Shape({{0, 0}, {1, 0}, {0, 1}});
    EXPECT_TRUE(tri.GetCorner(0, v, next, prev));
    EXPECT_EQ(prev, CWorldPoint(0, 1));
    EXPECT_FALSE(u.GetCorner(0, v, next, prev));
    tri.ProjectVertexOntoLine({0, 2}, {2, 2}, {3, 7}, 2);
    EXPECT_EQ(tri.m_points[1], CWorldPoint(3, 2));
}

TEST_F(ObjectModelTest, DegeneracyTrackingAndTheBaseBox) {
    EXPECT_TRUE(Shape({{1, 1}, {1 + 5e-9, 1}}).IsDegenerate());
    EXPECT_FALSE(Shape({{1, 1}, {1 + 2e-8, 1}}).IsDegenerate());
    EXPECT_TRUE(CMyObj().IsDegenerate());
    CShapeObj s = Shape({{0, 0}, {0, 0}});
    s.m_logpen.widthX = 1;
    EXPECT_EQ(s.Track(state, {1, -1}, 0), (PixelRect{396, 296, 454, 354}));
    EXPECT_EQ(s.m_rightBottom, CWorldPoint(1, -1));

    CMyObj box;
    box.m_leftTop = {0, 2};
    box.m_rightBottom = {4, 0};
    EXPECT_EQ(box.GetHandle(1), CWorldPoint(4, 2));
    // Nearer to the left and bottom sides; a tie moves the right and top.
    EXPECT_EQ(box.MoveHandle(1, {1, 0.5}), (PixelRect{400, 200, 600, 300}));
    EXPECT_EQ(box.m_rightBottom, CWorldPoint(4, 0.5));
    box.SetVertex(0, {2.5, 1.25});
    EXPECT_EQ(box.m_leftTop, CWorldPoint(1, 1.25));
    EXPECT_EQ(box.m_rightBottom, CWorldPoint(2.5, 0.5));
}

TEST_F(ObjectModelTest, FinishAndReportBadDefinition) {
    doc.m_drawAttr.penColor = 0x00FF00;
    auto* s = new CShapeObj(2);
    s->m_points = {{0, 0}, {1, 1}};
    s->Finish(state, {.collect = true});
    EXPECT_EQ(s->m_logpen.color, 0x00FF00u);
    EXPECT_EQ(doc.Objects(), CObList{s});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(state.m_gesture, CObList{s});
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], s->GetInvalidRect());

    state.m_nStage = 1;
    EXPECT_FALSE(ReportBadDefinition(state, s, 5));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(ReportBadDefinition(state, nullptr, 0));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Definition incorrect. \nPlease restart the definition.\nFor this, move the mouse "
              "while holding down the left button.");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(state.m_nStage, 0);
}

// ---- List operations ---------------------------------------------------------

TEST_F(ObjectModelTest, NearestShapeAndObjectKeepTheEarliestOnTies) {
    CMyObj* sheet = MakeBase();
    CShapeObj* a = Make({{0, 0}, {2, 0}});
    CShapeObj* b = Make({{0, 0}, {2, 0}});
    CShapeObj* dot = Make<PointLike>({{1, 0.5}, {1, 0.5}});
    CObList list{sheet, a, b, dot};
    int edge = -1;
    EXPECT_EQ(FindNearestShape(list, {1, 1}, edge), a);
    EXPECT_EQ(edge, 1);
    // Points take no part in the shape search but do in the object search.
    EXPECT_EQ(FindNearestObject(list, {1, 1}, edge), dot);
    EXPECT_EQ(FindNearestObject(CObList{sheet, b, a}, {1, 1}, edge), b);
    // The object search starts from 1e9, the shape search from 1e10.
    CObList farOnly{sheet, Make({{2e9, 0}, {2e9, 1}})};
    EXPECT_EQ(FindNearestShape(farOnly, {0, 0}, edge), farOnly[1]);
    EXPECT_EQ(FindNearestObject(farOnly, {0, 0}, edge), nullptr);
    const CRuntimeClass* shapes[] = {&CShapeObj::kClass};
    EXPECT_EQ(FindNearestObjectOfClasses(list, shapes, 1, {1, 1}, edge), dot);
    EXPECT_EQ(FindNearestObjectOfClasses(list, shapes, 0, {1, 1}, edge), nullptr);
    EXPECT_EQ(FindNthOfClasses(list, 1, shapes, 1), b);
    EXPECT_EQ(FindNthOfClassesFromEnd(list, 0, shapes, 1), dot);
    EXPECT_EQ(FindNthOfClasses(list, 3, shapes, 1), nullptr);
}

TEST_F(ObjectModelTest, NearestFigureFiltersCornerFiguresUnlessAll) {
    CShapeObj* plain = Make({{20, 20}, {21, 20}});
    Triangle* t1 = Make<Triangle>({{5, 5}, {6, 5}, {5, 6}});
    Triangle* t2 = Make<Triangle>({{6, 5}, {5, 5}, {5, 6}});
    CObList list{MakeBase(), plain, t1, t2};
    int vertex = -1, part = -1;
    EXPECT_EQ(FindNearestFigure(list, {21, 20}, vertex, part, FigureFilter::All), plain);
    EXPECT_EQ(vertex, 1);
    // Only the triangles count; they tie at (5, 5) and the earlier one wins.
    EXPECT_EQ(FindNearestFigure(list, {0, 0}, vertex, part, FigureFilter::CornerFigures), t1);
    EXPECT_EQ(vertex, 0);
    EXPECT_EQ(FindNearestFigure(CObList{plain}, {0, 0}, vertex, part, FigureFilter::CornerFigures),
              nullptr);
    EXPECT_EQ(part, -1);
}

TEST_F(ObjectModelTest, NearestFigureExceptMovesTheExcludedObjectLast) {
    CMyObj* sheet = MakeBase();
    CShapeObj* a = Make({{10, 10}, {11, 10}});
    CShapeObj* b = Make({{13, 10}, {14, 10}});
    CShapeObj* c = Make({{10.5, 10}, {19, 19}});
    CObList list{sheet, a, b, c};
    int vertex = -1, part = -1;
    EXPECT_EQ(FindNearestFigureExcept(list, {10, 10}, vertex, part, a), c);
    EXPECT_EQ(vertex, 0);
    EXPECT_EQ(list, (CObList{sheet, b, c, a}));
    // An object the list does not hold is not slipped into it.
    CShapeObj* stranger = Make({{10, 10}, {0, 1}});
    EXPECT_EQ(FindNearestFigureExcept(list, {10, 10}, vertex, part, stranger), a);
    EXPECT_EQ(list, (CObList{sheet, b, c, a}));
}

TEST_F(ObjectModelTest, HandlesArePickedFromTheTopAndSnappingSkipsTheExcluded) {
    CMyObj* sheet = MakeBase();
    CShapeObj* under = Make({{0, 0}, {2, 0}});
    CShapeObj* over = Make({{1, 0}, {1, 2}});
    CObList list{sheet, under, over};
    int index = 42;
    EXPECT_EQ(FindHandleAt(list, {1, 0}, index), over);
    EXPECT_EQ(index, 1);
    index = 42;
    EXPECT_EQ(FindHandleAt(list, {5, 5}, index), sheet);
    EXPECT_EQ(index, 42);
    CWorldPoint p{1.1, 1.9};
    EXPECT_FALSE(SnapToAnyVertex(list, p, over));
    EXPECT_TRUE(SnapToAnyVertex(list, p, nullptr));
    EXPECT_EQ(p, CWorldPoint(1, 2));
    // Both objects have a vertex in range: the earlier object wins.
    ProgramState().params.matchDistance = 1.0;
    p = {1.5, 0.1};
    EXPECT_TRUE(SnapToAnyVertex(list, p, nullptr));
    EXPECT_EQ(p, CWorldPoint(2, 0));
    p = {1.5, 0.1};
    EXPECT_TRUE(SnapToAnyVertex(list, p, under));
    EXPECT_EQ(p, CWorldPoint(1, 0));
}

TEST_F(ObjectModelTest, DrawInRectAndListSurgery) {
    CShapeObj* left = Make({{0, 0}, {1, 1}});   // pixels 400..450
    CShapeObj* right = Make({{6, 0}, {7, 1}});  // pixels 700..750
    CObList list{MakeBase(), left, right};
    RecordingCanvas dc;
    DrawInRect(list, dc, {460, 200, 600, 400});
    EXPECT_TRUE(dc.records.empty());
    DrawInRect(list, dc, {0, 0, 452, 600});  // meets the grown rectangle only
    ASSERT_EQ(dc.records.size(), 1u);
    EXPECT_EQ(dc.records[0].points[0], (PixelPoint{450, 250}));

    CShapeObj* c = Make({{0, 0}, {3, 0}});
    CObList l{left, right, c};
    MoveToEnd(l, left);
    EXPECT_EQ(l, (CObList{right, c, left}));
    CObList other{left};
    SwapLists(l, other);
    EXPECT_EQ(other, (CObList{right, c, left}));
    RemoveAllOf(other, CObList{left, c});
    EXPECT_EQ(other, CObList{right});
    CObList clones;
    AppendClones(clones, CObList{left});
    ASSERT_EQ(clones.size(), 1u);
    static_cast<CShapeObj*>(clones[0])->m_points[1] = {9, 9};
    EXPECT_EQ(left->m_points[1], CWorldPoint(1, 1));
    DeleteAllObjects(clones);
    EXPECT_TRUE(clones.empty());
}

TEST_F(ObjectModelTest, LastObjectOfClassAndSelection) {
    auto* s = new CShapeObj(2);
    doc.AddObject(s);
    EXPECT_EQ(LastObjectOfClass(doc.Objects(), &CShapeObj::kClass), s);
    EXPECT_EQ(LastObjectOfClass(doc.Objects(), &CMyObj::kClass), nullptr);  // exact class only
    state.Select(s);
    state.Select(s);
    EXPECT_EQ(state.m_selection, CObList{s});
    EXPECT_EQ(s->m_bSelected, 1);
    state.DeselectAll();
    EXPECT_EQ(s->m_bSelected, 0);
}

// Command-line work runs with no host and a gesture without a document.
TEST(NoHostTest, FinishWithoutDocumentOrHostAddsNothing) {
    ASSERT_EQ(FindHost(), nullptr);
    CGestureState state;
    EXPECT_TRUE(ReportBadDefinition(state, nullptr, 1));
    EXPECT_EQ(state.m_nStage, 1);
    CShapeObj s(2);
    s.m_points[1] = {1, 1};
    s.Finish(state, {});
    EXPECT_EQ(s.m_pDocument, nullptr);
}

}  // namespace
}  // namespace gyr::testing

// Curve components (CompoObj): queries, listing, clones, drawing and files.

#include "figures/compo_obj.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "figures/figure_fixture.h"
#include "math/sheet_mapping.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

using Op = RecordingCanvas::Op;

class CompoObjTest : public FigureTest {
protected:
    // An open polyline (0,0)-(2,0)-(2,1) and a closed triangle further right.
    void MakeTwoComponents(CompoObj& c) {
        const CWorldPoint open[] = {{0, 0}, {2, 0}, {2, 1}};
        const CWorldPoint closed[] = {{4, -1}, {6, -1}, {5, 2}};
        ASSERT_EQ(c.AddPoints(open, 3, 0), 0);
        ASSERT_EQ(c.AddPoints(closed, 3, 1), 0);
        c.RecalcBounds();
    }
};

TEST_F(CompoObjTest, WithoutComponentsEveryQueryIsNeutral) {
    CompoObj c;
    int edge = 7;
    EXPECT_EQ(c.DistanceTo({1, 1}, edge), 1e9);
    EXPECT_EQ(c.HitTest({0, 0}), -1);
    EXPECT_EQ(c.NearestPointOn({3, 4}), CWorldPoint{});
    int index = 0;
    EXPECT_EQ(c.NearestVertex({3, 4}, index), 0.0);
    CWorldPoint v, n, p;
    EXPECT_FALSE(c.GetCorner(0, v, n, p));
    EXPECT_EQ(c.GetVertexCount(), 0);
    DataLines lines;
    EXPECT_EQ(c.ListData(lines), 3);
    EXPECT_EQ(lines[1], "Number of Compos :  0");
    EXPECT_EQ(lines[2], "Memory in bytes :  144");
}

TEST_F(CompoObjTest, ComponentsTheBoxListingAndClones) {
    CompoObj c;
    MakeTwoComponents(c);
    const CWorldPoint lone[] = {{9, 9}};
    c.AddComponent(std::make_unique<Compo>(lone, 1, 0));  // one point: never kept
    ASSERT_EQ(c.ComponentCount(), 2);
    EXPECT_EQ(c.m_leftTop, CWorldPoint(0, 2));
    EXPECT_EQ(c.m_rightBottom, CWorldPoint(6, -1));
    DataLines lines;
    EXPECT_EQ(c.ListData(lines), 5);
    EXPECT_EQ(lines[3], "Comp-1 , nPts:  3");
    EXPECT_EQ(lines[4], "Memory in bytes :  288");
    int count = 0;
    std::uint32_t closed = 0;
    ASSERT_NE(c.ComponentAt(1, count, closed), nullptr);
    EXPECT_EQ(closed, 1u);
    EXPECT_EQ(c.ComponentAt(2, count, closed), nullptr);
    Compo foreign(lone, 1, 0);  // queries answer only for the object's own components
    EXPECT_EQ(c.GetVertices(&foreign), nullptr);
}

TEST_F(CompoObjTest, HitDistanceAndNearestPointFollowEachComponent) {
    CompoObj c;
    MakeTwoComponents(c);
    // The open polyline has no closing edge (0,0)-(2,1); the triangle has one.
    EXPECT_EQ(c.HitTest({1, 0.5}), -1);
    EXPECT_EQ(c.HitTest({2, 1}), 0);  // a vertex is a body hit: curves have no handles
    EXPECT_EQ(c.HitTest({4.5, 0.5}), 0);
    int edge = 0;
    EXPECT_NEAR(c.DistanceTo({2.5, 0.5}, edge), 0.5, 1e-12);
    EXPECT_EQ(edge, 2);
    CWorldPoint q = c.NearestPointOn({3.6, 0.5});  // on the closing edge (5,2)-(4,-1)
    EXPECT_NEAR(q.x, 4.41, 1e-12);
    EXPECT_NEAR(q.y, 0.23, 1e-12);
}

TEST_F(CompoObjTest, ClosedComponentsAreFilledOpenOnesOnlyStroked) {
    CompoObj c;
    MakeTwoComponents(c);
    c.m_bBrush = 1;
    c.m_logbrush.color = 0x0000FF;
    RecordingCanvas dc;
    c.Draw(dc);
    auto polylines = dc.Of(Op::Polyline);
    auto polygons = dc.Of(Op::Polygon);
    ASSERT_EQ(polylines.size(), 1u);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polylines[0].points.front(), WorldToPixel({2, 1}));  // from last to first
    ASSERT_TRUE(polygons[0].brush.has_value());
    EXPECT_EQ(polygons[0].brush->color, 0x0000FFu);
    // Pen off: only the fill shows. Non-finite points have no pixel.
    c.m_bPen = 0;
    c.m_compos[0]->m_points[1].y = std::numeric_limits<double>::quiet_NaN();
    dc.Clear();
    c.Draw(dc);
    EXPECT_FALSE(dc.Of(Op::Polygon)[0].pen.has_value());
    EXPECT_EQ(dc.Of(Op::Polyline)[0].points.size(), 2u);
}

TEST_F(CompoObjTest, FilesKeepTheComponentsAndTheLowSixteenBitsOfTheClosedFlag) {
    CompoObj c;
    MakeTwoComponents(c);
    c.m_compos[1]->m_bClosed = 0x12345;
    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CompoObj> loaded(RoundTrip(c, &first, &second));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(first, second);
    ASSERT_EQ(loaded->ComponentCount(), 2);
    EXPECT_EQ(loaded->m_compos[1]->m_bClosed, 0x2345u);
    EXPECT_EQ(loaded->m_compos[0]->m_points, c.m_compos[0]->m_points);

    // A component list holding another class is a format error; the
    // components read before it are freed with the object (ASan checks).
    std::string name = "Compo";
    auto at = std::search(first.begin(), first.end(), name.begin(), name.end());
    while (at != first.end() && *(at + 5) == 'O')
        at = std::search(at + 1, first.end(), name.begin(), name.end());
    ASSERT_NE(at, first.end());
    std::copy_n("CAxes", 5, at);
    CArchive in(first.data(), first.size(), doc.Classes(), &doc);
    EXPECT_THROW(delete in.ReadObject(), CArchiveException);
}

}  // namespace
}  // namespace gyr::testing

// Angles and triangles as objects: the signed value, degeneracy, drawing,
// handles that keep the angle, and persistence.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "figures/angle_obj.h"
#include "figures/class_registry.h"
#include "figures/figure_fixture.h"
#include "figures/triangle_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

class AngleObjTest : public FigureTest {
protected:
    CAngle* AddAngle(CWorldPoint v0, CWorldPoint v1, CWorldPoint v2) {
        auto* a = new CAngle(v0, v1, v2);
        a->SetDocument(&doc);
        a->RecalcBounds();
        doc.AddObject(a);
        return a;
    }
};

TEST_F(AngleObjTest, ValueIsSignedAndDegeneracyFollowsTheVertices) {
    CAngle a({2, 0}, {0, 0}, {0, 3});
    EXPECT_NEAR(a.GetAngleValue(), std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(CAngle({0, 3}, {0, 0}, {2, 0}).GetAngleValue(), -std::numbers::pi / 2, 1e-12);
    EXPECT_FALSE(a.IsDegenerate());
    EXPECT_TRUE(CAngle({2, 0}, {0, 0}, {5e-9, 0}).IsDegenerate());
    EXPECT_FALSE(CAngle({0, 0}, {0, 0}, {1, 0}).IsDegenerate());  // only V1 = V2 counts

    EXPECT_FALSE(CTriangle({0, 0}, {4, 0}, {1, 1}).IsDegenerate());
    EXPECT_TRUE(CTriangle({0, 0}, {4, 0}, {0, 5e-9}).IsDegenerate());
}

TEST_F(AngleObjTest, AnAngleIsStrokedOpenFromV2ToV0WithoutFill) {
    CAngle* a = AddAngle({2, 0}, {0, 0}, {0, 2});
    a->m_bBrush = 1;
    RecordingCanvas dc;
    a->Draw(dc);
    ASSERT_EQ(dc.records.size(), 1u);
    EXPECT_EQ(dc.records[0].op, RecordingCanvas::Op::Polyline);
    EXPECT_EQ(dc.records[0].points, (std::vector<PixelPoint>{{400, 200}, {400, 300}, {500, 300}}));
}

TEST_F(AngleObjTest, CtrlHandlesKeepTheValue) {
    CAngle* a = AddAngle({2, 0}, {0, 0}, {0, 2});
    const double value = a->GetAngleValue();
    host.keysDown.insert(kKeyControl);
    a->MoveHandle(3, {1, 5});  // slides along the second arm
    ExpectNear(a->V2(), {0, 5});
    EXPECT_NEAR(a->GetAngleValue(), value, 1e-12);
    a->MoveHandle(2, {0.5, -2});  // the apex stays on the circle through the three
    CWorldPoint centre;
    double r;
    ASSERT_TRUE(CircleThrough3Points({2, 0}, {0, 0}, {0, 5}, centre, r));
    ExpectNear(a->V1(), NearestPointOnCircle({0.5, -2}, centre, r));
    EXPECT_NEAR(std::fabs(a->GetAngleValue()), std::numbers::pi / 2, 1e-9);
    // On the centre, or with collinear vertices, the apex stays.
    const CWorldPoint apex = a->V1();
    a->MoveHandle(2, centre);
    EXPECT_EQ(a->V1(), apex);
    CAngle* flat = AddAngle({-1, 0}, {0, 0}, {1, 0});
    flat->MoveHandle(2, {0, 3});
    EXPECT_EQ(flat->V1(), CWorldPoint(0, 0));
}

TEST_F(AngleObjTest, AnglesAndTrianglesRoundTripByteIdentically) {
    auto* angle = new CAngle({0.125, -3}, {7, 1e-300}, {-2, 5});
    angle->m_logpen = {kPenDot, 1, 0, 0x123456};
    auto* triangle = new CTriangle({0, 0}, {3, 0}, {1, 2});
    triangle->m_bBrush = 1;
    for (CMyObj* o : {(CMyObj*)angle, (CMyObj*)triangle}) o->RecalcBounds(), doc.AddObject(o);
    const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    CGyrDoc other{DrawingClasses()};
    other.LoadFromBytes(bytes.data(), bytes.size());
    ASSERT_EQ(other.Objects().size(), 3u);
    EXPECT_EQ(other.Objects()[1]->GetRuntimeClass(), &CAngle::kClass);
    EXPECT_EQ(other.Objects()[2]->GetRuntimeClass(), &CTriangle::kClass);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(other.Objects()[1]->GetVertices()[i], angle->GetVertices()[i]);
    EXPECT_EQ(other.SaveToBytes(), bytes);
}

}  // namespace
}  // namespace gyr::testing

// Angles and triangles as objects: the signed value, degeneracy, drawing,
// handles that keep the angle, the triangle from three elements with its
// dialogs, and persistence.

#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/angle_dialogs.h"
#include "figures/angle_obj.h"
#include "figures/figure_fixture.h"
#include "figures/triangle_obj.h"
#include "math/kernel.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

constexpr double kDeg = M_PI / 180;

void ExpectNear(const CWorldPoint& a, const CWorldPoint& b, double eps = 1e-9) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
}

class AngleObjTest : public FigureTest {
protected:
    CAngle* AddAngle(CWorldPoint v0, CWorldPoint v1, CWorldPoint v2) {
        auto* a = new CAngle(v0, v1, v2);
        a->SetDocument(&doc);
        a->RecalcBounds();
        doc.AddObject(a);
        return a;
    }
    std::vector<CTriangle*> Triangles() const {
        std::vector<CTriangle*> out;
        for (CMyObj* o : doc.Objects())
            if (o->IsTriangle()) out.push_back(static_cast<CTriangle*>(o));
        return out;
    }
};

TEST_F(AngleObjTest, ValueIsSignedAndDegeneracyFollowsTheVertices) {
    CAngle a({2, 0}, {0, 0}, {0, 3});
    EXPECT_NEAR(a.GetAngleValue(), M_PI / 2, 1e-12);
    EXPECT_NEAR(CAngle({0, 3}, {0, 0}, {2, 0}).GetAngleValue(), -M_PI / 2, 1e-12);
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
    EXPECT_NEAR(std::fabs(a->GetAngleValue()), M_PI / 2, 1e-9);
    // On the centre, or with collinear vertices, the apex stays.
    const CWorldPoint apex = a->V1();
    a->MoveHandle(2, centre);
    EXPECT_EQ(a->V1(), apex);
    CAngle* flat = AddAngle({-1, 0}, {0, 0}, {1, 0});
    flat->MoveHandle(2, {0, 3});
    EXPECT_EQ(flat->V1(), CWorldPoint(0, 0));
}

TEST_F(AngleObjTest, TriangleFromElementsInEachMode) {
    CWorldPoint q[4];
    ASSERT_EQ(TriangleFromElements(3, 4, 5, kThreeSides, q), 1);
    EXPECT_EQ(q[0], CWorldPoint(0, 0));
    EXPECT_EQ(q[1], CWorldPoint(3, 0));
    EXPECT_NEAR(Distance(q[2], q[0]), 5, 1e-9);
    EXPECT_NEAR(Distance(q[2], q[1]), 4, 1e-9);
    EXPECT_EQ(TriangleFromElements(1, 1, 2, kThreeSides, q), 0);  // touching circles
    ASSERT_EQ(TriangleFromElements(3, 2, M_PI / 2, kTwoSidesAngle, q), 1);
    ExpectNear(q[2], {0, 2});
    EXPECT_EQ(TriangleFromElements(2, M_PI / 2, M_PI / 2, kTwoAnglesSide, q), 0);  // parallel

    // A = 30 degrees, b = 2: a = 1.5 cuts the line twice, a = 1 touches it.
    EXPECT_EQ(TriangleFromElements(30 * kDeg, 2, 1.5, kAmbiguous, q), 2);
    EXPECT_EQ(TriangleFromElements(30 * kDeg, 2, 1, kAmbiguous, q), 1);
    EXPECT_EQ(TriangleFromElements(30 * kDeg, 2, 0.5, kAmbiguous, q), 0);
}

TEST_F(AngleObjTest, ElementsMakeOneTriangleOrTwoInTheAmbiguousCase) {
    CAngleSettings& s = ProgramState().angles;
    s.triangleMode = kAmbiguous;
    s.triangleElements[0] = 30 * kDeg;
    s.triangleElements[1] = 2;
    s.triangleElements[2] = 1.5;
    EXPECT_EQ(MakeTrianglesFromElements(), 2);
    auto t = Triangles();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0]->GetVertices()[0], t[1]->GetVertices()[0]);
    EXPECT_EQ(t[0]->GetVertices()[1], t[1]->GetVertices()[1]);
    EXPECT_NE(t[0]->GetVertices()[2], t[1]->GetVertices()[2]);

    // Touching: one triangle, never a second one on a point never computed.
    s.triangleElements[2] = 1;
    EXPECT_EQ(MakeTrianglesFromElements(), 1);
    EXPECT_EQ(Triangles().size(), 3u);
    s.triangleElements[2] = 0.5;
    EXPECT_EQ(MakeTrianglesFromElements(), 0);
    EXPECT_EQ(Triangles().size(), 3u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(AngleObjTest, FixedAngleDialogUpdatesWhileTypingAndStoresOnOkOnly) {
    CFixedAngleDialogModel model;
    using M = CFixedAngleDialogModel;
    EXPECT_EQ(model.Find(M::kValueField)->text, "pi/6");
    model.Type(M::kValueField, "pi/4");
    model.Type(M::kValueField, "pi/");  // half typed: the value stays
    EXPECT_NEAR(model.Value(), M_PI / 4, 1e-15);
    model.Check(M::kDegreesRadio, true);
    EXPECT_EQ(model.Find(M::kValueField)->text, "45:0:0");
    model.Type(M::kValueField, "36:0:0");
    EXPECT_EQ(model.Denominator(), 5);
    model.Check(M::kRadiansRadio, true);
    EXPECT_EQ(model.Find(M::kValueField)->text, "0.628319");
    model.Type(M::kValueField, "0.5");
    EXPECT_EQ(model.Denominator(), 0);
    EXPECT_NEAR(ProgramState().angles.fixedAngle, M_PI / 6, 1e-15);  // not yet stored

    ASSERT_TRUE(model.Ok(host));
    EXPECT_EQ(ProgramState().angles.fixedAngle, 0.5);
    EXPECT_EQ(ProgramState().angles.fixedEntryMode, kFixedRadians);
}

TEST_F(AngleObjTest, TriangleDialogShowsAndReadsTheElements) {
    using M = CTriangleDialogModel;
    CAngleSettings& s = ProgramState().angles;
    s.triangleMode = kTwoSidesAngle;
    s.triangleDegrees = 1;
    s.triangleElements[0] = 3;
    s.triangleElements[1] = 4.126;
    s.triangleElements[2] = 30.5 * kDeg;
    M model;
    EXPECT_TRUE(model.Find(M::kFirstModeRadio + 1)->checked);
    EXPECT_EQ(model.Find(M::kField2)->text, "4.13");
    EXPECT_EQ(model.Find(M::kField3)->text, "30:30:0");

    model.Check(M::kFirstModeRadio + 3, true);
    EXPECT_EQ(model.Find(M::kLabel3)->label, "Side a:");
    model.Type(M::kField1, "30:0:0");
    model.Type(M::kField2, "2");
    model.Type(M::kField3, "junk");
    ASSERT_TRUE(model.Ok(host));
    EXPECT_EQ(s.triangleMode, kAmbiguous);
    EXPECT_NEAR(s.triangleElements[0], 30 * kDeg, 1e-15);
    EXPECT_EQ(s.triangleElements[2], 0);
}

TEST_F(AngleObjTest, AnglesAndTrianglesRoundTripByteIdentically) {
    auto* angle = new CAngle({0.125, -3}, {7, 1e-300}, {-2, 5});
    angle->m_logpen = {kPenDot, 1, 0, 0x123456};
    auto* triangle = new CTriangle({0, 0}, {3, 0}, {1, 2});
    triangle->m_bBrush = 1;
    for (CMyObj* o : {(CMyObj*)angle, (CMyObj*)triangle}) o->RecalcBounds(), doc.AddObject(o);
    const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    CGyrDoc other;
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

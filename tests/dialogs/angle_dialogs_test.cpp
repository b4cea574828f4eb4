// The triangle from three elements and the two dialogs of the angle tools.

#include "dialogs/angle_dialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "figures/figure_fixture.h"
#include "figures/triangle_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr::testing {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

class AngleDialogTest : public FigureTest {
protected:
    std::vector<CTriangle*> Triangles() const {
        std::vector<CTriangle*> out;
        for (CMyObj* o : doc.Objects())
            if (o->IsTriangle()) out.push_back(static_cast<CTriangle*>(o));
        return out;
    }
};

TEST_F(AngleDialogTest, TriangleFromElementsInEachMode) {
    CWorldPoint q[4];
    ASSERT_EQ(TriangleFromElements(3, 4, 5, kThreeSides, q), 1);
    EXPECT_EQ(q[0], CWorldPoint(0, 0));
    EXPECT_EQ(q[1], CWorldPoint(3, 0));
    EXPECT_NEAR(Distance(q[2], q[0]), 5, 1e-9);
    EXPECT_NEAR(Distance(q[2], q[1]), 4, 1e-9);
    EXPECT_EQ(TriangleFromElements(1, 1, 2, kThreeSides, q), 0);  // touching circles
    ASSERT_EQ(TriangleFromElements(3, 2, std::numbers::pi / 2, kTwoSidesAngle, q), 1);
    ExpectNear(q[2], {0, 2});
    EXPECT_EQ(
        TriangleFromElements(2, std::numbers::pi / 2, std::numbers::pi / 2, kTwoAnglesSide, q),
        0);  // parallel

    // A = 30 degrees, b = 2: a = 1.5 cuts the line twice, a = 1 touches it.
    EXPECT_EQ(TriangleFromElements(30 * kDeg, 2, 1.5, kAmbiguous, q), 2);
    EXPECT_EQ(TriangleFromElements(30 * kDeg, 2, 1, kAmbiguous, q), 1);
    EXPECT_EQ(TriangleFromElements(30 * kDeg, 2, 0.5, kAmbiguous, q), 0);
}

TEST_F(AngleDialogTest, ElementsMakeOneTriangleOrTwoInTheAmbiguousCase) {
    CAngleSettings& s = ProgramState().angles;
    s.triangleMode = kAmbiguous;
    s.triangleElements[0] = 30 * kDeg;
    s.triangleElements[1] = 2;
    s.triangleElements[2] = 1.5;
    EXPECT_EQ(MakeTrianglesFromElements(state), 2);
    auto t = Triangles();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0]->GetVertices()[0], t[1]->GetVertices()[0]);
    EXPECT_EQ(t[0]->GetVertices()[1], t[1]->GetVertices()[1]);
    EXPECT_NE(t[0]->GetVertices()[2], t[1]->GetVertices()[2]);

    // Touching: one triangle, never a second one on a point never computed.
    s.triangleElements[2] = 1;
    EXPECT_EQ(MakeTrianglesFromElements(state), 1);
    EXPECT_EQ(Triangles().size(), 3u);
    s.triangleElements[2] = 0.5;
    EXPECT_EQ(MakeTrianglesFromElements(state), 0);
    EXPECT_EQ(Triangles().size(), 3u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(AngleDialogTest, FixedAngleDialogUpdatesWhileTypingAndStoresOnOkOnly) {
    CFixedAngleDialogModel model;
    using M = CFixedAngleDialogModel;
    EXPECT_EQ(model.Find(M::kValueField)->text, "pi/6");
    model.Type(M::kValueField, "pi/4");
    model.Type(M::kValueField, "pi/");  // half typed: the value stays
    EXPECT_NEAR(model.Value(), std::numbers::pi / 4, 1e-15);
    model.Check(M::kDegreesRadio, true);
    EXPECT_EQ(model.Find(M::kValueField)->text, "45:0:0");
    model.Type(M::kValueField, "36:0:0");
    EXPECT_EQ(model.Denominator(), 5);
    model.Check(M::kRadiansRadio, true);
    EXPECT_EQ(model.Find(M::kValueField)->text, "0.628319");
    model.Type(M::kValueField, "0.5");
    EXPECT_EQ(model.Denominator(), 0);
    EXPECT_NEAR(ProgramState().angles.fixedAngle, std::numbers::pi / 6, 1e-15);  // not yet stored

    ASSERT_TRUE(model.Ok(host));
    EXPECT_EQ(ProgramState().angles.fixedAngle, 0.5);
    EXPECT_EQ(ProgramState().angles.fixedEntryMode, kFixedRadians);
}

TEST_F(AngleDialogTest, TriangleDialogShowsAndReadsTheElements) {
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

TEST_F(AngleDialogTest, TriangleDialogKeepsEachFieldInItsOwnKindAndSize) {
    using M = CTriangleDialogModel;
    CAngleSettings& s = ProgramState().angles;
    s.triangleMode = kTwoAnglesSide;  // a, B, C
    s.triangleDegrees = 1;
    s.triangleElements[0] = 1e300;
    s.triangleElements[1] = 60 * kDeg;
    s.triangleElements[2] = 50 * kDeg;
    M model;
    // Ten significant digits at most, never a 301-digit number.
    EXPECT_EQ(model.Find(M::kField1)->text, "1e+300");
    EXPECT_EQ(model.Find(M::kField2)->text, "60:0:0");

    // a, b, C: the second field turns from an angle into a side and is
    // emptied; the others keep their kind and their text.
    model.Check(M::kFirstModeRadio + int(kTwoSidesAngle), true);
    EXPECT_EQ(model.Find(M::kLabel2)->label, "Side b:");
    EXPECT_EQ(model.Find(M::kField2)->text, "");
    EXPECT_EQ(model.Find(M::kField3)->text, "50:0:0");
    // The degrees check rewrites the angles in radians and back.
    model.Check(M::kDegreesCheck, false);
    EXPECT_EQ(model.Find(M::kField3)->text, "0.872665");
    model.Check(M::kDegreesCheck, true);
    EXPECT_EQ(model.Find(M::kField3)->text, "50:0:0");

    // Sides beyond a million are refused with the range message.
    model.Type(M::kField1, "2e6");
    model.Type(M::kField2, "3");
    EXPECT_FALSE(model.Ok(host));
    EXPECT_EQ(host.LastMessage(), "Please enter a number between 0 and 1000000.");
    EXPECT_EQ(model.RefusedField(), M::kField1);
    EXPECT_NE(s.triangleMode, kTwoSidesAngle);
    model.Type(M::kField1, "1e6");
    EXPECT_TRUE(model.Ok(host));
    EXPECT_EQ(s.triangleElements[0], 1e6);
    EXPECT_NEAR(s.triangleElements[2], 50 * kDeg, 1e-9);
}

}  // namespace
}  // namespace gyr::testing

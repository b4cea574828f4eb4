// The angle and triangle tools driven through the view controller: the
// two-stage tools with their modifiers, the bad-definition restart, the
// fixed angle, angle division, F8/F9 and the two dialog commands.

#include <gtest/gtest.h>

#include <cmath>

#include "doc/angle_obj.h"
#include "doc/triangle_obj.h"
#include "geom/kernel.h"
#include "ui/view_fixture.h"

namespace gyr::testing {
namespace {

constexpr int kStartWithSide = 33051;
constexpr int kViewingSegment = 33052;
constexpr int kFixedAngle = 33053;
constexpr int kFixedAngleDialog = 33054;
constexpr int kDivideAngle = 33055;
constexpr int kGeneralTriangle = 33151;
constexpr int kTriangleDialog = 33152;

void ExpectNear(const CWorldPoint& a, const CWorldPoint& b, double eps = 1e-9) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
}

class AngleToolTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        // Only this family: the others' commands stay as their tests expect.
        RegisterAngleTools();
        RegisterAngleTools();  // twice changes nothing
    }

    // Stage 0: the first side as a segment; stage 1: a drag from `from`
    // to `to` shapes the figure.
    void TwoStages(int command, CWorldPoint a, CWorldPoint b, CWorldPoint from, CWorldPoint to,
                   unsigned flags = 0) {
        ASSERT_TRUE(view.OnCommand(command));
        Drag(Px(a.x, a.y), Px(b.x, b.y));
        ASSERT_EQ(view.m_nStage, 1);
        Drag(Px(from.x, from.y), Px(to.x, to.y), flags);
    }

    std::size_t Figures() const { return doc.Objects().size() - 1; }
    CMyObj* Last() const { return doc.Objects().back(); }
    const CWorldPoint* LastVertices() const { return Last()->GetVertices(); }
};

TEST_F(AngleToolTest, StartWithSideTakesTheSegmentAsFirstArm) {
    TwoStages(kStartWithSide, {0, 0}, {2, 0}, {3, 3}, {2, 2});
    ASSERT_EQ(Figures(), 1u);
    ASSERT_TRUE(Last()->IsAngle());
    ExpectNear(LastVertices()[0], {0, 0});
    ExpectNear(LastVertices()[1], {2, 0});
    ExpectNear(LastVertices()[2], {2, 2});
    EXPECT_EQ(view.m_nStage, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(AngleToolTest, ViewingASegmentMovesTheApexAndCtrlMakesItRight) {
    TwoStages(kViewingSegment, {-2, 0}, {2, 0}, {1, 3}, {1, 3});
    ASSERT_TRUE(Last()->IsAngle());
    ExpectNear(LastVertices()[0], {-2, 0});
    ExpectNear(LastVertices()[1], {1, 3});
    ExpectNear(LastVertices()[2], {2, 0});

    TwoStages(kViewingSegment, {-2, 0}, {2, 0}, {1, 3}, {1, 3}, kMkControl);
    auto* right = static_cast<CAngle*>(Last());
    EXPECT_EQ(Figures(), 2u);
    EXPECT_NEAR(Norm(right->V1()), 2, 1e-9);
    EXPECT_NEAR(std::fabs(right->GetAngleValue()), M_PI / 2, 1e-9);
}

TEST_F(AngleToolTest, FixedAngleTurnsTheSecondArmByTheSetting) {
    ASSERT_TRUE(view.OnCommand(kFixedAngle));
    Drag(Px(0, 0), Px(2, 0));
    ASSERT_EQ(Figures(), 1u);
    auto* a = static_cast<CAngle*>(Last());
    ExpectNear(a->V1(), {0, 0});
    ExpectNear(a->V0(), {2, 0});
    EXPECT_NEAR(a->GetAngleValue(), M_PI / 6, 1e-12);

    Drag(Px(0, 0), Px(2, 0), kMkShift);
    ExpectNear(static_cast<CAngle*>(Last())->V2(), {0, 2});
    Drag(Px(0, 0), Px(2, 0), kMkShift | kMkControl);
    ExpectNear(static_cast<CAngle*>(Last())->V2(), {0, -2});
    Click(Px(1, 1));  // no drag: nothing
    EXPECT_EQ(Figures(), 3u);
}

TEST_F(AngleToolTest, TriangleToolWithShiftAndCtrl) {
    TwoStages(kGeneralTriangle, {0, 0}, {4, 0}, {1, 3}, {1, 3});
    ASSERT_TRUE(Last()->IsTriangle());
    ExpectNear(LastVertices()[2], {1, 3});

    TwoStages(kGeneralTriangle, {0, 0}, {4, 0}, {1, 3}, {1, 3}, kMkShift);
    ExpectNear(LastVertices()[2], {2, 3});  // isosceles at V2

    TwoStages(kGeneralTriangle, {0, 0}, {4, 0}, {1, 3}, {1, 3}, kMkControl);
    EXPECT_NEAR(Distance(LastVertices()[2], {2, 0}), 2, 1e-9);  // right angle at V2
    EXPECT_EQ(Figures(), 3u);
    EXPECT_EQ(view.m_nStage, 0);
}

TEST_F(AngleToolTest, SecondStageWithoutASegmentReportsAndRestarts) {
    for (int command : {kStartWithSide, kViewingSegment, kGeneralTriangle}) {
        host.Clear();
        ASSERT_TRUE(view.OnCommand(command));
        Click(Px(1, 1));  // a side of no length is dropped
        ASSERT_EQ(view.m_nStage, 1);
        const std::size_t before = Figures();
        Drag(Px(3, 3), Px(4, 4));
        EXPECT_EQ(Figures(), before);
        ASSERT_EQ(host.messages.size(), 1u) << command;
        EXPECT_EQ(host.LastMessage(), kBadDefinitionMessage);
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(view.m_nStage, 0);
    }
    // A segment that is not the last object does not count either.
    ASSERT_TRUE(view.OnCommand(kStartWithSide));
    Drag(Px(0, 0), Px(2, 0));
    AddTriangle({5, 5}, {6, 5}, {5, 6});
    host.Clear();
    Drag(Px(3, 3), Px(4, 4));
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(Last()->IsTriangle());
}

TEST_F(AngleToolTest, DivideAnglePicksAnAngleOrACorner) {
    ASSERT_TRUE(view.OnCommand(kDivideAngle));
    Add(new CAngle({2, 0}, {0, 0}, {0, 4}));
    Click(Px(0.02, 0.02));
    ASSERT_EQ(Figures(), 2u);  // two parts by default: the bisector
    ASSERT_TRUE(Last()->IsSegment());
    ExpectNear(LastVertices()[0], {0, 0});
    ExpectNear(LastVertices()[1], {std::sqrt(2.0), std::sqrt(2.0)});

    ProgramState().params.divideAngleParts = 3;
    AddTriangle({-4, -4}, {-2, -4}, {-4, -2});
    Click(Px(-4, -4));
    EXPECT_EQ(Figures(), 5u);
    EXPECT_EQ(host.beeps, 0);

    Click(Px(6, -5));  // nothing there
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(Figures(), 5u);
}

TEST_F(AngleToolTest, F8AndF9CopyTheSelectedAngle) {
    auto* a = Add(new CAngle({2, 0}, {0, 0}, {0, 2}));
    EXPECT_TRUE(view.OnKeyDown(kKeyF8, 0));
    EXPECT_EQ(host.beeps, 1);  // nothing selected
    view.Select(a);
    view.OnKeyDown(kKeyF9, 0);  // adjacent beyond the second arm
    ASSERT_EQ(Figures(), 2u);
    ExpectNear(LastVertices()[2], {-2, 0});
    EXPECT_EQ(view.m_selection, CObList{Last()});
    view.OnKeyDown(kKeyF8, kMkControl);  // supplementary: second arm reversed
    ExpectNear(LastVertices()[2], {2, 0});
    view.OnKeyDown(kKeyF9, kMkControl);  // supplementary: on the reversed first arm
    ExpectNear(LastVertices()[0], {2, 0});
    ExpectNear(LastVertices()[2], {0, -2});
    EXPECT_EQ(Figures(), 4u);
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(AngleToolTest, DialogCommandsStoreTheFixedAngleAndBuildTriangles) {
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Check(1010, true);
        m.Type(1000, "45:0:0");
        return true;
    });
    EXPECT_TRUE(view.OnCommand(kFixedAngleDialog));
    EXPECT_EQ(host.dialogTitles.back(), "Set value for fixed angle");
    EXPECT_NEAR(ProgramState().angles.fixedAngle, M_PI / 4, 1e-15);
    EXPECT_EQ(ProgramState().angles.fixedDenominator, 4);
    EXPECT_EQ(ProgramState().angles.fixedEntryMode, 0);

    host.dialogScripts.push_back([](DialogModel& m) {
        m.Check(1035, true);
        m.Check(1036, true);
        m.Type(1000, "0:0:0");
        m.Type(1001, "60:0:0");
        m.Type(1002, "60:0:0");
        return true;
    });
    EXPECT_TRUE(view.OnCommand(kTriangleDialog));
    ASSERT_EQ(Figures(), 1u);
    ASSERT_TRUE(Last()->IsTriangle());
    ExpectNear(LastVertices()[2], {1.5, 1.5 * std::sqrt(3.0)});               // equilateral
    EXPECT_NEAR(ProgramState().angles.triangleElements[0], M_PI / 3, 1e-12);  // A filled in

    EXPECT_TRUE(view.OnCommand(kTriangleDialog));  // cancelled: nothing
    EXPECT_EQ(Figures(), 1u);
}

}  // namespace
}  // namespace gyr::testing

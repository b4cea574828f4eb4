// The isoptic tools through the controller: define through ABCD with its
// bad-definition path, the singular tool with and without Ctrl, the picks
// through two segments and through an angle, and the menu rows' state.

#include <gtest/gtest.h>

#include "control/command_table.h"
#include "control/view_fixture.h"
#include "figures/angle_obj.h"
#include "figures/isoptic_obj.h"
#include "math/expect_near.h"

namespace gyr::testing {
namespace {

class IsopticViewTest : public ViewTest {
protected:
    std::size_t Figures() const { return doc.Objects().size() - 1; }
    CMyObj* Last() const { return doc.Objects().back(); }
    CAngle* AddAngle(CWorldPoint v0, CWorldPoint v1, CWorldPoint v2) {
        return Add(new CAngle(v0, v1, v2));
    }
};

TEST_F(IsopticViewTest, EveryIsopticRowOfThisFamilyIsAvailable) {
    for (int id : {ID_ISOPTIC_ABCD, ID_ISOPTIC_SEGMENTS, ID_ISOPTIC_ANGLE, ID_ISOPTIC_SINGULAR,
                   ID_ISOPTIC_CONSTANTS, ID_HALF_COMPONENT_PTS}) {
        SCOPED_TRACE(id);
        const CommandEntry* cmd = FindCommand(id);
        ASSERT_NE(cmd, nullptr);
        EXPECT_TRUE(IsCommandAvailable(*cmd));
    }
}

TEST_F(IsopticViewTest, DefineThroughABCDTwoDragsMakeOneCubicAClickRestarts) {
    view.OnCommand(ID_ISOPTIC_ABCD);
    Drag(Px(-3, -1), Px(-2, 1));
    EXPECT_EQ(state.m_nStage, 1);
    Drag(Px(0, -2), Px(-1, -2));
    EXPECT_EQ(state.m_nStage, 0);
    ASSERT_EQ(Figures(), 3u);
    EXPECT_TRUE(doc.Objects()[1]->IsSegment());
    EXPECT_TRUE(doc.Objects()[2]->IsSegment());
    ASSERT_EQ(Last()->GetRuntimeClass(), &CIsopticTwo::kClass);
    ExpectNear(static_cast<CIsoptic*>(Last())->m_origin, {-0.5, -1});
    EXPECT_FALSE(Invalidated().IsEmpty());
    EXPECT_TRUE(doc.IsModified());

    // A click leaves no first segment: the message, and no cubic.
    host.Clear();
    Click(Px(3, 3));
    EXPECT_EQ(Figures(), 3u);
    Drag(Px(4, 4), Px(5, 2));
    EXPECT_EQ(host.LastMessage(), kBadDefinitionMessage);
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_EQ(Figures(), 3u);

    // Collinear ends: a degenerate cubic, a line and a circle.
    Drag(Px(-6, -4), Px(-5, -4));
    Drag(Px(-4, -4), Px(-1, -4));
    ASSERT_EQ(Figures(), 6u);
    EXPECT_TRUE(Last()->IsDegenerateIsoptic());
}

TEST_F(IsopticViewTest, SingularToolBuildsTheCubicOfTheDrawnAngle) {
    view.OnCommand(ID_ISOPTIC_SINGULAR);
    Drag(Px(3, 0), Px(0, 0));
    EXPECT_EQ(state.m_nStage, 1);
    Drag(Px(0, 0), Px(1, 2));
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_EQ(state.m_nToolCode, kCodeIsopticSingular);
    ASSERT_EQ(Last()->GetIsopticVariant(), IsopticVariant::Singular);
    ExpectNear(static_cast<CIsoptic*>(Last())->m_origin, {1.2, 0.9}, 1e-9);
    EXPECT_TRUE(doc.Objects()[doc.Objects().size() - 2]->IsAngle());

    // With Ctrl at the second press the angle tool's variant draws it.
    const std::size_t before = Figures();
    Drag(Px(-3, 0), Px(-5, 0));
    Press(Px(-5, 0), kMkControl);
    EXPECT_EQ(state.m_nToolCode, kCodeViewingSegment);
    Move(Px(-4, 2), kMkControl);
    Release(Px(-4, 2), kMkControl);
    EXPECT_EQ(state.m_nToolCode, kCodeIsopticSingular);
    EXPECT_EQ(state.m_nStage, 0);
    ASSERT_EQ(Figures(), before + 2);
    EXPECT_EQ(Last()->GetIsopticVariant(), IsopticVariant::Singular);
    // The apex kept on the circle over the first segment: a right angle.
    const CWorldPoint* v = doc.Objects()[doc.Objects().size() - 2]->GetVertices();
    EXPECT_NEAR((v[0] - v[1]).Dot(v[2] - v[1]), 0, 1e-9);
}

TEST_F(IsopticViewTest, PicksThroughTwoSegmentsAndThroughAnAngle) {
    CSegmentObj* ab = AddSegment({-3, -1}, {-2, 1});
    CSegmentObj* cd = AddSegment({0, -2}, {-1, -2});
    view.OnCommand(ID_ISOPTIC_SEGMENTS);
    Click(Px(-2.5, 0));
    EXPECT_EQ(state.m_nStage, 1);
    // The same segment again beeps.
    Click(Px(-2.5, 0));
    EXPECT_EQ(host.beeps, 1);
    Click(Px(-0.5, -2));
    EXPECT_EQ(state.m_nStage, 0);
    ASSERT_EQ(Figures(), 3u);
    auto* cubic = static_cast<CIsoptic*>(Last());
    EXPECT_EQ(cubic->GetRuntimeClass(), &CIsopticTwo::kClass);
    ExpectNear(cubic->m_pts[0], ab->P0());
    ExpectNear(cubic->m_pts[3], cd->P1());

    AddAngle({3, 0}, {0, 0}, {1, 2});
    view.OnCommand(ID_ISOPTIC_ANGLE);
    host.Clear();
    Click(Px(5, -5));  // nothing there
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(Figures(), 4u);
    Click(Px(2, 0));
    ASSERT_EQ(Figures(), 5u);
    EXPECT_EQ(Last()->GetIsopticVariant(), IsopticVariant::Singular);
    ExpectNear(static_cast<CIsoptic*>(Last())->m_origin, {1.2, 0.9}, 1e-9);
}

}  // namespace
}  // namespace gyr::testing

// The pick test table and the pick rules driven by clicks: class filters,
// stages, distinct picks, constructions, beeps; the angle and triangle tools.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "control/pick_rules.h"
#include "control/view_fixture.h"
#include "figures/angle_obj.h"
#include "figures/circle_obj.h"
#include "figures/triangle_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr::testing {
namespace {

TEST(PickTestTable, SpotChecks) {
    struct Case {
        int kind, code, stage;
        bool picks;
    } cases[] = {
        {kToolSegment, kCodeDivideInParts, 0, true},
        {kToolSegment, kCodeDivideInParts, 1, false},
        {kToolSegment, kCodePlain, 0, false},
        {kToolCircle, kCodeTangentTo2Through1, 1, true},
        {kToolCircle, kCodeTangentTo2Through1, 2, false},
        {kToolReflect, kCodePlain, 9, true},
        {kToolIsoptic, kCodeAngleAnimation, 0, true},
        {kToolIsoptic, kCodeAngleAnimation, 1, false},
        {kToolPictBmp, kCodePlain, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PickTest(c.kind, c.code, c.stage), c.picks)
            << c.kind << "/" << c.code << " stage " << c.stage;
}

// What a construction saw when the rule ran it.
struct Seen {
    int calls = 0;
    CMyObj *first = nullptr, *second = nullptr, *picked = nullptr;
    int part = 0;
    bool answer = true;
};
Seen g_seen;
bool Record(CGestureState& state, unsigned, const CWorldPoint&) {
    ++g_seen.calls;
    g_seen.first = state.m_pFirstPicked;
    g_seen.second = state.m_pSecondPicked;
    g_seen.picked = state.m_pPicked;
    g_seen.part = state.m_nPart;
    return g_seen.answer;
}

class PickTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        g_seen = {};
    }
    // The table's rule of the tool, running Record as its construction.
    static PickRule Recording(int kind, int code) {
        PickRule rule = *FindPickRule(kind, code);
        rule.construct = &Record;
        return rule;
    }
    CCircleObj* AddCircle(CWorldPoint c, double r) { return Add(new CCircleObj(c, r)); }
    // A point of the circle away from its handles.
    static CWorldPoint Top(const CCircleObj* c) {
        return {c->Centre().x, c->Centre().y + c->m_radius};
    }
    static PixelPoint TopPx(const CCircleObj* c) { return Px(Top(c).x, Top(c).y); }
    void ExpectStage(int stage, int beeps) {
        EXPECT_EQ(state.m_nStage, stage);
        EXPECT_EQ(host.beeps, beeps);
    }
};

TEST_F(PickTest, OrthogonalBesideEverySegmentBeepsAndKeepsStageZero) {
    CSegmentObj* s1 = AddSegment({0, 0}, {2, 0});
    AddSegment({0, 2}, {2, 2});
    AddShape2({0, -2}, {2, -2});  // hit like a segment, but is none
    view.OnCommand(ID_ORTHOGONAL_TOOL);
    Click(Px(1, 1));
    ExpectStage(0, 1);
    Click(Px(1, -2));
    ExpectStage(0, 2);
    EXPECT_TRUE(view.IsPickMode());

    Click(Px(1, 0));
    ExpectStage(1, 2);
    EXPECT_EQ(state.m_pPicked, s1);
    EXPECT_EQ(state.m_nPart, 1);
    EXPECT_FALSE(view.IsPickMode());  // the next press draws
    Press(Px(1, 1));
    EXPECT_EQ(view.m_nDragState, kDragDrawing);
    Release(Px(1, 1));
}

TEST_F(PickTest, PickingByAnEndPointNeitherDragsNorSnapsIt) {
    CSegmentObj* s = AddSegment({0, 0}, {2, 0});
    AddSegment({2.1, 0.1}, {3, 3});
    view.OnCommand(ID_SEGMENT_ORTHOGONAL);
    Press(Px(2, 0));
    Move(Px(2.04, 0.04));
    Release(Px(2, 0));
    EXPECT_EQ(s->P1(), (CWorldPoint{2, 0}));
    EXPECT_EQ(state.m_nStage, 1);
    EXPECT_EQ(state.m_pPicked, s);
}

TEST_F(PickTest, ThreePicksReachTheConstructionInOrderAFailureBeeps) {
    const PickRule rule = Recording(kToolCircle, kCodeTangentTo3);
    CCircleObj* a = AddCircle({-3, 0}, 1);
    CSegmentObj* b = AddSegment({0, -1}, {0, 3});
    CCircleObj* c = AddCircle({3, 0}, 1);
    ApplyPickRule(state, rule, 0, Top(a));
    ApplyPickRule(state, rule, 0, {0, 1});
    ExpectStage(2, 0);
    EXPECT_EQ(g_seen.calls, 0);
    ApplyPickRule(state, rule, 0, Top(c));
    EXPECT_EQ(g_seen.calls, 1);
    EXPECT_EQ(g_seen.first, a);
    EXPECT_EQ(g_seen.second, b);
    EXPECT_EQ(g_seen.picked, c);
    ExpectStage(0, 0);
    // No solution: a beep, and the construction starts over.
    g_seen.answer = false;
    for (const CCircleObj* at : {a, c, a}) ApplyPickRule(state, rule, 0, Top(at));
    EXPECT_EQ(g_seen.calls, 2);
    ExpectStage(0, 1);

    // Through the view the table's rule picks the same way; no circle touches
    // a line and two circles on both sides of it, so the third pick beeps.
    view.OnCommand(ID_CIRCLE_TANGENT_3);
    Click(TopPx(a));
    Click(Px(0, 1));
    ExpectStage(2, 1);
    const std::size_t before = doc.Objects().size();
    Click(TopPx(c));
    ExpectStage(0, 2);
    EXPECT_EQ(doc.Objects().size(), before);
}

TEST_F(PickTest, ClassFiltersForTrianglesCirclesAndCorners) {
    TestTriangle* t = AddTriangle({0, 0}, {4, 0}, {0, 3});
    CSegmentObj* s = AddSegment({-4, -4}, {-2, -4});
    CCircleObj* c = AddCircle({3, 4}, 1);
    view.OnCommand(ID_TRIANGLE_INSCRIBED);  // a triangle element needs a triangle
    Click(Px(-3, -4));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(state.m_selection, CObList{s});
    EXPECT_EQ(state.m_pPicked, nullptr);
    ApplyPickRule(state, Recording(kToolTriangle, kCodeInscribedCircles), 0, {2, 0});
    EXPECT_EQ(g_seen.calls, 1);
    EXPECT_EQ(g_seen.picked, t);
    EXPECT_EQ(g_seen.part, 1);

    state.DeselectAll();
    ApplyPickRule(state, Recording(kToolAngle, kCodeDivideAngle), 0, {4, 0});
    EXPECT_EQ(g_seen.calls, 2);
    EXPECT_EQ(g_seen.part, 1);               // the vertex index
    view.OnCommand(ID_ANGLE_DIVISION_TOOL);  // finds its corner without a selection
    Click(Px(6, -5));
    ExpectStage(0, 2);

    view.OnCommand(ID_INVERT_TOOL);  // inversion needs a circle first
    Click(Px(-3, -4));
    ExpectStage(0, 3);
    Click(TopPx(c));
    EXPECT_EQ(state.m_nStage, 1);
    EXPECT_EQ(state.m_pPicked, c);

    EXPECT_FALSE(MatchesPickClasses(s, kPickIsopticOne | kPickIsopticTwo | kPickCircle));
}

TEST_F(PickTest, APickTakenAwayBetweenClicksIsNotUsed) {
    const PickRule rule = Recording(kToolCircle, kCodeRadicalAxis);
    CCircleObj* a = AddCircle({-3, 0}, 1);
    CCircleObj* b = AddCircle({3, 0}, 1);
    ApplyPickRule(state, rule, 0, Top(a));
    ASSERT_EQ(state.m_nStage, 1);
    doc.RemoveObject(a);
    EXPECT_EQ(state.m_pFirstPicked, nullptr);
    ApplyPickRule(state, rule, 0, Top(b));
    EXPECT_EQ(g_seen.calls, 0);
    ExpectStage(0, 1);
}

// The angle and triangle tools: the two-stage tools with their modifiers,
// the bad-definition restart, the fixed angle, angle division.

class AngleToolTest : public ViewTest {
protected:
    // Stage 0: the first side a-b; stage 1: a drag from `from` to `to`.
    void TwoStages(int command, CWorldPoint a, CWorldPoint b, CWorldPoint from, CWorldPoint to,
                   unsigned flags = 0) {
        ASSERT_TRUE(view.OnCommand(command));
        Drag(Px(a.x, a.y), Px(b.x, b.y));
        ASSERT_EQ(state.m_nStage, 1);
        Drag(Px(from.x, from.y), Px(to.x, to.y), flags);
    }
    std::size_t Figures() const { return doc.Objects().size() - 1; }
    CMyObj* Last() const { return doc.Objects().back(); }
    CWorldPoint V(int i) const { return Last()->GetVertices()[i]; }
};

TEST_F(AngleToolTest, TwoStageAngleAndTriangleToolsWithModifiers) {
    TwoStages(ID_ANGLE_FROM_SIDE, {0, 0}, {2, 0}, {3, 3}, {2, 2});
    ASSERT_TRUE(Last()->IsAngle());
    ExpectNear(V(0), {0, 0});
    ExpectNear(V(1), {2, 0});
    ExpectNear(V(2), {2, 2});
    EXPECT_EQ(state.m_nStage, 0);

    TwoStages(ID_ANGLE_VIEWING, {-2, 0}, {2, 0}, {1, 3}, {1, 3}, kMkControl);
    EXPECT_NEAR(std::fabs(static_cast<CAngle*>(Last())->GetAngleValue()), std::numbers::pi / 2,
                1e-9);

    // The fixed angle turns the second arm by the setting.
    ASSERT_TRUE(view.OnCommand(ID_ANGLE_FIXED));
    Drag(Px(0, 0), Px(2, 0));
    EXPECT_NEAR(static_cast<CAngle*>(Last())->GetAngleValue(), std::numbers::pi / 6, 1e-12);

    TwoStages(ID_TRIANGLE_GENERAL, {0, 0}, {4, 0}, {1, 3}, {1, 3}, kMkShift);
    ExpectNear(V(2), {2, 3});  // isosceles at V2
    TwoStages(ID_TRIANGLE_GENERAL, {0, 0}, {4, 0}, {1, 3}, {1, 3}, kMkControl);
    EXPECT_NEAR(Distance(V(2), {2, 0}), 2, 1e-9);  // right angle at V2
    ASSERT_TRUE(Last()->IsTriangle());
    EXPECT_EQ(Figures(), 5u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(AngleToolTest, SecondStageWithoutASegmentReportsAndRestarts) {
    for (int command : {ID_ANGLE_FROM_SIDE, ID_ANGLE_VIEWING, ID_TRIANGLE_GENERAL}) {
        SCOPED_TRACE(command);
        host.Clear();
        ASSERT_TRUE(view.OnCommand(command));
        Click(Px(1, 1));  // a side of no length is dropped
        ASSERT_EQ(state.m_nStage, 1);
        const std::size_t before = Figures();
        Drag(Px(3, 3), Px(4, 4));
        EXPECT_EQ(Figures(), before);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.LastMessage(), kBadDefinitionMessage);
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(state.m_nStage, 0);
    }
    // A segment that is not the last object does not count either.
    ASSERT_TRUE(view.OnCommand(ID_ANGLE_FROM_SIDE));
    Drag(Px(0, 0), Px(2, 0));
    AddTriangle({5, 5}, {6, 5}, {5, 6});
    host.Clear();
    Drag(Px(3, 3), Px(4, 4));
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(Last()->IsTriangle());
}

TEST_F(AngleToolTest, TheSecondStageNeverConsumesAnOlderSegment) {
    CSegmentObj* mine = AddSegment({-6, -5}, {-4, -5});
    for (int command : {ID_TRIANGLE_GENERAL, ID_ANGLE_FROM_SIDE, ID_ANGLE_VIEWING}) {
        SCOPED_TRACE(command);
        host.Clear();
        ASSERT_TRUE(view.OnCommand(command));
        Click(Px(0, 0));  // draws no first side
        Drag(Px(2, -6), Px(3, -7));
        EXPECT_EQ(host.LastMessage(), kBadDefinitionMessage);
        EXPECT_EQ(Figures(), 1u);
        EXPECT_EQ(Last(), mine);
        EXPECT_EQ(state.m_nStage, 0);
    }
    // The tool's own first side is taken, even right after an older one.
    host.Clear();
    TwoStages(ID_TRIANGLE_GENERAL, {0, 0}, {2, 0}, {1, 2}, {1, 3});
    EXPECT_TRUE(Last()->IsTriangle());
    EXPECT_EQ(Figures(), 2u);
    EXPECT_EQ(doc.Objects()[1], mine);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(AngleToolTest, DivideAnglePicksAnAngleOrACorner) {
    ASSERT_TRUE(view.OnCommand(ID_ANGLE_DIVIDE));
    Add(new CAngle({2, 0}, {0, 0}, {0, 4}));
    Click(Px(0.02, 0.02));
    ASSERT_EQ(Figures(), 2u);  // two parts by default: the bisector
    ASSERT_TRUE(Last()->IsSegment());
    ExpectNear(V(1), {std::sqrt(2.0), std::sqrt(2.0)});
    Click(Px(6, -5));  // nothing there
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(Figures(), 2u);
}

}  // namespace
}  // namespace gyr::testing

// The pick test table and the pick rules driven by clicks: class filters,
// stages, distinct picks, constructions, reflect/invert rounds, beeps.

#include "ui/pick_rules.h"

#include <vector>

#include "geom/circle_obj.h"
#include "ui/view_fixture.h"

namespace gyr::testing {
namespace {

TEST(PickTestTable, SpotChecks) {
    struct Case {
        int kind, code, stage;
        bool picks;
    } cases[] = {
        {10, 102, 0, true},       {10, 102, 5, true},       {20, 104, 1, true},
        {20, 202, 3, true},       {10, 105, 0, true},       {10, 105, 1, false},
        {10, 704, 0, true},       {20, 21050, 1, false},    {10, 10010, 0, true},
        {10, 10030, 1, false},    {10, 10000, 0, false},    {10, 101, 0, false},
        {10, 103, 0, false},      {40, 401, 4, true},       {40, 10000, 0, false},
        {40, 451, 0, false},      {50, 501, 2, true},       {50, 504, 0, true},
        {50, 507, 0, true},       {50, 10000, 0, false},    {70, 701, 0, true},
        {70, 701, 1, false},      {70, 705, 0, true},       {70, 708, 1, false},
        {70, 706, 1, true},       {70, 706, 2, false},      {70, 711, 1, true},
        {70, 712, 2, false},      {70, 707, 7, true},       {70, 713, 0, false},
        {70, 10000, 0, false},    {80, 802, 3, true},       {80, 805, 0, true},
        {80, 10030, 1, false},    {80, 801, 0, false},      {201, 10000, 9, true},
        {702, 10000, 1, true},    {20000, 20030, 2, true},  {20000, 20040, 1, true},
        {20000, 20101, 0, true},  {20000, 20504, 5, true},  {20000, 40, 0, true},
        {20000, 40, 1, false},    {20000, 21010, 1, false}, {20000, 21060, 0, true},
        {20000, 10000, 0, false}, {20000, 20020, 0, false}, {20000, 20505, 0, false},
        {20000, 20506, 0, false}, {20000, 21050, 0, false}, {0, 10000, 0, false},
        {30, 10000, 0, false},    {60, 10000, 0, false},    {25000, 10000, 0, false},
        {31010, 10000, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PickTest(c.kind, c.code, c.stage), c.picks)
            << c.kind << "/" << c.code << " stage " << c.stage;
}

// What the installed constructions saw.
struct Seen {
    int calls = 0;
    CMyObj* first = nullptr;
    CMyObj* second = nullptr;
    CMyObj* picked = nullptr;
    int part = 0;
    CObList selection;
    bool answer = true;
};
Seen g_seen;
bool Record(CGyrView& view, unsigned, const CWorldPoint&) {
    ++g_seen.calls;
    g_seen.first = view.m_pFirstPicked;
    g_seen.second = view.m_pSecondPicked;
    g_seen.picked = view.m_pPicked;
    g_seen.part = view.m_nPart;
    g_seen.selection = view.m_selection;
    return g_seen.answer;
}

class PickTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        g_seen = {};
    }
    void TearDown() override {
        for (auto i = installed.rbegin(); i != installed.rend(); ++i)
            SetPickConstruction(i->kind, i->code, i->previous);
        ViewTest::TearDown();
    }
    void Install(int kind, int code, PickConstruction c = &Record) {
        installed.push_back({kind, code, SetPickConstruction(kind, code, c)});
    }
    CCircleObj* AddCircle(CWorldPoint c, double r) { return Add(new CCircleObj(c, r)); }
    // A point of the circle away from its handles.
    static PixelPoint Top(const CCircleObj* c) {
        return Px(c->Centre().x, c->Centre().y + c->m_radius);
    }

    struct Installed {
        int kind, code;
        PickConstruction previous;
    };
    std::vector<Installed> installed;
};

TEST_F(PickTest, OrthogonalBesideEverySegmentBeepsAndKeepsStageZero) {
    CSegmentObj* s1 = AddSegment({0, 0}, {2, 0});
    AddSegment({0, 2}, {2, 2});
    AddShape2({0, -2}, {2, -2});  // hit like a segment, but is none
    view.OnCommand(32710);

    Click(Px(1, 1));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(view.m_nStage, 0);
    Click(Px(1, -2));
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(view.m_nStage, 0);
    EXPECT_TRUE(view.IsPickMode());

    Click(Px(1, 0));
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(view.m_nStage, 1);
    EXPECT_EQ(view.m_pPicked, s1);
    EXPECT_EQ(view.m_nPart, 1);
    // The next press draws.
    EXPECT_FALSE(view.IsPickMode());
    Press(Px(1, 1));
    EXPECT_EQ(view.m_nDragState, kDragDrawing);
    Release(Px(1, 1));
}

TEST_F(PickTest, PickingByAnEndPointNeitherDragsNorSnapsIt) {
    CSegmentObj* s = AddSegment({0, 0}, {2, 0});
    AddSegment({2.1, 0.1}, {3, 3});
    view.OnCommand(33030);
    Press(Px(2, 0));
    EXPECT_EQ(view.m_nHitKind, 2);
    Move(Px(2.04, 0.04));
    Release(Px(2, 0));
    EXPECT_EQ(s->P1(), (CWorldPoint{2, 0}));
    EXPECT_EQ(view.m_nStage, 1);
    EXPECT_EQ(view.m_pPicked, s);
}

TEST_F(PickTest, TangentToThreeMakesItsCirclesAtTheThirdPick) {
    Install(70, 707);
    CCircleObj* a = AddCircle({-3, 0}, 1);
    CSegmentObj* b = AddSegment({0, -1}, {0, 3});
    CCircleObj* c = AddCircle({3, 0}, 1);
    view.OnCommand(33006);
    Click(Top(a));
    EXPECT_EQ(view.m_nStage, 1);
    Click(Px(0, 1));
    EXPECT_EQ(view.m_nStage, 2);
    EXPECT_EQ(g_seen.calls, 0);
    Click(Top(c));
    EXPECT_EQ(g_seen.calls, 1);
    EXPECT_EQ(g_seen.first, a);
    EXPECT_EQ(g_seen.second, b);
    EXPECT_EQ(g_seen.picked, c);
    EXPECT_EQ(view.m_nStage, 0);
    EXPECT_EQ(host.beeps, 0);

    // No solution: a beep, and the construction starts over.
    g_seen.answer = false;
    Click(Top(a));
    Click(Top(c));
    Click(Top(a));
    EXPECT_EQ(g_seen.calls, 2);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(view.m_nStage, 0);
}

TEST_F(PickTest, CommonTangentsNeedTwoDifferentCircles) {
    Install(10, 102);
    CCircleObj* a = AddCircle({-3, 0}, 1);
    CCircleObj* b = AddCircle({3, 0}, 1);
    view.OnCommand(33033);
    Click(Top(a));
    EXPECT_EQ(view.m_nStage, 1);
    Click(Top(a));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(view.m_nStage, 1);
    Click(Top(b));
    EXPECT_EQ(g_seen.calls, 1);
    EXPECT_EQ(g_seen.first, a);
    EXPECT_EQ(g_seen.picked, b);
    EXPECT_EQ(view.m_nStage, 0);

    // The lines variant is a rule of its own; without its construction it
    // picks as the table says and beeps where it would construct.
    Install(20, 102, nullptr);
    view.OnCommand(33107);
    Click(Top(a));
    EXPECT_EQ(view.m_nStage, 1);
    Click(Top(b));
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(view.m_nStage, 0);
    EXPECT_EQ(g_seen.calls, 1);
}

TEST_F(PickTest, ATriangleElementNeedsATriangle) {
    Install(50, 505);
    TestTriangle* t = AddTriangle({0, 0}, {4, 0}, {0, 3});
    CSegmentObj* s = AddSegment({-4, -4}, {-2, -4});
    view.OnCommand(33158);
    Click(Px(-3, -4));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(g_seen.calls, 0);
    EXPECT_EQ(view.m_selection, CObList{s});
    Click(Px(2, 0));
    EXPECT_EQ(g_seen.calls, 1);
    EXPECT_EQ(g_seen.picked, t);
    EXPECT_EQ(g_seen.part, 1);
    EXPECT_EQ(view.m_nStage, 0);
}

TEST_F(PickTest, APickTakenAwayBetweenClicksIsNotUsed) {
    Install(70, 711);
    CCircleObj* a = AddCircle({-3, 0}, 1);
    CCircleObj* b = AddCircle({3, 0}, 1);
    view.OnCommand(33010);
    Click(Top(a));
    ASSERT_EQ(view.m_nStage, 1);
    doc.RemoveObject(a);
    Click(Top(b));
    EXPECT_EQ(g_seen.calls, 0);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(view.m_nStage, 0);
}

TEST_F(PickTest, ReflectKeepsItsMirrorForEveryClickUntilShift) {
    Install(201, 10000);
    CSegmentObj* mirror = AddSegment({0, -3}, {0, 3});
    TestTriangle* t = AddTriangle({1, 0}, {3, 0}, {1, 2});
    CSegmentObj* s = AddSegment({-4, -4}, {-2, -4});
    view.OnCommand(32717);
    Click(Px(0, 1));
    EXPECT_EQ(view.m_nStage, 1);
    EXPECT_EQ(view.m_pPicked, mirror);
    EXPECT_EQ(g_seen.calls, 0);

    Click(Px(2, 0));
    EXPECT_EQ(g_seen.calls, 1);
    EXPECT_EQ(g_seen.picked, mirror);
    EXPECT_EQ(g_seen.selection, CObList{t});
    EXPECT_EQ(view.m_nStage, 1);

    // Nothing selected: nothing to reflect.
    Click(Px(6, 5));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(g_seen.calls, 1);

    Click(Px(-3, -4), kMkShift);
    EXPECT_EQ(g_seen.calls, 2);
    EXPECT_EQ(g_seen.selection, CObList{s});
    EXPECT_EQ(view.m_nStage, 0);
}

TEST_F(PickTest, InvertNeedsACircleFirst) {
    AddSegment({0, -3}, {0, 3});
    CCircleObj* c = AddCircle({3, 0}, 1);
    view.OnCommand(32718);
    Click(Px(0, 1));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(view.m_nStage, 0);
    Click(Top(c));
    EXPECT_EQ(view.m_nStage, 1);
    EXPECT_EQ(view.m_pPicked, c);
}

TEST_F(PickTest, AngleDivisionFindsTheCornerWithoutASelection) {
    Install(40, 401);
    TestTriangle* t = AddTriangle({0, 0}, {4, 0}, {0, 3});
    view.OnCommand(32716);
    Click(Px(4, 0));
    EXPECT_EQ(g_seen.calls, 1);
    EXPECT_EQ(g_seen.picked, t);
    EXPECT_EQ(g_seen.part, 1);  // the vertex index
    // Beside every figure: the rule itself beeps, once.
    Click(Px(6, 5));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(g_seen.calls, 1);
}

TEST_F(PickTest, IsopticOperationsFindNoIsopticAmongOtherFigures) {
    AddSegment({0, 0}, {2, 0});
    view.OnCommand(32858);
    Click(Px(1, 0));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(view.m_nStage, 0);
    EXPECT_FALSE(MatchesPickClasses(doc.Objects().back(), kPickIsopticOne | kPickIsopticTwo));
    EXPECT_TRUE(MatchesPickClasses(doc.Objects().back(), kPickSegment));
    EXPECT_FALSE(MatchesPickClasses(doc.Objects().back(), kPickLine | kPickCircle));
}

}  // namespace
}  // namespace gyr::testing

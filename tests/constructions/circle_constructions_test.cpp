// Circles built from picked circles, lines and segments: at the last pick, or
// by a press whose circles then follow the pointer.

#include "constructions/circle_constructions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "figures/circle_obj.h"
#include "figures/figure_fixture.h"
#include "figures/line_obj.h"
#include "figures/segment_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr::testing {
namespace {

class CircleConstructionTest : public FigureTest {
protected:
    // One pick (first and last) or two, the tool at the stage after them.
    void Picked(int code, CMyObj* first, CMyObj* second = nullptr) {
        UseTool(kToolCircle, code);
        state.m_pFirstPicked = first;
        state.m_pPicked = second ? second : first;
        state.m_nStage = second ? 2 : 1;
    }
    static const CCircleObj* Circle(const CMyObj* obj) {
        return static_cast<const CCircleObj*>(obj);
    }
    void ExpectCircle(const CMyObj* obj, const CWorldPoint& centre, double r, double eps = 1e-9) {
        ASSERT_TRUE(obj && obj->IsCircle());
        ExpectNear(Circle(obj)->Centre(), centre, eps);
        EXPECT_NEAR(Circle(obj)->m_radius, r, eps);
    }
    CSegmentObj* XAxis() { return MakeSegment(state, {0, 0}, {1, 0}, {}); }
    CSegmentObj* YAxis() { return MakeSegment(state, {0, 0}, {0, 1}, {}); }
    // Whether some circle of the document is (centre, r).
    bool Has(const CWorldPoint& centre, double r) const {
        for (const CMyObj* obj : doc.Objects())
            if (obj->IsCircle() && ChebyshevDistance(Circle(obj)->Centre(), centre) < 1e-6 &&
                std::fabs(Circle(obj)->m_radius - r) < 1e-6)
                return true;
        return false;
    }
};

TEST_F(CircleConstructionTest, CentredAtThePointerNearestAndFarthest) {
    Picked(kCodeTangentCentred, MakeCircle(state, {0, 0}, 1, {}));
    CMyObj* pressed = Press(&PressTangentCentred, {3, 4});
    ASSERT_EQ(state.m_gesture.size(), 2u);
    ExpectCircle(pressed, {3, 4}, 4);
    ExpectCircle(state.m_gesture.front(), {3, 4}, 6);
    Move({0, 3});
    ExpectCircle(pressed, {0, 3}, 2);
    ExpectCircle(state.m_gesture.front(), {0, 3}, 4);
    Release({0, 3});
    EXPECT_EQ(state.m_nStage, 1);

    Picked(kCodeTangentCentred, XAxis());
    CMyObj* one = Press(&PressTangentCentred, {3, 4});
    EXPECT_EQ(state.m_gesture.size(), 1u);
    ExpectCircle(one, {3, 4}, 4);
    Release({3, 4}, kMkControl);
    EXPECT_EQ(state.m_nStage, 0);
}

TEST_F(CircleConstructionTest, TouchingAtThePressedPoint) {
    Picked(kCodeTangentAt, MakeCircle(state, {0, 0}, 2, {}));
    CMyObj* c = Press(&PressTangentCircleAt, {4, 0});
    ExpectNear(Circle(c)->Centre(), {1.8, 0}, 1e-12);
    ExpectNear(Circle(c)->m_points[1], {2, 0});
    Move({3, 1});
    ExpectCircle(c, {3, 0}, 1);
    Move({2, 5});  // on the tangent at the point: unchanged
    ExpectCircle(c, {3, 0}, 1);
}

TEST_F(CircleConstructionTest, ThroughTwoPointsTouchingALine) {
    Picked(kCodeTangentThrough2, XAxis());
    CMyObj* pressed = Press(&PressTangentThrough2, {0, 1});
    ASSERT_EQ(state.m_gesture.size(), 2u);
    CMyObj* other = state.m_gesture.front();
    ExpectCircle(pressed, {0, 0.5}, 0.5);
    const double s6 = std::sqrt(6.0);
    Move({2, 3});
    ExpectCircle(pressed, {s6 - 1, 4 - s6}, 4 - s6);
    ExpectCircle(other, {-1 - s6, 4 + s6}, 4 + s6);
    Move({2, -1});  // across the line: no solution, nothing moves
    ExpectCircle(pressed, {s6 - 1, 4 - s6}, 4 - s6);
    Move({2, 1});  // one solution: the other circle keeps its shape
    ExpectCircle(pressed, {1, 1}, 1);
    ExpectCircle(other, {-1 - s6, 4 + s6}, 4 + s6);
}

TEST_F(CircleConstructionTest, TouchingTwoObjectsThroughThePointer) {
    Picked(kCodeTangentTo2Through1, XAxis(), YAxis());
    Press(&PressTangentTo2Through1, {1, 2});
    ASSERT_EQ(state.m_gesture.size(), 2u);
    EXPECT_TRUE(Has({5, 5}, 5));
    EXPECT_TRUE(Has({1, 1}, 1));
    // Each circle keeps its solution while the pointer moves.
    CMyObj* pressed = state.m_gesture.back();
    const CWorldPoint before = Circle(pressed)->Centre();
    Move({1.01, 2});
    EXPECT_LT(Distance(Circle(pressed)->Centre(), before), 0.2);
    Release({1.01, 2});

    // Two circles apart: four circles, each following its own solution.
    Picked(kCodeTangentTo2Through1, MakeCircle(state, {-3, 0}, 1, {}),
           MakeCircle(state, {3, 0}, 1, {}));
    Press(&PressTangentTo2Through1, {0.5, 3});
    ASSERT_EQ(state.m_gesture.size(), 4u);
    std::vector<CWorldPoint> centres;
    for (const CMyObj* obj : state.m_gesture) centres.push_back(Circle(obj)->Centre());
    Move({0.52, 3.01});
    std::size_t i = 0;
    for (const CMyObj* obj : state.m_gesture)
        EXPECT_LT(Distance(Circle(obj)->Centre(), centres[i++]), 0.3);
    Release({0.52, 3.01});

    // No solution at the press: nothing, a beep, the picks given up.
    Picked(kCodeTangentTo2Through1, XAxis(), MakeSegment(state, {0, 2}, {1, 2}, {}));
    const std::size_t figures = Figures();
    EXPECT_EQ(Press(&PressTangentTo2Through1, {0, 5}), nullptr);
    EXPECT_EQ(Figures(), figures);
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(CircleConstructionTest, OrthogonalCircles) {
    CCircleObj* k = MakeCircle(state, {0, 0}, 3, {});
    Picked(kCodeOrthogonalCentred, k);
    CMyObj* c = Press(&PressOrthogonalCentred, {5, 0});
    ExpectCircle(c, {5, 0}, 4);
    ExpectNear(Circle(c)->m_points[1], {1, 0});
    Release({5, 0});
    EXPECT_EQ(Press(&PressOrthogonalCentred, {1, 0}), nullptr);  // inside
    EXPECT_EQ(state.m_nStage, 0);

    Picked(kCodeOrthogonalTo2Through1, MakeCircle(state, {0, 0}, 1, {}),
           MakeCircle(state, {4, 0}, 1, {}));
    ExpectCircle(Press(&PressOrthogonalTo2Through1, {2, 2}), {2, 0.25}, 1.75);

    Picked(kCodeOrthogonalThrough2, MakeCircle(state, {0, 0}, 1, {}));
    CMyObj* t = Press(&PressOrthogonalThrough2, {2, 0});
    ExpectCircle(t, {1.25, 0}, 0.75);  // on the diameter to the inverse
    Move({0, 2});
    ExpectCircle(t, {1.25, 1.25}, std::sqrt(2.125));
}

TEST_F(CircleConstructionTest, AtTheLastPick) {
    UseTool(kToolCircle, kCodeTangentTo3);
    state.m_pFirstPicked = MakeCircle(state, {0, 0}, 1, {});
    state.m_pSecondPicked = MakeCircle(state, {4, 0}, 1, {});
    state.m_pPicked = MakeCircle(state, {2, 3}, 1, {});
    ASSERT_TRUE(TangentCirclesTo3(state, 0, {}));
    EXPECT_EQ(Figures(), 3u + 8u);
    EXPECT_TRUE(Has({2, 2.1}, 1.9));
    // Three concurrent lines: no circle.
    state.m_pFirstPicked = XAxis();
    state.m_pSecondPicked = YAxis();
    state.m_pPicked = MakeSegment(state, {0, 0}, {1, 1}, {});
    EXPECT_FALSE(TangentCirclesTo3(state, 0, {}));
    EXPECT_EQ(Figures(), 14u);

    UseTool(kToolCircle, kCodeRadicalAxis);
    state.m_pFirstPicked = MakeCircle(state, {0, 0}, 3, {});
    state.m_pPicked = MakeCircle(state, {6, 0}, 1, {});
    ASSERT_TRUE(RadicalAxisOfPicks(state, 0, {}));
    auto* axis = static_cast<CLine*>(Last());
    ASSERT_TRUE(axis->IsLine());
    EXPECT_NEAR(axis->P0().x, 11.0 / 3, 1e-9);
    EXPECT_NEAR(axis->P1().x, 11.0 / 3, 1e-9);
    state.m_pPicked = MakeCircle(state, {0, 0}, 1, {});
    EXPECT_FALSE(RadicalAxisOfPicks(state, 0, {}));  // concentric

    UseTool(kToolCircle, kCodeInversionInterchanging);
    const std::size_t before = Figures();
    state.m_pFirstPicked = MakeCircle(state, {0, 0}, 1, {});
    state.m_pPicked = MakeSegment(state, {0, 3}, {1, 3}, {});
    ASSERT_TRUE(InversionInterchangingPicks(state, 0, {}));
    EXPECT_EQ(Figures(), before + 4);
    EXPECT_TRUE(Has({0, -1}, std::sqrt(8.0)));
    EXPECT_TRUE(Has({0, 1}, 2));
    std::swap(state.m_pFirstPicked, state.m_pPicked);  // the line first: the same two
    ASSERT_TRUE(InversionInterchangingPicks(state, 0, {}));
    EXPECT_EQ(Figures(), before + 6);
    state.m_pFirstPicked = XAxis();  // two lines: none
    EXPECT_FALSE(InversionInterchangingPicks(state, 0, {}));

    UseTool(kToolCircle, kCodeApollonianCircle);
    state.m_pPicked = MakeSegment(state, {0, 0}, {3, 0}, {});
    ASSERT_TRUE(ApollonianCircleOfPick(state, 0, {}));
    EXPECT_TRUE(Has({-1, 0}, 2));
    const std::size_t made = Figures();
    for (double ratio : {1.0, 0.0}) {
        ProgramState().params.ratio = ratio;
        EXPECT_FALSE(ApollonianCircleOfPick(state, 0, {}));
    }
    EXPECT_EQ(Figures(), made);
}

// Random picks (circles of every size, zero included, and lines) and
// pointer positions, centres and circle points among them: every circle
// made or moved stays finite.
TEST_F(CircleConstructionTest, NoPositionGivesNonFiniteCircles) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> pos(-4, 4);
    std::uniform_int_distribution<int> pick(0, 3);
    const auto object = [&]() -> CMyObj* {
        switch (pick(gen)) {
            case 0:
                return MakeCircle(state, {pos(gen), pos(gen)}, 0, {});
            case 1:
                return MakeSegment(state, {pos(gen), pos(gen)}, {pos(gen), pos(gen)}, {});
            default:
                return MakeCircle(state, {pos(gen), pos(gen)}, std::fabs(pos(gen)), {});
        }
    };
    struct Tool {
        int code;
        CMyObj* (*press)(CGestureState&, unsigned, const CWorldPoint&);
        bool two;
    } tools[] = {
        {kCodeTangentCentred, &PressTangentCentred, false},
        {kCodeTangentAt, &PressTangentCircleAt, false},
        {kCodeTangentThrough2, &PressTangentThrough2, false},
        {kCodeTangentTo2Through1, &PressTangentTo2Through1, true},
        {kCodeOrthogonalTo2Through1, &PressOrthogonalTo2Through1, true},
        {kCodeOrthogonalThrough2, &PressOrthogonalThrough2, false},
    };
    for (int trial = 0; trial < 300; ++trial) {
        const Tool& tool = tools[trial % 6];
        CMyObj* o1 = object();
        CMyObj* o2 = tool.two ? object() : nullptr;
        Picked(tool.code, o1, o2);
        // Press at the first object's first vertex (a centre or a line point).
        Press(tool.press, o1->GetVertices()[0]);
        for (const CWorldPoint& p :
             {CWorldPoint{pos(gen), pos(gen)}, o1->GetVertices()[0], o1->GetVertices()[1]})
            Move(p);
        for (const CMyObj* obj : state.m_gesture)
            for (int i = 0; i < obj->GetVertexCount(); ++i)
                ASSERT_TRUE(IsFinitePoint(obj->GetVertices()[i])) << trial;
        Release(o1->GetVertices()[1]);
    }
}

}  // namespace
}  // namespace gyr::testing

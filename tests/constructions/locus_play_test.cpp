// PLAY and the locus into a document: the objects, the locus points and the
// curve through them, the messages, the beeps and who owns what afterwards.

#include "constructions/locus_play.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "constructions/intersections.h"
#include "figures/circle_obj.h"
#include "figures/compo_obj.h"
#include "figures/figure_fixture.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"
#include "math/expect_near.h"
#include "model/program_state.h"

namespace gyr::testing {
namespace {

class LocusPlayTest : public FigureTest {
protected:
    std::vector<CWorldPoint> PointsAdded() const {
        std::vector<CWorldPoint> pts;
        for (const CMyObj* obj : doc.Objects())
            if (obj->IsPoint()) pts.push_back(static_cast<const CPointObj*>(obj)->Centre());
        return pts;
    }
    const CompoObj* Curve() const {
        for (const CMyObj* obj : doc.Objects())
            if (obj->IsCurve()) return static_cast<const CompoObj*>(obj);
        return nullptr;
    }
};

const char kCircleLocus[] =
    "L10 Circle Center (0, 0) (2, 0) ; L20 Point Variable L10 ; L30 Point (4, 0) ; "
    "L40 Line L20 L30 ; L50 Point Ratio L40 -1 ;";

TEST_F(LocusPlayTest, PlayAddsEveryObjectAndOwnsNothingAfter) {
    host.randomState = 7;
    const CScriptRunResult r = PlayScript(doc, kCircleLocus);
    ASSERT_TRUE(r.ok) << r.fault.message;
    EXPECT_FALSE(r.beep);
    ASSERT_EQ(Figures(), 5u);
    EXPECT_TRUE(doc.Objects()[1]->IsCircle());
    EXPECT_TRUE(doc.Objects()[2]->IsPoint());
    EXPECT_TRUE(doc.Objects()[3]->IsPoint());
    EXPECT_TRUE(doc.Objects()[4]->IsSegment());
    // The variable point lies on its circle; the last is the midpoint.
    const CWorldPoint v = static_cast<CPointObj*>(doc.Objects()[2])->Centre();
    EXPECT_NEAR(std::hypot(v.x, v.y), 2, 1e-12);
    ExpectNear(static_cast<CPointObj*>(doc.Objects()[5])->Centre(), (v + CWorldPoint{4, 0}) * 0.5);
    EXPECT_EQ(ProgramState().script.steps.Count(), 0);
    EXPECT_FALSE(host.invalidated.empty());
}

TEST_F(LocusPlayTest, PlayFailureAddsNothingAndTellsWhere) {
    const std::string text = "L10 Point (1, 2) ;\nL20 Point (1 2";
    const CScriptRunResult r = PlayScript(doc, text);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.beep);
    EXPECT_EQ(r.fault.textLine, 2);
    EXPECT_EQ(text.substr(r.fault.begin, r.fault.end - r.fault.begin), "L20 Point (1 2");
    EXPECT_EQ(Figures(), 0u);
    EXPECT_EQ(ProgramState().script.steps.OwnedCount(), 0);

    // A skipped intersection beeps once and makes the rest.
    const CScriptRunResult s =
        PlayScript(doc,
                   "L10 Circle Center (0, 0) (1, 0) ; L20 Line (5, 0) (5, 1) ; "
                   "L30 Point Intersection L10 L20 ; L40 Point Intersection L10 L20 ;");
    EXPECT_TRUE(s.ok);
    EXPECT_TRUE(s.beep);
    EXPECT_EQ(Figures(), 2u);
}

TEST_F(LocusPlayTest, CircleLocusGivesPointsAndOneCurve) {
    const CScriptRunResult r = PlayLocus(doc, kCircleLocus, 20);
    ASSERT_TRUE(r.ok) << r.fault.message;
    EXPECT_EQ(r.points, 20);
    const std::vector<CWorldPoint> pts = PointsAdded();
    ASSERT_EQ(pts.size(), 20u);
    for (int j = 0; j < 20; ++j) {
        const double theta = 2 * std::numbers::pi * j / 19;
        ExpectNear(pts[j], {2 + std::cos(theta), std::sin(theta)}, 1e-12);
    }
    ExpectNear(pts[0], {3, 0}, 1e-12);
    ExpectNear(pts[19], {3, 0}, 1e-12);
    ExpectNear(pts[5], {1.9174206545, 0.9965844930}, 1e-10);
    const CompoObj* curve = Curve();
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve, r.curve);
    ASSERT_EQ(curve->ComponentCount(), 1);
    EXPECT_EQ(curve->m_compos[0]->Count(), 20);
    EXPECT_FALSE(curve->m_compos[0]->IsClosed());
    EXPECT_EQ(curve->m_bBrush, 0);
    EXPECT_EQ(curve->m_logpen.color, doc.m_drawAttr.penColor);
    EXPECT_EQ(Figures(), 21u);
    EXPECT_EQ(ProgramState().script.steps.Count(), 0);

    // A segment: (2t, 1.5).
    doc.OnNewDocument();
    ASSERT_TRUE(PlayLocus(doc,
                          "L10 Line (0, 0) (4, 0) ; L20 Point Variable L10 ; L30 Point (0, 3) ; "
                          "L40 Line L20 L30 ; L50 Point Ratio L40 -1 ;",
                          5)
                    .ok);
    const std::vector<CWorldPoint> line = PointsAdded();
    ASSERT_EQ(line.size(), 5u);
    for (int j = 0; j < 5; ++j) ExpectNear(line[j], {0.5 * j, 1.5}, 1e-12);

    // A last line that is a circle gives its centre.
    doc.OnNewDocument();
    ASSERT_TRUE(PlayLocus(doc,
                          "L10 Line (0, 0) (4, 0) ; L20 Point Variable L10 ; "
                          "L30 Circle Center L20 (0, 1) P0 ;",
                          3)
                    .ok);
    const std::vector<CWorldPoint> centres = PointsAdded();
    ASSERT_EQ(centres.size(), 3u);
    ExpectNear(centres[1], {2, 0});
}

TEST_F(LocusPlayTest, PassesWithoutAPointSplitTheCurve) {
    const CScriptRunResult r =
        PlayLocus(doc,
                  "L10 Circle Center (0, 0) (2, 0) ; L20 Point Variable L10 ; L30 Point (0, 0) ; "
                  "L40 Circle Center L20 L30 ; L50 Line (3, -10) (3, 10) ; "
                  "L60 Point Intersection L40 L50 ;",
                  20);
    ASSERT_TRUE(r.ok) << r.fault.message;
    EXPECT_TRUE(r.beep);
    const std::vector<CWorldPoint> pts = PointsAdded();
    ASSERT_EQ(pts.size(), 8u);
    const double ys[] = {1.7320508076,  2.3141889797, 2.6350935236, 2.2799473114,
                         -1.0687186017, 0.1782426728, 1.0153911029, 1.7320508076};
    for (int k = 0; k < 8; ++k) ExpectNear(pts[k], {3, ys[k]}, 1e-9);
    const CompoObj* curve = Curve();
    ASSERT_NE(curve, nullptr);
    ASSERT_EQ(curve->ComponentCount(), 2);
    EXPECT_EQ(curve->m_compos[0]->Count(), 4);
    EXPECT_EQ(curve->m_compos[1]->Count(), 4);
}

TEST_F(LocusPlayTest, LocusMessages) {
    CScriptRunResult r = PlayLocus(doc, "L10 Point (0, 0) ;", 20);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.fault.message, VariableCountMessage(0));
    r = PlayLocus(doc, "L10 Line (0, 0) (1, 0) ; L20 Point Variable L10 ; L30 Point Variable L10 ;",
                  20);
    EXPECT_EQ(r.fault.message, VariableCountMessage(2));
    r = PlayLocus(doc, "L10 Line (0, 0) (1, 0) ; L20 Point Variable L10 ; L30 Line L20 L20 ;", 20);
    EXPECT_EQ(r.fault.message, "Error in Locus script: Last line must be point or circle");
    EXPECT_TRUE(r.beep);
    r = PlayLocus(doc, kCircleLocus, 400001);
    EXPECT_EQ(r.fault.message, "Locus too large: 400001 points x 5 lines");
    // One point would do nothing.
    r = PlayLocus(doc, kCircleLocus, 1);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Figures(), 0u);
    EXPECT_TRUE(host.messages.empty());  // the caller shows them
}

TEST_F(LocusPlayTest, TheCurveIsIntersectedAsACurve) {
    ASSERT_TRUE(PlayLocus(doc, kCircleLocus, 1000).ok);
    const CMyObj* curve = Curve();
    ASSERT_NE(curve, nullptr);
    CSegmentObj* seg = MakeSegment(state, {2, -5}, {2, 5}, {});
    const std::size_t before = doc.Objects().size();
    state.DeselectAll();
    state.Select(const_cast<CMyObj*>(curve));
    state.Select(seg);
    EXPECT_EQ(IntersectSelection(state), 2);
    ASSERT_EQ(doc.Objects().size(), before + 2);
    const auto* a = static_cast<CPointObj*>(doc.Objects()[before + 1]);
    const auto* b = static_cast<CPointObj*>(doc.Objects()[before]);
    EXPECT_NEAR(a->Centre().x, 2, 1e-12);
    EXPECT_NEAR(std::fabs(a->Centre().y), 0.9999962915, 1e-10);
    EXPECT_NEAR(a->Centre().y, -b->Centre().y, 1e-9);
}

TEST_F(LocusPlayTest, RecordedObjectsAreNeverDeletedByTheSteps) {
    // A recorded step points at a document object; removing that object
    // (Delete All Point-marks) and then emptying the list frees it once.
    CPointObj* p = AddPoint(doc, {1, 1});
    CScriptStep step;
    step.object = p;
    ProgramState().script.steps.Add(step);
    DeleteAllPointMarks(doc);
    EXPECT_EQ(ProgramState().script.steps.StepOf(p), nullptr);
    ProgramState().script.steps.Clear();
    // New empties the list too.
    CPointObj* q = AddPoint(doc, {2, 2});
    step.object = q;
    ProgramState().script.steps.Add(step);
    doc.OnNewDocument();
    EXPECT_EQ(ProgramState().script.steps.Count(), 0);
}

}  // namespace
}  // namespace gyr::testing

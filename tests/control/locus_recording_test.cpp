// Recording a locus script through the controller: the lines the point,
// segment and circle tools write, the references to recorded objects, what
// is dropped, and that PLAY of a recording rebuilds the same figures.

#include <gtest/gtest.h>

#include <cmath>

#include "constructions/locus_play.h"
#include "control/view_fixture.h"
#include "dialogs/script_window_model.h"
#include "figures/circle_obj.h"
#include "figures/point_obj.h"

namespace gyr::testing {
namespace {

class LocusRecordingTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        model = std::make_unique<CScriptWindowModel>(state);
    }
    void TearDown() override { model.reset(); }

    void Point(double x, double y, unsigned flags = 0) {
        view.OnCommand(ID_DRAW_POINTS);
        Click(Px(x, y), flags);
    }
    void Segment(CWorldPoint a, CWorldPoint b, int command = ID_SEGMENTS_TOOL) {
        view.OnCommand(command);
        Drag(Px(a.x, a.y), Px(b.x, b.y));
    }
    void Circle(CWorldPoint c, CWorldPoint p) {
        view.OnCommand(ID_CIRCLES_TOOL);
        Drag(Px(c.x, c.y), Px(p.x, p.y));
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        const std::string& t = model->Text();
        std::size_t start = 0, end;
        while ((end = t.find("\r\n", start)) != std::string::npos) {
            lines.push_back(t.substr(start, end - start));
            start = end + 2;
        }
        EXPECT_EQ(start, t.size()) << "every line ends in CR LF";
        return lines;
    }

    // PLAY of the recording into a fresh document rebuilds the figures
    // drawn, in the same order.
    void ExpectReplayRebuildsTheDrawing() {
        std::vector<CMyObj*> drawn(doc.Objects().begin() + 1, doc.Objects().end());
        CGyrDoc other{DrawingClasses()};
        other.OnNewDocument();
        const CScriptRunResult r = PlayScript(other, model->Text());
        ASSERT_TRUE(r.ok) << r.fault.message;
        EXPECT_FALSE(r.beep);
        ASSERT_EQ(other.Objects().size(), drawn.size() + 1) << model->Text();
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            const CMyObj* a = drawn[i];
            const CMyObj* b = other.Objects()[i + 1];
            ASSERT_EQ(a->IsPoint(), b->IsPoint()) << i;
            ASSERT_EQ(a->IsCircle(), b->IsCircle()) << i;
            ASSERT_EQ(a->IsSegment(), b->IsSegment()) << i;
            if (a->IsCircle() && !a->IsPoint()) {
                const auto* ca = static_cast<const CCircleObj*>(a);
                const auto* cb = static_cast<const CCircleObj*>(b);
                EXPECT_NEAR(ca->Centre().x, cb->Centre().x, 1e-5) << i << model->Text();
                EXPECT_NEAR(ca->Centre().y, cb->Centre().y, 1e-5) << i << model->Text();
                EXPECT_NEAR(ca->m_radius, cb->m_radius, 1e-5) << i;
                continue;
            }
            for (int k = 0; k < (a->IsPoint() ? 1 : 2); ++k) {
                EXPECT_NEAR(a->GetVertices()[k].x, b->GetVertices()[k].x, 1e-5) << i;
                EXPECT_NEAR(a->GetVertices()[k].y, b->GetVertices()[k].y, 1e-5) << i;
            }
        }
    }

    std::unique_ptr<CScriptWindowModel> model;
};

TEST_F(LocusRecordingTest, PointThenSegmentFromIt) {
    model->Start();
    EXPECT_TRUE(IsScriptRecording());
    Point(1, 2);
    Segment({1, 2}, {3, 4});
    ASSERT_EQ(Lines(), (std::vector<std::string>{
                           "L10  Point (1.000000, 2.000000) ;",
                           "L20  Line Endpoint L10  (3.000000, 4.000000) P0 ;",
                       }));
    EXPECT_TRUE(model->TakeTextAppended());
    // A point on that segment's far end, on it, and the centre of a circle.
    Point(3, 4);
    Point(2, 3, kMkShift);
    Circle({-1, -1}, {1, -1});
    Point(-1, -1);
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2], "L30  Point Endpoint L20  P1 ;");
    EXPECT_EQ(lines[3], "L40  Point Variable L20  ;");
    EXPECT_EQ(lines[4], "L50  Circle Center (-1.000000, -1.000000) (1.000000, -1.000000) ;");
    EXPECT_EQ(lines[5], "L60  Point Center L50  ;");

    // Deleting the recorded points and clearing frees every object once
    // (the address sanitizer watches).
    EXPECT_EQ(DeleteAllPointMarks(doc), 4);
    model->Clear();
    EXPECT_FALSE(IsScriptRecording());
    EXPECT_EQ(model->Text(), "");
    EXPECT_EQ(ProgramState().script.steps.Count(), 0);
}

TEST_F(LocusRecordingTest, ObjectsFromBeforeTheRecordingAreNotReferred) {
    Segment({0, 0}, {4, 0});
    model->Start();
    Point(2, 0, kMkShift);  // on a segment without a step: dropped
    Circle({0, 0}, {2, 0});
    Point(0, 1, kMkControl);  // circle x segment: the segment has no step
    EXPECT_EQ(Lines().size(), 1u);
    // Nothing is recorded after Stop.
    model->Stop();
    Point(5, 5);
    EXPECT_EQ(Lines().size(), 1u);
    EXPECT_EQ(state.m_pRecorder, nullptr);
}

TEST_F(LocusRecordingTest, IntersectionsAndTangentsReplayAsDrawn) {
    model->Start();
    Circle({0, 0}, {2, 0});
    Segment({1, -3}, {1, 3});
    // The lower intersection: the script's first is on the side of the
    // segment's second end, so the recording names the point it took.
    Point(1, -1.7, kMkControl);
    Point(1, 1.7, kMkControl);
    Point(5, 0);
    view.OnCommand(ID_SEGMENT_TANGENTS);
    Click(Px(2, 0));  // picks the circle
    Drag(Px(5, 0), Px(5, 0));
    model->Stop();
    const std::vector<std::string> lines = Lines();
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[2], "L30  Point Intersection L10  L20  P1 ;");
    EXPECT_EQ(lines[3], "L40  Point Intersection L10  L20  ;");
    EXPECT_EQ(lines[5].rfind("L60  Line Tangent L10  L50  ", 0), 0u) << lines[5];

    ExpectReplayRebuildsTheDrawing();
}

TEST_F(LocusRecordingTest, TangentAndThreePointCirclesReplayAsDrawn) {
    model->Start();
    Circle({0, 0}, {1, 0});
    Segment({-5, -2}, {5, -2});
    Point(3, 1);
    // Tangent to the circle and the segment through the pointer: several
    // circles, made in an order the script names with selectors.
    view.OnCommand(ID_CIRCLE_TANGENT_2_THROUGH_1);
    Click(Px(1, 0));
    Click(Px(0, -2));
    Drag(Px(3, 0), Px(3, 0.5));
    // Through the press point and the pointer, touching the segment.
    view.OnCommand(ID_CIRCLE_TANGENT_THROUGH_2);
    Click(Px(4, -2));
    Drag(Px(-3, 1), Px(-2, 2));
    // Tangent to three, made at the last pick.
    Circle({-6, 4}, {-5.5, 4});
    Circle({-3, 4}, {-2.5, 4});
    Segment({-7, 5.5}, {-2, 5.5});
    view.OnCommand(ID_CIRCLE_TANGENT_3);
    Click(Px(-6, 4.5));
    Click(Px(-3, 4.5));
    Click(Px(-4.5, 5.5));
    // Three points: the first stage's circle is taken over, not recorded.
    view.OnCommand(ID_CIRCLE_THREE_POINTS);
    Drag(Px(5, -4), Px(6, -4));
    Drag(Px(5.5, -3), Px(5.5, -3));
    model->Stop();
    const std::vector<std::string> lines = Lines();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_NE(model->Text().find("Circle Tangent L10  L20  "), std::string::npos);
    EXPECT_NE(model->Text().find("Circle Through "), std::string::npos);
    ExpectReplayRebuildsTheDrawing();
}

TEST_F(LocusRecordingTest, WindowButtonsPointsAndPrint) {
    EXPECT_EQ(model->LocusCaption(), "Set 20 locus-pts");
    model->SetPointsText("0");
    EXPECT_EQ(model->LocusCaption(), "Set 20 locus-pts");
    model->SetPointsText("5000");
    EXPECT_EQ(model->Points(), 20);
    model->SetPointsText("1");
    EXPECT_EQ(model->Points(), 20);
    model->SetPointsText("7");
    EXPECT_EQ(model->LocusCaption(), "Set 7 locus-pts");

    model->Start();
    auto b = model->Buttons();
    EXPECT_TRUE(!b.start && b.stop && !b.clear && !b.print && !b.play && !b.close);
    Circle({0, 0}, {2, 0});
    Point(2, 0.1, kMkShift);
    Point(4, 0);
    Segment({0, 0}, {0, 0});  // degenerate: never recorded
    model->Stop();
    b = model->Buttons();
    EXPECT_TRUE(!b.start && !b.stop && b.clear && b.print && b.play && b.close);
    model->SetText(model->Text() + "L140 Line L20 L30 ; L150 Point Ratio L140 -1 ;");
    const std::size_t before = doc.Objects().size();
    EXPECT_TRUE(model->PlayLocus());
    EXPECT_EQ(doc.Objects().size(), before + 8);  // 7 points and a curve
    // The locus is one step.
    EXPECT_EQ(doc.History().UndoName(), "Locus");
    ASSERT_TRUE(view.Undo());
    EXPECT_EQ(doc.Objects().size(), before);
    ASSERT_TRUE(view.Redo());

    // A failure shows its message with the exclamation icon, beeps once and
    // selects the statement.
    host.Clear();
    model->SetText("L10 Point (1, 2) ;\r\nL20 Point (1 2");
    EXPECT_FALSE(model->Play());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.beeps, 1);
    auto sel = model->TakeSelection();
    ASSERT_TRUE(sel);
    EXPECT_EQ(sel->first, 20u);

    // The focus rules.
    model->EditFocusIn();
    b = model->Buttons();
    EXPECT_TRUE(!b.start && b.stop && b.play && b.clear && b.close);
    model->SetText("");
    b = model->Buttons();
    EXPECT_TRUE(!b.play && !b.clear && !b.print);  // typing follows
    model->SetText("L10 Point (1, 2) ;");
    EXPECT_TRUE(model->Buttons().play);
    model->EditFocusOut();
    b = model->Buttons();
    EXPECT_TRUE(!b.start && b.play && b.clear && b.close);

    // Print: a text box at the given corner with the text attributes.
    model->SetText("L10 Point (1, 2) ;\r\nL20 Point (1 2\r\n");
    const std::size_t objects = doc.Objects().size();
    model->Print({10, 20}, [](const FontRecord&, const std::string& s) {
        return PixelPoint{int(s.size()) * 7, 15};
    });
    ASSERT_EQ(doc.Objects().size(), objects + 1);
    const CMyObj* box = doc.Objects().back();
    ASSERT_TRUE(box->IsText());
    const PixelRect r = box->GetPixelBounds().Normalized();
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.bottom - r.top, 30);  // two lines
}

}  // namespace
}  // namespace gyr::testing

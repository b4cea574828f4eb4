// Gestures through the controller: selecting, rubber band, handles, moving,
// gluing, drawing with the segment tool, status bar, auto-scroll, painting.

#include "port/recording_canvas.h"
#include "ui/view_fixture.h"

namespace gyr::testing {
namespace {

bool Inside(const PixelRect& inner, const PixelRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::vector<int> g_undoKinds;
void RecordUndoKind(int kind) {
    g_undoKinds.push_back(kind);
}
int g_savedCopies = 0;
void CountSavedCopies(CGyrView&) {
    ++g_savedCopies;
}

class SelectToolTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        view.OnCommand(32701);
        g_undoKinds.clear();
        g_savedCopies = 0;
        CGyrView::GetHooks().setUndoKind = &RecordUndoKind;
        CGyrView::GetHooks().saveUndoCopies = &CountSavedCopies;
    }
};

TEST_F(SelectToolTest, ButtonUpWithoutButtonDownDoesNothing) {
    CSegmentObj* s = AddSegment({0, 0}, {2, 0});
    view.Select(s);
    doc.SetModifiedFlag(false);
    Release(Px(1, 0), kMkShift);
    EXPECT_TRUE(host.invalidated.empty());
    EXPECT_EQ(host.beeps, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.m_selection, CObList{s});
    EXPECT_TRUE(g_undoKinds.empty());
}

TEST_F(SelectToolTest, ClickSelectsAndRepaintsOnlyTheObject) {
    CSegmentObj* s = AddSegment({0, 0}, {2, 0});
    AddSegment({0, 3}, {2, 3});
    Click(Px(1, 0));
    EXPECT_EQ(view.m_selection, CObList{s});
    EXPECT_TRUE(s->m_bSelected);
    EXPECT_EQ(Invalidated(), s->GetInvalidRect());
    EXPECT_EQ(host.invalidateAll, 0);
    EXPECT_EQ(view.m_nDragState, kDragNone);
    EXPECT_FALSE(view.m_bMouseDown);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(g_savedCopies, 1);

    // A click on nothing clears the selection and repaints the old marks.
    host.Clear();
    Click(Px(5, 5));
    EXPECT_TRUE(view.m_selection.empty());
    EXPECT_FALSE(s->m_bSelected);
    EXPECT_EQ(Invalidated(), s->GetInvalidRect());
}

TEST_F(SelectToolTest, ShiftClickOnASelectedObjectDeselectsOnlyIt) {
    CSegmentObj* a = AddSegment({0, 0}, {2, 0});
    CSegmentObj* b = AddSegment({0, 2}, {2, 2});
    CSegmentObj* c = AddSegment({0, 4}, {2, 4});
    Click(Px(1, 0));
    Click(Px(1, 2), kMkShift);
    Click(Px(1, 4), kMkShift);
    EXPECT_EQ(view.m_selection, (CObList{a, b, c}));
    host.Clear();
    Click(Px(1, 2), kMkShift);
    EXPECT_EQ(view.m_selection, (CObList{a, c}));
    EXPECT_FALSE(b->m_bSelected);
    EXPECT_TRUE(a->m_bSelected && c->m_bSelected);
    EXPECT_EQ(Invalidated(), b->GetInvalidRect());
    // Shift on empty space keeps the selection.
    Click(Px(6, -5), kMkShift);
    EXPECT_EQ(view.m_selection, (CObList{a, c}));
}

TEST_F(SelectToolTest, RubberBandSelectsWhatLiesInsideAndRepaintsOnlyTheFrame) {
    CSegmentObj* in = AddSegment({1, 1}, {2, 1});
    CSegmentObj* across = AddSegment({1, -1}, {5, -1});
    CSegmentObj* out = AddSegment({6, 4}, {7, 4});
    const PixelPoint from = Px(0.5, 1.5), to = Px(3, -1.5);
    Press(from);
    Move(to);
    const PixelRect frame{from.x, from.y, to.x, to.y};
    EXPECT_EQ(view.m_nDragState, kDragRubberBand);
    EXPECT_EQ(view.m_rubberBand, frame);
    Release(to);
    EXPECT_EQ(view.m_selection, CObList{in});
    EXPECT_FALSE(across->m_bSelected || out->m_bSelected);
    EXPECT_TRUE(view.m_rubberBand.IsEmpty());
    EXPECT_TRUE(Inside(Invalidated(), frame.Inflated(1)));
    EXPECT_EQ(host.invalidateAll, 0);
    EXPECT_EQ(g_savedCopies, 1);

    // Dragged the other way round the frame is the same.
    view.DeselectAll();
    Press(to);
    Move(from);
    EXPECT_EQ(view.m_rubberBand, frame);
    Release(from);
    EXPECT_EQ(view.m_selection, CObList{in});
}

TEST_F(SelectToolTest, DraggingAHandleMovesTheVertexAndSnapsOnRelease) {
    CSegmentObj* a = AddSegment({0, 0}, {2, 0});
    AddSegment({3, 1}, {4, 1});
    Press(Px(2, 0));
    EXPECT_EQ(view.m_nHitKind, 2);
    EXPECT_EQ(view.m_nDragState, kDragHandle);
    Move(Px(2.9, 0.9));
    EXPECT_DOUBLE_EQ(a->P1().x, 2.9);
    EXPECT_DOUBLE_EQ(a->P1().y, 0.9);
    EXPECT_EQ(g_undoKinds, std::vector<int>{3});
    Release(Px(2.9, 0.9));
    EXPECT_EQ(a->P1(), (CWorldPoint{3, 1}));
    EXPECT_EQ(a->P0(), (CWorldPoint{0, 0}));
    EXPECT_EQ(a->m_rightBottom.x, 3);

    // Without match points the vertex stays where it was let go.
    view.OnCommand(32880);
    const PixelPoint nearOther = Px(3.9, 1.1);
    Press(Px(0, 0));
    EXPECT_EQ(view.m_nHitKind, 1);
    Move(nearOther);
    Release(nearOther);
    EXPECT_EQ(a->P0(), PixelToWorld(nearOther));
}

TEST_F(SelectToolTest, MovingTheSelectionOffsetsByTheWorldDifference) {
    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    CSegmentObj* b = AddSegment({0, 2}, {1, 2});
    CSegmentObj* still = AddSegment({-3, -3}, {-2, -3});
    Click(Px(0.5, 0));
    Click(Px(0.5, 2), kMkShift);
    const PixelRect before = view.SelectionRect();
    host.Clear();
    g_undoKinds.clear();

    const PixelPoint start = Px(0.5, 0);
    Press(start);
    EXPECT_EQ(view.m_nDragState, kDragMove);
    Move({start.x + 15, start.y - 10});
    Move({start.x + 30, start.y - 20});
    Release({start.x + 30, start.y - 20});
    // 30 and 20 pixels at 50 pixels per unit; y points up.
    EXPECT_NEAR(a->P0().x, 0.6, 1e-12);
    EXPECT_NEAR(a->P0().y, 0.4, 1e-12);
    EXPECT_NEAR(b->P1().x, 1.6, 1e-12);
    EXPECT_NEAR(b->P1().y, 2.4, 1e-12);
    EXPECT_EQ(WorldToPixel(a->P0()), (PixelPoint{430, 280}));
    EXPECT_EQ(still->P0(), (CWorldPoint{-3, -3}));
    EXPECT_EQ(view.m_selection, (CObList{a, b}));
    EXPECT_EQ(Invalidated(), before.United(view.SelectionRect()));
    EXPECT_EQ(g_undoKinds, (std::vector<int>{3, 3}));
}

TEST_F(SelectToolTest, CtrlReleaseGluesTheOnlySelectedObjectByItsNearestVertex) {
    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    CSegmentObj* b = AddSegment({3, 0}, {4, 1});
    Click(Px(0.9, 0), kMkControl);
    EXPECT_EQ(a->P0(), (CWorldPoint{2, 0}));
    EXPECT_EQ(a->P1(), (CWorldPoint{3, 0}));
    EXPECT_EQ(b->P0(), (CWorldPoint{3, 0}));
    // The search over the others moves the glued object to the end.
    EXPECT_EQ(doc.Objects().back(), a);

    // Two selected: no glue.
    Click(Px(3.5, 0.5), kMkShift);
    ASSERT_EQ(view.m_selection.size(), 2u);
    Click(Px(2.5, 0), kMkControl);
    EXPECT_EQ(a->P0(), (CWorldPoint{2, 0}));
}

TEST_F(SelectToolTest, PictureToolsFrameWithoutGrabbing) {
    CSegmentObj* s = AddSegment({0, 0}, {2, 0});
    view.OnCommand(32756);
    Press(Px(1, 0));
    EXPECT_EQ(view.m_nHitKind, -1);
    EXPECT_EQ(view.m_nDragState, kDragRubberBand);
    Release(Px(1, 0));
    EXPECT_FALSE(s->m_bSelected);
    EXPECT_EQ(s->P0(), (CWorldPoint{0, 0}));
}

class SegmentToolTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        view.OnCommand(32702);
    }
    std::size_t Count() const { return doc.Objects().size(); }
};

TEST_F(SegmentToolTest, ZeroLengthDragLeavesNothing) {
    Press(Px(1, 1));
    EXPECT_EQ(Count(), 2u);
    EXPECT_EQ(view.m_gesture.size(), 1u);
    Release(Px(1, 1));
    EXPECT_EQ(Count(), 1u);
    EXPECT_TRUE(view.m_gesture.empty());
    EXPECT_TRUE(view.m_selection.empty());
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(SegmentToolTest, DragMakesASegmentAtTheWorldPointsAndRepaintsItsArea) {
    Drag(Px(1, 1), Px(3, 2));
    ASSERT_EQ(Count(), 2u);
    CMyObj* obj = doc.Objects().back();
    ASSERT_TRUE(obj->IsSegment());
    auto* seg = static_cast<CSegmentObj*>(obj);
    EXPECT_EQ(seg->P0(), (CWorldPoint{1, 1}));
    EXPECT_EQ(seg->P1(), (CWorldPoint{3, 2}));
    EXPECT_EQ(view.m_selection, CObList{seg});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Invalidated(), seg->GetInvalidRect());
    EXPECT_EQ(host.invalidateAll, 0);
}

TEST_F(SegmentToolTest, PressAndReleaseSnapToOtherFiguresButNotToTheirOwnStart) {
    AddSegment({0, 0}, {0, -1});
    AddSegment({3, 3}, {4, 3});
    Drag(Px(0.1, 0.1), Px(2.9, 2.9));
    auto* seg = static_cast<CSegmentObj*>(doc.Objects().back());
    EXPECT_EQ(seg->P0(), (CWorldPoint{0, 0}));
    EXPECT_EQ(seg->P1(), (CWorldPoint{3, 3}));

    // Shorter than the match distance: it keeps its length.
    Drag(Px(-3, 1), Px(-2.8, 1));
    ASSERT_EQ(doc.Objects().size(), 5u);
    seg = static_cast<CSegmentObj*>(doc.Objects().back());
    EXPECT_EQ(seg->P1(), PixelToWorld(Px(-2.8, 1)));

    // Started on a vertex and released next to it: nothing is left.
    Drag(Px(4, 3), Px(4.1, 3.1));
    EXPECT_EQ(doc.Objects().size(), 5u);
    EXPECT_TRUE(view.m_gesture.empty());
}

TEST_F(SegmentToolTest, DrawingDeselectsAndOtherToolKindsWithoutOperationDrawNothing) {
    CSegmentObj* s = AddSegment({0, 0}, {1, 0});
    view.Select(s);
    view.OnCommand(32704);  // parallelograms: their tool comes with the figures
    Drag(Px(2, 2), Px(3, 3));
    EXPECT_EQ(Count(), 2u);
    EXPECT_FALSE(s->m_bSelected);
    EXPECT_EQ(Invalidated(), s->GetInvalidRect());
}

int g_endIsoptic = 0;
bool EndIsoptic(CGyrView&, unsigned, const CWorldPoint&) {
    ++g_endIsoptic;
    return true;
}

TEST_F(SegmentToolTest, TheIsopticHookMayTakeOverTheEndOfTheGesture) {
    g_endIsoptic = 0;
    CGyrView::GetHooks().endIsopticGesture = &EndIsoptic;
    Drag(Px(1, 1), Px(2, 1));
    EXPECT_EQ(g_endIsoptic, 1);
    EXPECT_EQ(Count(), 2u);
}

TEST_F(ViewTest, StatusBarFollowsTheMouseAndDragsOutsideScroll) {
    view.OnMouseMove(0, {425, 310});
    EXPECT_EQ(window.statusX, "x= 0.500");
    EXPECT_EQ(window.statusY, "y= -0.200");
    EXPECT_EQ(FormatCoordX(-1.23456), "x= -1.235");

    window.client = {100, 100, 500, 400};
    view.OnCommand(32702);
    Press({200, 200});
    EXPECT_TRUE(window.captured);
    Move({300, 300});
    EXPECT_TRUE(window.scrolls.empty());
    Move({520, 90});
    Move({50, 450});
    Release({50, 450});
    EXPECT_FALSE(window.captured);
    ASSERT_EQ(window.scrolls.size(), 2u);
    EXPECT_EQ(window.scrolls[0], (PixelPoint{1, -1}));
    EXPECT_EQ(window.scrolls[1], (PixelPoint{-1, 1}));
    // Moves without the button only show the position.
    view.OnMouseMove(0, {600, 600});
    EXPECT_EQ(window.scrolls.size(), 2u);
}

TEST_F(ViewTest, PaintDrawsWhatMeetsTheRectThenMarksThenTheFrame) {
    CSegmentObj* near = AddSegment({0, 0}, {1, 0});
    AddSegment({6, 5}, {7, 5});
    view.Select(near);
    RecordingCanvas dc;
    view.Paint(dc, {390, 290, 460, 310});
    int polylines = 0, inverts = 0, frames = 0;
    for (const auto& r : dc.records) {
        polylines += r.op == RecordingCanvas::Op::Polyline;
        inverts += r.op == RecordingCanvas::Op::InvertRect;
        frames += r.op == RecordingCanvas::Op::DrawFocusRect;
    }
    EXPECT_EQ(polylines, 1);
    EXPECT_EQ(inverts, 2);
    EXPECT_EQ(frames, 0);
    // Marks come after every object.
    EXPECT_EQ(dc.records.back().op, RecordingCanvas::Op::InvertRect);

    view.OnCommand(32701);
    Press(Px(3, 3));
    Move(Px(4, 2));
    dc.Clear();
    view.Paint(dc, {0, 0, 800, 600});
    ASSERT_FALSE(dc.records.empty());
    EXPECT_EQ(dc.records.back().op, RecordingCanvas::Op::DrawFocusRect);
    Release(Px(4, 2));
}

}  // namespace
}  // namespace gyr::testing

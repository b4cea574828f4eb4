// Input through the controller: gestures (selecting, rubber band, handles,
// moving, gluing, the segment tool, status bar, auto-scroll) and the keyboard.

#include <vector>

#include "control/view_fixture.h"

namespace gyr::testing {
namespace {

class SelectToolTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        view.OnCommand(ID_SELECT_TOOL);
    }
};

TEST_F(SelectToolTest, ButtonUpWithoutButtonDownDoesNothing) {
    CSegmentObj* s = AddSegment({0, 0}, {2, 0});
    state.Select(s);
    doc.SetModifiedFlag(false);
    Release(Px(1, 0), kMkShift);
    EXPECT_TRUE(host.invalidated.empty());
    EXPECT_EQ(host.beeps, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(state.m_selection, CObList{s});
    EXPECT_EQ(doc.History().DoneCount(), 0u);
}

TEST_F(SelectToolTest, ClickAndShiftClickSelectRepaintingOnlyTheObject) {
    CSegmentObj* a = AddSegment({0, 0}, {2, 0});
    CSegmentObj* b = AddSegment({0, 2}, {2, 2});
    CSegmentObj* c = AddSegment({0, 4}, {2, 4});
    Click(Px(1, 0));
    EXPECT_EQ(state.m_selection, CObList{a});
    EXPECT_EQ(Invalidated(), a->GetInvalidRect());
    EXPECT_EQ(host.invalidateAll, 0);
    EXPECT_FALSE(view.m_bMouseDown);
    // Selecting alone changes nothing that Undo would take back.
    EXPECT_FALSE(doc.History().CanUndo());
    Click(Px(1, 2), kMkShift);
    Click(Px(1, 4), kMkShift);
    EXPECT_EQ(state.m_selection, (CObList{a, b, c}));

    // Shift-click on a selected object deselects only it.
    host.Clear();
    Click(Px(1, 2), kMkShift);
    EXPECT_EQ(state.m_selection, (CObList{a, c}));
    EXPECT_FALSE(b->m_bSelected);
    EXPECT_TRUE(a->m_bSelected && c->m_bSelected);
    EXPECT_EQ(Invalidated(), b->GetInvalidRect());
    Click(Px(6, -5), kMkShift);  // shift on empty space keeps it
    EXPECT_EQ(state.m_selection, (CObList{a, c}));

    host.Clear();
    Click(Px(5, 5));  // a plain click on nothing clears it
    EXPECT_TRUE(state.m_selection.empty());
    EXPECT_EQ(Invalidated(), a->GetInvalidRect().United(c->GetInvalidRect()));
}

TEST_F(SelectToolTest, RubberBandSelectsWhatLiesInsideAndRepaintsOnlyTheFrame) {
    CSegmentObj* in = AddSegment({1, 1}, {2, 1});
    CSegmentObj* across = AddSegment({1, -1}, {5, -1});
    const PixelPoint from = Px(0.5, 1.5), to = Px(3, -1.5);
    Press(to);  // dragged from the bottom right: the frame is the same
    Move(from);
    EXPECT_EQ(view.m_nDragState, kDragRubberBand);
    EXPECT_EQ(view.m_rubberBand, (PixelRect{from.x, from.y, to.x, to.y}));
    Release(from);
    EXPECT_EQ(state.m_selection, CObList{in});
    EXPECT_FALSE(across->m_bSelected);
    EXPECT_TRUE(view.m_rubberBand.IsEmpty());
    EXPECT_EQ(host.invalidateAll, 0);
}

TEST_F(SelectToolTest, DraggingAHandleMovesTheVertexAndSnapsOnRelease) {
    CSegmentObj* a = AddSegment({0, 0}, {2, 0});
    AddSegment({3, 1}, {4, 1});
    Press(Px(2, 0));
    EXPECT_EQ(view.m_nHitKind, 2);
    EXPECT_EQ(view.m_nDragState, kDragHandle);
    Move(Px(2.9, 0.9));
    EXPECT_DOUBLE_EQ(a->P1().x, 2.9);
    Release(Px(2.9, 0.9));
    EXPECT_EQ(doc.History().UndoName(), "Reshape");
    EXPECT_EQ(a->P1(), (CWorldPoint{3, 1}));
    EXPECT_EQ(a->m_rightBottom.x, 3);
}

TEST_F(SelectToolTest, MovingTheSelectionOffsetsByTheWorldDifference) {
    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    CSegmentObj* b = AddSegment({0, 2}, {1, 2});
    CSegmentObj* still = AddSegment({-3, -3}, {-2, -3});
    Click(Px(0.5, 0));
    Click(Px(0.5, 2), kMkShift);
    const PixelRect before = state.SelectionRect();
    host.Clear();
    const PixelPoint start = Px(0.5, 0);
    Press(start);
    EXPECT_EQ(view.m_nDragState, kDragMove);
    Move({start.x + 30, start.y - 20});
    Release({start.x + 30, start.y - 20});
    // 30 and 20 pixels at 50 pixels per unit; y points up.
    EXPECT_NEAR(a->P0().x, 0.6, 1e-12);
    EXPECT_NEAR(b->P1().y, 2.4, 1e-12);
    EXPECT_NEAR(a->P0().y, 0.4, 1e-12);
    EXPECT_EQ(still->P0(), (CWorldPoint{-3, -3}));
    EXPECT_EQ(Invalidated(), before.United(state.SelectionRect()));
}

TEST_F(SelectToolTest, CtrlReleaseGluesTheOnlySelectedObjectByItsNearestVertex) {
    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    AddSegment({3, 0}, {4, 1});
    Click(Px(0.9, 0), kMkControl);
    EXPECT_EQ(a->P0(), (CWorldPoint{2, 0}));
    EXPECT_EQ(a->P1(), (CWorldPoint{3, 0}));
    EXPECT_EQ(doc.Objects().back(), a);  // the search moved it to the end
}

class SegmentToolTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        view.OnCommand(ID_SEGMENTS_TOOL);
    }
    std::size_t Count() const { return doc.Objects().size(); }
};

TEST_F(SegmentToolTest, ZeroLengthDragLeavesNothing) {
    Press(Px(1, 1));
    EXPECT_EQ(Count(), 2u);
    Release(Px(1, 1));
    EXPECT_EQ(Count(), 1u);
    EXPECT_TRUE(state.m_gesture.empty());
    EXPECT_TRUE(state.m_selection.empty());
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(SegmentToolTest, DragMakesASegmentAtTheWorldPointsAndRepaintsItsArea) {
    Drag(Px(1, 1), Px(3, 2));
    ASSERT_EQ(Count(), 2u);
    ASSERT_TRUE(doc.Objects().back()->IsSegment());
    auto* seg = static_cast<CSegmentObj*>(doc.Objects().back());
    EXPECT_EQ(seg->P0(), (CWorldPoint{1, 1}));
    EXPECT_EQ(seg->P1(), (CWorldPoint{3, 2}));
    EXPECT_EQ(state.m_selection, CObList{seg});
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
    // Started on a vertex and released next to it: nothing is left.
    Drag(Px(4, 3), Px(4.1, 3.1));
    EXPECT_EQ(Count(), 4u);
    EXPECT_TRUE(state.m_gesture.empty());
}

TEST_F(ViewTest, StatusBarFollowsTheMouseAndDragsOutsideScroll) {
    view.OnMouseMove(0, {425, 310});
    EXPECT_EQ(window.statusX, "x= 0.500");
    EXPECT_EQ(window.statusY, "y= -0.200");
    window.client = {100, 100, 500, 400};
    view.OnCommand(ID_SEGMENTS_TOOL);
    Press({200, 200});
    EXPECT_TRUE(window.captured);
    Move({520, 90});
    Move({50, 450});
    Release({50, 450});
    EXPECT_FALSE(window.captured);
    EXPECT_EQ(window.scrolls, (std::vector<PixelPoint>{{1, -1}, {-1, 1}}));
    view.OnMouseMove(0, {600, 600});  // without the button: no scroll
    EXPECT_EQ(window.scrolls.size(), 2u);
}

// The keyboard rules, typed characters and the double click.

class KeyboardTest : public ViewTest {};

TEST_F(KeyboardTest, TabCyclesThroughTheDocumentPastTheSheet) {
    EXPECT_TRUE(view.OnKeyDown(kKeyTab, 0));
    EXPECT_EQ(host.beeps, 1);  // the sheet alone: nothing to take
    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    CSegmentObj* b = AddSegment({0, 1}, {1, 1});
    CSegmentObj* c = AddSegment({0, 2}, {1, 2});
    view.OnKeyDown(kKeyTab, 0);
    EXPECT_EQ(state.m_selection, CObList{c});
    host.Clear();
    view.OnKeyDown(kKeyTab, 0);
    EXPECT_EQ(state.m_selection, CObList{a});
    EXPECT_EQ(Invalidated(), c->GetInvalidRect().United(a->GetInvalidRect()));
    view.OnKeyDown(kKeyTab, 0);
    EXPECT_EQ(state.m_selection, CObList{b});
}

TEST_F(KeyboardTest, ArrowsMoveTheSelectionByOnePixelShiftArrowsDuplicate) {
    CShapeObj* a = AddShape2({0, 0}, {1, 0});
    EXPECT_FALSE(view.OnKeyDown(kKeyRight, 0));  // nothing selected: left to the platform
    EXPECT_TRUE(view.OnKeyDown(kKeyRight, kMkShift));
    EXPECT_EQ(host.beeps, 1);
    state.Select(a);
    const PixelRect before = a->GetInvalidRect();
    EXPECT_TRUE(view.OnKeyDown(kKeyRight, 0));
    EXPECT_DOUBLE_EQ(a->GetHandle(0).x, 0.02);
    EXPECT_EQ(Invalidated(), before.United(a->GetInvalidRect()));
    view.OnKeyDown(kKeyUp, 0);
    EXPECT_DOUBLE_EQ(a->GetHandle(0).y, 0.02);
    // Consecutive arrow moves are one step.
    EXPECT_EQ(doc.History().UndoName(), "Move");
    EXPECT_EQ(doc.History().DoneCount(), 1u);

    view.OnKeyDown(kKeyRight, kMkShift);
    ASSERT_EQ(doc.Objects().size(), 3u);
    EXPECT_EQ(state.m_selection, CObList{doc.Objects().back()});

    // A selected object that is no longer in the document is no source.
    CShapeObj* loose = new CShapeObj(2);
    state.DeselectAll();
    state.Select(loose);
    view.OnKeyDown(kKeyLeft, kMkShift);
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(doc.Objects().size(), 3u);
    state.DeselectAll();
    delete loose;
}

TEST_F(KeyboardTest, DigitsSetThePolygonSidesAndF12F11Zoom) {
    EXPECT_TRUE(view.OnKeyDown('3', 0));
    EXPECT_TRUE(view.OnKeyDown('9', 0));
    EXPECT_EQ(ProgramState().params.polygonSides, 9);
    EXPECT_FALSE(view.OnKeyDown('2', 0));
    EXPECT_EQ(ProgramState().params.polygonSides, 9);

    view.OnKeyDown(kKeyF12, 0);
    EXPECT_EQ(doc.m_sheetParams.unitX, 75);
    EXPECT_EQ(Mapping().unitX, 75);
    ProgramState().params.homothetyModulus = 2.0;
    view.OnKeyDown(kKeyF11, 0);
    EXPECT_EQ(doc.m_sheetParams.unitY, 37);
}

TEST_F(KeyboardTest, TypedCharactersAreNoKeyOfTheView) {
    // Control characters, the space and the polygon digits make no text box.
    for (char32_t ch : {8u, 13u, unsigned('1'), 0x7Fu, unsigned(' '), 0x85u}) view.OnChar(ch);
    EXPECT_EQ(doc.Objects().size(), 1u);
    EXPECT_EQ(host.beeps, 0);
}

}  // namespace
}  // namespace gyr::testing

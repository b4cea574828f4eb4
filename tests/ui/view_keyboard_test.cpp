// The keyboard rules, typed characters and the double click.

#include <vector>

#include "ui/view_fixture.h"

namespace gyr::testing {
namespace {

struct Calls {
    std::vector<CMyObj*> objectData;
    std::vector<unsigned> chars;
    int cuts = 0;
    bool recording = false;
    std::vector<int> undoKinds;
};
Calls g_calls;

class KeyboardTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        g_calls = {};
        auto& hooks = CGyrView::GetHooks();
        hooks.objectData = [](CGyrView&, CMyObj* obj) { g_calls.objectData.push_back(obj); };
        hooks.typeChar = [](CGyrView&, unsigned ch) { g_calls.chars.push_back(ch); };
        hooks.cut = [](CGyrView&) { ++g_calls.cuts; };
        hooks.isScriptRecording = [] { return g_calls.recording; };
        hooks.setUndoKind = [](int kind) { g_calls.undoKinds.push_back(kind); };
    }
};

TEST_F(KeyboardTest, TabCyclesThroughTheDocumentPastTheSheet) {
    EXPECT_TRUE(view.OnKeyDown(kKeyTab, 0));
    EXPECT_EQ(host.beeps, 1);  // the sheet alone: nothing to take

    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    CSegmentObj* b = AddSegment({0, 1}, {1, 1});
    CSegmentObj* c = AddSegment({0, 2}, {1, 2});
    view.OnKeyDown(kKeyTab, 0);
    EXPECT_EQ(view.m_selection, CObList{c});
    host.Clear();
    view.OnKeyDown(kKeyTab, 0);
    EXPECT_EQ(view.m_selection, CObList{a});
    EXPECT_FALSE(c->m_bSelected);
    EXPECT_EQ(Invalidated(), c->GetInvalidRect().United(a->GetInvalidRect()));
    view.OnKeyDown(kKeyTab, 0);
    EXPECT_EQ(view.m_selection, CObList{b});

    // From the most recently selected one.
    view.Select(a);
    view.OnKeyDown(kKeyTab, 0);
    EXPECT_EQ(view.m_selection, CObList{b});
}

TEST_F(KeyboardTest, ArrowsMoveTheSelectionByOnePixel) {
    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    CSegmentObj* b = AddSegment({0, 2}, {1, 2});
    view.Select(a);
    const PixelRect before = a->GetInvalidRect();
    EXPECT_TRUE(view.OnKeyDown(kKeyRight, 0));
    EXPECT_DOUBLE_EQ(a->P0().x, 0.02);
    EXPECT_EQ(WorldToPixel(a->P0()), (PixelPoint{401, 300}));
    EXPECT_EQ(Invalidated(), before.United(a->GetInvalidRect()));
    view.OnKeyDown(kKeyUp, 0);
    EXPECT_DOUBLE_EQ(a->P0().y, 0.02);
    view.OnKeyDown(kKeyLeft, 0);
    view.OnKeyDown(kKeyDown, 0);
    EXPECT_NEAR(a->P0().x, 0, 1e-12);
    EXPECT_NEAR(a->P0().y, 0, 1e-12);
    EXPECT_EQ(b->P0(), (CWorldPoint{0, 2}));
    EXPECT_EQ(g_calls.undoKinds, (std::vector<int>{3, 3, 3, 3}));

    // Nothing selected: the key is left to the platform, without a beep.
    view.DeselectAll();
    EXPECT_FALSE(view.OnKeyDown(kKeyRight, 0));
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(KeyboardTest, ShiftArrowsDuplicateOrBeep) {
    EXPECT_TRUE(view.OnKeyDown(kKeyRight, kMkShift));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(doc.Objects().size(), 1u);

    CShapeObj* a = AddShape2({0, 0}, {1, 0});
    view.Select(a);
    view.OnKeyDown(kKeyRight, kMkShift);
    ASSERT_EQ(doc.Objects().size(), 3u);
    CMyObj* copy = doc.Objects().back();
    EXPECT_EQ(view.m_selection, CObList{copy});
    EXPECT_EQ(copy->GetHandle(0), (CWorldPoint{1, 0}));

    // A selected object that is no longer in the document is no source.
    CShapeObj* loose = new CShapeObj(2);
    view.DeselectAll();
    view.Select(loose);
    view.OnKeyDown(kKeyLeft, kMkShift);
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(doc.Objects().size(), 3u);
    view.DeselectAll();
    delete loose;
}

TEST_F(KeyboardTest, DigitsSetThePolygonSides) {
    for (int d = 3; d <= 9; ++d) {
        EXPECT_TRUE(view.OnKeyDown('0' + d, 0));
        EXPECT_EQ(ProgramState().params.polygonSides, d);
    }
    EXPECT_FALSE(view.OnKeyDown('2', 0));
    EXPECT_EQ(ProgramState().params.polygonSides, 9);
}

TEST_F(KeyboardTest, F12AndF11ZoomByTheHomothetyModulus) {
    view.OnKeyDown(kKeyF12, 0);
    EXPECT_EQ(doc.m_sheetParams.unitX, 75);
    EXPECT_EQ(Mapping().unitX, 75);
    view.OnKeyDown(kKeyF11, 0);
    EXPECT_EQ(doc.m_sheetParams.unitX, 50);
    ProgramState().params.homothetyModulus = 2.0;
    view.OnKeyDown(kKeyF12, 0);
    EXPECT_EQ(doc.m_sheetParams.unitY, 100);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(KeyboardTest, EnterCutAndAngleKeysNeedTheirTargets) {
    view.OnKeyDown(kKeyReturn, 0);
    view.OnKeyDown(kKeyDelete, 0);
    view.OnKeyDown(kKeyF8, 0);
    EXPECT_EQ(host.beeps, 3);
    EXPECT_TRUE(g_calls.objectData.empty());
    EXPECT_EQ(g_calls.cuts, 0);

    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    CSegmentObj* b = AddSegment({0, 1}, {1, 1});
    view.Select(a);
    view.Select(b);
    view.OnKeyDown(kKeyReturn, 0);
    EXPECT_EQ(g_calls.objectData, std::vector<CMyObj*>{b});
    view.OnKeyDown(kKeyBack, 0);
    view.OnKeyDown(kKeyDelete, 0);
    EXPECT_EQ(g_calls.cuts, 2);
    g_calls.recording = true;
    view.OnKeyDown(kKeyDelete, 0);
    EXPECT_EQ(g_calls.cuts, 2);
    // No angle among the selection.
    view.OnKeyDown(kKeyF9, kMkControl);
    EXPECT_EQ(host.beeps, 4);
    EXPECT_FALSE(view.OnKeyDown('A', 0));
}

TEST_F(KeyboardTest, TypedCharactersSkipDigitsAndControls) {
    for (unsigned ch : {unsigned('a'), 8u, 13u, unsigned('1'), unsigned('9'), unsigned('0'),
                        unsigned(' '), 0x7Fu, 0xE9u})
        view.OnChar(ch);
    EXPECT_EQ(g_calls.chars, (std::vector<unsigned>{'a', '0', ' ', 0xE9u}));
}

TEST_F(KeyboardTest, DoubleClickOpensTheDataOfTheObjectOrTheSheet) {
    CSegmentObj* a = AddSegment({0, 0}, {2, 0});
    view.OnLButtonDblClk(0, Px(1, 0));
    view.OnLButtonDblClk(kMkControl, Px(5, 5));
    ASSERT_EQ(g_calls.objectData.size(), 2u);
    EXPECT_EQ(g_calls.objectData[0], a);
    EXPECT_EQ(g_calls.objectData[1], doc.Objects().front());
    view.OnLButtonDblClk(0, Px(5, 5));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(g_calls.objectData.size(), 2u);
}

}  // namespace
}  // namespace gyr::testing

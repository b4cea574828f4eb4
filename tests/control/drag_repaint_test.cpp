// A drag's repaints go through the paint index: they must draw exactly what
// a scan of the whole catalogue draws, whatever the gesture moves.

#include <random>

#include "control/view_fixture.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

class DragRepaintTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> centre(-7, 7), offset(-1, 1);
        for (int i = 0; i < 400; ++i) {
            const CWorldPoint c{centre(rng), centre(rng) * 0.8};
            AddSegment(c + CWorldPoint{offset(rng), offset(rng)},
                       c + CWorldPoint{offset(rng), offset(rng)});
        }
    }

    // The damaged area painted by the view, against a plain scan of it.
    void ExpectRepaintAsAFullScan() {
        const PixelRect r = Invalidated();
        host.Clear();
        ASSERT_FALSE(r.IsEmpty());
        RecordingCanvas painted, scanned;
        view.Paint(painted, r);
        DrawInRect(doc.Objects(), scanned, r);
        for (const CMyObj* obj : state.m_selection) obj->DrawMarks(scanned);
        EXPECT_EQ(painted.lines, scanned.lines);
    }
};

TEST_F(DragRepaintTest, DrawingAndMovingRepaintAsAFullScan) {
    view.OnCommand(ID_SEGMENTS_TOOL);
    state.m_bMatchPoints = false;
    Press(Px(0, 0));
    for (int step = 1; step <= 6; ++step) {
        Move(Px(0.7 * step, 0.4 * step));
        ExpectRepaintAsAFullScan();
    }
    Release(Px(4.2, 2.4));
    host.Clear();

    // The new segment is selected and dragged away through the others.
    view.OnCommand(ID_SELECT_TOOL);
    CMyObj* made = doc.Objects().back();
    Press(Px(2.1, 1.2));
    ASSERT_EQ(state.m_selection.size(), 1u);
    ASSERT_EQ(state.m_selection.front(), made);
    for (int step = 1; step <= 6; ++step) {
        Move(Px(2.1 - step, 1.2 - 0.5 * step));
        ExpectRepaintAsAFullScan();
    }
    // A key that moves the selection in the middle of the drag.
    view.OnKeyDown(kKeyLeft, 0);
    Move(Px(-4, -2));
    ExpectRepaintAsAFullScan();
    Release(Px(-4, -2));
}

}  // namespace
}  // namespace gyr::testing

// Gestures of a new user in the real window: keys held while clicking, the
// arc on an angle, the two-stage tools, and the save question before work is
// thrown away.

#include <gtest/gtest.h>

#include <QCursor>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "desktop/main_window_fixture.h"
#include "desktop/sheet_view.h"
#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"
#include "figures/triangle_obj.h"

namespace gyr {
namespace {

using WindowGestureTest = MainWindowTest;

TEST_F(WindowGestureTest, CtrlClickWithF1OrF2HeldPlacesTheTransformCentres) {
    ProgramState().params.rotationCentre = {-1, 0.5};
    ProgramState().params.homothetyCentre = {0.5, -2};
    m_window->RunCommand(ID_SEGMENTS_TOOL);
    Drag({1, 1}, {2, 2});
    Drag({1, 2}, {2, 1});
    m_window->RunCommand(ID_DRAW_POINTS);

    Key(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    Key(QEvent::KeyPress, Qt::Key_F1, Qt::ControlModifier);
    Click({3, 3}, Qt::ControlModifier);
    ASSERT_NE(LastOf<CPointObj>(), nullptr);
    EXPECT_EQ(LastOf<CPointObj>()->Centre(), CWorldPoint(-1, 0.5));
    Key(QEvent::KeyRelease, Qt::Key_F1, Qt::ControlModifier);

    Key(QEvent::KeyPress, Qt::Key_F2, Qt::ControlModifier);
    Click({3, 3}, Qt::ControlModifier);
    EXPECT_EQ(LastOf<CPointObj>()->Centre(), CWorldPoint(0.5, -2));
    Key(QEvent::KeyRelease, Qt::Key_F2, Qt::ControlModifier);

    // Once both are up again, Ctrl alone takes the crossing.
    Click({3, 3}, Qt::ControlModifier);
    ExpectNear(LastOf<CPointObj>()->Centre(), {1.5, 1.5});
    Key(QEvent::KeyRelease, Qt::Key_Control);
    EXPECT_EQ(m_doc->Objects().size(), 6u);
}

TEST_F(WindowGestureTest, ArcOnAngleMakesItsArcAtTheClick) {
    m_window->RunCommand(ID_ANGLE_FROM_SIDE);
    Drag({2, 0}, {0, 0});
    Drag({0, 0}, {0, 2});
    ASSERT_NE(LastOf<CAngle>(), nullptr);
    m_window->RunCommand(ID_ARC_ON_ANGLE);
    Click({1.5, 0});
    const CArcObj* arc = LastOf<CArcObj>();
    ASSERT_NE(arc, nullptr);
    ExpectNear(arc->m_points[0], {0, 0});
    ExpectNear(arc->m_points[1], {1.5, 0});
    ExpectNear(arc->m_points[2], {0, 1.5});
    EXPECT_NEAR(arc->m_sweep, std::numbers::pi / 2, 1e-9);
}

TEST_F(WindowGestureTest, TheTrianglesToolLeavesAnOlderSegmentAlone) {
    m_window->RunCommand(ID_SEGMENTS_TOOL);
    Drag({-6, -5}, {-4, -5});
    CSegmentObj* mine = LastOf<CSegmentObj>();
    ASSERT_NE(mine, nullptr);
    std::vector<std::string> shown;
    m_host.SetMessageAnswerer([&](const std::string& text, MsgIcon, MsgButtons) {
        shown.push_back(text);
        return MsgAnswer::Ok;
    });
    m_window->RunCommand(ID_TRIANGLES_TOOL);
    Click({1, 1});
    Drag({2, -6}, {3, -7});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], kBadDefinitionMessage);
    EXPECT_EQ(LastOf<CTriangle>(), nullptr);
    EXPECT_EQ(m_doc->Objects().back(), mine);
}

TEST_F(WindowGestureTest, ASaveCancelledInTheChooserKeepsTheDrawing) {
    m_window->RunCommand(ID_SEGMENTS_TOOL);
    Drag({1, 1}, {2, 2});
    m_host.SetMessageAnswerer([](const std::string&, MsgIcon, MsgButtons buttons) {
        return buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes : MsgAnswer::Ok;
    });
    int chooserRuns = 0;
    m_host.SetSaveChooser([&](const std::string&, const std::string&, const std::string&) {
        ++chooserRuns;
        return FileChoice{false, ""};
    });
    m_window->RunCommand(ID_FILE_NEW);
    EXPECT_EQ(chooserRuns, 1);
    EXPECT_EQ(m_doc->Objects().size(), 2u);
    EXPECT_TRUE(m_doc->IsModified());
    // Closing asks the same and stays open.
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(chooserRuns, 2);
    m_host.SetMessageAnswerer(
        [](const std::string&, MsgIcon, MsgButtons) { return MsgAnswer::No; });
}

TEST_F(WindowGestureTest, StatusBarSaysReadyOnceThePointerLeavesAndFollowsAZoom) {
    QStatusBar* bar = m_window->statusBar();
    EXPECT_EQ(bar->currentMessage(), "Ready");
    QWidget* button =
        m_window->ToolBar(ID_VIEW_TOOLBAR)->widgetForAction(m_window->Action(ID_SEGMENTS_TOOL));
    ASSERT_NE(button, nullptr);
    QStatusTipEvent tip("Draws segments");
    QApplication::sendEvent(button, &tip);
    EXPECT_EQ(bar->currentMessage(), "Draws segments");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(bar->currentMessage(), "Ready");

    // F12 with the pointer resting on the sheet: the panes show the world
    // point under it at the new scale.
    QWidget* sheet = m_window->Sheet();
    const QRect visible = sheet->visibleRegion().boundingRect();
    ASSERT_FALSE(visible.isEmpty());
    const QPoint at = visible.center();
    QCursor::setPos(sheet->mapToGlobal(at));
    const std::string before = m_window->StatusX().toStdString();
    Key(QEvent::KeyPress, Qt::Key_F12);
    const std::string expected = FormatCoordX(PixelToWorld({at.x(), at.y()}).x);
    EXPECT_EQ(m_window->StatusX().toStdString(), expected);
    EXPECT_NE(m_window->StatusX().toStdString(), before);
}

TEST_F(WindowGestureTest, EveryMainToolButtonShowsWithTheGroupBarAtTheDefaultWidth) {
    // The window's default size on a screen that has room for it (the test
    // screen is smaller).
    m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_window->resize(1100, 800);
    m_window->RunCommand(ID_VIEW_GROUP_BAR);
    QApplication::processEvents();
    QToolBar* group = m_window->ToolBar(ID_VIEW_GROUP_BAR);
    ASSERT_TRUE(group->isVisible());
    for (QToolBar* bar : {m_window->ToolBar(ID_VIEW_TOOLBAR), group}) {
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) continue;
            QWidget* button = bar->widgetForAction(action);
            ASSERT_NE(button, nullptr);
            EXPECT_TRUE(button->isVisible()) << action->text().toStdString();
        }
    }
}

}  // namespace
}  // namespace gyr

// The isoptic constructions in the window: "Flexes" on the cubic of the
// constants dialog's defaults, and a drag of the angle animation.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <vector>

#include "control/command_table.h"
#include "desktop/dialog_view.h"
#include "desktop/main_window_fixture.h"
#include "figures/angle_obj.h"
#include "figures/isoptic_obj.h"
#include "figures/point_obj.h"
#include "math/sheet_mapping.h"

namespace gyr {
namespace {

class IsopticWindowTest : public MainWindowTest {
protected:
    // OK on the dialog's defaults: the cubic -1, -3, 1 in the standard frame.
    CIsoptic* DefaultCubic() {
        QTimer::singleShot(0, [] {
            auto* view = qobject_cast<DialogView*>(QApplication::activeModalWidget());
            ASSERT_NE(view, nullptr);
            view->OkButton()->click();
        });
        m_window->RunCommand(ID_ISOPTIC_CONSTANTS);
        return dynamic_cast<CIsoptic*>(m_doc->Objects().back());
    }
    template <class T>
    std::vector<T*> Made(std::size_t from) const {
        std::vector<T*> out;
        for (std::size_t i = from; i < m_doc->Objects().size(); ++i)
            if (m_doc->Objects()[i]->GetRuntimeClass() == &T::kClass)
                out.push_back(static_cast<T*>(m_doc->Objects()[i]));
        return out;
    }
};

TEST_F(IsopticWindowTest, FlexesOfTheDefaultCubicAreThreePoints) {
    CIsoptic* cubic = DefaultCubic();
    ASSERT_NE(cubic, nullptr);
    EXPECT_TRUE(m_window->Action(ID_ISOPTIC_FLEXES)->isEnabled());
    const std::size_t before = m_doc->Objects().size();
    m_window->RunCommand(ID_ISOPTIC_FLEXES);
    Click(cubic->m_pts[1]);
    const auto points = Made<CPointObj>(before);
    ASSERT_EQ(points.size(), 3u);
    ExpectNear(points[0]->Centre(), {-1.558201, -1.702102});
    ExpectNear(points[1]->Centre(), {-1.934624, 2.194275});
    ExpectNear(points[2]->Centre(), {-0.920594, -8.302021});
}

TEST_F(IsopticWindowTest, AnAnimationDragMovesBothAngles) {
    CIsoptic* cubic = DefaultCubic();
    ASSERT_NE(cubic, nullptr);
    m_view->State().m_bMatchPoints = false;
    m_window->RunCommand(ID_ISOPTIC_ANIMATION);
    Click(cubic->m_pts[1]);
    const std::size_t before = m_doc->Objects().size();
    const CWorldPoint from{-2, 2}, to{-0.5, -3};
    Drag(from, to);
    const auto angles = Made<CAngle>(before);
    ASSERT_EQ(angles.size(), 2u);
    const CWorldPoint foot = cubic->NearestPointOn(to);
    const CWorldPoint start = cubic->NearestPointOn(from);
    EXPECT_GT(std::hypot(foot.x - start.x, foot.y - start.y), 1);
    for (const CAngle* a : angles) ExpectNear(a->V1(), foot);
    const double d =
        std::remainder(angles[0]->GetAngleValue() - angles[1]->GetAngleValue(), 3.141592653589793);
    EXPECT_NEAR(d, 0, 1e-9);
}

TEST_F(IsopticWindowTest, AnimationMovesWaitForTheFrameAndEscStopsWhereTheScreenIs) {
    CIsoptic* cubic = DefaultCubic();
    ASSERT_NE(cubic, nullptr);
    m_view->State().m_bMatchPoints = false;
    m_window->RunCommand(ID_ISOPTIC_ANIMATION);
    Click(cubic->m_pts[1]);
    const std::size_t before = m_doc->Objects().size();
    QWidget* sheet = m_window->Sheet();
    auto send = [sheet](QEvent::Type type, CWorldPoint w, Qt::MouseButton button) {
        const PixelPoint p = WorldToPixel(w);
        const QPointF at(p.x, p.y);
        QMouseEvent event(type, at, sheet->mapToGlobal(at), button, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(sheet, &event);
    };
    const CWorldPoint from{-2, 2};
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    const auto angles = Made<CAngle>(before);
    ASSERT_EQ(angles.size(), 2u);
    const CWorldPoint start = angles[0]->V1();

    // Three moves in a row: none is tracked before the window's next frame,
    // which then tracks the last one only.
    for (CWorldPoint w : {CWorldPoint{-1, 0}, CWorldPoint{-0.5, -2}, CWorldPoint{-0.5, -3}})
        send(QEvent::MouseMove, w, Qt::NoButton);
    EXPECT_EQ(angles[0]->V1(), start);
    QElapsedTimer waited;
    waited.start();
    while (angles[0]->V1() == start && waited.elapsed() < 2000) QApplication::processEvents();
    const CWorldPoint shown = cubic->NearestPointOn(PixelToWorld(WorldToPixel({-0.5, -3})));
    ExpectNear(angles[0]->V1(), shown);
    ExpectNear(angles[1]->V1(), shown);

    // A move waits; Esc drops it and ends the drag where the angles are.
    send(QEvent::MouseMove, {-2, 2}, Qt::NoButton);
    Key(QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_FALSE(m_view->m_bMouseDown);
    send(QEvent::MouseMove, {1, -1}, Qt::NoButton);
    send(QEvent::MouseButtonRelease, {1, -1}, Qt::LeftButton);
    QApplication::processEvents();
    ExpectNear(angles[0]->V1(), shown);
    EXPECT_EQ(Made<CAngle>(before).size(), 2u);
}

}  // namespace
}  // namespace gyr

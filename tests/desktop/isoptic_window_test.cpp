// The isoptic constructions in the window: "Flexes" on the cubic of the
// constants dialog's defaults, and a drag of the angle animation.

#include <gtest/gtest.h>

#include <QApplication>
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

}  // namespace
}  // namespace gyr

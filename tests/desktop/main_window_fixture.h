#pragma once
// A main window over a real document and controller, with the Qt host
// installed; gestures and keys synthesised on its sheet widget.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

#include "control/gyr_view.h"
#include "desktop/main_window.h"
#include "desktop/qt_host.h"
#include "desktop/sheet_view.h"
#include "figures/class_registry.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/program_state.h"

namespace gyr {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Keeps the recent files out of the user's own settings.
        QStandardPaths::setTestModeEnabled(true);
        QSettings().remove("Recent File List");
        ResetProgramState();
        SetHost(&m_host);
        m_doc = std::make_unique<CGyrDoc>(DrawingClasses());
        m_view = std::make_unique<CGyrView>(m_doc.get());
        m_doc->OnNewDocument();
        m_window = std::make_unique<MainWindow>(*m_doc, *m_view);
        m_host.SetWindow(m_window.get());
        m_host.SetSheetView(m_window->Sheet());
        m_window->show();
        QApplication::processEvents();
    }

    void TearDown() override {
        m_host.SetSheetView(nullptr);
        m_host.SetWindow(nullptr);
        m_host.SetMessageAnswerer({});
        m_window.reset();
        m_view.reset();
        m_doc.reset();
        SetHost(nullptr);
    }

    bool Checked(int id) const { return m_window->Action(id)->isChecked(); }
    // Press at a, one move to b, release at b, on the sheet widget.
    void Drag(CWorldPoint a, CWorldPoint b, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* sheet = m_window->Sheet();
        auto send = [sheet, mods](QEvent::Type type, CWorldPoint w, Qt::MouseButton button,
                                  Qt::MouseButtons buttons) {
            const PixelPoint p = WorldToPixel(w);
            const QPointF at(p.x, p.y);
            QMouseEvent event(type, at, sheet->mapToGlobal(at), button, buttons, mods);
            QApplication::sendEvent(sheet, &event);
        };
        send(QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
    }
    void Click(CWorldPoint a, Qt::KeyboardModifiers mods = Qt::NoModifier) { Drag(a, a, mods); }
    // A key going down or up on the sheet widget.
    void Key(QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent event(type, key, mods);
        QApplication::sendEvent(m_window->Sheet(), &event);
    }

    template <typename T>
    T* LastOf() const {
        for (auto it = m_doc->Objects().rbegin(); it != m_doc->Objects().rend(); ++it)
            if (auto* obj = dynamic_cast<T*>(*it)) return obj;
        return nullptr;
    }

    QtHost m_host;
    std::unique_ptr<CGyrDoc> m_doc;
    std::unique_ptr<CGyrView> m_view;
    std::unique_ptr<MainWindow> m_window;
};

// Within a pixel of the expected world point.
inline void ExpectNear(CWorldPoint got, CWorldPoint want) {
    const double tol = 1.0 / Mapping().unitX + 1e-9;
    EXPECT_NEAR(got.x, want.x, tol);
    EXPECT_NEAR(got.y, want.y, tol);
}

}  // namespace gyr

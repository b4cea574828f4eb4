// The main window over a real document and controller: commands by id and
// their check marks, the file commands with answered choosers, gestures
// synthesised on the sheet widget, dropped files, closing.

#include "desktop/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>
#include <cmath>
#include <memory>

#include "desktop/qt_host.h"
#include "desktop/recent_files.h"
#include "desktop/sheet_view.h"
#include "doc/document.h"
#include "doc/point_obj.h"
#include "doc/program_state.h"
#include "doc/segment_obj.h"
#include "geom/circle_obj.h"
#include "ui/command_table.h"
#include "ui/menu_tree.h"
#include "ui/sheet_mapping.h"
#include "ui/tool_registry.h"

namespace gyr {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Keeps the recent files out of the user's own settings.
        QStandardPaths::setTestModeEnabled(true);
        QSettings().remove("Recent File List");
        ResetProgramState();
        SetHost(&m_host);
        RegisterTools();
        m_doc = std::make_unique<CGyrDoc>();
        m_view = std::make_unique<CGyrView>(m_doc.get());
        m_doc->AddView(m_view.get());
        m_host.SetActive(m_doc.get(), m_view.get());
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
        m_doc->RemoveView(m_view.get());
        m_view.reset();
        m_doc.reset();
        SetHost(nullptr);
    }

    bool Checked(int id) const { return m_window->Action(id)->isChecked(); }

    // Press at a, one move to b, release at b, on the sheet widget.
    void Drag(CWorldPoint a, CWorldPoint b) {
        QWidget* sheet = m_window->Sheet();
        auto send = [sheet](QEvent::Type type, CWorldPoint w, Qt::MouseButton button,
                            Qt::MouseButtons buttons) {
            const PixelPoint p = WorldToPixel(w);
            const QPointF at(p.x, p.y);
            QMouseEvent event(type, at, sheet->mapToGlobal(at), button, buttons, Qt::NoModifier);
            QApplication::sendEvent(sheet, &event);
        };
        send(QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
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
void ExpectNear(CWorldPoint got, CWorldPoint want) {
    const double tol = 1.0 / Mapping().unitX + 1e-9;
    EXPECT_NEAR(got.x, want.x, tol);
    EXPECT_NEAR(got.y, want.y, tol);
}

TEST_F(MainWindowTest, StartsOnAnUntitledCentredSheetWithTheTrianglesTool) {
    EXPECT_EQ(m_window->windowTitle(), "Untitled - Gyrovant");
    EXPECT_FALSE(m_window->windowIcon().isNull());
    EXPECT_EQ(m_doc->Objects().size(), 1u);
    EXPECT_EQ(m_view->m_nToolKind, kToolTriangle);
    EXPECT_TRUE(Checked(32706));
    EXPECT_EQ(m_window->StatusX(), "x=");
    EXPECT_EQ(m_window->StatusY(), "y=");
    QScrollBar* h = m_window->ScrollArea()->horizontalScrollBar();
    const int page = m_window->ScrollArea()->viewport()->width() - 20;
    EXPECT_EQ(h->value(), std::clamp((Mapping().sheetWidth - page + 20) / 2, 0, h->maximum()));
    EXPECT_EQ(h->singleStep(), 20);
}

TEST_F(MainWindowTest, EveryMenuEntryAndButtonHasItsAction) {
    for (int id : MenuCommandIds()) {
        QAction* action = m_window->Action(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action->text(), QString::fromUtf8(FindMenuItem(id)->text)) << id;
    }
    for (const CommandEntry& cmd : CommandTable())
        EXPECT_NE(m_window->Action(cmd.id), nullptr) << cmd.id;
    EXPECT_EQ(m_window->Action(57603)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(m_window->Action(ID_EDIT_COPY)->shortcuts().value(1), QKeySequence("Ctrl+Ins"));
    EXPECT_EQ(m_window->ToolBar(ID_VIEW_LINE_BAR)->windowTitle(), "line-thickness and pattern");
    EXPECT_EQ(m_window->ToolBar(ID_VIEW_COLOR_BAR)->windowTitle(), "pen-color");
    EXPECT_EQ(m_window->toolBarArea(m_window->ToolBar(ID_VIEW_COLOR_BAR)), Qt::RightToolBarArea);
    EXPECT_EQ(m_window->Action(32702)->toolTip(), "Line-segments");
    EXPECT_FALSE(m_window->Action(32808)->icon().isNull());
}

TEST_F(MainWindowTest, CommandsSetToolStateAndCheckMarks) {
    m_window->Action(33004)->trigger();  // the menu entry
    EXPECT_EQ(m_view->m_nToolKind, kToolCircle);
    EXPECT_EQ(m_view->m_nToolCode, 705);
    EXPECT_TRUE(Checked(33004));
    EXPECT_TRUE(Checked(32713));
    EXPECT_FALSE(Checked(32706));

    EXPECT_TRUE(m_window->RunCommand(33030));
    EXPECT_EQ(m_view->m_nToolCode, 10030);
    EXPECT_TRUE(Checked(33030));
    EXPECT_TRUE(Checked(32710));
    // The Circles group still remembers its last entry.
    EXPECT_TRUE(Checked(33004));

    m_window->RunCommand(32742);  // dash forces the 1-pixel width
    EXPECT_TRUE(Checked(32742));
    EXPECT_TRUE(Checked(32721));
    EXPECT_FALSE(Checked(32722));
    m_window->RunCommand(32921);
    EXPECT_TRUE(Checked(32921));
    EXPECT_TRUE(Checked(32808));  // the region's remembered no-colour

    m_window->Action(32880)->trigger();
    EXPECT_FALSE(m_view->m_bMatchPoints);
    EXPECT_FALSE(Checked(32812));

    m_window->RunCommand(ID_VIEW_LINE_BAR);
    EXPECT_FALSE(m_window->ToolBar(ID_VIEW_LINE_BAR)->isVisible());
    EXPECT_FALSE(Checked(ID_VIEW_LINE_BAR));
}

TEST_F(MainWindowTest, EntriesWithoutAHandlerAreDisabled) {
    EXPECT_TRUE(m_window->Action(32758)->isEnabled());  // a row of the command table
    EXPECT_TRUE(m_window->Action(57600)->isEnabled());
    EXPECT_EQ(m_window->Action(ID_EDIT_UNDO)->isEnabled(), m_window->IsAvailable(ID_EDIT_UNDO));
    EXPECT_FALSE(m_window->Action(ID_VIEW_FONT_BAR)->isVisible());
}

TEST_F(MainWindowTest, GesturesOnTheSheetDrawFigures) {
    m_window->RunCommand(32702);
    Drag({1, 1}, {3, 2});
    auto* seg = LastOf<CSegmentObj>();
    ASSERT_NE(seg, nullptr);
    ExpectNear(seg->m_points[0], {1, 1});
    ExpectNear(seg->m_points[1], {3, 2});
    const CWorldPoint shown = PixelToWorld(WorldToPixel({3, 2}));
    EXPECT_EQ(m_window->StatusX().toStdString(), FormatCoordX(shown.x));
    EXPECT_EQ(m_window->StatusY().toStdString(), FormatCoordY(shown.y));

    m_window->RunCommand(33001);
    Drag({-2, -1}, {-2, 1});
    auto* circle = LastOf<CCircleObj>();
    ASSERT_NE(circle, nullptr);
    ExpectNear(circle->Centre(), {-2, -1});
    EXPECT_NEAR(circle->m_radius, 2.0, 2.0 / Mapping().unitX);

    m_window->RunCommand(32753);
    Drag({0.5, -3}, {0.5, -3});
    auto* point = LastOf<CPointObj>();
    ASSERT_NE(point, nullptr);
    ExpectNear(point->Centre(), {0.5, -3});
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(MainWindowTest, KeysReachTheControllerAndZoomResizesTheSheet) {
    QWidget* sheet = m_window->Sheet();
    const int unit = Mapping().unitX;
    QKeyEvent zoomIn(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier);
    QApplication::sendEvent(sheet, &zoomIn);
    EXPECT_GT(Mapping().unitX, unit);
    // With the sheet itself expanding, the widget follows its new size.
    m_doc->m_expansion = 0;
    const int width = sheet->width();
    QApplication::sendEvent(sheet, &zoomIn);
    EXPECT_GT(sheet->width(), width);
    EXPECT_EQ(sheet->width(), Mapping().sheetWidth);

    QKeyEvent eight(QEvent::KeyPress, Qt::Key_8, Qt::NoModifier, "8");
    QApplication::sendEvent(sheet, &eight);
    EXPECT_EQ(ProgramState().params.polygonSides, 8);
}

TEST_F(MainWindowTest, SaveAsOpenAndNewGoThroughTheWindow) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("drawing.gyr").toStdString();
    m_host.SetSaveChooser([&](const std::string&, const std::string& ext, const std::string&) {
        EXPECT_EQ(ext, "gyr");
        return FileChoice{true, path};
    });
    m_window->RunCommand(32702);
    Drag({1, 1}, {2, 2});
    m_window->RunCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(m_window->windowTitle(), "drawing.gyr - Gyrovant");
    EXPECT_FALSE(m_doc->IsModified());
    RecentFiles recent;
    recent.Load();
    ASSERT_EQ(recent.Files().size(), 1);
    EXPECT_EQ(recent.Files().front().toStdString(), path);

    m_window->RunCommand(ID_FILE_NEW);
    EXPECT_EQ(m_doc->Objects().size(), 1u);
    EXPECT_EQ(m_window->windowTitle(), "Untitled - Gyrovant");

    m_host.SetOpenChooser([&](const std::string&) { return FileChoice{true, path}; });
    m_window->RunCommand(ID_FILE_OPEN);
    EXPECT_EQ(m_doc->Objects().size(), 2u);
    EXPECT_EQ(m_window->windowTitle(), "drawing.gyr - Gyrovant");
    EXPECT_EQ(m_view->m_nToolKind, kToolTriangle);  // the first update ran again
}

TEST_F(MainWindowTest, SaveChangesGuardsNewAndClose) {
    m_window->RunCommand(32702);
    Drag({1, 1}, {2, 2});
    std::string asked;
    m_host.SetMessageAnswerer([&](const std::string& text, MsgIcon, MsgButtons buttons) {
        asked = text;
        EXPECT_EQ(buttons, MsgButtons::YesNoCancel);
        return MsgAnswer::Cancel;
    });
    m_window->RunCommand(ID_FILE_NEW);
    EXPECT_EQ(asked, "Save changes of this document?");
    EXPECT_EQ(m_doc->Objects().size(), 2u);
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());

    m_host.SetMessageAnswerer(
        [](const std::string&, MsgIcon, MsgButtons) { return MsgAnswer::No; });
    EXPECT_TRUE(m_window->close());
}

TEST_F(MainWindowTest, ADroppedFileOpens) {
    QTemporaryDir dir;
    const QString path = dir.filePath("dropped.gyr");
    m_window->RunCommand(32702);
    Drag({1, 1}, {2, 2});
    ASSERT_TRUE(m_doc->OnSaveDocument(path.toStdString()));
    m_window->RunCommand(ID_FILE_NEW);

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = m_window->rect().center();
    // Qt delivers a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &drop);
    EXPECT_EQ(m_doc->Objects().size(), 2u);
    EXPECT_EQ(m_window->windowTitle(), "dropped.gyr - Gyrovant");
}

}  // namespace
}  // namespace gyr

// The edit commands in the window: the clipboard's three formats after a
// copy, a paste back, the Undo and Redo entries naming their steps, and the
// "Object data" dialog shown over its model.

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>

#include "desktop/dialog_view.h"
#include "figures/segment_obj.h"
#include "main_window_fixture.h"
#include "model/clipboard_block.h"

namespace gyr {
namespace {

class EditWindowTest : public MainWindowTest {
protected:
    CSegmentObj* AddSegment(CWorldPoint a, CWorldPoint b) {
        CSegmentObj* s = NewSegment(m_doc.get(), a, b);
        s->RecalcBounds();
        m_doc->AddObject(s);
        return s;
    }
    QString Text(int id) const { return m_window->Action(id)->text(); }
};

TEST_F(EditWindowTest, CopyOffersThreeFormatsAndPasteAppendsTheFigures) {
    CSegmentObj* s = AddSegment({0, 0}, {2, 1});
    m_view->State().Select(s);
    m_window->RefreshActions();  // a disabled entry would not run
    m_window->Action(ID_EDIT_COPY)->trigger();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasFormat(kObjectsMime));
    EXPECT_TRUE(mime->hasFormat("image/svg+xml"));
    ASSERT_TRUE(mime->hasFormat("image/png"));
    QImage png = QImage::fromData(mime->data("image/png"), "PNG");
    const PixelRect area = s->GetInvalidRect().Normalized();
    EXPECT_EQ(png.width(), area.Width());
    EXPECT_EQ(png.pixelColor(0, 0), QColor(Qt::white));

    m_window->RefreshActions();
    EXPECT_TRUE(m_window->Action(ID_EDIT_PASTE)->isEnabled());
    m_window->Action(ID_EDIT_PASTE)->trigger();
    ASSERT_EQ(m_doc->Objects().size(), 3u);
    EXPECT_EQ(Text(ID_EDIT_UNDO), "&Undo Paste");
}

TEST_F(EditWindowTest, UndoAndRedoEntriesNameTheirStepsAndHaveTheirKeys) {
    CSegmentObj* s = AddSegment({0, 0}, {2, 0});
    m_view->State().Select(s);
    EXPECT_FALSE(m_window->Action(ID_EDIT_UNDO)->isEnabled());
    m_window->Action(ID_ROTATE)->trigger();
    EXPECT_EQ(Text(ID_EDIT_UNDO), "&Undo Rotate");
    EXPECT_TRUE(m_window->Action(ID_EDIT_UNDO)->isEnabled());
    EXPECT_EQ(Text(ID_EDIT_REDO), "&Redo");
    EXPECT_FALSE(m_window->Action(ID_EDIT_REDO)->isEnabled());

    const QList<QKeySequence> undo = m_window->Action(ID_EDIT_UNDO)->shortcuts();
    const QList<QKeySequence> redo = m_window->Action(ID_EDIT_REDO)->shortcuts();
    EXPECT_TRUE(undo.contains(QKeySequence("Ctrl+Z")));
    EXPECT_TRUE(redo.contains(QKeySequence("Ctrl+Y")));
    EXPECT_TRUE(redo.contains(QKeySequence("Ctrl+Shift+Z")));

    m_window->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(m_doc->Objects().size(), 2u);
    EXPECT_EQ(Text(ID_EDIT_REDO), "&Redo Rotate");
    EXPECT_EQ(Text(ID_EDIT_UNDO), "&Undo");
    m_window->Action(ID_EDIT_REDO)->trigger();
    EXPECT_EQ(m_doc->Objects().size(), 3u);
}

TEST_F(EditWindowTest, TheObjectDataDialogShowsItsListAndSpins) {
    CSegmentObj* s = AddSegment({0.5, 0}, {2, 0});
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<DialogView*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Object data");
        auto* list = dialog->findChild<QListWidget*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->currentRow(), 2);
        auto* up = dialog->findChild<QToolButton*>("spinUp");
        ASSERT_NE(up, nullptr);
        up->click();
        EXPECT_EQ(list->item(2)->text(), "pt-0.x =  0.510000");
        seen = true;
        dialog->accept();
    });
    m_view->OpenObjectData(s);
    EXPECT_TRUE(seen);
    EXPECT_DOUBLE_EQ(static_cast<CSegmentObj*>(m_doc->Objects()[1])->P0().x, 0.51);
    m_window->RefreshActions();
    EXPECT_EQ(Text(ID_EDIT_UNDO), "&Undo Object data");
}

}  // namespace
}  // namespace gyr

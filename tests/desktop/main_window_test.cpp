// The main window over a real document and controller: commands by id and
// their check marks, the file commands with answered choosers, gestures
// synthesised on the sheet widget, dropped files, closing.

#include "desktop/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>

#include "control/command_table.h"
#include "control/menu_tree.h"
#include "desktop/about_dialog.h"
#include "desktop/app_commands.h"
#include "desktop/dialog_view.h"
#include "desktop/help_window.h"
#include "desktop/main_window_fixture.h"
#include "desktop/qt_host.h"
#include "desktop/recent_files.h"
#include "desktop/sheet_view.h"
#include "dialogs/drawing_params_dialog.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/sheet_dialog.h"
#include "figures/circle_obj.h"
#include "figures/class_registry.h"
#include "figures/isoptic_obj.h"
#include "figures/point_obj.h"
#include "figures/poly_obj.h"
#include "figures/segment_obj.h"
#include "figures/text_obj.h"
#include "figures/triangle_obj.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

TEST_F(MainWindowTest, StartsOnAnUntitledCentredSheetWithEveryActionInPlace) {
    EXPECT_EQ(m_window->windowTitle(), "Untitled - Gyrovant");
    EXPECT_FALSE(m_window->windowIcon().isNull());
    EXPECT_EQ(m_view->State().m_nToolKind, kToolTriangle);
    EXPECT_TRUE(Checked(ID_TRIANGLES_TOOL));
    EXPECT_EQ(m_window->StatusX(), "x=");
    QScrollBar* h = m_window->ScrollArea()->horizontalScrollBar();
    const int page = m_window->ScrollArea()->viewport()->width() - 20;
    EXPECT_EQ(h->value(), std::clamp((Mapping().sheetWidth - page + 20) / 2, 0, h->maximum()));
    EXPECT_EQ(h->singleStep(), 20);

    for (int id : MenuCommandIds()) {
        QAction* action = m_window->Action(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action->text(), QString::fromUtf8(FindMenuItem(id)->text)) << id;
    }
    for (const CommandEntry& cmd : CommandTable())
        EXPECT_NE(m_window->Action(cmd.id), nullptr) << cmd.id;
    EXPECT_EQ(m_window->Action(ID_EDIT_COPY)->shortcuts().value(1), QKeySequence("Ctrl+Ins"));
    EXPECT_EQ(m_window->toolBarArea(m_window->ToolBar(ID_VIEW_COLOR_BAR)), Qt::RightToolBarArea);
    EXPECT_FALSE(m_window->Action(ID_COLOR_NONE)->icon().isNull());
}

TEST_F(MainWindowTest, CommandsSetToolStateAndCheckMarks) {
    m_window->Action(ID_CIRCLE_THREE_POINTS)->trigger();  // the menu entry
    EXPECT_EQ(m_view->State().m_nToolKind, kToolCircle);
    EXPECT_EQ(m_view->State().m_nToolCode, kCodeThreePoints);
    EXPECT_TRUE(Checked(ID_CIRCLE_THREE_POINTS));
    EXPECT_TRUE(Checked(ID_CIRCLES_TOOL));
    EXPECT_FALSE(Checked(ID_TRIANGLES_TOOL));

    EXPECT_TRUE(m_window->RunCommand(ID_SEGMENT_ORTHOGONAL));
    EXPECT_EQ(m_view->State().m_nToolCode, kCodeOrthogonal);
    EXPECT_TRUE(Checked(ID_SEGMENT_ORTHOGONAL));
    EXPECT_TRUE(Checked(ID_ORTHOGONAL_TOOL));
    EXPECT_TRUE(
        Checked(ID_CIRCLE_THREE_POINTS));  // the Circles group still remembers its last entry

    m_window->RunCommand(ID_STYLE_SOLID + 1);  // dash forces the 1-pixel width
    EXPECT_TRUE(Checked(ID_WIDTH_1));
    m_window->RunCommand(ID_VIEW_LINE_BAR);
    EXPECT_FALSE(m_window->ToolBar(ID_VIEW_LINE_BAR)->isVisible());
    EXPECT_FALSE(Checked(ID_VIEW_LINE_BAR));
}

TEST_F(MainWindowTest, GesturesOnTheSheetDrawFigures) {
    m_window->RunCommand(ID_SEGMENTS_TOOL);
    Drag({1, 1}, {3, 2});
    auto* seg = LastOf<CSegmentObj>();
    ASSERT_NE(seg, nullptr);
    ExpectNear(seg->m_points[0], {1, 1});
    ExpectNear(seg->m_points[1], {3, 2});
    EXPECT_EQ(m_window->StatusX().toStdString(),
              FormatCoordX(PixelToWorld(WorldToPixel({3, 2})).x));

    m_window->RunCommand(ID_CIRCLE_GENERAL);
    Drag({-2, -1}, {-2, 1});
    auto* circle = LastOf<CCircleObj>();
    ASSERT_NE(circle, nullptr);
    ExpectNear(circle->Centre(), {-2, -1});
    EXPECT_NEAR(circle->m_radius, 2.0, 2.0 / Mapping().unitX);

    m_window->RunCommand(ID_DRAW_POINTS);
    Drag({0.5, -3}, {0.5, -3});
    auto* point = LastOf<CPointObj>();
    ASSERT_NE(point, nullptr);
    ExpectNear(point->Centre(), {0.5, -3});
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(MainWindowTest, IsopticsFromTheConstantsDialogAndFromTwoDrags) {
    // OK on the defaults: the segments AB and CD and the cubic.
    QTimer::singleShot(0, [] {
        auto* view = qobject_cast<DialogView*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->windowTitle(), "Set Canonical Constants");
        view->OkButton()->click();
    });
    m_window->RunCommand(ID_ISOPTIC_CONSTANTS);
    ASSERT_EQ(m_doc->Objects().size(), 4u);
    EXPECT_NE(dynamic_cast<CSegmentObj*>(m_doc->Objects()[1]), nullptr);
    EXPECT_NE(dynamic_cast<CSegmentObj*>(m_doc->Objects()[2]), nullptr);
    EXPECT_NE(dynamic_cast<CIsopticTwo*>(m_doc->Objects()[3]), nullptr);

    m_window->RunCommand(ID_ISOPTIC_ABCD);
    Drag({-3, -1}, {-2, 1});
    Drag({0, -2}, {-1, -2});
    ASSERT_EQ(m_doc->Objects().size(), 7u);
    auto* cubic = dynamic_cast<CIsopticTwo*>(m_doc->Objects().back());
    ASSERT_NE(cubic, nullptr);
    EXPECT_GT(cubic->ComponentCount(), 1);
}

TEST_F(MainWindowTest, CommonTangentsPickedOnTheSheet) {
    for (auto [c, r] : {std::pair{CWorldPoint{0, 0}, 1.5}, std::pair{CWorldPoint{4, 0}, 0.5}}) {
        CCircleObj* circle = NewCircle(m_doc.get(), c, r);
        circle->RecalcBounds();
        m_doc->AddObject(circle);
    }
    m_window->RunCommand(ID_SEGMENT_COMMON_TANGENTS);
    Drag({0, 1.5}, {0, 1.5});
    Drag({4, 0.5}, {4, 0.5});
    int segments = 0;
    for (const CMyObj* obj : m_doc->Objects()) segments += obj->IsSegment() ? 1 : 0;
    EXPECT_EQ(segments, 4);
}

TEST_F(MainWindowTest, TriangleCirclesAndARegularPolygonOnTheSheet) {
    CTriangle* t = NewTriangle(m_doc.get(), {0, 0}, {6, 0}, {1, 4});
    m_doc->AddObject(t);
    m_window->RunCommand(ID_TRIANGLE_INSCRIBED);
    Drag({3, 0}, {3, 0});
    int circles = 0;
    for (const CMyObj* obj : m_doc->Objects()) circles += obj->IsCircle() ? 1 : 0;
    EXPECT_EQ(circles, 4);

    ProgramState().params.polygonSides = 6;
    m_window->RunCommand(ID_DRAW_POLYGONS);
    Drag({-3, -2}, {-1, -2});
    auto* hex = LastOf<CPolyObj>();
    ASSERT_NE(hex, nullptr);
    EXPECT_EQ(hex->m_nPoints, 6);
    ExpectNear(hex->m_center, {-3, -2});
    ExpectNear(hex->m_points[0], {-1, -2});
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

TEST_F(MainWindowTest, SaveAsNewOpenAndDropGoThroughTheWindow) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("drawing.gyr").toStdString();
    m_host.SetSaveChooser([&](const std::string&, const std::string& ext, const std::string&) {
        EXPECT_EQ(ext, "gyr");
        return FileChoice{true, path};
    });
    m_window->RunCommand(ID_SEGMENTS_TOOL);
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
    EXPECT_EQ(m_view->State().m_nToolKind, kToolTriangle);  // the first update ran again

    // A file dropped on the window opens too.
    m_window->RunCommand(ID_FILE_NEW);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &enter);
    QDropEvent drop({10, 10}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &drop);
    EXPECT_EQ(m_doc->Objects().size(), 2u);
}

TEST_F(MainWindowTest, SaveChangesGuardsNewAndClose) {
    m_window->RunCommand(ID_SEGMENTS_TOOL);
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

TEST(QtHostFilter, PlatformFiltersBecomeQtFilters) {
    EXPECT_EQ(ToQtFilter("Bitmaps + Enhanced (*.bmp;*.EMF)|*.bmp; *.EMF|All files (*.*)|*.*||"),
              "Bitmaps + Enhanced (*.bmp *.EMF *.emf);;All files (*.*)");
}

// The Qt view over dialog models: what it shows, how edits reach the
// model's live rules, and that a refused OK keeps the dialog open.

using P = CDrawingParamsDialogModel;
using S = CSheetDialogModel;

// Types as a user does: select everything, then one key per character.
void TypeInto(QWidget* widget, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit, &press);
    }
}

void Click(QWidget* widget, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    // Near the left edge: check boxes take clicks on their box and text only.
    const QPointF at(6, widget->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, mods);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, mods);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

bool Checked(const DialogView& view, int id) {
    return static_cast<QAbstractButton*>(view.FieldWidget(id))->isChecked();
}

class DialogViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        doc.OnNewDocument();
        doc.m_sheetParams = {.originX = 400, .originY = 300, .width = 800, .height = 600};
        doc.m_specialOrigin = 0;
        doc.ApplySheetParams();
    }
    void TearDown() override { ResetProgramState(); }

    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
};

TEST_F(DialogViewTest, TheFormulaFieldHasRoomForSixtyCharactersWhateverItHolds) {
    for (const char* formula : {"x", "", "sin(x)*cos(x)"}) {
        ProgramState().graph.formula = formula;
        CGraphDialogModel model;
        DialogView view(model, host);
        QWidget* edit = view.FieldWidget(CGraphDialogModel::kFormulaField);
        ASSERT_NE(edit, nullptr);
        EXPECT_GE(edit->minimumWidth(), edit->fontMetrics().horizontalAdvance(QString(60, 'x')))
            << formula;
    }
}

TEST_F(DialogViewTest, ShowsTitleLabelsAndTabOrderOfTheModel) {
    P model;
    DialogView view(model, host);
    EXPECT_EQ(view.windowTitle(), "Drawing Parameters");
    std::vector<QWidget*> widgets;
    for (const DialogField& f : model.Fields()) {
        QWidget* w = view.FieldWidget(f.id);
        ASSERT_NE(w, nullptr) << f.id;
        EXPECT_EQ(qobject_cast<QLineEdit*>(w)->text().toStdString(), f.text);
        QLabel* label = view.FieldLabel(f.id);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text().toStdString(), f.label);
        EXPECT_EQ(label->buddy(), w);
        widgets.push_back(w);
    }
    // Tab walks the fields in the model's order, then OK.
    widgets.push_back(view.OkButton());
    QWidget* w = widgets.front();
    for (std::size_t i = 1; i < widgets.size(); ++i) {
        do w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(w, widgets[i]) << i;
    }
}

TEST_F(DialogViewTest, RefusedOkShowsTheMessageAndKeepsTheDialogOpen) {
    P model;
    DialogView view(model, host);
    view.show();
    TypeInto(view.FieldWidget(P::kSides), "2");
    view.OkButton()->click();
    EXPECT_EQ(host.LastMessage(), "Please enter an integer between 3 and 60.");
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.focusWidget(), view.FieldWidget(P::kSides));

    TypeInto(view.FieldWidget(P::kRatio), "1.5");
    TypeInto(view.FieldWidget(P::kSides), "8");
    view.OkButton()->click();
    EXPECT_EQ(host.LastMessage(), "Please enter a number between 0 and 1.");
    EXPECT_EQ(view.focusWidget(), view.FieldWidget(P::kRatio));
    EXPECT_TRUE(view.isVisible());

    for (const char* ratio : {"0", "1"}) {
        SCOPED_TRACE(ratio);
        host.Clear();
        view.show();
        TypeInto(view.FieldWidget(P::kRatio), ratio);
        view.OkButton()->click();
        EXPECT_TRUE(host.messages.empty());
        EXPECT_FALSE(view.isVisible());
        EXPECT_EQ(view.result(), QDialog::Accepted);
        EXPECT_EQ(ProgramState().params.ratio, std::atof(ratio));
    }
    EXPECT_EQ(ProgramState().params.polygonSides, 8);
}

TEST_F(DialogViewTest, EditsRunTheLiveRulesOfTheSheetDialog) {
    S model(doc);
    DialogView view(model, host);
    view.show();
    EXPECT_TRUE(Checked(view, S::kMiddle));
    EXPECT_EQ(view.FieldWidget(S::kMiddle)->parentWidget()->property("title").toString(),
              "Special origin location");
    // The origin radio follows the typed origin; none may be selected.
    TypeInto(view.FieldWidget(S::kOriginX), "7");
    for (int id : {S::kMiddle, S::kLeftBottom, S::kLeftMiddle, S::kBottomMiddle})
        EXPECT_FALSE(Checked(view, id));
    TypeInto(view.FieldWidget(S::kOriginX), "0");
    TypeInto(view.FieldWidget(S::kOriginY), "564");
    EXPECT_TRUE(Checked(view, S::kLeftBottom));
    // A radio rewrites the origin fields.
    Click(view.FieldWidget(S::kBottomMiddle));
    EXPECT_EQ(qobject_cast<QLineEdit*>(view.FieldWidget(S::kOriginX))->text(), "400");
    // Clearing "Show axes" clears the labels box.
    Click(view.FieldWidget(S::kShowAxes));
    EXPECT_FALSE(Checked(view, S::kShowLabels));
    // Ctrl subtracts the page added before.
    Click(view.FieldWidget(S::kAddColumn));
    EXPECT_EQ(model.Find(S::kWidth)->text, "1600");
    Click(view.FieldWidget(S::kAddColumn), Qt::ControlModifier);
    EXPECT_EQ(model.Find(S::kWidth)->text, "800");
}

TEST_F(DialogViewTest, DrawingParametersCommandRunsModallyThroughTheQtHost) {
    QtHost qt;
    SetHost(&qt);
    // The test plays the user once the modal dialog is up.
    QTimer::singleShot(0, [] {
        auto* view = qobject_cast<DialogView*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->windowTitle(), "Drawing Parameters");
        TypeInto(view->FieldWidget(P::kSides), "8");
        view->OkButton()->click();
    });
    EXPECT_TRUE(RunAppCommand(ID_DRAWING_PARAMS, nullptr));
    SetHost(&host);
    EXPECT_EQ(ProgramState().params.polygonSides, 8);
}

TEST_F(DialogViewTest, AboutBoxAndHelpPages) {
    AboutDialog about;
    bool versionShown = false;
    for (QLabel* l : about.findChildren<QLabel*>())
        versionShown |= l->text() == QStringLiteral("Gyrovant " GYR_VERSION);
    EXPECT_TRUE(versionShown);

    EXPECT_TRUE(RunAppCommand(ID_HELP_THEORY, nullptr));
    HelpWindow* help = HelpWindow::Instance();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->Browser()->toPlainText().contains("(x − a)(x2 + y2) + b·x + c·y = 0"));
    RunAppCommand(ID_HELP_FINDER, nullptr);
    EXPECT_EQ(HelpWindow::Instance(), help);  // one window
    help->close();
}

}  // namespace
}  // namespace gyr

namespace gyr {
namespace {

class TextBoxWindowTest : public MainWindowTest {
protected:
    void Click(CWorldPoint p) { Drag(p, p); }
    void TypeInto(QWidget* w, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }
};

TEST_F(TextBoxWindowTest, ABoxIsDrawnEditedAndSavedInTheCodePage) {
    EXPECT_EQ(m_window->Action(ID_DRAW_TEXT)->shortcut(), QKeySequence("Ctrl+T"));
    m_window->RunCommand(ID_DRAW_TEXT);
    Drag({0, 0}, {3, -1});
    CTextObj* box = LastOf<CTextObj>();
    ASSERT_NE(box, nullptr);
    Click({1, -0.5});
    QPlainTextEdit* editor = m_window->TextEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->toPlainText().toStdString(), kEnterTextHere);
    EXPECT_EQ(editor->textCursor().selectedText().toStdString(), kEnterTextHere);
    TypeInto(editor, QString::fromUtf8("\xC3\xA9"));
    Click({5, 5});
    EXPECT_EQ(m_window->TextEditor(), nullptr);
    EXPECT_EQ(box->m_strText, "\xC3\xA9");

    QTemporaryDir dir;
    const QString path = dir.filePath("text.gyr");
    m_host.SetSaveChooser([&](const std::string&, const std::string&, const std::string&) {
        return FileChoice{true, path.toStdString()};
    });
    m_window->RunCommand(ID_FILE_SAVE_AS);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.endsWith(QByteArray("\x01\xE9", 2)));
}

TEST_F(TextBoxWindowTest, EditCommandsGoToAnOpenEditor) {
    m_window->RunCommand(ID_DRAW_TEXT);
    Drag({0, 0}, {3, -1});
    Click({1, -0.5});
    QPlainTextEdit* editor = m_window->TextEditor();
    ASSERT_NE(editor, nullptr);
    TypeInto(editor, "xyz");
    const std::size_t objects = m_doc->Objects().size();
    m_window->RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(m_window->TextEditor(), editor);
    EXPECT_NE(editor->toPlainText(), "xyz");
    EXPECT_EQ(m_doc->Objects().size(), objects);
    m_window->RunCommand(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(editor->textCursor().selectedText(), editor->toPlainText());
    // Escape ends editing as a click away does.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(editor, &escape);
    EXPECT_EQ(m_window->TextEditor(), nullptr);
    EXPECT_EQ(m_view->EditedBox(), nullptr);
}

TEST_F(TextBoxWindowTest, TheFontBarSetsSelectedBoxesAndShowsTheDocument) {
    QToolBar* bar = m_window->ToolBar(ID_VIEW_FONT_BAR);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->windowTitle(), "Styles");
    EXPECT_EQ(m_window->toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_FALSE(bar->isAreaAllowed(Qt::LeftToolBarArea));
    EXPECT_EQ(m_window->Action(ID_VIEW_FONT_BAR)->text(), "&Font tools");
    EXPECT_TRUE(Checked(ID_VIEW_FONT_BAR));
    m_window->RunCommand(ID_VIEW_FONT_BAR);
    EXPECT_FALSE(Checked(ID_VIEW_FONT_BAR));
    m_window->RunCommand(ID_VIEW_FONT_BAR);
    EXPECT_EQ(m_window->CapsPane()->text(), "CAP");
    EXPECT_FALSE(m_window->SizeCombo()->isEditable());
    EXPECT_EQ(m_window->SizeCombo()->count(), 17);
    // The document's face shows even where the system has no such font.
    EXPECT_EQ(m_window->FaceCombo()->currentText(), "Courier New");

    auto* a = CreateTextBox(m_view->State(), "a", 0, {0, 0, 100, 40});
    auto* b = CreateTextBox(m_view->State(), "b", 0, {0, 50, 100, 90});
    ASSERT_EQ(m_view->State().m_selection.size(), 2u);
    m_window->ChooseSize(14);
    EXPECT_EQ(a->m_nSize, 14);
    EXPECT_EQ(b->m_nSize, 14);
    EXPECT_EQ(m_window->SizeCombo()->currentText(), "14");
    m_window->ChooseFace("No Such Face Anywhere");
    EXPECT_EQ(b->m_strFontName, "No Such Face Anywhere");
    EXPECT_EQ(m_window->FaceCombo()->currentText(), "No Such Face Anywhere");

    m_doc->m_textAttr.pointSize = 13;  // as a document may hold
    m_window->RefreshActions();
    EXPECT_EQ(m_window->SizeCombo()->currentIndex(), -1);
    // Bold shows the document's state and restyles the selection.
    m_window->RunCommand(ID_TEXT_BOLD);
    EXPECT_TRUE(Checked(ID_TEXT_BOLD));
    EXPECT_EQ(a->m_bBold, 1);
}

}  // namespace
}  // namespace gyr

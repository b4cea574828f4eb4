// The Qt view over dialog models: what it shows, how edits reach the model's
// live rules, and that a refused OK keeps the dialog open. Messages go to the
// scripted host.

#include "desktop/dialog_view.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include "curves/graph_dialog.h"
#include "desktop/about_dialog.h"
#include "desktop/app_commands.h"
#include "desktop/help_window.h"
#include "desktop/qt_host.h"
#include "doc/angle_dialogs.h"
#include "doc/drawing_params_dialog.h"
#include "doc/pen_width_dialog.h"
#include "doc/program_state.h"
#include "port/scripted_host.h"
#include "ui/sheet_dialog.h"

namespace gyr {
namespace {

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
        CSheetParams p;
        p.width = 800;
        p.height = 600;
        p.originX = 400;
        p.originY = 300;
        doc.m_sheetParams = p;
        doc.m_specialOrigin = 0;
        doc.ApplySheetParams();
    }
    void TearDown() override { ResetProgramState(); }

    ScriptedHost host;
    CGyrDoc doc;
};

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
    EXPECT_EQ(model.Find(P::kSides)->text, "2");
    view.OkButton()->click();
    EXPECT_EQ(host.LastMessage(), "Please enter an integer between 3 and 60.");
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.focusWidget(), view.FieldWidget(P::kSides));

    TypeInto(view.FieldWidget(P::kRatio), "1.5");
    TypeInto(view.FieldWidget(P::kSides), "8");
    view.OkButton()->click();
    EXPECT_EQ(host.LastMessage(), "Please enter a number between 0 and 1.");
    EXPECT_EQ(view.focusWidget(), view.FieldWidget(P::kRatio));

    TypeInto(view.FieldWidget(P::kRatio), "1");
    view.OkButton()->click();
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(ProgramState().params.polygonSides, 8);
    EXPECT_EQ(ProgramState().params.ratio, 1.0);
}

TEST_F(DialogViewTest, EditsRunTheLiveRulesOfTheSheetDialog) {
    S model(doc);
    DialogView view(model, host);
    view.show();
    EXPECT_TRUE(Checked(view, S::kMiddle));
    // The origin radio follows the typed origin.
    TypeInto(view.FieldWidget(S::kOriginX), "0");
    EXPECT_FALSE(Checked(view, S::kMiddle));
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
    EXPECT_TRUE(RunAppCommand(ID_APP_DRAWING_PARAMS, nullptr));
    SetHost(&host);
    EXPECT_EQ(ProgramState().params.polygonSides, 8);
}

TEST_F(DialogViewTest, RadioGroupsAreCaptionedAndMayShowNoneSelected) {
    S model(doc);
    DialogView view(model, host);
    model.Type(S::kOriginX, "7");
    view.Refresh();
    for (int id : {S::kMiddle, S::kLeftBottom, S::kLeftMiddle, S::kBottomMiddle})
        EXPECT_FALSE(Checked(view, id));
    auto* box = view.FieldWidget(S::kMiddle)->parentWidget();
    EXPECT_EQ(box->property("title").toString(), "Special origin location");
}

TEST_F(DialogViewTest, SelectAllFieldOpensSelected) {
    CPenWidthDialogModel model(12);
    DialogView view(model, host);
    auto* edit = qobject_cast<QLineEdit*>(view.FieldWidget(CPenWidthDialogModel::kWidthField));
    EXPECT_EQ(edit->selectedText(), "12");
    EXPECT_EQ(view.focusWidget(), edit);
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
    EXPECT_EQ(help->Browser()->source().fileName(), "index.html");
    EXPECT_FALSE(RunAppCommand(32760, nullptr));
    help->close();
}

// Set GYR_DIALOG_SNAPSHOTS to a folder to look at the dialogs.
TEST_F(DialogViewTest, Snapshots) {
    const QString dir = qEnvironmentVariable("GYR_DIALOG_SNAPSHOTS");
    if (dir.isEmpty()) GTEST_SKIP();
    P params;
    S sheet(doc);
    CPenWidthDialogModel pen(2);
    CFixedAngleDialogModel fixed;
    CTriangleDialogModel triangle;
    CGraphDialogModel graph;
    const std::pair<DialogModel*, const char*> models[] = {
        {&params, "params"}, {&sheet, "sheet"},       {&pen, "pen"},
        {&fixed, "fixed"},   {&triangle, "triangle"}, {&graph, "graph"}};
    for (auto [model, name] : models) {
        DialogView view(*model, host);
        view.show();
        view.grab().save(dir + "/" + name + ".png");
    }
    AboutDialog about;
    about.show();
    about.grab().save(dir + "/about.png");
    HelpWindow* help = HelpWindow::Show(HelpWindow::kTheoryPage, nullptr);
    help->grab().save(dir + "/theory.png");
    HelpWindow::Show(HelpWindow::kToolsPage, nullptr)->grab().save(dir + "/tools.png");
    help->close();
}

}  // namespace
}  // namespace gyr

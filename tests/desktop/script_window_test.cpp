// The Script window in the real main window: opened once by "Show Script",
// recording a construction drawn on the sheet, the locus button and its
// points field.

#include "desktop/script_window.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "desktop/main_window_fixture.h"
#include "figures/compo_obj.h"
#include "figures/point_obj.h"

namespace gyr {
namespace {

using ScriptWindowTest = MainWindowTest;

TEST_F(ScriptWindowTest, RecordACircleLocusAndPlayIt) {
    ASSERT_TRUE(m_window->Action(ID_SHOW_SCRIPT)->isEnabled());
    m_window->RunCommand(ID_SHOW_SCRIPT);
    ScriptWindow* script = m_window->Script();
    ASSERT_NE(script, nullptr);
    m_window->RunCommand(ID_SHOW_SCRIPT);
    EXPECT_EQ(m_window->Script(), script);  // one at a time
    EXPECT_EQ(script->windowTitle(), "Script");

    script->Button(IDC_SCRIPT_START)->click();
    EXPECT_TRUE(IsScriptRecording());
    EXPECT_FALSE(script->Button(IDC_SCRIPT_START)->isEnabled());
    EXPECT_FALSE(script->Button(2)->isEnabled());  // Close

    m_window->RunCommand(ID_CIRCLES_TOOL);
    Drag({0, 0}, {2, 0});
    m_window->RunCommand(ID_DRAW_POINTS);
    Click({2, 0.2}, Qt::ShiftModifier);
    EXPECT_EQ(script->Edit()->toPlainText().count('\n'), 2);
    EXPECT_EQ(script->Edit()->textCursor().position(), script->Edit()->toPlainText().size());

    script->Button(IDC_SCRIPT_STOP)->click();
    EXPECT_FALSE(IsScriptRecording());
    EXPECT_TRUE(script->Button(1)->isEnabled());  // PLAY

    const std::size_t before = m_doc->Objects().size();
    script->PointsEdit()->setText("0");
    EXPECT_EQ(script->Button(IDC_SCRIPT_LOCUS)->text(), "Set 20 locus-pts");
    script->PointsEdit()->setText("5000");
    EXPECT_EQ(script->Button(IDC_SCRIPT_LOCUS)->text(), "Set 20 locus-pts");
    script->Button(IDC_SCRIPT_LOCUS)->click();
    ASSERT_EQ(m_doc->Objects().size(), before + 21);
    EXPECT_NE(dynamic_cast<CompoObj*>(m_doc->Objects().back()), nullptr);
    EXPECT_NE(dynamic_cast<CPointObj*>(m_doc->Objects()[before]), nullptr);

    script->Button(2)->click();
    QApplication::processEvents();
    EXPECT_EQ(m_window->Script(), nullptr);
}

}  // namespace
}  // namespace gyr

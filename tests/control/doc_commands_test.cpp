// The document's commands: attribute tool bars with their couplings, the
// user pen-width dialog, Save As routing and the question before a change.

#include "control/doc_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/axes.h"
#include "model/document_fixture.h"

namespace gyr::testing {
namespace {

TEST_F(DocumentTest, WidthAndPatternCoupling) {
    CShapeObj* s = AddSegment({0, 0}, {1, 0});
    state.Select(s);
    OnDocumentCommand(doc, ID_STYLE_SOLID + 1);  // dash
    OnDocumentCommand(doc, ID_WIDTH_1 + 2);      // 3 pixels: back to solid
    EXPECT_EQ(doc.m_styleButton, ID_STYLE_SOLID);
    EXPECT_EQ(s->m_logpen.style, kPenSolid);
    EXPECT_TRUE(IsDocumentCommandChecked(doc, ID_WIDTH_1 + 2));
    OnDocumentCommand(doc, ID_STYLE_SOLID + 1);  // dash: back to width 1
    EXPECT_EQ(doc.m_widthButton, ID_WIDTH_1);
    EXPECT_EQ(s->m_logpen.widthX, 1);
    EXPECT_EQ(s->m_logpen.style, kPenDash);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentTest, PaletteTargetsAndNoColour) {
    CShapeObj* s = AddSegment({0, 0}, {1, 0});
    s->m_bBrush = 1;
    state.Select(s);

    OnDocumentCommand(doc, ID_TARGET_REGION);
    // Region's remembered button is "no colour": filling goes off at once.
    EXPECT_EQ(s->m_bBrush, 0);
    OnDocumentCommand(doc, ID_COLOR_FIRST + 5);  // red
    EXPECT_EQ(s->m_bBrush, 1);
    EXPECT_EQ(s->m_logbrush.color, 0x0000FFu);

    // Switching to contours re-applies its remembered colour (navy).
    s->m_logpen.color = 0x123456;
    OnDocumentCommand(doc, ID_TARGET_CONTOUR);
    EXPECT_EQ(s->m_logpen.color, 0x800000u);
    EXPECT_TRUE(IsDocumentCommandChecked(doc, ID_COLOR_FIRST + 12));

    // Text and axes ignore "no colour".
    OnDocumentCommand(doc, ID_TARGET_AXES);
    ColorRef axes = doc.m_sheetParams.axesColor;
    OnDocumentCommand(doc, ID_COLOR_NONE);
    EXPECT_EQ(doc.m_sheetParams.axesColor, axes);
    OnDocumentCommand(doc, ID_COLOR_FIRST + 13);
    EXPECT_EQ(doc.Sheet()->m_params.axesColor, 0xFF0000u);
}

TEST_F(DocumentTest, UserPenWidthDialog) {
    CShapeObj* s = AddSegment({0, 0}, {1, 0});
    state.Select(s);
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(1000, "6");  // below 7: refused, the dialog stays open
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(1000, "12");
        return true;
    });
    OnDocumentCommand(doc, ID_STYLE_SOLID + 2);  // dotted, so one pixel wide
    OnDocumentCommand(doc, ID_WIDTH_USER);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Please enter an integer between 7 and 100.");
    EXPECT_EQ(s->m_logpen.widthX, 12);
    EXPECT_EQ(s->m_logpen.style, kPenSolid);
    // The bars match what the next figure gets: no numbered width pressed,
    // the solid pattern.
    for (int id = ID_WIDTH_1; id <= ID_WIDTH_6; ++id)
        EXPECT_FALSE(IsDocumentCommandChecked(doc, id)) << id;
    EXPECT_TRUE(IsDocumentCommandChecked(doc, ID_STYLE_SOLID));
    EXPECT_EQ(doc.m_drawAttr.penWidthX, 12);
    EXPECT_EQ(doc.m_drawAttr.penStyle, std::uint32_t(kPenSolid));
}

TEST_F(DocumentTest, SaveAsRoutesByTheLastThreeCharacters) {
    // A picture name exports the sheet and never becomes the document's name.
    host.fileChoices.push_back({true, Path("pic.BmP")});
    EXPECT_FALSE(FileSaveAs(doc));
    ASSERT_TRUE(std::filesystem::exists(Path("pic.BmP")));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_TRUE(host.recentFiles.empty());

    host.fileChoices.push_back({true, Path("drawing.xyz")});
    FileSaveAs(doc);
    EXPECT_EQ(std::filesystem::file_size(Path("drawing.xyz")), 103u);
    EXPECT_EQ(doc.GetPathName(), Path("drawing.xyz"));
    EXPECT_EQ(host.recentFiles, std::vector<std::string>{Path("drawing.xyz")});
}

TEST_F(DocumentTest, SaveModifiedAsksAndObeys) {
    EXPECT_TRUE(SaveModified(doc));  // unmodified: no question
    EXPECT_TRUE(host.messages.empty());
    AddSegment({0, 0}, {1, 0});
    host.answers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(SaveModified(doc));
    EXPECT_EQ(host.messages.back().text, "Save changes of this document?");
    EXPECT_EQ(host.messages.back().buttons, MsgButtons::YesNoCancel);
    // Yes saves through Save As for an unnamed document.
    host.answers.push_back(MsgAnswer::Yes);
    host.fileChoices.push_back({true, Path("yes.gyr")});
    EXPECT_TRUE(SaveModified(doc));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(std::filesystem::exists(Path("yes.gyr")));
}

TEST_F(DocumentTest, ASaveThatDoesNotHappenKeepsTheWork) {
    AddSegment({0, 0}, {1, 0});
    // Yes, then Cancel in the file chooser: whatever asked must not go on.
    host.answers.push_back(MsgAnswer::Yes);
    host.fileChoices.push_back({false, ""});
    EXPECT_FALSE(SaveModified(doc));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Objects().size(), 2u);

    // Yes, then a save that fails (no such folder): the same.
    host.answers.push_back(MsgAnswer::Yes);
    host.fileChoices.push_back({true, Path("no/such/folder/x.gyr")});
    EXPECT_FALSE(SaveModified(doc));
    EXPECT_TRUE(doc.IsModified());

    // Yes, then a picture name: the sheet is exported, the drawing is not
    // saved, so not gone either.
    host.answers.push_back(MsgAnswer::Yes);
    host.fileChoices.push_back({true, Path("x.emf")});
    EXPECT_FALSE(SaveModified(doc));
    EXPECT_TRUE(std::filesystem::exists(Path("x.emf")));
    EXPECT_TRUE(doc.IsModified());

    // Opening a picture name asks nothing: a missing file is told, and the
    // drawing stays.
    host.Clear();
    host.fileChoices.push_back({true, Path("photo.bmp")});
    FileOpen(doc);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.LastMessage().find("Cannot find this file"), std::string::npos);
    EXPECT_EQ(doc.Objects().size(), 2u);
}

}  // namespace
}  // namespace gyr::testing

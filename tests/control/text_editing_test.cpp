// Text boxes through the controller: the text tool, the in-place editor and
// typing into the sheet.

#include "figures/text_obj.h"
#include "view_fixture.h"

namespace gyr::testing {
namespace {

// A window with an editor of its own: it records what it was asked to show
// and hands back what the user typed.
class EditorWindow : public RecordingWindow {
public:
    bool OpenTextEditor(const PixelRect& r, const FontRecord& font, const std::string& text,
                        bool caretAtEnd) override {
        ++opened;
        rect = r;
        shownFont = font;
        shown = text;
        atEnd = caretAtEnd;
        open = true;
        return true;
    }
    std::string CloseTextEditor() override {
        open = false;
        return typed;
    }
    int opened = 0;
    bool open = false;
    bool atEnd = false;
    PixelRect rect;
    FontRecord shownFont;
    std::string shown, typed;
};

class TextEditingTest : public ViewTest {
protected:
    std::vector<CTextObj*> Boxes() const {
        std::vector<CTextObj*> out;
        for (CMyObj* obj : doc.Objects())
            if (obj->IsText()) out.push_back(static_cast<CTextObj*>(obj));
        return out;
    }
    void Type(const std::u32string& s) {
        for (char32_t c : s) view.OnChar(c);
    }
};

TEST_F(TextEditingTest, TheToolDrawsABoxAndAClickInsideEditsIt) {
    view.OnCommand(ID_TEXT_BOX_TOOL);
    Drag(Px(0, 0), Px(2, -1));
    ASSERT_EQ(Boxes().size(), 1u);
    CTextObj* box = Boxes()[0];
    EXPECT_EQ(box->m_strText, kEnterTextHere);
    EXPECT_FALSE(view.EditedBox());

    // A drag of 0.1 units leaves nothing.
    Drag(Px(4, 4), Px(4.1, 4));
    EXPECT_EQ(Boxes().size(), 1u);

    EditorWindow editor;
    view.SetWindow(&editor);
    Click(Px(1, -0.5));
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(view.EditedBox(), box);
    EXPECT_EQ(editor.shown, kEnterTextHere);
    EXPECT_FALSE(editor.atEnd);
    EXPECT_EQ(editor.rect, box->GetPixelBounds());
    EXPECT_EQ(editor.shownFont.heightPixels, -16);
    ASSERT_EQ(state.m_selection.size(), 1u);
    EXPECT_EQ(state.m_selection[0], box);

    // The bar restyles the edited box; any command ends editing, the box
    // taking the editor's text with CR LF line breaks.
    editor.typed = "first\nsecond";
    doc.m_textAttr.bold = 1;
    doc.ApplyTextToSelection(2);
    EXPECT_EQ(box->m_bBold, 1);
    view.OnCommand(ID_TEXT_BOX_TOOL);
    EXPECT_FALSE(editor.open);
    EXPECT_FALSE(view.EditedBox());
    EXPECT_EQ(box->m_strText, "first\r\nsecond");
    EXPECT_TRUE(doc.IsModified());
    view.SetWindow(&window);
}

TEST_F(TextEditingTest, TypingMakesOneBoxAndTheDigitsStayPolygonKeys) {
    view.OnMouseMove(0, Px(1, 1));
    view.OnKeyDown('5', 0);
    view.OnChar('5');
    EXPECT_EQ(ProgramState().params.polygonSides, 5);
    view.OnChar(' ');
    EXPECT_TRUE(Boxes().empty());

    Type(U"ab");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(view.EditedBox(), Boxes()[0]);
    Click(Px(-3, -3));
    ASSERT_EQ(Boxes().size(), 1u);
    CTextObj* box = Boxes()[0];
    EXPECT_EQ(box->m_strText, "ab");
    EXPECT_FALSE(box->m_bEditing);
    const PixelRect r = box->GetPixelBounds();
    EXPECT_EQ((PixelPoint{r.left, r.top}), Px(1, 1));
    EXPECT_GE(r.Width(), 100);

    // Accented, Greek and wider characters start boxes too; a repeat count
    // repeats the character; Enter and Backspace edit the kept text.
    view.OnMouseMove(0, Px(-5, 4));
    view.OnChar(U'\u00e9', 3);
    view.OnChar('\r');
    Type(U"\u03c0\u4e2dx");
    view.OnChar(8);
    view.EndEditing();
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1]->m_strText, "\xC3\xA9\xC3\xA9\xC3\xA9\r\n\xCF\x80\xE4\xB8\xAD");
    EXPECT_EQ(state.m_selection.size(), 1u);
}

TEST_F(TextEditingTest, AWindowEditorOpensWithTheCaretAtTheEndOfTypedText) {
    EditorWindow editor;
    view.SetWindow(&editor);
    view.OnMouseMove(0, Px(0, 0));
    view.OnChar('a');
    EXPECT_EQ(editor.opened, 1);
    EXPECT_TRUE(editor.atEnd);
    EXPECT_EQ(editor.shown, "a");
    editor.typed = "abc";
    Click(Px(5, 5));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0]->m_strText, "abc");
    EXPECT_FALSE(Boxes()[0]->m_bEditing);

    // A box gone with the catalogue still has its editor closed.
    view.OnChar('q');
    EXPECT_TRUE(editor.open);
    doc.OnNewDocument();
    view.OnCommand(ID_TEXT_BOX_TOOL);
    EXPECT_FALSE(editor.open);
    EXPECT_TRUE(Boxes().empty());
    view.SetWindow(&window);
}

}  // namespace
}  // namespace gyr::testing

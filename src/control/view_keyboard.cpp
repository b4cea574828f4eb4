// The view's keyboard rules, typed characters and the double click.

#include <algorithm>

#include "constructions/angle_constructions.h"
#include "control/gyr_view.h"
#include "dialogs/object_data_dialog.h"
#include "figures/text_obj.h"
#include "math/sheet_mapping.h"
#include "math/text_codec.h"
#include "model/axes.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

namespace {

using KeyHandler = bool (*)(CGyrView& view, int key, unsigned flags, int repeat);

// The sheet heads the catalogue and stays out of the cycle, so that Tab
// followed by Delete can never remove it.
bool IsCyclable(const CGyrDoc& doc, std::size_t i) {
    return !(i == 0 && doc.Sheet());
}

bool TabKey(CGyrView& view, int, unsigned, int) {
    CGyrDoc* doc = view.GetDocument();
    if (!doc) return true;
    const CObList& objects = doc->Objects();
    std::size_t target = objects.size();
    if (!view.State().m_selection.empty()) {
        const CMyObj* recent = view.State().m_selection.back();
        for (std::size_t i = 0; i < objects.size(); ++i) {
            if (objects[i] != recent) continue;
            std::size_t next = i;
            do next = (next + 1) % objects.size();
            while (!IsCyclable(*doc, next) && next != i);
            target = next;
            break;
        }
    }
    if (target == objects.size() && objects.size() >= 2) target = objects.size() - 1;
    if (target == objects.size() || !IsCyclable(*doc, target)) {
        view.Beep();
        return true;
    }
    PixelRect dirty = view.State().SelectionRect();
    view.State().DeselectAll();
    view.State().Select(objects[target]);
    view.Repaint(dirty.United(objects[target]->GetInvalidRect()));
    return true;
}

bool ArrowKey(CGyrView& view, int key, unsigned flags, int repeat) {
    if (flags & kMkShift) {
        CGyrDoc* doc = view.GetDocument();
        CMyObj* first =
            view.State().m_selection.empty() ? nullptr : view.State().m_selection.front();
        if (!first || !doc || !ListContains(doc->Objects(), first)) {
            view.Beep();
            return true;
        }
        first->DuplicateByKey(view.State(), key, repeat);
        return true;
    }
    // Nothing to move: the platform may scroll instead.
    if (view.State().m_selection.empty()) return false;
    static constexpr PixelPoint kStep[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    const PixelPoint d = kStep[key - kKeyLeft];
    view.Repaint(view.OffsetSelection(PixelDeltaToWorld(d.x, d.y)));
    return true;
}

// Backspace and Delete cut, unless a script records (its lines name objects).
bool CutKey(CGyrView& view, int, unsigned, int) {
    // An open editor takes its own Backspace and Delete.
    if (view.EditedBox()) return false;
    if (view.IsRecording() || view.State().m_selection.empty()) {
        view.Beep();
        return true;
    }
    view.Cut();
    return true;
}

// Enter: the data of the most recently selected object.
bool EnterKey(CGyrView& view, int, unsigned, int) {
    if (view.State().m_selection.empty()) {
        view.Beep();
        return true;
    }
    view.OpenObjectData(view.State().m_selection.back());
    return true;
}

bool DigitKey(CGyrView&, int key, unsigned, int) {
    SetPolygonSides(ProgramState().params, key - '0');
    return true;
}

bool AngleKey(CGyrView& view, int key, unsigned flags, int) {
    CMyObj* angle = nullptr;
    for (CMyObj* obj : view.State().m_selection)
        if (obj->IsAngle()) {
            angle = obj;
            break;
        }
    if (!angle || !AngleVariantKey(view.State(), *angle, key, flags)) view.Beep();
    return true;
}

bool ZoomKey(CGyrView& view, int key, unsigned, int) {
    CGyrDoc* doc = view.GetDocument();
    if (!doc) return true;
    // The editor would stay over the box's old place.
    view.EndEditing();
    const double f = ProgramState().params.homothetyModulus;
    ZoomSheet(*doc, key == kKeyF12 ? f : 1.0 / f);
    return true;
}

// Esc while the angle animation's button is held ends the drag where the
// angles are, as a release there would; later moves and the release itself
// change nothing.
bool EscapeKey(CGyrView& view, int, unsigned flags, int) {
    const CGestureState& s = view.State();
    if (!view.m_bMouseDown || view.m_nDragState != kDragDrawing || s.m_nToolKind != kToolIsoptic ||
        s.m_nToolCode != kCodeAngleAnimation)
        return false;
    view.OnLButtonUp(flags & ~kMkLButton, view.m_ptLastTracked);
    return true;
}

constexpr struct {
    int first;
    int last;
    KeyHandler handler;
} kKeyRules[] = {
    {kKeyEscape, kKeyEscape, &EscapeKey},
    {kKeyTab, kKeyTab, &TabKey},
    {kKeyLeft, kKeyDown, &ArrowKey},
    {'3', '9', &DigitKey},
    {kKeyF8, kKeyF9, &AngleKey},
    {kKeyF11, kKeyF12, &ZoomKey},
    {kKeyBack, kKeyBack, &CutKey},
    {kKeyDelete, kKeyDelete, &CutKey},
    {kKeyReturn, kKeyReturn, &EnterKey},
};

// Consecutive arrow-key moves of one selection are one undo step.
constexpr int kMergeArrowMoves = 1;

}  // namespace

bool CGyrView::OnKeyDown(int key, unsigned flags, int repeat) {
    ForgetPaintIndex();
    for (const auto& rule : kKeyRules) {
        if (key < rule.first || key > rule.last) continue;
        const bool arrow = key >= kKeyLeft && key <= kKeyDown;
        std::string name = "Angle";
        if (arrow) name = (flags & kMkShift) ? "Duplicate" : "Move";
        if (key == kKeyF11 || key == kKeyF12) name = "Zoom";
        if (key == kKeyBack || key == kKeyDelete) name = "Cut";
        if (key == kKeyReturn) name = "Object data";
        CUndoScope step(GetDocument(), name, arrow && !(flags & kMkShift) ? kMergeArrowMoves : 0);
        return rule.handler(*this, key, flags, repeat);
    }
    return false;
}

namespace {

// Characters that start a text box: printable ones but the space and the
// digits 1 to 9 (the polygon keys).
bool StartsTextBox(char32_t c) {
    if (c <= 0x20 || c == 0x7F || (c >= 0x80 && c <= 0xA0)) return false;
    if (c >= '1' && c <= '9') return false;
    if (c >= 0xD800 && c <= 0xDFFF) return false;
    return c <= 0x10FFFF && c != 0xFEFF && !(c >= 0x200B && c <= 0x200F);
}

// Removes the last character of UTF-8 text (a CR LF pair as one).
void DropLastCharacter(std::string& s) {
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0) {
        s.resize(s.size() - 2);
        return;
    }
    while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80) s.pop_back();
    if (!s.empty()) s.pop_back();
}

}  // namespace

PixelPoint CViewWindow::MeasureText(const FontRecord& font, const std::string& text) const {
    const int h = font.heightPixels < 0 ? -font.heightPixels : 16;
    return {int(Utf8Length(text)) * (h * 3 / 5), h + h / 4};
}

void CGyrView::OnChar(char32_t ch, int repeat) {
    ForgetPaintIndex();
    CGyrDoc* doc = GetDocument();
    if (!doc || repeat < 1) return;
    if (m_bOwnEditor && EditedBox()) {
        // The window has no editor: the typed text goes to the kept one,
        // replacing it while all of it is selected.
        if (m_bEditorAllSelected) m_editorText.clear();
        m_bEditorAllSelected = false;
        for (int i = 0; i < repeat; ++i) {
            if (ch == 8)
                DropLastCharacter(m_editorText);
            else if (ch == '\r' || ch == '\n')
                m_editorText += "\r\n";
            else if (ch >= 0x20 && ch != 0x7F)
                AppendUtf8(m_editorText, ch);
        }
        return;
    }
    if (!StartsTextBox(ch)) return;
    std::string text;
    for (int i = 0; i < repeat; ++i) AppendUtf8(text, ch);
    PixelRect dirty = m_state.SelectionRect();
    m_state.DeselectAll();
    Repaint(dirty);
    // One line high, as wide as the text and a little more.
    CTextObj probe(text, {}, {}, doc->m_textAttr);
    const CViewWindow& measure = m_pWindow ? *m_pWindow : m_noWindow;
    const PixelPoint size = measure.MeasureText(probe.Font(), text);
    const PixelRect r{m_ptMouse.x, m_ptMouse.y, m_ptMouse.x + std::max(100, size.x + 10),
                      m_ptMouse.y + size.y};
    CUndoScope step(doc, "Typing");
    if (CTextObj* box = CreateTextBox(m_state, text, 0, r)) StartEditing(box, true);
}

CTextObj* CGyrView::EditedBox() const {
    if (!GetDocument()) return nullptr;
    for (CMyObj* obj : GetDocument()->Objects())
        if (obj->IsText() && static_cast<CTextObj*>(obj)->m_bEditing)
            return static_cast<CTextObj*>(obj);
    return nullptr;
}

void CGyrView::StartEditing(CTextObj* box, bool caretAtEnd) {
    if (!box || box->m_bEditing) return;
    EndEditing();
    if (!m_state.IsSelected(box)) {
        Repaint(m_state.SelectionRect());
        m_state.DeselectAll();
        m_state.Select(box);
        Repaint(box->GetInvalidRect());
    }
    const std::string text = LineBreaksToLf(box->m_strText);
    m_bOwnEditor = !m_pWindow || !m_pWindow->OpenTextEditor(box->GetPixelBounds().Normalized(),
                                                            box->Font(), text, caretAtEnd);
    m_editorText = m_bOwnEditor ? box->m_strText : std::string();
    m_bEditorAllSelected = !caretAtEnd;
    m_bEditorOpen = true;
    box->m_bEditing = 1;
}

void CGyrView::EndEditing() {
    ForgetPaintIndex();
    if (!m_bEditorOpen) return;
    m_bEditorOpen = false;
    // The editor closes even when its box has gone with the catalogue.
    std::string text = m_bOwnEditor ? m_editorText : m_pWindow->CloseTextEditor();
    m_editorText.clear();
    m_bOwnEditor = false;
    CTextObj* box = EditedBox();
    if (!box) return;
    box->m_bEditing = 0;
    text = NormalizeLineBreaks(text);
    if (text != box->m_strText) {
        CUndoScope step(GetDocument(), "Typing");
        GetDocument()->WillChange(box);
        box->m_strText = std::move(text);
        GetDocument()->SetModifiedFlag();
    }
    Repaint(box->GetInvalidRect());
}

// A double click opens the data of the object under the pointer; with Ctrl
// those of the first object, the sheet.
void CGyrView::OnLButtonDblClk(unsigned flags, PixelPoint logical) {
    CGyrDoc* doc = GetDocument();
    if (!doc || doc->Objects().empty() || m_bMouseDown) return;
    EndEditing();
    CMyObj* obj = nullptr;
    if (flags & kMkControl) {
        obj = doc->Objects().front();
    } else {
        // A miss answers the sheet with index -1: not an object under it.
        int hit = -1;
        obj = FindHandleAt(doc->Objects(), PixelToWorld(logical), hit);
        if (hit < 0) obj = nullptr;
    }
    if (!obj) {
        Beep();
        return;
    }
    OpenObjectData(obj);
}

void CGyrView::OpenObjectData(CMyObj* obj) {
    CGyrDoc* doc = GetDocument();
    if (!doc || doc->PlaceOf(obj) < 0) {
        Beep();
        return;
    }
    CUndoScope step(doc, "Object data");
    RunObjectDataDialog(m_state, obj);
    Repaint(m_state.SelectionRect());
}

}  // namespace gyr

// The edit commands of the view: the undo history's Undo and Redo, Select
// All, Copy, Cut, Paste, and the transformed copies Duplicate, Rotate and
// Homothety; the names of the undo steps and the edit menu's live texts.

#include <algorithm>
#include <memory>

#include "control/command_table.h"
#include "control/gyr_view.h"
#include "control/menu_tree.h"
#include "figures/pict_obj.h"
#include "figures/text_obj.h"
#include "model/axes.h"
#include "model/clipboard_block.h"
#include "model/document.h"
#include "port/host.h"

namespace gyr {

namespace {

// The sheet heads the catalogue and is never selected by the edit commands.
bool IsSheet(const CGyrDoc& doc, const CMyObj* obj) {
    return obj == doc.Sheet();
}

// The selected objects that are in the catalogue, in catalogue order.
CObList SelectedInCatalogueOrder(const CGyrDoc& doc, const CObList& selection) {
    std::vector<std::pair<int, CMyObj*>> placed;
    for (CMyObj* obj : selection)
        if (int p = doc.PlaceOf(obj); p >= 0) placed.emplace_back(p, obj);
    std::sort(placed.begin(), placed.end());
    CObList out;
    for (auto& [p, obj] : placed) out.push_back(obj);
    return out;
}

}  // namespace

std::string CGyrView::StepName(int id) {
    if ((id >= ID_WIDTH_1 && id <= ID_WIDTH_6) || id == ID_WIDTH_USER) return "Line thickness";
    if (id >= ID_STYLE_SOLID && id <= ID_STYLE_DASHDOTDOT) return "Line pattern";
    if ((id >= ID_COLOR_FIRST && id <= ID_COLOR_NONE) ||
        (id >= ID_TARGET_CONTOUR && id <= ID_TARGET_AXES))
        return "Colour";
    if ((id >= ID_TEXT_BOLD && id <= ID_TEXT_STRIKEOUT) ||
        (id >= ID_JUSTIFY_LEFT && id <= ID_JUSTIFY_RIGHT))
        return "Text style";
    if (const MenuItem* item = FindMenuItem(id)) return PlainMenuText(item->text);
    if (const CommandEntry* cmd = FindCommand(id)) return cmd->name;
    return {};
}

// ---------------------------------------------------------------- history

namespace {

// What Undo and Redo first do: a half-done round of a tool ends, so that no
// pick outlives the objects the history replaces.
void EndToolRound(CGestureState& state) {
    state.m_nStage = 0;
    state.ClearPicks();
    state.m_pFirstSide = nullptr;
    state.m_gesture.clear();
}

}  // namespace

bool CGyrView::Undo() {
    CGyrDoc* doc = GetDocument();
    if (!doc || m_bMouseDown || IsRecording() || !doc->History().CanUndo()) {
        Beep();
        return false;
    }
    EndToolRound(m_state);
    return doc->History().Undo();
}

bool CGyrView::Redo() {
    CGyrDoc* doc = GetDocument();
    if (!doc || m_bMouseDown || IsRecording() || !doc->History().CanRedo()) {
        Beep();
        return false;
    }
    EndToolRound(m_state);
    return doc->History().Redo();
}

// ---------------------------------------------------------------- edit

void CGyrView::SelectAll() {
    CGyrDoc* doc = GetDocument();
    if (!doc) return;
    PixelRect dirty = m_state.SelectionRect();
    for (CMyObj* obj : doc->Objects()) {
        if (obj->m_bSelected || IsSheet(*doc, obj)) continue;
        m_state.Select(obj);
        dirty = dirty.United(obj->GetInvalidRect());
    }
    Repaint(dirty);
}

void CGyrView::Copy() {
    CGyrDoc* doc = GetDocument();
    Host* host = FindHost();
    if (!doc || !host) return;
    CObList chosen;
    for (CMyObj* obj : m_state.m_selection)
        if (!IsSheet(*doc, obj) && doc->PlaceOf(obj) >= 0) chosen.push_back(obj);
    if (chosen.empty()) {
        Beep();
        return;
    }
    // The images are drawn from copies, so that a Cut after the Copy cannot
    // take their objects away.
    auto copies = std::shared_ptr<CObList>(new CObList, [](CObList* list) {
        DeleteAllObjects(*list);
        delete list;
    });
    PixelRect area;
    for (CMyObj* obj : SelectedInCatalogueOrder(*doc, chosen)) {
        CMyObj* copy = obj->Clone();
        copy->m_bSelected = 0;
        copies->push_back(copy);
        area = area.United(obj->GetInvalidRect());
    }
    Host::ClipboardDrawing drawing{area, [copies](Canvas& dc) { DrawAll(*copies, dc); }};
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> data{
        {kObjectsMime, WriteObjectBlock(chosen)}};
    // A single picture is also offered as itself, for image programs.
    if (chosen.size() == 1) {
        if (chosen[0]->GetPictureKind() == 1)
            data.emplace_back(kBmpMime,
                              WriteBmpFile(static_cast<const CPict*>(chosen[0])->GetDib()));
        else if (chosen[0]->GetPictureKind() == 2)
            data.emplace_back(kEmfMime, static_cast<const CMetaObj*>(chosen[0])->Bytes());
    }
    host->SetClipboard(data, &drawing);
}

void CGyrView::Cut() {
    CGyrDoc* doc = GetDocument();
    if (!doc || IsRecording() || m_state.m_selection.empty()) {
        Beep();
        return;
    }
    Copy();
    // The removed objects leave the selection with the catalogue; Undo
    // brings them back from the history, selected, never from the clipboard.
    const CObList removed = m_state.m_selection;
    // Emptied first, so that each removal has no selection to search.
    m_state.DeselectAll();
    PixelRect dirty;
    for (CMyObj* obj : removed) {
        if (IsSheet(*doc, obj) || doc->PlaceOf(obj) < 0) continue;
        dirty = dirty.United(obj->GetInvalidRect());
        doc->RemoveObject(obj);
    }
    Repaint(dirty);
}

void CGyrView::Paste() {
    CGyrDoc* doc = GetDocument();
    Host* host = FindHost();
    if (!doc || !host) return;
    if (auto block = host->ClipboardData(kObjectsMime)) {
        CObList pasted;
        std::size_t sheets = 0;
        if (!ReadObjectBlock(block->data(), block->size(), doc->Classes(), doc, pasted, &sheets) ||
            pasted.empty()) {
            DeleteAllObjects(pasted);
            Beep();
            return;
        }
        if (sheets) Beep();
        PixelRect dirty = m_state.SelectionRect();
        m_state.DeselectAll();
        for (CMyObj* obj : pasted) {
            obj->RecalcBounds();
            doc->AddObject(obj);
            m_state.Select(obj);
            dirty = dirty.United(obj->GetInvalidRect());
        }
        Repaint(dirty);
        return;
    }
    // Then a picture: a metafile, a bitmap file, any other image.
    CMyObj* picture = nullptr;
    bool image = true;
    if (auto emf = host->ClipboardData(kEmfMime))
        picture = PastePicture(m_state, PictureData::Emf, emf->data(), emf->size());
    else if (auto bmp = host->ClipboardData(kBmpMime))
        picture = PastePicture(m_state, PictureData::BmpFile, bmp->data(), bmp->size());
    else if (auto dib = host->ClipboardImageDib())
        picture = PastePicture(m_state, PictureData::PackedDib, dib->data(), dib->size());
    else
        image = false;
    if (image) {  // an unreadable one has beeped
        if (picture) {
            PixelRect dirty = m_state.SelectionRect();
            m_state.DeselectAll();
            m_state.Select(picture);
            Repaint(dirty.United(picture->GetInvalidRect()));
        }
        return;
    }
    if (auto text = host->ClipboardText(); text && !text->empty()) {
        PixelRect dirty = m_state.SelectionRect();
        m_state.DeselectAll();
        Repaint(dirty);
        PasteTextBox(m_state, *text);
        return;
    }
    Beep();
}

bool CGyrView::RunEditCommand(int id) {
    switch (id) {
        case ID_EDIT_SELECT_ALL:
            SelectAll();
            return true;
        case ID_EDIT_COPY:
            Copy();
            return true;
        case ID_EDIT_CUT:
            Cut();
            return true;
        case ID_EDIT_PASTE:
            Paste();
            return true;
        default:
            return false;
    }
}

// ---------------------------------------------------------------- menus

bool CGyrView::IsEnabled(int id) const {
    const CGyrDoc* doc = GetDocument();
    switch (id) {
        case ID_EDIT_UNDO:
            return doc && doc->History().CanUndo();
        case ID_EDIT_REDO:
            return doc && doc->History().CanRedo();
        case ID_EDIT_CUT:
            return !m_state.m_selection.empty() && !IsRecording();
        case ID_EDIT_COPY:
            return !m_state.m_selection.empty();
        case ID_EDIT_PASTE: {
            Host* host = FindHost();
            if (!host) return false;
            if (host->ClipboardData(kObjectsMime) || host->ClipboardData(kEmfMime) ||
                host->ClipboardData(kBmpMime) || host->ClipboardHasImage())
                return true;
            auto text = host->ClipboardText();
            return text && !text->empty();
        }
        default:
            return true;
    }
}

std::string CGyrView::MenuText(int id) const {
    const CGyrDoc* doc = GetDocument();
    if (id == ID_EDIT_UNDO) {
        const std::string name = doc ? doc->History().UndoName() : std::string();
        return name.empty() ? "&Undo" : "&Undo " + name;
    }
    if (id == ID_EDIT_REDO) {
        const std::string name = doc ? doc->History().RedoName() : std::string();
        return name.empty() ? "&Redo" : "&Redo " + name;
    }
    return {};
}

}  // namespace gyr

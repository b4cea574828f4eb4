#include "dialogs/object_data_dialog.h"

#include <cmath>

#include "figures/graph_obj.h"
#include "figures/text_obj.h"
#include "model/axes.h"
#include "model/document.h"
#include "port/host.h"

namespace gyr {

namespace {

// The value a line shows after its first '=', if it has one.
bool LineValue(const std::string& line, double& value) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) return false;
    return DialogModel::ReadDouble(line.substr(eq + 1), value);
}

// The lines "pt-k.x = ..." and "pt-k.y = ..." of a shape come from its
// vertices; their exact values are those, not the six decimals shown.
bool ExactVertexValue(const CMyObj& obj, int index, double shown, double& exact) {
    const CWorldPoint* v = obj.GetVertices();
    const int k = index - 2;
    if (!v || k < 0 || k >= 2 * obj.GetVertexCount()) return false;
    const double candidate = k % 2 == 0 ? v[k / 2].x : v[k / 2].y;
    // Only when the line is that coordinate (as "%f" prints it).
    if (!(std::fabs(candidate - shown) <= 5.000001e-7 * std::max(1.0, std::fabs(shown))))
        return false;
    exact = candidate;
    return true;
}

}  // namespace

CObjectDataDialogModel::CObjectDataDialogModel(CGestureState& state, CMyObj* obj)
    : m_state(state), m_obj(obj) {
    m_title = "Object data";
    m_okOnly = true;
    DialogField list = PlainField(kList, "", FieldKind::List);
    list.extent = kListExtent;
    Add(std::move(list));
    DialogField spin = PlainField(kSpin, "", FieldKind::Spin);
    spin.min = -10000;
    spin.max = 10000;
    Add(std::move(spin));
    Add(DoubleField(kStep, "STEP:", m_step, kMinStep, kMaxStep));
    Add(PlainField(kModifyCopy, "Modify a Copy of this", FieldKind::Button));
    Add(PlainField(kTextBox, "Text-box", FieldKind::Button));
    // A graph lists and steps the parameters the parser holds: its own.
    if (m_obj && m_obj->IsKindOf(&CGraphObj::kClass)) static_cast<CGraphObj*>(m_obj)->Reparse();
    Refill(2);
}

void CObjectDataDialogModel::Refill(int select) {
    DialogField* list = Find(kList);
    list->items.clear();
    list->selected = -1;
    if (m_obj) m_obj->ListData(list->items);
    if (select >= 0 && select < int(list->items.size())) list->selected = select;
    ReadLine(false);
}

void CObjectDataDialogModel::ReadLine(bool beep) {
    const DialogField* list = Find(kList);
    m_editable = m_exact = false;
    if (list->selected < 0 || list->selected >= int(list->items.size())) return;
    double shown = 0;
    if (!LineValue(list->items[std::size_t(list->selected)], shown)) {
        if (beep) m_state.Beep();
        return;
    }
    m_editable = true;
    m_value = shown;
    m_exact = m_obj && ExactVertexValue(*m_obj, list->selected, shown, m_value);
}

void CObjectDataDialogModel::OnFieldChanged(int id) {
    if (id == kList) {
        ReadLine(true);
    } else if (id == kStep) {
        // Text that is no step keeps the last valid one.
        double step = 0;
        if (ReadDouble(Find(kStep)->text, step) && step >= kMinStep && step <= kMaxStep)
            m_step = step;
    }
}

void CObjectDataDialogModel::OnSpin(int, int steps) {
    const int line = Find(kList)->selected;
    if (!m_obj || !m_editable || line < 0) {
        m_state.Beep();
        return;
    }
    CGyrDoc* doc = m_state.Document();
    if (doc) doc->WillChange(m_obj);
    const double value = m_value + steps * m_step;
    CMyObj* shown = m_obj->SetDataValue(line, value, steps);
    if (!shown) {
        m_state.Beep();
        return;
    }
    m_obj = shown;
    // The spin goes on from the exact value, not from the line's text.
    Refill(line);
    if (m_editable && !m_exact) m_value = value;
}

void CObjectDataDialogModel::OnButton(int id, bool) {
    CGyrDoc* doc = m_state.Document();
    if (id == kModifyCopy) {
        if (!m_obj || !doc || m_obj == doc->Sheet() || m_obj->IsKindOf(&CAxes::kClass)) {
            m_state.Beep();
            return;
        }
        CMyObj* copy = m_obj->Clone();
        copy->m_bSelected = 0;
        copy->m_pDocument = doc;
        copy->AddToDocument();
        m_obj = copy;
        Refill(Find(kList)->selected);
    } else if (id == kTextBox) {
        if (!m_obj || !doc) {
            m_state.Beep();
            return;
        }
        std::string text;
        for (const std::string& line : Find(kList)->items) text += line + "\r";
        const PixelRect b = m_obj->GetPixelBounds().Normalized();
        const int lines = int(Find(kList)->items.size());
        CreateTextBox(m_state, NormalizeLineBreaks(text), 0,
                      {b.left, b.top, b.left + 420, b.top + 18 * std::max(lines, 1) + 8});
    }
}

void RunObjectDataDialog(CGestureState& state, CMyObj* obj) {
    Host* host = FindHost();
    if (!host || !obj) return;
    CObjectDataDialogModel dlg(state, obj);
    host->RunDialog(dlg);
}

}  // namespace gyr

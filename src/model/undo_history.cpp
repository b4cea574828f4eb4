#include "model/undo_history.h"

#include <algorithm>
#include <memory>

#include "model/archive.h"
#include "model/axes.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "port/host.h"

namespace gyr {

std::size_t CUndoStep::Bytes() const {
    std::size_t n = name.size() + (selectionBefore.size() + selectionAfter.size()) * sizeof(int);
    for (const CUndoRecord& r : records) n += r.before.size() + r.after.size() + sizeof r;
    return n;
}

// ---------------------------------------------------------------- recording

void CUndoHistory::Begin(const std::string& name, int mergeKey) {
    if (m_depth++ > 0) return;
    m_bVoid = false;
    m_bReopened = false;
    m_bModifiedAtBegin = m_doc.IsModified();
    m_open = CUndoStep{};
    m_open.name = name;
    m_open.mergeKey = mergeKey;
    m_records.clear();
    m_index.clear();
    m_bSnapshot = false;
    m_beforePlaces.clear();
    m_removedPlaces.clear();
    if (mergeKey != 0 && m_bMergeable && !m_done.empty() && m_done.back().mergeKey == mergeKey &&
        m_done.back().selectionAfter == SelectionPlaces()) {
        Reopen();
        return;
    }
    m_open.selectionBefore = SelectionPlaces();
}

void CUndoHistory::SetName(const std::string& name) {
    if (IsOpen()) m_open.name = name;
}

void CUndoHistory::End() {
    if (m_depth == 0) return;
    if (--m_depth > 0) return;
    Close();
}

// A catalogue change outside any step would leave the stored places wrong
// for every step before it: the history is given up instead, and the
// document counts as changed since its last save.
void CUndoHistory::Unrecorded() {
    Clear();
    m_clean = kNoClean;
}

void CUndoHistory::NoteAdded(CMyObj* obj) {
    if (!IsOpen()) return Unrecorded();
    if (m_bVoid) return;
    auto it = m_index.find(obj);
    if (it != m_index.end() && m_records[it->second].obj) return;
    m_index[obj] = m_records.size();
    m_records.push_back({obj, CUndoRecord{}});
}

void CUndoHistory::NoteRemoving(CMyObj* obj, int place) {
    if (!IsOpen()) return Unrecorded();
    if (m_bVoid) return;
    auto it = m_index.find(obj);
    if (it == m_index.end()) {
        OpenRecord r;
        r.record.placeBefore = m_bSnapshot ? BeforePlace(obj) : BeforePlaceOfCurrent(place);
        r.record.before = BytesOf(obj);
        if (!m_bSnapshot && r.record.placeBefore >= 0)
            m_removedPlaces.insert(std::upper_bound(m_removedPlaces.begin(), m_removedPlaces.end(),
                                                    r.record.placeBefore),
                                   r.record.placeBefore);
        m_records.push_back(std::move(r));
        return;
    }
    // The pointer may be reused by a later object of this step.
    OpenRecord& r = m_records[it->second];
    r.obj = nullptr;
    const int before = r.record.placeBefore;
    if (!m_bSnapshot && before >= 0)
        m_removedPlaces.insert(
            std::upper_bound(m_removedPlaces.begin(), m_removedPlaces.end(), before), before);
    m_index.erase(it);
}

void CUndoHistory::NoteChanging(CMyObj* obj) {
    if (!IsOpen() || m_bVoid || !obj || m_index.count(obj)) return;
    if (m_doc.PlaceOf(obj) < 0) return;  // not in the catalogue: nothing to restore
    const int place = BeforePlace(obj);
    if (place < 0) return;
    m_index[obj] = m_records.size();
    OpenRecord r;
    r.obj = obj;
    r.record.placeBefore = place;
    r.record.before = BytesOf(obj);
    m_records.push_back(std::move(r));
}

void CUndoHistory::NoteReordering(CMyObj* obj) {
    if (!IsOpen() || m_bVoid) return;
    TakeSnapshot();
    NoteChanging(obj);
}

void CUndoHistory::TakeSnapshot() {
    if (m_bSnapshot) return;
    const CObList& objects = m_doc.Objects();
    m_beforePlaces.reserve(objects.size() + m_removedPlaces.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const CMyObj* obj = objects[i];
        auto it = m_index.find(obj);
        // Objects this step added (so far only appended) were not there.
        if (it != m_index.end() && m_records[it->second].record.placeBefore < 0) continue;
        m_beforePlaces[obj] = BeforePlaceOfCurrent(int(i));
    }
    m_bSnapshot = true;
}

int CUndoHistory::BeforePlaceOfCurrent(int current) const {
    if (current < 0) return -1;
    int place = current;
    for (int removed : m_removedPlaces) {
        if (removed > place) break;
        ++place;
    }
    return place;
}

int CUndoHistory::BeforePlace(const CMyObj* obj) {
    if (!m_bSnapshot) return BeforePlaceOfCurrent(m_doc.PlaceOf(obj));
    auto it = m_beforePlaces.find(obj);
    return it == m_beforePlaces.end() ? -1 : it->second;
}

void CUndoHistory::Close() {
    if (m_bVoid) {
        m_records.clear();
        m_index.clear();
        return;
    }
    CUndoStep step = std::move(m_open);
    m_open = CUndoStep{};
    for (OpenRecord& r : m_records) {
        if (r.obj) {
            r.record.placeAfter = m_doc.PlaceOf(r.obj);
            if (r.record.placeAfter >= 0) r.record.after = BytesOf(r.obj);
        }
        const CUndoRecord& rec = r.record;
        if (rec.placeBefore < 0 && rec.placeAfter < 0) continue;
        if (rec.placeBefore == rec.placeAfter && rec.before == rec.after) continue;
        step.records.push_back(std::move(r.record));
    }
    m_records.clear();
    m_index.clear();
    m_bSnapshot = false;
    m_beforePlaces.clear();
    m_removedPlaces.clear();
    if (step.records.empty()) {
        // Nothing changed: a click that only selected leaves the document
        // as modified as it was.
        m_doc.SetModifiedFlag(m_bReopened ? !IsClean() : m_bModifiedAtBegin);
        return;
    }
    step.selectionAfter = SelectionPlaces();
    Push(std::move(step));
    m_doc.SetModifiedFlag(!IsClean());
}

void CUndoHistory::Reopen() {
    m_bReopened = true;
    CUndoStep last = std::move(m_done.back());
    m_done.pop_back();
    m_bytes -= last.Bytes();
    if (m_clean == m_done.size() + 1) m_clean = kNoClean;
    m_open.name = last.name;
    m_open.selectionBefore = std::move(last.selectionBefore);
    // Every record of a continued step is an object that is still there
    // (arrow keys only move): it continues from its current bytes.
    for (CUndoRecord& rec : last.records) {
        CMyObj* obj = rec.placeAfter >= 0 ? m_doc.Objects()[std::size_t(rec.placeAfter)] : nullptr;
        OpenRecord r;
        r.obj = obj;
        r.record.placeBefore = rec.placeBefore;
        r.record.before = std::move(rec.before);
        if (obj) m_index[obj] = m_records.size();
        m_records.push_back(std::move(r));
    }
}

void CUndoHistory::Push(CUndoStep&& step) {
    // A new step ends every redo; a clean point among them is gone.
    if (!m_undone.empty()) {
        if (m_clean != kNoClean && m_clean > m_done.size()) m_clean = kNoClean;
        for (const CUndoStep& s : m_undone) m_bytes -= s.Bytes();
        m_undone.clear();
    }
    m_bytes += step.Bytes();
    m_done.push_back(std::move(step));
    m_bMergeable = true;
    while (m_done.size() > 1 && (m_done.size() > kMaxSteps || m_bytes > kMaxBytes)) DropOldest();
}

void CUndoHistory::DropOldest() {
    m_bytes -= m_done.front().Bytes();
    m_done.pop_front();
    if (m_clean != kNoClean) m_clean = m_clean == 0 ? kNoClean : m_clean - 1;
}

void CUndoHistory::Clear() {
    m_done.clear();
    m_undone.clear();
    m_bytes = 0;
    m_clean = 0;
    m_bMergeable = false;
    m_records.clear();
    m_index.clear();
    if (IsOpen()) m_bVoid = true;
}

void CUndoHistory::MarkClean() {
    m_clean = m_done.size();
    m_bMergeable = false;
}

// ---------------------------------------------------------------- bytes

std::vector<std::uint8_t> CUndoHistory::BytesOf(const CMyObj* obj) const {
    auto* o = const_cast<CMyObj*>(obj);
    const std::int32_t selected = o->m_bSelected;
    o->m_bSelected = 0;
    CArchive ar(&m_doc);
    ar.WriteObject(o);
    o->m_bSelected = selected;
    return ar.TakeBytes();
}

CMyObj* CUndoHistory::ObjectFrom(const std::vector<std::uint8_t>& bytes) const {
    CArchive ar(bytes.data(), bytes.size(), m_doc.Classes(), &m_doc);
    CMyObj* obj = ar.ReadObject();
    // Not SetDocument: shapes would take the current attributes.
    if (obj) obj->m_pDocument = &m_doc;
    return obj;
}

std::vector<int> CUndoHistory::SelectionPlaces() const {
    std::vector<int> places;
    const auto& states = m_doc.GestureStates();
    if (states.empty()) return places;
    for (const CMyObj* obj : states.front()->m_selection) {
        const int p = m_doc.PlaceOf(obj);
        if (p >= 0) places.push_back(p);
    }
    return places;
}

void CUndoHistory::RestoreSelection(const std::vector<int>& places) {
    const auto& states = m_doc.GestureStates();
    for (CGestureState* state : states) state->DeselectAll();
    if (states.empty()) return;
    const CObList& objects = m_doc.Objects();
    for (int p : places)
        if (p >= 0 && std::size_t(p) < objects.size())
            states.front()->Select(objects[std::size_t(p)]);
}

// ---------------------------------------------------------------- undo, redo

void CUndoHistory::Apply(const CUndoStep& step, bool backwards) {
    auto from = [&](const CUndoRecord& r) { return backwards ? r.placeAfter : r.placeBefore; };
    auto to = [&](const CUndoRecord& r) { return backwards ? r.placeBefore : r.placeAfter; };
    auto bytes = [&](const CUndoRecord& r) -> const std::vector<std::uint8_t>& {
        return backwards ? r.before : r.after;
    };
    bool sheetTouched = false;
    const bool inPlace = std::all_of(step.records.begin(), step.records.end(), [](const auto& r) {
        return r.placeBefore >= 0 && r.placeBefore == r.placeAfter;
    });
    if (inPlace) {
        // Moves and attribute changes: each object is replaced where it is,
        // so the step costs nothing in the size of the document.
        for (const CUndoRecord& r : step.records) {
            CMyObj* fresh = ObjectFrom(bytes(r));
            m_doc.ReplaceAt(r.placeBefore, fresh);
            sheetTouched |= r.placeBefore == 0;
        }
    } else {
        std::vector<const CUndoRecord*> out, in;
        for (const CUndoRecord& r : step.records) {
            if (from(r) >= 0) out.push_back(&r);
            if (to(r) >= 0) in.push_back(&r);
            sheetTouched |= r.placeBefore == 0 || r.placeAfter == 0;
        }
        std::sort(out.begin(), out.end(), [&](auto* a, auto* b) { return from(*a) > from(*b); });
        std::sort(in.begin(), in.end(), [&](auto* a, auto* b) { return to(*a) < to(*b); });
        // The untouched objects keep their order; taking out every touched
        // one and putting the other side's back at its places rebuilds it.
        for (const CUndoRecord* r : out) m_doc.EraseAt(from(*r));
        for (const CUndoRecord* r : in) m_doc.InsertAt(to(*r), ObjectFrom(bytes(*r)));
    }
    RestoreSelection(backwards ? step.selectionBefore : step.selectionAfter);
    if (sheetTouched) {
        if (CAxes* axes = m_doc.Sheet()) {
            axes->Update();
            m_doc.m_sheetParams = axes->m_params;
        }
        if (Host* h = FindHost()) h->SheetSizeChanged();
    }
    if (Host* h = FindHost()) h->InvalidateAll();
}

bool CUndoHistory::Undo() {
    if (!CanUndo()) return false;
    CUndoStep step = std::move(m_done.back());
    m_done.pop_back();
    Apply(step, true);
    m_undone.push_back(std::move(step));
    m_bMergeable = false;
    m_doc.SetModifiedFlag(!IsClean());
    return true;
}

bool CUndoHistory::Redo() {
    if (!CanRedo()) return false;
    CUndoStep step = std::move(m_undone.back());
    m_undone.pop_back();
    Apply(step, false);
    m_done.push_back(std::move(step));
    m_bMergeable = false;
    m_doc.SetModifiedFlag(!IsClean());
    return true;
}

// ---------------------------------------------------------------- scope

CUndoScope::CUndoScope(CGyrDoc* doc, const std::string& name, int mergeKey) : m_doc(doc) {
    if (m_doc) m_doc->History().Begin(name, mergeKey);
}

CUndoScope::~CUndoScope() {
    if (m_doc) m_doc->History().End();
}

}  // namespace gyr

#pragma once
// The document's undo history. Every change of the catalogue happens inside
// a step that the controller opens and closes (a command, a mouse gesture, a
// dialog, the end of typing). While a step is open the document records into
// it each object added, removed or announced with WillChange: its catalogue
// place and archive bytes before and after, and the selection before and
// after. Undo and Redo put back exactly those bytes, places and selection.
// Objects are named by their places, never by pointers, since every undo
// and redo makes new objects from the stored bytes.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace gyr {

class CGyrDoc;
class CMyObj;

// What one step did to one object. A place of -1: not in the catalogue
// (before: the step added it; after: the step removed it).
struct CUndoRecord {
    int placeBefore = -1;
    int placeAfter = -1;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
};

struct CUndoStep {
    std::string name;
    std::vector<CUndoRecord> records;
    // The selection as catalogue places, in selection order.
    std::vector<int> selectionBefore;
    std::vector<int> selectionAfter;
    // Steps with the same non-zero key may continue one another (arrow keys).
    int mergeKey = 0;
    std::size_t Bytes() const;
};

class CUndoHistory {
public:
    // The oldest steps go once either bound is passed; the newest stays.
    static constexpr std::size_t kMaxSteps = 1000;
    static constexpr std::size_t kMaxBytes = std::size_t(64) << 20;

    explicit CUndoHistory(CGyrDoc& doc) : m_doc(doc) {}
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    // Steps nest: only the outermost Begin and End count. A step opened with
    // a merge key continues the last step when that had the same key, was
    // the last thing done and ended with the selection there is now.
    void Begin(const std::string& name, int mergeKey = 0);
    void End();
    bool IsOpen() const { return m_depth > 0; }
    // Renames the open step (a gesture learns what it did on the way).
    void SetName(const std::string& name);

    // Recording, called by the document. Without an open step an addition or
    // removal gives the history up (see Unrecorded); a change in place is not
    // recorded.
    void NoteAdded(CMyObj* obj);
    void NoteRemoving(CMyObj* obj, int place);
    void NoteChanging(CMyObj* obj);
    // obj is about to move to another catalogue place (MakeFirst, MakeLast).
    void NoteReordering(CMyObj* obj);

    bool CanUndo() const { return !IsOpen() && !m_done.empty(); }
    bool CanRedo() const { return !IsOpen() && !m_undone.empty(); }
    // The name of the step Undo or Redo would take back ("" when none).
    std::string UndoName() const { return m_done.empty() ? std::string() : m_done.back().name; }
    std::string RedoName() const { return m_undone.empty() ? std::string() : m_undone.back().name; }
    bool Undo();
    bool Redo();

    // New and Open: everything goes, an open step included.
    void Clear();
    // Save: the document as it is now is the unmodified one.
    void MarkClean();
    bool IsClean() const { return m_clean == m_done.size(); }

    std::size_t DoneCount() const { return m_done.size(); }
    std::size_t UndoneCount() const { return m_undone.size(); }
    std::size_t StoredBytes() const { return m_bytes; }

private:
    void Unrecorded();

    struct OpenRecord {
        CMyObj* obj = nullptr;  // null once removed
        CUndoRecord record;
    };

    // The archive bytes of one object, its selection flag left out (the
    // selection is restored on its own).
    std::vector<std::uint8_t> BytesOf(const CMyObj* obj) const;
    CMyObj* ObjectFrom(const std::vector<std::uint8_t>& bytes) const;
    std::vector<int> SelectionPlaces() const;
    void RestoreSelection(const std::vector<int>& places);
    // Turns the catalogue from one side of the step to the other.
    void Apply(const CUndoStep& step, bool backwards);
    void Push(CUndoStep&& step);
    void DropOldest();
    // Places before the step. Until the first reordering only appends and
    // removals happen: an object's place before is its current place moved
    // past the places of the objects removed so far (a cost in the size of
    // the step). A reordering (rare) takes a map of the catalogue as it was.
    void TakeSnapshot();
    int BeforePlace(const CMyObj* obj);
    int BeforePlaceOfCurrent(int current) const;
    // Takes the last step back into the open state (a continued step).
    void Reopen();
    void Close();

    CGyrDoc& m_doc;
    std::deque<CUndoStep> m_done;
    std::vector<CUndoStep> m_undone;
    std::size_t m_bytes = 0;
    // The number of done steps at the clean point; npos when it can no longer
    // be reached.
    static constexpr std::size_t kNoClean = std::size_t(-1);
    std::size_t m_clean = 0;

    // The open step.
    int m_depth = 0;
    bool m_bVoid = false;  // cleared while open: closes to nothing
    bool m_bModifiedAtBegin = false;
    bool m_bReopened = false;
    bool m_bMergeable = false;  // the last done step may still be continued
    CUndoStep m_open;
    std::vector<OpenRecord> m_records;
    std::unordered_map<const CMyObj*, std::size_t> m_index;
    bool m_bSnapshot = false;
    std::unordered_map<const CMyObj*, int> m_beforePlaces;
    std::vector<int> m_removedPlaces;  // before the step, ascending
};

// Opens a step of the document for its lifetime (nothing without one).
class CUndoScope {
public:
    CUndoScope(CGyrDoc* doc, const std::string& name, int mergeKey = 0);
    ~CUndoScope();
    CUndoScope(const CUndoScope&) = delete;
    CUndoScope& operator=(const CUndoScope&) = delete;

private:
    CGyrDoc* m_doc;
};

}  // namespace gyr

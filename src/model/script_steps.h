#pragma once
// The steps of the locus script: one per recorded or played script line,
// with the object the line produced. A step owns its object only while the
// object was made by a play and is in no document; recorded steps point at
// document objects and never own them, so emptying the list never deletes
// an object twice.

#include <vector>

#include "model/my_obj.h"

namespace gyr {

struct CScriptStep {
    int lineNumber = 0;
    int operation = 0;
    int kind = 0;
    int selector = -1;
    std::vector<const CMyObj*> refs;  // the objects of the referenced lines
    CMyObj* object = nullptr;
    bool owned = false;
};

class CScriptSteps {
public:
    CScriptSteps() = default;
    CScriptSteps(const CScriptSteps&) = delete;
    CScriptSteps& operator=(const CScriptSteps&) = delete;
    CScriptSteps(CScriptSteps&& other) noexcept;
    CScriptSteps& operator=(CScriptSteps&& other) noexcept;
    ~CScriptSteps() { Clear(); }

    // Empties the list, deleting the objects it owns.
    void Clear();
    void Add(CScriptStep step) { m_steps.push_back(std::move(step)); }
    // The objects went into a document: the steps no longer own them.
    void ReleaseAll();
    // The object leaves its document: no step points at it any more.
    void Forget(const CMyObj* obj);
    // The step whose object is obj (the latest), or null.
    const CScriptStep* StepOf(const CMyObj* obj) const;

    int Count() const { return int(m_steps.size()); }
    const std::vector<CScriptStep>& Steps() const { return m_steps; }
    int OwnedCount() const;

private:
    std::vector<CScriptStep> m_steps;
};

// The script's share of the program state.
struct CScriptState {
    CScriptSteps steps;
    // Whether the script window records the user's constructions; Undo and
    // Cut are barred meanwhile.
    bool recording = false;
};

}  // namespace gyr

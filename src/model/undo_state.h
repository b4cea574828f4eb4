#pragma once
// The one-level undo of the run: the kind of change the last gesture made
// and copies of the selection as it was before that gesture.

#include <memory>
#include <vector>

#include "model/my_obj.h"

namespace gyr {

// What the last gesture did; 0 when there is nothing to undo.
enum UndoKind : int { kUndoNone = 0, kUndoMove = 3 };

struct CUndoState {
    int m_nKind = kUndoNone;
    std::vector<std::unique_ptr<CMyObj>> m_copies;

    // Replaces the copies by clones of the objects.
    void SaveCopies(const std::vector<CMyObj*>& objects) {
        m_copies.clear();
        for (const CMyObj* obj : objects) m_copies.emplace_back(obj->Clone());
    }
};

}  // namespace gyr

#include "model/script_steps.h"

#include <algorithm>

namespace gyr {

CScriptSteps::CScriptSteps(CScriptSteps&& other) noexcept : m_steps(std::move(other.m_steps)) {
    other.m_steps.clear();
}

CScriptSteps& CScriptSteps::operator=(CScriptSteps&& other) noexcept {
    if (this != &other) {
        Clear();
        m_steps = std::move(other.m_steps);
        other.m_steps.clear();
    }
    return *this;
}

void CScriptSteps::Clear() {
    std::vector<CScriptStep> steps;
    steps.swap(m_steps);
    for (CScriptStep& s : steps)
        if (s.owned) delete s.object;
}

void CScriptSteps::ReleaseAll() {
    for (CScriptStep& s : m_steps) s.owned = false;
}

void CScriptSteps::Forget(const CMyObj* obj) {
    if (!obj) return;
    for (CScriptStep& s : m_steps) {
        if (s.object == obj) {
            s.object = nullptr;
            s.owned = false;
        }
        std::replace(s.refs.begin(), s.refs.end(), obj, static_cast<const CMyObj*>(nullptr));
    }
}

const CScriptStep* CScriptSteps::StepOf(const CMyObj* obj) const {
    if (!obj) return nullptr;
    for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it)
        if (it->object == obj) return &*it;
    return nullptr;
}

int CScriptSteps::OwnedCount() const {
    return int(std::count_if(m_steps.begin(), m_steps.end(),
                             [](const CScriptStep& s) { return s.owned && s.object; }));
}

}  // namespace gyr

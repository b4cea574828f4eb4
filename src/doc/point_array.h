#pragma once
// The vertex array of a shape: one block of exactly size() points, replaced
// and never grown in place. Most figures have two to four vertices, so those
// live inside the object: loading a large drawing then costs one allocation
// per figure instead of two.

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <memory>

#include "doc/world_point.h"

namespace gyr {

class CPointArray {
public:
    static constexpr std::size_t kInline = 4;

    CPointArray() = default;
    CPointArray(const CPointArray& o) { assign(o.begin(), o.end()); }
    CPointArray(CPointArray&& o) noexcept { *this = std::move(o); }
    CPointArray& operator=(const CPointArray& o) {
        if (this != &o) assign(o.begin(), o.end());
        return *this;
    }
    CPointArray& operator=(CPointArray&& o) noexcept {
        if (this == &o) return *this;
        if (o.m_heap) {
            m_heap = std::move(o.m_heap);
            m_size = o.m_size;
        } else {
            m_heap.reset();
            std::copy(o.m_inline.pts, o.m_inline.pts + o.m_size, m_inline.pts);
            m_size = o.m_size;
        }
        o.m_size = 0;
        return *this;
    }

    CPointArray& operator=(std::initializer_list<CWorldPoint> pts) {
        assign(pts.begin(), pts.end());
        return *this;
    }
    friend bool operator==(const CPointArray& a, const CPointArray& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    CWorldPoint* data() { return m_heap ? m_heap.get() : m_inline.pts; }
    const CWorldPoint* data() const { return m_heap ? m_heap.get() : m_inline.pts; }
    CWorldPoint& operator[](std::size_t i) { return data()[i]; }
    const CWorldPoint& operator[](std::size_t i) const { return data()[i]; }
    CWorldPoint* begin() { return data(); }
    CWorldPoint* end() { return data() + m_size; }
    const CWorldPoint* begin() const { return data(); }
    const CWorldPoint* end() const { return data() + m_size; }

    // n points, all equal to v; the old contents are gone.
    void assign(std::size_t n, const CWorldPoint& v) {
        Reallocate(n);
        std::fill(begin(), end(), v);
    }
    // n points whose values the caller writes next (a loader).
    void AssignForOverwrite(std::size_t n) { Reallocate(n); }
    void assign(const CWorldPoint* first, const CWorldPoint* last) {
        std::size_t n = std::size_t(last - first);
        if (first >= begin() && first < end()) {  // a copy of ourselves
            CPointArray tmp;
            tmp.assign(first, last);
            *this = std::move(tmp);
            return;
        }
        Reallocate(n);
        std::copy(first, last, begin());
    }
    void clear() { Reallocate(0); }

private:
    void Reallocate(std::size_t n) {
        if (n <= kInline) {
            m_heap.reset();
        } else if (!m_heap || n != m_size) {
            m_heap.reset(new CWorldPoint[n]);
        }
        m_size = n;
    }

    // Written before it is read: left uninitialised, as objects are built by
    // the hundred thousand when a drawing is read.
    union Inline {
        Inline() {}
        CWorldPoint pts[kInline];
    } m_inline;
    std::unique_ptr<CWorldPoint[]> m_heap;
    std::size_t m_size = 0;
};

}  // namespace gyr

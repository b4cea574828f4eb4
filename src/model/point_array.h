#pragma once
// The vertex array of a shape: one block of exactly size() points, replaced
// and never grown in place. Segments, lines, circles and points, the bulk of
// any large drawing, have two vertices; those live inside the object, so
// reading such a figure costs one allocation and the object stays small.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "math/world_point.h"

namespace gyr {

class CPointArray {
public:
    static constexpr std::size_t kInline = 2;

    CPointArray() {}
    CPointArray(const CPointArray& o) { assign(o.begin(), o.end()); }
    CPointArray(CPointArray&& o) noexcept { Steal(o); }
    ~CPointArray() { Release(); }
    CPointArray& operator=(const CPointArray& o) {
        if (this != &o) assign(o.begin(), o.end());
        return *this;
    }
    CPointArray& operator=(CPointArray&& o) noexcept {
        if (this != &o) {
            Release();
            Steal(o);
        }
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
    CWorldPoint* data() { return OnHeap() ? m_heap : m_inline; }
    const CWorldPoint* data() const { return OnHeap() ? m_heap : m_inline; }
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
    void assign(const CWorldPoint* first, const CWorldPoint* last) {
        if (first >= begin() && first < end()) {  // a copy of ourselves
            CPointArray tmp;
            tmp.assign(first, last);
            *this = std::move(tmp);
            return;
        }
        Reallocate(std::size_t(last - first));
        std::copy(first, last, begin());
    }
    // n points whose values the caller writes next (a loader).
    void AssignForOverwrite(std::size_t n) { Reallocate(n); }
    void clear() { Reallocate(0); }

private:
    bool OnHeap() const { return m_size > kInline; }
    void Release() {
        if (OnHeap()) delete[] m_heap;
        m_size = 0;
    }
    void Steal(CPointArray& o) {
        if (o.OnHeap())
            m_heap = o.m_heap;
        else
            std::copy(o.m_inline, o.m_inline + o.m_size, m_inline);
        m_size = o.m_size;
        o.m_size = 0;
    }
    void Reallocate(std::size_t n) {
        if (n == m_size) return;
        // Allocate first: a failed allocation leaves the array as it was.
        CWorldPoint* heap = n > kInline ? new CWorldPoint[n] : nullptr;
        Release();
        if (heap) m_heap = heap;
        m_size = std::uint32_t(n);
    }

    // Written before it is read, so left uninitialised: objects are built
    // by the hundred thousand when a drawing is read.
    union {
        CWorldPoint m_inline[kInline];
        CWorldPoint* m_heap;
    };
    std::uint32_t m_size = 0;
};

}  // namespace gyr

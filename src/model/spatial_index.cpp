#include "model/spatial_index.h"

#include <algorithm>
#include <cassert>

namespace gyr {

namespace {

// Cells are squares of a power of two pixels, at least this small ones...
constexpr int kMinCell = 32;
// ...grown until the grid has at most this many.
constexpr long long kMaxCells = 1 << 14;
// An object covering more cells than this goes to the always-tested list:
// it would fill many cells and be found by nearly every query anyway.
constexpr long long kMaxObjectCells = 64;

bool SameMapping(const CSheetMapping& a, const CSheetMapping& b) {
    return a.originX == b.originX && a.originY == b.originY && a.unitX == b.unitX &&
           a.unitY == b.unitY && a.sheetWidth == b.sheetWidth && a.sheetHeight == b.sheetHeight &&
           a.worldLeftTop == b.worldLeftTop && a.worldRightBottom == b.worldRightBottom &&
           a.pixelTolerance == b.pixelTolerance;
}

long long FloorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

}  // namespace

void CPaintIndex::Clear() {
    m_built = false;
    m_rects.clear();
    m_always.clear();
    m_start.clear();
    m_items.clear();
    m_position.clear();
    m_seen.clear();
    m_gridObjects = 0;
}

bool CPaintIndex::Matches(const CObList& list, std::uint64_t version) const {
    return m_built && m_version == version && m_size == list.size() &&
           m_front == (list.empty() ? nullptr : list.front()) &&
           m_back == (list.empty() ? nullptr : list.back()) && SameMapping(m_mapping, Mapping());
}

CPaintIndex::CellRange CPaintIndex::CellsOf(const PixelRect& r) const {
    auto col = [&](long long x) {
        return int(std::clamp<long long>(FloorDiv(x - m_left, m_cell), 0, m_cols - 1));
    };
    auto row = [&](long long y) {
        return int(std::clamp<long long>(FloorDiv(y - m_top, m_cell), 0, m_rows - 1));
    };
    // Right and bottom are exclusive: the last pixel is one before.
    return {col(r.left), row(r.top), col((long long)r.right - 1), row((long long)r.bottom - 1)};
}

void CPaintIndex::Build(const CObList& list, std::uint64_t version) {
    Clear();
    const CSheetMapping& m = Mapping();
    m_mapping = m;
    m_version = version;
    m_size = list.size();
    m_front = list.empty() ? nullptr : list.front();
    m_back = list.empty() ? nullptr : list.back();

    const long long width = std::max(1, m.sheetWidth), height = std::max(1, m.sheetHeight);
    m_cell = kMinCell;
    while (((width + m_cell - 1) / m_cell) * ((height + m_cell - 1) / m_cell) > kMaxCells)
        m_cell *= 2;
    m_cols = int((width + m_cell - 1) / m_cell);
    m_rows = int((height + m_cell - 1) / m_cell);
    m_left = 0;
    m_top = 0;

    const std::size_t n = list.size();
    m_rects.resize(n);
    m_seen.assign(n, 0);
    m_stamp = 0;
    m_position.reserve(n);
    std::vector<CellRange> ranges(n);
    std::vector<std::uint32_t> count(std::size_t(m_cols) * std::size_t(m_rows) + 1, 0);
    std::vector<bool> inGrid(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t pos = std::uint32_t(i);
        m_position.emplace(list[i], pos);
        const PixelRect r = list[i]->GetInvalidRect().Normalized();
        m_rects[i] = r;
        // An empty rectangle meets nothing: such an object is never drawn
        // while it keeps it.
        if (r.IsEmpty()) continue;
        const CellRange c = CellsOf(r);
        const long long cells = (long long)(c.c1 - c.c0 + 1) * (c.r1 - c.r0 + 1);
        if (cells > kMaxObjectCells) {
            m_always.push_back(pos);
            continue;
        }
        ranges[i] = c;
        inGrid[i] = true;
        ++m_gridObjects;
        for (int y = c.r0; y <= c.r1; ++y)
            for (int x = c.c0; x <= c.c1; ++x) ++count[std::size_t(y) * std::size_t(m_cols) + x];
    }
    // Counts to start offsets, then fill in list order so that each cell's
    // positions ascend.
    m_start.assign(count.size(), 0);
    std::uint32_t sum = 0;
    for (std::size_t k = 0; k < count.size(); ++k) {
        m_start[k] = sum;
        sum += count[k];
    }
    m_items.resize(sum);
    std::vector<std::uint32_t> fill(m_start.begin(), m_start.end());
    for (std::size_t i = 0; i < n; ++i) {
        if (!inGrid[i]) continue;
        const CellRange& c = ranges[i];
        for (int y = c.r0; y <= c.r1; ++y)
            for (int x = c.c0; x <= c.c1; ++x)
                m_items[fill[std::size_t(y) * std::size_t(m_cols) + x]++] = std::uint32_t(i);
    }
    m_built = true;
}

bool CPaintIndex::Take(std::uint32_t i) const {
    if (m_seen[i] == m_stamp) return false;
    m_seen[i] = m_stamp;
    return true;
}

void CPaintIndex::Query(const PixelRect& r, const CObList& list, const CObList& moving,
                        std::vector<std::uint32_t>& positions) const {
    positions.clear();
    const PixelRect q = r.Normalized();
    if (!m_built || q.IsEmpty()) return;
    if (++m_stamp == 0) {
        // The stamps went round: forget every old mark.
        std::fill(m_seen.begin(), m_seen.end(), 0);
        m_stamp = 1;
    }
    for (std::uint32_t i : m_always)
        if (m_rects[i].Intersects(q) && Take(i)) positions.push_back(i);
    const CellRange c = CellsOf(q);
    for (int y = c.r0; y <= c.r1; ++y) {
        for (int x = c.c0; x <= c.c1; ++x) {
            const std::size_t k = std::size_t(y) * std::size_t(m_cols) + x;
            for (std::uint32_t j = m_start[k]; j < m_start[k + 1]; ++j) {
                const std::uint32_t i = m_items[j];
                if (m_seen[i] != m_stamp && m_rects[i].Intersects(q) && Take(i))
                    positions.push_back(i);
            }
        }
    }
    for (const CMyObj* obj : moving) {
        auto it = m_position.find(obj);
        if (it == m_position.end() || it->second >= list.size() || list[it->second] != obj)
            continue;
        if (obj->GetInvalidRect().Intersects(q) && Take(it->second))
            positions.push_back(it->second);
    }
    std::sort(positions.begin(), positions.end());
}

void DrawInRect(const CObList& list, const CPaintIndex& index, const CObList& moving, Canvas& dc,
                const PixelRect& r) {
    std::vector<std::uint32_t> positions;
    index.Query(r, list, moving, positions);
#ifndef NDEBUG
    // The index is only worth having if it never loses an object.
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->GetInvalidRect().Intersects(r))
            assert(std::binary_search(positions.begin(), positions.end(), std::uint32_t(i)) &&
                   "an object changed outside the paint index's moving set");
#endif
    // A moving object may have been found by where it was: the test is
    // always on where it is now, as for the plain scan.
    for (std::uint32_t i : positions)
        if (list[i]->GetInvalidRect().Intersects(r)) DrawObjectWithin(list[i], dc, r);
}

}  // namespace gyr

#pragma once
// Where the catalogue's objects paint, taken once, so that repainting a small
// damaged area of a large document visits only the objects near it instead
// of asking every object for its pixel rectangle.
//
// The index is a snapshot: it holds each object's invalid rectangle as it was
// when built, in a uniform grid over the sheet. It stays true only while no
// object outside a known "moving" set changes, so its owner builds it for a
// span in which that holds (a mouse drag, where only the gesture's and the
// selection's objects move) and asks for the moving objects' rectangles
// afresh on every query. Objects whose rectangle covers much of the sheet
// (the sheet itself, lines fitted to it, large curves) are kept in a list that
// every query tests.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "math/sheet_mapping.h"
#include "model/obj_list.h"

namespace gyr {

class CPaintIndex {
public:
    // Takes every object's invalid rectangle now. version: the catalogue
    // version the list has (CGyrDoc::CatalogueVersion).
    void Build(const CObList& list, std::uint64_t version);
    void Clear();
    bool IsBuilt() const { return m_built; }
    // Whether the snapshot was taken of this list at this catalogue version
    // under the mapping in force now.
    bool Matches(const CObList& list, std::uint64_t version) const;

    // The list positions, ascending and each once, of the objects that may
    // meet r: those whose rectangle as taken meets r, and those of moving
    // (objects that may have changed since; ones not in the list are
    // ignored) whose rectangle meets r now. A superset of what a full scan
    // finds, as long as only moving objects changed.
    void Query(const PixelRect& r, const CObList& list, const CObList& moving,
               std::vector<std::uint32_t>& positions) const;

    // Statistics for tests: objects in the grid, in the always-tested list.
    std::size_t GridObjectCount() const { return m_gridObjects; }
    std::size_t AlwaysTestedCount() const { return m_always.size(); }

private:
    // The clamped cell range of a rectangle: columns c0..c1, rows r0..r1.
    struct CellRange {
        int c0, r0, c1, r1;
    };
    CellRange CellsOf(const PixelRect& r) const;
    bool Take(std::uint32_t i) const;

    bool m_built = false;
    std::uint64_t m_version = 0;
    std::size_t m_size = 0;
    const CMyObj* m_front = nullptr;
    const CMyObj* m_back = nullptr;
    CSheetMapping m_mapping;

    std::vector<PixelRect> m_rects;  // by list position, normalised
    std::vector<std::uint32_t> m_always;
    // The grid over the sheet: cell (c, r) holds m_items[m_start[k] ..
    // m_start[k + 1]) with k = r * m_cols + c. Rectangles beyond the sheet
    // land in its border cells, so that no object is ever lost.
    int m_cell = 1, m_cols = 1, m_rows = 1;
    long long m_left = 0, m_top = 0;
    std::vector<std::uint32_t> m_start;
    std::vector<std::uint32_t> m_items;
    std::size_t m_gridObjects = 0;
    std::unordered_map<const CMyObj*, std::uint32_t> m_position;

    // The query's marks: position i was taken by the query whose stamp it holds.
    mutable std::vector<std::uint32_t> m_seen;
    mutable std::uint32_t m_stamp = 0;
};

// DrawInRect through the index: the objects Query finds, in list order,
// drawn when their rectangle meets r. In builds with assertions it checks
// that a full scan would draw no other object.
void DrawInRect(const CObList& list, const CPaintIndex& index, const CObList& moving, Canvas& dc,
                const PixelRect& r);

}  // namespace gyr

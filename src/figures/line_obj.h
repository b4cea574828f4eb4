#pragma once
// A line: a segment whose two vertices are kept on the border of the sheet,
// so that it is drawn across the whole sheet.

#include "figures/segment_obj.h"

namespace gyr {

class CLine : public CSegmentObj {
    GYR_DECLARE_CLASS(CLine)
public:
    CLine() = default;
    CLine(const CWorldPoint& p0, const CWorldPoint& p1) : CSegmentObj(p0, p1) {}

    bool IsSegment() const override { return false; }
    bool IsLine() const override { return true; }
    void EndTrack(CGyrView* view, unsigned flags, const CWorldPoint& p) override;
    PixelRect Track(CGyrView* view, const CWorldPoint& p, unsigned flags) override;
    CWorldPoint GetDuplicateOffset(int key) const override;

    // Moves P0 and P1 to where the line through them crosses the border of
    // the sheet, in their order along P0 -> P1, then RecalcBounds. False (and
    // nothing changed) when P0 and P1 coincide or the line misses the sheet.
    bool FitToSheet();
};

// Constructs, fits to the sheet, the active document and its attributes;
// not added.
CLine* NewLine(const CWorldPoint& p0, const CWorldPoint& p1);
// Constructs, fits to the sheet and finishes it (added, not recalculated).
CLine* MakeLine(const CWorldPoint& p0, const CWorldPoint& p1, bool collect, int redraw);
// For points already on the border: finished, added, drawn at once and
// collected, without fitting.
CLine* MakeLineThrough(const CWorldPoint& p0, const CWorldPoint& p1);
// The press of a line tool, as StartSegment.
CLine* StartLine(CGyrView& view, unsigned flags, const CWorldPoint& p);
// The middle orthogonal of the side the view picked (its part index s): of
// vertices s and s - 1 (cyclically) of the picked figure. Null when there is
// no such side.
CLine* PerpendicularBisectorOfSide(CGyrView& view);

}  // namespace gyr

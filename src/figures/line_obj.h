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
    void EndTrack(CGestureState& state, unsigned flags, const CWorldPoint& p) override;
    PixelRect Track(CGestureState& state, const CWorldPoint& p, unsigned flags) override;
    CWorldPoint GetDuplicateOffset(int key) const override;

    // Moves P0 and P1 to where the line through them crosses the border of
    // the sheet, in their order along P0 -> P1, then RecalcBounds. False (and
    // nothing changed) when P0 and P1 coincide or the line misses the sheet.
    bool FitToSheet();
};

// Constructs, fits to the sheet, the document and its attributes; not added.
CLine* NewLine(CGyrDoc* doc, const CWorldPoint& p0, const CWorldPoint& p1);
// Constructs, fits to the sheet of the gesture's document and finishes it
// (how.recalc is not used: the fit has recalculated it).
CLine* MakeLine(CGestureState& state, const CWorldPoint& p0, const CWorldPoint& p1, CFinish how);
// For points already on the border: finished, added, drawn at once and
// collected, without fitting.
CLine* MakeLineThrough(CGestureState& state, const CWorldPoint& p0, const CWorldPoint& p1);
// The press of a line tool, as StartSegment; the drawing operation of the
// line tool.
CLine* StartLine(CGestureState& state, unsigned flags, const CWorldPoint& p);
CMyObj* DrawLineTool(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr

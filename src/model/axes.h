#pragma once
// The sheet object: always the head of the catalogue. Holds the 56-byte sheet
// record, draws the axes with their ticks and labels, and sets the one
// world <-> pixel mapping.

#include "model/document.h"
#include "model/my_obj.h"

namespace gyr {

class CAxes : public CMyObj {
    GYR_DECLARE_CLASS(CAxes)
public:
    CAxes() = default;

    // Stores the record and runs the update step.
    void SetAll(const CSheetParams& params);
    // Recomputes the derived values, the world rectangle, the mapping state,
    // the effective sheet size and the pixel tolerance.
    void Update();
    // Returns the previous general scale.
    double SetGeneralScale(double scale);
    // The defaults of a first new document (page size from the host).
    void InitDefaults();

    void Draw(Canvas& dc) const override;
    // Only the ticks and labels that may show in r: a wide sheet has
    // thousands of labels, and text costs far more than a line.
    void DrawWithin(Canvas& dc, const PixelRect& r) const;
    int ListData(DataLines& lines) const override;
    CMyObj* SetDataValue(int index, double value, int step) override;
    double DistanceTo(const CWorldPoint&, int&) const override { return 1e10; }
    int HitTest(const CWorldPoint&) const override { return -1; }
    // Moves the two corners only; the record, and so the mapping, stays.
    void Offset(const CWorldPoint& v) override;
    // Clone (from the class macro) copies the whole object, record included,
    // so a copy draws the same axes as its source.
    void ExchangeFields(CFieldExchange& fx) override;

    CSheetParams m_params;
    // Derived, never saved.
    int m_t4 = 4, m_t5 = 5, m_t7 = 7;
    int m_ticksLeft = 0, m_ticksRight = 0, m_ticksAbove = 0, m_ticksBelow = 0;
    int m_spacingX = 0, m_spacingY = 0;
    LogPen m_axesPen{kPenInsideFrame, 1, 0, 0xC0C0C0};

private:
    // The axes; with within, only what may show there.
    void DrawAxes(Canvas& dc, const PixelRect* within) const;
};

// The default page size in screen pixels: 770 x 1100 without a printer.
PixelPoint DefaultPageSize();

// Zoom by factor f (F12: the homothety modulus, F11: its inverse). Shows the
// limit message and changes nothing when a limit would be crossed. True when
// the sheet changed.
bool ZoomSheet(CGyrDoc& doc, double f);
// n' = max(n, 1); r = trunc(n' f); when r == n' the result is n' + 1.
int ScaledUnit(int n, double f);

extern const char* const kMsgZoomLimit;    // STRING 33512
extern const char* const kMsgLabelsReset;  // STRING 33510

}  // namespace gyr

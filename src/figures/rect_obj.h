#pragma once
// A quadrilateral P0 P1 P2 P3 of one of five kinds: general parallelogram,
// rectangle, axis-parallel ("screen") rectangle, rhomb and symmetric
// trapezium. Its kind decides how the pointer draws it and how its handles
// move it, so that each kind stays what it is.

#include <cstdint>

#include "model/gesture_state.h"
#include "model/shape_obj.h"

namespace gyr {

// The kinds as saved in m_kind; the tool codes of the Parallelograms menu
// are the same numbers (a rectangle is drawn with the general tool and Ctrl).
enum RectKind : std::uint32_t {
    kRectGeneral = 10000,
    kRectRectangle = 10030,
    kRectScreen = 10010,
    kRectRhomb = 10050,
    kRectTrapezium = 301,
};

class CRectObj : public CShapeObj {
    GYR_DECLARE_CLASS(CRectObj)
public:
    CRectObj() = default;
    // All four vertices at p.
    CRectObj(std::uint32_t kind, const CWorldPoint& p);

    bool IsRect() const override { return true; }
    // P1 coincides with P2 or P0 with P2.
    bool IsDegenerate() const override;
    // The drag rule of the kind moves the vertices after the base P0 P1 (the
    // screen rectangle keeps only P0).
    void TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                         int code) override;
    // By kind, with the held keys (Ctrl, Shift) for the general one; a
    // damaged figure (not four vertices, unknown kind) moves one vertex.
    PixelRect MoveHandle(int k, const CWorldPoint& p) override;
    // A side vector, so that copies tile the plane; with Ctrl the box rule.
    CWorldPoint GetDuplicateOffset(int key) const override;
    void ExchangeFields(CFieldExchange& fx) override;

    bool IsKnownKind() const;

    std::uint32_t m_kind = kRectGeneral;
    // The base direction fixed when a rhomb starts to follow the pointer;
    // not saved.
    CWorldPoint m_baseDir;
};

// The drawing operation of the Parallelograms tools: the screen rectangle at
// once, the others on the segment drawn in the stage before.
CMyObj* DrawRectTool(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr

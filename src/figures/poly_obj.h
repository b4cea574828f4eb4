#pragma once
// A regular polygon: n vertices (n fixed when it is made) around a centre.
// Its handles, transformations and the pointer keep it regular.

#include "model/gesture_state.h"
#include "model/shape_obj.h"

namespace gyr {

class CPolyObj : public CShapeObj {
    GYR_DECLARE_CLASS(CPolyObj)
public:
    CPolyObj() = default;
    // n vertices, all at the centre.
    CPolyObj(int n, const CWorldPoint& centre);

    bool IsPolygon() const override { return true; }
    // Vertex k := p and the others counter-clockwise from it around the
    // centre; all at p when p is the centre. Nothing for fewer than three
    // vertices.
    void SetRegularVertices(int k, const CWorldPoint& p);
    // Centred at the press point with vertex 0 at the pointer; with Ctrl the
    // press point is a vertex and the pointer the next one counter-clockwise.
    void TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                         int code) override;
    // Regenerates the polygon from the moved vertex around the kept centre.
    PixelRect MoveHandle(int k, const CWorldPoint& p) override;
    void Homothety(const CWorldPoint& c, double k) override;
    void Rotate(const CWorldPoint& c, double angle) override;
    void Reflect(const CWorldPoint& a, const CWorldPoint& b) override;
    void Offset(const CWorldPoint& v) override;
    // Twice the way from the centre to the side midpoint farthest in the
    // arrow's direction (a copy of an even polygon shares that side); with
    // Ctrl the box rule.
    CWorldPoint GetDuplicateOffset(int key) const override;
    void Draw(Canvas& dc) const override;
    int ListData(DataLines& lines) const override;
    void ExchangeFields(CFieldExchange& fx) override;

    CWorldPoint m_center;
    // Where the pointer was pressed while the polygon is drawn; not saved.
    CWorldPoint m_anchor;
};

// The drawing operation of the regular polygon tool: the number of sides of
// the drawing parameters, all vertices at the press point.
CMyObj* DrawPolygonTool(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr

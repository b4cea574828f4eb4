#pragma once
// The base of every geometric figure: a pen, a brush and an owned array of
// vertices. Implements the operations once for the closed polygon through
// the vertices; concrete figures override what differs.

#include "model/my_obj.h"
#include "model/point_array.h"

namespace gyr {

class CShapeObj;

// How a figure made by a construction at a press follows the pointer: the
// construction's own rule, given to the figure when it is made, with the
// number of the solution (or branch of solutions) the figure shows. The
// figure's drawing tools never see it.
using FollowRule = void (*)(CShapeObj& obj, CGestureState& state, const CWorldPoint& p,
                            unsigned flags);
struct CFollow {
    FollowRule rule = nullptr;
    int solution = 0;

    CFollow() = default;
    // A copy of a figure is no longer part of the gesture.
    CFollow(const CFollow&) {}
    CFollow& operator=(const CFollow&) { return *this; }
};

class CShapeObj : public CMyObj {
    GYR_DECLARE_CLASS(CShapeObj)
public:
    CShapeObj() = default;
    explicit CShapeObj(int n);
    CShapeObj(const CShapeObj&) = default;
    CShapeObj& operator=(const CShapeObj&) = default;
    ~CShapeObj() override = default;

    const CWorldPoint* GetVertices() const override {
        return m_points.empty() ? nullptr : m_points.data();
    }
    int GetVertexCount() const override { return m_nPoints; }
    CWorldPoint GetHandle(int n) const override;
    PixelRect GetInvalidRect() const override;
    void SetVertex(int n, const CWorldPoint& p) override;
    void SetDocument(CGyrDoc* doc) override;
    bool IsClosed() const override { return true; }
    bool IsShape() const override { return true; }
    int ListData(DataLines& lines) const override;
    CMyObj* SetDataValue(int index, double value, int step) override;
    void RecalcBounds() override;
    bool IsDegenerate() const override;
    PixelRect MoveHandle(int k, const CWorldPoint& p) override;
    bool SnapToVertex(CWorldPoint& p) const override;
    void TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                         int code) override;
    PixelRect Track(CGestureState& state, const CWorldPoint& p, unsigned flags) override;
    void Homothety(const CWorldPoint& c, double k) override;
    void Rotate(const CWorldPoint& c, double angle) override;
    void Reflect(const CWorldPoint& a, const CWorldPoint& b) override;
    void Offset(const CWorldPoint& v) override;
    void Draw(Canvas& dc) const override;
    void DrawMarks(Canvas& dc) const override;
    double DistanceTo(const CWorldPoint& p, int& edge) const override;
    int HitTest(const CWorldPoint& p) const override;
    double NearestVertex(const CWorldPoint& p, int& index) const override;
    void ExchangeFields(CFieldExchange& fx) override;
    template <class Fx>
    void ExchangeShapeFields(Fx& fx);
    void LoadShapeFields(CArchive& ar);

    // Added by shapes, after the CMyObj slots.
    virtual bool GetCorner(int n, CWorldPoint& v, CWorldPoint& next, CWorldPoint& prev) const;
    virtual PixelRect ProjectVertexOntoLine(const CWorldPoint& a, const CWorldPoint& b,
                                            const CWorldPoint& p, int k);
    virtual CWorldPoint NearestPointOn(const CWorldPoint& p) const;

    // Moves the figure by its construction's rule, when it has one for the
    // gesture; false otherwise.
    bool FollowPointer(CGestureState& state, const CWorldPoint& p, unsigned flags);
    // The construction that made the figure moves it by rule, showing its
    // solution-th solution.
    void FollowBy(FollowRule rule, int solution) {
        m_follow.rule = rule;
        m_follow.solution = solution;
    }
    // The gesture is over: the pointer no longer moves the figure.
    void StopFollowing() { m_follow.rule = nullptr; }

    // Replaces the vertex array by n default points.
    void SetVertexCount(int n);
    // Applies one attribute kind of the document's drawing record.
    void ApplyAttributes(int kind, const CGyrDoc& doc);

    std::int32_t m_bPen = 1;
    LogPen m_logpen;
    std::int32_t m_bBrush = 0;
    LogBrush m_logbrush;
    std::int32_t m_nPoints = 0;
    CPointArray m_points;  // exactly m_nPoints entries
    // Set only while a construction's gesture lasts; never saved.
    CFollow m_follow;
};

// Polyline geometry shared by shape outlines (closed) and curve components.
// Hit test: k >= 1 near vertex k-1 (vertices win over edges), 0 near an edge,
// -1 a miss.
int PolylineHitTest(const CWorldPoint* v, int n, bool closed, const CWorldPoint& p);
// Smallest distance from p to an edge; edge i (1-based) joins vertex i-1 to
// vertex i, edge n is the closing one. Without edges: 1e10 and edge 1.
double PolylineDistance(const CWorldPoint* v, int n, bool closed, const CWorldPoint& p, int& edge);
// The point of the polyline nearest to p: the earliest of equally near edges.
// A single vertex is its own nearest point; no vertex gives (0, 0).
CWorldPoint PolylineNearestPoint(const CWorldPoint* v, int n, bool closed, const CWorldPoint& p);

// The fan area of a vertex list: half the sum of |v(i+1) - v(i)| times the
// distance from vertex 0 to the line v(i)v(i+1), for i = 1 .. n-2.
double FanArea(const CWorldPoint* v, int n);

}  // namespace gyr

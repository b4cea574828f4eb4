#pragma once
// A sampled curve: a shape without vertices of its own that owns an ordered
// list of polyline components. Its box is always the union of the
// components' boxes.

#include <memory>

#include "figures/compo.h"
#include "model/shape_obj.h"

namespace gyr {

class CompoObj : public CShapeObj {
    GYR_DECLARE_CLASS(CompoObj)
public:
    CompoObj() = default;
    // Components are copied, never shared.
    CompoObj(const CompoObj& other);
    CompoObj& operator=(const CompoObj&) = delete;
    ~CompoObj() override;

    // A curve has no handles; these ask about one of its components and give
    // the neutral answer for a component it does not own.
    using CShapeObj::GetHandle;
    using CShapeObj::GetVertexCount;
    using CShapeObj::GetVertices;
    CWorldPoint GetHandle(int n, const Compo* compo) const;
    const CWorldPoint* GetVertices(const Compo* compo) const;
    int GetVertexCount(const Compo* compo) const;

    bool IsCurve() const override { return true; }
    int ListData(DataLines& lines) const override;
    void RecalcBounds() override;
    PixelRect MoveHandle(int k, const CWorldPoint& p) override;
    bool SnapToVertex(CWorldPoint& p) const override { return false; }
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
    bool GetCorner(int n, CWorldPoint& v, CWorldPoint& next, CWorldPoint& prev) const override;
    CWorldPoint NearestPointOn(const CWorldPoint& p) const override;
    void ExchangeFields(CFieldExchange& fx) override;

    // A new component with a copy of the points: 0, or 1 when it could not be
    // allocated (the list is then unchanged).
    int AddPoints(const CWorldPoint* points, int count, std::uint32_t closed);
    // Kept only with more than one point; otherwise dropped.
    void AddComponent(std::unique_ptr<Compo> compo);
    // The points of component index, or null when there is none.
    const CWorldPoint* ComponentAt(int index, int& count, std::uint32_t& closed) const;
    void DeleteAllComponents();
    void CopyComponentsFrom(const CompoObj& other);

    int ComponentCount() const { return int(m_compos.size()); }
    int TotalPoints() const;

    std::vector<Compo*> m_compos;  // owned

private:
    bool Owns(const Compo* compo) const;
};

// The component lines of a curve's listing ("Number of Compos" ...), without
// the address line.
void ListComponents(const CompoObj& curve, DataLines& lines);

}  // namespace gyr

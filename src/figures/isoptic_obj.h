#pragma once
// Isoptic cubics as curve objects: the four defining points, the canonical
// frame and constants, the real x-intervals and the sampled branches. The
// variant decides how the intervals are found and sampled; the conic and
// the degenerate variants replace more. Components are sampled when a cubic
// is built or edited, never when it is loaded.

#include "figures/compo_obj.h"
#include "math/isoptic.h"
#include "model/gesture_state.h"

namespace gyr {

class CLine;

class CIsoptic : public CompoObj {
    GYR_DECLARE_CLASS(CIsoptic)
public:
    CIsoptic() = default;
    CIsoptic(const CIsoptic&) = default;

    int ListData(DataLines& lines) const override;
    // 0 .. 7 the coordinates of A .. D, 8 .. 10 the constants a, b, c. Gives
    // this object, or the new isoptic when the edit changed the variant.
    CMyObj* SetDataValue(int index, double value, int step) override;
    void Homothety(const CWorldPoint& c, double k) override;
    void Rotate(const CWorldPoint& c, double angle) override;
    void Reflect(const CWorldPoint& a, const CWorldPoint& b) override;
    void Offset(const CWorldPoint& v) override;
    // The foot of the normal from p; when the solver fails, a beep and the
    // nearest point of the sampled components.
    CWorldPoint NearestPointOn(const CWorldPoint& p) const override;
    void ExchangeFields(CFieldExchange& fx) override;

    // A new line through p along the tangent there, fitted to the sheet and
    // given the document, not added; null when there is no direction.
    virtual CLine* MakeTangentLine(CGyrDoc* doc, const CWorldPoint& p) const;
    // The flexes, in m_extra with their count in m_nExtra: the stored ones
    // when they were computed before, else searched from the components
    // (Newton's method from their middles outwards) and stored. Gives the
    // count (0: none); -1 for a cubic that has no flexes to search (the
    // conic, the split ones) or whose stored data is not finite. calls, when
    // given, receives the number of solver starts.
    virtual int FindFlexes(int* calls = nullptr);
    // The interval ends from the constants; nothing in the base class.
    virtual void ComputeIntervals() {}
    // New components from the intervals: 0, or an error code (the components
    // made so far are kept). Nothing in the base class.
    virtual int BuildComponents() { return 0; }

    CIsopticFrame Frame() const { return {m_origin, m_axisX, m_axisY}; }
    CIsopticConstants Constants() const { return {m_a, m_b, m_c}; }
    void SetDefinition(const CIsopticDefinition& def);
    // The process-wide frame and constants become this cubic's.
    void LoadCurrent() const;
    // Intervals, components and box afresh; the build's code. Flexes found
    // before are forgotten.
    int Recompute();
    // The sheet the components are clipped to.
    CSheetRect SheetRect() const;

    CWorldPoint m_pts[4];  // A, B, C, D
    CWorldPoint m_extra[3];
    CWorldPoint m_axisX{1, 0};
    CWorldPoint m_axisY{0, 1};
    CWorldPoint m_origin;
    double m_x[4] = {0, 0, 0, 0};
    double m_a = 0;
    double m_b = 0;
    double m_c = 0;
    // Valid extra points; -1 until computed. A stored value outside -1 .. 3
    // is kept for the file but read as -1.
    std::int32_t m_nExtra = -1;

    int ExtraCount() const { return m_nExtra >= -1 && m_nExtra <= 3 ? m_nExtra : -1; }

protected:
    // After A .. D and O were mapped by a similarity: the axes and the
    // constants of the new position. scale is the ratio of lengths.
    virtual void RederiveAfterMap(double scale);
    template <class Map>
    void MapDefinition(Map map, double scale);
    // The foot of the normal from p by the solver (canonical point in, foot
    // out, 0 on success) when the frame is sound and valid holds; otherwise a
    // beep and the nearest sampled point.
    template <class Solve>
    CWorldPoint FootOfNormal(const CWorldPoint& p, bool valid, Solve solve) const;

private:
    CMyObj* EditPoint(int index, double value);
    CMyObj* EditConstant(int index, double value);
};

// The three proper variants: they differ in their intervals.
class CIsopticProper : public CIsoptic {
public:
    CIsopticProper() = default;
    CIsopticProper(const CIsopticProper&) = default;
    void ComputeIntervals() override;
    int BuildComponents() override;
    int FindFlexes(int* calls = nullptr) override;
    virtual CubicClass Class() const = 0;
};

class CIsopticOne : public CIsopticProper {
    GYR_DECLARE_CLASS(CIsopticOne)
public:
    IsopticVariant GetIsopticVariant() const override { return IsopticVariant::One; }
    CubicClass Class() const override { return CubicClass::One; }
};

class CIsopticTwo : public CIsopticProper {
    GYR_DECLARE_CLASS(CIsopticTwo)
public:
    IsopticVariant GetIsopticVariant() const override { return IsopticVariant::Two; }
    CubicClass Class() const override { return CubicClass::Two; }
};

class CIsopticSingular : public CIsopticProper {
    GYR_DECLARE_CLASS(CIsopticSingular)
public:
    IsopticVariant GetIsopticVariant() const override { return IsopticVariant::Singular; }
    CubicClass Class() const override { return CubicClass::Singular; }
};

// The rectangular hyperbola x^2 - y^2 = a of a parallelogram's points.
class CIsopticConic : public CIsoptic {
    GYR_DECLARE_CLASS(CIsopticConic)
public:
    IsopticVariant GetIsopticVariant() const override { return IsopticVariant::Conic; }
    CWorldPoint NearestPointOn(const CWorldPoint& p) const override;
    CLine* MakeTangentLine(CGyrDoc* doc, const CWorldPoint& p) const override;
    void ComputeIntervals() override;
    int BuildComponents() override;

protected:
    void RederiveAfterMap(double scale) override;
};

// A cubic that splits: component 0 a line (two points on the border),
// component 1 by shape code: 0 a point (twice), 1 a circle (centre, point on
// it), 2 none, 3 a second line.
class CIsopticDegenerate : public CIsoptic {
    GYR_DECLARE_CLASS(CIsopticDegenerate)
public:
    bool IsDegenerateIsoptic() const override { return true; }
    void RecalcBounds() override;
    bool SnapToVertex(CWorldPoint& p) const override;
    void Draw(Canvas& dc) const override;
    int HitTest(const CWorldPoint& p) const override;
    double DistanceTo(const CWorldPoint& p, int& edge) const override;
    CWorldPoint NearestPointOn(const CWorldPoint& p) const override;
    CLine* MakeTangentLine(CGyrDoc* doc, const CWorldPoint& p) const override;
    // Moved lines are fitted to the sheet again.
    void Homothety(const CWorldPoint& c, double k) override;
    void Rotate(const CWorldPoint& c, double angle) override;
    void Reflect(const CWorldPoint& a, const CWorldPoint& b) override;
    void Offset(const CWorldPoint& v) override;
    void ExchangeFields(CFieldExchange& fx) override;

    // The components from the parts, lines fitted to the sheet. False when
    // the first line misses the sheet.
    bool BuildFromParts(const CDegenerateParts& parts);
    // The shape code as drawn: outside 0 .. 3 there is no second component.
    int ShapeCode() const { return m_nShapeCode >= 0 && m_nShapeCode <= 3 ? m_nShapeCode : 2; }

    std::int32_t m_nShapeCode = 2;

protected:
    void RederiveAfterMap(double scale) override;

private:
    void RefitLines();
};

// The object of a build, empty; null for none.
CIsoptic* NewIsopticOf(IsopticBuild build);
// Builds the definition's cubic in the document: attributes, appended, then
// intervals, components and box. Null (nothing added) when the definition
// has no cubic.
CIsoptic* AddIsoptic(CGyrDoc* doc, const CIsopticDefinition& def);
// The cubic through four points, through the special positions.
CIsoptic* AddIsopticThrough(CGyrDoc* doc, const CWorldPoint& A, const CWorldPoint& B,
                            const CWorldPoint& C, const CWorldPoint& D);
// The cubic with given constants in the standard frame, through the points
// made from them; the segments AB and CD are added first. Null (nothing
// added) when the constants give no points.
CIsoptic* AddIsopticFromConstants(CGyrDoc* doc, const CIsopticConstants& k);

// The press of the isoptic drawing tools (kind 20000).
CMyObj* DrawIsopticTool(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The release of a gesture of those tools: builds the cubic when the gesture
// completes it and says whether it has ended the gesture (the figures'
// own end of gesture is then not run).
bool FinishIsopticGesture(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr

// Isoptic objects: building each variant into a document, the file round
// trip of every class (never resampled on loading), hostile stored values,
// data edits, transformations that keep the definition consistent, the
// solver's fallback, the degenerate drawing and the drawing tools'
// gestures.

#include "figures/isoptic_obj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "figures/angle_obj.h"
#include "figures/figure_fixture.h"
#include "figures/line_obj.h"
#include "figures/segment_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

using Cx = std::complex<double>;

Cx ToCx(const CWorldPoint& p) {
    return {p.x, p.y};
}

// The 770 x 1100 sheet, 50 pixels a unit, origin in the middle.
class IsopticTest : public FigureTest {
protected:
    void SetUp() override {
        FigureTest::SetUp();
        CSheetParams p;
        p.originX = 385;
        p.originY = 550;
        p.width = 770;
        p.height = 1100;
        doc.m_sheetParams = p;
        doc.ApplySheetParams();
    }

    std::vector<int> Counts(const CompoObj& c) const {
        std::vector<int> n;
        for (const Compo* compo : c.m_compos) n.push_back(compo->Count());
        return n;
    }

    CIsoptic* General() { return AddIsopticThrough(&doc, {-3, -1}, {-2, 1}, {0, -2}, {-1, -2}); }

    // Every point of a proper cubic's components but their ends (which may
    // be border crossings, on a chord) lies on its cubic.
    void ExpectOnCubic(const CIsoptic& obj, double tol = 1e-6) {
        const CIsopticFrame f = obj.Frame();
        const CIsopticConstants k = obj.Constants();
        const CWorldPoint* pts = obj.m_pts;
        const Cx O = ToCx(f.origin);
        EXPECT_NEAR(std::abs((ToCx(pts[0]) - O) * (ToCx(pts[3]) - O) -
                             (ToCx(pts[1]) - O) * (ToCx(pts[2]) - O)),
                    0, 1e-9);
        for (const Compo* compo : obj.m_compos)
            for (std::size_t i = 1; i + 1 < compo->m_points.size(); ++i) {
                const CWorldPoint c = f.ToCanonical(compo->m_points[i]);
                const CWorldPoint g = CubicGradient(k, c.x, c.y);
                ASSERT_LE(std::fabs(CubicValue(k, c.x, c.y)), tol * std::hypot(g.x, g.y));
            }
    }
};

TEST_F(IsopticTest, FourPointsBuildTheVariantWithItsFrameAndComponents) {
    CIsoptic* obj = General();
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->GetRuntimeClass(), &CIsopticTwo::kClass);
    EXPECT_EQ(obj->GetIsopticVariant(), IsopticVariant::Two);
    EXPECT_EQ(Last(), obj);
    EXPECT_EQ(obj->m_nExtra, -1);
    ExpectNear(obj->m_origin, {-0.5, -1});
    EXPECT_NEAR(obj->m_x[0], -2.481238, 1e-6);
    EXPECT_EQ(Counts(*obj), (std::vector<int>{78, 48, 82}));
    ExpectOnCubic(*obj);
    EXPECT_LE(obj->m_leftTop.x, -2.48);

    // The process-wide n applies to later cubics.
    ProgramState().isoptic.halfPoints = 1001;
    CIsoptic* fine = General();
    EXPECT_EQ(fine->m_compos.back()->Count(), 2002);
    ExpectOnCubic(*fine);

    // Non-finite points build nothing and add nothing.
    const std::size_t before = Figures();
    EXPECT_EQ(AddIsopticThrough(&doc, {NAN, 0}, {1, 1}, {2, 0}, {3, 5}), nullptr);
    EXPECT_EQ(Figures(), before);
}

TEST_F(IsopticTest, ConstantsAddTwoSegmentsAndTheCubicInTheStandardFrame) {
    CIsoptic* obj = AddIsopticFromConstants(&doc, {-1, -3, 1});
    ASSERT_NE(obj, nullptr);
    ASSERT_EQ(Figures(), 3u);
    EXPECT_TRUE(doc.Objects()[1]->IsSegment());
    EXPECT_TRUE(doc.Objects()[2]->IsSegment());
    ExpectNear(doc.Objects()[1]->GetHandle(0), {-1.8, -1.35}, 1e-12);
    EXPECT_EQ(obj->GetRuntimeClass(), &CIsopticTwo::kClass);
    EXPECT_EQ(Counts(*obj), (std::vector<int>{79, 52, 82}));
    ExpectNear(obj->m_origin, {0, 0});
    ExpectNear(obj->m_axisY, {0, 1});

    CIsoptic* singular = AddIsopticFromConstants(&doc, {-1, -0.75, 1});
    ASSERT_NE(singular, nullptr);
    EXPECT_EQ(singular->GetRuntimeClass(), &CIsopticSingular::kClass);
    EXPECT_NEAR(singular->m_x[2], 0.618034, 1e-6);

    // Four visible pieces where both turning points are off the sheet.
    CIsoptic* wide = AddIsopticFromConstants(&doc, {0, -100, 1});
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->ComponentCount(), 4);

    const std::size_t before = Figures();
    EXPECT_EQ(AddIsopticFromConstants(&doc, {1, 0, 0}), nullptr);
    EXPECT_EQ(AddIsopticFromConstants(&doc, {0, 2, 0}), nullptr);
    EXPECT_EQ(Figures(), before);
}

TEST_F(IsopticTest, EveryClassRoundTripsByteForByteAndLoadingNeverResamples) {
    std::vector<CIsoptic*> objs = {
        General(),                                                  // Two
        AddIsopticFromConstants(&doc, {0, -100, 1}),                // One
        AddIsopticThrough(&doc, {0, 0}, {3, 0}, {1, 2}, {0, 0}),    // Singular
        AddIsopticThrough(&doc, {0, 0}, {2, 0}, {0, 1}, {2, 1}),    // Conic
        AddIsopticThrough(&doc, {-1, 0}, {-2, 2}, {2, 2}, {1, 0}),  // Degenerate 9
    };
    auto* plain = new CIsoptic();
    plain->SetDocument(&doc);
    const CWorldPoint line[] = {{0, 0}, {1, 1}, {2, 0}};
    plain->AddPoints(line, 3, 0);
    plain->m_a = 2;
    plain->RecalcBounds();
    doc.AddObject(plain);
    objs.push_back(plain);
    const CRuntimeClass* classes[] = {&CIsopticTwo::kClass,        &CIsopticOne::kClass,
                                      &CIsopticSingular::kClass,   &CIsopticConic::kClass,
                                      &CIsopticDegenerate::kClass, &CIsoptic::kClass};
    // A different n afterwards must not change what is loaded.
    ProgramState().isoptic.halfPoints = 25;
    for (std::size_t i = 0; i < objs.size(); ++i) {
        SCOPED_TRACE(classes[i]->m_lpszClassName);
        ASSERT_NE(objs[i], nullptr);
        ASSERT_EQ(objs[i]->GetRuntimeClass(), classes[i]);
        objs[i]->m_nExtra = i == 0 ? 7 : -1;  // out of range, kept for the file
        std::vector<std::uint8_t> first, second;
        std::unique_ptr<CIsoptic> back(RoundTrip(*objs[i], &first, &second));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetRuntimeClass(), classes[i]);
        EXPECT_EQ(first, second);
        EXPECT_EQ(Counts(*back), Counts(*objs[i]));
        EXPECT_EQ(back->m_a, objs[i]->m_a);
        EXPECT_EQ(back->m_x[3], objs[i]->m_x[3]);
        if (i == 0) {
            EXPECT_EQ(back->m_nExtra, 7);
            EXPECT_EQ(back->ExtraCount(), -1);
        }
    }
    // The degenerate one's shape code follows the CIsoptic fields.
    auto* deg = static_cast<CIsopticDegenerate*>(objs[4]);
    EXPECT_EQ(deg->m_nShapeCode, 1);
    std::vector<std::uint8_t> bytes;
    std::unique_ptr<CIsoptic> back(RoundTrip(*deg, &bytes));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[bytes.size() - 4], 1);
}

TEST_F(IsopticTest, HostileStoredValuesNeitherCrashNorProduceNonFinitePoints) {
    // A shape code outside 0 .. 3 draws no second part.
    auto* deg =
        static_cast<CIsopticDegenerate*>(AddIsopticThrough(&doc, {-1, 0}, {-2, 2}, {2, 2}, {1, 0}));
    ASSERT_NE(deg, nullptr);
    RecordingCanvas dc;
    deg->Draw(dc);
    const std::size_t ellipses = dc.Of(RecordingCanvas::Op::Ellipse).size();
    EXPECT_EQ(ellipses, 6u);  // the circle, its point mark and A .. D
    deg->m_nShapeCode = 77;
    dc.Clear();
    deg->Draw(dc);
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::Ellipse).size(), 4u);
    deg->RecalcBounds();

    // Axes that are not unit vectors: edits and feet beep, nothing moves to
    // a non-finite place, the nearest point falls back on the samples.
    CIsoptic* obj = General();
    obj->m_axisX = {NAN, 0};
    host.Clear();
    const CWorldPoint A = obj->m_pts[0];
    EXPECT_EQ(obj->SetDataValue(8, 2.0, 1), obj);
    EXPECT_EQ(host.beeps, 1);
    ExpectNear(obj->m_pts[0], A, 0);
    const CWorldPoint near = obj->NearestPointOn({0.5, -0.5});
    EXPECT_EQ(host.beeps, 2);
    EXPECT_TRUE(IsFinitePoint(near));
    EXPECT_NE(near, CWorldPoint{});
    EXPECT_EQ(obj->SetDataValue(3, INFINITY, 1), nullptr);
    EXPECT_EQ(obj->SetDataValue(11, 1.0, 1), nullptr);

    // Every cut of a stored cubic is refused as a whole.
    std::vector<std::uint8_t> bytes;
    std::unique_ptr<CIsoptic> whole(RoundTrip(*deg, &bytes));
    ASSERT_NE(whole, nullptr);
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
        CArchive in(bytes.data(), cut, doc.Classes(), &doc);
        EXPECT_THROW(delete in.ReadObject(), CArchiveException) << cut;
    }
}

TEST_F(IsopticTest, DataEditsRecomputeInPlaceOrMakeANewVariant) {
    CIsoptic* obj = General();
    DataLines lines;
    EXPECT_EQ(obj->ListData(lines), 11 + 2 + 3);
    EXPECT_EQ(lines[0], "A.x =  -3.000000");
    EXPECT_EQ(lines[7], "D.y =  -2.000000");
    EXPECT_EQ(lines[8], "a =  -1.414214");
    EXPECT_EQ(lines[11], "Number of Compos :  3");

    // A small move of D keeps two real pieces: same object, new frame.
    const std::size_t count = Figures();
    EXPECT_EQ(obj->SetDataValue(7, -2.1, 1), obj);
    EXPECT_EQ(Figures(), count);
    ExpectNear(obj->m_pts[3], {-1, -2.1});
    ExpectOnCubic(*obj);

    // A point moved onto another makes a new (singular) object.
    obj->SetDataValue(6, -3, 1);
    CMyObj* made = obj->SetDataValue(7, -1, 1);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetIsopticVariant(), IsopticVariant::Singular);
    EXPECT_EQ(Last(), made);

    // A constant: the points move to their feet on the new cubic.
    CIsoptic* two = AddIsopticFromConstants(&doc, {-1, -3, 1});
    EXPECT_EQ(two->SetDataValue(10, 1.2, 1), two);
    EXPECT_EQ(two->m_c, 1.2);
    for (const CWorldPoint& p : two->m_pts)
        EXPECT_NEAR(CubicValue(two->Constants(), p.x, p.y), 0, 1e-9);
    // b = -0.75 makes it singular: a new object.
    CMyObj* sing = two->SetDataValue(10, 1, 1);
    sing = static_cast<CIsoptic*>(sing)->SetDataValue(9, -0.75, 1);
    ASSERT_NE(sing, two);
    EXPECT_EQ(sing->GetIsopticVariant(), IsopticVariant::Singular);
}

TEST_F(IsopticTest, TransformedCopiesKeepAConsistentDefinition) {
    CIsoptic* obj = General();
    const CWorldPoint c{1, 2};
    std::unique_ptr<CIsoptic> turned(static_cast<CIsoptic*>(obj->Clone()));
    turned->Rotate(c, 0.7);
    ExpectOnCubic(*turned);
    std::unique_ptr<CIsoptic> moved(static_cast<CIsoptic*>(obj->Clone()));
    moved->Offset({0.5, -0.25});
    ExpectOnCubic(*moved);
    ExpectNear(moved->m_origin, {0, -1.25});

    for (double k : {1.5, -0.5}) {
        SCOPED_TRACE(k);
        std::unique_ptr<CIsoptic> scaled(static_cast<CIsoptic*>(obj->Clone()));
        scaled->Homothety(c, k);
        ExpectOnCubic(*scaled);
        EXPECT_EQ(scaled->ComponentCount(), obj->ComponentCount());
        // The foot from a point of the copy lies on the copy.
        const CWorldPoint p = scaled->m_compos[2]->m_points[5];
        ExpectNear(scaled->NearestPointOn(p + CWorldPoint{1e-4, 0}), p, 1e-3);
    }
    std::unique_ptr<CIsoptic> mirrored(static_cast<CIsoptic*>(obj->Clone()));
    mirrored->Reflect({0, 0}, {1, 3});
    ExpectOnCubic(*mirrored);
    // The axes are right-handed again, re-derived from the midpoints.
    EXPECT_NEAR(mirrored->m_axisX.Cross(mirrored->m_axisY), 1, 1e-12);

    // The lines of a split cubic reach across the sheet wherever they go.
    auto* deg =
        static_cast<CIsopticDegenerate*>(AddIsopticThrough(&doc, {0, 0}, {2, 0}, {2, 1}, {0, 1}));
    ASSERT_NE(deg, nullptr);
    deg->Rotate({1, 0.5}, 0.3);
    deg->Offset({0.5, 0.5});
    for (const CWorldPoint& p : deg->m_compos[0]->m_points)
        EXPECT_TRUE(std::fabs(std::fabs(p.x) - 7.7) < 1e-9 ||
                    std::fabs(std::fabs(p.y) - 11) < 1e-9);
    const CWorldPoint centre = deg->m_compos[1]->m_points[0];
    ExpectNear(centre, RotateAbout({1, 0.5}, {1, 0.5}, 0.3) + CWorldPoint{0.5, 0.5});

    // A conic keeps x^2 - y^2 = a through its mapped points.
    CIsoptic* conic = AddIsopticThrough(&doc, {0, 0}, {2, 0}, {0, 1}, {2, 1});
    conic->Homothety({0, 0}, 2);
    for (const CWorldPoint& p : conic->m_pts) {
        const CWorldPoint q = conic->Frame().ToCanonical(p);
        EXPECT_NEAR(q.x * q.x - q.y * q.y, conic->m_a, 1e-9);
    }
}

TEST_F(IsopticTest, FeetTangentsAndTheSolversFallback) {
    CIsoptic* obj = General();
    const CWorldPoint p{0.2, -0.4};
    const CWorldPoint foot = obj->NearestPointOn(p);
    const CWorldPoint c = obj->Frame().ToCanonical(foot);
    EXPECT_NEAR(CubicValue(obj->Constants(), c.x, c.y), 0, 1e-9);
    EXPECT_EQ(host.beeps, 0);
    std::unique_ptr<CLine> tangent(obj->MakeTangentLine(&doc, foot));
    ASSERT_NE(tangent, nullptr);
    const CWorldPoint g = CubicGradient(obj->Constants(), c.x, c.y);
    const CWorldPoint dir = tangent->P1() - tangent->P0();
    EXPECT_NEAR(obj->Frame().ToCanonical(obj->m_origin + dir).Dot(g), 0, 1e-6 * Norm(dir));

    // The node of a singular cubic stops the solver: a beep and the nearest
    // sampled point, not (0, 0).
    CIsoptic* sing = AddIsopticFromConstants(&doc, {-1, -0.75, 1});
    host.Clear();
    const CWorldPoint node = sing->Frame().ToWorld({-0.5, -1});
    const CWorldPoint q = sing->NearestPointOn(node);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_LT(Distance(q, node), 0.1);
}

// The view's drawing mode, as the figure fixture drives it, with the
// isoptic tools' own end of gesture.
class IsopticToolTest : public IsopticTest {
protected:
    void ReleaseTool(const CWorldPoint& p, unsigned flags = 0) {
        for (CMyObj* obj : CObList(state.m_gesture))
            if (obj->IsDegenerate()) {
                if (state.m_pPicked == obj) state.m_pPicked = nullptr;
                if (state.m_pFirstPicked == obj) state.m_pFirstPicked = nullptr;
                RemoveFromList(state.m_gesture, obj);
                doc.RemoveObject(obj);
            }
        for (CMyObj* obj : CObList(state.m_gesture)) obj->Track(state, p, flags);
        if (!FinishIsopticGesture(state, flags, p))
            for (CMyObj* obj : CObList(state.m_gesture)) obj->EndTrack(state, flags, p);
    }
    void DragTool(const CWorldPoint& a, const CWorldPoint& b, unsigned flags = 0) {
        Press(&DrawIsopticTool, a, flags);
        Move(b, flags);
        ReleaseTool(b, flags);
    }
};

TEST_F(IsopticToolTest, DefineThroughABCDDrawsTwoSegmentsAndTheCubic) {
    UseTool(kToolIsoptic, kCodePlain);
    DragTool({-3, -1}, {-2, 1});
    EXPECT_EQ(state.m_nStage, 1);
    DragTool({0, -2}, {-1, -2});
    EXPECT_EQ(state.m_nStage, 0);
    ASSERT_EQ(Figures(), 3u);
    EXPECT_EQ(Last()->GetRuntimeClass(), &CIsopticTwo::kClass);
    ExpectNear(static_cast<CIsoptic*>(Last())->m_origin, {-0.5, -1});

    // A first segment that is a mere click: the bad-definition message, and
    // the tool starts again.
    host.Clear();
    DragTool({1, 1}, {1, 1});
    EXPECT_EQ(Figures(), 3u);
    EXPECT_EQ(Press(&DrawIsopticTool, {2, 2}), nullptr);
    EXPECT_EQ(host.LastMessage(), kBadDefinitionMessage);
    EXPECT_EQ(state.m_nStage, 0);
}

TEST_F(IsopticToolTest, SingularToolDrawsTheAngleThenItsCubic) {
    UseTool(kToolIsoptic, kCodeIsopticSingular);
    DragTool({3, 0}, {0, 0});
    EXPECT_EQ(state.m_nStage, 1);
    EXPECT_EQ(state.m_nToolCode, kCodeIsopticSingular);
    DragTool({0, 0}, {1, 2});
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_EQ(state.m_nToolCode, kCodeIsopticSingular);
    ASSERT_TRUE(Last()->GetIsopticVariant() == IsopticVariant::Singular);
    auto* cubic = static_cast<CIsoptic*>(Last());
    ExpectNear(cubic->m_origin, {1.2, 0.9}, 1e-9);
    EXPECT_TRUE(doc.Objects()[doc.Objects().size() - 2]->IsAngle());
}

}  // namespace
}  // namespace gyr::testing

// Free operations over object lists: nearest searches and their tie rules,
// handle picking, class filters, list surgery, and the active document.

#include "doc/obj_list.h"

#include <gtest/gtest.h>

#include <memory>

#include "doc/document.h"
#include "doc/program_state.h"
#include "doc/shape_obj.h"
#include "port/recording_canvas.h"
#include "port/scripted_host.h"
#include "ui/gyr_view.h"

namespace gyr {
namespace {

class Triangle : public CShapeObj {
public:
    using CShapeObj::CShapeObj;
    bool IsTriangle() const override { return true; }
    CMyObj* Clone() const override { return new Triangle(*this); }
};

class PointLike : public CShapeObj {
public:
    using CShapeObj::CShapeObj;
    bool IsPoint() const override { return true; }
};

class ObjListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        CSheetMapping& m = Mapping();
        m.originX = 400;
        m.originY = 300;
        m.unitX = 50;
        m.unitY = 50;
        m.pixelTolerance = 4.0 / 50;
        host.document = &doc;
        host.view = &view;
        doc.AddView(&view);
    }

    template <class T = CShapeObj>
    T* Make(std::initializer_list<CWorldPoint> pts) {
        auto obj = std::make_unique<T>(int(pts.size()));
        int i = 0;
        for (const CWorldPoint& p : pts) obj->m_points[i++] = p;
        obj->RecalcBounds();
        owned.push_back(std::move(obj));
        return static_cast<T*>(owned.back().get());
    }
    CMyObj* MakeBase() {
        owned.push_back(std::make_unique<CMyObj>());
        return owned.back().get();
    }

    ScriptedHost host;
    CGyrView view{&doc};
    CGyrDoc doc;
    std::vector<std::unique_ptr<CMyObj>> owned;
};

TEST_F(ObjListTest, NearestShapeAndObjectKeepTheEarliestOnTies) {
    CMyObj* sheet = MakeBase();
    CShapeObj* a = Make({{0, 0}, {2, 0}});
    CShapeObj* b = Make({{0, 0}, {2, 0}});
    CShapeObj* dot = Make<PointLike>({{1, 0.5}, {1, 0.5}});
    CObList list{sheet, a, b, dot};
    int edge = -1;
    EXPECT_EQ(FindNearestShape(list, {1, 1}, edge), a);
    EXPECT_EQ(edge, 1);
    // Points take no part in the shape search but do in the object search.
    EXPECT_EQ(FindNearestObject(list, {1, 1}, edge), dot);
    CObList reversed{sheet, b, a};
    EXPECT_EQ(FindNearestObject(reversed, {1, 1}, edge), b);

    // The object search starts from 1e9, the shape search from 1e10.
    CShapeObj* far = Make({{2e9, 0}, {2e9, 1}});
    CObList farOnly{sheet, far};
    EXPECT_EQ(FindNearestShape(farOnly, {0, 0}, edge), far);
    EXPECT_EQ(FindNearestObject(farOnly, {0, 0}, edge), nullptr);
    EXPECT_EQ(FindNearestShape(CObList{sheet}, {0, 0}, edge), nullptr);

    const CRuntimeClass* shapes[] = {&CShapeObj::kClass};
    const CRuntimeClass* bases[] = {&CMyObj::kClass};
    EXPECT_EQ(FindNearestObjectOfClasses(list, shapes, 1, {1, 1}, edge), dot);
    EXPECT_EQ(FindNearestObjectOfClasses(list, bases, 1, {1, 1}, edge), nullptr);
    EXPECT_EQ(FindNearestObjectOfClasses(list, shapes, 0, {1, 1}, edge), nullptr);
}

TEST_F(ObjListTest, NearestFigureFiltersCornerFiguresUnlessAll) {
    CShapeObj* plain = Make({{20, 20}, {21, 20}});
    Triangle* t1 = Make<Triangle>({{5, 5}, {6, 5}, {5, 6}});
    Triangle* t2 = Make<Triangle>({{6, 5}, {5, 5}, {5, 6}});
    CObList list{MakeBase(), plain, t1, t2};
    int vertex = -1, part = -1;
    EXPECT_EQ(FindNearestFigure(list, {21, 20}, vertex, part, true), plain);
    EXPECT_EQ(vertex, 1);
    EXPECT_EQ(part, 1);
    // The base object measures from its box corners, here all at the origin.
    EXPECT_EQ(FindNearestFigure(list, {0, 0}, vertex, part, true), list[0]);
    // Only the triangles count; they tie at (5, 5) and the earlier one wins.
    EXPECT_EQ(FindNearestFigure(list, {0, 0}, vertex, part, false), t1);
    EXPECT_EQ(vertex, 0);
    EXPECT_EQ(FindNearestFigure(list, {6.1, 5}, vertex, part, false), t1);
    EXPECT_EQ(vertex, 1);
    EXPECT_EQ(FindNearestFigure(CObList{plain}, {0, 0}, vertex, part, false), nullptr);
    EXPECT_EQ(part, -1);
}

TEST_F(ObjListTest, NearestFigureExceptMovesTheExcludedObjectLast) {
    CMyObj* sheet = MakeBase();
    CShapeObj* a = Make({{10, 10}, {11, 10}});
    CShapeObj* b = Make({{13, 10}, {14, 10}});
    CShapeObj* c = Make({{10.5, 10}, {19, 19}});
    CObList list{sheet, a, b, c};
    int vertex = -1, part = -1;
    CMyObj* found = FindNearestFigureExcept(list, {10, 10}, vertex, part, a);
    EXPECT_EQ(found, c);
    EXPECT_EQ(vertex, 0);
    EXPECT_EQ(list, (CObList{sheet, b, c, a}));

    // An object the list does not hold is not slipped into it.
    CShapeObj* stranger = Make({{10, 10}, {0, 1}});
    EXPECT_EQ(FindNearestFigureExcept(list, {10, 10}, vertex, part, stranger), a);
    EXPECT_EQ(list, (CObList{sheet, b, c, a}));
}

TEST_F(ObjListTest, HandlesArePickedFromTheTopAndSnappingSkipsTheExcluded) {
    CMyObj* sheet = MakeBase();
    CShapeObj* under = Make({{0, 0}, {2, 0}});
    CShapeObj* over = Make({{1, 0}, {1, 2}});
    CObList list{sheet, under, over};
    int index = 42;
    EXPECT_EQ(FindHandleAt(list, {1, 0}, index), over);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(FindHandleAt(list, {0.5, 0.01}, index), under);
    EXPECT_EQ(index, 0);
    index = 42;
    EXPECT_EQ(FindHandleAt(list, {5, 5}, index), sheet);
    EXPECT_EQ(index, 42);
    EXPECT_EQ(FindHandleAt(CObList{}, {5, 5}, index), nullptr);

    CWorldPoint p{1.1, 1.9};
    EXPECT_FALSE(SnapToAnyVertex(list, p, over));
    EXPECT_TRUE(SnapToAnyVertex(list, p, nullptr));
    EXPECT_EQ(p, CWorldPoint(1, 2));
    // Both objects have a vertex in range: the earlier object wins.
    ProgramState().params.matchDistance = 1.0;
    p = {1.5, 0.1};
    EXPECT_TRUE(SnapToAnyVertex(list, p, nullptr));
    EXPECT_EQ(p, CWorldPoint(2, 0));
    p = {1.5, 0.1};
    EXPECT_TRUE(SnapToAnyVertex(list, p, under));
    EXPECT_EQ(p, CWorldPoint(1, 0));
}

TEST_F(ObjListTest, NthOfClassesCountsFromEitherEnd) {
    CMyObj* base = MakeBase();
    CShapeObj* s1 = Make({{0, 0}, {1, 0}});
    CShapeObj* s2 = Make({{0, 0}, {1, 0}});
    CObList list{base, s1, s2};
    const CRuntimeClass* shapes[] = {&CShapeObj::kClass};
    const CRuntimeClass* both[] = {&CMyObj::kClass, &CShapeObj::kClass};
    EXPECT_EQ(FindNthOfClasses(list, 0, shapes, 1), s1);
    EXPECT_EQ(FindNthOfClasses(list, 1, shapes, 1), s2);
    EXPECT_EQ(FindNthOfClasses(list, 2, shapes, 1), nullptr);
    EXPECT_EQ(FindNthOfClasses(list, 0, both, 2), base);
    EXPECT_EQ(FindNthOfClassesFromEnd(list, 0, shapes, 1), s2);
    EXPECT_EQ(FindNthOfClassesFromEnd(list, 2, both, 2), base);
    EXPECT_EQ(FindNthOfClassesFromEnd(list, 3, both, 2), nullptr);
    EXPECT_EQ(FindNthOfClasses(list, -1, both, 2), nullptr);
}

TEST_F(ObjListTest, DrawInRectDrawsOnlyWhatMeetsTheRectangle) {
    CShapeObj* left = Make({{0, 0}, {1, 1}});   // pixels 400..450
    CShapeObj* right = Make({{6, 0}, {7, 1}});  // pixels 700..750
    CObList list{MakeBase(), left, right};
    RecordingCanvas dc;
    DrawInRect(list, dc, {460, 200, 600, 400});
    EXPECT_TRUE(dc.records.empty());
    DrawInRect(list, dc, {0, 0, 452, 600});  // meets the grown rectangle only
    ASSERT_EQ(dc.records.size(), 1u);
    EXPECT_EQ(dc.records[0].points[0], (PixelPoint{450, 250}));
    dc.Clear();
    DrawAll(list, dc);
    ASSERT_EQ(dc.records.size(), 2u);
    EXPECT_EQ(dc.records[1].points[0], (PixelPoint{750, 250}));
}

TEST_F(ObjListTest, ListSurgery) {
    CShapeObj* a = Make({{0, 0}, {1, 0}});
    CShapeObj* b = Make({{0, 0}, {2, 0}});
    CShapeObj* c = Make({{0, 0}, {3, 0}});
    CObList list{a, b, c};
    MoveToEnd(list, a);
    EXPECT_EQ(list, (CObList{b, c, a}));
    MoveToEnd(list, MakeBase());
    EXPECT_EQ(list.size(), 3u);

    CObList other{a};
    SwapLists(list, other);
    EXPECT_EQ(list, CObList{a});
    EXPECT_EQ(other, (CObList{b, c, a}));
    CObList empty;
    SwapLists(list, empty);
    EXPECT_EQ(list, CObList{a});

    RemoveAllOf(other, CObList{a, c});
    EXPECT_EQ(other, CObList{b});
    AppendAll(other, CObList{c, a});
    EXPECT_EQ(other, (CObList{b, c, a}));
    AppendAll(other, other);
    EXPECT_EQ(other.size(), 6u);

    CObList clones;
    AppendClones(clones, CObList{a, b});
    ASSERT_EQ(clones.size(), 2u);
    EXPECT_NE(clones[0], a);
    auto* first = static_cast<CShapeObj*>(clones[0]);
    first->m_points[1] = {9, 9};
    EXPECT_EQ(a->m_points[1], CWorldPoint(1, 0));
    DeleteAllObjects(clones);
    EXPECT_TRUE(clones.empty());
}

TEST_F(ObjListTest, ActiveDocumentCatalogueAndLastObject) {
    EXPECT_EQ(GetActiveView(), &view);
    EXPECT_EQ(GetActiveDocument(), &doc);
    EXPECT_EQ(GetCatalogue(), &doc.Objects());
    EXPECT_EQ(GetLastObjectOfClass(&CShapeObj::kClass), nullptr);

    auto* s = new CShapeObj(2);
    doc.AddObject(s);
    EXPECT_TRUE(IsInCatalogue(s));
    EXPECT_FALSE(IsInCatalogue(MakeBase()));
    EXPECT_EQ(GetLastObjectOfClass(&CShapeObj::kClass), s);
    EXPECT_EQ(GetLastObjectOfClass(&CMyObj::kClass), nullptr);
    doc.AddObject(new CMyObj());
    EXPECT_EQ(GetLastObjectOfClass(&CShapeObj::kClass), nullptr);

    host.view = nullptr;
    host.document = nullptr;
    EXPECT_EQ(GetCatalogue(), nullptr);
    EXPECT_FALSE(IsInCatalogue(s));
    EXPECT_EQ(GetLastObjectOfClass(&CShapeObj::kClass), nullptr);
}

TEST_F(ObjListTest, ViewSelectionMirrorsTheFlag) {
    CShapeObj* a = Make({{0, 0}, {1, 1}});
    CShapeObj* b = Make({{2, 0}, {3, 1}});
    view.Select(a);
    view.Select(a);
    view.Select(b);
    EXPECT_EQ(view.m_selection, (CObList{a, b}));
    EXPECT_EQ(a->m_bSelected, 1);
    EXPECT_EQ(view.SelectionRect(), a->GetInvalidRect().United(b->GetInvalidRect()));
    view.Deselect(a);
    EXPECT_EQ(a->m_bSelected, 0);
    EXPECT_EQ(view.m_selection, CObList{b});
    view.DeselectAll();
    EXPECT_EQ(b->m_bSelected, 0);
    EXPECT_TRUE(view.m_selection.empty());
    EXPECT_TRUE(view.SelectionRect().IsEmpty());
}

// Command-line work runs with no host installed.
TEST(NoHostTest, ActiveLookupsAnswerNothing) {
    ASSERT_EQ(FindHost(), nullptr);
    EXPECT_EQ(GetActiveView(), nullptr);
    EXPECT_EQ(GetActiveDocument(), nullptr);
    EXPECT_EQ(GetCatalogue(), nullptr);
    EXPECT_TRUE(ReportBadDefinition(nullptr, 1));
    CShapeObj s(2);
    s.m_points[1] = {1, 1};
    s.Finish(true, true, 1, true);
    EXPECT_EQ(s.m_pDocument, nullptr);
    EXPECT_EQ(s.m_rightBottom, CWorldPoint(1, 0));
}

}  // namespace
}  // namespace gyr

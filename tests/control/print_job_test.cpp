// Printing over pages: the page plan, the job's scale and its restoring, and
// what each page draws, through a recording printer.

#include "control/print_job.h"

#include "figures/circle_obj.h"
#include "figures/point_obj.h"
#include "figures/text_obj.h"
#include "model/axes.h"
#include "port/recording_canvas.h"
#include "view_fixture.h"

namespace gyr::testing {
namespace {

// A4 at 1200 dpi less nothing: 595 x 842 points.
constexpr CPrintDevice kA4At1200{1200, 1200, 9917, 14033};

// A printer that records every page: the canvas's records are cut into
// pages at each new page and at the end.
class RecordingPrinter : public CPrintTarget {
public:
    explicit RecordingPrinter(CPrintDevice d) : device(d) {}
    CPrintDevice Device() const override { return device; }
    Canvas* Begin() override {
        ++begun;
        if (failBegin) return nullptr;
        pages.emplace_back();
        return &canvas;
    }
    bool NewPage() override {
        Cut();
        if (failNewPage) return false;
        pages.emplace_back();
        return true;
    }
    bool End() override {
        Cut();
        ++ended;
        return true;
    }
    bool Cancelled() const override { return cancelAfter > 0 && int(pages.size()) >= cancelAfter; }
    const std::vector<RecordingCanvas::Record>& Page(std::size_t i) const { return pages.at(i); }

    CPrintDevice device;
    RecordingCanvas canvas;
    std::vector<std::vector<RecordingCanvas::Record>> pages;
    int begun = 0, ended = 0;
    bool failBegin = false, failNewPage = false;
    int cancelAfter = 0;

private:
    void Cut() {
        for (std::size_t k = m_taken; k < canvas.records.size(); ++k)
            pages.back().push_back(canvas.records[k]);
        m_taken = canvas.records.size();
    }
    std::size_t m_taken = 0;
};

class PrintTest : public ViewTest {
protected:
    void UseSheet(int w, int h, double scale = 1.0) {
        doc.m_sheetParams = {
            .generalScale = scale, .originX = w / 2, .originY = h / 2, .width = w, .height = h};
        doc.ApplySheetParams();
        doc.SetModifiedFlag(false);
    }
};

TEST(PagePlan, CountsColumnsAndRowsByCeiling) {
    // One and a half pages wide, 0.8 high: two pages, left part first.
    CPagePlan p = PlanPages(1500, 800, 1000, 1000);
    EXPECT_EQ(p.Count(), 2);
    EXPECT_EQ(p.Origin(1), (PixelPoint{0, 0}));
    EXPECT_EQ(p.Origin(2), (PixelPoint{-1000, 0}));

    EXPECT_EQ(PlanPages(9625, 13750, 9917, 14033).Count(), 1);
    p = PlanPages(14875, 11250, 9917, 14033);
    EXPECT_EQ(p.Count(), 2);
    EXPECT_EQ(p.Origin(2), (PixelPoint{-9917, 0}));
    EXPECT_EQ(p.Area(2), (PixelRect{9917, 0, 2 * 9917, 14033}));

    // Exactly two pages wide and one high: no empty third column or row.
    p = PlanPages(2000, 1000, 1000, 1000);
    EXPECT_EQ(p.columns, 2);
    EXPECT_EQ(p.rows, 1);

    p = PlanPages(2500, 1500, 1000, 1000);
    ASSERT_EQ(p.columns, 3);
    EXPECT_EQ(p.ColumnOf(3), 3);
    EXPECT_EQ(p.RowOf(3), 1);
    EXPECT_EQ(p.ColumnOf(4), 1);
    EXPECT_EQ(p.RowOf(4), 2);
    EXPECT_EQ(p.Origin(4), (PixelPoint{0, -1000}));

    // An empty sheet still takes one page; an empty printable area none.
    EXPECT_EQ(PlanPages(0, 0, 100, 100).Count(), 1);
    EXPECT_TRUE(PlanPages(2000, 1000, 0, 1000).Empty());
    EXPECT_TRUE(PlanPages(2000, 1000, 1000, -5).Empty());
}

TEST_F(PrintTest, SheetsOfTheCommandLineChecksGiveTheirPageCounts) {
    const struct {
        int w, h;
        long long pages;
    } cases[] = {{770, 1100, 1}, {1190, 900, 2}, {2000, 2500, 9}};
    for (const auto& c : cases) {
        UseSheet(c.w, c.h);
        EXPECT_EQ(PlanPrint(doc, 96, kA4At1200).Count(), c.pages) << c.w << " x " << c.h;
    }
    // A damaged file's huge sheet is planned as the largest sheet.
    doc.Sheet()->m_params.width = 2000000000;
    EXPECT_EQ(PlanPrint(doc, 96, kA4At1200).columns, 41);
}

TEST_F(PrintTest, TheJobRestoresScaleAndResolutionOnEveryPath) {
    UseSheet(1190, 900, 2.0);
    TextResolution() = 96;
    const std::vector<std::uint8_t> before = doc.SaveToBytes();
    const int widthBefore = Mapping().sheetWidth;

    struct Case {
        const char* name;
        bool failBegin, failNewPage;
        int cancelAfter;
        PrintResult expected;
    } cases[] = {{"printed", false, false, 0, PrintResult::Printed},
                 {"start fails", true, false, 0, PrintResult::Failed},
                 {"new page fails", false, true, 0, PrintResult::Failed},
                 {"cancelled", false, false, 1, PrintResult::Cancelled}};
    for (const Case& c : cases) {
        RecordingPrinter printer(kA4At1200);
        printer.failBegin = c.failBegin;
        printer.failNewPage = c.failNewPage;
        printer.cancelAfter = c.cancelAfter;
        double scaleSeen = 0;
        int resolutionSeen = 0;
        // A figure that looks at the state while it is drawn.
        struct Probe : CMyObj {
            double* scale;
            int* resolution;
            void Draw(Canvas&) const override {
                *scale = Mapping().generalScale;
                *resolution = TextResolution();
            }
            PixelRect GetInvalidRect() const override { return {0, 0, 100000, 100000}; }
        };
        auto* probe = new Probe;
        probe->scale = &scaleSeen;
        probe->resolution = &resolutionSeen;
        doc.AddObject(probe);
        doc.SetModifiedFlag(false);
        const std::vector<std::uint8_t> withProbe = doc.SaveToBytes();

        EXPECT_EQ(PrintDocument(doc, 96, printer), c.expected) << c.name;
        if (!c.failBegin) {
            EXPECT_DOUBLE_EQ(scaleSeen, 12.5) << c.name;
            EXPECT_EQ(resolutionSeen, 1200) << c.name;
            EXPECT_EQ(printer.ended, 1) << c.name;
        }
        EXPECT_EQ(doc.Sheet()->m_params.generalScale, 2.0) << c.name;
        EXPECT_EQ(Mapping().generalScale, 2.0) << c.name;
        EXPECT_EQ(Mapping().sheetWidth, widthBefore) << c.name;
        EXPECT_EQ(TextResolution(), 96) << c.name;
        EXPECT_EQ(doc.SaveToBytes(), withProbe) << c.name;
        EXPECT_FALSE(doc.IsModified()) << c.name;
        doc.RemoveObject(probe);
    }
    EXPECT_EQ(doc.SaveToBytes(), before);
}

TEST_F(PrintTest, NoPrintableAreaSaysSoAndDrawsNothing) {
    UseSheet(770, 1100);
    RecordingPrinter printer({1200, 1200, 0, 14033});
    EXPECT_EQ(PrintDocument(doc, 96, printer), PrintResult::NoPrintableArea);
    EXPECT_EQ(host.LastMessage(), "The printer has no printable area.");
    EXPECT_EQ(printer.begun, 0);
    EXPECT_TRUE(printer.canvas.records.empty());
}

TEST_F(PrintTest, PixelQuantitiesScaleWithThePrint) {
    UseSheet(770, 1100);
    doc.Sheet()->m_params.axesMode = 0;
    doc.ApplySheetParams();
    auto* seg = AddSegment({0, 0}, {1, 0});
    seg->m_logpen.widthX = 2;
    auto* circle = Add(new CCircleObj({2, 2}, 1));
    circle->m_logpen.widthX = 1;
    CTextObj box("Hi", {-3, 3}, {-1, 2}, doc.m_textAttr);
    box.m_nSize = 12;
    TextResolution() = 96;

    RecordingPrinter printer(kA4At1200);
    ASSERT_EQ(PrintDocument(doc, 96, printer), PrintResult::Printed);
    const auto page = printer.Page(0);
    // The segment's 2-pixel pen arrives as 25 device pixels.
    const auto lines = std::count_if(page.begin(), page.end(), [](const auto& r) {
        return r.op == RecordingCanvas::Op::Polyline && r.pen && r.pen->widthX == 25;
    });
    EXPECT_GE(lines, 1);
    // The centre cross: 4 and 5 pixels become 50 and 62 either side.
    const PixelPoint c = WorldToPixel({2, 2});  // back at scale 1
    const int cx = TruncToInt(c.x * 12.5), cy = TruncToInt(c.y * 12.5);
    bool crossSeen = false;
    for (const auto& r : page)
        if (r.op == RecordingCanvas::Op::LineTo && r.points[0] == PixelPoint{cx - 50, cy} &&
            r.points[1] == PixelPoint{cx + 62, cy}) {
            crossSeen = true;
            EXPECT_EQ(r.pen->widthX, 13);  // the black 1-pixel pen
        }
    EXPECT_TRUE(crossSeen);

    // At 1200 dpi a 12-point box is 200 pixels high; back on screen 16.
    {
        CPrintJob job(doc, 96, kA4At1200);
        EXPECT_EQ(box.Font().heightPixels, -200);
    }
    EXPECT_EQ(box.Font().heightPixels, -16);
}

TEST_F(PrintTest, EachPageDrawsWhatMeetsItClippedAndShifted) {
    UseSheet(1190, 900);
    auto* seg = AddSegment({6, 3}, {6, -3});
    seg->m_bSelected = 1;
    state.Select(seg);
    AddSegment({-6, 3}, {-6, -3});
    doc.SetModifiedFlag(false);

    RecordingPrinter printer(kA4At1200);
    ASSERT_EQ(PrintView(view, printer), PrintResult::Printed);
    EXPECT_EQ(view.m_nPageCount, 2);
    ASSERT_EQ(printer.pages.size(), 2u);
    // The right segment: page 2 only, in logical pixels at 11187 (1270 into
    // the page, whose origin is -9917) from 3750 to 7500; no selection marks.
    auto segmentsAt = [](const std::vector<RecordingCanvas::Record>& page, int x) {
        int n = 0;
        for (const auto& r : page) {
            EXPECT_NE(r.op, RecordingCanvas::Op::InvertRect);
            if (r.op == RecordingCanvas::Op::Polyline && r.points.size() == 2 &&
                r.points[0] == PixelPoint{x, 3750} && r.points[1] == PixelPoint{x, 7500})
                ++n;
        }
        return n;
    };
    EXPECT_EQ(segmentsAt(printer.Page(0), 11187), 0);
    EXPECT_EQ(segmentsAt(printer.Page(1), 11187), 1);
    EXPECT_EQ(11187 - 9917, 1270);
    // The left one at 7437 - 3750 on page 1 only.
    EXPECT_EQ(segmentsAt(printer.Page(0), 3687), 1);
    EXPECT_EQ(segmentsAt(printer.Page(1), 3687), 0);
    // The canvas ends with page 2's origin undone and the clip lifted.
    EXPECT_EQ(printer.canvas.ViewportOrg(), (PixelPoint{0, 0}));
    EXPECT_TRUE(printer.canvas.ClipRect().IsEmpty());
    EXPECT_FALSE(doc.IsModified());

    // Only page 2 of 2.
    RecordingPrinter second(kA4At1200);
    ASSERT_EQ(PrintView(view, second, 2, 2), PrintResult::Printed);
    ASSERT_EQ(second.pages.size(), 1u);
    EXPECT_EQ(segmentsAt(second.Page(0), 11187), 1);
}

TEST_F(PrintTest, ClipsStayOnThePageAndLabelsKeepTheirSize) {
    RecordingCanvas inner;
    const PixelRect page{1000, 0, 2000, 1000};
    CPageCanvas dc(inner, 12.5, page);
    dc.SetClipRect({});
    EXPECT_EQ(inner.ClipRect(), page);
    dc.SetClipRect({1500, 500, 2500, 700});
    EXPECT_EQ(inner.ClipRect(), (PixelRect{1500, 500, 2000, 700}));
    dc.SetClipRect({0, 0, 10, 10});
    EXPECT_FALSE(inner.ClipRect().IsEmpty());
    EXPECT_FALSE(inner.ClipRect().Intersects(page));

    // What a figure selected comes back unscaled, so restoring it does not
    // scale twice; the null pen stays null.
    const LogPen two{kPenSolid, 2, 0, 0};
    const Canvas::PenSel old = dc.SelectPen(&two);
    EXPECT_EQ(inner.CurrentPen().pen.widthX, 25);
    dc.SelectPen(nullptr);
    EXPECT_TRUE(inner.CurrentPen().null);
    const Canvas::PenSel back = dc.RestorePen(old);
    EXPECT_TRUE(back.null);
    EXPECT_EQ(inner.CurrentPen().pen.widthX, 13);  // the fresh thin pen
    EXPECT_EQ(CPageCanvas::ScaledWidth(0, 1.0), 0);
    EXPECT_EQ(CPageCanvas::ScaledWidth(3, 1.0), 3);

    // The axes write their labels 12.5 times the screen's 12 pixels.
    UseSheet(770, 1100);
    RecordingPrinter printer(kA4At1200);
    ASSERT_EQ(PrintDocument(doc, 96, printer), PrintResult::Printed);
    EXPECT_EQ(printer.canvas.Font().heightPixels, -150);
    EXPECT_FALSE(printer.Page(0).empty());
}

TEST_F(PrintTest, PrintingEndsTextEditingFirst) {
    UseSheet(770, 1100);
    CTextObj* box = CreateTextBox(state, "old", 0, {100, 100, 300, 200});
    view.StartEditing(box, true);
    view.OnChar(U'!');
    ASSERT_TRUE(view.EditedBox());
    RecordingPrinter printer(kA4At1200);
    PrintView(view, printer);
    EXPECT_FALSE(view.EditedBox());
    EXPECT_EQ(box->m_strText, "old!");
    bool printed = false;
    for (const auto& r : printer.Page(0))
        if (r.op == RecordingCanvas::Op::DrawTextInRect && r.text == "old!") printed = true;
    EXPECT_TRUE(printed);
}

}  // namespace
}  // namespace gyr::testing

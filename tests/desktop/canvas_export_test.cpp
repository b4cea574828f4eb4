// The Qt canvas, the whole-sheet export and the sheet view's painting.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "control/gyr_view.h"
#include "desktop/qt_canvas.h"
#include "desktop/sheet_export.h"
#include "desktop/sheet_view.h"
#include "figures/class_registry.h"
#include "math/sheet_mapping.h"
#include "model/axes.h"
#include "model/document.h"
#include "model/program_state.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kBlack = 0x000000;

QImage WhiteImage() {
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool IsColor(const QImage& image, int x, int y, QColor c) {
    return image.pixelColor(x, y) == c;
}

int CountNot(const QImage& image, QColor c, QRect r = QRect(0, 0, 200, 200)) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += image.pixelColor(x, y) != c;
    return n;
}

// Runs a drawing function on a fresh canvas over the image.
template <typename F>
void Paint(QImage& image, F&& draw) {
    QPainter painter(&image);
    QtCanvas canvas(painter);
    draw(canvas);
}

void Line(QtCanvas& dc, LogPen pen, PixelPoint a, PixelPoint b) {
    dc.SelectPen(&pen);
    dc.MoveTo(a);
    dc.LineTo(b);
}

TEST(QtCanvasShapes, PolygonsStrokeFillAndHonourNullPenAndBrush) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogPen pen{kPenSolid, 1, 0, kBlack};
        LogBrush brush{kBrushSolid, kRed, 0};
        dc.SelectPen(&pen);
        dc.SelectBrush(&brush);
        const PixelPoint square[] = {{20, 20}, {120, 20}, {120, 120}, {20, 120}};
        dc.Polygon(square, 4);
    });
    EXPECT_TRUE(IsColor(image, 70, 70, Qt::red));
    EXPECT_TRUE(IsColor(image, 20, 70, Qt::black));  // closes back to the first point
    EXPECT_TRUE(IsColor(image, 150, 70, Qt::white));

    image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        dc.SelectPen(nullptr);
        dc.SelectBrush(nullptr);
        const PixelPoint tri[] = {{10, 10}, {190, 10}, {100, 190}};
        dc.Polygon(tri, 3);
    });
    EXPECT_EQ(image, WhiteImage());

    // A two-point polygon is only its line, never filled.
    Paint(image, [](QtCanvas& dc) {
        LogPen pen{kPenSolid, 1, 0, kRed};
        LogBrush brush{kBrushSolid, kBlack, 0};
        dc.SelectPen(&pen);
        dc.SelectBrush(&brush);
        const PixelPoint seg[] = {{10, 50}, {100, 50}};
        dc.Polygon(seg, 2);
    });
    EXPECT_TRUE(IsColor(image, 99, 50, Qt::red));
    EXPECT_EQ(CountNot(image, Qt::white), CountNot(image, Qt::white, QRect(10, 50, 90, 1)));
}

TEST(QtCanvasLines, DashedPenHasDashesWidePenIsSolid) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        Line(dc, {kPenDash, 1, 0, kBlack}, {10, 50}, {190, 50});
        Line(dc, {kPenDash, 3, 0, kBlack}, {10, 100}, {190, 100});
    });
    // 18 pixels on, 6 off, starting with a dash; the end pixel is left out.
    EXPECT_EQ(CountNot(image, Qt::black, QRect(10, 50, 18, 1)), 0);
    EXPECT_EQ(CountNot(image, Qt::white, QRect(29, 50, 4, 1)), 0);
    EXPECT_TRUE(IsColor(image, 190, 50, Qt::white));
    // A wide pen is solid whatever its style.
    EXPECT_EQ(CountNot(image, Qt::black, QRect(12, 99, 176, 3)), 0);
}

TEST(QtCanvasLines, PainterPenChangesOnlyWhenTheRecordChanges) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogPen a{kPenSolid, 2, 0, kRed};
        for (int i = 0; i < 50; ++i) {
            // As an object draws: select its pen, draw, restore the previous.
            Canvas::PenSel old = dc.SelectPen(&a);
            const PixelPoint seg[] = {{i, 0}, {i, 100}};
            dc.Polygon(seg, 2);
            dc.RestorePen(old);
        }
        EXPECT_EQ(dc.PenChanges(), 1);
        Line(dc, {kPenSolid, 1, 0, kBlack}, {0, 150}, {100, 150});
        EXPECT_EQ(dc.PenChanges(), 2);
    });
    EXPECT_TRUE(IsColor(image, 20, 150, Qt::black));
}

TEST(QtCanvasRaster, InvertNotXorAndFocusRectUndoThemselves) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogBrush brush{kBrushSolid, 0x00FF00, 0};
        dc.SelectPen(nullptr);
        dc.SelectBrush(&brush);
        const PixelPoint square[] = {{50, 50}, {150, 150}, {50, 150}};
        dc.Polygon(square, 3);
    });
    const QImage before = image;
    auto draw = [](QtCanvas& dc) {
        ASSERT_TRUE(dc.SupportsRasterOps());
        dc.InvertRect({10, 10, 17, 17});
        EXPECT_EQ(dc.SetRasterMode(RasterMode::NotXor), RasterMode::Copy);
        Line(dc, {kPenSolid, 1, 0, kBlack}, {0, 140}, {200, 140});
        dc.SetRasterMode(RasterMode::InvertDest);
        Line(dc, {kPenSolid, 1, 0, kRed}, {180, 10}, {180, 100});
        dc.SetRasterMode(RasterMode::Copy);
        dc.DrawFocusRect({140, 20, 180, 41});
    };
    Paint(image, draw);
    EXPECT_TRUE(IsColor(image, 10, 16, Qt::black));     // white inverted
    EXPECT_TRUE(IsColor(image, 17, 10, Qt::white));     // right edge is exclusive
    EXPECT_TRUE(IsColor(image, 10, 140, Qt::black));    // black not-xor white
    EXPECT_TRUE(IsColor(image, 60, 140, Qt::magenta));  // black not-xor green
    EXPECT_TRUE(IsColor(image, 180, 50, Qt::black));    // the pen colour does not matter
    EXPECT_TRUE(IsColor(image, 140, 20, Qt::black));    // dotted outline
    EXPECT_TRUE(IsColor(image, 141, 20, Qt::white));
    Paint(image, draw);
    EXPECT_EQ(image, before);
}

TEST(QtCanvasText, TextOutPutsTheTopLeftCornerAtThePoint) {
    QImage image = WhiteImage();
    PixelPoint extent;
    Paint(image, [&](QtCanvas& dc) {
        FontRecord font;
        font.heightPixels = 20;
        dc.SetFont(font);
        dc.SetTextColor(kRed);
        dc.SetBkTransparent(true);
        dc.TextOut({50, 60}, "HH");
        extent = dc.TextExtent("HH");
    });
    QRect ink;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (image.pixelColor(x, y) != Qt::white) ink |= QRect(x, y, 1, 1);
    EXPECT_GE(ink.top(), 60);
    EXPECT_LT(ink.top(), 70);
    EXPECT_GE(ink.left(), 50);
    EXPECT_LT(ink.left(), 56);
    EXPECT_LT(ink.bottom(), 60 + extent.y);
}

// Whole-sheet export and the sheet view's painting.

class SheetExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        ASSERT_TRUE(dir.isValid());
        doc.OnNewDocument();
    }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    QStringList Entries() const { return QDir(dir.path()).entryList(QDir::Files); }

    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    QTemporaryDir dir;
};

// A red filled triangle with a dark outline, added as construction code would.
CShapeObj* AddTriangle(CGyrDoc& doc) {
    auto* s = new CShapeObj(3);
    s->SetDocument(&doc);
    s->m_points = {{-2, -1}, {2, -1}, {0, 2}};
    s->m_bBrush = 1;
    s->m_logbrush = {kBrushSolid, 0x0000FF, 0};
    s->RecalcBounds();
    doc.AddObject(s);
    return s;
}

TEST_F(SheetExportTest, PngShowsTheAxesOnWhiteThenFiguresInListOrderAtScaleOne) {
    const std::string out = Path("sheet.png");
    std::string error;
    ASSERT_TRUE(ExportSheet(doc, out, &error)) << error;
    QImage image(QString::fromStdString(out));
    const CSheetMapping& m = Mapping();
    EXPECT_EQ(image.size(), QSize(770, 1100));  // no printer
    const QColor axes(0xC0, 0xC0, 0xC0);
    EXPECT_EQ(image.pixelColor(3, m.originY), axes);  // the x-axis row
    EXPECT_EQ(image.pixelColor(m.originX, 3), axes);  // the y-axis column
    EXPECT_EQ(image.pixelColor(3, m.originY - 1), Qt::white);

    // The fill covers the x-axis drawn before it; the scale is 1 meanwhile.
    AddTriangle(doc);
    doc.Sheet()->SetGeneralScale(2.0);
    ASSERT_TRUE(ExportSheet(doc, Path("scaled.BMP"), nullptr));  // upper-case extension
    EXPECT_EQ(doc.Sheet()->m_params.generalScale, 2.0);
    EXPECT_EQ(Mapping().sheetWidth, 2 * 770);
    doc.Sheet()->SetGeneralScale(1.0);
    image = QImage(dir.filePath("scaled.BMP"), "BMP");
    EXPECT_EQ(image.width(), 770);
    const PixelPoint inside = WorldToPixel({0, 0}), outside = WorldToPixel({3, 0});
    EXPECT_EQ(image.pixelColor(inside.x + 10, inside.y), Qt::red);
    EXPECT_EQ(image.pixelColor(outside.x + 1, outside.y), axes);
}

TEST_F(SheetExportTest, VectorFormatsAreWrittenAndFailuresLeaveNothingBehind) {
    AddTriangle(doc);
    ASSERT_TRUE(ExportSheet(doc, Path("sheet.svg"), nullptr));
    ASSERT_TRUE(ExportSheet(doc, Path("sheet.pdf"), nullptr));
    QFile svg(dir.filePath("sheet.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("viewBox=\"0 0 770 1100\""));
    QFile pdf(dir.filePath("sheet.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));

    std::string error;
    EXPECT_FALSE(ExportSheet(doc, Path("sheet.xyz"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ExportSheet(doc, Path("sheet"), &error));
    EXPECT_FALSE(ExportSheet(doc, Path("missing/sheet.png"), &error));
    EXPECT_EQ(Entries(), (QStringList{"sheet.pdf", "sheet.svg"}));  // no temporaries left

    // An existing file is replaced only by a complete export.
    QFile old(dir.filePath("keep.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    ASSERT_TRUE(ExportSheet(doc, Path("keep.png"), nullptr));
    EXPECT_FALSE(QImage(dir.filePath("keep.png")).isNull());
    EXPECT_EQ(Entries().size(), 3);
}

TEST_F(SheetExportTest, SheetViewPaintsWhatTheExportShows) {
    CShapeObj* tri = AddTriangle(doc);
    ASSERT_TRUE(ExportSheet(doc, Path("full.png"), nullptr));
    const QImage full(dir.filePath("full.png"));
    CGyrView view(&doc);
    SheetView sheet(doc, view);
    EXPECT_EQ(sheet.size(), full.size());
    const QRect part(250, 480, 200, 140);
    EXPECT_EQ(sheet.RenderRect(part), full.copy(part).convertToFormat(QImage::Format_RGB32));
    // Selection marks are inverted squares over the vertices.
    view.State().Select(tri);
    PixelPoint v = WorldToPixel(tri->m_points[0]);
    QColor under = full.pixelColor(v.x, v.y);
    QColor mark = sheet.RenderRect(part).pixelColor(v.x - part.left(), v.y - part.top());
    EXPECT_EQ(mark.rgb(), (~under.rgb() & 0xFFFFFF) | 0xFF000000u);
}

}  // namespace
}  // namespace gyr

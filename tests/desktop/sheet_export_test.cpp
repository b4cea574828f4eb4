#include "desktop/sheet_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "desktop/main_window.h"
#include "desktop/qt_canvas.h"
#include "desktop/sheet_view.h"
#include "doc/document.h"
#include "doc/program_state.h"
#include "doc/shape_obj.h"
#include "port/scripted_host.h"
#include "ui/axes.h"
#include "ui/gyr_view.h"
#include "ui/sheet_mapping.h"

namespace gyr {
namespace {

class SheetExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        host.document = &doc;
        ASSERT_TRUE(dir.isValid());
        doc.OnNewDocument();
    }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    QStringList Entries() const { return QDir(dir.path()).entryList(QDir::Files); }

    ScriptedHost host;
    CGyrDoc doc;
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

TEST_F(SheetExportTest, PngOfANewDocumentShowsTheAxesOnWhite) {
    const std::string out = Path("sheet.png");
    std::string error;
    ASSERT_TRUE(ExportSheet(doc, out, &error)) << error;
    QImage image(QString::fromStdString(out));
    ASSERT_FALSE(image.isNull());
    const CSheetMapping& m = Mapping();
    EXPECT_EQ(image.size(), QSize(m.sheetWidth, m.sheetHeight));
    EXPECT_EQ(image.size(), QSize(770, 1100));  // no printer
    const QColor axes(0xC0, 0xC0, 0xC0);
    EXPECT_EQ(image.pixelColor(3, m.originY), axes);  // the x-axis row
    EXPECT_EQ(image.pixelColor(m.sheetWidth - 3, m.originY), axes);
    EXPECT_EQ(image.pixelColor(m.originX, 3), axes);  // the y-axis column
    EXPECT_EQ(image.pixelColor(3, m.originY - 1), Qt::white);
    EXPECT_EQ(image.pixelColor(3, 3), Qt::white);
}

TEST_F(SheetExportTest, FiguresAreDrawnInListOrderThroughTheMapping) {
    AddTriangle(doc);
    const std::string out = Path("sheet.bmp");
    ASSERT_TRUE(ExportSheet(doc, out, nullptr));
    QImage image(QString::fromStdString(out), "BMP");
    ASSERT_FALSE(image.isNull());
    // The fill covers the x-axis drawn before it.
    PixelPoint inside = WorldToPixel({0, 0});
    EXPECT_EQ(image.pixelColor(inside.x + 10, inside.y), Qt::red);
    PixelPoint outside = WorldToPixel({3, 0});
    EXPECT_EQ(image.pixelColor(outside.x + 1, outside.y), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(SheetExportTest, GeneralScaleIsOneDuringExportAndRestoredAfter) {
    const int width = Mapping().sheetWidth;
    doc.Sheet()->SetGeneralScale(2.0);
    ASSERT_EQ(Mapping().sheetWidth, 2 * width);
    const std::string out = Path("scaled.PNG");  // upper-case extension
    ASSERT_TRUE(ExportSheet(doc, out, nullptr));
    EXPECT_EQ(QImage(QString::fromStdString(out)).width(), width);
    EXPECT_EQ(doc.Sheet()->m_params.generalScale, 2.0);
    EXPECT_EQ(Mapping().sheetWidth, 2 * width);
}

TEST_F(SheetExportTest, VectorFormatsAreWritten) {
    AddTriangle(doc);
    ASSERT_TRUE(ExportSheet(doc, Path("sheet.svg"), nullptr));
    ASSERT_TRUE(ExportSheet(doc, Path("sheet.pdf"), nullptr));
    QFile svg(dir.filePath("sheet.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("viewBox=\"0 0 770 1100\""));
    QFile pdf(dir.filePath("sheet.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
    EXPECT_EQ(Entries(), (QStringList{"sheet.pdf", "sheet.svg"}));  // no temporaries left
}

TEST_F(SheetExportTest, FailuresLeaveNothingBehind) {
    std::string error;
    EXPECT_FALSE(ExportSheet(doc, Path("sheet.xyz"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ExportSheet(doc, Path("sheet"), &error));
    EXPECT_FALSE(ExportSheet(doc, Path("missing/sheet.png"), &error));
    EXPECT_TRUE(Entries().isEmpty());

    // An existing file is replaced only by a complete export.
    QFile old(dir.filePath("keep.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    ASSERT_TRUE(ExportSheet(doc, Path("keep.png"), nullptr));
    EXPECT_FALSE(QImage(dir.filePath("keep.png")).isNull());
    EXPECT_EQ(Entries(), QStringList{"keep.png"});
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
    view.Select(tri);
    PixelPoint v = WorldToPixel(tri->m_points[0]);
    QImage marked = sheet.RenderRect(part);
    QColor under = full.pixelColor(v.x, v.y);
    QColor mark = marked.pixelColor(v.x - part.left(), v.y - part.top());
    EXPECT_EQ(mark.rgb(), (~under.rgb() & 0xFFFFFF) | 0xFF000000u);
}

TEST_F(SheetExportTest, SegmentsDrawTheSamePixelsAsPlainLines) {
    // Two-vertex shapes of one-pixel and wide pens, as the drawing benchmark
    // compares them with a bare drawLine loop.
    CObList shapes;
    std::vector<std::pair<QLine, LogPen>> lines;
    for (int i = 0; i < 40; ++i) {
        auto* s = new CShapeObj(2);
        s->SetDocument(&doc);
        s->m_logpen = {i % 3 == 0 ? kPenDot : kPenSolid, 1 + i % 4, 0, 0x00800000u + i};
        s->m_points = {{-6.0 + 0.3 * i, -4.0 + 0.1 * i}, {5.0 - 0.2 * i, 3.0 - 0.05 * i * i}};
        s->RecalcBounds();
        doc.AddObject(s);
        shapes.push_back(s);
        PixelPoint a = WorldToPixel(s->m_points[1]), b = WorldToPixel(s->m_points[0]);
        lines.push_back({QLine(a.x, a.y, b.x, b.y), s->m_logpen});
    }
    QImage viaCanvas(Mapping().sheetWidth, Mapping().sheetHeight, QImage::Format_RGB32);
    viaCanvas.fill(Qt::white);
    QImage bare = viaCanvas;
    {
        QPainter painter(&viaCanvas);
        QtCanvas canvas(painter);
        DrawInRect(shapes, canvas, {0, 0, viaCanvas.width(), viaCanvas.height()});
    }
    {
        QPainter painter(&bare);
        // A fresh canvas has the platform's opaque white background: the gaps
        // of dotted pens are painted too.
        painter.setBackground(Qt::white);
        painter.setBackgroundMode(Qt::OpaqueMode);
        for (const auto& [line, pen] : lines) {
            painter.setPen(MakeQPen(pen));
            painter.drawLine(line);
        }
    }
    EXPECT_NE(viaCanvas, QImage(viaCanvas.size(), viaCanvas.format()));
    EXPECT_EQ(viaCanvas, bare);
}

TEST_F(SheetExportTest, MainWindowShowsTheDocumentTitleAndTheWholeSheet) {
    CGyrView view(&doc);
    MainWindow window(doc, view);
    EXPECT_EQ(window.windowTitle(), "Untitled - Gyrovant");
    EXPECT_EQ(window.Sheet()->size(), QSize(Mapping().sheetWidth, Mapping().sheetHeight));
    doc.SetPathName("/somewhere/figure.gyr");
    window.UpdateTitle();
    EXPECT_EQ(window.windowTitle(), "figure.gyr - Gyrovant");
}

}  // namespace
}  // namespace gyr

// Vector exports keep circles, arcs and point marks as curves: the SVG as
// ellipses or paths with curve commands, the PDF with curve operators. A
// polyline in their place would lose the curve at any zoom.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstring>

#include "desktop/sheet_export.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "figures/class_registry.h"
#include "figures/point_obj.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

// Pen colours that tell the three figures apart (0x00BBGGRR).
constexpr ColorRef kCircleRed = 0x0000FF;
constexpr ColorRef kArcGreen = 0x00FF00;
constexpr ColorRef kPointBlue = 0xFF0000;

class CurveExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        ASSERT_TRUE(dir.isValid());
        doc.OnNewDocument();
        auto stroke = [&](CShapeObj* s, ColorRef c) {
            s->SetDocument(&doc);
            s->m_bPen = 1;
            s->m_logpen = {kPenSolid, 1, 0, c};
            s->m_bBrush = 0;
            s->RecalcBounds();
            doc.AddObject(s);
        };
        stroke(new CCircleObj({-3, 3}, 2), kCircleRed);
        stroke(new CArcObj({3, -3}, {5, -3}, {3, -1}), kArcGreen);
        stroke(new CPointObj({0, -6}, 0.3, 0), kPointBlue);
    }
    QByteArray Export(const char* name) {
        std::string error;
        EXPECT_TRUE(ExportSheet(doc, dir.filePath(name).toStdString(), &error)) << error;
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    QTemporaryDir dir;
};

// The SVG group drawn with a stroke colour: what lies between its opening
// tag and its end.
QByteArray SvgGroup(const QByteArray& svg, const char* stroke) {
    const qsizetype at = svg.indexOf(QByteArray("<g fill=\"none\" stroke=\"") + stroke + "\"");
    if (at < 0) return {};
    const qsizetype end = svg.indexOf("</g>", at);
    return svg.mid(at, end - at);
}

// The page's content stream, inflated (Qt compresses every stream).
QByteArray PdfContent(const QByteArray& pdf) {
    qsizetype from = 0;
    while ((from = pdf.indexOf("stream\n", from)) >= 0) {
        const qsizetype begin = from + 7;
        const qsizetype end = pdf.indexOf("endstream", begin);
        if (end < 0) break;
        from = end;
        QByteArray packed = pdf.mid(begin, end - begin);
        // qUncompress wants the inflated size first; a generous guess grows.
        const quint32 guess = quint32(packed.size()) * 16;
        packed.prepend(char(guess & 0xFF));
        packed.prepend(char((guess >> 8) & 0xFF));
        packed.prepend(char((guess >> 16) & 0xFF));
        packed.prepend(char((guess >> 24) & 0xFF));
        const QByteArray text = qUncompress(packed);
        if (text.contains(" SCN")) return text;
    }
    return {};
}

// The PDF operators drawn with a stroke colour, up to the next colour.
QByteArray PdfStrokedWith(const QByteArray& content, const char* rgb) {
    const qsizetype at = content.indexOf(QByteArray("\n") + rgb + " SCN\n");
    if (at < 0) return {};
    const qsizetype end = content.indexOf(" SCN\n", at + 1 + qsizetype(std::strlen(rgb)) + 5);
    return content.mid(at, end < 0 ? -1 : end - at);
}

int Count(const QByteArray& text, const char* pattern) {
    return int(text.count(QByteArray(pattern)));
}

TEST_F(CurveExportTest, SvgKeepsCirclesArcsAndPointMarksAsCurves) {
    const QByteArray svg = Export("curves.svg");
    const QByteArray circle = SvgGroup(svg, "#ff0000");
    const QByteArray arc = SvgGroup(svg, "#00ff00");
    const QByteArray point = SvgGroup(svg, "#0000ff");
    ASSERT_FALSE(circle.isEmpty());
    ASSERT_FALSE(arc.isEmpty());
    ASSERT_FALSE(point.isEmpty());
    const QRegularExpression roundShape("<(circle|ellipse) ");
    // A quarter arc: a path of cubic pieces, no straight ones.
    const QRegularExpression curvedPath("<path [^>]*d=\"M[-0-9.,]+ C[-0-9., C]+\"");
    EXPECT_TRUE(roundShape.match(circle).hasMatch()) << circle.toStdString();
    EXPECT_TRUE(curvedPath.match(arc).hasMatch()) << arc.toStdString();
    EXPECT_TRUE(roundShape.match(point).hasMatch()) << point.toStdString();
    for (const QByteArray& g : {circle, arc, point}) {
        EXPECT_EQ(Count(g, "<polyline"), 0) << g.toStdString();
        EXPECT_EQ(Count(g, "<polygon"), 0) << g.toStdString();
        EXPECT_EQ(Count(g, " L"), 0) << g.toStdString();
    }
}

TEST_F(CurveExportTest, PdfDrawsCirclesArcsAndPointMarksWithCurveOperators) {
    const QByteArray content = PdfContent(Export("curves.pdf"));
    ASSERT_FALSE(content.isEmpty());
    const QByteArray circle = PdfStrokedWith(content, "1 0 0");
    const QByteArray arc = PdfStrokedWith(content, "0 1 0");
    const QByteArray point = PdfStrokedWith(content, "0 0 1");
    // A full circle takes four cubic pieces, a quarter arc at least one.
    EXPECT_GE(Count(circle, " c\n"), 4) << circle.toStdString();
    EXPECT_GE(Count(arc, " c\n"), 1) << arc.toStdString();
    EXPECT_GE(Count(point, " c\n"), 4) << point.toStdString();
    for (const QByteArray& ops : {circle, arc, point}) EXPECT_EQ(Count(ops, " l\n"), 0);
}

}  // namespace
}  // namespace gyr

#include "desktop/qt_canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "desktop/qt_host.h"

namespace gyr {
namespace {

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kBlack = 0x000000;

QImage WhiteImage(int w = 200, int h = 200) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool IsColor(const QImage& image, int x, int y, QColor c) {
    return image.pixelColor(x, y) == c;
}

// Runs a drawing function on a fresh canvas over the image.
template <typename F>
void Paint(QImage& image, F&& draw) {
    QPainter painter(&image);
    QtCanvas canvas(painter);
    draw(canvas);
}

TEST(QtCanvasShapes, FilledClosedPolygonIsStrokedAndFilled) {
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
    EXPECT_TRUE(IsColor(image, 21, 70, Qt::red));
    // The outline closes back to the first point.
    EXPECT_TRUE(IsColor(image, 20, 70, Qt::black));
    EXPECT_TRUE(IsColor(image, 70, 20, Qt::black));
    EXPECT_TRUE(IsColor(image, 150, 70, Qt::white));
    EXPECT_TRUE(IsColor(image, 10, 10, Qt::white));
}

TEST(QtCanvasShapes, NullPenAndBrushDrawNothing) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        dc.SelectPen(nullptr);
        dc.SelectBrush(nullptr);
        const PixelPoint tri[] = {{10, 10}, {190, 10}, {100, 190}};
        dc.Polygon(tri, 3);
    });
    EXPECT_EQ(image, WhiteImage());
}

TEST(QtCanvasShapes, TwoPointPolygonIsOnlyItsLine) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogPen pen{kPenSolid, 1, 0, kRed};
        LogBrush brush{kBrushSolid, kBlack, 0};
        dc.SelectPen(&pen);
        dc.SelectBrush(&brush);
        const PixelPoint seg[] = {{10, 50}, {100, 50}};
        dc.Polygon(seg, 2);
    });
    EXPECT_TRUE(IsColor(image, 10, 50, Qt::red));
    EXPECT_TRUE(IsColor(image, 99, 50, Qt::red));
    int dark = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) dark += IsColor(image, x, y, Qt::black);
    EXPECT_EQ(dark, 0);
}

TEST(QtCanvasShapes, HatchedBrushLeavesGaps) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogBrush brush{kBrushHatched, kBlack, 0};  // horizontal hatch
        dc.SelectPen(nullptr);
        dc.SelectBrush(&brush);
        const PixelPoint square[] = {{0, 0}, {64, 0}, {64, 64}, {0, 64}};
        dc.Polygon(square, 4);
    });
    int fullRows = 0, emptyRows = 0;
    for (int y = 4; y < 60; ++y) {
        int dark = 0;
        for (int x = 4; x < 60; ++x) dark += IsColor(image, x, y, Qt::black);
        fullRows += dark == 56;
        emptyRows += dark == 0;
    }
    EXPECT_GT(fullRows, 0);
    EXPECT_GT(emptyRows, fullRows);
}

TEST(QtCanvasShapes, ArcRunsCounterClockwiseFromStartToEnd) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogPen pen{kPenSolid, 1, 0, kBlack};
        dc.SelectPen(&pen);
        // From the ray towards 3 o'clock to the ray towards 12 o'clock.
        dc.Arc({20, 20, 181, 181}, {200, 100}, {100, 0});
    });
    auto darkIn = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += image.pixelColor(x, y) != Qt::white;
        return n;
    };
    EXPECT_GT(darkIn(100, 0, 200, 100), 50);  // upper right quarter
    EXPECT_EQ(darkIn(0, 0, 95, 95), 0);
    EXPECT_EQ(darkIn(0, 105, 200, 200), 0);
}

TEST(QtCanvasLines, DashedPenHasDashesAndGaps) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogPen pen{kPenDash, 1, 0, kBlack};
        dc.SelectPen(&pen);
        dc.MoveTo({10, 50});
        dc.LineTo({190, 50});
    });
    // 18 pixels on, 6 off, starting with a dash.
    for (int x = 10; x < 28; ++x) EXPECT_TRUE(IsColor(image, x, 50, Qt::black)) << x;
    for (int x = 29; x < 33; ++x) EXPECT_TRUE(IsColor(image, x, 50, Qt::white)) << x;
    EXPECT_TRUE(IsColor(image, 35, 50, Qt::black));
    // The end pixel is left out, as the platform's LineTo does.
    EXPECT_TRUE(IsColor(image, 190, 50, Qt::white));
}

TEST(QtCanvasLines, WidePenIsSolidWhateverItsStyle) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogPen pen{kPenDash, 3, 0, kBlack};
        dc.SelectPen(&pen);
        dc.MoveTo({10, 50});
        dc.LineTo({190, 50});
    });
    for (int x = 12; x < 188; ++x) ASSERT_TRUE(IsColor(image, x, 50, Qt::black)) << x;
    EXPECT_TRUE(IsColor(image, 100, 49, Qt::black));
    EXPECT_TRUE(IsColor(image, 100, 51, Qt::black));
}

TEST(QtCanvasLines, ViewportOriginShiftsEverything) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogPen pen{kPenSolid, 1, 0, kRed};
        dc.SelectPen(&pen);
        EXPECT_EQ(dc.SetViewportOrg({-30, 40}), (PixelPoint{0, 0}));
        dc.MoveTo({50, 10});
        dc.LineTo({150, 10});
    });
    EXPECT_TRUE(IsColor(image, 20, 50, Qt::red));
    EXPECT_TRUE(IsColor(image, 50, 10, Qt::white));
}

TEST(QtCanvasLines, ClipRectLimitsDrawing) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogPen pen{kPenSolid, 1, 0, kBlack};
        dc.SelectPen(&pen);
        dc.SetClipRect({0, 0, 50, 200});
        dc.MoveTo({10, 20});
        dc.LineTo({190, 20});
        dc.SetClipRect({});
        dc.MoveTo({10, 30});
        dc.LineTo({190, 30});
    });
    EXPECT_TRUE(IsColor(image, 49, 20, Qt::black));
    EXPECT_TRUE(IsColor(image, 50, 20, Qt::white));
    EXPECT_TRUE(IsColor(image, 150, 30, Qt::black));
}

TEST(QtCanvasLines, PainterPenChangesOnlyWhenTheRecordChanges) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogPen a{kPenSolid, 2, 0, kRed};
        LogPen b{kPenSolid, 1, 0, kBlack};
        for (int i = 0; i < 50; ++i) {
            // As an object draws: select its pen, draw, restore the previous.
            Canvas::PenSel old = dc.SelectPen(&a);
            const PixelPoint seg[] = {{i, 0}, {i, 100}};
            dc.Polygon(seg, 2);
            dc.RestorePen(old);
        }
        EXPECT_EQ(dc.PenChanges(), 1);
        dc.SelectPen(&b);
        dc.MoveTo({0, 150});
        dc.LineTo({100, 150});
        EXPECT_EQ(dc.PenChanges(), 2);
    });
    EXPECT_TRUE(IsColor(image, 20, 150, Qt::black));
}

TEST(QtCanvasRaster, InvertRectTwiceRestoresTheImage) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogPen pen{kPenSolid, 3, 0, kRed};
        dc.SelectPen(&pen);
        dc.MoveTo({0, 0});
        dc.LineTo({200, 200});
    });
    const QImage before = image;
    Paint(image, [](QtCanvas& dc) {
        ASSERT_TRUE(dc.SupportsRasterOps());
        dc.InvertRect({90, 90, 97, 97});
    });
    EXPECT_NE(image, before);
    EXPECT_TRUE(IsColor(image, 90, 96, Qt::black));  // white inverted
    EXPECT_TRUE(IsColor(image, 93, 93, Qt::cyan));   // red inverted
    EXPECT_TRUE(IsColor(image, 97, 90, Qt::white));  // right edge is exclusive
    Paint(image, [](QtCanvas& dc) { dc.InvertRect({90, 90, 97, 97}); });
    EXPECT_EQ(image, before);
}

TEST(QtCanvasRaster, NotXorLineDrawnTwiceVanishes) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        LogBrush brush{kBrushSolid, 0x00FF00, 0};
        dc.SelectPen(nullptr);
        dc.SelectBrush(&brush);
        const PixelPoint square[] = {{50, 50}, {150, 50}, {150, 150}, {50, 150}};
        dc.Polygon(square, 4);
    });
    const QImage before = image;
    auto rubber = [](QtCanvas& dc) {
        LogPen pen{kPenSolid, 1, 0, kBlack};
        dc.SelectPen(&pen);
        EXPECT_EQ(dc.SetRasterMode(RasterMode::NotXor), RasterMode::Copy);
        dc.MoveTo({0, 100});
        dc.LineTo({200, 100});
        dc.SetRasterMode(RasterMode::Copy);
    };
    Paint(image, rubber);
    // Black not-xor white gives black; on green it gives magenta.
    EXPECT_TRUE(IsColor(image, 10, 100, Qt::black));
    EXPECT_TRUE(IsColor(image, 100, 100, Qt::magenta));
    Paint(image, rubber);
    EXPECT_EQ(image, before);
}

TEST(QtCanvasRaster, InvertDestModeAndFocusRectUndoThemselves) {
    QImage image = WhiteImage();
    const QImage before = image;
    auto draw = [](QtCanvas& dc) {
        LogPen pen{kPenSolid, 1, 0, kRed};
        dc.SelectPen(&pen);
        dc.SetRasterMode(RasterMode::InvertDest);
        dc.MoveTo({10, 10});
        dc.LineTo({10, 100});
        dc.SetRasterMode(RasterMode::Copy);
        dc.DrawFocusRect({40, 40, 80, 61});
    };
    Paint(image, draw);
    EXPECT_TRUE(IsColor(image, 10, 50, Qt::black));  // the pen colour does not matter
    EXPECT_TRUE(IsColor(image, 40, 40, Qt::black));  // dotted outline
    EXPECT_TRUE(IsColor(image, 41, 40, Qt::white));
    EXPECT_TRUE(IsColor(image, 60, 50, Qt::white));  // inside untouched
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
    int top = 200, left = 200, bottom = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (image.pixelColor(x, y) != Qt::white) {
                top = std::min(top, y);
                left = std::min(left, x);
                bottom = std::max(bottom, y);
                EXPECT_GT(image.pixelColor(x, y).red(), image.pixelColor(x, y).green());
            }
    EXPECT_GE(top, 60);
    EXPECT_LT(top, 70);
    EXPECT_GE(left, 50);
    EXPECT_LT(left, 56);
    EXPECT_LT(bottom, 60 + extent.y);
    EXPECT_GT(extent.x, 10);
}

TEST(QtCanvasText, OpaqueBackgroundFillsTheTextBox) {
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(Qt::green);
    Paint(image, [](QtCanvas& dc) {
        dc.SetTextColor(kBlack);
        dc.TextOut({5, 5}, "i");
    });
    EXPECT_TRUE(IsColor(image, 5, 5, Qt::white));
    EXPECT_TRUE(IsColor(image, 90, 50, Qt::green));
}

TEST(QtCanvasText, WrappedTextStaysInItsRectangle) {
    QImage image = WhiteImage();
    Paint(image, [](QtCanvas& dc) {
        dc.SetBkTransparent(true);
        dc.DrawTextInRect({20, 20, 100, 180}, "one two three four five six seven eight",
                          Justify::Right);
    });
    int lines = 0, inkOutside = 0, rightmost = 0;
    bool previousInk = false;
    for (int y = 0; y < 200; ++y) {
        bool ink = false;
        for (int x = 0; x < 200; ++x)
            if (image.pixelColor(x, y) != Qt::white) {
                ink = true;
                inkOutside += x < 20 || x >= 100;
                rightmost = std::max(rightmost, x);
            }
        lines += ink && !previousInk;
        previousInk = ink;
    }
    EXPECT_GE(lines, 3);
    EXPECT_EQ(inkOutside, 0);
    EXPECT_GE(rightmost, 90);  // right-justified
}

TEST(QtCanvasText, CourierNewResolvesToAMonospacedFace) {
    QFont f = MakeQFont(FontRecord{}, 96);
    EXPECT_TRUE(QFontInfo(f).fixedPitch()) << QFontInfo(f).family().toStdString();
    EXPECT_EQ(f.pixelSize(), 16);  // 12 points at 96 dpi
}

TEST(QtHostFilter, PlatformFiltersBecomeQtFilters) {
    EXPECT_EQ(ToQtFilter("Gyrovant Files (*.gyr)|*.gyr|All files (*.*)|*.*||"),
              "Gyrovant Files (*.gyr);;All files (*.*)");
    EXPECT_EQ(ToQtFilter("Bitmaps + Enhanced (*.bmp;*.EMF)|*.bmp; *.EMF||"),
              "Bitmaps + Enhanced (*.bmp *.EMF *.emf)");
    EXPECT_EQ(ToQtFilter(""), "");
}

}  // namespace
}  // namespace gyr

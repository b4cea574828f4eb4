// Pictures in the window: Import picture through the chooser, the
// restricted-bitmap tool over a circle, Save As of the sheet as a bitmap
// equal to the PNG export, and the clipboard forms of a picture.

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "control/picture_commands.h"
#include "desktop/picture_clipboard.h"
#include "desktop/qt_canvas.h"
#include "desktop/sheet_export.h"
#include "figures/circle_obj.h"
#include "figures/pict_obj.h"
#include "main_window_fixture.h"

namespace gyr {
namespace {

class PictureWindowTest : public MainWindowTest {
protected:
    std::string Path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    std::vector<std::uint8_t> Read(const char* name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    QTemporaryDir m_dir;
};

TEST_F(PictureWindowTest, RestrictedBitmapOverACircleHoldsOnlyTheDrawing) {
    auto* circle = new CCircleObj({0, 0}, 1);
    circle->SetDocument(m_doc.get());
    circle->RecalcBounds();
    m_doc->AddObject(circle);
    // The same area captured while the circle is selected (its marks on
    // screen): the picture must hold the drawing alone.
    m_view->State().Select(circle);
    const PixelPoint a = WorldToPixel({-2, 2}), b = WorldToPixel({2, -2});
    DibImage before;
    ASSERT_TRUE(CaptureBitmap(*m_doc, {a.x, a.y, b.x, b.y}, before));
    m_window->RunCommand(ID_DRAW_PICT_BMP);
    Drag({-2, 2}, {2, -2});
    auto* pict = LastOf<CPict>();
    ASSERT_NE(pict, nullptr);
    ASSERT_EQ(m_view->State().m_selection.size(), 1u);
    EXPECT_EQ(m_view->State().m_selection[0], pict);
    const DibImage* img = pict->GetDib().Image();
    ASSERT_NE(img, nullptr);
    const PixelPoint c = WorldToPixel({0, 0});
    const PixelPoint onCircle = WorldToPixel({1, 0});
    // White at the corner and inside; the circle's pen on its right.
    EXPECT_EQ(img->At(1, 1) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img->At(c.x - a.x + 20, c.y - a.y + 20) & 0xFFFFFF, 0xFFFFFFu);
    bool pen = false;
    for (int dx = -2; dx <= 2; ++dx)
        pen = pen || (img->At(onCircle.x - a.x + dx, onCircle.y - a.y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_TRUE(pen);
    EXPECT_EQ(before.pixels, img->pixels);
}

TEST_F(PictureWindowTest, ImportPictureAndTheSheetAsBitmapEqualToThePng) {
    m_host.SetSaveChooser([&](const std::string&, const std::string&, const std::string&) {
        return FileChoice{true, Path("sheet.bmp")};
    });
    m_window->RunCommand(ID_FILE_SAVE_AS);
    const auto bmp = Read("sheet.bmp");
    ASSERT_EQ(bmp.size(), 2543254u);
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(RenderSheet(*m_doc, ExportFormat::Png, 1.0, png, nullptr));
    QImage fromPng;
    ASSERT_TRUE(fromPng.loadFromData(png.data(), int(png.size()), "PNG"));
    Dib dib;
    ASSERT_TRUE(ReadBmpFile(bmp.data(), bmp.size(), dib));
    EXPECT_EQ(dib.Image()->pixels, DibImageOf(fromPng).pixels);
    // Pixel (100, 550) lies on the x axis' light grey.
    EXPECT_EQ(bmp[1269642], 0xC0);
    EXPECT_EQ(bmp[1269643], 0xC0);
    EXPECT_EQ(bmp[1269644], 0xC0);

    m_host.SetOpenChooser([&](const std::string& filter) {
        EXPECT_EQ(filter, kPictureFilter);
        return FileChoice{true, Path("sheet.bmp")};
    });
    m_window->RunCommand(ID_IMPORT_PICTURE);
    auto* pict = LastOf<CPict>();
    ASSERT_NE(pict, nullptr);
    ExpectNear(pict->m_leftTop, {0, 0});
    ExpectNear(pict->m_rightBottom, {15.4, -22.0});
}

TEST_F(PictureWindowTest, PicturesCopyAsThemselvesAndPasteBack) {
    DibImage img;
    img.width = 4;
    img.height = 3;
    img.pixels.assign(12, 0xFF204080);
    CPict pict(MakeDib24(img));
    std::unique_ptr<QMimeData> mime(PictureMimeData(pict));
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasFormat(kMimeBmp));
    EXPECT_TRUE(mime->hasFormat(kMimePng));
    CGestureState& state = m_view->State();
    CMyObj* pasted = PastePictureData(state, *mime);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(static_cast<CPict*>(pasted)->GetDib().Bits(), pict.GetDib().Bits());

    // PNG alone (another program's copy) becomes a 24-bit bitmap.
    QMimeData pngOnly;
    pngOnly.setData(kMimePng, mime->data(kMimePng));
    CMyObj* fromPng = PastePictureData(state, pngOnly);
    ASSERT_NE(fromPng, nullptr);
    EXPECT_EQ(static_cast<CPict*>(fromPng)->GetDib().Image()->pixels, img.pixels);

    const std::vector<std::uint8_t> emf = CaptureMetafile(*m_doc, {0, 0, 50, 40});
    std::unique_ptr<CMetaObj> meta(PictureFromEmf(emf.data(), emf.size()));
    std::unique_ptr<QMimeData> emfMime(PictureMimeData(*meta));
    EXPECT_TRUE(emfMime->hasFormat(kMimeEmf));
    ASSERT_NE(PastePictureData(state, *emfMime), nullptr);

    QMimeData junk;
    junk.setData(kMimeEmf, "junk");
    EXPECT_EQ(PastePictureData(state, junk), nullptr);
}

}  // namespace
}  // namespace gyr

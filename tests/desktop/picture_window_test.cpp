// Pictures in the window: Import picture through the chooser, the
// restricted-bitmap tool over a circle, Save As of the sheet as a bitmap
// equal to the PNG export, and the clipboard forms of a picture.

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "control/picture_commands.h"
#include "desktop/qt_canvas.h"
#include "desktop/sheet_export.h"
#include "figures/circle_obj.h"
#include "figures/pict_obj.h"
#include "main_window_fixture.h"
#include "model/clipboard_block.h"

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
    QClipboard* clipboard = QGuiApplication::clipboard();
    DibImage img;
    img.width = 4;
    img.height = 3;
    img.pixels.assign(12, 0xFF204080);
    auto* pict = new CPict(MakeDib24(img));
    pict->SetDocument(m_doc.get());
    pict->RecalcBounds();
    m_doc->AddObject(pict);
    m_view->State().Select(pict);
    m_window->RunCommand(ID_EDIT_COPY);
    const QMimeData* mime = clipboard->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasFormat(kObjectsMime));
    EXPECT_TRUE(mime->hasFormat(kBmpMime));
    EXPECT_TRUE(mime->hasFormat("image/png"));

    // Another program's bitmap file, then its PNG alone: 24-bit pictures,
    // selected.
    const auto count = m_doc->Objects().size();
    auto* bmpOnly = new QMimeData;
    bmpOnly->setData(kBmpMime, mime->data(kBmpMime));
    clipboard->setMimeData(bmpOnly);
    m_window->RunCommand(ID_EDIT_PASTE);
    ASSERT_EQ(m_doc->Objects().size(), count + 1);
    auto* fromBmp = LastOf<CPict>();
    EXPECT_EQ(fromBmp->GetDib().Bits(), pict->GetDib().Bits());
    EXPECT_EQ(m_view->State().m_selection, CObList{fromBmp});

    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(QColor(0x20, 0x40, 0x80));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "PNG"));
    auto* pngOnly = new QMimeData;
    pngOnly->setData("image/png", png);
    clipboard->setMimeData(pngOnly);
    m_window->RunCommand(ID_EDIT_PASTE);
    ASSERT_EQ(m_doc->Objects().size(), count + 2);
    EXPECT_EQ(LastOf<CPict>()->GetDib().Image()->pixels, img.pixels);

    // A metafile copies as itself and pastes back; an unreadable one adds
    // nothing.
    const std::vector<std::uint8_t> emf = CaptureMetafile(*m_doc, {0, 0, 50, 40});
    CMyObj* meta = PictureFromEmf(emf.data(), emf.size());
    ASSERT_NE(meta, nullptr);
    meta->SetDocument(m_doc.get());
    meta->RecalcBounds();
    m_doc->AddObject(meta);
    m_view->State().DeselectAll();
    m_view->State().Select(meta);
    m_window->RunCommand(ID_EDIT_COPY);
    EXPECT_TRUE(clipboard->mimeData()->hasFormat(kEmfMime));
    m_window->RunCommand(ID_EDIT_PASTE);  // our block first
    ASSERT_EQ(m_doc->Objects().size(), count + 4);
    auto* emfOnly = new QMimeData;
    emfOnly->setData(kEmfMime, clipboard->mimeData()->data(kEmfMime));
    clipboard->setMimeData(emfOnly);
    m_window->RunCommand(ID_EDIT_PASTE);
    ASSERT_EQ(m_doc->Objects().size(), count + 5);
    EXPECT_EQ(static_cast<CMetaObj*>(m_doc->Objects().back())->Bytes(),
              static_cast<CMetaObj*>(meta)->Bytes());

    auto* junk = new QMimeData;
    junk->setData(kEmfMime, "junk");
    clipboard->setMimeData(junk);
    m_window->RunCommand(ID_EDIT_PASTE);
    EXPECT_EQ(m_doc->Objects().size(), count + 5);
}

}  // namespace
}  // namespace gyr

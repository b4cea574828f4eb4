// The picture commands through the view: the restricted tools, Import and
// Export Picture, and the sheet written through Save As as a bitmap or a
// metafile.

#include "control/picture_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "control/doc_commands.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "figures/pict_obj.h"
#include "figures/point_obj.h"
#include "port/emf_player.h"
#include "port/recording_canvas.h"
#include "view_fixture.h"

namespace gyr::testing {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& v, std::size_t at) {
    return std::uint32_t(v[at]) | std::uint32_t(v[at + 1]) << 8 | std::uint32_t(v[at + 2]) << 16 |
           std::uint32_t(v[at + 3]) << 24;
}

class PictureCommandTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        dir = std::filesystem::temp_directory_path() /
              ("gyr_pictures_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const char* name) const { return (dir / name).string(); }
    std::vector<std::uint8_t> Read(const char* name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // The sheet of a new document.
    void A4Sheet() {
        doc.m_sheetParams = {.originX = 385, .originY = 550, .width = 770, .height = 1100};
        doc.ApplySheetParams();
    }
    std::filesystem::path dir;
};

TEST_F(PictureCommandTest, SheetAsBitmapKeepsTheModifiedFlagAndTheHeaderRules) {
    A4Sheet();
    doc.SetModifiedFlag(true);
    host.fileChoices.push_back({true, Path("sheet.BMP")});
    EXPECT_FALSE(FileSaveAs(doc));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), "");
    const auto b = Read("sheet.BMP");
    ASSERT_EQ(b.size(), 2543254u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32(b, 2), 2543254u);
    EXPECT_EQ(U32(b, 10), 54u);
    const std::uint32_t header[] = {40, 770, 1100, 0x180001, 0, 2543200, 3780, 3780, 0, 0};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(U32(b, 14 + 4 * std::size_t(i)), header[i]) << i;
    // The scripted platform paints white; the axes were drawn into it.
    EXPECT_EQ(b[1269642], 0xFF);
    EXPECT_FALSE(host.renderedLines.empty());

    // A sheet wider than the page: STRING 7, nothing written.
    doc.m_sheetParams = {.originX = 400, .originY = 300, .width = 800, .height = 600};
    doc.ApplySheetParams();
    host.fileChoices.push_back({true, Path("wide.bmp")});
    FileSaveAs(doc);
    EXPECT_EQ(host.LastMessage(), kMsgSheetTooBig);
    EXPECT_EQ(host.messages.back().icon, MsgIcon::Information);
    EXPECT_FALSE(std::filesystem::exists(Path("wide.bmp")));
    // A platform that cannot render: "Cannot save DIB".
    A4Sheet();
    host.canRender = false;
    host.fileChoices.push_back({true, Path("none.bmp")});
    FileSaveAs(doc);
    EXPECT_EQ(host.LastMessage(), kMsgCannotSaveDib);
}

TEST_F(PictureCommandTest, SheetAsMetafileHasTheFrameAndBounds) {
    A4Sheet();
    Add(new CCircleObj({0, 0}, 2));
    host.fileChoices.push_back({true, Path("sheet.eMf")});
    FileSaveAs(doc);
    const auto e = Read("sheet.eMf");
    ASSERT_GT(e.size(), 148u);
    EXPECT_EQ(U32(e, 8), 0u);
    EXPECT_EQ(U32(e, 12), 0u);
    EXPECT_EQ(U32(e, 16), 769u);
    EXPECT_EQ(U32(e, 20), 1099u);
    EXPECT_EQ(std::int32_t(U32(e, 24)), -5);
    EXPECT_EQ(std::int32_t(U32(e, 28)), -5);
    EXPECT_EQ(U32(e, 32), 20410u);
    EXPECT_EQ(U32(e, 36), 28990u);
    EXPECT_EQ(U32(e, 48), e.size());
    std::size_t off = 0, ellipses = 0;
    std::uint32_t last = 0;
    while (off < e.size()) {
        last = U32(e, off);
        ellipses += last == kEmrEllipse;
        off += U32(e, off + 4);
    }
    EXPECT_EQ(off, e.size());
    EXPECT_EQ(last, std::uint32_t(kEmrEof));
    EXPECT_EQ(ellipses, 1u);

    // Imported back through Open it plays as one ellipse in its rectangle.
    host.fileChoices.push_back({true, Path("sheet.eMf")});
    FileOpen(doc);
    CMyObj* pict = doc.Objects().back();
    ASSERT_EQ(pict->GetPictureKind(), 2);
    RecordingCanvas dc;
    pict->Draw(dc);
    const auto drawn = dc.Of(RecordingCanvas::Op::Ellipse);
    ASSERT_EQ(drawn.size(), 1u);
    const PixelRect box = pict->GetPixelBounds();
    EXPECT_GE(drawn[0].points[0].x, box.left);
    EXPECT_LE(drawn[0].points[1].y, box.bottom);
}

TEST_F(PictureCommandTest, RestrictedToolsFramePicturesOfTheDrawing) {
    Add(new CCircleObj({0, 0}, 1));
    const PixelPoint a = Px(-2, 2), b = Px(2, -2);
    view.OnCommand(ID_DRAW_PICT_BMP);
    Drag(a, b);
    ASSERT_EQ(doc.Objects().back()->GetPictureKind(), 1);
    auto* pict = static_cast<CPict*>(doc.Objects().back());
    // Only the picture is selected; it lies over the frame, offset by (0.1, -0.1).
    ASSERT_EQ(view.State().m_selection.size(), 1u);
    EXPECT_EQ(view.State().m_selection[0], pict);
    EXPECT_NEAR(pict->m_leftTop.x, -2 + 0.1, 1e-9);
    EXPECT_NEAR(pict->m_leftTop.y, 2 - 0.1, 1e-9);
    EXPECT_EQ(pict->GetDib().Width(), b.x - a.x);
    // The circle was drawn into it (in sheet pixels; the surface's origin
    // lies at the frame's corner), without marks.
    bool ellipse = false;
    for (const std::string& l : host.renderedLines) {
        ellipse = ellipse || l.rfind("ellipse (350,250) (451,351)", 0) == 0;
        EXPECT_EQ(l.find("rop{"), std::string::npos) << l;
    }
    EXPECT_TRUE(ellipse);

    view.OnCommand(ID_DRAW_PICT_EMF);
    Drag(a, {a.x + 100, a.y + 80});
    ASSERT_EQ(doc.Objects().back()->GetPictureKind(), 2);
    const auto* meta = static_cast<CMetaObj*>(doc.Objects().back());
    EXPECT_EQ(meta->Header().frame[2], 2730);
    EXPECT_EQ(meta->Header().frame[3], 2210);
    EXPECT_EQ(view.State().m_selection.size(), 1u);
    // A click without a frame makes nothing.
    const std::size_t count = doc.Objects().size();
    Click(a);
    EXPECT_EQ(doc.Objects().size(), count);
}

TEST_F(PictureCommandTest, ImportAndExportPictures) {
    DibImage img;
    img.width = 3;
    img.height = 2;
    img.pixels.assign(6, 0xFF336699);
    {
        const auto bmp = WriteBmpFile(MakeDib24(img));
        std::ofstream(Path("in.Bmp"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
        std::ofstream(Path("bad.bmp"), std::ios::binary) << "BM this is not a bitmap";
        std::ofstream(Path("bad.emf"), std::ios::binary) << "nor is this a metafile";
    }
    const std::size_t before = doc.Objects().size();
    host.fileChoices.push_back({true, Path("bad.bmp")});
    view.OnCommand(ID_IMPORT_PICTURE);
    host.fileChoices.push_back({true, Path("bad.emf")});
    view.OnCommand(ID_IMPORT_PICTURE);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.LastMessage(), "Unexpected file format.");
    EXPECT_EQ(host.messages.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(doc.Objects().size(), before);
    EXPECT_FALSE(doc.IsModified());

    host.fileChoices.push_back({true, Path("in.Bmp")});
    view.OnCommand(ID_IMPORT_PICTURE);
    ASSERT_EQ(doc.Objects().size(), before + 1);
    CMyObj* pict = doc.Objects().back();
    EXPECT_EQ(pict->GetPictureKind(), 1);
    EXPECT_EQ(pict->m_bSelected, 0);

    // Export needs a selected picture.
    host.Clear();
    view.OnCommand(ID_EXPORT_PICTURE);
    EXPECT_EQ(host.LastMessage(), kMsgNoPictureSelected);
    view.State().Select(pict);
    host.fileChoices.push_back({true, Path("out.BMP")});
    view.OnCommand(ID_EXPORT_PICTURE);
    EXPECT_EQ(Read("out.BMP"), Read("in.Bmp"));
    // A bitmap is not a metafile: told, nothing written.
    host.fileChoices.push_back({true, Path("out.emf")});
    view.OnCommand(ID_EXPORT_PICTURE);
    EXPECT_EQ(host.LastMessage(), kMsgWrongExtension);
    EXPECT_FALSE(std::filesystem::exists(Path("out.emf")));
}

// Circles, arcs and point marks stay curves in our metafile: one ELLIPSE or
// ARC record each, on the figure's pixel box, never a run of segments.
TEST_F(PictureCommandTest, SheetMetafileKeepsCirclesArcsAndPointMarksAsCurves) {
    A4Sheet();
    CCircleObj* circle = Add(new CCircleObj({-3, 3}, 2));
    CArcObj* arc = Add(new CArcObj({3, -3}, {5, -3}, {3, -1}));
    CPointObj* point = Add(new CPointObj({0, -6}, 0.3, 0));
    const std::vector<std::uint8_t> e = SheetMetafile(doc);
    ASSERT_GT(e.size(), 108u);
    // The records' boxes in reference pixels, which the sheet's pixels are.
    std::vector<PixelRect> ellipses, arcs;
    for (std::size_t off = U32(e, 4); off + 8 <= e.size(); off += U32(e, off + 4)) {
        const std::uint32_t type = U32(e, off);
        if (type != kEmrEllipse && type != kEmrArc) continue;
        const PixelRect box{std::int32_t(U32(e, off + 8)), std::int32_t(U32(e, off + 12)),
                            std::int32_t(U32(e, off + 16)), std::int32_t(U32(e, off + 20))};
        (type == kEmrEllipse ? ellipses : arcs).push_back(box);
    }
    ASSERT_EQ(ellipses.size(), 2u);
    ASSERT_EQ(arcs.size(), 1u);
    auto near = [](const PixelRect& drawn, const PixelRect& figure) {
        return std::abs(drawn.left - figure.left) <= 1 && std::abs(drawn.top - figure.top) <= 1 &&
               std::abs(drawn.right - figure.right) <= 2 &&
               std::abs(drawn.bottom - figure.bottom) <= 2;
    };
    EXPECT_TRUE(near(ellipses[0], circle->GetPixelBounds()));
    EXPECT_TRUE(near(arcs[0], arc->GetPixelBounds()));
    EXPECT_TRUE(near(ellipses[1], point->GetPixelBounds()));
    // Played back, the curves come out as curves again.
    RecordingCanvas dc;
    ASSERT_TRUE(PlayEmf(e.data(), e.size(), dc, {0, 0, 770, 1100}));
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::Ellipse).size(), 2u);
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::Arc).size(), 1u);
}

}  // namespace
}  // namespace gyr::testing

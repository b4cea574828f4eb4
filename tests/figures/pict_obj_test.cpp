// Pictures on the sheet: their file form (checked like the file readers),
// placing, handles with and without Ctrl, data lines and drawing.

#include "figures/pict_obj.h"

#include <gtest/gtest.h>

#include <cstring>

#include "figure_fixture.h"
#include "math/sheet_mapping.h"
#include "port/emf_canvas.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

Dib Solid(int w, int h, std::uint32_t colour) {
    DibImage img;
    img.width = w;
    img.height = h;
    img.pixels.assign(std::size_t(w) * std::size_t(h), colour);
    return MakeDib24(img);
}

std::vector<std::uint8_t> CircleEmf() {
    const std::int32_t frame[4] = {0, 0, 2730, 2210};
    EmfCanvas emf(frame, {0, 0, 100, 80});
    emf.Ellipse({10, 10, 60, 60});
    return emf.Finish();
}

class PictureTest : public FigureTest {};

TEST_F(PictureTest, BitmapsRoundTripByteForByteAndRefuseBadHeaders) {
    CPict pict(Solid(5, 3, 0xFF102030));
    pict.m_pDocument = &doc;
    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CPict> loaded(RoundTrip(pict, &first, &second));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(loaded->GetDib().Bits(), pict.GetDib().Bits());
    EXPECT_EQ(loaded->GetPictureKind(), 1);

    // After the class record (6 + 5 bytes) and the base fields (34): u32
    // header length, the header.
    const std::size_t lenAt = 6 + 5 + 34;
    std::uint32_t len;
    std::memcpy(&len, first.data() + lenAt, 4);
    EXPECT_EQ(len, 40u);
    auto reject = [&](std::vector<std::uint8_t> bytes) {
        CArchive in(bytes.data(), bytes.size(), doc.Classes(), &doc);
        EXPECT_THROW(delete in.ReadObject(), CArchiveException);
    };
    // A header length beyond the data, a zero width, missing bits.
    auto huge = first;
    const std::uint32_t big = 0x7FFFFFFF;
    std::memcpy(huge.data() + lenAt, &big, 4);
    reject(huge);
    auto zero = first;
    std::memset(zero.data() + lenAt + 4 + 4, 0, 4);
    reject(zero);
    reject(std::vector<std::uint8_t>(first.begin(), first.end() - 1));
}

TEST_F(PictureTest, MetafilesRoundTripAndPlayInTheirRectangle) {
    std::unique_ptr<CMetaObj> meta(PictureFromEmf(CircleEmf().data(), CircleEmf().size()));
    ASSERT_NE(meta, nullptr);
    meta->m_pDocument = &doc;
    // Placed over the header's bounds (the circle's pixels, inclusive).
    EXPECT_EQ(meta->GetPixelBounds(), (PixelRect{9, 9, 60, 60}));
    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CMetaObj> loaded(RoundTrip(*meta, &first, &second));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(loaded->Bytes(), meta->Bytes());
    EXPECT_EQ(loaded->GetPictureKind(), 2);

    RecordingCanvas dc;
    loaded->Draw(dc);
    const auto ellipses = dc.Of(RecordingCanvas::Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    const PixelRect box = loaded->GetPixelBounds();
    EXPECT_GE(ellipses[0].points[0].x, box.left);
    EXPECT_LE(ellipses[0].points[1].x, box.right);

    // A metafile whose signature is wrong does not load.
    auto bad = first;
    const std::size_t sigAt = 6 + 8 + 34 + 4 + 40;
    bad[sigAt] ^= 1;
    CArchive in(bad.data(), bad.size(), doc.Classes(), &doc);
    EXPECT_THROW(delete in.ReadObject(), CArchiveException);
}

TEST_F(PictureTest, PlacedAtTheOriginAndSizedBackWithCtrl) {
    // 50 pixels per unit: 770 × 1100 pixels span 15.4 × 22 units.
    CPict pict(Solid(770, 1100, 0xFFFFFFFF));
    EXPECT_DOUBLE_EQ(pict.m_leftTop.x, 0);
    EXPECT_DOUBLE_EQ(pict.m_leftTop.y, 0);
    EXPECT_NEAR(pict.m_rightBottom.x, 15.4, 1e-9);
    EXPECT_NEAR(pict.m_rightBottom.y, -22.0, 1e-9);

    const PixelRect box = pict.GetPixelBounds();
    EXPECT_EQ(pict.HitTest(PixelToWorld({box.right - 2, box.bottom - 2})), 1);
    EXPECT_EQ(pict.HitTest(PixelToWorld({box.left + 2, box.top + 2})), 0);
    EXPECT_EQ(pict.HitTest(PixelToWorld({box.left - 2, box.top})), -1);
    int edge = 0;
    EXPECT_EQ(pict.DistanceTo({1, -1}, edge), 1e10);

    pict.MoveHandle(1, {13, -20});
    EXPECT_DOUBLE_EQ(pict.m_rightBottom.x, 13);
    pict.Offset({3.01, 0});
    host.keysDown.insert(kKeyControl);
    pict.MoveHandle(1, {5, -5});
    EXPECT_EQ(pict.GetPixelBounds().Width(), 770);
    EXPECT_EQ(pict.GetPixelBounds().Height(), 1100);

    // Ctrl on a metafile restores the bounds' (right - left, bottom - top).
    const auto emf = CircleEmf();
    std::unique_ptr<CMetaObj> meta(PictureFromEmf(emf.data(), emf.size()));
    meta->MoveHandle(1, {5, -5});
    EXPECT_EQ(meta->GetPixelBounds().Width(), 51);
}

TEST_F(PictureTest, DataLinesAndTheirEdits) {
    CPict pict(Solid(4, 2, 0xFF000000));
    DataLines lines;
    ASSERT_EQ(pict.ListData(lines), 8);
    EXPECT_EQ(lines[1],
              "Size in bytes :  " + std::to_string(pict.GetDib().Bits().size() + sizeof(CPict)));
    EXPECT_EQ(lines[2], "Initial-horizontal-pixels :  4");
    EXPECT_EQ(lines[3], "Initial-vertical-pixels :  2");
    EXPECT_EQ(lines[4], "Upper-left.x =  0.000000");
    // Right edge: accepted while 0.3 wide, refused closer.
    pict.SetDataValue(6, 1.0, 0);
    EXPECT_DOUBLE_EQ(pict.m_rightBottom.x, 1.0);
    pict.SetDataValue(6, 0.2, 0);
    EXPECT_DOUBLE_EQ(pict.m_rightBottom.x, 1.0);
    pict.SetDataValue(4, 0.8, 0);
    EXPECT_DOUBLE_EQ(pict.m_leftTop.x, 0.0);

    const auto emf = CircleEmf();
    std::unique_ptr<CMetaObj> meta(PictureFromEmf(emf.data(), emf.size()));
    DataLines m;
    meta->ListData(m);
    ASSERT_EQ(m.size(), 7u + 14u);
    EXPECT_EQ(m[1], "Metafile-bytes :  " + std::to_string(emf.size()));
    EXPECT_EQ(m[7], "iType :  1");
    EXPECT_EQ(m[15], "rclFrame.right :  2730");
    EXPECT_EQ(m[18], "szlDevice :  1080");
    EXPECT_EQ(m[17], "szlDevice :  1920");
    EXPECT_EQ(m[20], "szlMillimeters :  286");
    const double top = meta->m_leftTop.y;
    meta->SetDataValue(4, top + 1, 0);
    EXPECT_DOUBLE_EQ(meta->m_leftTop.y, top + 1);
}

TEST_F(PictureTest, DrawsStretchedAndMarksLikeABox) {
    CPict pict(Solid(2, 2, 0xFF00FF00));
    RecordingCanvas dc;
    pict.Draw(dc);
    ASSERT_EQ(dc.Of(RecordingCanvas::Op::Dib).size(), 1u);
    EXPECT_EQ(dc.records[0].text, "2x2");
    pict.m_rightBottom = {1, -1};
    dc.Clear();
    pict.DrawMarks(dc);
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::Polygon)[0].raster, RasterMode::NotXor);
    EXPECT_EQ(dc.Of(RecordingCanvas::Op::InvertRect).size(), 1u);
    std::unique_ptr<CMyObj> copy(pict.Clone());
    EXPECT_EQ(static_cast<CPict*>(copy.get())->GetDib().Bits(), pict.GetDib().Bits());
}

TEST_F(PictureTest, PasteTakesClipboardFormsAndBeepsAtJunk) {
    const Dib dib = Solid(3, 3, 0xFFFF0000);
    const auto packed = dib.ToPacked();
    CMyObj* a = PastePicture(state, PictureData::PackedDib, packed.data(), packed.size());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(Last(), a);
    EXPECT_EQ(a->GetPictureKind(), 1);
    const auto file = WriteBmpFile(dib);
    EXPECT_NE(PastePicture(state, PictureData::BmpFile, file.data(), file.size()), nullptr);
    const auto emf = CircleEmf();
    EXPECT_NE(PastePicture(state, PictureData::Emf, emf.data(), emf.size()), nullptr);
    EXPECT_EQ(Figures(), 3u);
    EXPECT_EQ(host.beeps, 0);
    const std::uint8_t junk[] = {1, 2, 3};
    EXPECT_EQ(PastePicture(state, PictureData::Emf, junk, 3), nullptr);
    EXPECT_EQ(PastePicture(state, PictureData::PackedDib, file.data(), file.size()), nullptr);
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(Figures(), 3u);
}

}  // namespace
}  // namespace gyr::testing

#include "figures/pict_obj.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "math/sheet_mapping.h"
#include "port/emf_player.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_SERIAL(CDib, CObject)
GYR_IMPLEMENT_CLASS(CPict, CMyObj)
GYR_IMPLEMENT_CLASS(CMetaObj, CMyObj)

namespace {

std::string Line(const char* label, char sep, const std::string& value) {
    return std::string(label) + ' ' + sep + "  " + value;
}

std::string Address(const void* p) {
    return std::to_string(std::uintptr_t(reinterpret_cast<std::uintptr_t>(p)));
}

// The world point that maps to exactly the pixel q: the plain inverse can
// land a rounding step short, and truncation then loses a whole pixel.
CWorldPoint WorldAtPixel(PixelPoint q) {
    CWorldPoint w = PixelToWorld(q);
    for (int i = 0; i < 64; ++i) {
        const PixelPoint p = WorldToPixel(w);
        if (p == q) break;
        if (p.x < q.x) w.x = std::nextafter(w.x, HUGE_VAL);
        if (p.x > q.x) w.x = std::nextafter(w.x, -HUGE_VAL);
        if (p.y < q.y) w.y = std::nextafter(w.y, -HUGE_VAL);
        if (p.y > q.y) w.y = std::nextafter(w.y, HUGE_VAL);
    }
    return w;
}

// The rectangle back at w × h pixels from its top-left corner.
PixelRect RestoreSize(CMyObj& obj, int w, int h) {
    const PixelRect before = obj.GetPixelBounds();
    const PixelPoint lt = WorldToPixel(obj.m_leftTop);
    obj.m_rightBottom = WorldAtPixel(Shifted(lt, w, h));
    return before.United(obj.GetPixelBounds());
}

PixelRect MoveBoxHandle(CMyObj& obj, int k, const CWorldPoint& p, int w, int h) {
    if (IsKeyHeld(kKeyControl)) return RestoreSize(obj, w, h);
    return obj.CMyObj::MoveHandle(k, p);
}

// Pixel rectangle to world corners at the current mapping.
void PlaceAt(CMyObj& obj, const PixelRect& r) {
    obj.m_leftTop = WorldAtPixel({r.left, r.top});
    obj.m_rightBottom = WorldAtPixel({r.right, r.bottom});
}

}  // namespace

// ---------------------------------------------------------------- CDib

void CDib::ExchangeFields(CFieldExchange& fx) {
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> bits;
    if (!fx.IsLoading()) {
        header = m_dib.Header();
        bits = m_dib.Bits();
    }
    fx.SizedBlob("dibHeader", header);
    std::size_t size = bits.size();
    if (fx.IsLoading()) {
        // The bits' count follows from a header that must be one we draw.
        if (header.size() < kDibHeaderSize) fx.Fail("dibHeader", "not a bitmap header");
        const DibInfo info = ReadDibInfo(header.data());
        if (!IsValidDibInfo(info) ||
            header.size() != kDibHeaderSize + std::uint64_t(DibColorCount(info)) * 4)
            fx.Fail("dibHeader", "not a bitmap header");
        size = std::size_t(DibImageSize(info));
    }
    fx.Blob("dibBits", bits, size);
    if (fx.IsLoading()) m_dib = Dib(std::move(header), std::move(bits));
}

// ---------------------------------------------------------------- CPict

CPict::CPict(Dib dib) : m_dib(std::move(dib)) {
    const PixelPoint o = WorldToPixel({0, 0});
    m_leftTop = {0, 0};
    m_rightBottom = WorldAtPixel(Shifted(o, GetDib().Width(), GetDib().Height()));
}

void CPict::Draw(Canvas& dc) const {
    const PixelRect r = GetPixelBounds().Normalized();
    if (r.IsEmpty() || GetDib().IsEmpty()) return;
    dc.DrawDib(r, GetDib());
}

void CPict::DrawMarks(Canvas& dc) const {
    DrawBoxMarks(dc, GetPixelBounds().Normalized());
}

int CPict::HitTest(const CWorldPoint& p) const {
    return BoxHitTest(*this, p);
}

double CPict::DistanceTo(const CWorldPoint&, int&) const {
    return 1e10;
}

PixelRect CPict::MoveHandle(int k, const CWorldPoint& p) {
    return MoveBoxHandle(*this, k, p, GetDib().Width(), GetDib().Height());
}

int CPict::ListData(DataLines& lines) const {
    const std::size_t bytes = GetDib().Bits().size() + sizeof(CPict);
    lines.push_back(Line("Address", ':', Address(this)));
    lines.push_back(Line("Size in bytes", ':', std::to_string(bytes)));
    lines.push_back(Line("Initial-horizontal-pixels", ':', std::to_string(GetDib().Width())));
    lines.push_back(Line("Initial-vertical-pixels", ':', std::to_string(GetDib().Height())));
    ListBoxCorners(*this, lines);
    return int(lines.size());
}

CMyObj* CPict::SetDataValue(int index, double value, int) {
    SetBoxCorner(*this, index - 4, value);
    return this;
}

void CPict::ExchangeFields(CFieldExchange& fx) {
    ExchangeBaseFields(fx);
    m_dib.ExchangeFields(fx);
}

// ---------------------------------------------------------------- CMetaObj

CMetaObj::CMetaObj(std::vector<std::uint8_t> emf, const PixelRect& r) : m_emf(std::move(emf)) {
    ReadEmfHeader(m_emf.data(), m_emf.size(), m_header);
    PlaceAt(*this, r.Normalized());
}

void CMetaObj::Draw(Canvas& dc) const {
    PixelRect r = GetPixelBounds().Normalized();
    r.right -= 1;
    r.bottom -= 1;
    if (r.IsEmpty() || m_emf.empty()) return;
    PlayEmf(m_emf.data(), m_emf.size(), dc, r);
}

void CMetaObj::DrawMarks(Canvas& dc) const {
    DrawBoxMarks(dc, GetPixelBounds().Normalized());
}

int CMetaObj::HitTest(const CWorldPoint& p) const {
    return BoxHitTest(*this, p);
}

double CMetaObj::DistanceTo(const CWorldPoint&, int&) const {
    return 1e10;
}

PixelRect CMetaObj::MoveHandle(int k, const CWorldPoint& p) {
    const long long w = (long long)m_header.bounds[2] - m_header.bounds[0];
    const long long h = (long long)m_header.bounds[3] - m_header.bounds[1];
    return MoveBoxHandle(*this, k, p, int(std::clamp(w, 1LL, 1LL << 20)),
                         int(std::clamp(h, 1LL, 1LL << 20)));
}

int CMetaObj::ListData(DataLines& lines) const {
    const EmfHeader& h = m_header;
    lines.push_back(Line("Address", ':', Address(this)));
    lines.push_back(Line("Metafile-bytes", ':', std::to_string(m_emf.size())));
    lines.push_back(Line("Total-size", ':', std::to_string(m_emf.size() + sizeof(CMetaObj))));
    ListBoxCorners(*this, lines);
    auto add = [&](const char* label, long long v) {
        lines.push_back(Line(label, ':', std::to_string(v)));
    };
    add("iType", h.iType);
    add("nSize", h.nSize);
    add("rclBounds.left", h.bounds[0]);
    add("rclBounds.top", h.bounds[1]);
    add("rclBounds.right", h.bounds[2]);
    add("rclBounds.bottom", h.bounds[3]);
    add("rclFrame.left", h.frame[0]);
    add("rclFrame.top", h.frame[1]);
    add("rclFrame.right", h.frame[2]);
    add("rclFrame.bottom", h.frame[3]);
    add("szlDevice", h.deviceCx);
    add("szlDevice", h.deviceCy);
    add("szlMillimeters", h.millimetersCx);
    add("szlMillimeters", h.millimetersCy);
    return int(lines.size());
}

CMyObj* CMetaObj::SetDataValue(int index, double value, int) {
    SetBoxCorner(*this, index - 3, value);
    return this;
}

void CMetaObj::ExchangeFields(CFieldExchange& fx) {
    ExchangeBaseFields(fx);
    fx.SizedBlob("metafile", m_emf);
    if (fx.IsLoading() && !ReadEmfHeader(m_emf.data(), m_emf.size(), m_header))
        fx.Fail("metafile", "not an enhanced metafile");
}

// ---------------------------------------------------------------- making pictures

CPict* PictureFromBmp(const std::uint8_t* data, std::size_t size) {
    Dib dib;
    if (!ReadBmpFile(data, size, dib)) return nullptr;
    return new CPict(std::move(dib));
}

CPict* PictureFromPackedDib(const std::uint8_t* data, std::size_t size) {
    Dib dib;
    if (!ReadPackedDib(data, size, dib)) return nullptr;
    return new CPict(std::move(dib));
}

CMetaObj* PictureFromEmf(const std::uint8_t* data, std::size_t size) {
    EmfHeader h;
    if (!ReadEmfHeader(data, size, h)) return nullptr;
    // The rectangle is the recorded bounds; an empty one still gets a pixel.
    const PixelRect r{h.bounds[0], h.bounds[1], std::max(h.bounds[2], h.bounds[0] + 1),
                      std::max(h.bounds[3], h.bounds[1] + 1)};
    return new CMetaObj(std::vector<std::uint8_t>(data, data + h.nBytes), r);
}

CMyObj* PastePicture(CGestureState& state, PictureData kind, const std::uint8_t* data,
                     std::size_t size) {
    CGyrDoc* doc = state.Document();
    CMyObj* obj = nullptr;
    if (doc) {
        switch (kind) {
            case PictureData::PackedDib:
                obj = PictureFromPackedDib(data, size);
                break;
            case PictureData::BmpFile:
                obj = PictureFromBmp(data, size);
                break;
            case PictureData::Emf:
                obj = PictureFromEmf(data, size);
                break;
        }
    }
    if (!obj) {
        state.Beep();
        return nullptr;
    }
    obj->SetDocument(doc);
    obj->AddToDocument();
    state.Repaint(obj->GetInvalidRect());
    return obj;
}

}  // namespace gyr

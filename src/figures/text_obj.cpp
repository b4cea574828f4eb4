#include "figures/text_obj.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "math/kernel.h"
#include "math/sheet_mapping.h"
#include "math/text_codec.h"
#include "model/obj_list.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CTextObj, CMyObj)

const char* const kEnterTextHere = "<Enter text here.>";

namespace {

// Smaller boxes are dropped at the end of the drawing gesture.
constexpr double kMinBoxExtent = 0.2;

std::string Line(const char* label, char sep, const std::string& value) {
    return std::string(label) + ' ' + sep + "  " + value;
}

// The prefix of the text that can show in a box of w × h pixels with lines
// lineHeight high: no wrapped line holds more characters than the width
// gives at the narrowest advance, so nothing past the last line that fits is
// looked at. This keeps the work of drawing with the box, not the text.
std::string_view VisiblePart(std::string_view text, int w, int h, int lineHeight) {
    const std::size_t maxLines = std::size_t(std::max(1, h / std::max(1, lineHeight) + 1));
    const std::size_t perLine = std::size_t(std::max(1, w / std::max(1, lineHeight / 5) + 1));
    std::size_t lines = 0;
    std::size_t inLine = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = text[i];
        if (c == '\n' && i > 0 && text[i - 1] == '\r') continue;  // CR LF is one break
        if (c == '\n' || c == '\r') {
            inLine = 0;
            if (++lines >= maxLines) return text.substr(0, i);
        } else if ((c & 0xC0) != 0x80 && ++inLine > perLine) {
            inLine = 1;
            if (++lines >= maxLines) return text.substr(0, i);
        }
    }
    return text;
}

}  // namespace

int& TextResolution() {
    static int dpi = 96;
    return dpi;
}

std::string NormalizeLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string LineBreaksToLf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

CTextObj::CTextObj(const std::string& text, const CWorldPoint& leftTop,
                   const CWorldPoint& rightBottom, const CTextAttr& attr)
    : m_strText(text) {
    m_leftTop = leftTop;
    m_rightBottom = rightBottom;
    ApplyTextAttributes(8, attr);
}

CTextObj::CTextObj(const CTextObj& other) : CMyObj(other) {
    m_strText = other.m_strText;
    m_nSize = other.m_nSize;
    m_nJustify = other.m_nJustify;
    m_bBold = other.m_bBold;
    m_bItalic = other.m_bItalic;
    m_bUnderline = other.m_bUnderline;
    m_bStrikeOut = other.m_bStrikeOut;
    m_color = other.m_color;
    m_strFontName = other.m_strFontName;
    m_ptStart = other.m_ptStart;
}

bool CTextObj::IsDegenerate() const {
    return Distance(m_leftTop, m_rightBottom) < kMinBoxExtent;
}

int CTextObj::DrawnSize() const {
    return std::clamp<int>(m_nSize, kMinTextSize, kMaxTextSize);
}

FontRecord CTextObj::Font() const {
    FontRecord f;
    f.pointSize = DrawnSize();
    f.heightPixels = -(DrawnSize() * TextResolution() / 72);
    f.bold = m_bBold != 0;
    f.italic = m_bItalic != 0;
    f.underline = m_bUnderline != 0;
    f.strikeOut = m_bStrikeOut != 0;
    f.faceName = m_strFontName;
    return f;
}

void CTextObj::Draw(Canvas& dc) const {
    const PixelRect box = GetPixelBounds().Normalized();
    if (box.IsEmpty()) return;
    const FontRecord font = Font();
    const ColorRef oldColor = dc.GetTextColor();
    dc.SetBkTransparent(true);
    dc.SetTextColor(m_color);
    dc.SetFont(font);
    dc.SetClipRect(box);
    // Only what can show is looked at again.
    const std::string text = LineBreaksToLf(
        std::string(VisiblePart(m_strText, box.Width(), box.Height(), -font.heightPixels)));
    const Justify j = m_nJustify == 1   ? Justify::Center
                      : m_nJustify == 2 ? Justify::Right
                                        : Justify::Left;
    dc.DrawTextInRect(box, text, j);
    dc.SetClipRect({});
    dc.SetTextColor(oldColor);
}

void CTextObj::DrawMarks(Canvas& dc) const {
    DrawBoxMarks(dc, GetPixelBounds().Normalized());
}

int CTextObj::HitTest(const CWorldPoint& p) const {
    return BoxHitTest(*this, p);
}

double CTextObj::DistanceTo(const CWorldPoint&, int&) const {
    return 1e10;
}

void CTextObj::TrackLastVertex(CGestureState&, const CWorldPoint& p, unsigned, int) {
    const PixelPoint q = WorldToPixel(p);
    const PixelRect r = PixelRect{m_ptStart.x, m_ptStart.y, q.x, q.y}.Normalized();
    PixelRectToWorld(r, m_leftTop, m_rightBottom);
}

PixelRect CTextObj::MoveHandle(int k, const CWorldPoint& p) {
    if (k != 1) return CMyObj::MoveHandle(k, p);
    const PixelRect before = GetPixelBounds();
    // The corner stays right of and below the opposite one.
    m_rightBottom.x = std::max(p.x, m_leftTop.x + kMinBoxDataExtent);
    m_rightBottom.y = std::min(p.y, m_leftTop.y - kMinBoxDataExtent);
    return before.United(GetPixelBounds());
}

int CTextObj::ListData(DataLines& lines) const {
    const std::size_t chars = Utf8Length(m_strText);
    const std::size_t total = chars + Utf8Length(m_strFontName) + 116;
    lines.push_back(Line("Address", ':',
                         std::to_string(std::uintptr_t(reinterpret_cast<std::uintptr_t>(this)))));
    lines.push_back(Line("Text-size", ':', std::to_string(chars)));
    lines.push_back(Line("Total-size", ':', std::to_string(total)));
    ListBoxCorners(*this, lines);
    lines.push_back("Font : " + m_strFontName);
    lines.push_back(Line("Size", '=', std::to_string(m_nSize)));
    return int(lines.size());
}

CMyObj* CTextObj::SetDataValue(int index, double value, int step) {
    if (index >= 3 && index <= 6) {
        SetBoxCorner(*this, index - 3, value);
        return this;
    }
    // A size step that would leave 1..999 is ignored.
    const long long next = (long long)m_nSize + step;
    if (index == 8 && next >= kMinTextSize && next <= kMaxTextSize) {
        const PixelRect before = GetPixelBounds();
        m_nSize = std::int32_t(next);
        if (Host* host = FindHost()) host->Invalidate(before.United(GetPixelBounds()));
    }
    return this;
}

void CTextObj::ApplyTextAttributes(int kind, const CTextAttr& a) {
    const bool all = kind == 8;
    if (all || kind == 0) m_nSize = a.pointSize;
    if (all || kind == 1) m_nJustify = std::uint32_t(a.justify);
    if (all || kind == 2) m_bBold = a.bold;
    if (all || kind == 3) m_bItalic = a.italic;
    if (all || kind == 4) m_bUnderline = a.underline;
    if (all || kind == 5) m_bStrikeOut = a.strikeOut;
    if (all || kind == 6) m_color = a.color;
    if (all || kind == 7) m_strFontName = a.faceName;
}

void CTextObj::ExchangeFields(CFieldExchange& fx) {
    ExchangeBaseFields(fx);
    fx.U16("editing", m_bEditing);
    // A box saved while it was edited is idle when read.
    if (fx.IsLoading()) m_bEditing = 0;
    fx.I32("size", m_nSize);
    fx.U32("justification", m_nJustify);
    fx.U8("bold", m_bBold);
    fx.U8("italic", m_bItalic);
    fx.U8("underline", m_bUnderline);
    fx.U8("strikeOut", m_bStrikeOut);
    fx.U32("color", m_color);
    fx.String("fontName", m_strFontName);
    fx.String("text", m_strText);
}

CTextObj* CreateTextBox(CGestureState& state, const std::string& text, int size,
                        const PixelRect& r) {
    CGyrDoc* doc = state.Document();
    if (!doc) return nullptr;
    CWorldPoint lt, rb;
    PixelRectToWorld(r.Normalized(), lt, rb);
    auto* box = new CTextObj(NormalizeLineBreaks(text), lt, rb, doc->m_textAttr);
    if (size != 0) box->m_nSize = size;
    box->m_pDocument = doc;
    state.Select(box);
    doc->AddObject(box);
    state.Repaint(box->GetInvalidRect());
    return box;
}

CTextObj* PasteTextBox(CGestureState& state, const std::string& text) {
    std::string kept = SanitizeUtf8(text);
    std::size_t chars = 0, i = 0;
    for (; i < kept.size(); ++i)
        if ((static_cast<unsigned char>(kept[i]) & 0xC0) != 0x80 && ++chars > kMaxPastedChars)
            break;
    if (i < kept.size()) {
        kept.resize(i);
        state.Beep();
    }
    const PixelPoint o = WorldToPixel({0, 0});
    return CreateTextBox(state, kept, 0, {o.x, o.y, o.x + 150, o.y + 150});
}

CMyObj* DrawTextTool(CGestureState& state, unsigned, const CWorldPoint& p) {
    CGyrDoc* doc = state.Document();
    if (!doc) return nullptr;
    auto* box = new CTextObj(kEnterTextHere, p, p, doc->m_textAttr);
    box->m_pDocument = doc;
    box->m_ptStart = WorldToPixel(p);
    state.Select(box);
    return box;
}

CTextObj* TextBoxAt(const CObList& list, const CWorldPoint& p) {
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if ((*it)->IsText() && (*it)->HitTest(p) >= 0) return static_cast<CTextObj*>(*it);
    return nullptr;
}

}  // namespace gyr

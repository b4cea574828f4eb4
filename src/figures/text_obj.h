#pragma once
// A text box: a rectangle of the sheet holding multi-line text drawn with its
// own font, size, styles, colour and justification. The box is the two
// corners of the base class; the text is UTF-8 with CR LF line breaks.

#include <string>

#include "model/document.h"
#include "model/gesture_state.h"
#include "model/my_obj.h"

namespace gyr {

// STRING 11: what a box drawn with the text tool holds.
extern const char* const kEnterTextHere;

// Sizes the spins and the font bar may set.
constexpr int kMinTextSize = 1;
constexpr int kMaxTextSize = 999;

// Pixels per inch that font sizes are turned into pixels with: the screen's,
// or the printer's while printing. 96 until the desktop sets it.
int& TextResolution();

// Every line break (CR LF, a lone CR, a lone LF) as CR LF.
std::string NormalizeLineBreaks(const std::string& text);
// Every line break as LF, the form drawing surfaces and editors take.
std::string LineBreaksToLf(const std::string& text);

class CTextObj : public CMyObj {
    GYR_DECLARE_CLASS(CTextObj)
public:
    CTextObj() = default;
    // A box with the text and the document's attributes (all of them).
    CTextObj(const std::string& text, const CWorldPoint& leftTop, const CWorldPoint& rightBottom,
             const CTextAttr& attr);
    // A copy is never being edited.
    CTextObj(const CTextObj& other);
    CTextObj& operator=(const CTextObj&) = delete;

    bool IsText() const override { return true; }
    bool IsDegenerate() const override;
    void Draw(Canvas& dc) const override;
    void DrawMarks(Canvas& dc) const override;
    // 1 on the resize square at the bottom-right, 0 inside, -1 outside.
    int HitTest(const CWorldPoint& p) const override;
    // Boxes are found by HitTest only.
    double DistanceTo(const CWorldPoint& p, int& edge) const override;
    // The box between the gesture's start pixel and the pointer.
    void TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                         int code) override;
    // Handle 1 (the resize square): the bottom-right corner follows.
    PixelRect MoveHandle(int k, const CWorldPoint& p) override;
    int ListData(DataLines& lines) const override;
    CMyObj* SetDataValue(int index, double value, int step) override;
    void ApplyTextAttributes(int kind, const CTextAttr& attr) override;
    void ExchangeFields(CFieldExchange& fx) override;

    // The font the box draws with at the current text resolution.
    FontRecord Font() const;
    // The size the font is made with: a stored size outside 1..999 is kept
    // but drawn clamped.
    int DrawnSize() const;

    std::string m_strText;
    std::int32_t m_bEditing = 0;
    std::int32_t m_nSize = 12;
    std::uint32_t m_nJustify = 0;
    std::uint8_t m_bBold = 0, m_bItalic = 0, m_bUnderline = 0, m_bStrikeOut = 0;
    ColorRef m_color = 0;
    std::string m_strFontName = "Courier New";
    // Where the drawing gesture started (not stored).
    PixelPoint m_ptStart;
};

// A box with the document's attributes over the pixel rectangle, the size
// replaced when non-zero; selected, appended and painted. Null without a
// document.
CTextObj* CreateTextBox(CGestureState& state, const std::string& text, int size,
                        const PixelRect& r);
// Pasted text becomes a box of 150 x 150 pixels at the world origin; text
// beyond kMaxPastedChars characters is cut, with a beep.
constexpr std::size_t kMaxPastedChars = 1000000;
CTextObj* PasteTextBox(CGestureState& state, const std::string& text);
// The text tool's new box: kEnterTextHere with both corners at p. (A press
// inside an existing box opens its editor instead; the view sees to that.)
CMyObj* DrawTextTool(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The text box of the list under p (topmost), or null.
CTextObj* TextBoxAt(const CObList& list, const CWorldPoint& p);

}  // namespace gyr

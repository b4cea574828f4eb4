#include "control/sheet_decor.h"

#include "figures/point_obj.h"
#include "figures/rect_obj.h"
#include "figures/segment_obj.h"
#include "figures/text_obj.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/gesture_state.h"

namespace gyr {

const char* const kLogoText = "Drawn with Gyrovant";

namespace {

constexpr int kFrameLeftTopInset = 45;
constexpr int kFrameRightBottomInset = 30;
constexpr int kLogoWidth = 150;
constexpr int kBoxGap = 2;  // below the frame
constexpr int kBoxHeight = 20;
constexpr int kTitleGap = 10;  // before the logo box
constexpr int kBoxTextSize = 10;

void AddTextBox(CGestureState& state, const std::string& text, const PixelRect& r) {
    CWorldPoint lt, rb;
    PixelRectToWorld(r.Normalized(), lt, rb);
    auto* box = new CTextObj(NormalizeLineBreaks(text), lt, rb, state.Document()->m_textAttr);
    box->m_nSize = kBoxTextSize;
    box->Finish(state, CFinish{});
}

}  // namespace

bool AddLogoAndFrame(CGestureState& state) {
    CGyrDoc* doc = state.Document();
    if (!doc) return false;
    const CSheetMapping& m = Mapping();
    const int right = m.sheetWidth - kFrameRightBottomInset;
    const int bottom = m.sheetHeight - kFrameRightBottomInset;

    // Built as the screen-rectangle tool builds it: P0 at the press, the
    // drag to P2 places P1 and P3.
    auto* frame = new CRectObj(kRectScreen, PixelToWorld({kFrameLeftTopInset, kFrameLeftTopInset}));
    frame->SetDocument(doc);
    frame->TrackLastVertex(state, PixelToWorld({right, bottom}), 0, kCodeParallel);
    frame->Finish(state, CFinish{});
    const CWorldPoint p2 = frame->m_points[2], p3 = frame->m_points[3];

    const int top = bottom + kBoxGap;
    const PixelRect logo{right - kLogoWidth, top, right, top + kBoxHeight};
    AddTextBox(state, kLogoText, logo);
    AddTextBox(state, doc->GetTitle(),
               {kFrameLeftTopInset, top, logo.left - kTitleGap, top + kBoxHeight});

    MakeSegment(state, p2, p3, CFinish{});
    return true;
}

int DeleteAllPointMarksCommand(CGestureState& state) {
    CGyrDoc* doc = state.Document();
    const int removed = doc ? DeleteAllPointMarks(*doc) : 0;
    // As every command without what it needs: a beep, nothing else.
    if (removed == 0) state.Beep();
    return removed;
}

}  // namespace gyr

#pragma once
// The view controller: it owns the gesture state (tool, picks, selection,
// gesture list) and runs the mouse and keyboard state machine of the one
// scrolling view of the document. It is toolkit-free: the desktop turns its
// events into the On... calls below (in logical sheet pixels) and implements
// CViewWindow for what only a window can do (status panes, scrolling, mouse
// capture).

#include <array>
#include <string>

#include "model/gesture_state.h"
#include "model/ids.h"
#include "model/spatial_index.h"

namespace gyr {

class CGyrDoc;
class CTextObj;

// Drag states of a left-button gesture.
enum DragState : int {
    kDragNone = 0,
    kDragDrawing = 1,
    kDragSelecting = 2,  // while the select-mode button-down runs
    kDragHandle = 3,
    kDragMove = 4,
    kDragRubberBand = 5,
};

// Cursor resource ids; 0 is the standard arrow.
enum CursorIdValue : int {
    kCursorArrow = 0,
    kCursorStraight = 134,
    kCursorParallelogram = 135,
    kCursorCircle = 136,
    kCursorPick = 146,
    kCursorText = 147,
    kCursorAngle = 148,
    kCursorTriangle = 149,
    kCursorPolygon = 150,
    kCursorInvert = 156,
    kCursorInvertNext = 157,
    kCursorReflect = 158,
    kCursorReflectNext = 159,
    kCursorPointMark = 170,
    kCursorIsoptic = 171,
    kCursorArc = 174,
    kCursorPicture = 181,
    kCursorPickPressed = 228,
};

// Menu groups whose last chosen command is shown checked.
enum MenuGroup : int {
    kGroupNone = -1,
    kGroupDrawing = 0,
    kGroupSegments,
    kGroupLines,
    kGroupCircles,
    kGroupTriangles,
    kGroupParallelograms,
    kGroupAngles,
    kGroupArcs,
    kGroupIsoptics,
    kGroupTangentsBisectors,
    kGroupThreeButtonBar,
    kGroupCount,
};

// What the controller needs from the window showing it. Every member has a
// harmless default, so a view without a window (tests, command line) works.
class CViewWindow {
public:
    virtual ~CViewWindow() = default;
    // The two status panes (ID_INDICATOR_X and ID_INDICATOR_Y).
    virtual void SetStatusCoords(const std::string& x, const std::string& y) {}
    // The visible part of the sheet in logical pixels; empty: no auto-scroll.
    virtual PixelRect ClientRect() const { return {}; }
    // Scrolls by whole lines (20 pixels); each of dx, dy is -1, 0 or 1.
    virtual void ScrollLines(int dx, int dy) {}
    virtual void SetMouseCapture(bool on) {}
    // The in-place editor of a text box, over r (sheet pixels), with the
    // font and the text (LF line breaks), all of it selected or the caret at
    // its end. False when the window has no editor: the controller then
    // keeps the text itself and takes the typed characters.
    virtual bool OpenTextEditor(const PixelRect& r, const FontRecord& font, const std::string& text,
                                bool caretAtEnd) {
        return false;
    }
    // The editor's text; the editor is gone afterwards.
    virtual std::string CloseTextEditor() { return {}; }
    // The pixel size of one line of text in the font (by default an estimate).
    virtual PixelPoint MeasureText(const FontRecord& font, const std::string& text) const;
};

class CGyrView {
public:
    explicit CGyrView(CGyrDoc* doc = nullptr) { m_state.SetDocument(doc); }
    CGyrView(const CGyrView&) = delete;
    CGyrView& operator=(const CGyrView&) = delete;

    CGyrDoc* GetDocument() const { return m_state.Document(); }
    void SetDocument(CGyrDoc* doc) { m_state.SetDocument(doc); }
    void SetWindow(CViewWindow* window) { m_pWindow = window; }

    // The tool, picks, selection and gesture list that figures and
    // constructions work with.
    CGestureState& State() { return m_state; }
    const CGestureState& State() const { return m_state; }

    // The first update: the selection rebuilt from the objects whose flag is
    // set (list order), then the Triangles tool.
    void OnInitialUpdate();

    // Commands: true when the id was handled here or by the document.
    bool OnCommand(int id);
    // Check mark of a command id (tool bars, menu groups, match points, and
    // the document's attribute buttons).
    bool IsChecked(int id) const;

    // Mouse, in logical sheet pixels; flags are KeyFlags.
    void OnLButtonDown(unsigned flags, PixelPoint logical);
    void OnMouseMove(unsigned flags, PixelPoint logical);
    void OnLButtonUp(unsigned flags, PixelPoint logical);
    void OnLButtonDblClk(unsigned flags, PixelPoint logical);
    // Keyboard: flags carry kMkShift / kMkControl. False when the key is not
    // the view's, so that the platform's default handling may use it.
    bool OnKeyDown(int key, unsigned flags, int repeat = 1);
    // A typed character (a code point), repeated; also the characters an
    // input method commits.
    void OnChar(char32_t ch, int repeat = 1);

    // The text box whose editor is open, or null.
    CTextObj* EditedBox() const;
    // Opens the box's editor (unless it is open already); the box is
    // selected, so that the font bar restyles it.
    void StartEditing(CTextObj* box, bool caretAtEnd = false);
    // The edited box takes the editor's text and the editor closes. Every
    // command, button-down and font choice does this first.
    void EndEditing();

    // Whether a click picks existing objects instead of drawing.
    bool IsPickMode() const;
    int CursorId() const;

    // The sheet rectangle r as the screen shows it: the catalogue objects
    // meeting r in list order, the selection marks, the rubber band.
    void Paint(Canvas& dc, const PixelRect& r) const;

    // Menu and tool-bar state.
    int m_nCheckedButton = 0;
    std::array<int, kGroupCount> m_lastCommand{};

    // Gesture state.
    bool m_bMouseDown = false;
    int m_nDragState = kDragNone;
    int m_nHitKind = -1;  // -1 miss, 0 body, k >= 1 handle k
    PixelRect m_rubberBand;
    PixelPoint m_ptDown;
    PixelPoint m_ptLastDrag;
    PixelPoint m_ptMouse;  // the last pointer position seen
    // Where the drawing gesture last tracked its figures (button-down or
    // move with the button held).
    PixelPoint m_ptLastTracked;

    int m_nScreenDpi = 96;
    int m_nPageCount = 1;

    // Helpers shared by the controller's parts.
    void Repaint(const PixelRect& r) const { m_state.Repaint(r); }
    void Beep() const { m_state.Beep(); }
    // The edit commands. Undo and Redo are refused (beep, false) while the
    // mouse button is down or a script records; they first end a
    // multi-stage tool's round, so no pick names a vanished object.
    bool Undo();
    bool Redo();
    void SelectAll();
    void Copy();
    void Cut();
    void Paste();
    // The "Object data" dialog of an object of the catalogue, as one undo
    // step; beeps without one.
    void OpenObjectData(CMyObj* obj);
    // Whether a command can run now (the edit commands depend on the
    // selection, the history and the clipboard; others are always true).
    bool IsEnabled(int id) const;
    // The menu text of a command as it reads now ("&Undo Rotate"); empty
    // for the menu tree's own text.
    std::string MenuText(int id) const;
    // The name of the undo step a command makes ("Rotate", "Colour", ...).
    static std::string StepName(int id);
    bool IsRecording() const { return m_state.m_pRecorder != nullptr; }
    // The command that chose the current tool (names pick gestures' steps).
    int m_nToolCommand = 0;
    // Moves the selection by a world vector; returns the repaint area.
    PixelRect OffsetSelection(const CWorldPoint& v);
    // Moves the first selected object to the start (just after the sheet)
    // or the end of the catalogue.
    enum class ListEnd { First, Last };
    void MoveSelectedTo(ListEnd end);
    void ToggleMatchPoints() { m_state.m_bMatchPoints = !m_state.m_bMatchPoints; }

private:
    void SelectModeButtonDown(unsigned flags, PixelPoint logical);
    void DrawingModeButtonDown(unsigned flags, PixelPoint logical);
    void AutoScroll(PixelPoint logical);
    void ShowCoords(PixelPoint logical);
    void EndDrawing(unsigned flags, CWorldPoint p, PixelRect& dirty);
    void EndHandleDrag(PixelPoint logical, PixelRect& dirty);
    void EndSelectOrPick(unsigned flags, PixelPoint logical, PixelRect& dirty);
    void SelectInFrame(const PixelRect& frame, PixelRect& dirty);
    void Glue(const CWorldPoint& p, PixelRect& dirty);
    void SetRubberBand(const PixelRect& r);
    // Removes and deletes degenerate gesture objects.
    void DropDegenerate(PixelRect& dirty);
    // Every event but a drag's mouse move may change any object: the paint
    // index is taken afresh after it.
    void ForgetPaintIndex() const { m_paintIndex.Clear(); }
    // Select All, Copy, Cut and Paste; false for other ids.
    bool RunEditCommand(int id);
    // The undo step of the gesture from press to release.
    void BeginGestureStep();
    void EndGestureStep(int dragState);

    CGestureState m_state;
    CViewWindow* m_pWindow = nullptr;
    CViewWindow m_noWindow;  // measures text when there is no window
    bool m_bGestureStep = false;
    bool m_bPickGesture = false;
    // The editor's text while the window has no editor of its own.
    bool m_bEditorOpen = false;
    bool m_bOwnEditor = false;
    bool m_bEditorAllSelected = false;
    std::string m_editorText;
    // While the button is down only the gesture's and the selection's
    // objects change, so repaints go through a snapshot of where the others
    // paint: their cost follows the damaged area, not the document.
    mutable CPaintIndex m_paintIndex;
};

// The world vector of a pixel displacement, computed from the pixel
// difference itself: the difference of two converted points would lose the
// last bits and could move a figure by less than the pixel asked for.
CWorldPoint PixelDeltaToWorld(int dx, int dy);

// "x= %.3f" and "y= %.3f" of a world point.
std::string FormatCoordX(double x);
std::string FormatCoordY(double y);

}  // namespace gyr

// The edit commands through the controller: transformed copies and their
// Shift settings, Select All, Copy, Cut, Paste with the clipboard formats,
// and Undo and Redo of commands and gestures with the names they show.

#include <random>

#include "constructions/transform_copies.h"
#include "control/command_table.h"
#include "control/menu_tree.h"
#include "control/picture_commands.h"
#include "control/view_fixture.h"
#include "figures/angle_obj.h"
#include "figures/arc_obj.h"
#include "figures/circle_obj.h"
#include "figures/isoptic_obj.h"
#include "figures/line_obj.h"
#include "figures/pict_obj.h"
#include "figures/point_obj.h"
#include "figures/text_obj.h"
#include "figures/triangle_obj.h"
#include "model/clipboard_block.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

constexpr double kTol = 1e-7;

void ExpectPoint(const CWorldPoint& p, double x, double y) {
    EXPECT_NEAR(p.x, x, kTol);
    EXPECT_NEAR(p.y, y, kTol);
}

class NoRecorder : public CGestureRecorder {
public:
    void RecordPoint(const CMyObj&, PointOrigin, const CMyObj*, const CMyObj*) override {}
    void RecordSegment(const CMyObj&, int) override {}
    void RecordCircle(const CMyObj&, int) override {}
};

class EditTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        view.OnCommand(ID_SELECT_TOOL);
    }
    CCircleObj* AddCircle(CWorldPoint c, double r) { return Add(new CCircleObj(c, r)); }
    CMyObj* Last() { return doc.Objects().back(); }
    std::string UndoText() const { return view.MenuText(ID_EDIT_UNDO); }
};

TEST_F(EditTest, CopiesByTheDrawingParametersBecomeTheSelection) {
    CSegmentObj* s = AddSegment({1, 0}, {3, 0});
    state.Select(s);
    view.OnCommand(ID_DUPLICATE);
    ASSERT_EQ(doc.Objects().size(), 3u);
    ExpectPoint(Last()->GetHandle(0), 1.5, -0.3);
    ExpectPoint(Last()->GetHandle(1), 3.5, -0.3);
    EXPECT_EQ(state.m_selection, CObList{Last()});
    EXPECT_EQ(UndoText(), "&Undo Duplicate");

    state.DeselectAll();
    state.Select(s);
    view.OnCommand(ID_ROTATE);
    ExpectPoint(Last()->GetHandle(0), 0.8660254, 0.5);
    ExpectPoint(Last()->GetHandle(1), 2.5980762, 1.5);
    EXPECT_EQ(UndoText(), "&Undo Rotate");

    ProgramState().params.rotationCentre = {1, 2};
    CSegmentObj* t = AddSegment({0, 0}, {2, 0});
    state.DeselectAll();
    state.Select(t);
    view.OnCommand(ID_ROTATE);
    ExpectPoint(Last()->GetHandle(0), 1.1339746, -0.2320508);
    ExpectPoint(Last()->GetHandle(1), 2.8660254, 0.7679492);

    // Undo takes exactly the copies away again.
    const std::size_t n = doc.Objects().size();
    EXPECT_TRUE(view.Undo());
    EXPECT_EQ(doc.Objects().size(), n - 1);
    EXPECT_EQ(state.m_selection.size(), 1u);
    ExpectPoint(state.m_selection[0]->GetHandle(0), 0, 0);

    // Nothing selected, and a copy beyond the finite numbers: beeps, no copy.
    state.DeselectAll();
    host.beeps = 0;
    view.OnCommand(ID_HOMOTHETY);
    EXPECT_EQ(host.beeps, 1);
    state.Select(doc.Objects()[3]);
    ProgramState().params.translation = {1e308, 0};
    view.OnCommand(ID_DUPLICATE);
    EXPECT_EQ(host.beeps, 1);  // the first copy is finite
    const std::size_t m = doc.Objects().size();
    view.OnCommand(ID_DUPLICATE);  // the copy of the copy overflows
    EXPECT_EQ(doc.Objects().size(), m);
    EXPECT_EQ(host.beeps, 2);
}

TEST_F(EditTest, ShiftTakesTheParametersFromTheFirstSuitableSelectedFigure) {
    CSegmentObj* s = AddSegment({1, 1}, {4, 5});
    state.Select(s);
    host.keysDown = {kKeyShift};
    view.OnCommand(ID_DUPLICATE);
    ExpectPoint(ProgramState().params.translation, 3, 4);
    view.OnCommand(ID_HOMOTHETY);
    ExpectPoint(ProgramState().params.homothetyCentre, 1, 1);
    EXPECT_DOUBLE_EQ(ProgramState().params.homothetyModulus, 5);
    EXPECT_EQ(doc.Objects().size(), 2u);  // no copy
    view.OnCommand(ID_ROTATE);            // no angle selected
    EXPECT_EQ(host.beeps, 1);

    auto* angle = Add(new CAngle({1 + 1, 2}, {1, 2}, {1 + 0.5, 2 + std::sqrt(3) / 2}));
    state.Select(angle);
    view.OnCommand(ID_ROTATE);
    EXPECT_NEAR(ProgramState().params.rotationAngle, std::numbers::pi / 3, 1e-12);
    ExpectPoint(ProgramState().params.rotationCentre, 1, 2);
    EXPECT_EQ(doc.Objects().size(), 3u);
    EXPECT_FALSE(doc.History().CanUndo() && doc.History().UndoName() == "Rotate");
}

TEST_F(EditTest, ReflectAndInvertThroughTheirPicks) {
    CSegmentObj* s = AddSegment({0, 0}, {2, 1});
    CSegmentObj* mirror = AddSegment({0, 0}, {1, 1});
    state.Select(s);
    state.m_pFirstPicked = mirror;
    ASSERT_TRUE(ReflectSelection(state, 0, {}));
    ExpectPoint(Last()->GetHandle(0), 0, 0);
    ExpectPoint(Last()->GetHandle(1), 1, 2);

    CCircleObj* inversion = AddCircle({0, 0}, 2);
    CCircleObj* c = AddCircle({3, 0}, 1);
    CSegmentObj* v = AddSegment({1, -5}, {1, 5});
    auto* triangle = Add(new CTriangle({5, 5}, {6, 5}, {5, 6}));
    state.DeselectAll();
    for (CMyObj* o : std::initializer_list<CMyObj*>{triangle, c, v}) state.Select(o);
    state.m_pFirstPicked = inversion;
    const std::size_t before = doc.Objects().size();
    ASSERT_TRUE(InvertSelection(state, 0, {}));
    ASSERT_EQ(doc.Objects().size(), before + 2);  // the triangle is skipped
    auto* ci = dynamic_cast<CCircleObj*>(doc.Objects()[before]);
    auto* vi = dynamic_cast<CCircleObj*>(doc.Objects()[before + 1]);
    ASSERT_TRUE(ci && vi);
    ExpectPoint(ci->GetHandle(0), 1.5, 0);
    EXPECT_NEAR(ci->m_radius, 0.5, kTol);
    ExpectPoint(vi->GetHandle(0), 2, 0);
    EXPECT_NEAR(vi->m_radius, 2, kTol);

    state.DeselectAll();
    state.Select(c);
    ASSERT_TRUE(InvertSelection(state, kMkControl, {}));
    ExpectPoint(Last()->GetHandle(0), -1.5, 0);
}

TEST_F(EditTest, ReflexionByTheToolIsAStepNamedByItsMenu) {
    CSegmentObj* s = AddSegment({0, 0}, {2, 1});
    AddSegment({0, 3}, {1, 4});  // the mirror
    state.Select(s);
    view.OnCommand(ID_REFLECT_TOOL);
    Click(Px(0.5, 3.5), kMkShift);  // picks the mirror, s stays selected
    EXPECT_EQ(state.m_nStage, 1);
    state.Deselect(doc.Objects()[2]);
    Click(Px(6, -5), kMkShift);  // reflects s
    ASSERT_EQ(doc.Objects().size(), 4u);
    EXPECT_EQ(UndoText(), "&Undo Reflexion");
    EXPECT_TRUE(view.Undo());
    EXPECT_EQ(doc.Objects().size(), 3u);
    EXPECT_EQ(state.m_nStage, 0);  // the tool's round ended
    EXPECT_EQ(state.m_pFirstPicked, nullptr);
    (void)s;
}

TEST_F(EditTest, CutAndUndoNeverReadTheClipboardAndLeaveNothingSelected) {
    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    AddSegment({0, 1}, {1, 1});
    CSegmentObj* c = AddSegment({0, 2}, {1, 2});
    state.Select(c);
    state.Select(a);
    const auto start = doc.SaveToBytes();
    view.OnCommand(ID_EDIT_CUT);
    EXPECT_EQ(doc.Objects().size(), 2u);
    EXPECT_TRUE(state.m_selection.empty());  // (e)
    EXPECT_EQ(UndoText(), "&Undo Cut");
    ASSERT_TRUE(host.ClipboardData(kObjectsMime));
    EXPECT_FALSE(host.clipboardDrawingArea.IsEmpty());

    host.SetClipboardText("something else");  // (a) the clipboard changed since
    EXPECT_TRUE(view.Undo());
    EXPECT_EQ(doc.SaveToBytes(), start);  // back at their places, selected
    ASSERT_EQ(state.m_selection.size(), 2u);
    EXPECT_EQ(state.m_selection[0], doc.Objects()[3]);
    EXPECT_EQ(state.m_selection[1], doc.Objects()[1]);
    EXPECT_TRUE(view.Redo());
    EXPECT_EQ(doc.Objects().size(), 2u);
    EXPECT_EQ(*host.ClipboardText(), "something else");
}

TEST_F(EditTest, UndoingACreationTakesOnlyWhatItMadeEvenAfterSelectAll) {
    AddSegment({0, 0}, {1, 0});
    view.OnCommand(ID_SEGMENTS_TOOL);
    Drag(Px(0, 2), Px(2, 2));
    ASSERT_EQ(doc.Objects().size(), 3u);
    EXPECT_EQ(UndoText(), "&Undo Drawing");
    view.OnCommand(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(state.m_selection.size(), 2u);  // never the sheet
    EXPECT_FALSE(doc.Objects()[0]->m_bSelected);
    host.SetClipboardText("kept");
    EXPECT_TRUE(view.Undo());  // (b)
    ASSERT_EQ(doc.Objects().size(), 2u);
    EXPECT_EQ(*host.ClipboardText(), "kept");
}

TEST_F(EditTest, CopyPasteRoundTripAndPastesThatAddNothing) {
    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    CCircleObj* c = AddCircle({2, 2}, 1);
    state.Select(c);
    state.Select(a);
    view.OnCommand(ID_EDIT_COPY);
    ASSERT_TRUE(host.clipboardDraw);
    RecordingCanvas canvas;
    host.clipboardDraw(canvas);  // draws the copies, whatever happens later
    EXPECT_TRUE(view.IsEnabled(ID_EDIT_PASTE));
    view.OnCommand(ID_EDIT_PASTE);
    ASSERT_EQ(doc.Objects().size(), 5u);
    // Selection order; the same bytes but the selection flags.
    EXPECT_EQ(WriteObjectBlock({c, a}), WriteObjectBlock({doc.Objects()[3], doc.Objects()[4]}));
    EXPECT_EQ(state.m_selection, (CObList{doc.Objects()[3], doc.Objects()[4]}));
    EXPECT_EQ(UndoText(), "&Undo Paste");
    const std::size_t steps = doc.History().DoneCount();

    // (c) a malformed block beeps and records nothing.
    auto block = *host.ClipboardData(kObjectsMime);
    block.resize(block.size() - 3);
    host.clipboardData = {{kObjectsMime, block}};
    view.OnCommand(ID_EDIT_PASTE);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(doc.Objects().size(), 5u);
    EXPECT_EQ(doc.History().DoneCount(), steps);
    // A block of the sheet alone adds nothing either.
    CObList sheetOnly{doc.Objects()[0]};
    host.clipboardData = {{kObjectsMime, WriteObjectBlock(sheetOnly)}};
    view.OnCommand(ID_EDIT_PASTE);
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(doc.Objects().size(), 5u);
    // Plain text becomes a text box at the world origin.
    host.SetClipboardText("hello");
    view.OnCommand(ID_EDIT_PASTE);
    ASSERT_TRUE(Last()->IsText());
    EXPECT_EQ(static_cast<CTextObj*>(Last())->m_strText, "hello");
    EXPECT_EQ(Last()->GetPixelBounds().Normalized().Width(), 150);
    host.clipboard.reset();
    EXPECT_FALSE(view.IsEnabled(ID_EDIT_PASTE));
}

TEST_F(EditTest, UndoAndRedoAreRefusedWhileTheButtonIsDownOrAScriptRecords) {
    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    state.Select(a);
    view.OnKeyDown(kKeyRight, 0);
    view.OnKeyDown(kKeyRight, 0);
    EXPECT_EQ(UndoText(), "&Undo Move");
    Press(Px(5, 5));
    EXPECT_FALSE(view.Undo());
    Release(Px(5, 5));
    NoRecorder recorder;
    state.m_pRecorder = &recorder;
    EXPECT_FALSE(view.Undo());
    state.Select(a);
    view.OnKeyDown(kKeyDelete, 0);  // no cut while recording
    EXPECT_EQ(doc.Objects().size(), 2u);
    EXPECT_FALSE(view.IsEnabled(ID_EDIT_CUT));
    state.m_pRecorder = nullptr;
    EXPECT_EQ(host.beeps, 3);
    EXPECT_TRUE(view.Undo());  // both arrow moves at once; a new object
    ExpectPoint(doc.Objects()[1]->GetHandle(0), 0, 0);
    EXPECT_EQ(view.MenuText(ID_EDIT_REDO), "&Redo Move");
    EXPECT_EQ(UndoText(), "&Undo");
    EXPECT_FALSE(view.IsEnabled(ID_EDIT_UNDO));
    view.OnKeyDown(kKeyBack, 0);  // Backspace cuts
    EXPECT_EQ(doc.Objects().size(), 1u);
}

TEST_F(EditTest, AttributeSheetAndTypingStepsCarryTheirNames) {
    CSegmentObj* a = AddSegment({0, 0}, {1, 0});
    state.Select(a);
    const auto start = doc.SaveToBytes();
    view.OnCommand(ID_WIDTH_1 + 3);
    EXPECT_EQ(UndoText(), "&Undo Line thickness");
    view.OnCommand(ID_COLOR_FIRST + 5);
    EXPECT_EQ(UndoText(), "&Undo Colour");
    view.OnKeyDown(kKeyF12, 0);
    EXPECT_EQ(UndoText(), "&Undo Zoom");
    const int unit = Mapping().unitX;
    view.Undo();
    EXPECT_EQ(Mapping().unitX, 50);
    view.Redo();
    EXPECT_EQ(Mapping().unitX, unit);
    while (view.Undo()) {
    }
    EXPECT_EQ(doc.SaveToBytes(), start);

    view.OnChar('A');
    view.OnChar('b');
    view.EndEditing();
    EXPECT_EQ(UndoText(), "&Undo Typing");
    ASSERT_TRUE(Last()->IsText());
    EXPECT_EQ(static_cast<CTextObj*>(Last())->m_strText, "Ab");
    view.Undo();
    EXPECT_EQ(static_cast<CTextObj*>(Last())->m_strText, "A");
    view.Undo();
    EXPECT_EQ(doc.Objects().size(), 2u);
}

TEST_F(EditTest, DeletedPointMarksComeBackWhereTheyWere) {
    AddSegment({0, 0}, {1, 0});
    for (double x : {1.0, 2.0}) {
        CPointObj* p = NewPoint(&doc, {x, x});
        p->RecalcBounds();
        doc.AddObject(p);
    }
    AddSegment({0, 3}, {1, 3});
    const auto start = doc.SaveToBytes();
    view.OnCommand(ID_DELETE_POINT_MARKS);
    EXPECT_EQ(doc.Objects().size(), 3u);
    view.OnLButtonDblClk(0, Px(6, -5));  // nothing there
    EXPECT_EQ(host.beeps, 1);
    host.beeps = 0;
    EXPECT_EQ(UndoText(), "&Undo Delete All Point-marks");
    EXPECT_TRUE(view.Undo());
    EXPECT_EQ(doc.SaveToBytes(), start);
    EXPECT_TRUE(doc.Objects()[2]->IsPoint());
    view.OnCommand(ID_DELETE_POINT_MARKS);
    view.OnCommand(ID_DELETE_POINT_MARKS);  // none left: a beep, no step
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(doc.History().DoneCount(), 1u);
}

// Commands, keys and gestures at random: undoing every step gives the
// document's bytes back, redoing every step gives the end.
TEST_F(EditTest, ThreeHundredRandomActionsUndoAndRedoExactly) {
    std::mt19937 rng(1515);
    AddSegment({0, 0}, {2, 1});
    AddCircle({-2, 1}, 1);
    Add(new CTriangle({1, -2}, {3, -2}, {2, -1}));
    Add(new CAngle({4, 0}, {3, 0}, {4, 1}));
    const auto original = doc.SaveToBytes();
    auto at = [&] { return Px(double(int(rng() % 13) - 6) / 2, double(int(rng() % 9) - 4) / 2); };
    const int commands[] = {
        ID_DUPLICATE,  ID_ROTATE,      ID_HOMOTHETY,       ID_EDIT_CUT,        ID_EDIT_COPY,
        ID_EDIT_PASTE, ID_WIDTH_1 + 2, ID_STYLE_SOLID + 1, ID_COLOR_FIRST + 3, ID_EDIT_SELECT_ALL,
        ID_MAKE_FIRST, ID_MAKE_LAST,   ID_TEXT_BOLD};
    const int tools[] = {ID_SELECT_TOOL,    ID_SEGMENTS_TOOL, ID_CIRCLES_TOOL,
                         ID_TRIANGLES_TOOL, ID_LINE_TOOL,     ID_REFLECT_TOOL};
    for (int i = 0; i < 300; ++i) {
        switch (rng() % 6) {
            case 0:
                view.OnCommand(commands[rng() % std::size(commands)]);
                break;
            case 1:
                view.OnCommand(tools[rng() % std::size(tools)]);
                break;
            case 2:
                Click(at(), rng() % 2 ? unsigned(kMkShift) : 0u);
                break;
            case 3:
                Drag(at(), at());
                break;
            case 4:
                view.OnKeyDown(kKeyLeft + int(rng() % 4), rng() % 3 == 0 ? unsigned(kMkShift) : 0u);
                break;
            case 5:
                view.OnKeyDown(rng() % 2 ? kKeyF11 : kKeyF12, 0);
                break;
        }
        ASSERT_FALSE(doc.History().IsOpen());
    }
    state.DeselectAll();
    const auto end = doc.SaveToBytes();
    const std::size_t steps = doc.History().DoneCount();
    EXPECT_GT(steps, 50u);
    while (view.Undo()) {
    }
    state.DeselectAll();
    EXPECT_EQ(doc.SaveToBytes(), original);
    while (view.Redo()) {
    }
    state.DeselectAll();
    EXPECT_EQ(doc.SaveToBytes(), end);
    EXPECT_EQ(doc.History().DoneCount(), steps);
}

// Every command of the menus and bars, and a drag and a click with every
// tool, on a drawing of many classes, all of it selected: whatever a step
// changed, Undo gives the bytes before and Redo those after.
TEST_F(EditTest, EveryCommandAndGestureUndoesToTheBytesBeforeAndRedoesToThoseAfter) {
    AddSegment({0, 0}, {2, 1});
    Add(new CLine({-1, 2}, {1, 3}));
    AddCircle({-2, 1}, 1);
    Add(new CTriangle({1, -2}, {3, -2}, {2, -1}));
    Add(new CAngle({4, 0}, {3, 0}, {4, 1}));
    Add(new CArcObj({-3, -2}, {-2, -2}, {-3, -1}));
    CPointObj* point = NewPoint(&doc, {5, 2});
    Add(point);
    Add(new CTextObj("text", {-6, 4}, {-4, 3}, doc.m_textAttr));
    // A bitmap, a metafile and a cubic near the clicks (the isoptic
    // commands store its flexes in it).
    DibImage img;
    img.width = 3;
    img.height = 2;
    img.pixels.assign(6, 0xFF336699);
    auto* pict = new CPict(MakeDib24(img));
    pict->m_leftTop = {-6, -3};
    pict->m_rightBottom = {-5, -4};
    Add(pict);
    const std::vector<std::uint8_t> emf = CaptureMetafile(doc, {0, 0, 40, 30});
    CMyObj* meta = PictureFromEmf(emf.data(), emf.size());
    ASSERT_NE(meta, nullptr);
    meta->m_leftTop = {5, -3};
    meta->m_rightBottom = {6, -4};
    Add(meta);
    CIsopticDefinition def;
    def.build = IsopticBuild::Two;
    def.k = {-1, -3, 1};
    PointsFromConstants(def.k, def.pts);
    AddIsoptic(&doc, def);
    std::vector<int> ids = MenuCommandIds();
    for (const CommandEntry& e : CommandTable()) ids.push_back(e.id);
    int steps = 0;
    for (int id : ids) {
        if (id == ID_EDIT_UNDO || id == ID_EDIT_REDO) continue;
        SCOPED_TRACE(id);
        const auto run = [&](const std::function<void()>& action) {
            view.OnCommand(ID_EDIT_SELECT_ALL);
            const auto before = doc.SaveToBytes();
            const std::size_t done = doc.History().DoneCount();
            action();
            if (doc.History().DoneCount() == done) return;
            ++steps;
            const auto after = doc.SaveToBytes();
            ASSERT_TRUE(view.Undo());
            EXPECT_EQ(doc.SaveToBytes(), before);
            ASSERT_TRUE(view.Redo());
            EXPECT_EQ(doc.SaveToBytes(), after);
            ASSERT_TRUE(view.Undo());
        };
        run([&] { view.OnCommand(id); });
        const CommandEntry* cmd = FindCommand(id);
        if (cmd && (cmd->flags & kCmdTool)) {
            run([&] { Drag(Px(0.3, -3), Px(2.7, -1.6)); });
            run([&] { Click(Px(1, 0.5)); });
            run([&] { Drag(Px(1, 0.5), Px(1.5, 1)); });
        }
    }
    EXPECT_GT(steps, 40);
}

}  // namespace
}  // namespace gyr::testing

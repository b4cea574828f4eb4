// The document's undo history: steps record adds, removals and announced
// changes; Undo and Redo restore bytes, places and selection exactly; steps
// that change nothing vanish; the bounds, the clean point and continued
// steps. Also the clipboard's block of figures.

#include <random>

#include "document_fixture.h"
#include "math/sheet_mapping.h"
#include "model/axes.h"
#include "model/clipboard_block.h"

namespace gyr::testing {
namespace {

class UndoHistoryTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc.SetModifiedFlag(false);
    }
    std::vector<std::uint8_t> Bytes() { return doc.SaveToBytes(); }
    CUndoHistory& history() { return doc.History(); }
};

TEST_F(UndoHistoryTest, AddRemoveAndChangeComeBackWithPlacesAndSelection) {
    CShapeObj* a = AddSegment({0, 0}, {1, 0});
    CShapeObj* b = AddSegment({0, 1}, {1, 1});
    AddSegment({0, 2}, {1, 2});
    state.Select(b);
    // Saved as it stands: the clean point.
    history().MarkClean();
    doc.SetModifiedFlag(false);
    const auto start = Bytes();

    {
        CUndoScope step(&doc, "Mixed");
        doc.WillChange(a);
        a->Offset({5, 5});
        doc.RemoveObject(b);  // from the middle
        AddSegment({7, 7}, {8, 8});
        state.Select(doc.Objects().back());
    }
    const auto end = Bytes();
    ASSERT_TRUE(history().CanUndo());
    EXPECT_EQ(history().UndoName(), "Mixed");
    EXPECT_TRUE(doc.IsModified());

    EXPECT_TRUE(history().Undo());
    EXPECT_EQ(Bytes(), start);
    // b is back at its place, as the selection.
    ASSERT_EQ(state.m_selection.size(), 1u);
    EXPECT_EQ(state.m_selection[0], doc.Objects()[2]);
    EXPECT_EQ(state.m_selection[0]->m_bSelected, 1);
    EXPECT_FALSE(doc.IsModified());  // back at the clean point
    EXPECT_EQ(history().RedoName(), "Mixed");

    EXPECT_TRUE(history().Redo());
    EXPECT_EQ(Bytes(), end);
    ASSERT_EQ(state.m_selection.size(), 1u);
    EXPECT_EQ(state.m_selection[0], doc.Objects().back());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(history().Redo());
}

// A figure added or removed outside any step (a path that forgot its step)
// would make every stored place wrong: the history is given up, and the
// document stays modified.
TEST_F(UndoHistoryTest, AChangeOutsideAStepGivesTheHistoryUp) {
    AddSegment({0, 0}, {1, 0});
    history().MarkClean();
    doc.SetModifiedFlag(false);
    {
        CUndoScope step(&doc, "Drawing");
        AddSegment({0, 1}, {1, 1});
    }
    ASSERT_TRUE(history().CanUndo());
    CShapeObj* stray = AddSegment({0, 2}, {1, 2});
    EXPECT_FALSE(history().CanUndo());
    doc.RemoveObject(stray);
    {
        CUndoScope step(&doc, "Drawing");
        AddSegment({0, 3}, {1, 3});
    }
    ASSERT_TRUE(history().Undo());
    EXPECT_EQ(doc.Objects().size(), 3u);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(UndoHistoryTest, PlacesAreThoseBeforeTheStepWhateverHappenedInIt) {
    for (int i = 0; i < 6; ++i) AddSegment({double(i), 0}, {double(i), 1});
    const auto start = Bytes();
    {
        CUndoScope step(&doc, "Shuffle");
        AddSegment({9, 9}, {8, 8});
        doc.WillChange(doc.Objects()[5]);
        doc.RemoveObject(doc.Objects()[2]);  // neighbours, one after the other
        doc.RemoveObject(doc.Objects()[2]);
        doc.RemoveObject(doc.Objects()[1]);
        doc.RemoveObject(doc.Objects()[2]);  // the changed one
        doc.WillChange(doc.Objects()[1]);
        doc.Objects()[1]->Offset({2, 2});
        doc.MakeFirst(doc.Objects()[4]);
        doc.MakeLast(doc.Objects()[2]);
        doc.WillChange(doc.Objects()[3]);
        doc.Objects()[3]->Offset({1, 1});
        doc.RemoveObject(doc.Objects()[1]);
    }
    const auto end = Bytes();
    history().Undo();
    EXPECT_EQ(Bytes(), start);
    history().Redo();
    EXPECT_EQ(Bytes(), end);
}

TEST_F(UndoHistoryTest, StepsThatChangeNothingAreDroppedAndNestedStepsAreOne) {
    CShapeObj* a = AddSegment({0, 0}, {1, 0});
    doc.SetModifiedFlag(false);
    {
        CUndoScope step(&doc, "Nothing");
        doc.WillChange(a);  // announced, but left as it was
        state.Select(a);    // selecting alone is no change
        AddSegment({3, 3}, {4, 4});
        doc.RemoveObject(doc.Objects().back());  // made and dropped again
    }
    EXPECT_FALSE(history().CanUndo());
    EXPECT_FALSE(doc.IsModified());

    {
        CUndoScope outer(&doc, "Outer");
        AddSegment({3, 3}, {4, 4});
        CUndoScope inner(&doc, "Inner");
        AddSegment({5, 5}, {6, 6});
    }
    EXPECT_EQ(history().DoneCount(), 1u);
    EXPECT_EQ(history().UndoName(), "Outer");
    history().Undo();
    EXPECT_EQ(doc.Objects().size(), 2u);
}

TEST_F(UndoHistoryTest, ThreeHundredRandomStepsUndoToTheOriginalBytesAndRedoToTheEnd) {
    std::mt19937 rng(15);
    for (int i = 0; i < 8; ++i) AddSegment({double(i), 0}, {double(i), 1});
    doc.OnSaveDocument(Path("start.gyr"));
    const auto start = Bytes();
    auto pick = [&]() -> CMyObj* {
        if (doc.Objects().size() < 2) return nullptr;
        return doc.Objects()[1 + rng() % (doc.Objects().size() - 1)];
    };
    for (int i = 0; i < 300; ++i) {
        CUndoScope step(&doc, "Step " + std::to_string(i));
        // Up to three actions in one step.
        for (int a = 0, n = 1 + int(rng() % 3); a < n; ++a) switch (rng() % 6) {
                case 0:
                    AddSegment({double(rng() % 20), 1}, {2, double(rng() % 20)});
                    break;
                case 1:
                    if (CMyObj* o = pick()) doc.RemoveObject(o);
                    break;
                case 2:
                    if (CMyObj* o = pick()) {
                        doc.WillChange(o);
                        o->Offset({0.25, -0.5});
                        state.Select(o);
                    }
                    break;
                case 3:
                    if (CMyObj* o = pick()) doc.MakeFirst(o);
                    break;
                case 4:
                    if (CMyObj* o = pick()) doc.MakeLast(o);
                    state.DeselectAll();
                    break;
                case 5:
                    doc.m_sheetParams.unitX += 1;
                    doc.ApplySheetParams();
                    break;
            }
    }
    const auto end = Bytes();
    int undone = 0;
    while (history().Undo()) ++undone;
    EXPECT_GT(undone, 200);
    EXPECT_EQ(Bytes(), start);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Mapping().unitX, doc.Sheet()->m_params.unitX);
    while (history().Redo()) {
    }
    EXPECT_EQ(Bytes(), end);
    EXPECT_EQ(doc.m_sheetParams, doc.Sheet()->m_params);
}

TEST_F(UndoHistoryTest, TheThousandAndFirstStepDropsTheFirst) {
    for (int i = 0; i < 1001; ++i) {
        CUndoScope step(&doc, "Add");
        AddSegment({double(i), 0}, {double(i), 1});
    }
    EXPECT_EQ(history().DoneCount(), CUndoHistory::kMaxSteps);
    while (history().Undo()) {
    }
    // The first segment stays: its step is gone.
    ASSERT_EQ(doc.Objects().size(), 2u);
    EXPECT_EQ(doc.Objects()[1]->GetHandle(0), (CWorldPoint{0, 0}));
    // Its clean point (before it) cannot come back either.
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(UndoHistoryTest, SixtyFourMebibytesOfStepsDropTheOldest) {
    // Each step adds a figure of 2^16 vertices: a mebibyte of bytes.
    auto big = [&] {
        CUndoScope step(&doc, "Big");
        auto* s = new CShapeObj(1 << 16);
        s->SetDocument(&doc);
        doc.AddObject(s);
    };
    for (int i = 0; i < 70; ++i) big();
    EXPECT_LE(history().StoredBytes(), CUndoHistory::kMaxBytes);
    EXPECT_GT(history().DoneCount(), 55u);
    EXPECT_LT(history().DoneCount(), 64u);
    // Undoing all that is left goes back to where the oldest kept began.
    int undone = 0;
    while (history().Undo()) ++undone;
    EXPECT_EQ(doc.Objects().size(), std::size_t(1 + 70 - undone));
}

TEST_F(UndoHistoryTest, SaveMarksTheCleanPointAndNewStepsEndTheRedos) {
    {
        CUndoScope step(&doc, "One");
        AddSegment({0, 0}, {1, 1});
    }
    doc.OnSaveDocument(Path("a.gyr"));
    EXPECT_FALSE(doc.IsModified());
    history().Undo();
    EXPECT_TRUE(doc.IsModified());
    history().Redo();
    EXPECT_FALSE(doc.IsModified());
    history().Undo();
    {
        CUndoScope step(&doc, "Two");
        AddSegment({2, 2}, {3, 3});
    }
    EXPECT_FALSE(history().CanRedo());
    history().Undo();
    // The saved state lay on the abandoned branch.
    EXPECT_TRUE(doc.IsModified());
    doc.OnNewDocument();
    EXPECT_FALSE(history().CanUndo());
}

TEST_F(UndoHistoryTest, ContinuedStepsMergeWhileTheSelectionStays) {
    CShapeObj* a = AddSegment({0, 0}, {1, 0});
    CShapeObj* b = AddSegment({0, 1}, {1, 1});
    state.Select(a);
    for (int i = 0; i < 3; ++i) {
        CUndoScope step(&doc, "Move", 1);
        doc.WillChange(a);
        a->Offset({1, 0});
    }
    EXPECT_EQ(history().DoneCount(), 1u);
    state.DeselectAll();
    state.Select(b);
    {
        CUndoScope step(&doc, "Move", 1);
        doc.WillChange(b);
        b->Offset({1, 0});
    }
    EXPECT_EQ(history().DoneCount(), 2u);
    history().Undo();
    history().Undo();
    EXPECT_EQ(doc.Objects()[1]->GetHandle(0), (CWorldPoint{0, 0}));
}

TEST_F(UndoHistoryTest, ClearingWhileAStepIsOpenLeavesNothingBehind) {
    {
        CUndoScope step(&doc, "Open");
        AddSegment({0, 0}, {1, 1});
        doc.OnNewDocument();
        AddSegment({0, 0}, {1, 1});
    }
    EXPECT_FALSE(history().CanUndo());
}

// ---------------------------------------------------------------- block

TEST_F(UndoHistoryTest, ObjectBlockRoundTripAndMalformedBlocks) {
    CShapeObj* a = AddSegment({0, 0}, {1, 0});
    CShapeObj* b = AddSegment({2, 0}, {3, 4});
    state.Select(b);
    state.Select(a);
    const auto block = WriteObjectBlock(state.m_selection);
    EXPECT_EQ(a->m_bSelected, 1);  // the originals keep their flags

    CObList read;
    ASSERT_TRUE(ReadObjectBlock(block.data(), block.size(), ModelClasses(), &doc, read));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0]->GetHandle(1), (CWorldPoint{3, 4}));  // selection order
    EXPECT_EQ(read[1]->GetHandle(1), (CWorldPoint{1, 0}));
    EXPECT_EQ(read[0]->m_pDocument, &doc);
    DeleteAllObjects(read);

    // Every cut of the block is refused and leaves nothing behind.
    for (std::size_t n = 0; n < block.size(); ++n) {
        CObList partial;
        EXPECT_FALSE(ReadObjectBlock(block.data(), n, ModelClasses(), &doc, partial)) << n;
        EXPECT_TRUE(partial.empty());
    }
    // A count of 2^31 objects in a few bytes.
    const std::uint8_t huge[] = {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x01, 0x00};
    EXPECT_FALSE(ReadObjectBlock(huge, sizeof huge, ModelClasses(), &doc, read));
    // A class this program does not know.
    auto unknown = block;
    for (std::size_t i = 0; i + 9 <= unknown.size(); ++i)
        if (std::equal(unknown.begin() + std::ptrdiff_t(i), unknown.begin() + std::ptrdiff_t(i) + 9,
                       "CShapeObj"))
            unknown[i] = 'X';
    EXPECT_FALSE(ReadObjectBlock(unknown.data(), unknown.size(), ModelClasses(), &doc, read));
    EXPECT_TRUE(read.empty());

    // A sheet object is left out and counted.
    CObList withSheet{doc.Objects()[0], a};
    const auto sheetBlock = WriteObjectBlock(withSheet);
    std::size_t sheets = 0;
    ASSERT_TRUE(
        ReadObjectBlock(sheetBlock.data(), sheetBlock.size(), ModelClasses(), &doc, read, &sheets));
    EXPECT_EQ(sheets, 1u);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_FALSE(read[0]->IsKindOf(&CAxes::kClass));
    DeleteAllObjects(read);
}

}  // namespace
}  // namespace gyr::testing

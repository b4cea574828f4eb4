// The document: catalogue operations, attribute commands with their
// couplings, and the file commands' success and failure paths.

#include "model/document.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "model/archive.h"
#include "model/program_state.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"
#include "model/axes.h"
#include "control/gyr_view.h"

namespace gyr {
namespace {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        host.document = &doc;
        host.view = &view;
        doc.AddView(&view);
        doc.OnNewDocument();
        dir =
            std::filesystem::temp_directory_path() / ("gyr_doc_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    CShapeObj* AddSegment(CWorldPoint a, CWorldPoint b) {
        auto* s = new CShapeObj(2);
        s->SetDocument(&doc);
        s->m_points[0] = a;
        s->m_points[1] = b;
        s->RecalcBounds();
        doc.AddObject(s);
        return s;
    }

    std::string Path(const char* name) const { return (dir / name).string(); }

    ScriptedHost host;
    CGyrDoc doc;
    CGyrView view;
    std::filesystem::path dir;
};

TEST_F(DocumentTest, NewDocumentIsTheHundredAndThreeByteFile) {
    ASSERT_EQ(doc.Objects().size(), 1u);
    EXPECT_NE(doc.Sheet(), nullptr);
    EXPECT_FALSE(doc.IsModified());
    std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    ASSERT_EQ(bytes.size(), 103u);
    const std::uint8_t head[] = {0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x05,
                                 0x00, 'C',  'A',  'x',  'e',  's'};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), bytes.begin()));
    // No printer in the test host: the default page is 770 x 1100.
    EXPECT_EQ(doc.m_sheetParams.width, 770);
    EXPECT_EQ(doc.m_sheetParams.height, 1100);
}

TEST_F(DocumentTest, SecondObjectOfAClassIsABackReference) {
    AddSegment({0, 0}, {1, 1});
    AddSegment({2, 2}, {3, 1});
    std::vector<std::uint8_t> b = doc.SaveToBytes();
    // The shape class is new once (index 3), objects get 4 and 5.
    std::size_t first = 2 + 6 + 5 + 90;
    ASSERT_GT(b.size(), first + 8);
    EXPECT_EQ(b[first + 1], 0xFF);  // the class in full
    std::size_t objSize = 34 + 2 + 16 + 2 + 12 + 4 + 32;
    std::size_t second = first + 6 + 9 + objSize;
    ASSERT_EQ(b.size(), second + 2 + objSize);
    EXPECT_EQ(b[second], 0x03);
    EXPECT_EQ(b[second + 1], 0x80);

    CGyrDoc other;
    other.LoadFromBytes(b.data(), b.size());
    EXPECT_EQ(other.SaveToBytes(), b);
}

TEST_F(DocumentTest, WidthAndPatternCoupling) {
    CShapeObj* s = AddSegment({0, 0}, {1, 0});
    view.Select(s);
    doc.OnCommand(ID_STYLE_SOLID + 1);  // dash
    doc.OnCommand(ID_WIDTH_1 + 2);      // 3 pixels: back to solid
    EXPECT_EQ(doc.m_styleButton, ID_STYLE_SOLID);
    EXPECT_EQ(s->m_logpen.style, kPenSolid);
    EXPECT_TRUE(doc.IsChecked(ID_WIDTH_1 + 2));
    doc.OnCommand(ID_STYLE_SOLID + 1);  // dash: back to width 1
    EXPECT_EQ(doc.m_widthButton, ID_WIDTH_1);
    EXPECT_EQ(s->m_logpen.widthX, 1);
    EXPECT_EQ(s->m_logpen.style, kPenDash);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentTest, PaletteTargetsAndNoColour) {
    CShapeObj* s = AddSegment({0, 0}, {1, 0});
    s->m_bBrush = 1;
    view.Select(s);

    doc.OnCommand(ID_TARGET_REGION);
    // Region's remembered button is "no colour": filling goes off at once.
    EXPECT_EQ(s->m_bBrush, 0);
    doc.OnCommand(32797);  // red
    EXPECT_EQ(s->m_bBrush, 1);
    EXPECT_EQ(s->m_logbrush.color, 0x0000FFu);

    // Switching to contours re-applies its remembered colour (32804, navy).
    s->m_logpen.color = 0x123456;
    doc.OnCommand(ID_TARGET_CONTOUR);
    EXPECT_EQ(s->m_logpen.color, 0x800000u);
    EXPECT_TRUE(doc.IsChecked(32804));

    // Text and axes ignore "no colour".
    doc.OnCommand(ID_TARGET_AXES);
    ColorRef axes = doc.m_sheetParams.axesColor;
    doc.OnCommand(ID_COLOR_NONE);
    EXPECT_EQ(doc.m_sheetParams.axesColor, axes);
    doc.OnCommand(32805);
    EXPECT_EQ(doc.Sheet()->m_params.axesColor, 0xFF0000u);
}

TEST_F(DocumentTest, UserPenWidthDialog) {
    CShapeObj* s = AddSegment({0, 0}, {1, 0});
    view.Select(s);
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(1000, "6");  // below 7: refused, the dialog stays open
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(1000, "12");
        return true;
    });
    doc.OnCommand(ID_WIDTH_USER);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Please enter an integer between 7 and 100.");
    EXPECT_EQ(s->m_logpen.widthX, 12);
    EXPECT_EQ(doc.m_widthButton, 32722);
}

TEST_F(DocumentTest, CatalogueOrderKeepsTheSheetFirst) {
    CShapeObj* a = AddSegment({0, 0}, {1, 0});
    CShapeObj* b = AddSegment({0, 1}, {1, 1});
    doc.MakeFirst(b);
    EXPECT_EQ(doc.Objects()[1], b);
    EXPECT_TRUE(doc.Objects()[0]->IsKindOf(&CAxes::kClass));

    view.Select(a);
    view.m_gesture.push_back(a);
    doc.RemoveObject(a);
    EXPECT_TRUE(view.m_selection.empty());
    EXPECT_TRUE(view.m_gesture.empty());
}

TEST_F(DocumentTest, SaveOpenAndFailures) {
    AddSegment({0, 0}, {1, 2});
    std::string path = Path("a.gyr");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_FALSE(doc.IsModified());
    auto saved = doc.SaveToBytes();

    CGyrDoc other;
    ASSERT_TRUE(other.OnOpenDocument(path));
    EXPECT_EQ(other.SaveToBytes(), saved);
    EXPECT_EQ(other.GetTitle(), "a.gyr");

    // A missing file leaves the document as it was.
    EXPECT_FALSE(other.OnOpenDocument(Path("missing.gyr")));
    EXPECT_EQ(host.LastMessage(), Path("missing.gyr") +
                                      "\nCannot find this file.\nPlease verify that the correct "
                                      "path and file name are given.");
    EXPECT_EQ(other.Objects().size(), 2u);

    // Damaged files: a fresh document afterwards.
    auto check_rejected = [&](std::vector<std::uint8_t> bytes) {
        SCOPED_TRACE(bytes.size());
        std::string bad = Path("bad.gyr");
        {
            std::ofstream out(bad, std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        host.messages.clear();
        EXPECT_FALSE(other.OnOpenDocument(bad));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "Unexpected file format.");
        EXPECT_EQ(other.Objects().size(), 1u);
        EXPECT_NE(other.Sheet(), nullptr);
    };
    check_rejected({saved.begin(), saved.end() - 5});  // truncated
    auto schema2 = saved;
    schema2[4] = 2;
    check_rejected(schema2);
    check_rejected({0, 0});
    // A class name of 64 bytes.
    CArchive longName;
    longName.WriteCount(1);
    longName.WriteU16(0xFFFF);
    longName.WriteU16(1);
    longName.WriteU16(64);
    const std::string name(64, 'C'), zeros(200, '\0');
    longName.WriteBytes(name.data(), name.size());
    longName.WriteBytes(zeros.data(), zeros.size());
    check_rejected(longName.Bytes());
    // A first object that is not the sheet.
    CArchive ar;
    CShapeObj shape(2);
    ar.WriteCount(1);
    ar.WriteObject(&shape);
    check_rejected(ar.Bytes());
    // An object index beyond the highest assigned.
    auto badRef = saved;
    badRef[0] = 3;
    badRef.push_back(0x09);
    badRef.push_back(0x00);
    check_rejected(badRef);
}

TEST_F(DocumentTest, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    std::string path = Path("keep.gyr");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    AddSegment({0, 0}, {1, 0});
    ASSERT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.OnSaveDocument(Path("no/such/folder/x.gyr")));
    EXPECT_EQ(host.LastMessage(), "Failed to save document.");
    EXPECT_EQ(std::filesystem::file_size(path), 103u);
    // No temporary files are left behind.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir)) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST_F(DocumentTest, SaveAsRoutesByTheLastThreeCharacters) {
    static std::string exported;
    CGyrDoc::GetHooks().exportBitmap = [](CGyrDoc&, const std::string& p) {
        exported = p;
        return true;
    };
    host.fileChoices.push_back({true, Path("pic.BmP")});
    doc.OnFileSaveAs();
    EXPECT_EQ(exported, Path("pic.BmP"));
    EXPECT_EQ(doc.GetPathName(), "");

    host.fileChoices.push_back({true, Path("drawing.xyz")});
    doc.OnFileSaveAs();
    EXPECT_EQ(std::filesystem::file_size(Path("drawing.xyz")), 103u);
    CGyrDoc::GetHooks().exportBitmap = nullptr;
}

TEST_F(DocumentTest, SaveModifiedAsksAndObeys) {
    EXPECT_TRUE(doc.SaveModified());  // unmodified: no question
    EXPECT_TRUE(host.messages.empty());
    AddSegment({0, 0}, {1, 0});
    host.answers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(host.messages.back().text, "Save changes of this document?");
    EXPECT_EQ(host.messages.back().buttons, MsgButtons::YesNoCancel);
    // Yes saves through Save As for an unnamed document.
    host.answers.push_back(MsgAnswer::Yes);
    host.fileChoices.push_back({true, Path("yes.gyr")});
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(std::filesystem::exists(Path("yes.gyr")));
}

TEST_F(DocumentTest, NewKeepsTheSheetSettingsOfThePreviousDrawing) {
    doc.m_sheetParams.unitX = 80;
    doc.ApplySheetParams();
    AddSegment({0, 0}, {1, 0});
    doc.OnNewDocument();
    EXPECT_EQ(doc.Sheet()->m_params.unitX, 80);
    EXPECT_EQ(Mapping().unitX, 80);
}

}  // namespace
}  // namespace gyr

// The document: catalogue operations, attribute commands with their
// couplings, and the file commands' success and failure paths.

#include "model/document.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "math/sheet_mapping.h"
#include "model/archive.h"
#include "model/axes.h"
#include "model/document_fixture.h"
#include "model/program_state.h"
#include "model/runtime_class.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr::testing {
namespace {

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

    CGyrDoc other{ModelClasses()};
    other.LoadFromBytes(b.data(), b.size());
    EXPECT_EQ(other.SaveToBytes(), b);
}

TEST_F(DocumentTest, CatalogueOrderKeepsTheSheetFirst) {
    CShapeObj* a = AddSegment({0, 0}, {1, 0});
    CShapeObj* b = AddSegment({0, 1}, {1, 1});
    doc.MakeFirst(b);
    EXPECT_EQ(doc.Objects()[1], b);
    EXPECT_TRUE(doc.Objects()[0]->IsKindOf(&CAxes::kClass));

    // A removed object leaves no trace in the gesture state: no pick of a
    // later construction can be its reused address.
    state.Select(a);
    state.m_gesture.push_back(a);
    state.m_pPicked = state.m_pFirstPicked = state.m_pSecondPicked = a;
    doc.RemoveObject(a);
    EXPECT_TRUE(state.m_selection.empty());
    EXPECT_TRUE(state.m_gesture.empty());
    EXPECT_EQ(state.m_pPicked, nullptr);
    EXPECT_EQ(state.m_pFirstPicked, nullptr);
    EXPECT_EQ(state.m_pSecondPicked, nullptr);

    // A gesture state that outlives its document is left pointing nowhere.
    CGestureState other;
    {
        CGyrDoc gone{ModelClasses()};
        other.SetDocument(&gone);
    }
    EXPECT_EQ(other.Document(), nullptr);
}

TEST_F(DocumentTest, SaveOpenAndFailures) {
    AddSegment({0, 0}, {1, 2});
    std::string path = Path("a.gyr");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_FALSE(doc.IsModified());
    auto saved = doc.SaveToBytes();

    CGyrDoc other{ModelClasses()};
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

// What a save killed mid-write leaves is one hidden name beside the target;
// the next save of that target clears it, and only it.
TEST_F(DocumentTest, SaveRemovesTheTemporariesOfAKilledSaveOfTheSameTarget) {
    const std::string path = Path("out.gyr");
    EXPECT_EQ(TemporaryFilePrefix(path), ".out.gyr.saving-");
    auto touch = [&](const char* name) { std::ofstream(Path(name)) << "partial"; };
    touch(".out.gyr.saving-Ab3xYz");    // stale: removed
    touch(".other.gyr.saving-Ab3xYz");  // another target's
    touch(".out.gyr.saving-Ab3xYz7");   // not the pattern
    touch("out.gyr.saving-Ab3xYz");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    std::set<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(dir)) names.insert(e.path().filename());
    EXPECT_EQ(names, (std::set<std::string>{"out.gyr", ".other.gyr.saving-Ab3xYz",
                                            ".out.gyr.saving-Ab3xYz7", "out.gyr.saving-Ab3xYz"}));
    EXPECT_EQ(std::filesystem::file_size(path), 103u);
}

// A write that fails half-way (here: the file-size limit of a child process,
// as a full disk would) keeps the old file and leaves no temporary.
TEST_F(DocumentTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string path = Path("big.gyr");
    ASSERT_TRUE(WriteFileAtomically(path, std::vector<std::uint8_t>(100, 7)));
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit cap{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &cap) != 0) ::_exit(2);
        bool diskFull = true;
        const bool ok = WriteFileAtomically(path, std::vector<std::uint8_t>(1 << 20, 1), &diskFull);
        ::_exit(ok ? 3 : diskFull ? 4 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(std::filesystem::file_size(path), 100u);
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir)) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
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
}  // namespace gyr::testing

// The command-line verbs: what they write, what they refuse, and that a
// refused command never touches its output file.

#include "app/cli.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include "app/json_document.h"
#include "doc/document.h"
#include "doc/shape_obj.h"
#include "port/scripted_host.h"
#include "ui/axes.h"

namespace gyr {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    bool handled = false;
    std::string out, err;
};

double FromBits(std::uint64_t u) {
    double v;
    std::memcpy(&v, &u, 8);
    return v;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("gyr-cli-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    Result Run(std::vector<std::string> args) {
        std::ostringstream out, err;
        Result r;
        r.status = RunCommandLine(args, out, err, r.handled);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    static std::vector<std::uint8_t> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& b) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    }
    static void WriteText(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    // The bytes of a fresh document saved at once.
    static std::vector<std::uint8_t> NewDocumentBytes() {
        ScriptedHost host;
        CGyrDoc doc;
        host.document = &doc;
        doc.OnNewDocument();
        return doc.SaveToBytes();
    }

    // A document whose shapes carry awkward numbers: no vertices, NaN of
    // two payloads, infinities, negative zero, a subnormal.
    static std::vector<std::uint8_t> ShapesDocumentBytes() {
        ScriptedHost host;
        CGyrDoc doc;
        host.document = &doc;
        doc.OnNewDocument();
        auto* empty = new CShapeObj;
        empty->SetDocument(&doc);
        doc.AddObject(empty);
        auto* odd = new CShapeObj(3);
        odd->SetDocument(&doc);
        odd->m_points[0] = {std::numeric_limits<double>::quiet_NaN(), -0.0};
        odd->m_points[1] = {std::numeric_limits<double>::infinity(), 4.9e-324};
        odd->m_points[2] = {FromBits(0xFFF0000000000123ull), -1e308};
        odd->m_leftTop = {-std::numeric_limits<double>::infinity(), 0.1};
        doc.AddObject(odd);
        auto* plain = new CShapeObj(2);
        plain->SetDocument(&doc);
        plain->m_points[1] = {1.25, -3};
        plain->m_bSelected = 1;
        plain->m_bBrush = 1;
        plain->m_logbrush.hatch = -5;
        plain->m_logpen.widthX = 6;
        plain->RecalcBounds();
        doc.AddObject(plain);
        return doc.SaveToBytes();
    }

    ScriptedHost m_host;
    fs::path m_dir;
};

TEST_F(CliTest, NewWritesTheFileOfFileNewThenSave) {
    Result r = Run({"--new", Path("new.gyr")});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(r.handled);
    EXPECT_EQ(r.err, "");
    std::vector<std::uint8_t> bytes = ReadBytes(Path("new.gyr"));
    EXPECT_EQ(bytes.size(), 103u);
    EXPECT_EQ(bytes, NewDocumentBytes());
    // The command's own host is gone and the previous one is back.
    EXPECT_EQ(FindHost(), &m_host);

    // The JSON form of a new document converts to the same bytes.
    ASSERT_EQ(Run({"--new", Path("new.json")}).status, kExitOk);
    ASSERT_EQ(Run({"--convert", Path("new.json"), Path("again.gyr")}).status, kExitOk);
    EXPECT_EQ(ReadBytes(Path("again.gyr")), bytes);
}

TEST_F(CliTest, DumpShowsTheSheetRecord) {
    ASSERT_EQ(Run({"--new", Path("new.gyr")}).status, kExitOk);
    Result r = Run({"--dump", Path("new.gyr")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("{\n  \"objects\": [\n", 0), 0u) << r.out;
    Json j = Json::parse(r.out);
    ASSERT_EQ(j["objects"].size(), 1u);
    const Json& axes = j["objects"][0];
    std::vector<std::string> keys;
    for (auto it = axes.begin(); it != axes.end(); ++it) keys.push_back(it.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"class", "leftTop", "rightBottom", "selected",
                                              "generalScale", "originX", "originY", "unitX",
                                              "unitY", "width", "height", "labelsPerX",
                                              "labelsPerY", "axesMode", "axesColor"}));
    EXPECT_EQ(axes["class"], "CAxes");
    EXPECT_EQ(axes["selected"], 0);
    EXPECT_EQ(axes["generalScale"], 1.0);
    // No printer: the 770 x 1100 page, origin in the middle.
    EXPECT_EQ(axes["width"], 770);
    EXPECT_EQ(axes["height"], 1100);
    EXPECT_EQ(axes["originX"], 385);
    EXPECT_EQ(axes["originY"], 550);
    EXPECT_EQ(axes["unitX"], 50);
    EXPECT_EQ(axes["labelsPerY"], 2.0);
    EXPECT_EQ(axes["axesMode"], 2);
    EXPECT_EQ(axes["axesColor"], 0xC0C0C0);
    EXPECT_EQ(axes["leftTop"], Json::parse("[-7.7, 11.0]"));
    EXPECT_EQ(axes["rightBottom"], Json::parse("[7.7, -11.0]"));
}

TEST_F(CliTest, GyrToJsonToGyrIsByteIdentical) {
    const std::vector<std::uint8_t> original = ShapesDocumentBytes();
    WriteBytes(Path("in.gyr"), original);
    Result r = Run({"--convert", Path("in.gyr"), Path("mid.json")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    r = Run({"--convert", Path("mid.json"), Path("out.gyr")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(ReadBytes(Path("out.gyr")), original);

    Json j = Json::parse(Run({"--dump", Path("in.gyr")}).out);
    ASSERT_EQ(j["objects"].size(), 4u);
    EXPECT_EQ(j["objects"][1]["class"], "CShapeObj");
    EXPECT_EQ(j["objects"][1]["points"], Json::array());
    const Json& odd = j["objects"][2];
    EXPECT_EQ(odd["points"][0][0], "nan");
    EXPECT_EQ(odd["points"][1][0], "inf");
    EXPECT_EQ(odd["points"][2][0], "nan(0xfff0000000000123)");
    EXPECT_EQ(odd["leftTop"][0], "-inf");
    const Json& plain = j["objects"][3];
    EXPECT_EQ(plain["selected"], 1);
    EXPECT_EQ(plain["pen"]["width"], 6);
    EXPECT_EQ(plain["brush"]["on"], 1);
    EXPECT_EQ(plain["brush"]["hatch"], -5);

    // Extensions are compared without regard to case; JSON to JSON is stable.
    fs::copy_file(Path("in.gyr"), Path("IN.GYR"));
    ASSERT_EQ(Run({"--convert", Path("IN.GYR"), Path("MID.Json")}).status, kExitOk);
    ASSERT_EQ(Run({"--convert", Path("MID.Json"), Path("again.json")}).status, kExitOk);
    EXPECT_EQ(ReadBytes(Path("again.json")), ReadBytes(Path("mid.json")));
}

TEST_F(CliTest, RefusedJsonWritesNothing) {
    ASSERT_EQ(Run({"--new", Path("new.json")}).status, kExitOk);
    Json good = Json::parse(std::ifstream(Path("new.json")));
    Json shapeFirst = Json::parse(Run({"--dump",
                                       [&] {
                                           WriteBytes(Path("s.gyr"), ShapesDocumentBytes());
                                           return Path("s.gyr");
                                       }()})
                                      .out);
    std::swap(shapeFirst["objects"][0], shapeFirst["objects"][1]);
    Json unknownField = good;
    unknownField["objects"][0]["colour"] = 1;
    Json missingField = good;
    missingField["objects"][0].erase("unitY");
    Json badClass = good;
    badClass["objects"].push_back(Json::parse(R"({"class": "CNothing"})"));
    const std::pair<const char*, std::string> cases[] = {
        {"first object not the sheet", shapeFirst.dump()},
        {"no objects", R"({"objects": []})"},
        {"unknown field", unknownField.dump()},
        {"missing field", missingField.dump()},
        {"unknown class", badClass.dump()},
        {"not JSON", "{\"objects\": ["},
        {"empty file", ""},
    };
    const std::vector<std::uint8_t> previous = {'o', 'l', 'd'};
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        WriteText(Path("bad.json"), text);
        fs::remove(Path("out.gyr"));
        Result r = Run({"--convert", Path("bad.json"), Path("out.gyr")});
        EXPECT_EQ(r.status, kExitBadInput);
        EXPECT_EQ(r.err.rfind("Unexpected file format.\n", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(Path("bad.json") + ": "), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(Path("out.gyr")));
        // An existing output stays as it was.
        WriteBytes(Path("out.gyr"), previous);
        EXPECT_EQ(Run({"--convert", Path("bad.json"), Path("out.gyr")}).status, kExitBadInput);
        EXPECT_EQ(ReadBytes(Path("out.gyr")), previous);
    }
    // No stray temporary files either.
    std::size_t files = 0;
    for (auto& e : fs::directory_iterator(m_dir)) files += e.is_regular_file();
    EXPECT_EQ(files, 4u);
}

TEST_F(CliTest, DamagedFilesGiveTheDocumentMessage) {
    const std::vector<std::uint8_t> whole = ShapesDocumentBytes();
    const std::vector<std::uint8_t> previous = {'k', 'e', 'e', 'p'};
    WriteBytes(Path("out.json"), previous);
    // Every truncation of a valid file is refused.
    for (std::size_t n = 0; n < whole.size(); ++n) {
        WriteBytes(Path("cut.gyr"), {whole.begin(), whole.begin() + std::ptrdiff_t(n)});
        Result r = Run({"--convert", Path("cut.gyr"), Path("out.json")});
        ASSERT_EQ(r.status, kExitBadInput) << "at " << n;
        ASSERT_EQ(r.err.rfind("Unexpected file format.\n", 0), 0u) << "at " << n << r.err;
        ASSERT_EQ(ReadBytes(Path("out.json")), previous) << "at " << n;
    }
    Result r = Run({"--dump", Path("cut.gyr")});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_EQ(r.out, "");

    r = Run({"--dump", Path("missing.gyr")});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_EQ(r.err, Path("missing.gyr") +
                         "\nCannot find this file.\nPlease verify that the correct path and file "
                         "name are given.\n");
    fs::create_directory(Path("folder.gyr"));
    r = Run({"--convert", Path("folder.gyr"), Path("out.json")});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_EQ(r.err, "Failed to open document.\n");
    EXPECT_EQ(ReadBytes(Path("out.json")), previous);
}

TEST_F(CliTest, UsageErrorsExitTwo) {
    ASSERT_EQ(Run({"--new", Path("a.gyr")}).status, kExitOk);
    const std::vector<std::vector<std::string>> cases = {
        {"--new"},
        {"--new", Path("b.gyr"), Path("c.gyr")},
        {"--new", Path("b.txt")},
        {"--dump"},
        {"--dump", Path("a.gyr"), Path("a.gyr")},
        {"--convert", Path("a.gyr")},
        {"--convert", Path("a.gyr"), Path("b.xml")},
        {"--convert", Path("a.bmp"), Path("b.gyr")},
        {"--export", Path("b.jpg"), Path("a.gyr")},
        {"--export", Path("b.png")},
        {"--help", "x"},
        {"--frobnicate"},
        {"--"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0] + " with " + std::to_string(args.size() - 1) + " operands");
        Result r = Run(args);
        EXPECT_TRUE(r.handled);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_NE(r.err.find("Usage: gyrovant"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    for (const char* name : {"b.gyr", "c.gyr", "b.txt", "b.xml", "b.jpg", "b.png"})
        EXPECT_FALSE(fs::exists(Path(name))) << name;

    Result help = Run({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_EQ(help.out.rfind("Usage: gyrovant", 0), 0u);
    EXPECT_EQ(help.err, "");

    // Not a verb: the desktop starts instead.
    for (std::vector<std::string> args :
         {std::vector<std::string>{}, {Path("a.gyr")}, {"-platform", "offscreen"}}) {
        Result r = Run(args);
        EXPECT_FALSE(r.handled);
        EXPECT_EQ(r.out + r.err, "");
    }
}

TEST_F(CliTest, ExportWritesThePictureOrNothing) {
    WriteBytes(Path("in.gyr"), ShapesDocumentBytes());
    Result r = Run({"--export", Path("sheet.PNG"), Path("in.gyr")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    std::vector<std::uint8_t> png = ReadBytes(Path("sheet.PNG"));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    r = Run({"--export", Path("sheet.svg"), Path("in.gyr")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_NE(ReadBytes(Path("sheet.svg")).size(), 0u);

    WriteBytes(Path("cut.gyr"), {0x01, 0x00, 0xFF, 0xFF});
    r = Run({"--export", Path("cut.png"), Path("cut.gyr")});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_EQ(r.err.rfind("Unexpected file format.\n", 0), 0u) << r.err;
    EXPECT_FALSE(fs::exists(Path("cut.png")));
}

#ifdef GYROVANT_EXE
// The program itself: main hands verbs to the command line with its status.
TEST_F(CliTest, ProgramReturnsTheStatusOfItsVerb) {
    auto run = [&](const std::string& args) {
        std::string command = std::string("'") + GYROVANT_EXE + "' " + args + " >'" +
                              Path("stdout") + "' 2>'" + Path("stderr") + "'";
        int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(run("--new '" + Path("p.gyr") + "'"), kExitOk);
    EXPECT_EQ(ReadBytes(Path("p.gyr")), NewDocumentBytes());
    EXPECT_EQ(run("--dump '" + Path("p.gyr") + "'"), kExitOk);
    EXPECT_EQ(Json::parse(std::ifstream(Path("stdout")))["objects"][0]["class"], "CAxes");
    WriteBytes(Path("bad.gyr"), {0x01});
    EXPECT_EQ(run("--convert '" + Path("bad.gyr") + "' '" + Path("bad.json") + "'"), kExitBadInput);
    std::ifstream err(Path("stderr"));
    std::string line;
    std::getline(err, line);
    EXPECT_EQ(line, "Unexpected file format.");
    EXPECT_FALSE(fs::exists(Path("bad.json")));
    EXPECT_EQ(run("--bogus"), kExitUsage);
}
#endif

}  // namespace
}  // namespace gyr

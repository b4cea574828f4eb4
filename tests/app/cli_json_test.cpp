// The command-line verbs (what they write, what they refuse, and that a
// refused command never touches its output file) and the JSON form.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImageReader>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include "app/cli.h"
#include "app/json_document.h"
#include "figures/class_registry.h"
#include "figures/isoptic_obj.h"
#include "figures/poly_obj.h"
#include "figures/rect_obj.h"
#include "model/archive.h"
#include "model/axes.h"
#include "model/document.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct Result {
    int status = -1;
    bool handled = false;
    std::string out, err;
};

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
void WriteBytes(const fs::path& path, const Bytes& b) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

// A fresh document saved at once, or with shapes that carry awkward numbers:
// no vertices, NaN of two payloads, infinities, negative zero, a subnormal.
Bytes DocumentBytes(bool shapes) {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    doc.OnNewDocument();
    if (shapes) {
        auto add = [&](CShapeObj* s) {
            s->SetDocument(&doc);  // takes the document's attributes
            doc.AddObject(s);
            return s;
        };
        constexpr double kInf = std::numeric_limits<double>::infinity();
        std::uint64_t payload = 0xFFF0000000000123ull;
        double nan2;
        std::memcpy(&nan2, &payload, 8);
        add(new CShapeObj);
        CShapeObj* odd = add(new CShapeObj(3));
        odd->m_points = {{std::nan(""), -0.0}, {kInf, 4.9e-324}, {nan2, -1e308}};
        odd->m_leftTop = {-kInf, 0.1};
        CShapeObj* plain = add(new CShapeObj(2));
        plain->m_points[1] = {1.25, -3};
        plain->m_bSelected = plain->m_bBrush = 1;
        plain->m_logbrush.hatch = -5;
        plain->RecalcBounds();
    }
    return doc.SaveToBytes();
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

    ScriptedHost m_host;
    fs::path m_dir;
};

TEST_F(CliTest, NewWritesTheFileOfFileNewThenSaveAndDumpShowsTheSheet) {
    Result r = Run({"--new", Path("new.gyr")});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(r.handled);
    const Bytes bytes = ReadBytes(Path("new.gyr"));
    EXPECT_EQ(bytes.size(), 103u);
    EXPECT_EQ(bytes, DocumentBytes(false));
    EXPECT_EQ(FindHost(), &m_host);  // the command's own host is gone again

    r = Run({"--dump", Path("new.gyr")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.out.rfind("{\n  \"objects\": [\n", 0), 0u) << r.out;
    const Json axes = Json::parse(r.out)["objects"].at(0);
    std::vector<std::string> keys;
    for (auto it = axes.begin(); it != axes.end(); ++it) keys.push_back(it.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"class", "leftTop", "rightBottom", "selected",
                                              "generalScale", "originX", "originY", "unitX",
                                              "unitY", "width", "height", "labelsPerX",
                                              "labelsPerY", "axesMode", "axesColor"}));
    EXPECT_EQ(axes["class"], "CAxes");
    EXPECT_EQ(axes["width"], 770);  // no printer: the 770 x 1100 page
    EXPECT_EQ(axes["rightBottom"], Json::parse("[7.7, -11.0]"));
}

TEST_F(CliTest, GyrToJsonToGyrIsByteIdentical) {
    const Bytes original = DocumentBytes(true);
    WriteBytes(Path("in.gyr"), original);
    ASSERT_EQ(Run({"--convert", Path("in.gyr"), Path("mid.json")}).status, kExitOk);
    ASSERT_EQ(Run({"--convert", Path("mid.json"), Path("out.gyr")}).status, kExitOk);
    EXPECT_EQ(ReadBytes(Path("out.gyr")), original);

    Json j = Json::parse(Run({"--dump", Path("in.gyr")}).out);
    ASSERT_EQ(j["objects"].size(), 4u);
    EXPECT_EQ(j["objects"][1]["points"], Json::array());
    EXPECT_EQ(j["objects"][2]["points"][2][0], "nan(0xfff0000000000123)");
    EXPECT_EQ(j["objects"][2]["leftTop"][0], "-inf");
    EXPECT_EQ(j["objects"][3]["brush"]["hatch"], -5);

    // Extensions are compared without regard to case; JSON to JSON is stable.
    fs::copy_file(Path("in.gyr"), Path("IN.GYR"));
    ASSERT_EQ(Run({"--convert", Path("IN.GYR"), Path("MID.Json")}).status, kExitOk);
    ASSERT_EQ(Run({"--convert", Path("MID.Json"), Path("again.json")}).status, kExitOk);
    EXPECT_EQ(ReadBytes(Path("again.json")), ReadBytes(Path("mid.json")));
}

TEST_F(CliTest, TextBoxesOfAnyUnicodeConvertAndDumpBackUnchanged) {
    ASSERT_EQ(Run({"--new", Path("new.gyr")}).status, kExitOk);
    Json j = Json::parse(Run({"--dump", Path("new.gyr")}).out);
    Json box = {{"class", "CTextObj"},
                {"leftTop", {-1.0, 1.0}},
                {"rightBottom", {1.0, -1.0}},
                {"selected", 0},
                {"editing", 1},
                {"size", 12},
                {"justification", 0},
                {"bold", 0},
                {"italic", 1},
                {"underline", 0},
                {"strikeOut", 0},
                {"color", 0},
                {"fontName", "Courier New"},
                {"text", "smile \U0001F600 caf\u00e9"}};
    j["objects"].push_back(box);
    std::ofstream(Path("in.json")) << j.dump();
    ASSERT_EQ(Run({"--convert", Path("in.json"), Path("out.gyr")}).status, kExitOk);
    Json back = Json::parse(Run({"--dump", Path("out.gyr")}).out);
    box["editing"] = 0;  // never read back as being edited
    EXPECT_EQ(back["objects"][1], box);
    ASSERT_EQ(Run({"--convert", Path("out.gyr"), Path("mid.json")}).status, kExitOk);
    ASSERT_EQ(Run({"--convert", Path("mid.json"), Path("again.gyr")}).status, kExitOk);
    EXPECT_EQ(ReadBytes(Path("again.gyr")), ReadBytes(Path("out.gyr")));
}

TEST_F(CliTest, EveryIsopticClassConvertsBackByteForByteAndExports) {
    Bytes original;
    {
        ScriptedHost host;
        CGyrDoc doc{DrawingClasses()};
        doc.OnNewDocument();
        AddIsopticFromConstants(&doc, {0, -100, 1});
        AddIsopticThrough(&doc, {-3, -1}, {-2, 1}, {0, -2}, {-1, -2});
        AddIsopticThrough(&doc, {0, 0}, {3, 0}, {1, 2}, {0, 0});
        AddIsopticThrough(&doc, {0, 0}, {2, 0}, {0, 1}, {2, 1});
        AddIsopticThrough(&doc, {-1, 0}, {-2, 2}, {2, 2}, {1, 0});
        auto* plain = new CIsoptic();
        plain->SetDocument(&doc);
        plain->m_nExtra = 12;
        doc.AddObject(plain);
        ASSERT_EQ(doc.Objects().size(), 9u);
        original = doc.SaveToBytes();
    }
    WriteBytes(Path("iso.gyr"), original);
    ASSERT_EQ(Run({"--convert", Path("iso.gyr"), Path("iso.json")}).status, kExitOk);
    ASSERT_EQ(Run({"--convert", Path("iso.json"), Path("back.gyr")}).status, kExitOk);
    EXPECT_EQ(ReadBytes(Path("back.gyr")), original);

    const Json j = Json::parse(Run({"--dump", Path("iso.gyr")}).out);
    const Json& degenerate = j["objects"][7];
    EXPECT_EQ(degenerate["class"], "CIsopticDegenerate");
    EXPECT_EQ(degenerate["shapeCode"], 1);
    EXPECT_EQ(degenerate["extraCount"], -1);
    EXPECT_TRUE(degenerate["extra"].is_object());
    EXPECT_EQ(j["objects"][8]["extraCount"], 12);
    for (const char* key :
         {"A", "B", "C", "D", "axisX", "axisY", "origin", "x1", "x4", "a", "b", "c", "components"})
        EXPECT_TRUE(degenerate.contains(key)) << key;

    ASSERT_EQ(Run({"--export", Path("iso.png"), Path("iso.gyr")}).status, kExitOk);
    EXPECT_GT(ReadBytes(Path("iso.png")).size(), 100u);
}

TEST_F(CliTest, ParallelogramsAndPolygonsConvertBackAndExport) {
    Bytes original;
    {
        ScriptedHost host;
        CGyrDoc doc{DrawingClasses()};
        doc.OnNewDocument();
        auto add = [&](CShapeObj* s) {
            s->SetDocument(&doc);
            s->RecalcBounds();
            doc.AddObject(s);
        };
        auto* rect = new CRectObj(kRectRectangle, {});
        rect->m_points = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
        add(rect);
        auto* hex = new CPolyObj(6, {1, 2});
        hex->SetRegularVertices(0, {3, 2});
        add(hex);
        // Damaged figures load, convert and draw as they are.
        add(new CPolyObj(2, {5, 5}));
        auto* odd = new CRectObj(77, {});
        odd->SetVertexCount(3);
        add(odd);
        original = doc.SaveToBytes();
    }
    WriteBytes(Path("q.gyr"), original);
    ASSERT_EQ(Run({"--convert", Path("q.gyr"), Path("q.json")}).status, kExitOk);
    ASSERT_EQ(Run({"--convert", Path("q.json"), Path("back.gyr")}).status, kExitOk);
    EXPECT_EQ(ReadBytes(Path("back.gyr")), original);

    const Json j = Json::parse(Run({"--dump", Path("q.gyr")}).out);
    EXPECT_EQ(j["objects"][1]["class"], "CRectObj");
    EXPECT_EQ(j["objects"][1]["kind"], 10030);
    EXPECT_EQ(j["objects"][2]["class"], "CPolyObj");
    EXPECT_EQ(j["objects"][2]["center"], Json::array({1.0, 2.0}));
    EXPECT_EQ(j["objects"][4]["kind"], 77);

    ASSERT_EQ(Run({"--export", Path("q.png"), Path("q.gyr")}).status, kExitOk);
    EXPECT_GT(ReadBytes(Path("q.png")).size(), 100u);
}

TEST_F(CliTest, BadJsonAndTruncatedFilesExitOneAndWriteNothing) {
    const Bytes previous = {'o', 'l', 'd'}, whole = DocumentBytes(true);
    for (const char* text : {R"({"objects": []})", "{\"objects\": [", ""}) {
        SCOPED_TRACE(text);
        std::ofstream(Path("bad.json")) << text;
        fs::remove(Path("out.gyr"));
        Result r = Run({"--convert", Path("bad.json"), Path("out.gyr")});
        EXPECT_EQ(r.status, kExitBadInput);
        EXPECT_EQ(r.err.rfind("Unexpected file format.\n", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(Path("bad.json") + ": "), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(Path("out.gyr")));
    }
    // Every truncation of a valid file is refused; an existing output stays.
    WriteBytes(Path("out.json"), previous);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        WriteBytes(Path("cut.gyr"), {whole.begin(), whole.begin() + std::ptrdiff_t(n)});
        Result r = Run({"--convert", Path("cut.gyr"), Path("out.json")});
        ASSERT_EQ(r.status, kExitBadInput) << "at " << n;
        ASSERT_EQ(r.err.rfind("Unexpected file format.\n", 0), 0u) << "at " << n << r.err;
        ASSERT_EQ(ReadBytes(Path("out.json")), previous) << "at " << n;
    }
    Result r = Run({"--export", Path("cut.png"), Path("cut.gyr")});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_FALSE(fs::exists(Path("cut.png")));
    r = Run({"--dump", Path("missing.gyr")});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_EQ(r.err, Path("missing.gyr") +
                         "\nCannot find this file.\nPlease verify that the correct path and file "
                         "name are given.\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()),
              3);  // no stray temporaries
}

TEST_F(CliTest, UsageErrorsExitTwoOthersStartTheDesktopOrExport) {
    ASSERT_EQ(Run({"--new", Path("a.gyr")}).status, kExitOk);
    const std::vector<std::vector<std::string>> cases = {
        {"--new"},
        {"--dump", Path("a.gyr"), Path("a.gyr")},
        {"--convert", Path("a.gyr"), Path("b.xml")},
        {"--export", Path("b.jpg"), Path("a.gyr")},
        {"--frobnicate"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0] + " with " + std::to_string(args.size() - 1) + " operands");
        Result r = Run(args);
        EXPECT_TRUE(r.handled);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_NE(r.err.find("Usage: gyrovant"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(fs::exists(Path("b.xml")) || fs::exists(Path("b.jpg")));
    EXPECT_EQ(Run({"--help"}).out.rfind("Usage: gyrovant", 0), 0u);
    Result r = Run({Path("a.gyr")});  // not a verb: the desktop starts instead
    EXPECT_FALSE(r.handled);
    EXPECT_EQ(r.out + r.err, "");

    ASSERT_EQ(Run({"--export", Path("sheet.PNG"), Path("a.gyr")}).status, kExitOk);
    const Bytes png = ReadBytes(Path("sheet.PNG"));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
}

// A fresh document whose sheet record holds what a hand-made file may.
Bytes SheetBytes(void (*edit)(CSheetParams&)) {
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    doc.OnNewDocument();
    CSheetParams p = doc.m_sheetParams;
    edit(p);
    doc.Sheet()->SetAll(p);
    return doc.SaveToBytes();
}

// Sheets that no dialog makes: they export without overflow (the sanitizer
// build aborts on one), with only the ticks on the sheet, and load unchanged.
TEST_F(CliTest, HostileSheetsExportBoundedAndRoundTrip) {
    const std::vector<std::pair<const char*, Bytes>> files = {
        {"minus-inf.gyr",
         SheetBytes([](CSheetParams& p) { p.labelsPerX = p.labelsPerY = -HUGE_VAL; })},
        {"int-max.gyr", SheetBytes([](CSheetParams& p) { p.originX = p.originY = INT32_MAX; })},
        {"unit-zero.gyr", SheetBytes([](CSheetParams& p) { p.unitX = p.unitY = 0; })},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        WriteBytes(Path(name), bytes);
        Result r = Run({"--export", Path("o.svg"), Path(name)});
        ASSERT_EQ(r.status, kExitOk) << r.err;
        // The axes, a few hundred ticks at most: far below a megabyte.
        EXPECT_LT(fs::file_size(Path("o.svg")), 200'000u);
        ASSERT_EQ(Run({"--convert", Path(name), Path("back.gyr")}).status, kExitOk);
        EXPECT_EQ(ReadBytes(Path("back.gyr")), bytes);
    }
}

TEST_F(CliTest, BitmapsBeyondTwoHundredMegapixelsAreRefusedUnlessScaledDown) {
    WriteBytes(Path("huge.gyr"), SheetBytes([](CSheetParams& p) {
                   p.width = p.height = 30000;
                   p.originX = p.originY = 15000;
               }));
    WriteBytes(Path("o.png"), {1, 2, 3});
    for (const char* out : {"o.png", "o.bmp"}) {
        Result r = Run({"--export", Path(out), Path("huge.gyr")});
        EXPECT_EQ(r.status, kExitBadInput);
        EXPECT_EQ(r.err,
                  "The sheet is too large for a bitmap (30000 \u00D7 30000 pixels). Export it as "
                  "SVG or PDF, or with a smaller scale.\n");
    }
    EXPECT_EQ(ReadBytes(Path("o.png")), (Bytes{1, 2, 3}));
    EXPECT_FALSE(fs::exists(Path("o.bmp")));

    Result r = Run({"--export", Path("o.png"), "--scale", "0.05", Path("huge.gyr")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(QImageReader(QString::fromStdString(Path("o.png"))).size(), QSize(1500, 1500));
    // At scale 2 a small sheet doubles; the vector formats scale their page.
    ASSERT_EQ(Run({"--new", Path("a.gyr")}).status, kExitOk);
    ASSERT_EQ(Run({"--export", "--scale", "2", Path("two.png"), Path("a.gyr")}).status, kExitOk);
    EXPECT_EQ(QImageReader(QString::fromStdString(Path("two.png"))).size(), QSize(1540, 2200));

    for (const char* bad : {"0", "-1", "4.5", "nan", "inf", "2x", ""}) {
        SCOPED_TRACE(bad);
        r = Run({"--export", Path("o.svg"), "--scale", bad, Path("a.gyr")});
        EXPECT_EQ(r.status, kExitUsage);
    }
    EXPECT_EQ(Run({"--export", Path("o.svg"), Path("a.gyr"), "--scale"}).status, kExitUsage);
    EXPECT_FALSE(fs::exists(Path("o.svg")));
}

TEST_F(CliTest, JsonReaderRefusesDeepNestingAndDuplicateKeysAcceptsAByteOrderMark) {
    WriteBytes(Path("a.gyr"), DocumentBytes(true));  // four objects with shared key names
    const std::string dump = Run({"--dump", Path("a.gyr")}).out;
    auto convert = [&](const std::string& text) {
        WriteBytes(Path("in.json"), Bytes(text.begin(), text.end()));
        return Run({"--convert", Path("in.json"), Path("out.gyr")});
    };
    // 200,000 nested arrays in a field: refused at the 65th level, before
    // anything is built (the value copies would otherwise overflow the stack).
    Result r = convert("{\n  \"objects\": [\n    {\"class\": " + std::string(200000, '[') + "\n");
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find("line 3, column 76: nesting deeper than 64 levels"), std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(Path("out.gyr")));
    // Brackets inside a string are text, and 64 levels are allowed.
    r = convert("{\"objects\": [{\"class\": \"" + std::string(100, '[') + "\"}]}");
    EXPECT_EQ(r.err.find("nesting"), std::string::npos) << r.err;
    r = convert("{\"x\": " + std::string(63, '[') + std::string(63, ']') + "}");
    EXPECT_EQ(r.err.find("nesting"), std::string::npos) << r.err;
    r = convert("{\"x\": " + std::string(64, '[') + std::string(64, ']') + "}");
    EXPECT_NE(r.err.find("nesting"), std::string::npos) << r.err;

    // A key given twice is refused by name, at any depth.
    std::string twice = dump;
    const auto at = twice.find("      \"originX\"");
    ASSERT_NE(at, std::string::npos);
    twice.insert(at, "      \"originX\": 1,\n");
    r = convert(twice);
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find("duplicate key \"originX\""), std::string::npos) << r.err;
    // The same keys in different objects are fine; a byte-order mark too.
    r = convert("\xEF\xBB\xBF" + dump);
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(ReadBytes(Path("out.gyr")), ReadBytes(Path("a.gyr")));
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
    EXPECT_EQ(ReadBytes(Path("p.gyr")), DocumentBytes(false));
    WriteBytes(Path("bad.gyr"), {0x01});
    EXPECT_EQ(run("--convert '" + Path("bad.gyr") + "' '" + Path("bad.json") + "'"), kExitBadInput);
    std::ifstream err(Path("stderr"));
    std::string line;
    std::getline(err, line);
    EXPECT_EQ(line, "Unexpected file format.");
    EXPECT_FALSE(fs::exists(Path("bad.json")));
    EXPECT_EQ(run("--bogus"), kExitUsage);

    // A write that fails part-way (a file-size limit, as a full disk would):
    // exit 1 with the save message, the old export kept, nothing left over.
    WriteBytes(Path("o.svg"), {'o', 'l', 'd'});
    const std::string limited = "trap '' XFSZ; ulimit -f 8; exec ";
    std::string command = limited + "'" + GYROVANT_EXE + "' --export '" + Path("o.svg") + "' '" +
                          Path("p.gyr") + "' 2>'" + Path("stderr") + "'";
    int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), kExitBadInput);
    const Bytes message = ReadBytes(Path("stderr"));
    EXPECT_NE(
        ("\n" + std::string(message.begin(), message.end())).find("\nFailed to save document.\n"),
        std::string::npos);
    EXPECT_EQ(ReadBytes(Path("o.svg")), (Bytes{'o', 'l', 'd'}));
    for (auto& e : fs::directory_iterator(m_dir))
        EXPECT_EQ(e.path().filename().string().find(".o.svg.saving-"), std::string::npos);
}
#endif

// The JSON form of objects and documents.

std::uint64_t Bits(double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    return u;
}

double FromBits(std::uint64_t u) {
    double v;
    std::memcpy(&v, &u, 8);
    return v;
}

// A class with one field of every kind, grouped and plain, as future
// drawing classes will list them.
class CJsonProbe : public CMyObj {
    GYR_DECLARE_CLASS(CJsonProbe)
public:
    void ExchangeFields(CFieldExchange& fx) override {
        CMyObj::ExchangeFields(fx);
        fx.U16("flag", flag);
        fx.I32("group.signed", i32);
        fx.U32("group.unsigned", u32);
        fx.F64("value", f64);
        fx.Point("centre", centre);
        fx.Points("vertices", vertices);
        fx.String("text", text);
        fx.Bytes("block", block, 4);
        ExchangeList(fx, "parts", parts);
    }
    ~CJsonProbe() override {
        for (CMyObj* p : parts) delete p;
    }
    CJsonProbe() = default;
    CJsonProbe(const CJsonProbe&) = default;

    std::int32_t flag = 0;
    std::int32_t i32 = 0;
    std::uint32_t u32 = 0;
    double f64 = 0;
    CWorldPoint centre;
    std::vector<CWorldPoint> vertices;
    std::string text;
    std::vector<std::uint8_t> block;
    CObList parts;
};
GYR_IMPLEMENT_CLASS(CJsonProbe, CMyObj)

class JsonDocumentTest : public ::testing::Test {
protected:
    CJsonProbe Filled() {
        CJsonProbe p;
        p.m_leftTop = {-1.5, 2.25};
        p.m_rightBottom = {3, -4};
        p.m_bSelected = 1;
        p.flag = 65535;
        p.i32 = std::numeric_limits<std::int32_t>::min();
        p.u32 = 0xFFFFFFFFu;
        p.f64 = 0.1;
        p.centre = {std::numeric_limits<double>::infinity(), -0.0};
        p.vertices = {{1e-310, -1e300}, {std::nan(""), 5}};
        p.text = "caf\xC3\xA9 \x01\xCF\x80 \xF0\x9F\x98\x80";  // UTF-8 beyond 8 and 16 bits
        p.block = {0x00, 0xFF, 0x10, 0xAB};
        auto* shape = new CShapeObj(2);
        shape->m_points[1] = {7, 8};
        p.parts.push_back(shape);
        return p;
    }

    ScriptedHost host;
};

TEST_F(JsonDocumentTest, EveryFieldKindHasItsJsonFormAndReadsBackBitForBit) {
    CJsonProbe p = Filled();
    p.f64 = FromBits(0xFFF8000000000001ull);  // other NaN payloads survive too
    Json j = ObjectToJson(p);
    EXPECT_EQ(j.begin().key(), "class");
    EXPECT_EQ(j["class"], "CJsonProbe");
    EXPECT_EQ(j["group"], Json::parse(R"j({"signed": -2147483648, "unsigned": 4294967295})j"));
    EXPECT_EQ(j["value"], "nan(0xfff8000000000001)");
    EXPECT_EQ(j["centre"], Json::parse(R"j(["inf", -0.0])j"));
    EXPECT_EQ(j["text"], "caf\u00e9 \u0001\u03c0 \U0001F600");
    EXPECT_EQ(j["block"], "00ff10ab");
    ASSERT_EQ(j["parts"].size(), 1u);
    EXPECT_EQ(j["parts"][0]["points"], Json::parse("[[0.0, 0.0], [7.0, 8.0]]"));

    CJsonProbe q;
    ReadObjectFields(JsonFromText(JsonToText(j)), q, nullptr);
    EXPECT_EQ(q.flag, 65535);
    EXPECT_EQ(q.u32, p.u32);
    EXPECT_EQ(Bits(q.f64), 0xFFF8000000000001ull);
    ASSERT_EQ(q.vertices.size(), 2u);
    EXPECT_EQ(Bits(q.vertices[0].x), Bits(1e-310));
    EXPECT_EQ(q.text, p.text);
    ASSERT_EQ(q.parts.size(), 1u);
    auto* shape = dynamic_cast<CShapeObj*>(q.parts[0]);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->m_points[1], CWorldPoint(7, 8));
    j["block"] = Json::parse("[1, 2, 3, 255]");  // byte blocks may also be numbers
    ReadObjectFields(j, q, nullptr);
    EXPECT_EQ(q.block, (std::vector<std::uint8_t>{1, 2, 3, 255}));
}

TEST_F(JsonDocumentTest, MalformedFieldsAreRefusedWithTheirPlace) {
    const struct {
        const char* patch;  // JSON merge patch applied to the valid object
        const char* where;
    } cases[] = {
        {R"j({"flag": null})j", "flag: missing"},
        {R"j({"group": {"extra": 1}})j", "group.extra: unknown"},
        {R"j({"flag": 65536})j", "flag: integer out of range"},
        {R"j({"value": "nan(0x7ff0000000000000)"})j", "value: expected a number"},
        {R"j({"text": 5})j", "text: expected a string"},
        {R"j({"parts": [{"class": "CNoSuchClass"}]})j", "parts[0].class: unknown class"},
    };
    const Json valid = ObjectToJson(Filled());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.patch);
        Json j = valid;
        j.merge_patch(Json::parse(c.patch));
        CJsonProbe q;
        try {
            ReadObjectFields(j, q, nullptr);
            ADD_FAILURE() << "accepted";
        } catch (const JsonDocumentError& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("object.") + c.where),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST_F(JsonDocumentTest, DocumentsMustStartWithTheSheet) {
    CGyrDoc doc{DrawingClasses()};
    doc.OnNewDocument();
    auto* shape = new CShapeObj(3);
    shape->SetDocument(&doc);
    doc.AddObject(shape);
    const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    Json j = DocumentToJson(doc);
    Json swapped = j;
    std::swap(swapped["objects"][0], swapped["objects"][1]);
    Json extra = j;
    extra["title"] = "x";
    for (const Json& bad : {Json::parse(R"j({"objects": []})j"), Json::parse("[]"),
                            Json::parse(R"j({"objects": [3]})j"), swapped, extra}) {
        SCOPED_TRACE(bad.dump());
        EXPECT_THROW(DocumentFromJson(bad, doc), JsonDocumentError);
        EXPECT_EQ(doc.Objects().size(), 2u) << "a refused JSON text changed the document";
    }
    EXPECT_THROW(JsonFromText("[1e999]"), JsonDocumentError);

    CGyrDoc other{DrawingClasses()};
    DocumentFromJson(j, other);
    EXPECT_EQ(other.SaveToBytes(), bytes);
    EXPECT_EQ(other.m_sheetParams, static_cast<CAxes*>(other.Objects()[0])->m_params);
    EXPECT_FALSE(other.IsModified());

    // The text form is indented, with each point on one line.
    std::string text = JsonToText(ObjectsToJson({shape}));
    EXPECT_NE(text.find("\n        [0.0, 0.0],\n"), std::string::npos) << text;
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(JsonFromText(text), ObjectsToJson({shape}));
}

TEST_F(CliTest, PicturesConvertByteForByteAndImportAddsThem) {
    ASSERT_EQ(Run({"--new", Path("new.gyr")}).status, kExitOk);
    // A metafile of our own and a bitmap of our own writer.
    ASSERT_EQ(Run({"--export", Path("sheet.emf"), Path("new.gyr")}).status, kExitOk);
    ASSERT_EQ(Run({"--export", Path("sheet.bmp"), Path("new.gyr")}).status, kExitOk);
    EXPECT_EQ(ReadBytes(Path("sheet.bmp")).size(), 2543254u);
    ASSERT_EQ(Run({"--import", Path("sheet.emf"), Path("new.gyr"), Path("one.gyr")}).status,
              kExitOk);
    ASSERT_EQ(Run({"--import", Path("sheet.BMP"), Path("one.gyr"), Path("two.json")}).status,
              kExitBadInput);  // no such file
    fs::copy_file(Path("sheet.bmp"), Path("sheet.BMP"));
    ASSERT_EQ(Run({"--import", Path("sheet.BMP"), Path("one.gyr"), Path("two.gyr")}).status,
              kExitOk);
    ASSERT_EQ(Run({"--convert", Path("two.gyr"), Path("two.json")}).status, kExitOk);
    ASSERT_EQ(Run({"--convert", Path("two.json"), Path("back.gyr")}).status, kExitOk);
    EXPECT_EQ(ReadBytes(Path("back.gyr")), ReadBytes(Path("two.gyr")));

    Json j = Json::parse(Run({"--dump", Path("two.gyr")}).out);
    ASSERT_EQ(j["objects"].size(), 3u);
    EXPECT_EQ(j["objects"][1]["class"], "CMetaObj");
    EXPECT_EQ(j["objects"][1]["metafile"].get<std::string>().substr(0, 4), "AQAA");
    EXPECT_EQ(j["objects"][2]["class"], "CPict");
    // 40 bytes of header: "KAAAAA..." in base64.
    EXPECT_EQ(j["objects"][2]["dibHeader"].get<std::string>().substr(0, 6), "KAAAAA");

    // A header that is no bitmap's, or bits of the wrong length, are refused.
    Json bad = j;
    bad["objects"][2]["dibBits"] = "AAAA";
    std::string text = bad.dump();
    WriteBytes(Path("bad.json"), Bytes(text.begin(), text.end()));
    Result r = Run({"--convert", Path("bad.json"), Path("bad.gyr")});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find("dibBits"), std::string::npos);
    bad = j;
    bad["objects"][1]["metafile"] = "AQAAAA==";
    text = bad.dump();
    WriteBytes(Path("bad.json"), Bytes(text.begin(), text.end()));
    EXPECT_EQ(Run({"--convert", Path("bad.json"), Path("bad.gyr")}).status, kExitBadInput);
}

}  // namespace
}  // namespace gyr

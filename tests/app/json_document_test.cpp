// The JSON form of objects and documents: every field kind written and read
// back exactly, and every malformed input refused with a named place.

#include "app/json_document.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "doc/archive.h"
#include "doc/document.h"
#include "doc/shape_obj.h"
#include "port/scripted_host.h"
#include "ui/axes.h"

namespace gyr {
namespace {

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
        p.text = std::string("caf\xE9 \x01\xFF", 7);
        p.block = {0x00, 0xFF, 0x10, 0xAB};
        auto* shape = new CShapeObj(2);
        shape->m_points[1] = {7, 8};
        p.parts.push_back(shape);
        return p;
    }

    ScriptedHost host;
};

TEST_F(JsonDocumentTest, EveryFieldKindHasItsJsonForm) {
    CJsonProbe p = Filled();
    Json j = ObjectToJson(p);
    EXPECT_EQ(j["class"], "CJsonProbe");
    EXPECT_EQ(j.begin().key(), "class");
    EXPECT_EQ(j["leftTop"], Json::parse("[-1.5, 2.25]"));
    EXPECT_EQ(j["selected"], 1);
    EXPECT_EQ(j["flag"], 65535);
    EXPECT_EQ(j["group"], Json::parse(R"j({"signed": -2147483648, "unsigned": 4294967295})j"));
    EXPECT_EQ(j["centre"], Json::parse(R"j(["inf", -0.0])j"));
    EXPECT_TRUE(std::signbit(j["centre"][1].get<double>()));
    EXPECT_EQ(j["vertices"][0][0].get<double>(), 1e-310);
    EXPECT_EQ(j["vertices"][1][0], "nan");
    EXPECT_EQ(j["text"], "caf\u00e9 \u0001\u00ff");
    EXPECT_EQ(j["block"], "00ff10ab");
    ASSERT_EQ(j["parts"].size(), 1u);
    EXPECT_EQ(j["parts"][0]["class"], "CShapeObj");
    EXPECT_EQ(j["parts"][0]["points"], Json::parse("[[0.0, 0.0], [7.0, 8.0]]"));
    EXPECT_EQ(j["parts"][0]["pen"].size(), 5u);
    EXPECT_EQ(j["parts"][0]["brush"].size(), 4u);
}

TEST_F(JsonDocumentTest, FieldsReadBackBitForBit) {
    CJsonProbe p = Filled();
    // Other NaN payloads and signs survive too.
    p.f64 = FromBits(0xFFF8000000000001ull);
    Json j = JsonFromText(JsonToText(ObjectToJson(p)));
    EXPECT_EQ(j["value"], "nan(0xfff8000000000001)");
    CJsonProbe q;
    ReadObjectFields(j, q, nullptr);
    EXPECT_EQ(Bits(q.m_leftTop.x), Bits(-1.5));
    EXPECT_EQ(q.m_bSelected, 1);
    EXPECT_EQ(q.flag, 65535);
    EXPECT_EQ(q.i32, p.i32);
    EXPECT_EQ(q.u32, p.u32);
    EXPECT_EQ(Bits(q.f64), 0xFFF8000000000001ull);
    EXPECT_EQ(Bits(q.centre.x), Bits(p.centre.x));
    EXPECT_EQ(Bits(q.centre.y), Bits(-0.0));
    ASSERT_EQ(q.vertices.size(), 2u);
    EXPECT_EQ(Bits(q.vertices[0].x), Bits(1e-310));
    EXPECT_EQ(Bits(q.vertices[1].x), Bits(p.vertices[1].x));
    EXPECT_EQ(q.text, p.text);
    EXPECT_EQ(q.block, p.block);
    ASSERT_EQ(q.parts.size(), 1u);
    auto* shape = dynamic_cast<CShapeObj*>(q.parts[0]);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->m_nPoints, 2);
    EXPECT_EQ(shape->m_points[1], CWorldPoint(7, 8));
    // Byte blocks may also be given as numbers.
    j["block"] = Json::parse("[1, 2, 3, 255]");
    ReadObjectFields(j, q, nullptr);
    EXPECT_EQ(q.block, (std::vector<std::uint8_t>{1, 2, 3, 255}));
}

// Each edit of a valid probe must be refused, naming the field.
struct BadField {
    const char* patch;  // JSON merge patch applied to the valid object
    const char* where;
};

TEST_F(JsonDocumentTest, MalformedFieldsAreRefusedWithTheirPlace) {
    const BadField cases[] = {
        {R"j({"flag": null})j", "flag: missing"},
        {R"j({"group": {"signed": null}})j", "group.signed: missing"},
        {R"j({"group": 5})j", "group.signed: missing"},
        {R"j({"extra": 1})j", "extra: unknown"},
        {R"j({"group": {"extra": 1}})j", "group.extra: unknown"},
        {R"j({"group.signed": 1})j", "group.signed: unknown"},
        {R"j({"flag": 65536})j", "flag: integer out of range"},
        {R"j({"flag": -1})j", "flag: integer out of range"},
        {R"j({"flag": 1.0})j", "flag: expected an integer"},
        {R"j({"flag": "1"})j", "flag: expected an integer"},
        {R"j({"group": {"signed": 2147483648}})j", "group.signed: integer out of range"},
        {R"j({"group": {"unsigned": -1}})j", "group.unsigned: integer out of range"},
        {R"j({"group": {"unsigned": 4294967296}})j", "group.unsigned: integer out of range"},
        {R"j({"value": "NaN"})j", "value: expected a number"},
        {R"j({"value": "nan(0x7ff0000000000000)"})j", "value: expected a number"},
        {R"j({"value": "nan(0x7ff800000000000g)"})j", "value: expected a number"},
        {R"j({"value": true})j", "value: expected a number"},
        {R"j({"centre": [1]})j", "centre: expected a point"},
        {R"j({"centre": [1, 2, 3]})j", "centre: expected a point"},
        {R"j({"vertices": [[1, 2], [3]]})j", "vertices: expected a point"},
        {R"j({"vertices": {}})j", "vertices: expected an array"},
        {R"j({"text": "\u0100"})j", "text: characters beyond U+00FF"},
        {R"j({"text": 3})j", "text: expected a string"},
        {R"j({"block": "00ff10"})j", "block: expected 4 bytes"},
        {R"j({"block": "00ff10zz"})j", "block: not a hexadecimal string"},
        {R"j({"block": [1, 2, 3, 256]})j", "block: integer out of range"},
        {R"j({"parts": [{"class": "CNoSuchClass"}]})j", "parts[0].class: unknown class"},
        {R"j({"parts": [3]})j", "parts[0]: expected an object"},
        {R"j({"parts": [{"class": "CMyObj", "leftTop": [0, 0], "rightBottom": [0, 0]}]})j",
         "parts[0].selected: missing"},
    };
    const Json valid = ObjectToJson(Filled());
    for (const BadField& c : cases) {
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
    CGyrDoc doc;
    host.document = &doc;
    doc.OnNewDocument();
    auto* shape = new CShapeObj(3);
    shape->SetDocument(&doc);
    doc.AddObject(shape);
    const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    Json j = DocumentToJson(doc);
    ASSERT_EQ(j["objects"].size(), 2u);

    const char* bad[] = {
        R"j({"objects": []})j",
        R"j({"objects": {}})j",
        R"j({})j",
        R"j([])j",
        R"j({"objects": [{"class": "CShapeObj"}]})j",
        R"j({"objects": [3]})j",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_THROW(DocumentFromJson(Json::parse(text), doc), JsonDocumentError);
        EXPECT_EQ(doc.Objects().size(), 2u) << "a refused JSON text changed the document";
    }
    Json swapped = j;
    std::swap(swapped["objects"][0], swapped["objects"][1]);
    EXPECT_THROW(DocumentFromJson(swapped, doc), JsonDocumentError);
    Json extra = j;
    extra["title"] = "x";
    EXPECT_THROW(DocumentFromJson(extra, doc), JsonDocumentError);
    EXPECT_THROW(JsonFromText("{\"objects\": [}"), JsonDocumentError);
    EXPECT_THROW(JsonFromText("[1e999]"), JsonDocumentError);
    EXPECT_THROW(JsonFromText("\"\xFF\""), JsonDocumentError);

    CGyrDoc other;
    DocumentFromJson(j, other);
    EXPECT_EQ(other.SaveToBytes(), bytes);
    EXPECT_EQ(other.m_sheetParams, static_cast<CAxes*>(other.Objects()[0])->m_params);
    EXPECT_EQ(other.Objects()[1]->m_pDocument, &other);
    EXPECT_FALSE(other.IsModified());
}

TEST_F(JsonDocumentTest, TextFormIsIndentedWithPointsOnOneLine) {
    CShapeObj shape(2);
    shape.m_points[1] = {0.5, -2};
    std::string text = JsonToText(ObjectsToJson({&shape}));
    EXPECT_NE(text.find("\n      \"points\": [\n        [0.0, 0.0],\n        [0.5, -2.0]\n"
                        "      ]"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(JsonFromText(text), ObjectsToJson({&shape}));
    CShapeObj empty;
    EXPECT_NE(JsonToText(ObjectToJson(empty)).find("\"points\": []"), std::string::npos);
}

}  // namespace
}  // namespace gyr

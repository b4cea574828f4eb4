#include "app/json_document.h"

#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <set>
#include <string_view>

#include "figures/class_registry.h"
#include "math/text_codec.h"
#include "model/archive.h"
#include "model/axes.h"
#include "model/document.h"
#include "model/my_obj.h"
#include "model/runtime_class.h"

namespace gyr {

namespace {

constexpr std::uint64_t kQuietNanBits = 0x7FF8000000000000ull;

Json DoubleToJson(double v) {
    if (std::isfinite(v)) return v;
    if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
    std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
    if (bits == kQuietNanBits) return "nan";
    char text[32];
    std::snprintf(text, sizeof text, "nan(0x%016" PRIx64 ")", bits);
    return text;
}

const char kHex[] = "0123456789abcdef";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string ToBase64(const std::vector<std::uint8_t>& b, std::size_t size) {
    std::string out;
    out.reserve((size + 2) / 3 * 4);
    for (std::size_t i = 0; i < size; i += 3) {
        const std::uint32_t v = (std::uint32_t(b[i]) << 16) |
                                (i + 1 < size ? std::uint32_t(b[i + 1]) << 8 : 0) |
                                (i + 2 < size ? std::uint32_t(b[i + 2]) : 0);
        out += kBase64[(v >> 18) & 63];
        out += kBase64[(v >> 12) & 63];
        out += i + 1 < size ? kBase64[(v >> 6) & 63] : '=';
        out += i + 2 < size ? kBase64[v & 63] : '=';
    }
    return out;
}

// Strict: the canonical padded form only, so that every text has one meaning.
bool FromBase64(const std::string& s, std::vector<std::uint8_t>& out) {
    out.clear();
    if (s.size() % 4) return false;
    out.reserve(s.size() / 4 * 3);
    auto digit = [](char c) -> int {
        if (c >= 'A' && c <= 'Z') return c - 'A';
        if (c >= 'a' && c <= 'z') return c - 'a' + 26;
        if (c >= '0' && c <= '9') return c - '0' + 52;
        if (c == '+') return 62;
        if (c == '/') return 63;
        return -1;
    };
    for (std::size_t i = 0; i < s.size(); i += 4) {
        const bool last = i + 4 == s.size();
        const int pad = last ? (s[i + 3] == '=') + (s[i + 2] == '=') : 0;
        if (pad == 1 && s[i + 2] == '=') return false;
        int d[4];
        for (int k = 0; k < 4; ++k) {
            d[k] = k >= 4 - pad ? 0 : digit(s[i + std::size_t(k)]);
            if (d[k] < 0) return false;
        }
        const std::uint32_t v = std::uint32_t(d[0] << 18 | d[1] << 12 | d[2] << 6 | d[3]);
        out.push_back(std::uint8_t(v >> 16));
        if (pad < 2) out.push_back(std::uint8_t(v >> 8));
        if (pad < 1) out.push_back(std::uint8_t(v));
        // Bits the padding drops must be zero.
        if ((pad == 1 && (v & 0xFF)) || (pad == 2 && (v & 0xFFFF))) return false;
    }
    return true;
}

std::vector<std::string_view> SplitName(std::string_view name) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        std::size_t dot = name.find('.', start);
        parts.push_back(name.substr(start, dot - start));
        if (dot == std::string_view::npos) return parts;
        start = dot + 1;
    }
}

// Writes each field into one JSON object, in the order the class lists them.
class JsonWriter : public CFieldExchange {
public:
    explicit JsonWriter(Json& out) : m_out(out) {}

    bool IsLoading() const override { return false; }
    CGyrDoc* Document() const override { return nullptr; }

    // Stored as the archive stores them, so the JSON shows the file's values.
    void U8(const char* name, std::uint8_t& v) override { Slot(name) = v; }
    void U16(const char* name, std::int32_t& v) override { Slot(name) = std::uint16_t(v); }
    void I32(const char* name, std::int32_t& v) override { Slot(name) = v; }
    void U32(const char* name, std::uint32_t& v) override { Slot(name) = v; }
    void F64(const char* name, double& v) override { Slot(name) = DoubleToJson(v); }
    void Point(const char* name, CWorldPoint& p) override { Slot(name) = PointToJson(p); }
    void Points(const char* name, std::vector<CWorldPoint>& pts) override {
        Json arr = Json::array();
        for (const CWorldPoint& p : pts) arr.push_back(PointToJson(p));
        Slot(name) = std::move(arr);
    }
    void String(const char* name, std::string& s) override { Slot(name) = SanitizeUtf8(s); }
    void Bytes(const char* name, std::vector<std::uint8_t>& b, std::size_t size) override {
        std::string hex;
        hex.reserve(2 * size);
        for (std::size_t i = 0; i < size; ++i) {
            std::uint8_t v = i < b.size() ? b[i] : 0;
            hex += kHex[v >> 4];
            hex += kHex[v & 15];
        }
        Slot(name) = std::move(hex);
    }
    void SizedBlob(const char* name, std::vector<std::uint8_t>& b) override {
        Slot(name) = ToBase64(b, b.size());
    }
    void Blob(const char* name, std::vector<std::uint8_t>& b, std::size_t size) override {
        Slot(name) = ToBase64(b, std::min(size, b.size()));
    }
    void Objects(const char* name, std::vector<CObject*>& list, const CRuntimeClass*) override {
        Json arr = Json::array();
        for (const CObject* obj : list) arr.push_back(obj ? ObjectToJson(*obj) : Json());
        Slot(name) = std::move(arr);
    }

private:
    static Json PointToJson(const CWorldPoint& p) {
        return Json::array({DoubleToJson(p.x), DoubleToJson(p.y)});
    }

    // A fresh place for a field; a class naming one field twice is a
    // programming error that would make the JSON form ambiguous.
    Json& Slot(const char* name) {
        Json* node = &m_out;
        auto parts = SplitName(name);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            std::string key(parts[i]);
            bool last = i + 1 == parts.size();
            if (node->contains(key) && (last || !(*node)[key].is_object()))
                throw std::logic_error(std::string("field named twice: ") + name);
            node = &(*node)[key];
            if (!last && node->is_null()) *node = Json::object();
        }
        return *node;
    }

    Json& m_out;
};

CObject* ObjectFromJson(const Json& json, const std::string& where, CGyrDoc* doc, int depth,
                        const CRuntimeClass* kind);

// Reads each field from one JSON object; every key must be consumed.
class JsonReader : public CFieldExchange {
public:
    JsonReader(const Json& in, const std::string& where, CGyrDoc* doc, int depth)
        : m_in(in), m_where(where), m_doc(doc), m_depth(depth) {}

    bool IsLoading() const override { return true; }
    CGyrDoc* Document() const override { return m_doc; }

    void U8(const char* name, std::uint8_t& v) override {
        v = std::uint8_t(Integer(name, Field(name), 0, 0xFF));
    }
    void U16(const char* name, std::int32_t& v) override {
        v = std::int32_t(Integer(name, Field(name), 0, 0xFFFF));
    }
    void I32(const char* name, std::int32_t& v) override {
        v = std::int32_t(Integer(name, Field(name), std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
    }
    void U32(const char* name, std::uint32_t& v) override {
        v = std::uint32_t(Integer(name, Field(name), 0, 0xFFFFFFFFll));
    }
    void F64(const char* name, double& v) override { v = Double(name, Field(name)); }
    void Point(const char* name, CWorldPoint& p) override { p = ToPoint(name, Field(name)); }
    void Points(const char* name, std::vector<CWorldPoint>& pts) override {
        const Json& arr = Field(name);
        if (!arr.is_array()) Fail(name, "expected an array of [x, y] pairs");
        if (arr.size() > 0xFFFFFFFFull) Fail(name, "too many points");
        pts.clear();
        pts.reserve(arr.size());
        for (const Json& p : arr) pts.push_back(ToPoint(name, p));
    }
    void String(const char* name, std::string& s) override {
        const Json& j = Field(name);
        if (!j.is_string()) Fail(name, "expected a string");
        // The parser has checked the UTF-8; memory holds the same text.
        s = j.get_ref<const std::string&>();
    }
    void Bytes(const char* name, std::vector<std::uint8_t>& b, std::size_t size) override {
        const Json& j = Field(name);
        b.assign(size, 0);
        if (j.is_string()) {
            const auto& hex = j.get_ref<const std::string&>();
            if (hex.size() != 2 * size) Fail(name, "expected " + std::to_string(size) + " bytes");
            for (std::size_t i = 0; i < size; ++i) {
                int hi = HexDigit(hex[2 * i]), lo = HexDigit(hex[2 * i + 1]);
                if (hi < 0 || lo < 0) Fail(name, "not a hexadecimal string");
                b[i] = std::uint8_t(hi * 16 + lo);
            }
        } else if (j.is_array()) {
            if (j.size() != size) Fail(name, "expected " + std::to_string(size) + " bytes");
            for (std::size_t i = 0; i < size; ++i) b[i] = std::uint8_t(Integer(name, j[i], 0, 255));
        } else {
            Fail(name, "expected a hexadecimal string or an array of bytes");
        }
    }
    void SizedBlob(const char* name, std::vector<std::uint8_t>& b) override {
        const Json& j = Field(name);
        if (!j.is_string() || !FromBase64(j.get_ref<const std::string&>(), b))
            Fail(name, "expected base64 text");
    }
    void Blob(const char* name, std::vector<std::uint8_t>& b, std::size_t size) override {
        SizedBlob(name, b);
        if (b.size() != size) Fail(name, "expected " + std::to_string(size) + " bytes");
    }
    [[noreturn]] void Fail(const char* name, const char* what) override {
        Fail(std::string(name), std::string(what));
    }
    void Objects(const char* name, std::vector<CObject*>& list,
                 const CRuntimeClass* kind) override {
        const Json& arr = Field(name);
        if (!arr.is_array()) Fail(name, "expected an array of objects");
        if (m_depth >= CArchive::kMaxDepth) Fail(name, "object lists nested too deeply");
        list.reserve(list.size() + arr.size());
        for (std::size_t i = 0; i < arr.size(); ++i) {
            std::string where = Path(name) + "[" + std::to_string(i) + "]";
            list.push_back(ObjectFromJson(arr[i], where, m_doc, m_depth + 1, kind));
        }
    }

    // Every key of the object (but "class") must have been read.
    void CheckAllUsed() const { CheckUsed(m_in, ""); }

private:
    std::string Path(const std::string& name) const { return m_where + "." + name; }

    [[noreturn]] void Fail(const std::string& name, const std::string& what) const {
        throw JsonDocumentError(Path(name) + ": " + what);
    }

    const Json& Field(const char* name) {
        const Json* node = &m_in;
        for (std::string_view part : SplitName(name)) {
            if (!node->is_object()) Fail(name, "missing field");
            auto it = node->find(std::string(part));
            if (it == node->end()) Fail(name, "missing field");
            node = &*it;
        }
        m_used.insert(name);
        return *node;
    }

    void CheckUsed(const Json& obj, const std::string& prefix) const {
        for (auto it = obj.begin(); it != obj.end(); ++it) {
            const std::string& key = it.key();
            if (prefix.empty() && key == "class") continue;
            std::string full = prefix.empty() ? key : prefix + "." + key;
            if (key.find('.') == std::string::npos) {
                if (m_used.count(full)) continue;
                auto next = m_used.lower_bound(full + ".");
                if (it->is_object() && next != m_used.end() && next->rfind(full + ".", 0) == 0) {
                    CheckUsed(*it, full);
                    continue;
                }
            }
            Fail(full, "unknown field");
        }
    }

    std::int64_t Integer(const char* name, const Json& j, std::int64_t lo, std::int64_t hi) const {
        std::int64_t v;
        if (j.is_number_unsigned()) {
            std::uint64_t u = j.get<std::uint64_t>();
            if (u > std::uint64_t(hi)) Fail(name, "integer out of range");
            v = std::int64_t(u);
        } else if (j.is_number_integer()) {
            v = j.get<std::int64_t>();
        } else {
            Fail(name, "expected an integer");
        }
        if (v < lo || v > hi) Fail(name, "integer out of range");
        return v;
    }

    double Double(const char* name, const Json& j) const {
        if (j.is_number()) return j.get<double>();
        if (j.is_string()) {
            const auto& s = j.get_ref<const std::string&>();
            if (s == "inf") return std::numeric_limits<double>::infinity();
            if (s == "-inf") return -std::numeric_limits<double>::infinity();
            if (s == "nan") return std::bit_cast<double>(kQuietNanBits);
            std::uint64_t bits = 0;
            if (s.size() == 23 && s.compare(0, 6, "nan(0x") == 0 && s.back() == ')') {
                bool ok = true;
                for (std::size_t i = 6; i < 22; ++i) {
                    int d = HexDigit(s[i]);
                    ok = ok && d >= 0;
                    bits = bits << 4 | std::uint64_t(d < 0 ? 0 : d);
                }
                double v = std::bit_cast<double>(bits);
                if (ok && std::isnan(v)) return v;
            }
        }
        Fail(name, "expected a number, \"inf\", \"-inf\" or \"nan\"");
    }

    CWorldPoint ToPoint(const char* name, const Json& j) const {
        if (!j.is_array() || j.size() != 2) Fail(name, "expected a point [x, y]");
        return CWorldPoint(Double(name, j[0]), Double(name, j[1]));
    }

    const Json& m_in;
    std::string m_where;
    CGyrDoc* m_doc;
    int m_depth;
    std::set<std::string> m_used;
};

CObject* ObjectFromJson(const Json& json, const std::string& where, CGyrDoc* doc, int depth,
                        const CRuntimeClass* kind) {
    if (!json.is_object()) throw JsonDocumentError(where + ": expected an object");
    auto cls = json.find("class");
    if (cls == json.end() || !cls->is_string())
        throw JsonDocumentError(where + ".class: missing class name");
    const std::string& name = cls->get_ref<const std::string&>();
    const CRuntimeClass* rc = DrawingClasses().Find(name);
    std::unique_ptr<CObject> obj(rc ? rc->CreateObject() : nullptr);
    if (!obj) throw JsonDocumentError(where + ".class: unknown class \"" + name + "\"");
    if (!obj->IsKindOf(kind))
        throw JsonDocumentError(where + ".class: \"" + name + "\" does not belong here");
    JsonReader reader(json, where, doc, depth);
    obj->ExchangeFields(reader);
    reader.CheckAllUsed();
    return obj.release();
}

struct ListOwner {
    CObList list;
    ~ListOwner() {
        for (CMyObj* obj : list) delete obj;
    }
};

}  // namespace

Json ObjectToJson(const CObject& obj) {
    Json out = Json::object();
    out["class"] = obj.GetRuntimeClass()->m_lpszClassName;
    JsonWriter writer(out);
    // Writing leaves the object as it was.
    const_cast<CObject&>(obj).ExchangeFields(writer);
    return out;
}

void ReadObjectFields(const Json& json, CMyObj& obj, CGyrDoc* doc) {
    if (!json.is_object()) throw JsonDocumentError("object: expected an object");
    JsonReader reader(json, "object", doc, 1);
    obj.ExchangeFields(reader);
    reader.CheckAllUsed();
}

Json ObjectsToJson(const CObList& objects) {
    Json arr = Json::array();
    for (const CMyObj* obj : objects) arr.push_back(ObjectToJson(*obj));
    Json out = Json::object();
    out["objects"] = std::move(arr);
    return out;
}

Json DocumentToJson(const CGyrDoc& doc) {
    return ObjectsToJson(doc.Objects());
}

CObList ObjectsFromJson(const Json& json, CGyrDoc* doc) {
    if (!json.is_object()) throw JsonDocumentError("expected an object {\"objects\": [...]}");
    for (auto it = json.begin(); it != json.end(); ++it)
        if (it.key() != "objects") throw JsonDocumentError(it.key() + ": unknown field");
    auto objects = json.find("objects");
    if (objects == json.end() || !objects->is_array())
        throw JsonDocumentError("objects: expected an array of objects");
    if (objects->empty() || !(*objects)[0].is_object() ||
        (*objects)[0].value("class", Json()) != Json(CAxes::kClass.m_lpszClassName))
        throw JsonDocumentError("objects[0]: the first object must be a CAxes");
    ListOwner owner;
    owner.list.reserve(objects->size());
    for (std::size_t i = 0; i < objects->size(); ++i)
        owner.list.push_back(static_cast<CMyObj*>(ObjectFromJson(
            (*objects)[i], "objects[" + std::to_string(i) + "]", doc, 1, &CMyObj::kClass)));
    CObList out;
    out.swap(owner.list);
    return out;
}

void DocumentFromJson(const Json& json, CGyrDoc& doc) {
    // The objects go through the archive so that a JSON document enters the
    // catalogue exactly as the same .gyr file would.
    std::vector<std::uint8_t> bytes;
    {
        ListOwner owner;
        owner.list = ObjectsFromJson(json, &doc);
        CArchive ar(&doc);
        ar.WriteObList(owner.list);
        bytes = ar.TakeBytes();
    }
    try {
        doc.LoadFromBytes(bytes.data(), bytes.size());
    } catch (const CArchiveException& e) {
        throw JsonDocumentError(std::string("objects: ") + e.what());
    }
    // As opening a file does: the head object becomes the sheet.
    CAxes* axes = doc.Sheet();
    axes->Update();
    doc.m_sheetParams = axes->m_params;
    doc.SetModifiedFlag(false);
}

namespace {

bool IsFlatArray(const Json& j) {
    if (!j.is_array()) return false;
    for (const Json& e : j)
        if (e.is_structured()) return false;
    return true;
}

// Two-space indentation, but arrays of plain values (a point, a byte list)
// on one line, so that a point list reads one point per line.
void WriteText(const Json& j, std::string& out, int indent) {
    if (!j.is_structured()) {
        out += j.dump();
        return;
    }
    const bool isObject = j.is_object();
    if (j.empty()) {
        out += isObject ? "{}" : "[]";
        return;
    }
    if (IsFlatArray(j)) {
        out += '[';
        for (std::size_t i = 0; i < j.size(); ++i) {
            if (i) out += ", ";
            out += j[i].dump();
        }
        out += ']';
        return;
    }
    out += isObject ? '{' : '[';
    const std::string pad(std::size_t(indent + 2), ' ');
    bool first = true;
    for (auto it = j.begin(); it != j.end(); ++it) {
        out += first ? "\n" : ",\n";
        first = false;
        out += pad;
        if (isObject) {
            out += Json(it.key()).dump();
            out += ": ";
        }
        WriteText(*it, out, indent + 2);
    }
    out += '\n';
    out.append(std::size_t(indent), ' ');
    out += isObject ? '}' : ']';
}

}  // namespace

std::string JsonToText(const Json& json) {
    std::string out;
    WriteText(json, out, 0);
    out += '\n';
    return out;
}

namespace {

// Refuses nesting deeper than kMaxJsonDepth before anything is built: the
// library's parser keeps its own stack, but copying and comparing values
// recurse, so a text of a few hundred kilobytes of '[' would exhaust the
// thread's stack. A plain scan of the bytes, outside strings.
void CheckNesting(const std::string& text) {
    int depth = 0;
    long line = 1, column = 0;
    bool inString = false, escaped = false;
    for (char c : text) {
        ++column;
        if (c == '\n') {
            ++line;
            column = 0;
        }
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxJsonDepth)
                throw JsonDocumentError("line " + std::to_string(line) + ", column " +
                                        std::to_string(column) + ": nesting deeper than " +
                                        std::to_string(kMaxJsonDepth) + " levels");
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
}

}  // namespace

Json JsonFromText(const std::string& text) {
    CheckNesting(text);
    // The keys seen so far in each object being read, innermost last: a key
    // given twice is refused rather than the last one silently winning.
    std::vector<std::set<std::string>> keys;
    auto callback = [&keys](int, nlohmann::detail::parse_event_t event, Json& parsed) {
        using Event = nlohmann::detail::parse_event_t;
        if (event == Event::object_start) {
            keys.emplace_back();
        } else if (event == Event::object_end) {
            if (!keys.empty()) keys.pop_back();
        } else if (event == Event::key && !keys.empty()) {
            const std::string& key = parsed.get_ref<const std::string&>();
            if (!keys.back().insert(key).second)
                throw JsonDocumentError("duplicate key " + Json(key).dump());
        }
        return true;
    };
    try {
        // A UTF-8 byte-order mark before the text is skipped by the parser.
        return Json::parse(text, callback);
    } catch (const Json::exception& e) {
        // Syntax errors, and numbers beyond the range of a double.
        throw JsonDocumentError(e.what());
    }
}

}  // namespace gyr

#include "model/archive.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "math/text_codec.h"
#include "model/my_obj.h"
#include "model/runtime_class.h"

namespace gyr {

namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kBigTag = 0x7FFF;
constexpr std::uint32_t kClassBit = 0x80000000u;
constexpr std::size_t kMaxClassName = 64;

[[noreturn]] void BadFormat(const char* what) {
    throw CArchiveException(CArchiveException::BadFormat, what);
}

// Smallest encoding of an object in a list: a u16 class tag (components of
// curves have fields of at least six bytes).
constexpr std::size_t kMinReferenceBytes = 2;

}  // namespace

CArchive::CArchive(CGyrDoc* doc) : m_loading(false), m_pDocument(doc) {}

CArchive::CArchive(const std::uint8_t* data, std::size_t size, const CClassTable& classes,
                   CGyrDoc* doc)
    : m_loading(true), m_pDocument(doc), m_pClasses(&classes), m_data(data), m_size(size) {}

void CArchive::WriteBytes(const void* p, std::size_t n) {
    auto* b = static_cast<const std::uint8_t*>(p);
    m_out.insert(m_out.end(), b, b + n);
}

void CArchive::WriteCount(std::uint32_t n) {
    if (n < 0xFFFF) {
        WriteU16(std::uint16_t(n));
    } else {
        WriteU16(0xFFFF);
        WriteU32(n);
    }
}

// Text the code page can hold is written as its bytes (plain ASCII exactly
// as before); any other text in the 16-bit form that readers accept.
void CArchive::WriteString(const std::string& s) {
    std::string bytes;
    const bool narrow = Utf8ToCp1252(s, bytes);
    std::u16string units;
    if (!narrow) {
        units = Utf8ToUtf16(s);
        WriteU8(0xFF);
        WriteU16(0xFFFE);
    }
    const std::size_t n = narrow ? bytes.size() : units.size();
    if (n < 0xFF) {
        WriteU8(std::uint8_t(n));
    } else if (n < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(std::uint16_t(n));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(std::uint32_t(n));
    }
    if (narrow) {
        WriteBytes(bytes.data(), n);
    } else {
        for (char16_t u : units) WriteU16(std::uint16_t(u));
    }
}

void CArchive::WriteObject(const CObject* obj) {
    if (!obj) {
        WriteU16(kNullTag);
        return;
    }
    if (auto it = m_written.find(obj); it != m_written.end()) {
        std::uint32_t i = it->second;
        if (i < kBigTag) {
            WriteU16(std::uint16_t(i));
        } else {
            WriteU16(kBigTag);
            WriteU32(i);
        }
        return;
    }
    const CRuntimeClass* cls = obj->GetRuntimeClass();
    if (auto it = m_written.find(cls); it != m_written.end()) {
        std::uint32_t i = it->second;
        if (i < kBigTag) {
            WriteU16(std::uint16_t(0x8000 | i));
        } else {
            WriteU16(kBigTag);
            WriteU32(kClassBit | i);
        }
    } else {
        std::size_t n = std::strlen(cls->m_lpszClassName);
        WriteU16(kNewClassTag);
        WriteU16(cls->m_wSchema);
        WriteU16(std::uint16_t(n));
        WriteBytes(cls->m_lpszClassName, n);
        m_written.emplace(cls, m_next++);
    }
    m_written.emplace(obj, m_next++);
    const_cast<CObject*>(obj)->Serialize(*this);
}

void CArchive::WriteObList(const CObList& list) {
    WriteCount(std::uint32_t(list.size()));
    for (const CMyObj* obj : list) WriteObject(obj);
}

void CArchive::WriteObjects(const std::vector<CObject*>& list) {
    WriteCount(std::uint32_t(list.size()));
    for (const CObject* obj : list) WriteObject(obj);
}

void CArchive::ThrowEndOfFile() {
    throw CArchiveException(CArchiveException::EndOfFile, "end of file");
}

void CArchive::ReadBytes(void* p, std::size_t n) {
    Require(n);
    if (n) std::memcpy(p, m_data + m_pos, n);
    m_pos += n;
}

std::uint32_t CArchive::ReadCount() {
    std::uint16_t w = ReadU16();
    return w != 0xFFFF ? w : ReadU32();
}

std::string CArchive::ReadString() {
    bool wide = false;
    std::uint32_t n = ReadU8();
    if (n == 0xFF) {
        std::uint16_t w = ReadU16();
        if (w == 0xFFFE) {
            // 16-bit characters; the length follows in the usual forms.
            wide = true;
            n = ReadU8();
            if (n == 0xFF) {
                w = ReadU16();
                n = w == 0xFFFF ? ReadU32() : w;
            }
        } else {
            n = w == 0xFFFF ? ReadU32() : w;
        }
    }
    if (wide) {
        // The bytes must be there before anything is allocated for them.
        const std::uint8_t* p = Take(std::size_t(n) * 2);
        std::u16string units(n, u'\0');
        for (std::uint32_t i = 0; i < n; ++i) units[i] = char16_t(p[2 * i] | (p[2 * i + 1] << 8));
        return Utf16ToUtf8(units.data(), units.size());
    }
    const std::uint8_t* p = Take(n);
    return Cp1252ToUtf8(p, n);
}

CObject* CArchive::ReadAnyObject() {
    std::uint16_t w = ReadU16();
    std::uint32_t tag =
        w == kBigTag ? ReadU32() : ((std::uint32_t(w) & 0x8000u) << 16) | (w & 0x7FFFu);
    const CRuntimeClass* cls = nullptr;
    if (w == kNewClassTag) {
        std::uint16_t schema = ReadU16();
        std::uint16_t len = ReadU16();
        if (len >= kMaxClassName) BadFormat("class name too long");
        char name[kMaxClassName];
        ReadBytes(name, len);
        cls = m_pClasses->Find(std::string_view(name, len));
        if (!cls || cls->m_wSchema != schema) BadFormat("unknown class or schema");
        m_read.push_back(cls);
        ++m_next;
    } else if (!(tag & kClassBit)) {
        if (tag == 0) return nullptr;
        // Every object of a document appears exactly once, so this program
        // never writes a reference to an object already read; accepting one
        // would put the same object into two places and free it twice.
        BadFormat("reference to an object already read");
    } else {
        std::uint32_t i = tag & ~kClassBit;
        if (i < 1 || i >= m_next || !m_read[i]) BadFormat("bad class index");
        cls = m_read[i];
    }
    std::unique_ptr<CObject> obj(cls->CreateObject());
    if (!obj) BadFormat("class cannot be created");
    m_read.push_back(nullptr);
    ++m_next;
    obj->Serialize(*this);
    return obj.release();
}

CMyObj* CArchive::ReadObject() {
    std::unique_ptr<CObject> obj(ReadAnyObject());
    if (obj && !obj->IsKindOf(&CMyObj::kClass)) BadFormat("not a drawing object");
    return static_cast<CMyObj*>(obj.release());
}

template <class List>
void CArchive::ReadList(List& list, const CRuntimeClass* kind) {
    if (++m_depth > kMaxDepth) BadFormat("object lists nested too deeply");
    std::uint32_t n = ReadCount();
    // Each object needs at least a class tag.
    if (std::size_t(n) > Remaining() / kMinReferenceBytes)
        BadFormat("object count beyond the data");
    list.reserve(list.size() + n);
    // Only the outermost list: exact reserves for many small nested lists
    // would defeat the vector's geometric growth.
    if (m_depth == 1) m_read.reserve(m_read.size() + n);
    for (std::uint32_t i = 0; i < n; ++i) {
        std::unique_ptr<CObject> obj(ReadAnyObject());
        if (!obj) BadFormat("null object in a list");
        if (!obj->IsKindOf(kind)) BadFormat("object of the wrong class in a list");
        list.push_back(static_cast<typename List::value_type>(obj.release()));
    }
    --m_depth;
}

void CArchive::ReadObList(CObList& list) {
    ReadList(list, &CMyObj::kClass);
}

void CArchive::ReadObjects(std::vector<CObject*>& list, const CRuntimeClass* kind) {
    ReadList(list, kind);
}

namespace {

// A u32 count (below 1 means none), then the points; the count is checked
// against the bytes that remain before anything is allocated.
template <class Array>
void ExchangePointArray(CArchive& ar, Array& pts) {
    if (ar.IsLoading()) {
        std::int32_t n = std::int32_t(ar.ReadU32());
        if (n < 1) {
            pts.clear();
            return;
        }
        ar.Require(std::size_t(n) * 16);
        if constexpr (requires { pts.AssignForOverwrite(std::size_t(n)); })
            pts.AssignForOverwrite(std::size_t(n));
        else
            pts.assign(std::size_t(n), CWorldPoint{});
        ar.ReadPoints(pts.data(), std::size_t(n));
    } else {
        ar.WriteU32(std::uint32_t(pts.size()));
        for (auto& p : pts) {
            ar.WriteF64(p.x);
            ar.WriteF64(p.y);
        }
    }
}

}  // namespace

void CArchiveExchange::Points(const char*, std::vector<CWorldPoint>& pts) {
    ExchangePointArray(m_ar, pts);
}

void CArchiveExchange::Points(const char*, CPointArray& pts) {
    ExchangePointArray(m_ar, pts);
}

void CArchiveExchange::String(const char*, std::string& s) {
    if (m_ar.IsLoading())
        s = m_ar.ReadString();
    else
        m_ar.WriteString(s);
}

void CArchiveExchange::Bytes(const char*, std::vector<std::uint8_t>& b, std::size_t size) {
    if (m_ar.IsLoading()) {
        m_ar.Require(size);
        b.resize(size);
        m_ar.ReadBytes(b.data(), size);
    } else {
        b.resize(size);
        m_ar.WriteBytes(b.data(), size);
    }
}

void CArchiveExchange::Objects(const char*, std::vector<CObject*>& list,
                               const CRuntimeClass* kind) {
    if (m_ar.IsLoading())
        m_ar.ReadObjects(list, kind);
    else
        m_ar.WriteObjects(list);
}

void CArchiveExchange::SizedBlob(const char*, std::vector<std::uint8_t>& b) {
    if (m_ar.IsLoading()) {
        const std::uint32_t n = m_ar.ReadU32();
        const std::uint8_t* p = m_ar.Take(n);
        b.assign(p, p + n);
    } else {
        m_ar.WriteU32(std::uint32_t(b.size()));
        m_ar.WriteBytes(b.data(), b.size());
    }
}

void CArchiveExchange::Blob(const char*, std::vector<std::uint8_t>& b, std::size_t size) {
    if (m_ar.IsLoading()) {
        const std::uint8_t* p = m_ar.Take(size);
        b.assign(p, p + size);
    } else {
        m_ar.WriteBytes(b.data(), std::min(size, b.size()));
    }
}

void CArchiveExchange::Fail(const char*, const char* what) {
    throw CArchiveException(CArchiveException::BadFormat, what);
}

// Exchanges that know no better store blobs as their plain parts.
void CFieldExchange::SizedBlob(const char* name, std::vector<std::uint8_t>& b) {
    std::uint32_t n = std::uint32_t(b.size());
    U32(name, n);
    Bytes(name, b, n);
}

void CFieldExchange::Blob(const char* name, std::vector<std::uint8_t>& b, std::size_t size) {
    Bytes(name, b, size);
}

void CFieldExchange::Fail(const char* name, const char* what) {
    throw std::runtime_error(std::string(name) + ": " + what);
}

}  // namespace gyr

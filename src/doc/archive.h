#pragma once
// The object archive of .gyr files: a little-endian byte stream of counts,
// strings and object references numbered in one shared sequence of classes
// and objects. Reading never trusts a count further than the bytes that
// remain can justify.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "doc/field_exchange.h"

namespace gyr {

class CObject;
class CMyObj;
class CGyrDoc;
struct CRuntimeClass;

// Every failure while reading is a format error: a damaged or foreign file.
class CArchiveException : public std::runtime_error {
public:
    enum Cause { BadFormat, EndOfFile };
    CArchiveException(Cause cause, const char* what) : std::runtime_error(what), m_cause(cause) {}
    Cause m_cause;
};

class CArchive {
public:
    // A writer appending to its own buffer.
    explicit CArchive(CGyrDoc* doc = nullptr);
    // A reader over bytes that must outlive the archive.
    CArchive(const std::uint8_t* data, std::size_t size, CGyrDoc* doc = nullptr);

    bool IsLoading() const { return m_loading; }
    bool IsStoring() const { return !m_loading; }
    CGyrDoc* Document() const { return m_pDocument; }

    // Writing.
    void WriteU8(std::uint8_t v) { m_out.push_back(v); }
    void WriteU16(std::uint16_t v);
    void WriteU32(std::uint32_t v);
    void WriteF64(double v);
    void WriteBytes(const void* p, std::size_t n);
    void WriteCount(std::uint32_t n);
    void WriteString(const std::string& s);
    void WriteObject(const CObject* obj);
    void WriteObList(const CObList& list);
    void WriteObjects(const std::vector<CObject*>& list);
    const std::vector<std::uint8_t>& Bytes() const { return m_out; }
    std::vector<std::uint8_t> TakeBytes() { return std::move(m_out); }

    // Reading; each throws CArchiveException at the end of the data.
    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    double ReadF64();
    void ReadBytes(void* p, std::size_t n);
    std::uint32_t ReadCount();
    std::string ReadString();
    // A new object (owned by the caller) or null for the null reference.
    CObject* ReadAnyObject();
    // The same, for a place that only holds drawing objects.
    CMyObj* ReadObject();
    // Appends the drawing objects of a list; on failure the objects read so
    // far stay in the list for the caller to delete.
    void ReadObList(CObList& list);
    // The same for any list whose members derive from kind.
    void ReadObjects(std::vector<CObject*>& list, const CRuntimeClass* kind);
    std::size_t Remaining() const { return m_size - m_pos; }
    // Throws unless n more bytes are there.
    void Require(std::size_t n) const;

    // Nested object lists deeper than this are rejected.
    static constexpr int kMaxDepth = 16;

private:
    bool m_loading;
    CGyrDoc* m_pDocument;
    // Writing.
    std::vector<std::uint8_t> m_out;
    std::unordered_map<const void*, std::uint32_t> m_written;
    // Reading.
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_pos = 0;
    struct Entry {
        const CRuntimeClass* cls;  // a class entry
        CObject* obj;              // or an object entry
    };
    template <class List>
    void ReadList(List& list, const CRuntimeClass* kind);
    std::vector<Entry> m_read{{nullptr, nullptr}};  // index 0 is the null reference
    std::uint32_t m_next = 1;  // the next index of the shared numbering
    int m_depth = 0;
};

// A field exchange that reads or writes the archive encoding.
class CArchiveExchange : public CFieldExchange {
public:
    explicit CArchiveExchange(CArchive& ar) : m_ar(ar) {}
    bool IsLoading() const override { return m_ar.IsLoading(); }
    CGyrDoc* Document() const override { return m_ar.Document(); }
    void U16(const char*, std::int32_t& v) override;
    void I32(const char*, std::int32_t& v) override;
    void U32(const char*, std::uint32_t& v) override;
    void F64(const char*, double& v) override;
    void Point(const char*, CWorldPoint& p) override;
    void Points(const char*, std::vector<CWorldPoint>& pts) override;
    void String(const char*, std::string& s) override;
    void Bytes(const char*, std::vector<std::uint8_t>& b, std::size_t size) override;
    void Objects(const char*, std::vector<CObject*>& list, const CRuntimeClass* kind) override;

private:
    CArchive& m_ar;
};

}  // namespace gyr

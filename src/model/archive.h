#pragma once
// The object archive of .gyr files: a little-endian byte stream of counts,
// strings and object references numbered in one shared sequence of classes
// and objects. Reading never trusts a count further than the bytes that
// remain can justify.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/field_exchange.h"
#include "model/point_array.h"

namespace gyr {

class CObject;
class CMyObj;
class CClassTable;
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
    // A reader over bytes that must outlive the archive; it creates the
    // classes of the table.
    CArchive(const std::uint8_t* data, std::size_t size, const CClassTable& classes,
             CGyrDoc* doc = nullptr);

    bool IsLoading() const { return m_loading; }
    bool IsStoring() const { return !m_loading; }
    CGyrDoc* Document() const { return m_pDocument; }

    // Writing.
    void WriteU8(std::uint8_t v) { m_out.push_back(v); }
    void WriteU16(std::uint16_t v) {
        std::uint8_t b[2] = {std::uint8_t(v), std::uint8_t(v >> 8)};
        m_out.insert(m_out.end(), b, b + 2);
    }
    void WriteU32(std::uint32_t v) {
        std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                             std::uint8_t(v >> 24)};
        m_out.insert(m_out.end(), b, b + 4);
    }
    void WriteF64(double v) {
        const auto u = std::bit_cast<std::uint64_t>(v);
        WriteU32(std::uint32_t(u));
        WriteU32(std::uint32_t(u >> 32));
    }
    void WriteBytes(const void* p, std::size_t n);
    void WriteCount(std::uint32_t n);
    void WriteString(const std::string& s);
    void WriteObject(const CObject* obj);
    void WriteObList(const CObList& list);
    void WriteObjects(const std::vector<CObject*>& list);
    const std::vector<std::uint8_t>& Bytes() const { return m_out; }
    std::vector<std::uint8_t> TakeBytes() { return std::move(m_out); }

    // Reading; each throws CArchiveException at the end of the data.
    std::uint8_t ReadU8() {
        Require(1);
        return m_data[m_pos++];
    }
    std::uint16_t ReadU16() {
        Require(2);
        std::uint16_t v = std::uint16_t(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    std::uint32_t ReadU32() {
        Require(4);
        const std::uint8_t* p = m_data + m_pos;
        std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                          (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
        m_pos += 4;
        return v;
    }
    double ReadF64() {
        Require(8);
        double v;
        std::memcpy(&v, m_data + m_pos, 8);  // the format and every target are little-endian
        m_pos += 8;
        return v;
    }
    // The next n bytes, consumed, after one bounds check.
    const std::uint8_t* Take(std::size_t n) {
        Require(n);
        const std::uint8_t* p = m_data + m_pos;
        m_pos += n;
        return p;
    }
    // Reads n points (x then y each) after one bounds check.
    void ReadPoints(CWorldPoint* out, std::size_t n) {
        Require(n * 16);
        const std::uint8_t* p = m_data + m_pos;
        for (std::size_t i = 0; i < n; ++i, p += 16) {
            std::memcpy(&out[i].x, p, 8);
            std::memcpy(&out[i].y, p + 8, 8);
        }
        m_pos += n * 16;
    }
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
    void Require(std::size_t n) const {
        if (n > m_size - m_pos) ThrowEndOfFile();
    }

    // Nested object lists deeper than this are rejected.
    static constexpr int kMaxDepth = 16;

private:
    [[noreturn]] static void ThrowEndOfFile();

    bool m_loading;
    CGyrDoc* m_pDocument;
    const CClassTable* m_pClasses = nullptr;  // readers only
    // Writing.
    std::vector<std::uint8_t> m_out;
    std::unordered_map<const void*, std::uint32_t> m_written;
    // Reading.
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_pos = 0;
    // The class of each number read so far, null for objects (and for index
    // 0, the null reference). Objects are never referred back to, so only
    // their numbers are kept.
    std::vector<const CRuntimeClass*> m_read{nullptr};
    template <class List>
    void ReadList(List& list, const CRuntimeClass* kind);
    std::uint32_t m_next = 1;  // the next index of the shared numbering
    int m_depth = 0;
};

// A field exchange that reads or writes the archive encoding. Final, with the
// small fields inline, so that code holding the concrete type reads without
// a virtual call per field.
class CArchiveExchange final : public CFieldExchange {
public:
    explicit CArchiveExchange(CArchive& ar) : m_ar(ar) {}
    bool IsLoading() const override { return m_ar.IsLoading(); }
    CArchiveExchange* Archive() override { return this; }
    CArchive& GetArchive() { return m_ar; }
    CGyrDoc* Document() const override { return m_ar.Document(); }
    void U8(const char*, std::uint8_t& v) override {
        if (m_ar.IsLoading())
            v = m_ar.ReadU8();
        else
            m_ar.WriteU8(v);
    }
    void U16(const char*, std::int32_t& v) override {
        if (m_ar.IsLoading())
            v = m_ar.ReadU16();
        else
            m_ar.WriteU16(std::uint16_t(v));
    }
    void I32(const char*, std::int32_t& v) override {
        if (m_ar.IsLoading())
            v = std::int32_t(m_ar.ReadU32());
        else
            m_ar.WriteU32(std::uint32_t(v));
    }
    void U32(const char*, std::uint32_t& v) override {
        if (m_ar.IsLoading())
            v = m_ar.ReadU32();
        else
            m_ar.WriteU32(v);
    }
    void F64(const char*, double& v) override {
        if (m_ar.IsLoading())
            v = m_ar.ReadF64();
        else
            m_ar.WriteF64(v);
    }
    void Point(const char*, CWorldPoint& p) override {
        if (m_ar.IsLoading()) {
            m_ar.ReadPoints(&p, 1);
        } else {
            m_ar.WriteF64(p.x);
            m_ar.WriteF64(p.y);
        }
    }
    void Points(const char*, std::vector<CWorldPoint>& pts) override;
    void Points(const char*, CPointArray& pts);
    void String(const char*, std::string& s) override;
    void Bytes(const char*, std::vector<std::uint8_t>& b, std::size_t size) override;
    void SizedBlob(const char*, std::vector<std::uint8_t>& b) override;
    void Blob(const char*, std::vector<std::uint8_t>& b, std::size_t size) override;
    [[noreturn]] void Fail(const char* name, const char* what) override;
    void Objects(const char*, std::vector<CObject*>& list, const CRuntimeClass* kind) override;

private:
    CArchive& m_ar;
};

}  // namespace gyr

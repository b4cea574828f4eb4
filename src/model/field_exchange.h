#pragma once
// One description of each class's persistent fields serves every format: the
// binary archive reads and writes them in order with their exact encodings,
// the JSON dump names them. A class lists its fields once, in
// ExchangeFields, after calling its base class.
//
// Field names may contain one '.', which groups fields in JSON
// ("pen.style" becomes {"pen": {"style": ...}}).

#include <cstdint>
#include <string>
#include <vector>

#include "math/world_point.h"

namespace gyr {

class CArchiveExchange;
class CObject;
class CMyObj;
class CGyrDoc;
struct CRuntimeClass;
using CObList = std::vector<CMyObj*>;

class CFieldExchange {
public:
    virtual ~CFieldExchange() = default;
    virtual bool IsLoading() const = 0;
    // The binary archive, when this is it: hot loaders use it directly.
    virtual CArchiveExchange* Archive() { return nullptr; }
    // The document that loaded objects belong to (may be null).
    virtual CGyrDoc* Document() const = 0;

    virtual void U8(const char* name, std::uint8_t& v) = 0;
    // An int kept in memory as 32 bits but stored as u16 (flags, booleans).
    virtual void U16(const char* name, std::int32_t& v) = 0;
    virtual void I32(const char* name, std::int32_t& v) = 0;
    virtual void U32(const char* name, std::uint32_t& v) = 0;
    virtual void F64(const char* name, double& v) = 0;
    // Two doubles, x then y.
    virtual void Point(const char* name, CWorldPoint& p) = 0;
    // A u32 count followed by that many points. Loading a count below 1
    // leaves the array empty.
    virtual void Points(const char* name, std::vector<CWorldPoint>& pts) = 0;
    // An archive string (length prefix, 8-bit text).
    virtual void String(const char* name, std::string& s) = 0;
    // A fixed-size block of raw bytes.
    virtual void Bytes(const char* name, std::vector<std::uint8_t>& b, std::size_t size) = 0;
    // A u32 byte count, then the bytes (bitmaps, metafiles). Loading checks
    // the count against the bytes that remain before anything is allocated.
    virtual void SizedBlob(const char* name, std::vector<std::uint8_t>& b);
    // Exactly size bytes, whose count the fields before them gave; the same
    // check. Both are base64 text in JSON.
    virtual void Blob(const char* name, std::vector<std::uint8_t>& b, std::size_t size);
    // Rejects what was loaded (a value no object may hold): the archive's
    // format error, the JSON reader's field error.
    [[noreturn]] virtual void Fail(const char* name, const char* what);
    // A nested object list (count, then object references), sharing the
    // archive's numbering. Loaded objects must be of the given class or one
    // derived from it; they are appended, and owned by the caller even when
    // loading fails part-way.
    virtual void Objects(const char* name, std::vector<CObject*>& list,
                         const CRuntimeClass* kind) = 0;
};

// A typed nested list: T is a serialisable class with a kClass record.
template <class T>
void ExchangeList(CFieldExchange& fx, const char* name, std::vector<T*>& list) {
    std::vector<CObject*> objects(list.begin(), list.end());
    struct Adopt {
        std::vector<CObject*>& from;
        std::vector<T*>& to;
        ~Adopt() {
            to.clear();
            for (CObject* o : from) to.push_back(static_cast<T*>(o));
        }
    } adopt{objects, list};
    fx.Objects(name, objects, &T::kClass);
}

}  // namespace gyr

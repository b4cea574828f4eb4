#pragma once
// The root of everything the archive can write: a run-time class record and
// the persistent fields. Drawing objects (CMyObj) and curve components
// (Compo) both derive from it.

#include "model/field_exchange.h"
#include "model/runtime_class.h"

namespace gyr {

class CArchive;

class CObject {
public:
    static const CRuntimeClass kClass;

    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;

    virtual const CRuntimeClass* GetRuntimeClass() const { return &kClass; }
    // The persistent fields of this class, after its base's.
    virtual void ExchangeFields(CFieldExchange& fx) { (void)fx; }
    // Reads or writes this object's fields in the archive format.
    void Serialize(CArchive& ar);

    bool IsKindOf(const CRuntimeClass* c) const { return GetRuntimeClass()->IsDerivedFrom(c); }
};

}  // namespace gyr

#pragma once
// Run-time class records: every drawing class has one (name, schema 1, a
// factory, its base). The file format depends on the names.

#include <cstdint>
#include <span>
#include <string_view>

namespace gyr {

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    std::uint16_t m_wSchema;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    bool IsDerivedFrom(const CRuntimeClass* base) const {
        for (auto* c = this; c; c = c->m_pBaseClass)
            if (c == base) return true;
        return false;
    }
};

// The classes a reader may create, looked up by exact, case-sensitive name.
// Each layer that adds classes offers the table of everything it knows; the
// document is handed the one it loads with.
class CClassTable {
public:
    explicit constexpr CClassTable(std::span<const CRuntimeClass* const> classes)
        : m_classes(classes) {}
    const CRuntimeClass* Find(std::string_view name) const;
    std::span<const CRuntimeClass* const> Classes() const { return m_classes; }

private:
    std::span<const CRuntimeClass* const> m_classes;
};

// The object model's own classes: CMyObj, CShapeObj and the sheet CAxes.
const CClassTable& ModelClasses();

}  // namespace gyr

// Declares the run-time class record of a serialisable class.
#define GYR_DECLARE_SERIAL(Name)                                   \
public:                                                            \
    static const ::gyr::CRuntimeClass kClass;                      \
    static ::gyr::CObject* CreateInstance();                       \
    const ::gyr::CRuntimeClass* GetRuntimeClass() const override { \
        return &kClass;                                            \
    }

// A drawing class: its record plus the virtual operations that every concrete
// drawing class implements the same way.
#define GYR_DECLARE_CLASS(Name)                   \
    GYR_DECLARE_SERIAL(Name)                      \
    ::gyr::CMyObj* CreateEmpty() const override { \
        return new Name();                        \
    }                                             \
    ::gyr::CMyObj* Clone() const override {       \
        return new Name(*this);                   \
    }

#define GYR_IMPLEMENT_CLASS(Name, Base)      \
    ::gyr::CObject* Name::CreateInstance() { \
        return new Name();                   \
    }                                        \
    const ::gyr::CRuntimeClass Name::kClass = {#Name, 1, &Name::CreateInstance, &Base::kClass};

// The record of a serialisable class that is not a drawing object.
#define GYR_IMPLEMENT_SERIAL(Name, Base) GYR_IMPLEMENT_CLASS(Name, Base)

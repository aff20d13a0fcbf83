#pragma once

#include <windows.h>
#include <oleauto.h>

#include "base/wide_string.h"
#include "win32/platform/unique_owner.h"

namespace quillmont::win32 {

// One reference to a COM object, given back with Release.
template <typename Interface>
struct ComReleaser {
    using Handle = Interface*;
    static Handle empty() { return nullptr; }
    static bool valid(Handle object) { return object != nullptr; }
    static void close(Handle object) { object->Release(); }
};

// Holds one reference to a COM object and releases it exactly once; receive()
// is for a call that hands out a new reference.
template <typename Interface>
class UniqueCom : public UniqueOwner<ComReleaser<Interface>> {
public:
    using UniqueOwner<ComReleaser<Interface>>::UniqueOwner;

    Interface* operator->() const { return this->get(); }
    // For QueryInterface and CoCreateInstance, which hand the reference out as void*.
    void** receiveVoid() { return reinterpret_cast<void**>(this->receive()); }
};

// A BSTR, freed with SysFreeString.
struct BstrFreer {
    using Handle = BSTR;
    static Handle empty() { return nullptr; }
    static bool valid(Handle text) { return text != nullptr; }
    static void close(Handle text) { SysFreeString(text); }
};

// Owns one BSTR and frees it exactly once; release() hands it to a new owner,
// such as a VARIANT.
class UniqueBstr : public UniqueOwner<BstrFreer> {
public:
    UniqueBstr() = default;
    // A copy of the text; invalid when it could not be allocated.
    explicit UniqueBstr(const WideString& text)
        : UniqueOwner(
              SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()))) {}

    // A null BSTR is the empty text.
    WideString text() const {
        return WideString(reinterpret_cast<const char16_t*>(get()), SysStringLen(get()));
    }
};

// Owns one VARIANT and clears it exactly once. Move-only. Not a UniqueOwner:
// the VARIANT is held by value and cleared in place, not closed through a handle.
class UniqueVariant {
public:
    UniqueVariant() { VariantInit(&value_); }
    UniqueVariant(UniqueVariant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
    UniqueVariant& operator=(UniqueVariant&& other) noexcept {
        if (this != &other) {
            VariantClear(&value_);
            value_ = other.value_;
            VariantInit(&other.value_);
        }
        return *this;
    }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&value_); }

    VARIANT* get() { return &value_; }
    const VARIANT& value() const { return value_; }
    // For a call that fills in a new value.
    VARIANT* receive() {
        VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

}  // namespace quillmont::win32

#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>

#include "base/wide_string.h"

namespace quillmont::win32 {

// Holds one reference to a COM object and releases it exactly once. Move-only,
// no implicit conversions.
template <typename Interface>
class UniqueCom {
public:
    UniqueCom() = default;
    UniqueCom(UniqueCom&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    UniqueCom& operator=(UniqueCom&& other) noexcept {
        if (this != &other) {
            reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    UniqueCom(const UniqueCom&) = delete;
    UniqueCom& operator=(const UniqueCom&) = delete;
    ~UniqueCom() { reset(); }

    Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    bool valid() const { return object_ != nullptr; }
    // For a call that hands out a new reference.
    Interface** receive() {
        reset();
        return &object_;
    }
    void** receiveVoid() { return reinterpret_cast<void**>(receive()); }
    void reset() {
        if (object_ != nullptr) object_->Release();
        object_ = nullptr;
    }

private:
    Interface* object_ = nullptr;
};

// Owns one BSTR and frees it exactly once. Move-only.
class UniqueBstr {
public:
    UniqueBstr() = default;
    // A copy of the text; invalid when it could not be allocated.
    explicit UniqueBstr(const WideString& text)
        : text_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()))) {}
    UniqueBstr(UniqueBstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept {
        if (this != &other) {
            reset();
            text_ = std::exchange(other.text_, nullptr);
        }
        return *this;
    }
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    ~UniqueBstr() { reset(); }

    BSTR get() const { return text_; }
    bool valid() const { return text_ != nullptr; }
    // A null BSTR is the empty text.
    WideString text() const {
        return WideString(reinterpret_cast<const char16_t*>(text_), SysStringLen(text_));
    }
    BSTR* receive() {
        reset();
        return &text_;
    }
    // Hands the string over to a new owner, such as a VARIANT.
    BSTR release() { return std::exchange(text_, nullptr); }
    void reset() {
        SysFreeString(text_);
        text_ = nullptr;
    }

private:
    BSTR text_ = nullptr;
};

// Owns one VARIANT and clears it exactly once. Move-only.
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

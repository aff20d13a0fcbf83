#pragma once

#include <windows.h>

#include <utility>

namespace quillmont::win32 {

// Owns one directory search handle (FindFirstFileW) and ends it with FindClose,
// which is the only call that may end it. Move-only, no implicit conversions.
class UniqueFind {
public:
    UniqueFind() = default;
    explicit UniqueFind(HANDLE search) : search_(search) {}
    UniqueFind(UniqueFind&& other) noexcept : search_(std::exchange(other.search_, INVALID_HANDLE_VALUE)) {}
    UniqueFind& operator=(UniqueFind&& other) noexcept {
        if (this != &other) reset(std::exchange(other.search_, INVALID_HANDLE_VALUE));
        return *this;
    }
    UniqueFind(const UniqueFind&) = delete;
    UniqueFind& operator=(const UniqueFind&) = delete;
    ~UniqueFind() { reset(); }

    HANDLE get() const { return search_; }
    bool valid() const { return search_ != INVALID_HANDLE_VALUE && search_ != nullptr; }
    void reset(HANDLE search = INVALID_HANDLE_VALUE) {
        if (valid()) FindClose(search_);
        search_ = search;
    }

private:
    HANDLE search_ = INVALID_HANDLE_VALUE;
};

}  // namespace quillmont::win32

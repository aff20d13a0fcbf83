#pragma once

#include <utility>

namespace quillmont::win32 {

// Owns one handle of the kind its closer describes and closes it exactly once.
// Move-only, no implicit conversions. The closer provides:
//   using Handle = ...;                 the handle type
//   static Handle empty();              what an owner holds when it holds nothing
//   static bool valid(Handle);          whether a value needs closing
//   static void close(Handle);          the one call that may close it
template <typename Closer>
class UniqueOwner {
public:
    using Handle = typename Closer::Handle;

    UniqueOwner() = default;
    explicit UniqueOwner(Handle handle) : handle_(handle) {}
    UniqueOwner(UniqueOwner&& other) noexcept : handle_(other.release()) {}
    UniqueOwner& operator=(UniqueOwner&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;
    ~UniqueOwner() { reset(); }

    Handle get() const { return handle_; }
    bool valid() const { return Closer::valid(handle_); }
    void reset(Handle handle = Closer::empty()) {
        if (valid()) Closer::close(handle_);
        handle_ = handle;
    }
    // For a call that hands out a new handle through a pointer.
    Handle* receive() {
        reset();
        return &handle_;
    }
    // Hands the handle over to a new owner.
    Handle release() { return std::exchange(handle_, Closer::empty()); }

private:
    Handle handle_ = Closer::empty();
};

}  // namespace quillmont::win32

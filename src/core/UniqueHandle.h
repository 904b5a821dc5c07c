#pragma once

#include <utility>

// Owns one native handle and releases it exactly once. Move-only, so a copy
// can never close the same handle twice. Traits supply the handle type, the
// value meaning "no handle" and how to release one.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Traits::invalid(); }
    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle handle = Traits::invalid()) {
        if (valid()) Traits::release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::invalid();
};

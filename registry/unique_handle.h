#pragma once
// The one owning wrapper for OS handles (registry keys, GDI fonts). Move-only, so a
// handle has exactly one owner and is released exactly once. Portable: it knows
// nothing of the handle type beyond "null means nothing owned".

#include <utility>

template <typename Handle, auto Close> class UniqueHandle {
  public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }

    // For Win32 out-parameters: releases what is owned and hands out the slot.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }
    Handle release() noexcept { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{}) noexcept {
        if (handle_ != Handle{} && handle_ != handle) Close(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_{};
};

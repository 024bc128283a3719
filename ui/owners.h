// Small RAII owners for Win32 handles, COM pointers, BSTRs and VARIANTs.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <utility>

namespace ui {

// Owns a kernel handle; closes it once.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) { Reset(); handle_ = std::exchange(other.handle_, nullptr); }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset() { if (handle_) { CloseHandle(handle_); handle_ = nullptr; } }

private:
    HANDLE handle_ = nullptr;
};

// Owns one reference to a COM object.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& other) : ptr_(other.ptr_) { if (ptr_) ptr_->AddRef(); }
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept { std::swap(ptr_, other.ptr_); return *this; }
    ~ComPtr() { Reset(); }

    // Takes over a reference the caller already owns.
    static ComPtr Adopt(T* ptr) { ComPtr p; p.ptr_ = ptr; return p; }

    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    // Releases what is held and hands out the slot for an out-parameter.
    T** Put() { Reset(); return &ptr_; }
    void Reset() { if (ptr_) { ptr_->Release(); ptr_ = nullptr; } }

    template <typename U>
    ComPtr<U> As() const {
        ComPtr<U> result;
        if (ptr_) ptr_->QueryInterface(__uuidof(U), reinterpret_cast<void**>(result.Put()));
        return result;
    }

private:
    T* ptr_ = nullptr;
};

// Owns a VARIANT; clears it once.
class UniqueVariant {
public:
    UniqueVariant() { VariantInit(&value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&value_); }

    VARIANT* Get() { return &value_; }
    const VARIANT& Ref() const { return value_; }
    VARIANT* Put() { VariantClear(&value_); return &value_; }

private:
    VARIANT value_;
};

// Owns a BSTR; frees it once.
class UniqueBstr {
public:
    UniqueBstr() = default;
    explicit UniqueBstr(BSTR value) : value_(value) {}
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    ~UniqueBstr() { SysFreeString(value_); }

    BSTR Get() const { return value_; }
    BSTR Release() { return std::exchange(value_, nullptr); }

private:
    BSTR value_ = nullptr;
};

}  // namespace ui

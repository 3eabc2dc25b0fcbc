// Owners of COM interface pointers and of a thread's COM initialisation.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <memory>

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(other.ptr_) { other.ptr_ = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            ptr_ = other.ptr_;
            other.ptr_ = nullptr;
        }
        return *this;
    }

    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    // For out-parameters: releases what is held first.
    T** Put() {
        Reset();
        return &ptr_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    void Reset() {
        if (ptr_) {
            ptr_->Release();
            ptr_ = nullptr;
        }
    }

private:
    T* ptr_ = nullptr;
};

// CoInitialize for the life of the object. A thread already in another apartment model gets
// RPC_E_CHANGED_MODE, which must not be balanced by CoUninitialize.
class ComInit {
public:
    ComInit() : result_(CoInitialize(nullptr)) {}
    ~ComInit() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;

private:
    HRESULT result_;
};

struct CoTaskMemFreer {
    void operator()(void* memory) const { CoTaskMemFree(memory); }
};
using UniqueCoTaskString = std::unique_ptr<wchar_t, CoTaskMemFreer>;

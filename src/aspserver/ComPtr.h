#pragma once

#include <unknwn.h>

namespace quill::asp {

// Holds one COM reference and releases it when replaced or destroyed.
template <class T>
class TComPtr {
public:
    TComPtr() = default;
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    ~TComPtr() { Reset(); }

    T* Get() const { return FPointer; }
    T* operator->() const { return FPointer; }
    explicit operator bool() const { return FPointer != nullptr; }

    // Releases what is held and hands out the slot for a call that fills it.
    T** Put() {
        Reset();
        return &FPointer;
    }
    void Reset() {
        if (FPointer) FPointer->Release();
        FPointer = nullptr;
    }

private:
    T* FPointer = nullptr;
};

}  // namespace quill::asp

#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <type_traits>
#include <vector>

namespace quill {

// A sequence of trivially copyable items that keeps its first N items in
// place and spills to the heap only beyond them: a tag's few attributes
// then cost no allocation.
template <class T, size_t N>
class TSmallVector {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    size_t size() const { return FSize; }
    bool empty() const { return FSize == 0; }
    T& operator[](size_t i) { return Data()[i]; }
    const T& operator[](size_t i) const { return Data()[i]; }
    T* begin() { return Data(); }
    T* end() { return Data() + FSize; }
    const T* begin() const { return Data(); }
    const T* end() const { return Data() + FSize; }

    void push_back(const T& item) {
        if (FSize == N && FHeap.empty()) FHeap.assign(FInline.begin(), FInline.end());
        if (FSize >= N)
            FHeap.push_back(item);
        else
            FInline[FSize] = item;
        ++FSize;
    }

    // Removes item i, keeping the order of the others.
    void erase(size_t i) {
        assert(i < FSize);
        T* data = Data();
        for (size_t k = i + 1; k < FSize; ++k) data[k - 1] = data[k];
        --FSize;
        if (!FHeap.empty()) FHeap.pop_back();
        if (FSize == N && !FHeap.empty()) {
            for (size_t k = 0; k < N; ++k) FInline[k] = FHeap[k];
            FHeap.clear();
        }
    }

    // Removes every item for which `drop` holds, keeping the order of the
    // others, in one pass.
    template <class P>
    void erase_if(P drop) {
        T* data = Data();
        size_t kept = 0;
        for (size_t k = 0; k < FSize; ++k)
            if (!drop(data[k])) data[kept++] = data[k];
        FSize = kept;
        if (FHeap.empty()) return;
        if (FSize > N) {
            FHeap.resize(FSize);
            return;
        }
        for (size_t k = 0; k < FSize; ++k) FInline[k] = FHeap[k];
        FHeap.clear();
    }

    void clear() {
        FSize = 0;
        FHeap.clear();
    }

private:
    T* Data() { return FHeap.empty() ? FInline.data() : FHeap.data(); }
    const T* Data() const { return FHeap.empty() ? FInline.data() : FHeap.data(); }

    std::array<T, N> FInline{};
    std::vector<T> FHeap;  // holds every item once there are more than N
    size_t FSize = 0;
};

}  // namespace quill

#pragma once

#include <array>
#include <cstddef>
#include <typeinfo>

namespace quill {

// dynamic_cast<T*> that answers at once for an object of class T itself,
// the common case, where a full cast walks the class tree.
template <class T, class S>
T* ExactOrDynamicCast(S* object) {
    if (object && typeid(*object) == typeid(T)) return static_cast<T*>(object);
    return dynamic_cast<T*>(object);
}

// dynamic_cast<T*> for a run over many objects. Down a deep class tree
// each cast costs hundreds of instructions, more when it fails; its answer
// and the pointer's shift are the same for every object of one
// most-derived class, so the answers for the last few classes are kept.
template <class T>
class TCachedCast {
public:
    template <class S>
    T* operator()(S* object) {
        if (!object) return nullptr;
        const std::type_info* type = &typeid(*object);
        for (const TAnswer& a : FAnswers)
            if (a.Type == type) return a.Matches ? Shifted(object, a.Shift) : nullptr;
        T* cast = dynamic_cast<T*>(object);
        TAnswer& slot = FAnswers[FNext];
        FNext = (FNext + 1) % FAnswers.size();
        slot.Type = type;
        slot.Matches = cast != nullptr;
        slot.Shift = cast ? reinterpret_cast<char*>(cast) - reinterpret_cast<char*>(object) : 0;
        return cast;
    }

private:
    struct TAnswer {
        const std::type_info* Type = nullptr;
        bool Matches = false;
        std::ptrdiff_t Shift = 0;
    };

    template <class S>
    static T* Shifted(S* object, std::ptrdiff_t shift) {
        return reinterpret_cast<T*>(reinterpret_cast<char*>(object) + shift);
    }

    std::array<TAnswer, 4> FAnswers{};
    size_t FNext = 0;
};

}  // namespace quill

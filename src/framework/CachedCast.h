#pragma once

#include <cstddef>
#include <typeinfo>

namespace quill {

// dynamic_cast<T*> for a run over many objects. Down a deep class tree
// each cast costs hundreds of instructions, more when it fails; its answer
// and the pointer's shift are the same for every object of one
// most-derived class, so the last class's answer is kept.
template <class T>
class TCachedCast {
public:
    template <class S>
    T* operator()(S* object) {
        if (!object) return nullptr;
        const std::type_info& type = typeid(*object);
        if (&type != FType) {
            T* cast = dynamic_cast<T*>(object);
            FType = &type;
            FMatches = cast != nullptr;
            FShift = cast ? reinterpret_cast<const char*>(cast) - reinterpret_cast<const char*>(object) : 0;
            return cast;
        }
        if (!FMatches) return nullptr;
        return reinterpret_cast<T*>(reinterpret_cast<char*>(object) + FShift);
    }

private:
    const std::type_info* FType = nullptr;
    bool FMatches = false;
    std::ptrdiff_t FShift = 0;
};

}  // namespace quill

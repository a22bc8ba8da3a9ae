#pragma once

#include <string>

namespace quill {

struct TClassInfo;

// Root of every object whose class name matters (messages, type checks).
class TObject {
public:
    virtual ~TObject() = default;
    virtual std::string ClassName() const { return "TObject"; }
};

// Base of objects whose published properties a stored design sets.
class TPersistent : public TObject {
public:
    std::string ClassName() const override { return "TPersistent"; }

    // Takes over the values of `source`. Classes that know how to copy a
    // source override this; the base refuses every source.
    virtual void CopyValuesFrom(const TPersistent& source);

    // The published properties of the object's class, or null when it
    // publishes none.
    virtual const TClassInfo* PublishedInfo() const { return nullptr; }
};

}  // namespace quill

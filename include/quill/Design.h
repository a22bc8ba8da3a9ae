#pragma once

#include <memory>
#include <string>

#include "quill/Page.h"

namespace quill {

class TFormDesign;

// A stored form design, read and checked once. It never changes after
// loading, so any number of threads may make pages from one Design at the
// same time; copies share the same reading.
class Design {
public:
    // Reads the design file; a device, pipe or directory is refused, and
    // so is a file larger than the design limit.
    static Design FromFile(const std::string& path);
    // Reads a design held in memory; `name` stands for it in messages.
    static Design FromString(const std::string& text, const std::string& name = "<string>");

    // A fresh page form made from the design, for one request.
    Page NewPage() const;

    // The name messages give the design: its path, or the name given.
    const std::string& Name() const;
    // The reading itself, for programs that make forms of their own.
    const TFormDesign& FormDesign() const { return *FDesign; }

private:
    explicit Design(std::shared_ptr<const TFormDesign> design);

    std::shared_ptr<const TFormDesign> FDesign;
};

}  // namespace quill

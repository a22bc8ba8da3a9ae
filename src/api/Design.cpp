#include "quill/Design.h"

#include "api/Registration.h"
#include "framework/DesignLimits.h"
#include "framework/FormReader.h"
#include "platform/AtomicFile.h"

namespace quill {

Design::Design(std::shared_ptr<const TFormDesign> design) : FDesign(std::move(design)) {
    // A design without a page generator fails here, not on every request.
    NewPage();
}

Design Design::FromString(const std::string& text, const std::string& name) {
    RegisterClassesOnce();
    return Design(std::make_shared<const TFormDesign>(text, name));
}

Design Design::FromFile(const std::string& path) {
    // Bounded like every design read, so a device such as /dev/zero is refused.
    return FromString(platform::ReadWholeFile(path, TDesignLimits::kMaxFileBytes), path);
}

Page Design::NewPage() const { return Page(FDesign->CreateForm(), FDesign->FileName()); }

const std::string& Design::Name() const { return FDesign->FileName(); }

}  // namespace quill

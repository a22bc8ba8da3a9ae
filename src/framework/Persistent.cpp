#include "framework/Persistent.h"

#include "framework/Exception.h"
#include "framework/TextHelpers.h"

namespace quill {

void TPersistent::CopyValuesFrom(const TPersistent& source) {
    throw EConvertError(Format("Cannot assign a %s to a %s", {source.ClassName(), ClassName()}));
}

}  // namespace quill

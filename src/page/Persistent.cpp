#include "page/Persistent.h"

#include "page/Exception.h"
#include "page/TextHelpers.h"

namespace quill {

void TPersistent::CopyValuesFrom(const TPersistent& source) {
    throw EConvertError(Format("Cannot assign a %s to a %s", {source.ClassName(), ClassName()}));
}

}  // namespace quill

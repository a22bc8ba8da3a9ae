#pragma once

// The core's errors are part of the public API, so they live with its headers.
#include "quill/Exception.h"

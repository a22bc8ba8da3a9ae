// Defines the GUIDs the server's headers declare, once for the library.
#include <initguid.h>

#include <windows.h>
#include <asptlb.h>

#include "QuillAsp_h.h"

// Defines the GUIDs of the server's and the ASP host's interfaces.
#include <initguid.h>

#include <windows.h>
#include <asptlb.h>

#include "QuillAsp_h.h"

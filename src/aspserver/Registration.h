#pragma once

namespace quill::asp {

// Registers the type library from the library's own file and writes the
// class, InprocServer32, ProgID, Version and TypeLib keys under the
// classes root. Raises Exception when a step fails.
void RegisterServer();

// Unregisters the type library and deletes those keys. Whatever is already
// gone counts as unregistered, so doing it twice succeeds.
void UnregisterServer();

}  // namespace quill::asp

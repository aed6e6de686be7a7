// File-system operations beyond stdio: replacing a file so that a failure at
// any point leaves the old file whole.
#pragma once

#include <cstddef>
#include <string>

namespace files {

// Writes `size` bytes to a temporary file beside `path` (the same name with
// ".tmp" added), flushes it to the disk, renames it over `path` and syncs the
// folder. True when the new file is in place. On failure the file at `path`
// is exactly as it was, the temporary is removed, and `error` says why.
bool replaceFile(const char* path, const void* data, std::size_t size, std::string& error);

// The working directory as an absolute path (as the system spells it, UTF-8
// on this platform), or "." when it cannot be told.
std::string currentFolder();

}  // namespace files

#pragma once

#include <filesystem>
#include <string_view>

namespace tessel {

// Writes a whole file so that a reader only ever sees the old one or the new
// one: the bytes go to a temporary file in the same folder, every write and
// the final flush are checked, and the temporary is renamed into place. A
// symlink at the path is replaced, never written through; a device or FIFO
// there (/dev/null, a pipe) is written directly. Raises std::runtime_error
// "cannot write PATH: REASON" and leaves what was there when anything fails.
void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

} // namespace tessel

#pragma once

#include <string>
#include <string_view>

namespace vantelo {

// Reads a whole file. Raises ELangException naming the file when it cannot.
std::string ReadWholeFile(const std::string& fileName);

// Writes a file so that a failure never costs the previous one: the bytes go
// to a temporary file in the same folder, which is flushed to disk and
// closed; then the previous file becomes its backup (MakeBackupName) and the
// new one takes its name. Raises ELangException naming the file on failure,
// with the previous file still in place.
void WriteFileSafely(const std::string& fileName, std::string_view bytes);

} // namespace vantelo

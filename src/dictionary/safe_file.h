#pragma once

#include <string>
#include <string_view>

namespace vantelo {

// Reads a whole file. Raises ELangException naming the file when it cannot,
// with the given message template ("%s" stands for the file name).
std::string ReadWholeFile(const std::string& fileName,
                          std::string_view failureTemplate = "File %s is not Vantelo dictinary.");

// Writes a file so that a failure never costs the previous one: the bytes go
// to a temporary file in the same folder, which is flushed to disk and
// closed; then the previous file becomes its backup (MakeBackupName) and the
// new one takes its name. Raises ELangException naming the file on failure,
// with the previous file still in place.
void WriteFileSafely(const std::string& fileName, std::string_view bytes);

// For writers that must be given a file name (libraries that write the file
// themselves): creates an empty temporary file in the folder of `fileName`,
// readable and writable by its owner only, and returns its name. Raises
// ELangException naming `fileName` when the folder does not take it.
std::string CreateTemporaryBeside(const std::string& fileName);

// Puts a completely written temporary file (from CreateTemporaryBeside) in
// place of `fileName` as WriteFileSafely does: flushed to disk, given the
// permissions of the file it replaces (or the usual ones), the previous file
// kept as its backup. On failure the temporary file is removed and
// ELangException naming `fileName` is raised, the previous file in place.
void InstallFileSafely(const std::string& temporaryName, const std::string& fileName);

} // namespace vantelo

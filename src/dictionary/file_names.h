#pragma once

#include <string>

namespace vantelo {

// Finds a dictionary file: a name with a folder that exists is kept; else a
// file of that bare name in the program's folder gives its full path; else
// a file of that bare name in the current folder gives the bare name.
// False (and the name unchanged) when none exists.
bool ResolveFileName(std::string& fileName);

// The name a file is moved to before it is overwritten: dict.lgf becomes
// dict.~lgf, my.dict.lgf becomes my.dict.~lgf, in the file's folder (the
// program's folder for a name without one). A name without a dot gets a
// tilde appended: dict becomes dict~.
std::string MakeBackupName(const std::string& fileName);

} // namespace vantelo

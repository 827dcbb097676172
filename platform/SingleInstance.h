// One running copy per program folder. The folder is known by what it is, not by how its path
// is spelt: a symbolic link, a junction, a short 8.3 name, a subst drive or a mapped drive all
// lead to the same folder and so to the same name of the object the copies share.
#pragma once
#include <cstdint>
#include <string>

namespace pw {

// What the system can tell about the program folder, best first.
struct FolderIdentity {
    bool hasFileId = false;          // volume serial number and file index of the folder
    std::uint32_t volumeSerial = 0;
    std::uint64_t fileIndex = 0;
    std::string finalPath;           // the folder's final path, links resolved ("" if unknown)
    std::string path;                // the path the program was started by
};

// The name of the named object that marks a running copy for this folder, compared without
// regard to letter case as Windows compares paths: "Local\Pagewick-<16 hex digits>".
std::string InstanceObjectName(const FolderIdentity& folder);

}  // namespace pw

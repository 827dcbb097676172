#include "platform/SingleInstance.h"

#include <cstdio>

namespace pw {

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Without the long-path prefix "\\?\" (and "\\?\UNC\" back to "\\"), no trailing backslash.
std::string PlainPath(std::string p) {
    if (p.compare(0, 8, "\\\\?\\UNC\\") == 0) p = "\\\\" + p.substr(8);
    else if (p.compare(0, 4, "\\\\?\\") == 0) p = p.substr(4);
    while (p.size() > 3 && p.back() == '\\') p.pop_back();
    return p;
}

}  // namespace

std::string InstanceObjectName(const FolderIdentity& folder) {
    std::string key;
    if (folder.hasFileId) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "id:%08lx:%016llx", static_cast<unsigned long>(folder.volumeSerial),
                      static_cast<unsigned long long>(folder.fileIndex));
        key = buf;
    } else if (!folder.finalPath.empty()) {
        key = "path:" + Lower(PlainPath(folder.finalPath));
    } else {
        key = "path:" + Lower(PlainPath(folder.path));
    }
    std::uint64_t h = 1469598103934665603ull;   // FNV-1a
    for (unsigned char c : key) h = (h ^ c) * 1099511628211ull;
    char name[64];
    std::snprintf(name, sizeof name, "Local\\Pagewick-%016llx", static_cast<unsigned long long>(h));
    return name;
}

}  // namespace pw

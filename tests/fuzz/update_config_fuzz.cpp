// libFuzzer target for the Live Update configuration reader and the rules applied to what it
// reads: any bytes must parse without a crash, the fields must be pieces of the text, and a
// name the installer rule lets through must be a plain .exe/.msi file name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "update/UpdateConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const pw::UpdateConfig c = pw::ParseUpdateConfig(text);
    if (c.lines < 0 || static_cast<std::size_t>(c.lines) > size) std::abort();
    for (const std::string* field : {&c.updateName, &c.webVersion, &c.installerUrl, &c.sha256}) {
        if (field->find('\r') != std::string::npos) std::abort();   // CR always ends a line
        if (!field->empty() && text.find(*field) == std::string::npos) std::abort();
    }
    if (c.installerFile.find('/') != std::string::npos) std::abort();
    if (c.installerUrl.size() < c.installerFile.size()) std::abort();
    if (pw::InstallerNameProblem(c.installerFile).empty()) {
        for (char ch : c.installerFile)
            if (ch == '\\' || ch == ':' || static_cast<unsigned char>(ch) < 32) std::abort();
        if (c.installerFile.find("..") != std::string::npos) std::abort();
    }
    // The version rule is a strict order: never newer than itself, never both ways.
    std::vector<unsigned long> v;
    if (pw::ParseVersion(c.webVersion, v)) {
        if (pw::IsNewerVersion(c.webVersion, c.webVersion)) std::abort();
        if (pw::IsNewerVersion("1.4.0", c.webVersion) && pw::IsNewerVersion(c.webVersion, "1.4.0")) std::abort();
    }
    std::string hex;
    if (pw::ParseSha256Hex(c.sha256, hex) && hex.size() != 64) std::abort();
    return 0;
}

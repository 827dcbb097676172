// libFuzzer target for the Live Update configuration reader and the rules applied to what it
// reads: any bytes must parse without a crash, the fields must be pieces of the text, and a
// name the installer rule lets through must be a plain .exe/.msi file name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "update/UpdateConfig.h"
#include "update/UpdateSignature.h"

namespace {
// Counts the calls; never says yes, so only the reading of line 5 is exercised.
struct NoSignature : pw::ISignatureCheck {
    int calls = 0;
    bool Sha256(const std::string&, std::string& digest) override {
        digest.assign(32, '\x5a');
        return true;
    }
    bool VerifyP256(const std::string& key, const std::string& digest, const std::string& rs) override {
        if (key.size() != 64 || digest.size() != 32 || rs.size() != 64) std::abort();
        ++calls;
        return false;
    }
};
}  // namespace

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
    // The signature line: whatever it holds, the verdict is never Good without the key's yes,
    // and the signed part lies within the text.
    if (c.signedBytes > size) std::abort();
    NoSignature check;
    const std::string key(64, '\x01');
    if (pw::CheckConfigSignature(text, c, key, check) == pw::SignatureVerdict::Good) std::abort();
    std::string der, rs;
    if (pw::Base64Decode(c.signature, der) && der.size() > c.signature.size()) std::abort();
    if (pw::DerSignatureToRS(text, rs) && rs.size() != 64) std::abort();
    // The numbered names keep the folder.
    const std::string numbered = pw::NumberedName("C:\\d\\" + c.installerFile, 2);
    if (numbered.compare(0, 5, "C:\\d\\") != 0) std::abort();
    return 0;
}

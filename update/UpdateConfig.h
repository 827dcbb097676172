// The Live Update configuration file and the small rules around it, as pure functions:
// text in, fields out. No file or network access here, so other code (and the fuzz target)
// can use them as they are.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pw {

// The most a configuration file and an installer may hold; a server that sends more is
// refused, whatever it announces.
constexpr std::uint64_t kMaxConfigBytes = 64 * 1024;
constexpr std::uint64_t kMaxInstallerBytes = 256ull * 1024 * 1024;

// What the configuration file says, line by line:
//   1 the update's name, 2 its version, 3 the installer's address, 4 the installer's SHA-256
//   in hex, 5 the publisher's signature of lines 1 to 4 (see UpdateSignature.h). Lines end at
//   CR LF or at a lone CR; a lone LF stays inside its line. Lines after the fifth are ignored.
struct UpdateConfig {
    std::string updateName;
    std::string webVersion;
    std::string installerUrl;
    std::string installerFile;   // the part of line 3 after its last "/", or all of it
    std::string sha256;          // line 4 as written (may be empty)
    std::string signature;       // line 5 as written (may be empty)
    std::size_t signedBytes = 0; // length of lines 1 to 4 with their line ends (0: line 4 has none)
    int lines = 0;               // how many lines the text held (0 for an empty text)
};

UpdateConfig ParseUpdateConfig(const std::string& text);

// A version as numbers, part by part: "1.4" -> {1, 4}. Spaces around the text are ignored.
// False for anything that is not one or more dotted decimal numbers (each at most 9 digits).
bool ParseVersion(const std::string& text, std::vector<unsigned long>& parts);
// -1, 0 or 1 as a is older than, equal to or newer than b; missing parts count as 0, so
// "1.4" equals "1.4.0". Both must parse (see ParseVersion).
int CompareVersions(const std::vector<unsigned long>& a, const std::vector<unsigned long>& b);
// True when `web` is a version newer than `current`. A web version that is not a dotted
// number is never offered.
bool IsNewerVersion(const std::string& current, const std::string& web);

// Empty when `name` is safe to create on the desktop; otherwise why not, for the user.
// A safe name is a plain file name ending in ".exe" or ".msi": no folders, no "..", no ":",
// no control characters, no reserved device names.
std::string InstallerNameProblem(const std::string& name);

// The n-th name for a file whose name is taken (n from 2): "setup.exe" -> "setup (2).exe".
// Only the file-name part of `path` changes.
std::string NumberedName(const std::string& path, int n);

// "#0.00": at least one integer digit, exactly two decimals, no grouping (half away from zero).
std::string Format00(double value);

// The SHA-256 line normalised: 64 hex digits in lower case, spaces around ignored. False when
// the line is anything else.
bool ParseSha256Hex(const std::string& line, std::string& hex);

}  // namespace pw

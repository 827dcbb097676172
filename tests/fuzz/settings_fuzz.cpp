// libFuzzer target for the settings reader: any bytes must read without a crash, stop at a
// line within the file, and whatever was read must write back to a file that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* sep : {".", ","}) {
        pw::Settings s;
        const int n = pw::ParseSettings(text, sep, s);
        if (n < 0 || n > pw::kSettingsFileLines) std::abort();
        // What was read writes a sound file; reading that back and writing again is stable.
        const std::string once = pw::FormatSettings(s, sep);
        pw::Settings again;
        if (pw::ParseSettings(once, sep, again) != pw::kSettingsFileLines) std::abort();
        if (pw::FormatSettings(again, sep) != once) std::abort();
    }
    return 0;
}

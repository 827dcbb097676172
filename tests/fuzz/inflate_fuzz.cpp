// The word list's unpacker on any bytes: it never reads or writes out of bounds and never
// hangs; and zlib's own streams of the same bytes (stored, fixed and dynamic blocks) unpack
// to exactly those bytes, while a stream cut short or of the wrong size is refused.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "options/spelling/Inflate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // As a stream: the first two bytes say how much it should unpack to.
    if (size >= 2) {
        std::string out((data[0] | data[1] << 8) % 8192, '\0');
        (void)pw::InflateZlib(data + 2, size - 2, out);
    }
    for (int level : {0, 1, 9}) {
        uLongf packedSize = compressBound(static_cast<uLong>(size));
        std::string packed(packedSize, '\0');
        if (compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize, data, static_cast<uLong>(size), level) != Z_OK)
            std::abort();
        packed.resize(packedSize);
        const auto* p = reinterpret_cast<const unsigned char*>(packed.data());
        std::string out(size, '\0');
        if (!pw::InflateZlib(p, packed.size(), out) || out != std::string(reinterpret_cast<const char*>(data), size))
            std::abort();
        std::string longer(size + 1, '\0');
        if (pw::InflateZlib(p, packed.size(), longer)) std::abort();
        std::string same(size, '\0');
        if (pw::InflateZlib(p, packed.size() - 1, same)) std::abort();
    }
    return 0;
}

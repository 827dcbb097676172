// A short mark of a text or of a file's bytes: its size and a 64-bit hash (FNV-1a). Two equal
// marks stand for equal contents; it tells whether a note changed without keeping a copy.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace pw {

struct ContentMark {
    std::uint64_t hash = 0;
    std::size_t size = 0;
    bool operator==(const ContentMark& o) const { return hash == o.hash && size == o.size; }
    bool operator!=(const ContentMark& o) const { return !(*this == o); }
};

inline ContentMark MarkOf(const std::string& bytes) {
    ContentMark m;
    m.size = bytes.size();
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    m.hash = h;
    return m;
}

}  // namespace pw

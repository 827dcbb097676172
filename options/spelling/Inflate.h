// Unpacks a zlib stream (RFC 1950 around RFC 1951 deflate data), as Python's zlib.compress
// writes the packed word list. Small on purpose: the program unpacks one stream of known size.
#pragma once
#include <cstddef>
#include <string>

namespace pw {

// Unpacks `size` bytes of zlib stream into out, which must unpack to exactly out.size()
// bytes (the header, every block and the Adler-32 checksum are checked). False on any fault.
bool InflateZlib(const unsigned char* data, std::size_t size, std::string& out);

}  // namespace pw

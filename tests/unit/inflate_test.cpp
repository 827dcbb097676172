// The word list's unpacker against zlib's own streams: stored, fixed and dynamic blocks,
// back references that overlap themselves, and damaged or cut streams.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>

#include "options/spelling/Inflate.h"

namespace pw {
namespace {

std::string Pack(const std::string& data, int level) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(data.data()),
                        static_cast<uLong>(data.size()), level),
              Z_OK);
    out.resize(size);
    return out;
}

bool Unpack(const std::string& packed, std::size_t size, std::string* out = nullptr) {
    std::string s(size, '\0');
    const bool ok = InflateZlib(reinterpret_cast<const unsigned char*>(packed.data()), packed.size(), s);
    if (out) *out = s;
    return ok;
}

TEST(Inflate, GivesBackWhatZlibPackedAtEveryLevel) {
    std::mt19937 rng(7);
    std::string words, noise, runs(100000, 'a');
    while (words.size() < 300000) words += "spelling suggestion " + std::to_string(rng() % 5000) + "\n";
    for (int i = 0; i < 70000; ++i) noise.push_back(static_cast<char>(rng()));   // stored blocks
    for (std::size_t i = 0; i < runs.size(); i += 1 + rng() % 300) runs[i] = 'b';  // long overlapping copies
    for (const std::string* data : {&words, &noise, &runs}) {
        for (int level : {0, 1, 6, 9}) {
            std::string out;
            ASSERT_TRUE(Unpack(Pack(*data, level), data->size(), &out)) << level;
            EXPECT_TRUE(out == *data) << level;
        }
    }
    std::string out;
    EXPECT_TRUE(Unpack(Pack("", 9), 0, &out));
    EXPECT_TRUE(Unpack(Pack("x", 9), 1, &out));
    EXPECT_EQ(out, "x");
}

TEST(Inflate, RefusesDamagedCutOrMissizedStreams) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "word" + std::to_string(i % 97) + " ";
    const std::string packed = Pack(text, 9);
    ASSERT_TRUE(Unpack(packed, text.size()));
    EXPECT_FALSE(Unpack(packed, text.size() - 1));
    EXPECT_FALSE(Unpack(packed, text.size() + 1));
    EXPECT_FALSE(Unpack(packed.substr(0, packed.size() - 1), text.size()));
    EXPECT_FALSE(Unpack(packed.substr(0, packed.size() / 2), text.size()));
    EXPECT_FALSE(Unpack(packed + "x", text.size()));
    std::string badChecksum = packed;
    badChecksum.back() ^= 1;
    EXPECT_FALSE(Unpack(badChecksum, text.size()));
    std::string badHeader = packed;
    badHeader[0] = 0x79;
    EXPECT_FALSE(Unpack(badHeader, text.size()));
    // A flipped bit in the blocks is caught: by the codes, the size or the checksum.
    for (std::size_t at = 2; at + 5 < packed.size(); at += 7) {   // not the last byte: its padding
        std::string bad = packed;
        bad[at] ^= static_cast<char>(1 << (at % 8));
        EXPECT_FALSE(Unpack(bad, text.size())) << at;
    }
    EXPECT_FALSE(Unpack("", 0));
    EXPECT_FALSE(Unpack(std::string("\x78\xda", 2), 0));
}

}  // namespace
}  // namespace pw

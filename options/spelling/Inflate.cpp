#include "options/spelling/Inflate.h"

#include <cstdint>

namespace pw {

namespace {

constexpr int kMaxBits = 15;
constexpr int kFastBits = 9;

// A canonical Huffman code: how many codes each length has, the symbols in code order, and a
// table that decodes every code of up to kFastBits bits from that many bits of input at once.
struct Code {
    std::uint16_t count[kMaxBits + 1];
    std::uint16_t symbol[288];
    std::uint16_t fast[1 << kFastBits];   // symbol | length << 12; 0: a longer code
};

// Builds the code from one length per symbol (0: unused). A code that claims more codes than
// its lengths allow is refused; one with fewer is allowed (a single distance code is legal).
bool Build(Code& c, const unsigned char* lengths, int n) {
    for (auto& k : c.count) k = 0;
    for (int s = 0; s < n; ++s) ++c.count[lengths[s]];
    c.count[0] = 0;
    int left = 1;
    for (int len = 1; len <= kMaxBits; ++len) {
        left = left * 2 - c.count[len];
        if (left < 0) return false;
    }
    std::uint16_t next[kMaxBits + 1];
    next[1] = 0;
    for (int len = 1; len < kMaxBits; ++len) next[len + 1] = static_cast<std::uint16_t>(next[len] + c.count[len]);
    for (int s = 0; s < n; ++s)
        if (lengths[s] != 0) c.symbol[next[lengths[s]]++] = static_cast<std::uint16_t>(s);
    for (auto& f : c.fast) f = 0;
    // Codes are sent from their top bit down while the stream's bits are read from the
    // bottom up: each short code fills every table slot whose low bits are its reversed code.
    unsigned code = 0;
    int index = 0;
    for (int len = 1; len <= kFastBits; ++len) {
        for (int k = 0; k < c.count[len]; ++k, ++code, ++index) {
            unsigned reversed = 0;
            for (int b = 0; b < len; ++b) reversed |= ((code >> b) & 1u) << (len - 1 - b);
            for (unsigned slot = reversed; slot < (1u << kFastBits); slot += 1u << len)
                c.fast[slot] = static_cast<std::uint16_t>(c.symbol[index] | len << 12);
        }
        code <<= 1;
    }
    return true;
}

class Reader {
public:
    Reader(const unsigned char* data, std::size_t size) : at_(data), end_(data + size) {}

    // Keeps at least 25 bits in hand; past the end it feeds zeros and counts them.
    void Fill() {
        while (count_ <= 24) {
            const std::uint32_t byte = at_ < end_ ? *at_++ : (++overrun_, 0u);
            bits_ |= byte << count_;
            count_ += 8;
        }
    }
    unsigned Bits(int n) {   // n <= 24
        Fill();
        const unsigned v = bits_ & ((1u << n) - 1);
        bits_ >>= n;
        count_ -= n;
        return v;
    }
    int Decode(const Code& c) {
        Fill();
        const unsigned entry = c.fast[bits_ & ((1u << kFastBits) - 1)];
        if (entry != 0) {
            const int len = static_cast<int>(entry >> 12);
            bits_ >>= len;
            count_ -= len;
            return static_cast<int>(entry & 0xFFF);
        }
        // A longer code: walk the lengths, comparing with the first code of each.
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= kMaxBits; ++len) {
            code |= static_cast<int>(Bits(1));
            const int count = c.count[len];
            if (code - first < count) return c.symbol[index + code - first];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }
    // Drops the bits up to the next byte boundary.
    void Align() {
        const int drop = count_ % 8;
        bits_ >>= drop;
        count_ -= drop;
    }
    // The bytes in hand go back to the input (after Align), so that byte reads continue there.
    void Unread() {
        while (count_ >= 8) {
            if (overrun_ > 0) --overrun_;
            else --at_;
            count_ -= 8;
        }
        bits_ = 0;
        count_ = 0;
    }
    const unsigned char* at_;
    const unsigned char* end_;
    std::uint32_t bits_ = 0;
    int count_ = 0;
    int overrun_ = 0;   // zero bytes fed past the end
};

const std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                        31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const unsigned char kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                        2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const std::uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,    49,    65,    97,    129,
                                          193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const unsigned char kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                          6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const unsigned char kLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// The dynamic block's header: the code lengths of its two codes, themselves Huffman-coded.
bool ReadDynamicCodes(Reader& in, Code& lit, Code& dist) {
    const int nlit = static_cast<int>(in.Bits(5)) + 257;
    const int ndist = static_cast<int>(in.Bits(5)) + 1;
    const int nlen = static_cast<int>(in.Bits(4)) + 4;
    if (nlit > 286 || ndist > 30) return false;
    unsigned char lengths[286 + 30] = {};
    for (int i = 0; i < nlen; ++i) lengths[kLengthOrder[i]] = static_cast<unsigned char>(in.Bits(3));
    Code lencode;
    if (!Build(lencode, lengths, 19)) return false;
    int i = 0;
    while (i < nlit + ndist) {
        const int sym = in.Decode(lencode);
        if (sym < 0) return false;
        if (sym < 16) {
            lengths[i++] = static_cast<unsigned char>(sym);
            continue;
        }
        int repeat;
        unsigned char value = 0;
        if (sym == 16) {
            if (i == 0) return false;
            value = lengths[i - 1];
            repeat = 3 + static_cast<int>(in.Bits(2));
        } else if (sym == 17) {
            repeat = 3 + static_cast<int>(in.Bits(3));
        } else {
            repeat = 11 + static_cast<int>(in.Bits(7));
        }
        if (i + repeat > nlit + ndist) return false;
        while (repeat-- > 0) lengths[i++] = value;
    }
    if (lengths[256] == 0) return false;   // no end-of-block code
    return Build(lit, lengths, nlit) && Build(dist, lengths + nlit, ndist);
}

void FixedCodes(Code& lit, Code& dist) {
    unsigned char lengths[288];
    for (int i = 0; i < 288; ++i) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    Build(lit, lengths, 288);
    for (int i = 0; i < 30; ++i) lengths[i] = 5;
    Build(dist, lengths, 30);
}

std::uint32_t Adler32(const std::string& s) {
    std::uint32_t a = 1, b = 0;
    std::size_t i = 0;
    while (i < s.size()) {
        // 5552 bytes is the most that can be summed before b could pass 32 bits.
        const std::size_t stop = i + 5552 < s.size() ? i + 5552 : s.size();
        for (; i < stop; ++i) {
            a += static_cast<unsigned char>(s[i]);
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }
    return b << 16 | a;
}

}  // namespace

bool InflateZlib(const unsigned char* data, std::size_t size, std::string& out) {
    if (size < 6) return false;
    const unsigned cmf = data[0], flg = data[1];
    if ((cmf & 15) != 8 || (cmf >> 4) > 7 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20) != 0) return false;
    Reader in(data + 2, size - 6);
    const std::size_t want = out.size();
    char* const o = want ? &out[0] : nullptr;
    std::size_t put = 0;
    Code lit, dist;
    bool last = false;
    while (!last) {
        last = in.Bits(1) != 0;
        const unsigned type = in.Bits(2);
        if (type == 0) {
            in.Align();
            in.Unread();
            if (in.end_ - in.at_ < 4) return false;
            const unsigned len = in.at_[0] | in.at_[1] << 8, nlen = in.at_[2] | in.at_[3] << 8;
            in.at_ += 4;
            if (len != (~nlen & 0xFFFFu) || static_cast<std::size_t>(in.end_ - in.at_) < len || want - put < len)
                return false;
            for (unsigned k = 0; k < len; ++k) o[put++] = static_cast<char>(in.at_[k]);
            in.at_ += len;
            continue;
        }
        if (type == 1) FixedCodes(lit, dist);
        else if (type != 2 || !ReadDynamicCodes(in, lit, dist)) return false;
        for (;;) {
            const int sym = in.Decode(lit);
            if (sym < 0 || in.overrun_ > 4) return false;
            if (sym < 256) {
                if (put == want) return false;
                o[put++] = static_cast<char>(sym);
                continue;
            }
            if (sym == 256) break;
            if (sym > 285) return false;
            const std::size_t len = kLengthBase[sym - 257] + in.Bits(kLengthExtra[sym - 257]);
            const int dsym = in.Decode(dist);
            if (dsym < 0 || dsym > 29) return false;
            const std::size_t back = kDistanceBase[dsym] + in.Bits(kDistanceExtra[dsym]);
            if (back > put || want - put < len) return false;
            for (std::size_t k = 0; k < len; ++k, ++put) o[put] = o[put - back];   // may overlap itself
        }
    }
    if (put != want) return false;
    in.Align();
    in.Unread();
    if (in.overrun_ > 0 || in.at_ != in.end_) return false;
    const unsigned char* t = data + size - 4;
    const std::uint32_t stored = static_cast<std::uint32_t>(t[0]) << 24 | t[1] << 16 | t[2] << 8 | t[3];
    return stored == Adler32(out);
}

}  // namespace pw

#include "ssl2/support/CMD5Checksum.h"

#include <cstring>

#include "ssl2/base/TFile.h"

namespace {

// Per-round shift amounts of RFC 1321.
constexpr int S11 = 7, S12 = 12, S13 = 17, S14 = 22;
constexpr int S21 = 5, S22 = 9, S23 = 14, S24 = 20;
constexpr int S31 = 4, S32 = 11, S33 = 16, S34 = 23;
constexpr int S41 = 6, S42 = 10, S43 = 15, S44 = 21;

}  // namespace

CMD5Checksum::CMD5Checksum() : m_lMD5{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

void CMD5Checksum::FF(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                      std::uint32_t x, int s, std::uint32_t t) {
    a = RotateLeft(a + ((b & c) | (~b & d)) + x + t, s) + b;
}

void CMD5Checksum::GG(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                      std::uint32_t x, int s, std::uint32_t t) {
    a = RotateLeft(a + ((b & d) | (c & ~d)) + x + t, s) + b;
}

void CMD5Checksum::HH(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                      std::uint32_t x, int s, std::uint32_t t) {
    a = RotateLeft(a + (b ^ c ^ d) + x + t, s) + b;
}

void CMD5Checksum::II(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                      std::uint32_t x, int s, std::uint32_t t) {
    a = RotateLeft(a + (c ^ (b | ~d)) + x + t, s) + b;
}

void CMD5Checksum::ByteToDWord(std::uint32_t* output, const unsigned char* input,
                               std::uint32_t length) {
    for (std::uint32_t i = 0, j = 0; j < length; ++i, j += 4) {
        output[i] = std::uint32_t{input[j]} | (std::uint32_t{input[j + 1]} << 8) |
                    (std::uint32_t{input[j + 2]} << 16) | (std::uint32_t{input[j + 3]} << 24);
    }
}

void CMD5Checksum::DWordToByte(unsigned char* output, const std::uint32_t* input,
                               std::uint32_t length) {
    for (std::uint32_t i = 0, j = 0; j < length; ++i, j += 4) {
        output[j] = static_cast<unsigned char>(input[i]);
        output[j + 1] = static_cast<unsigned char>(input[i] >> 8);
        output[j + 2] = static_cast<unsigned char>(input[i] >> 16);
        output[j + 3] = static_cast<unsigned char>(input[i] >> 24);
    }
}

void CMD5Checksum::Transform(const unsigned char block[64]) {
    std::uint32_t a = m_lMD5[0], b = m_lMD5[1], c = m_lMD5[2], d = m_lMD5[3];
    std::uint32_t x[16];
    ByteToDWord(x, block, 64);

    FF(a, b, c, d, x[0], S11, 0xd76aa478);
    FF(d, a, b, c, x[1], S12, 0xe8c7b756);
    FF(c, d, a, b, x[2], S13, 0x242070db);
    FF(b, c, d, a, x[3], S14, 0xc1bdceee);
    FF(a, b, c, d, x[4], S11, 0xf57c0faf);
    FF(d, a, b, c, x[5], S12, 0x4787c62a);
    FF(c, d, a, b, x[6], S13, 0xa8304613);
    FF(b, c, d, a, x[7], S14, 0xfd469501);
    FF(a, b, c, d, x[8], S11, 0x698098d8);
    FF(d, a, b, c, x[9], S12, 0x8b44f7af);
    FF(c, d, a, b, x[10], S13, 0xffff5bb1);
    FF(b, c, d, a, x[11], S14, 0x895cd7be);
    FF(a, b, c, d, x[12], S11, 0x6b901122);
    FF(d, a, b, c, x[13], S12, 0xfd987193);
    FF(c, d, a, b, x[14], S13, 0xa679438e);
    FF(b, c, d, a, x[15], S14, 0x49b40821);

    GG(a, b, c, d, x[1], S21, 0xf61e2562);
    GG(d, a, b, c, x[6], S22, 0xc040b340);
    GG(c, d, a, b, x[11], S23, 0x265e5a51);
    GG(b, c, d, a, x[0], S24, 0xe9b6c7aa);
    GG(a, b, c, d, x[5], S21, 0xd62f105d);
    GG(d, a, b, c, x[10], S22, 0x02441453);
    GG(c, d, a, b, x[15], S23, 0xd8a1e681);
    GG(b, c, d, a, x[4], S24, 0xe7d3fbc8);
    GG(a, b, c, d, x[9], S21, 0x21e1cde6);
    GG(d, a, b, c, x[14], S22, 0xc33707d6);
    GG(c, d, a, b, x[3], S23, 0xf4d50d87);
    GG(b, c, d, a, x[8], S24, 0x455a14ed);
    GG(a, b, c, d, x[13], S21, 0xa9e3e905);
    GG(d, a, b, c, x[2], S22, 0xfcefa3f8);
    GG(c, d, a, b, x[7], S23, 0x676f02d9);
    GG(b, c, d, a, x[12], S24, 0x8d2a4c8a);

    HH(a, b, c, d, x[5], S31, 0xfffa3942);
    HH(d, a, b, c, x[8], S32, 0x8771f681);
    HH(c, d, a, b, x[11], S33, 0x6d9d6122);
    HH(b, c, d, a, x[14], S34, 0xfde5380c);
    HH(a, b, c, d, x[1], S31, 0xa4beea44);
    HH(d, a, b, c, x[4], S32, 0x4bdecfa9);
    HH(c, d, a, b, x[7], S33, 0xf6bb4b60);
    HH(b, c, d, a, x[10], S34, 0xbebfbc70);
    HH(a, b, c, d, x[13], S31, 0x289b7ec6);
    HH(d, a, b, c, x[0], S32, 0xeaa127fa);
    HH(c, d, a, b, x[3], S33, 0xd4ef3085);
    HH(b, c, d, a, x[6], S34, 0x04881d05);
    HH(a, b, c, d, x[9], S31, 0xd9d4d039);
    HH(d, a, b, c, x[12], S32, 0xe6db99e5);
    HH(c, d, a, b, x[15], S33, 0x1fa27cf8);
    HH(b, c, d, a, x[2], S34, 0xc4ac5665);

    II(a, b, c, d, x[0], S41, 0xf4292244);
    II(d, a, b, c, x[7], S42, 0x432aff97);
    II(c, d, a, b, x[14], S43, 0xab9423a7);
    II(b, c, d, a, x[5], S44, 0xfc93a039);
    II(a, b, c, d, x[12], S41, 0x655b59c3);
    II(d, a, b, c, x[3], S42, 0x8f0ccc92);
    II(c, d, a, b, x[10], S43, 0xffeff47d);
    II(b, c, d, a, x[1], S44, 0x85845dd1);
    II(a, b, c, d, x[8], S41, 0x6fa87e4f);
    II(d, a, b, c, x[15], S42, 0xfe2ce6e0);
    II(c, d, a, b, x[6], S43, 0xa3014314);
    II(b, c, d, a, x[13], S44, 0x4e0811a1);
    II(a, b, c, d, x[4], S41, 0xf7537e82);
    II(d, a, b, c, x[11], S42, 0xbd3af235);
    II(c, d, a, b, x[2], S43, 0x2ad7d2bb);
    II(b, c, d, a, x[9], S44, 0xeb86d391);

    m_lMD5[0] += a;
    m_lMD5[1] += b;
    m_lMD5[2] += c;
    m_lMD5[3] += d;
}

void CMD5Checksum::Update(const unsigned char* input, std::uint32_t length) {
    std::uint32_t index = (m_nCount[0] >> 3) & 0x3F;
    // Bit count: add length * 8 to the low word with the carry into the high word.
    const std::uint32_t bits = length << 3;
    m_nCount[0] += bits;
    if (m_nCount[0] < bits) {
        ++m_nCount[1];
    }
    m_nCount[1] += length >> 29;

    std::uint32_t i = 0;
    const std::uint32_t partLength = 64 - index;
    if (length >= partLength) {
        std::memcpy(&m_lpszBuffer[index], input, partLength);
        Transform(m_lpszBuffer.data());
        for (i = partLength; length - i >= 64; i += 64) {
            Transform(&input[i]);
        }
        index = 0;
    }
    if (length > i) {
        std::memcpy(&m_lpszBuffer[index], &input[i], length - i);
    }
}

TString CMD5Checksum::Final() {
    unsigned char bits[8];
    DWordToByte(bits, m_nCount.data(), 8);

    static constexpr unsigned char kPadding[64] = {0x80};
    const std::uint32_t index = (m_nCount[0] >> 3) & 0x3f;
    const std::uint32_t padLength = (index < 56) ? (56 - index) : (120 - index);
    Update(kPadding, padLength);
    Update(bits, 8);

    unsigned char digest[16];
    DWordToByte(digest, m_lMD5.data(), 16);

    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(32);
    for (unsigned char byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
    }
    return TString(std::move(text));
}

TString CMD5Checksum::GetMD5(const unsigned char* buffer, unsigned int length) {
    CMD5Checksum md5;
    if (length > 0) {
        md5.Update(buffer, length);
    }
    return md5.Final();
}

TString CMD5Checksum::GetMD5(const TString& text) {
    const std::u16string units = text.AsUnicode();
    std::string bytes;
    bytes.reserve((units.size() + 1) * 2);
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    bytes.append(2, '\0');
    return GetMD5(reinterpret_cast<const unsigned char*>(bytes.data()),
                  static_cast<unsigned int>(bytes.size()));
}

TString CMD5Checksum::GetMD5(TFile& file) {
    CMD5Checksum md5;
    unsigned char chunk[1024];
    std::uint32_t got = 0;
    while ((got = file.Read(chunk, sizeof chunk)) > 0) {
        md5.Update(chunk, got);
    }
    return md5.Final();
}

TString CMD5Checksum::GetMD5OfFile(const TString& path) {
    TFile file(path, TFile::kRead | TFile::kOpenExisting);
    return GetMD5(file);
}

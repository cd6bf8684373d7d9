// CMD5Checksum: MD5 digests (RFC 1321) of byte buffers, files and texts, returned as
// 32 lower-case hexadecimal digits.
//
// Callers use only the static functions; the running digest state is internal.  The
// password and cipher-key code of the record statements hashes texts with the UTF-16
// form: GetMD5(TString("abc")) digests the bytes 61 00 62 00 63 00 00 00.
// All functions are thread-safe (no shared state).
//
//   TString digest = CMD5Checksum::GetMD5OfFile("/data/plan.pdf");
#pragma once

#include <array>
#include <cstdint>

#include "ssl2/base/TString.h"

class TFile;

class CMD5Checksum {
public:
    CMD5Checksum(const CMD5Checksum&) = default;
    CMD5Checksum& operator=(const CMD5Checksum&) = default;
    virtual ~CMD5Checksum() = default;

    /// Digest of `length` bytes at `buffer` (null is allowed when `length` is 0).
    static TString GetMD5(const unsigned char* buffer, unsigned int length);
    /// Digest of everything that can still be read from the opened `file`.
    static TString GetMD5(TFile& file);
    /// Digest of the existing file `path`; raises an error when it cannot be opened.
    static TString GetMD5OfFile(const TString& path);
    /// Digest of the text as UTF-16LE followed by one 16-bit zero code unit.
    static TString GetMD5(const TString& text);

protected:
    CMD5Checksum();

    void Update(const unsigned char* input, std::uint32_t length);
    /// Pads, appends the length and returns the digest text; the state is spent.
    TString Final();
    void Transform(const unsigned char block[64]);

private:
    static std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }
    static void FF(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                   std::uint32_t x, int s, std::uint32_t t);
    static void GG(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                   std::uint32_t x, int s, std::uint32_t t);
    static void HH(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                   std::uint32_t x, int s, std::uint32_t t);
    static void II(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                   std::uint32_t x, int s, std::uint32_t t);
    /// Little-endian bytes to words and back; `length` counts bytes (a multiple of 4).
    static void ByteToDWord(std::uint32_t* output, const unsigned char* input,
                            std::uint32_t length);
    static void DWordToByte(unsigned char* output, const std::uint32_t* input,
                            std::uint32_t length);

    std::array<std::uint32_t, 4> m_lMD5;      ///< chaining words A, B, C, D
    std::array<std::uint32_t, 2> m_nCount{};  ///< message length in bits, low word first
    std::array<unsigned char, 64> m_lpszBuffer{};
};

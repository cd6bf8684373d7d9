// RCThreeWay: the 3-Way block cipher (12-byte key, 12-byte blocks) of Crypto++.
//
// A thin adapter so that callers need neither the Crypto++ headers nor its types:
// the document-box password and the user record are enciphered with it block by
// block (each block on its own, no chaining).  An object holds only its key; it is
// a value and may be used from any thread that owns it.
//
//   RCThreeWay cipher(key);
//   std::vector<std::uint8_t> data = ...;   // a multiple of 12 bytes
//   cipher.Encipher(data);
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// Internal to the library: hidden from the shared library's exports.
#pragma GCC visibility push(hidden)
class RCThreeWay {
public:
    static constexpr std::size_t kKeyLength = 12;
    static constexpr std::size_t kBlockSize = 12;
    using TKey = std::array<std::uint8_t, kKeyLength>;

    explicit RCThreeWay(const TKey& key) : m_Key(key) {}

    /// Enciphers every 12-byte block of `data` in place.  Returns false and leaves
    /// the data unchanged when its length is not a multiple of 12.
    bool Encipher(std::span<std::uint8_t> data) const;
    /// Deciphers every 12-byte block of `data` in place (same rule as Encipher).
    bool Decipher(std::span<std::uint8_t> data) const;

private:
    TKey m_Key;
};
#pragma GCC visibility pop

#include "ssl2/support/CMD5Checksum.h"

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md5.h>

#include <array>
#include <string>

#include "ssl2/base/TFile.h"

struct CMD5Checksum::State {
    CryptoPP::Weak::MD5 hash;
};

CMD5Checksum::CMD5Checksum() : m_pState(std::make_unique<State>()) {}

CMD5Checksum::CMD5Checksum(const CMD5Checksum& other)
    : m_pState(std::make_unique<State>(*other.m_pState)) {}

CMD5Checksum& CMD5Checksum::operator=(const CMD5Checksum& other) {
    *m_pState = *other.m_pState;
    return *this;
}

CMD5Checksum::~CMD5Checksum() = default;

void CMD5Checksum::Update(const unsigned char* input, std::uint32_t length) {
    if (length > 0) {
        m_pState->hash.Update(input, length);
    }
}

TString CMD5Checksum::Final() {
    std::array<CryptoPP::byte, CryptoPP::Weak::MD5::DIGESTSIZE> digest{};
    m_pState->hash.Final(digest.data());

    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * digest.size());
    for (const CryptoPP::byte byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
    }
    return TString(std::move(text));
}

TString CMD5Checksum::GetMD5(const unsigned char* buffer, unsigned int length) {
    CMD5Checksum md5;
    md5.Update(buffer, length);
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

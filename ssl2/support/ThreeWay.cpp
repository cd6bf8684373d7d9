#include "ssl2/support/ThreeWay.h"

#include <cryptopp/3way.h>

namespace {

template <class Cipher>
bool ProcessBlocks(const RCThreeWay::TKey& key, std::span<std::uint8_t> data) {
    if (data.size() % RCThreeWay::kBlockSize != 0)
        return false;
    Cipher cipher(key.data(), key.size());
    for (std::size_t pos = 0; pos < data.size(); pos += RCThreeWay::kBlockSize) {
        cipher.ProcessBlock(data.data() + pos);
    }
    return true;
}

}  // namespace

bool RCThreeWay::Encipher(std::span<std::uint8_t> data) const {
    return ProcessBlocks<CryptoPP::ThreeWay::Encryption>(m_Key, data);
}

bool RCThreeWay::Decipher(std::span<std::uint8_t> data) const {
    return ProcessBlocks<CryptoPP::ThreeWay::Decryption>(m_Key, data);
}

#include "ssl2/SSLStatements/SslEncipheredText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ssl2/support/CMD5Checksum.h"
#include "ssl2/support/ThreeWay.h"

namespace SslEncipheredText {
namespace {

constexpr std::uint32_t kDigitsPerBlock = 2 * RCThreeWay::kBlockSize;

RCThreeWay MakeCipher(const TString& user, const char* constant) {
    const TString digest = CMD5Checksum::GetMD5(user + constant);
    RCThreeWay::TKey key{};
    std::copy_n(digest.str().begin(), key.size(), key.begin());
    return RCThreeWay(key);
}

}  // namespace

bool IsEncipheredForm(const TString& text) {
    return text.GetLength() % kDigitsPerBlock == 0 &&
           std::all_of(text.str().begin(), text.str().end(),
                       [](char c) { return TString::HexDigitValue(c) >= 0; });
}

bool BytesFromHex(const TString& hex, std::string& bytes) {
    const std::string& digits = hex.str();
    if (digits.size() % 2 != 0)
        return false;
    std::string result(digits.size() / 2, '\0');
    for (std::size_t i = 0; i < result.size(); ++i) {
        const int high = TString::HexDigitValue(digits[2 * i]);
        const int low = TString::HexDigitValue(digits[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        result[i] = static_cast<char>(high * 16 + low);
    }
    bytes = std::move(result);
    return true;
}

TString Encipher(const TString& clear, const TString& user, const char* constant) {
    if (clear.IsEmpty())
        return {};
    const std::string bytes = clear.AsAnsi();
    const std::size_t blocks = (bytes.size() + RCThreeWay::kBlockSize - 1) / RCThreeWay::kBlockSize;
    std::vector<std::uint8_t> data(blocks * RCThreeWay::kBlockSize, 0);
    std::copy(bytes.begin(), bytes.end(), data.begin());
    MakeCipher(user, constant).Encipher(data);

    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(data.size() * 2);
    for (std::uint8_t byte : data) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return TString(std::move(hex));
}

TString Decipher(const TString& enciphered, const TString& user, const char* constant) {
    if (enciphered.IsEmpty() || !IsEncipheredForm(enciphered))
        return {};
    std::string bytes;
    BytesFromHex(enciphered, bytes);
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    MakeCipher(user, constant).Decipher(data);
    const auto end =
        std::find_if(data.rbegin(), data.rend(), [](std::uint8_t b) { return b != 0; });
    return TString::FromAnsi(std::string(data.begin(), data.begin() + (data.rend() - end)));
}

}  // namespace SslEncipheredText

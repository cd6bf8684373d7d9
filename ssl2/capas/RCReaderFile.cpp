#include "ssl2/capas/RCReaderFile.h"

#include <fstream>

#include "ssl2/base/TString.h"

namespace SslCapasReader {

std::optional<std::string> ReadBytes(const std::string& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    char chunk[65536];
    while (bytes.size() < limit && in) {
        const std::size_t want = std::min(sizeof chunk, limit - bytes.size());
        in.read(chunk, static_cast<std::streamsize>(want));
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    return bytes;
}

std::string AsReaderText(std::string bytes) {
    const auto starts = [&](const char* bom, std::size_t n) {
        return bytes.size() >= n && bytes.compare(0, n, bom, n) == 0;
    };
    if (starts("\xEF\xBB\xBF", 3))
        return bytes.substr(3);
    const bool little = starts("\xFF\xFE", 2);
    if (!little && !starts("\xFE\xFF", 2))
        return TString::IsUtf8(bytes) ? bytes : TString::FromAnsi(bytes).str();
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
        units.push_back(static_cast<char16_t>(hi << 8 | lo));
    }
    return TString::FromUnicode(units).SaveAsAnsi('#');
}

}  // namespace SslCapasReader

// Tests of the PJL embedding of SSL text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ssl2/set/RCSslSet.h"

namespace {

std::vector<unsigned short> Utf16(const std::u16string& text) {
    std::vector<unsigned short> units(text.begin(), text.end());
    units.push_back(0);
    return units;
}

std::string Embed(const std::u16string& text, std::uint32_t* written = nullptr) {
    const auto units = Utf16(text);
    std::string out(RCSslSet::Ssl2EmbeddedSsl(units.data(), nullptr), '\xAA');
    const std::uint32_t n = RCSslSet::Ssl2EmbeddedSsl(units.data(), out.data());
    if (written != nullptr)
        *written = n;
    EXPECT_EQ(out[n], '\0') << "the output ends with a NUL";
    EXPECT_EQ(n + 1, out.size()) << "the size query is exact";
    out.resize(n);
    return out;
}

TEST(SslEmbedding, SizeQueryWithoutText) {
    EXPECT_EQ(RCSslSet::Ssl2EmbeddedSsl(nullptr, nullptr), 48u);
}

TEST(SslEmbedding, TwoLines) {
    const auto units = Utf16(u"A\nB");
    EXPECT_EQ(RCSslSet::Ssl2EmbeddedSsl(units.data(), nullptr), 96u);
    std::uint32_t written = 0;
    EXPECT_EQ(Embed(u"A\nB", &written),
              "@PJL COMMENT SSLSTART(1)"
              "@PJL COMMENT SSL (FFFE4100 )"
              "@PJL COMMENT SSL (4200 )"
              "@PJL COMMENT SSLEND");
    EXPECT_EQ(written, 95u);
}

TEST(SslEmbedding, TrailingLineEndGivesEmptyRecordAndCrIsAnOrdinaryUnit) {
    EXPECT_EQ(Embed(u"A\r\n"),
              "@PJL COMMENT SSLSTART(1)"
              "@PJL COMMENT SSL (FFFE4100 0D00 )"
              "@PJL COMMENT SSL ()"
              "@PJL COMMENT SSLEND");
}

TEST(SslEmbedding, UnitsAreLittleEndianHex) {
    EXPECT_EQ(Embed(u"\u20AC\u00E4"),
              "@PJL COMMENT SSLSTART(1)@PJL COMMENT SSL (FFFEAC20 E400 )@PJL COMMENT SSLEND");
}

}  // namespace

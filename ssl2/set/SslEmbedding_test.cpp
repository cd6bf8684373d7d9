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

TEST(SslEmbedding, LinesBecomeHexRecordsAndTheSizeQueryIsExact) {
    EXPECT_EQ(RCSslSet::Ssl2EmbeddedSsl(nullptr, nullptr), 48u) << "size query without text";
    const struct {
        std::u16string text;
        const char* records;  ///< between the start and the end record
    } rows[] = {
        {u"A\nB", "@PJL COMMENT SSL (FFFE4100 )@PJL COMMENT SSL (4200 )"},
        // A trailing line end gives an empty record; CR is an ordinary unit.
        {u"A\r\n", "@PJL COMMENT SSL (FFFE4100 0D00 )@PJL COMMENT SSL ()"},
        // Units are little-endian hex.
        {u"\u20AC\u00E4", "@PJL COMMENT SSL (FFFEAC20 E400 )"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.records);
        const auto units = Utf16(row.text);
        std::string out(RCSslSet::Ssl2EmbeddedSsl(units.data(), nullptr), '\xAA');
        const std::uint32_t n = RCSslSet::Ssl2EmbeddedSsl(units.data(), out.data());
        EXPECT_EQ(n + 1, out.size()) << "the size query is exact";
        EXPECT_EQ(out[n], '\0') << "the output ends with a NUL";
        out.resize(n);
        EXPECT_EQ(out,
                  std::string("@PJL COMMENT SSLSTART(1)") + row.records + "@PJL COMMENT SSLEND");
    }
}

}  // namespace

#include "ssl2/support/CMD5Checksum.h"

#include <gtest/gtest.h>

#include <string>

#include "ssl2/base/TException.h"
#include "tests/support/TempDir.h"

namespace {

struct KnownAnswer {
    std::string input;
    const char* digest;
};

// The test suite of RFC 1321, appendix A.5, then 'a' repeated up to the 56/64-byte
// padding edges and a million times.
const KnownAnswer kKnownAnswers[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"1234567890123456789012345678901234567890"
     "1234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
    {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
    {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
    {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
    {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},
};

TString Md5OfBytes(const std::string& bytes) {
    return CMD5Checksum::GetMD5(reinterpret_cast<const unsigned char*>(bytes.data()),
                                static_cast<unsigned int>(bytes.size()));
}

using MD5File = ssl2::test::TempDirTest;

TEST(CMD5Checksum, BufferFormKnownAnswers) {
    for (const auto& [input, digest] : kKnownAnswers) {
        EXPECT_STREQ(Md5OfBytes(input).c_str(), digest) << input.size() << " bytes";
    }
    EXPECT_EQ(CMD5Checksum::GetMD5(static_cast<const unsigned char*>(nullptr), 0u),
              kKnownAnswers[0].digest);
}

TEST(CMD5Checksum, TextFormHashesUtf16LeWithTerminator) {
    // "abc" is hashed as 61 00 62 00 63 00 00 00.
    EXPECT_EQ(CMD5Checksum::GetMD5(TString("abc")), Md5OfBytes(std::string("a\0b\0c\0\0\0", 8)));
    // The empty text hashes two zero bytes, not the empty message.
    EXPECT_EQ(CMD5Checksum::GetMD5(TString()), Md5OfBytes(std::string(2, '\0')));
    // Characters beyond ASCII go through UTF-16: U+00E4 is E4 00, U+1F600 a surrogate pair.
    EXPECT_EQ(CMD5Checksum::GetMD5(TString("\xC3\xA4")), Md5OfBytes(std::string("\xE4\0\0\0", 4)));
    EXPECT_EQ(CMD5Checksum::GetMD5(TString("\xF0\x9F\x98\x80")),
              Md5OfBytes(std::string("\x3D\xD8\x00\xDE\0\0", 6)));
}

TEST_F(MD5File, FileFormMatchesBufferFormAndRaisesForAMissingFile) {
    for (const auto& [input, digest] : kKnownAnswers) {
        EXPECT_STREQ(CMD5Checksum::GetMD5OfFile(Write("known", input)).c_str(), digest)
            << input.size() << " bytes";
    }
    // Exact multiples of the 1024-byte read chunk, and one byte more.
    for (std::size_t size : {1024u, 3072u, 3073u}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + 3);
        EXPECT_EQ(CMD5Checksum::GetMD5OfFile(Write("chunks", bytes)), Md5OfBytes(bytes)) << size;
    }
    EXPECT_THROW(CMD5Checksum::GetMD5OfFile(TString(Path("missing"))), TException);
}

}  // namespace

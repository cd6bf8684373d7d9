#include "ssl2/SSLStatements/SslEncipheredText.h"

#include <gtest/gtest.h>

#include <string>

#include "ssl2/SSLStatements/SslUserHash.h"

namespace {

// Non-ASCII clear texts are enciphered as other programs store them: Windows-1252
// bytes (the writer's expected texts pin the forms of ASCII texts).
TEST(SslEncipheredText, StoredFormsStayReadable) {
    EXPECT_EQ(SslEncipheredText::Encipher("päss", "u", SslUserHash::kKeyConstant),
              "847c8b9919df4d5198d0fc31");
    EXPECT_EQ(SslEncipheredText::Decipher("847C8B9919DF4D5198D0FC31", "u", "UsHs8"), "päss");
}

TEST(SslEncipheredText, RecognisesOnlyStoredForms) {
    EXPECT_TRUE(SslEncipheredText::IsEncipheredForm(""));
    EXPECT_TRUE(SslEncipheredText::IsEncipheredForm(TString(std::string(24, 'a'))));
    EXPECT_TRUE(SslEncipheredText::IsEncipheredForm(TString(std::string(48, 'F'))));
    EXPECT_FALSE(SslEncipheredText::IsEncipheredForm(TString(std::string(23, '0'))));
    EXPECT_FALSE(SslEncipheredText::IsEncipheredForm(TString(std::string(25, '0'))));
    EXPECT_FALSE(SslEncipheredText::IsEncipheredForm(TString(std::string(23, '0') + "g")));
    EXPECT_EQ(SslEncipheredText::Decipher(TString(std::string(25, '0')), "a", "DcBx5"), "");

    std::string bytes = "unchanged";
    EXPECT_FALSE(SslEncipheredText::BytesFromHex("abc", bytes));
    EXPECT_FALSE(SslEncipheredText::BytesFromHex("zz", bytes));
    EXPECT_EQ(bytes, "unchanged");
    EXPECT_TRUE(SslEncipheredText::BytesFromHex("41aF", bytes));
    EXPECT_EQ(bytes, "A\xaf");
}

}  // namespace

#include "ssl2/SSLStatements/SslEncipheredText.h"

#include <gtest/gtest.h>

#include <string>

#include "ssl2/SSLStatements/SslDocumentBox.h"
#include "ssl2/SSLStatements/SslUserHash.h"

namespace {

TEST(SslEncipheredText, StoredFormsStayReadable) {
    // Pinned values: tickets written by earlier versions must stay readable, so the
    // key derivation, the constants and the digit form must never change.
    EXPECT_EQ(SslEncipheredText::Encipher("secret", "alice", SslDocumentBox::kKeyConstant),
              "e52598317a605c9ad1740bc9");
    EXPECT_EQ(SslEncipheredText::Encipher("record 4711", "alice", SslUserHash::kKeyConstant),
              "5917fc7d16e2986fb8bf613d");
    EXPECT_EQ(SslEncipheredText::Decipher("e52598317a605c9ad1740bc9", "alice", "DcBx5"), "secret");
    EXPECT_EQ(SslEncipheredText::Decipher("5917FC7D16E2986FB8BF613D", "alice", "UsHs8"),
              "record 4711");
    // Non-ASCII clear texts as other programs store them: Windows-1252 bytes.
    EXPECT_EQ(SslEncipheredText::Encipher("päss", "u", SslUserHash::kKeyConstant),
              "847c8b9919df4d5198d0fc31");
    EXPECT_EQ(SslEncipheredText::Decipher("847c8b9919df4d5198d0fc31", "u", "UsHs8"), "päss");
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

#include <gtest/gtest.h>

#include "ssl2/SSLStatements/SslAddresses.h"
#include "ssl2/SSLStatements/SslFileInfo.h"
#include "ssl2/SSLStatements/SslJobFlagsheet.h"
#include "ssl2/SSLStatements/SslSupportFiles.h"
#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

TEST(SslFileInfo, TextFormAndColorDepth) {
    SslFileInfo info;
    EXPECT_EQ(info.ToString(1),
              "FileInfo  0000000000 0000000000 0000000000 0000000000 0000000000 0000000000 "
              "PCM_INVALID");
    info.SetSize(1000, 2000);
    info.SetResolution(400, 400);
    info.SetCopies(2);
    info.SetPages(0xFFFFFFFF);
    EXPECT_EQ(info.SetColorDepth(3), 0u);
    EXPECT_EQ(info.SetColorDepth(4096), 1u);
    EXPECT_EQ(info.ToString(),
              "FileInfo  0X000003E8 0X000007D0 0X00000190 0X00000190 0X00000002 0XFFFFFFFF ");
    EXPECT_TRUE(info.ToString(1).str().ends_with(" PCM_BICOLOR"));
}

TEST(SslFileInfo, KeywordsOfEveryAllowedDepth) {
    for (std::uint32_t depth : SslFileInfo::m_anAllowedColorDepths) {
        SslFileInfo info;
        EXPECT_EQ(info.SetColorDepth(depth), 1u) << depth;
        EXPECT_TRUE(SslFileInfo::GetSslKeyword(depth).Left(4) == "PCM_") << depth;
    }
    EXPECT_EQ(SslFileInfo::GetSslKeyword(64), "PCM_24BIT");
    EXPECT_EQ(SslFileInfo::GetSslKeyword(65535), "PCM_ORIGINAL");
    EXPECT_TRUE(SslFileInfo::GetSslKeyword(3).IsEmpty());
}

TEST(SslFileInfo, IsSmallerComparesAreasInThousands) {
    SslFileInfo small;
    SslFileInfo large;
    small.SetSize(1999, 1999);  // 1 x 1 thousand
    large.SetSize(2000, 1000);  // 2 x 1 thousand
    EXPECT_TRUE(SslFileInfo::IsSmaller(small, large));
    EXPECT_FALSE(SslFileInfo::IsSmaller(large, small));
    EXPECT_FALSE(SslFileInfo::IsSmaller(small, small));
    // An area whose product does not fit 32 bits still counts as the larger one.
    SslFileInfo huge;
    huge.SetSize(4294967295u, 4294967295u);
    EXPECT_TRUE(SslFileInfo::IsSmaller(large, huge));
}

TEST(SslFileInfo, ColorDepthIsCompared) {
    SslFileInfo a;
    a.SetPages(3);
    const SslFileInfo b = a;
    a.SetColorDepth(64);
    EXPECT_FALSE(a == b);
}

}  // namespace

namespace {

TString FullAddressText() {
    return "Address \"Plan & Print\"\r\n"
           "\t+ Type delivery\r\n"
           "\t+ Company \"PP Ltd\"\r\n"
           "\t+ Line1 \"Dock 4\"\r\n"
           "\t+ Line2 \"\"\r\n"
           "\t+ Line3 \"\"\r\n"
           "\t+ ZipCode \"12345\"\r\n"
           "\t+ City \"Harbour\"\r\n"
           "\t+ County \"\"\r\n"
           "\t+ Country \"\"\r\n"
           "\t+ Phone1 \"+1 555\"\r\n"
           "\t+ Phone2 \"\"\r\n"
           "\t+ Fax \"\"\r\n"
           "\t+ EMail \"a@b\"\r\n"
           "\t+ ContactPerson \"Ann\"\r\n"
           "\t+ ContactInfo \"late shift\"\r\n";
}

SslAddress SampleAddress() {
    SslAddress address;
    address.SetName("Plan & Print");
    address.SetType(3);
    address.SetCompany("PP Ltd");
    address.SetLine1("Dock 4");
    address.SetZipCode("12345");
    address.SetCity("Harbour");
    address.SetPhone1("+1 555");
    address.SetEMail("a@b");
    address.SetContactPerson("Ann");
    address.SetContactInfo("late shift");
    return address;
}

TEST(SslAddresses, TextForm) {
    SslAddresses addresses;
    EXPECT_EQ(addresses.ToString(), "");
    EXPECT_EQ(addresses.GetStatementName(0), "Address");
    EXPECT_EQ(addresses.AddAddress(SampleAddress()), 1u);
    EXPECT_EQ(addresses.ToString(), FullAddressText());
    SslAddress plain;
    plain.SetType(0);
    EXPECT_EQ(addresses.AddAddress(plain), 2u);
    const TString text = addresses.ToString();
    EXPECT_EQ(text.Left(FullAddressText().GetLength()), FullAddressText());
    EXPECT_EQ(text.Mid(FullAddressText().GetLength()).Left(27),
              "Address \"\"\r\n\t+ Type \r\n\t+ Co");
}

TEST(SslAddresses, ListOperationsAndIndexErrors) {
    SslAddresses addresses;
    try {
        addresses.GetAddress(0);
        ADD_FAILURE() << "no error raised";
    } catch (const TException& e) {
        EXPECT_EQ(e.GetNumber(), RMCSslErrors::kIndexOutOfRange);
        EXPECT_EQ(e.GetArgument(0), "m_AddressList");
        EXPECT_EQ(e.GetArgument(1), "0");
        EXPECT_EQ(e.GetArgument(2), "0");
    }
    ClearError();
    addresses.AddAddress(SampleAddress());
    addresses.AddAddress(SslAddress());
    EXPECT_EQ(addresses.GetAddress(1).GetType(), 1u);
    EXPECT_EQ(addresses.RemoveAddress(2), 0u);
    EXPECT_EQ(addresses.RemoveAddress(0), 1u);
    EXPECT_EQ(addresses.GetAddress(0).GetName(), "");
    EXPECT_EQ(addresses.RemoveAll(), 1u);
    EXPECT_EQ(addresses.GetArrayCount(), 0u);
}

TEST(SslAddress, TypeEqualityAndOrder) {
    SslAddress a = SampleAddress();
    EXPECT_EQ(a.SetType(5), 0u);
    EXPECT_EQ(a.GetType(), 3u);
    EXPECT_EQ(a.SetType(4), 1u);
    SslAddress b = a;
    EXPECT_TRUE(a == b);
    b.SetFax("1");
    EXPECT_FALSE(a == b);
    b = a;
    b.SetType(2);
    EXPECT_FALSE(a == b);
    b.SetName("A");
    EXPECT_TRUE(b < a);
    EXPECT_FALSE(a < b);
}

TEST(SslSupportFiles, TextFormListAndErrors) {
    SslSupportFiles files;
    EXPECT_EQ(files.ToString(), "");
    EXPECT_EQ(files.AddSupportFile("/jobs/42/legend.pdf"), 1u);
    EXPECT_EQ(files.AddSupportFile("C:\\x y\\key.tif"), 2u);
    EXPECT_EQ(files.ToString(),
              "SupportFile \"/jobs/42/legend.pdf\"\r\nSupportFile \"C:\\x y\\key.tif\"\r\n");
    EXPECT_EQ(files.GetSupportFile(1), "C:\\x y\\key.tif");
    EXPECT_EQ(files.SetString("/new", 0, 1), 1u);
    EXPECT_EQ(files.SetString("/new", 1, 1), 0u);
    EXPECT_EQ(files.SetString("/new", 0, 2), 0u);
    EXPECT_EQ(files.GetString(0, 1), "/new");
    EXPECT_EQ(files.GetString(0, 2), "");
    EXPECT_EQ(files.GetArrayCount(), 2u);
    EXPECT_EQ(files.RemoveSupportFile(2), 0u);
    EXPECT_EQ(files.RemoveSupportFile(0), 1u);
    EXPECT_EQ(files.GetSupportFile(0), "/new");
    try {
        files.GetSupportFile(1);
        ADD_FAILURE() << "no error raised";
    } catch (const TException& e) {
        EXPECT_EQ(e.GetNumber(), RMCSslErrors::kIndexOutOfRange);
        EXPECT_EQ(e.GetArgument(0), "m_SupportFileList");
        EXPECT_EQ(e.GetArgument(1), "1");
        EXPECT_EQ(e.GetArgument(2), "1");
    }
    ClearError();
    EXPECT_EQ(files.RemoveAll(), 1u);
}

TEST(SslSupportFile, SerialisationRoundTrip) {
    SslSupportFile file(TString("/jobs/42/Grüße.pdf"));
    EXPECT_EQ(file.GetDataType(), (17u << 16) | 6u);
    SslSupportFile copy;
    copy.DeSerialize(file.Serialize());
    EXPECT_TRUE(copy == file);
    EXPECT_EQ(copy.GetSubStatementName(0), "");

    auto bytes = file.Serialize();
    bytes.resize(bytes.size() - 3);
    SslSupportFile truncated(TString("kept"));
    EXPECT_THROW(truncated.DeSerialize(bytes), TException);
    ClearError();
}

TEST(SslJobFlagsheet, TextForms) {
    SslJobFlagsheet sheet;
    EXPECT_EQ(sheet.ToString(), "JobFlagsheet off");
    sheet.SetOn(1);
    sheet.SetText("Plans");
    sheet.SetAccount(1);
    sheet.SetDistribution(1);
    sheet.SetFoldProgram(-2);
    sheet.SetFoldTray(0);
    sheet.SetInputTray(3);
    sheet.SetPerJob(2);
    sheet.SetOutputTray(3);
    EXPECT_EQ(sheet.ToString(),
              "JobFlagsheet set\r\n\t+ text \"Plans\"\r\n\t+ account \r\n\t+ distribution "
              "\r\n\t+ prg auto\r\n\t+ foldTray 0\r\n\t+ tray 3\r\n\t+ size A4");
    sheet.SetFoldProgram(12);
    sheet.SetFoldTray(-1);
    sheet.SetInputTray(-1);
    sheet.SetAccount(0);
    sheet.SetDistribution(0);
    EXPECT_EQ(sheet.ToString(),
              "JobFlagsheet set\r\n\t+ text \"Plans\"\r\n\t+ prg 12\r\n\t+ size A4");
}

TEST(SslJobFlagsheet, RangesMembersAndEquality) {
    SslJobFlagsheet sheet;
    EXPECT_EQ(sheet.SetOutputTray(4), 0u);
    EXPECT_EQ(sheet.SetOutputTray(-2), 0u);
    EXPECT_EQ(sheet.SetOutputTray(-1), 1u);
    EXPECT_EQ(sheet.SetPerJob(3), 0u);
    EXPECT_EQ(sheet.GetPerJob(), 1u);
    EXPECT_EQ(sheet.SetHeadTrail(2), 0u);
    EXPECT_EQ(sheet.GetHeadTrail(), 1u);
    EXPECT_EQ(sheet.GetSize().GetFormatCode(), 104u);

    SslJobFlagsheet other(sheet);
    EXPECT_TRUE(other == sheet);
    other.SetHeadTrail(0);
    EXPECT_FALSE(other == sheet);
    other = sheet;
    SslSize size;
    size.SetSizeType(SslSize::kAuto);
    other.SetSize(size);
    EXPECT_FALSE(other == sheet);
}

}  // namespace

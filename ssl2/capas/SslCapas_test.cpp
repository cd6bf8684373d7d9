#include "ssl2/capas/SslCapas.h"

#include <gtest/gtest.h>

#include "ssl2/capas/RCIniStringInterface.h"
#include "tests/support/CapasSupport.h"

namespace {

using namespace SslCapas;

RCInputTray Tray(double widthMm, double lengthMm, const char* name = "") {
    RCInputTray tray;
    VEMTO::RCMetaUnitVemto width, length;
    width.SetMm(widthMm);
    length.SetMm(lengthMm);
    tray.SetWidth(width);
    tray.SetLength(length);
    tray.SetTrayName(name);
    return tray;
}

TEST(SslCapasInputTray, ComparesByTheSmallerDimension) {
    const RCInputTray a = Tray(900, 600), b = Tray(610, 2000), c = Tray(600, 5000);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(a < b);
    EXPECT_FALSE(a < c);
    EXPECT_FALSE(a > c);
    // Whole millimetres: 600.4 and 600 are the same size.
    EXPECT_FALSE(Tray(600.4, 900) > a);
    RCInputTray renumbered = a;
    renumbered.SetOrdinal(7);
    EXPECT_EQ(renumbered, a);
    EXPECT_TRUE(RCInputTray::Less(a, renumbered));
    renumbered.SetValid(1);
    EXPECT_FALSE(renumbered == a);
}

using Ini = capas_test::RSRead<RCIniStringInterface>;

TEST(SslCapasInputTray, FromIniReadsKeysNumberedFromOne) {
    Ini ini(
        "[trayinfo]\ntraywidth1=914\ntraylength1=abc\nmediamain1=Vellum\nmediasub1=x\n"
        "traytype1=ROLL\ntrayname1=Roll 1\n"
        "traywidth2=610\nmediamain2=HEAVYPHOTOMATT\nmediasub2=3\ntraytype2=tractor\n");
    RCInputTray first = Tray(1, 2);
    first.FromIni(ini.reader, 0);
    EXPECT_EQ(first.GetWidth().AsMm(), 914);
    EXPECT_EQ(first.GetLength().AsMm(), 15000);
    EXPECT_EQ(first.GetMedia(), VEMTO::kMediaVellum);
    EXPECT_EQ(first.GetMediaSubType(), 1u);
    EXPECT_EQ(first.GetTrayType(), VEMTO::kTrayRoll);
    EXPECT_EQ(first.GetTrayName(), "Roll 1");
    EXPECT_EQ(first.GetOrdinal(), 0u);

    RCInputTray second = Tray(1, 2, "kept");
    second.SetMedia(VEMTO::kMediaFilm);
    second.FromIni(ini.reader, 1);
    EXPECT_EQ(second.GetLength().AsMm(), 2);  // no key: unchanged
    EXPECT_EQ(second.GetMedia(), VEMTO::kMediaHeavyPhotoMatt);
    EXPECT_EQ(second.GetMediaSubType(), 3u);
    EXPECT_EQ(second.GetTrayType(), VEMTO::kTrayNotAvailable);
    EXPECT_EQ(second.GetTrayName(), "kept");
    EXPECT_EQ(second.GetOrdinal(), 1u);

    RCInputTray third = second;
    third.FromIni(ini.reader, 2);  // no keys at all
    EXPECT_EQ(third.GetMedia(), VEMTO::kMediaDontCare);
    EXPECT_EQ(third.GetTrayType(), VEMTO::kTrayNotAvailable);
    EXPECT_EQ(third.GetWidth(), second.GetWidth());
}

TEST(SslCapas, NameTables) {
    const std::pair<const char*, VEMTO::_TMedia> media[] = {
        {"dontcare", VEMTO::kMediaDontCare},
        {"PAPER", VEMTO::kMediaPaper},
        {"vellum", VEMTO::kMediaTransparent},
        {"transparent", VEMTO::kMediaTransparent},
        {"heavypaperoffwhite", VEMTO::kMediaHeavyPaperOffWhite},
        {"custom", VEMTO::kMediaCustom},
        {"cardboard", VEMTO::kMediaDontCare},
        {"", VEMTO::kMediaDontCare}};
    for (const auto& [name, value] : media)
        EXPECT_EQ(MediaFromName(name), value) << name;
    const std::pair<const char*, VEMTO::_TTrayType> types[] = {{"manual", VEMTO::kTrayManual},
                                                               {"Roll", VEMTO::kTrayRoll},
                                                               {"CUTSHEET", VEMTO::kTrayCutSheet},
                                                               {"archive", VEMTO::kTrayArchive},
                                                               {"", VEMTO::kTrayNotAvailable}};
    for (const auto& [name, value] : types)
        EXPECT_EQ(TrayTypeFromName(name), value) << name;
}

TEST(SslCapasOutputTray, FromIniFallsBackToThePosition) {
    Ini ini(
        "[outputtrayinfo]\ntrayindex1=7\ntrayname1=Top\ntrayindex2=x\n"
        "[folderoutputtrayinfo]\ntrayindex1=3\ntrayname1=Folder\n");
    RCOutputTray tray;
    tray.FromIni(ini.reader, 0, true);
    EXPECT_EQ(tray, RCOutputTray(7, "Top"));
    tray.FromIni(ini.reader, 1, true);
    EXPECT_EQ(tray, RCOutputTray(2, "Top"));
    tray.FromIni(ini.reader, 4, true);
    EXPECT_EQ(tray.GetSslTrayNo(), 5u);
    tray.FromIni(ini.reader, 0, false);
    EXPECT_EQ(tray, RCOutputTray(3, "Folder"));
}

TEST(SslCapasFoldProgram, FromIniUsesZeroBasedKeysAndHexCapabilities) {
    Ini ini(
        "[foldprograminfo]\nprogramnumber0=4\nprogramcapas0=1F\nprogramname0=Packet\n"
        "programcapas1=zz\nprogramcapas2=0x3\n");
    RCFoldProgramCapas program;
    program.FromIni(ini.reader, 0);
    EXPECT_EQ(program, RCFoldProgramCapas(4, 0x1F, "Packet"));
    program.FromIni(ini.reader, 1);
    EXPECT_EQ(program, RCFoldProgramCapas(1, 0, "Packet"));
    program.FromIni(ini.reader, 2);
    EXPECT_EQ(program.GetProgramCapas(), 3u);
    EXPECT_EQ(RCFoldProgramCapas::NoFold, RCFoldProgramCapas(0, 3, "no fold"));
}

TEST(SslCapas, MediaVector) {
    TMediaVector media = {VEMTO::kMediaFilm, VEMTO::kMediaPaper, VEMTO::kMediaFilm,
                          VEMTO::kMediaHeavyPhotoGloss};
    EXPECT_TRUE(media.Find(VEMTO::kMediaPaper));
    EXPECT_FALSE(media.Find(VEMTO::kMediaCustom));
    media.Unique();
    EXPECT_EQ(media,
              (TMediaVector{VEMTO::kMediaPaper, VEMTO::kMediaFilm, VEMTO::kMediaHeavyPhotoGloss}));
    media.push_back(static_cast<VEMTO::_TMedia>(42));
    EXPECT_EQ(media.ToString(), "paper\r\nfilm\r\nHeavyPhotoGloss\r\n42\r\n");
    EXPECT_EQ(TMediaVector().ToString(), "");
}

}  // namespace

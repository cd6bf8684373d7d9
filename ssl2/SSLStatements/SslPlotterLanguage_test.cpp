#include <gtest/gtest.h>

#include "ssl2/SSLStatements/SslHpgl.h"
#include "ssl2/SSLStatements/SslHpglColorEmulation.h"
#include "ssl2/SSLStatements/SslHpglPens.h"
#include "ssl2/SSLStatements/SslNumberText.h"
#include "ssl2/base/TException.h"

namespace {

// Lengths keep their three-decimal form wherever it reads back within 1e-9, carry
// the fewest decimals (up to nine) that do otherwise, and never binary noise.
TEST(SslDecimalTextTest, ThreeDecimalsOrTheFewestThatKeepTheValue) {
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {1.1 * 25.4, "27.940"},  // 27.940000000000005
        {1.0 / 3, "0.333333333"},     {0.0005, "0.0005"},
        {-2.0 / 3, "-0.666666667"},   {60000.0 - 1e-7, "59999.9999999"},
        {299.99999999949, "300.000"}, {12.3456789995, "12.345679"},
    };
    for (const auto& row : rows) {
        const TString text = SslDecimalText(row.value);
        EXPECT_EQ(text.str(), row.text);
        double back = -1.0;
        ASSERT_TRUE(text.Value(back)) << row.text;
        EXPECT_NEAR(back, row.value, 1e-9) << row.text;
        EXPECT_EQ(SslDecimalText(back), text) << "written again: " << row.text;
    }
}

TEST(HpglPenTest, RangesAndTextForms) {
    HpglPen pen(7);
    EXPECT_EQ(pen.SetWidth(20.0), 1u);
    EXPECT_EQ(pen.SetWidth(20.01), 0u);
    EXPECT_EQ(pen.SetWidth(-0.01), 0u);
    EXPECT_EQ(pen.GetWidth(), 20.0);
    EXPECT_EQ(pen.SetColor(14), 1u);
    EXPECT_EQ(pen.SetSaturation(101), 0u);
    EXPECT_EQ(pen.SetSaturation(35), 1u);
    EXPECT_EQ(pen.SetPage(2), 0u);
    EXPECT_EQ(pen.SetLastNumber(257), 0u);
    EXPECT_EQ(pen.SetLastNumber(9), 1u);
    EXPECT_EQ(pen.SetUnit(3), 0u);
    EXPECT_EQ(pen.SetUnit(1), 1u);
    EXPECT_EQ(pen.GetChanged(), 1u);
    EXPECT_EQ(pen.ToString(1), "number 7-9 width 20.000 mm color 14 saturation 35 page 0");
    EXPECT_EQ(pen.ToString(0), "number 7-9 width 20.000 mm color 14 saturation 35 ");
    EXPECT_EQ(pen.ToCfg(), "PEN007 = 20.00, grey\t\t, 35");
    pen.SetColor(2);
    EXPECT_EQ(pen.ToCfg(), "PEN007 = 20.00, red         ");
    EXPECT_EQ(HpglPen(3).GetChanged(), 0u);
}

TEST(SslHpglPensTest, AChangedPenSwitchesOnAndSplitsTheRuns) {
    SslHpglPens pens;
    EXPECT_EQ(pens.ToString(), "HpglPens off");
    EXPECT_EQ(pens.ToCfg(), "");
    EXPECT_EQ(pens.SetColor(2, 5), 1u);
    EXPECT_EQ(pens.GetOn(), 1u);
    EXPECT_NE(pens.ToString().Find("\t+ number 5-5 width 0.635  color 2 "), TString::kNotFound);
    // The pen's own last number is not changed by writing.
    EXPECT_EQ(pens.GetPen(1).GetLastNumber(), 1u);
}

TEST(SslHpglPensTest, RangeSettersAndLimits) {
    SslCalcompPens pens;
    EXPECT_EQ(pens.SetColor(3, 17), 0u);  // 16 pens numbered 1 to 16
    EXPECT_EQ(pens.SetColor(3, 0), 0u);
    EXPECT_EQ(pens.SetColor(3, 0, 2), 0u);
    EXPECT_EQ(pens.SetColor(3, 5, 4), 0u);
    EXPECT_EQ(pens.SetColor(15, 4, 5), 0u);  // a refused value switches nothing on
    EXPECT_EQ(pens.GetOn(), 0u);
    EXPECT_EQ(pens.SetColor(3, 16), 1u);
    EXPECT_EQ(pens.SetWidth(0.5, 2, 4), 1u);
    EXPECT_EQ(pens.SetSaturation(40, 3, 3), 1u);
    EXPECT_EQ(pens.SetPage(1, 2), 1u);
    EXPECT_EQ(pens.GetColor(16), 3u);
    EXPECT_EQ(pens.GetWidth(1), 0.0);
    EXPECT_EQ(pens.GetWidth(2), 0.5);
    EXPECT_EQ(pens.GetWidth(4), 0.5);
    EXPECT_EQ(pens.GetWidth(5), 0.635);
    EXPECT_EQ(pens.GetSaturation(3), 40u);
    EXPECT_EQ(pens.GetPage(2), 1u);
    EXPECT_EQ(pens.GetColor(17), 0u);
    EXPECT_THROW(pens.GetPen(256), TException);
}

TEST(SslHpglPensTest, ConfigurationLines) {
    SslCalcompPens pens;
    EXPECT_EQ(pens.SetString("14", 2, 1), 1u);  // pen index 2 (number 3) grey
    EXPECT_EQ(pens.GetOn(), 1u);
    const TString cfg = pens.ToCfg();
    EXPECT_EQ(cfg.Left(62), "PEN001 = 0.00, white       \r\nPEN002 = 0.64, black       \r\nPEN0");
    EXPECT_NE(cfg.Find("PEN003 = 0.64, grey\t\t, 100\r\n"), TString::kNotFound);
    EXPECT_NE(cfg.Find("PEN016"), TString::kNotFound);
    EXPECT_EQ(cfg.Find("PEN017"), TString::kNotFound);
    EXPECT_EQ(pens.GetArrayElementName(7), "Pen 07");
}

// The tables share their default pens: a change to one table, through any setter
// or the conversion, must never show in a new table or in a copy made before it.
TEST(SslHpglPensTest, ChangesNeverReachTheDefaultPens) {
    SslHpglPens hpgl;
    SslCalcompPens calcomp;
    SslVicPens vic;
    const SslHpglPens hpglCopy(hpgl);
    hpgl.SetWidth(2.0, 0, 255);
    hpgl.SetString("7", 3, 1);
    calcomp.SetColor(5, 1, 16);
    vic.ConvertUnit(2, 1, 0);
    EXPECT_TRUE(SslHpglPens() == hpglCopy);
    EXPECT_EQ(SslHpglPens().GetWidth(255), 0.635);
    EXPECT_EQ(SslHpglPens().GetColor(3), 1u);
    EXPECT_EQ(SslCalcompPens().GetColor(16), 1u);
    EXPECT_EQ(SslVicPens().GetWidth(7), 0.254);
    EXPECT_EQ(hpgl.GetWidth(255), 2.0);
    EXPECT_EQ(hpgl.GetColor(3), 7u);
    EXPECT_EQ(calcomp.GetColor(16), 5u);
    EXPECT_DOUBLE_EQ(vic.GetWidth(7), 6.4516);
}

TEST(SslHpglTest, ConfigurationLines) {
    SslHpgl hpgl;
    hpgl.SetFilepencolor(2);
    hpgl.SetPatterntype(1);
    EXPECT_EQ(hpgl.ToCfg(),
              "FILEPENS = on\r\nFILECOLORS = on\r\nFILEPAPERSIZE = off\r\nPENSCALING = off\r\n"
              "DITHERMETHOD = ERRORDIFFUSION\r\nIGNOREPENWIDTH = off\r\nSTEPSPERCM = 400\r\n");
    SslCalcomp calcomp;
    EXPECT_EQ(calcomp.ToCfg(),
              "CCSTEPSPERCM = 800\r\nCCAUTODETECT = on\r\nCCCHECK = on\r\nCCENDCHAR = 3\r\n"
              "CCSYNC01 = 2\r\n");
    calcomp.SetDoublesync(5);
    calcomp.SetSync(22);
    EXPECT_EQ(calcomp.GetDoublesync(), 1u);
    EXPECT_EQ(calcomp.ToCfg(),
              "CCSTEPSPERCM = 800\r\nCCAUTODETECT = on\r\nCCCHECK = on\r\nCCENDCHAR = 3\r\n"
              "CCSYNC01 = 22\r\nCCSYNC02 = 22\r\n");
}

TEST(SslHpglTest, SetterBoundaries) {
    SslHpgl hpgl;
    EXPECT_EQ(hpgl.SetStepsize(0), 0u);
    EXPECT_EQ(hpgl.SetStepsize(1600), 1u);
    EXPECT_EQ(hpgl.SetStepsize(1), 1u);
    EXPECT_EQ(hpgl.SetMinwidth(20.5), 0u);
    EXPECT_EQ(hpgl.SetMaxwidth(-1.0), 0u);
    EXPECT_EQ(hpgl.SetMaxwidth(20.0), 1u);
    EXPECT_EQ(hpgl.SetFilepencolor(3), 0u);
    EXPECT_EQ(hpgl.SetPatterntype(4), 0u);
    EXPECT_EQ(hpgl.SetBicolorrgb(3), 0u);
    EXPECT_EQ(hpgl.SetBicolorrgb(2), 1u);
    EXPECT_EQ(hpgl.SetDithermode(2), 0u);
    EXPECT_EQ(hpgl.SetClipping(7), 1u);
    EXPECT_EQ(hpgl.GetClipping(), 1u);
    SslCalcomp calcomp;
    EXPECT_EQ(calcomp.SetEom(128), 0u);
    EXPECT_EQ(calcomp.SetSync(128), 0u);
    EXPECT_EQ(calcomp.SetEom(127), 1u);
    EXPECT_EQ(calcomp.GetSync(), 2u);
}

TEST(SslColorEmulationTest, TextFormsAndLimits) {
    SslHpglColorEmulation emulation;
    EXPECT_EQ(emulation.SetSaturation(101, 3), 0u);
    EXPECT_EQ(emulation.SetSaturation(50, 14), 0u);
    EXPECT_EQ(emulation.GetSaturation(3), 100u);
    EXPECT_EQ(emulation.SetSaturation(50, 13), 1u);
    EXPECT_EQ(emulation.SetPage(2, 1), 0u);
    EXPECT_EQ(emulation.SetPage(1, 1), 1u);
    EXPECT_EQ(emulation.GetSaturation(14), 0u);
    EXPECT_NE(emulation.ToString().Find("\r\n\t+ color black        saturation 100 page 1\r\n"),
              TString::kNotFound);
    const TString cfg = emulation.ToCfg();
    EXPECT_EQ(cfg.Left(32), "red          = grey\t\t, 100\r\ngree");
    EXPECT_TRUE(cfg.str().ends_with("\r\ndarkcyan     = grey\t\t, 50\r\n"));
    EXPECT_EQ(cfg.Find("white"), TString::kNotFound);
    EXPECT_EQ(cfg.Find("black"), TString::kNotFound);
}

}  // namespace

#include "ssl2/SSLStatements/SslHpgl.h"

#include "ssl2/SSLStatements/SslFold.h"
#include "ssl2/SSLStatements/SslNumberText.h"
#include "ssl2/base/RCUnit.h"

namespace {

constexpr std::uint32_t kMemberTypes[SslHpgl::kMemberCount] = {
    SslStatement::kMemberSelection, SslStatement::kMemberSelection, SslStatement::kMemberSelection,
    SslStatement::kMemberSelection, SslStatement::kMemberSelection, SslStatement::kMemberSelection,
    SslStatement::kMemberNumber,    SslStatement::kMemberReal,      SslStatement::kMemberReal,
    SslStatement::kMemberSelection};

bool ValidWidth(double width) {
    return width >= 0.0 && width <= SslHpgl::kMaxWidth;
}

// A width as the generic member interface shows it.
TString Width(double width) {
    return TString::Format("%.3f", width);
}

}  // namespace

const TString SslHpgl::m_asFilepencolors[3] = {"off", "on", "rgb"};
const TString SslHpgl::m_asPatterntypes[4] = {"circle", "random", "ordereddither",
                                              "loadablepattern"};
const TString SslHpgl::m_asCfgPatterntypes[4] = {"ROUND", "ERRORDIFFUSION", "ORDERED DITHER",
                                                 "ENHANCED GREY"};
const TString SslHpgl::m_asBicolorrgbs[3] = {"0", "1", "2"};
const TString SslHpgl::m_asDithermodes[2] = {"ordereddither", "errordiffusion"};
const TString SslHpgl::m_asMemberNames[kMemberCount] = {
    "Format",          "Pen Source", "Pen Color", "Pen Scale", "Pattern Style",
    "Ignore penwidth", "Steps/cm",   "Min.",      "Max.",      "Dither mode / RTL"};
const RSIndexString SslHpgl::m_asClippingPy[2] = {{0, "File"}, {1, "Auto"}};
const RSIndexString SslHpgl::m_asFilepenSettingsPy[2] = {{0, "Custom"}, {1, "File"}};
const RSIndexString SslHpgl::m_asPatterntypesPy[4] = {
    {0, "circle"}, {1, "random"}, {2, "ordereddither"}, {3, "loadablepattern"}};
const RSIndexString SslHpgl::m_asDithermodesPy[2] = {{0, "ordereddither"}, {1, "errordiffusion"}};
const TString SslHpgl::m_sFilepensize = " filepensize ";
const TString SslHpgl::m_sFilepencolor = "filepencolor ";
const TString SslHpgl::m_sClipping = "clipping ";
const TString SslHpgl::m_sPenscale = "penscale ";
const TString SslHpgl::m_sPatterntype = "patterntype ";
const TString SslHpgl::m_sIgnorePenSize = "ignorepensize ";
const TString SslHpgl::m_sStepsize = "stepsize ";
const TString SslHpgl::m_sMinwidth = "minwidth ";
const TString SslHpgl::m_sMaxwidth = "maxwidth ";
const TString SslHpgl::m_sBicolorrgb = "bicolorrgb ";
const TString SslHpgl::m_sDithermode = "dithermode ";

SslHpgl::SslHpgl()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

SslHpgl::SslHpgl(std::uint32_t statementType, TString name, const RSDefaults& defaults)
    : TSslStatementImpl(statementType, std::move(name)),
      m_bPenscale(defaults.m_bPenscale),
      m_nPatterntype(defaults.m_nPatterntype),
      m_dMinwidth(defaults.m_dMinwidth),
      m_dMaxwidth(defaults.m_dMaxwidth),
      m_nStepsize(defaults.m_nStepsize),
      m_nDithermode(defaults.m_nDithermode) {}

TString SslHpgl::JoinParts(std::initializer_list<RSPart> parts) const {
    TString text = m_sName;
    bool first = true;
    for (const RSPart& part : parts) {
        if (!first)
            text += "\t+ ";
        first = false;
        text += part.m_sKeyword + part.m_sValue + "\r\n";
    }
    return text;
}

TString SslHpgl::ToString() const {
    return JoinParts({{m_sFilepensize, OnOff(m_bFilepensize)},
                      {m_sFilepencolor, m_asFilepencolors[m_nFilepencolor]},
                      {m_sClipping, OnOff(m_bClipping)},
                      {m_sPenscale, OnOff(m_bPenscale)},
                      {m_sPatterntype, m_asPatterntypes[m_nPatterntype]},
                      {m_sIgnorePenSize, OnOff(m_bIgnorePenSize)},
                      {m_sStepsize, TString(m_nStepsize)},
                      {m_sMinwidth, SslDecimalText(m_dMinwidth)},
                      {m_sMaxwidth, SslDecimalText(m_dMaxwidth)},
                      {m_sBicolorrgb, m_asBicolorrgbs[m_nBicolorrgb]},
                      {m_sDithermode, m_asDithermodes[m_nDithermode]}});
}

TString SslHpgl::ToCfg() const {
    return CfgLine("FILEPENS", OnOff(m_bFilepensize)) +
           CfgLine("FILECOLORS", OnOff(m_nFilepencolor)) +
           CfgLine("FILEPAPERSIZE", OnOff(m_bClipping)) +
           CfgLine("PENSCALING", OnOff(m_bPenscale)) +
           CfgLine("DITHERMETHOD", m_asCfgPatterntypes[m_nPatterntype]) +
           CfgLine("IGNOREPENWIDTH", OnOff(m_bIgnorePenSize)) +
           CfgLine("STEPSPERCM", TString(m_nStepsize));
}

unsigned int SslHpgl::SetFilepensize(unsigned int on) {
    m_bFilepensize = on ? 1 : 0;
    return 1;
}

unsigned int SslHpgl::SetFilepencolor(std::uint32_t value) {
    if (value > 2)
        return 0;
    m_nFilepencolor = value;
    return 1;
}

unsigned int SslHpgl::SetPenscale(unsigned int on) {
    m_bPenscale = on ? 1 : 0;
    return 1;
}

unsigned int SslHpgl::SetClipping(unsigned int on) {
    m_bClipping = on ? 1 : 0;
    return 1;
}

unsigned int SslHpgl::SetPatterntype(std::uint32_t value) {
    if (value > 3)
        return 0;
    m_nPatterntype = value;
    return 1;
}

unsigned int SslHpgl::SetIgnorePenSize(unsigned int on) {
    m_bIgnorePenSize = on ? 1 : 0;
    return 1;
}

unsigned int SslHpgl::SetMinwidth(double width) {
    if (!ValidWidth(width))
        return 0;
    m_dMinwidth = width;
    return 1;
}

unsigned int SslHpgl::SetMaxwidth(double width) {
    if (!ValidWidth(width))
        return 0;
    m_dMaxwidth = width;
    return 1;
}

unsigned int SslHpgl::SetStepsize(std::uint32_t steps) {
    if (steps < 1 || steps > kMaxStepsize)
        return 0;
    m_nStepsize = steps;
    return 1;
}

unsigned int SslHpgl::SetBicolorrgb(std::uint32_t value) {
    if (value > m_MaxBicolorrgbIndex)
        return 0;
    m_nBicolorrgb = value;
    return 1;
}

unsigned int SslHpgl::SetDithermode(std::uint32_t value) {
    if (value > 1)
        return 0;
    m_nDithermode = value;
    return 1;
}

void SslHpgl::ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution) {
    m_dMinwidth = RCUnit::Convert(fromUnit, toUnit, m_dMinwidth, resolution);
    m_dMaxwidth = RCUnit::Convert(fromUnit, toUnit, m_dMaxwidth, resolution);
}

bool SslHpgl::operator==(const SslHpgl& other) const {
    return m_bFilepensize == other.m_bFilepensize && m_nFilepencolor == other.m_nFilepencolor &&
           m_bPenscale == other.m_bPenscale && m_bClipping == other.m_bClipping &&
           m_nPatterntype == other.m_nPatterntype && m_bIgnorePenSize == other.m_bIgnorePenSize &&
           m_dMinwidth == other.m_dMinwidth && m_dMaxwidth == other.m_dMaxwidth &&
           m_nStepsize == other.m_nStepsize && m_nBicolorrgb == other.m_nBicolorrgb &&
           m_nDithermode == other.m_nDithermode;
}

unsigned int SslHpgl::SetString(const std::string& text, std::uint32_t member, std::uint32_t) {
    if (member == 7 || member == 8) {
        double width = 0.0;
        if (!TString(text).Value(width))
            return 0;
        return member == 7 ? SetMinwidth(width) : SetMaxwidth(width);
    }
    std::int32_t value = 0;
    if (member >= kMemberCount || !ReadDecimal(text, value) || value < 0)
        return 0;
    const auto number = static_cast<std::uint32_t>(value);
    switch (member) {
        case 0:
            return SetClipping(number);
        case 1:
            return SetFilepensize(number);
        case 2:
            return SetFilepencolor(number);
        case 3:
            return SetPenscale(number);
        case 4:
            return SetPatterntype(number);
        case 5:
            return SetIgnorePenSize(number);
        case 6:
            return SetStepsize(number);
        default:
            return SetDithermode(number);
    }
}

std::string SslHpgl::GetString(std::uint32_t member, std::uint32_t) const {
    switch (member) {
        case 0:
            return std::to_string(m_bClipping);
        case 1:
            return std::to_string(m_bFilepensize);
        case 2:
            return std::to_string(m_nFilepencolor);
        case 3:
            return std::to_string(m_bPenscale);
        case 4:
            return std::to_string(m_nPatterntype);
        case 5:
            return std::to_string(m_bIgnorePenSize);
        case 6:
            return std::to_string(m_nStepsize);
        case 7:
            return Width(m_dMinwidth).str();
        case 8:
            return Width(m_dMaxwidth).str();
        case 9:
            return std::to_string(m_nDithermode);
        default:
            return {};
    }
}

std::uint32_t SslHpgl::GetContainedType(std::uint32_t member) const {
    return member < kMemberCount ? kMemberTypes[member] : 0;
}

std::uint32_t SslHpgl::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                   const RCStatementInfluencingCapaRefined*) const {
    switch (member) {
        case 0:
            keywords = m_asClippingPy;
            return 2;
        case 1:
        case 2:
            keywords = m_asFilepenSettingsPy;
            return 2;
        case 3:
        case 5:
            keywords = SslFold::m_asOnOff;
            return 2;
        case 4:
            keywords = m_asPatterntypesPy;
            return 4;
        case 9:
            keywords = m_asDithermodesPy;
            return 2;
        default:
            keywords = nullptr;
            return 0;
    }
}

TString SslHpgl::GetSubStatementName(std::uint32_t member) {
    return member < kMemberCount ? m_asMemberNames[member] : TString("error");
}

// --- SslVic ---------------------------------------------------------------------------

SslVic::SslVic()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID],
                        RSDefaults{1, 3, 0.0, 2.54, 400, 1}) {}

TString SslVic::ToString() const {
    return JoinParts({{m_sFilepensize, OnOff(GetFilepensize())},
                      {m_sFilepencolor, m_asFilepencolors[GetFilepencolor()]},
                      {m_sPenscale, OnOff(GetPenscale())},
                      {m_sPatterntype, m_asPatterntypes[GetPatterntype()]},
                      {m_sIgnorePenSize, OnOff(GetIgnorePenSize())},
                      {m_sStepsize, TString(GetStepsize())},
                      {m_sMinwidth, SslDecimalText(GetMinwidth())},
                      {m_sMaxwidth, SslDecimalText(GetMaxwidth())}});
}

// --- SslCalcomp -------------------------------------------------------------------------

const TString SslCalcomp::m_sAutodetect = "autodetect ";
const TString SslCalcomp::m_sChecksum = "checksum ";
const TString SslCalcomp::m_sDoublesync = "doublesync ";
const TString SslCalcomp::m_sEom = "eom ";
const TString SslCalcomp::m_sSync = "sync ";

SslCalcomp::SslCalcomp()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID],
                        RSDefaults{0, 0, 0.005291667, 9.990666667, 800, 0}) {}

TString SslCalcomp::ToString() const {
    return JoinParts({{m_sFilepensize, OnOff(GetFilepensize())},
                      {m_sPenscale, OnOff(GetPenscale())},
                      {m_sPatterntype, m_asPatterntypes[GetPatterntype()]},
                      {m_sIgnorePenSize, OnOff(GetIgnorePenSize())},
                      {m_sStepsize, TString(GetStepsize())},
                      {m_sMinwidth, SslDecimalText(GetMinwidth())},
                      {m_sMaxwidth, SslDecimalText(GetMaxwidth())},
                      {m_sAutodetect, OnOff(m_bAutodetect)},
                      {m_sChecksum, OnOff(m_bChecksum)},
                      {m_sDoublesync, OnOff(m_bDoublesync)},
                      {m_sEom, TString(m_nEom)},
                      {m_sSync, TString(m_nSync)}});
}

TString SslCalcomp::ToCfg() const {
    TString text = CfgLine("CCSTEPSPERCM", TString(GetStepsize())) +
                   CfgLine("CCAUTODETECT", OnOff(m_bAutodetect)) +
                   CfgLine("CCCHECK", OnOff(m_bChecksum)) + CfgLine("CCENDCHAR", TString(m_nEom)) +
                   CfgLine("CCSYNC01", TString(m_nSync));
    if (m_bDoublesync)
        text += CfgLine("CCSYNC02", TString(m_nSync));
    return text;
}

unsigned int SslCalcomp::SetAutodetect(unsigned int on) {
    m_bAutodetect = on ? 1 : 0;
    return 1;
}

unsigned int SslCalcomp::SetChecksum(unsigned int on) {
    m_bChecksum = on ? 1 : 0;
    return 1;
}

unsigned int SslCalcomp::SetDoublesync(unsigned int on) {
    m_bDoublesync = on ? 1 : 0;
    return 1;
}

unsigned int SslCalcomp::SetEom(std::uint32_t value) {
    if (value > kMaxSyncChar)
        return 0;
    m_nEom = value;
    return 1;
}

unsigned int SslCalcomp::SetSync(std::uint32_t value) {
    if (value > kMaxSyncChar)
        return 0;
    m_nSync = value;
    return 1;
}

bool SslCalcomp::operator==(const SslCalcomp& other) const {
    return SslHpgl::operator==(other) && m_bAutodetect == other.m_bAutodetect &&
           m_bChecksum == other.m_bChecksum && m_bDoublesync == other.m_bDoublesync &&
           m_nEom == other.m_nEom && m_nSync == other.m_nSync;
}

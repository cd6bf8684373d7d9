#include "ssl2/SSLStatements/SslJobFlagsheet.h"

const TString SslJobFlagsheet::m_asOutputTrays[4] = {"auto", "default", "front", "rear"};
const TString SslJobFlagsheet::m_asAutoJobSet[3] = {"auto", "job", "set"};
const TString SslJobFlagsheet::m_asHeadTrail[m_MaxHeadTrailIndex + 1] = {"header", "trailer"};
const TString SslJobFlagsheet::m_sAccount = "account ";
const TString SslJobFlagsheet::m_sDistribution = "distribution ";
const TString SslJobFlagsheet::m_sFoldPrg = "prg ";
const TString SslJobFlagsheet::m_sFoldTray = "foldTray ";
const TString SslJobFlagsheet::m_sInputTray = "tray ";
const TString SslJobFlagsheet::m_sText = "text ";
const TString SslJobFlagsheet::m_sSize = "size ";
const TString SslJobFlagsheet::m_asMemberNames[kMemberCount] = {"active", "text "};

SslJobFlagsheet::SslJobFlagsheet()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {
    // DIN A4 whatever the process-wide default format is; the size type last, as
    // setting a width changes it.
    m_Size.SetFormatName(0);
    m_Size.SetFormat(4);
    m_Size.SetWidth(210.0);
    m_Size.SetHeight(297.0);
    m_Size.SetSizeType(SslSize::kFormat);
}

TString SslJobFlagsheet::ToString() const {
    if (!m_bOn)
        return m_sName + " off";
    static const TString kNext = "\r\n\t+ ";
    TString text = m_sName + " " + m_asAutoJobSet[m_nPerJob];
    text += kNext + m_sText + "\"" + m_sSheetText + "\"";
    if (m_bAccount)
        text += kNext + m_sAccount;
    if (m_bDistribution)
        text += kNext + m_sDistribution;
    if (m_nFoldPrg >= 0) {
        text += kNext + m_sFoldPrg + TString(m_nFoldPrg);
    } else if (m_nFoldPrg == kFoldPrgAuto) {
        text += kNext + m_sFoldPrg + "auto";
    }
    if (m_nFoldTray >= 0)
        text += kNext + m_sFoldTray + TString(m_nFoldTray);
    if (m_nInputTray >= 0)
        text += kNext + m_sInputTray + TString(m_nInputTray);
    // The display form of the size, except where it would read back as another
    // size: an unproportional window, a manual size, fit to print window.
    const std::uint32_t type = m_Size.GetSizeType();
    const bool keyword = type == SslSize::kUnproportional || type == SslSize::kManual ||
                         type == SslSize::kFitToPrintWindow;
    text += kNext + m_sSize + m_Size.ToString(keyword ? 1 : 0, 1);
    return text;
}

unsigned int SslJobFlagsheet::SetString(const std::string& text, std::uint32_t member,
                                        std::uint32_t) {
    switch (member) {
        case 0: {
            std::int32_t value = 0;
            if (!ReadDecimal(text, value))
                return 0;
            return SetOn(value != 0);
        }
        case 1:
            return SetText(TString::FromEightBit(text));
        default:
            return 0;
    }
}

std::string SslJobFlagsheet::GetString(std::uint32_t member, std::uint32_t) const {
    switch (member) {
        case 0:
            return std::to_string(m_bOn);
        case 1:
            return m_sSheetText.str();
        default:
            return {};
    }
}

std::uint32_t SslJobFlagsheet::GetContainedType(std::uint32_t member) const {
    switch (member) {
        case 0:
            return kMemberSelection;
        case 1:
            return kMemberText;
        default:
            return 0;
    }
}

TString SslJobFlagsheet::GetSubStatementName(std::uint32_t member) {
    return member < kMemberCount ? m_asMemberNames[member]
                                 : SslStatement::GetSubStatementName(member);
}

unsigned int SslJobFlagsheet::SetOn(unsigned int on) {
    m_bOn = on;
    return 1;
}

unsigned int SslJobFlagsheet::SetAccount(unsigned int account) {
    m_bAccount = account;
    return 1;
}

unsigned int SslJobFlagsheet::SetDistribution(unsigned int distribution) {
    m_bDistribution = distribution;
    return 1;
}

unsigned int SslJobFlagsheet::SetText(const TString& text) {
    m_sSheetText = text;
    return 1;
}

unsigned int SslJobFlagsheet::SetFoldProgram(std::int32_t program) {
    m_nFoldPrg = program;
    return 1;
}

unsigned int SslJobFlagsheet::SetFoldTray(std::int32_t tray) {
    m_nFoldTray = tray;
    return 1;
}

unsigned int SslJobFlagsheet::SetInputTray(std::int32_t tray) {
    m_nInputTray = tray;
    return 1;
}

unsigned int SslJobFlagsheet::SetOutputTray(std::int32_t tray) {
    if (tray < -1 || tray > kMaxOutputTray)
        return 0;
    m_nOutputTray = tray;
    return 1;
}

unsigned int SslJobFlagsheet::SetPerJob(std::uint32_t perJob) {
    if (perJob > kMaxPerJob)
        return 0;
    m_nPerJob = perJob;
    return 1;
}

unsigned int SslJobFlagsheet::SetHeadTrail(std::uint32_t headTrail) {
    if (headTrail > m_MaxHeadTrailIndex)
        return 0;
    m_nHeadTrail = headTrail;
    return 1;
}

unsigned int SslJobFlagsheet::SetSize(const SslSize& size) {
    m_Size = size;
    return 1;
}

void SslJobFlagsheet::ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit,
                                  std::uint32_t resolution) {
    m_Size.ConvertUnit(fromUnit, toUnit, resolution);
}

bool SslJobFlagsheet::operator==(const SslJobFlagsheet& other) const {
    return m_bAccount == other.m_bAccount && m_bDistribution == other.m_bDistribution &&
           m_nFoldPrg == other.m_nFoldPrg && m_nFoldTray == other.m_nFoldTray &&
           m_nInputTray == other.m_nInputTray && m_bOn == other.m_bOn &&
           m_nOutputTray == other.m_nOutputTray && m_nPerJob == other.m_nPerJob &&
           m_Size == other.m_Size && m_sSheetText == other.m_sSheetText &&
           m_nHeadTrail == other.m_nHeadTrail;
}

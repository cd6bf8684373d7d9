#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"

#include <algorithm>

#include "ssl2/base/TException.h"
#include "ssl2/capas/RCStatementInfluencingCapaRaw.h"
#include "ssl2/sslmessages.h"

namespace {

// Element `index` of a list; past its end "SslErrors" 0 with the member's name.
template <class V>
const typename V::value_type& Element(const V& list, std::uint32_t index, const char* name) {
    if (index >= list.size()) {
        ThrowNewError(RMCSslErrors(), RMCSslErrors::kIndexOutOfRange, name,
                      TString::Format("%u", index),
                      TString::Format("%u", static_cast<unsigned>(list.size())));
    }
    return list[index];
}

// Last fold program number a plotter can offer.
constexpr std::uint32_t kFoldProgramLimit = 128;

}  // namespace

TString RCStatementInfluencingCapaRefined::GetPlotterName(std::uint32_t index) const {
    return Element(m_PlotterNames, index, "m_PlotterNames");
}
VEMTO::_TMedia RCStatementInfluencingCapaRefined::GetMedia(std::uint32_t index) const {
    return Element(m_Media, index, "m_Media");
}
const SslCapas::RCInputTray& RCStatementInfluencingCapaRefined::GetInputTray(
    std::uint32_t index) const {
    return Element(m_InputTrays, index, "m_InputTrays");
}
const SslCapas::RCOutputTray& RCStatementInfluencingCapaRefined::GetOutputTray(
    std::uint32_t index) const {
    return Element(m_OutputTrays, index, "m_OutputTrays");
}
const SslCapas::RCFoldProgramCapas& RCStatementInfluencingCapaRefined::GetFoldProgram(
    std::uint32_t index) const {
    return Element(m_FoldPrograms, index, "m_FoldPrograms");
}
const SslCapas::RCOutputTray& RCStatementInfluencingCapaRefined::GetFolderOutputTray(
    std::uint32_t index) const {
    return Element(m_FolderOutputTrays, index, "m_FolderOutputTrays");
}

std::uint32_t RCStatementInfluencingCapaRefined::PushBackPlotterName(const TString& name) {
    m_PlotterNames.push_back(name);
    return GetPlotterCount();
}

std::uint32_t RCStatementInfluencingCapaRefined::SyntaxVersionFromSoftwareVersion(
    const TString& version) {
    if (version.IsEmpty())
        return 0;
    switch (version[0]) {
        case '1':
            return 1;
        case '3':
            return 2;
        case '4':
            return 3;
        case '5':
            return 4;
        default:
            return 0;
    }
}

void RCStatementInfluencingCapaRefined::Fill(const RCStatementInfluencingCapaRaw& raw) {
    Clear();
    m_PlotterNames.push_back(raw.GetPlotterName());
    m_nColorDepths = raw.GetPlotterClass();
    m_nSslSyntaxVersion = SyntaxVersionFromSoftwareVersion(raw.GetSoftwareVersion());

    for (std::uint32_t i = 0; i < raw.GetInputTrayCount(); ++i) {
        SslCapas::RCInputTray tray = raw.GetInputTrayInfo(i);
        tray.SetOrdinal(i);
        m_InputTrays.push_back(tray);
        m_Media.push_back(tray.GetMedia());
    }
    m_LargestInputTray = m_InputTrays.GetLargestTray();
    m_Media.Unique();

    for (std::uint32_t i = 0; i < raw.GetOutputTrayCount(); ++i) {
        m_OutputTrays.push_back(raw.GetOutputTrayInfo(i));
    }
    const std::uint32_t programs = std::min(raw.GetFoldProgramCount(), kFoldProgramLimit);
    for (std::uint32_t i = 0; i < std::max(programs, 1u); ++i) {
        SslCapas::RCFoldProgramCapas program = raw.GetFoldProgramCapas(i);
        const bool usable =
            (program.GetProgramCapas() & VEMTO::kFoldProgramUsable) == VEMTO::kFoldProgramUsable;
        if (i == 0 || usable) {
            program.SetProgramNo(i);
            m_FoldPrograms.push_back(program);
        }
    }
    for (std::uint32_t i = 0; i < raw.GetFolderOutputTrayCount(); ++i) {
        m_FolderOutputTrays.push_back(raw.GetFolderOutputTrayInfo(i));
    }
}

std::uint32_t RCStatementInfluencingCapaRefined::Add(const RCStatementInfluencingCapaRaw& raw) {
    if (m_PlotterNames.empty()) {
        Fill(raw);
    } else {
        RCStatementInfluencingCapaRefined other;
        other.Fill(raw);
        *this |= other;
    }
    return GetPlotterCount();
}

RCStatementInfluencingCapaRefined& RCStatementInfluencingCapaRefined::operator|=(
    const RCStatementInfluencingCapaRefined& other) {
    if (this == &other || other.m_PlotterNames.empty())
        return *this;
    if (m_PlotterNames.empty())
        return *this = other;

    m_nColorDepths |= other.m_nColorDepths;
    if (!(m_LargestInputTray > other.m_LargestInputTray)) {
        m_LargestInputTray = other.m_LargestInputTray;
    }
    if (m_nSslSyntaxVersion == 0 || other.m_nSslSyntaxVersion == 0) {
        m_nSslSyntaxVersion = std::max(m_nSslSyntaxVersion, other.m_nSslSyntaxVersion);
    } else {
        m_nSslSyntaxVersion = std::min(m_nSslSyntaxVersion, other.m_nSslSyntaxVersion);
    }
    m_PlotterNames.insert(m_PlotterNames.end(), other.m_PlotterNames.begin(),
                          other.m_PlotterNames.end());
    m_PlotterNames.erase(std::unique(m_PlotterNames.begin(), m_PlotterNames.end()),
                         m_PlotterNames.end());
    if (!other.m_Media.empty()) {
        m_Media.insert(m_Media.end(), other.m_Media.begin(), other.m_Media.end());
        m_Media.Unique();
    }
    m_InputTrays.clear();
    m_OutputTrays &= other.m_OutputTrays;
    m_FoldPrograms &= other.m_FoldPrograms;
    m_FolderOutputTrays &= other.m_FolderOutputTrays;
    return *this;
}

bool RCStatementInfluencingCapaRefined::operator==(
    const RCStatementInfluencingCapaRefined& other) const {
    return m_PlotterNames == other.m_PlotterNames && m_Media == other.m_Media &&
           m_nColorDepths == other.m_nColorDepths &&
           m_nSslSyntaxVersion == other.m_nSslSyntaxVersion && m_InputTrays == other.m_InputTrays &&
           m_OutputTrays == other.m_OutputTrays && m_LargestInputTray == other.m_LargestInputTray &&
           m_FoldPrograms == other.m_FoldPrograms &&
           m_FolderOutputTrays == other.m_FolderOutputTrays;
}

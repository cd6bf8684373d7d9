#include "ssl2/capas/SslCapas.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "ssl2/capas/RCIniStringInterface.h"

namespace SslCapas {
namespace {

struct RSNamedValue {
    std::string_view m_sName;
    std::uint32_t m_nValue;
};

// Capability-file names of the media, by number; "vellum" is a second name of 2.
// Element n is the name printed for media n (the SSL keyword of that media).
constexpr std::array<std::string_view, 11> kMediaNames = {"dontcare",
                                                          "paper",
                                                          "transparent",
                                                          "film",
                                                          "recycledpaper",
                                                          "HeavyPhotoGloss",
                                                          "HeavyPhotoMatt",
                                                          "LightPhotoGloss",
                                                          "HeavyPaperPureWhite",
                                                          "HeavyPaperOffWhite",
                                                          "custom"};

constexpr std::array<RSNamedValue, 5> kTrayTypes = {{{"manual", VEMTO::kTrayManual},
                                                     {"roll", VEMTO::kTrayRoll},
                                                     {"cutsheet", VEMTO::kTrayCutSheet},
                                                     {"notavailable", VEMTO::kTrayNotAvailable},
                                                     {"archive", VEMTO::kTrayArchive}}};

bool Number(const TString& text, std::uint32_t& value, int radix = 10) {
    return text.Value(value, radix) != 0;
}

}  // namespace

VEMTO::_TMedia MediaFromName(const TString& name) {
    if (name.CompareNoCase("vellum") == 0)
        return VEMTO::kMediaVellum;
    for (std::size_t i = 0; i < kMediaNames.size(); ++i) {
        if (name.CompareNoCase(TString(kMediaNames[i])) == 0) {
            return static_cast<VEMTO::_TMedia>(i);
        }
    }
    return VEMTO::kMediaDontCare;
}

VEMTO::_TTrayType TrayTypeFromName(const TString& name) {
    for (const auto& entry : kTrayTypes) {
        if (name.CompareNoCase(TString(entry.m_sName)) == 0) {
            return static_cast<VEMTO::_TTrayType>(entry.m_nValue);
        }
    }
    return VEMTO::kTrayNotAvailable;
}

// --- RCInputTray -----------------------------------------------------------------

std::int64_t RCInputTray::Size() const {
    return static_cast<std::int64_t>(std::min(m_Width.AsMm(), m_Length.AsMm()));
}

bool RCInputTray::operator==(const RCInputTray& other) const {
    return m_Width == other.m_Width && m_Length == other.m_Length && m_eMedia == other.m_eMedia &&
           m_nMediaSubType == other.m_nMediaSubType && m_eTrayType == other.m_eTrayType &&
           m_sTrayName == other.m_sTrayName && m_nValid == other.m_nValid;
}

void RCInputTray::FromIni(const RCIniStringInterface& ini, std::uint32_t index) {
    const std::uint32_t n = index + 1;
    const auto key = [n](const char* format) { return TString::Format(format, n); };
    TString value;
    std::uint32_t number = 0;

    m_nOrdinal = index;
    if (ini.GetValue("trayinfo", key("traywidth%u"), value) && Number(value, number)) {
        m_Width.SetMm(number);
    }
    if (ini.GetValue("trayinfo", key("traylength%u"), value)) {
        m_Length.SetMm(Number(value, number) ? number : 15000);
    }
    m_eMedia = ini.GetValue("trayinfo", key("mediamain%u"), value) ? MediaFromName(value)
                                                                   : VEMTO::kMediaDontCare;
    if (ini.GetValue("trayinfo", key("mediasub%u"), value)) {
        m_nMediaSubType = Number(value, number) ? number : 1;
    }
    m_eTrayType = ini.GetValue("trayinfo", key("traytype%u"), value) ? TrayTypeFromName(value)
                                                                     : VEMTO::kTrayNotAvailable;
    if (ini.GetValue("trayinfo", key("trayname%u"), value))
        m_sTrayName = value;
}

// --- RCOutputTray ----------------------------------------------------------------

void RCOutputTray::FromIni(const RCIniStringInterface& ini, std::uint32_t index, bool outputTray) {
    const TString section = outputTray ? "outputtrayinfo" : "folderoutputtrayinfo";
    const std::uint32_t n = index + 1;
    TString value;
    std::uint32_t number = 0;
    const bool found = ini.GetValue(section, TString::Format("trayindex%u", n), value);
    m_nSslTrayNo = found && Number(value, number) ? number : n;
    if (ini.GetValue(section, TString::Format("trayname%u", n), value))
        m_sTrayName = value;
}

// --- RCFoldProgramCapas --------------------------------------------------------------

const RCFoldProgramCapas RCFoldProgramCapas::NoFold(0, VEMTO::kFoldProgramUsable, "no fold");

void RCFoldProgramCapas::FromIni(const RCIniStringInterface& ini, std::uint32_t index) {
    TString value;
    std::uint32_t number = 0;
    const bool hasNumber =
        ini.GetValue("foldprograminfo", TString::Format("programnumber%u", index), value);
    m_nProgramNo = hasNumber && Number(value, number) ? number : index;
    const bool hasCapas =
        ini.GetValue("foldprograminfo", TString::Format("programcapas%u", index), value);
    m_nProgramCapas = hasCapas && Number(value, number, 16) ? number : 0;
    if (ini.GetValue("foldprograminfo", TString::Format("programname%u", index), value)) {
        m_sProgramName = value;
    }
}

// --- vectors ------------------------------------------------------------------------

RCInputTray RCInputTrayVector::GetLargestTray() const {
    if (empty())
        return RCInputTray();
    if (size() == 1)
        return front();
    std::size_t largest = 0;
    for (std::size_t i = 1; i < size(); ++i) {
        if ((*this)[i] > (*this)[largest])
            largest = i;
    }
    RCInputTray tray = (*this)[largest];
    tray.SetOrdinal(static_cast<std::uint32_t>(largest));
    return tray;
}

namespace {

// Both vectors together, stably sorted by number, less the first record of each
// number: for inputs without repeated numbers that is `other`'s record of every
// number both know, in ascending order.
template <class V, class SameFn>
void Intersect(V& self, const V& other, SameFn same) {
    if (&self == &other)
        return;
    if (self.empty() || other.empty()) {
        self.clear();
        return;
    }
    V all = self;
    all.insert(all.end(), other.begin(), other.end());
    std::stable_sort(all.begin(), all.end());
    V result;
    for (std::size_t i = 0; i < all.size();) {
        std::size_t j = i + 1;
        for (; j < all.size() && same(all[i], all[j]); ++j)
            result.push_back(all[j]);
        i = j;
    }
    self = std::move(result);
}

}  // namespace

RCOutputTrayVector& RCOutputTrayVector::operator&=(const RCOutputTrayVector& other) {
    Intersect(*this, other, &RCOutputTray::SameTray);
    return *this;
}

RCFoldProgramVector& RCFoldProgramVector::operator&=(const RCFoldProgramVector& other) {
    Intersect(*this, other, &RCFoldProgramCapas::SameProgramNo);
    return *this;
}

bool TMediaVector::Find(VEMTO::_TMedia media) const {
    return std::find(begin(), end(), media) != end();
}

void TMediaVector::Unique() {
    std::stable_sort(begin(), end());
    erase(std::unique(begin(), end()), end());
}

TString TMediaVector::ToString() const {
    std::string text;
    text.reserve(1000);
    for (VEMTO::_TMedia media : *this) {
        if (media < kMediaNames.size()) {
            text += kMediaNames[media];
        } else {
            text += std::to_string(static_cast<std::uint32_t>(media));
        }
        text += "\r\n";
    }
    return TString(std::move(text));
}

}  // namespace SslCapas

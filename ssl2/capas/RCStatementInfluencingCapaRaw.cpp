#include "ssl2/capas/RCStatementInfluencingCapaRaw.h"

#include <algorithm>

#include "ssl2/base/TException.h"
#include "ssl2/capas/RCIniStringInterface.h"
#include "ssl2/sslmessages.h"

namespace {

// Slot `index` of a fixed array; past its end "SslErrors" 0 with the array's name.
template <class A>
auto& Slot(A& array, std::uint32_t index, const char* name) {
    if (index >= array.size()) {
        ThrowNewError(RMCSslErrors(), RMCSslErrors::kIndexOutOfRange, name,
                      TString::Format("%u", index),
                      TString::Format("%u", static_cast<unsigned>(array.size())));
    }
    return array[index];
}

// A count key: min(value, limit), or 0 when missing or not a number.
std::uint32_t ReadCount(const RCIniStringInterface& ini, const char* section, const char* key,
                        std::uint32_t limit) {
    TString value;
    std::uint32_t count = 0;
    if (!ini.GetValue(section, key, value) || value.Value(count, 10) == 0)
        return 0;
    return std::min(count, limit);
}

// The numeric fields of a device section that are present and decimal.
void ReadDevice(const RCIniStringInterface& ini, const char* section, RSDevice& device) {
    const std::pair<const char*, std::uint32_t RSDevice::*> fields[] = {
        {"class", &RSDevice::m_nClass},
        {"interface", &RSDevice::m_nInterface},
        {"manufacturer", &RSDevice::m_nManufacturer},
        {"model", &RSDevice::m_nModel}};
    for (const auto& [key, field] : fields) {
        TString value;
        std::uint32_t number = 0;
        if (ini.GetValue(section, key, value) && value.Value(number, 10) != 0) {
            device.*field = number;
        }
    }
}

// Reads the `count` leading records over what they held and resets every later slot.
template <class A, class ReadFn>
void ReadSlots(A& array, std::uint32_t count, ReadFn read) {
    for (std::uint32_t i = 0; i < array.size(); ++i) {
        if (i < count) {
            read(array[i], i);
        } else {
            array[i] = {};
        }
    }
}

}  // namespace

void RCStatementInfluencingCapaRaw::SetInputTrayCount(std::uint32_t count) {
    m_nInputTrayCount = std::min(count, kMaxInputTrays);
}

void RCStatementInfluencingCapaRaw::SetOutputTrayCount(std::uint32_t count) {
    m_nOutputTrayCount = std::min(count, kMaxOutputTrays);
}

void RCStatementInfluencingCapaRaw::SetFolderOutputTrayCount(std::uint32_t count) {
    m_nFolderOutputTrayCount = std::min(count, kMaxFolderOutputTrays);
}

SslCapas::RCInputTray RCStatementInfluencingCapaRaw::GetInputTrayInfo(std::uint32_t index) const {
    return Slot(m_aInputTrayInfo, index, "m_aInputTrayInfo");
}
void RCStatementInfluencingCapaRaw::SetInputTrayInfo(std::uint32_t index,
                                                     const SslCapas::RCInputTray& tray) {
    Slot(m_aInputTrayInfo, index, "m_aInputTrayInfo") = tray;
}
SslCapas::RCOutputTray RCStatementInfluencingCapaRaw::GetOutputTrayInfo(std::uint32_t index) const {
    return Slot(m_aOutputTrayInfo, index, "m_aOutputTrayInfo");
}
void RCStatementInfluencingCapaRaw::SetOutputTrayInfo(std::uint32_t index,
                                                      const SslCapas::RCOutputTray& tray) {
    Slot(m_aOutputTrayInfo, index, "m_aOutputTrayInfo") = tray;
}
SslCapas::RCOutputTray RCStatementInfluencingCapaRaw::GetFolderOutputTrayInfo(
    std::uint32_t index) const {
    return Slot(m_aFolderOutputTrayInfo, index, "m_aFolderOutputTrayInfo");
}
void RCStatementInfluencingCapaRaw::SetFolderOutputTrayInfo(std::uint32_t index,
                                                            const SslCapas::RCOutputTray& tray) {
    Slot(m_aFolderOutputTrayInfo, index, "m_aFolderOutputTrayInfo") = tray;
}
SslCapas::RCFoldProgramCapas RCStatementInfluencingCapaRaw::GetFoldProgramCapas(
    std::uint32_t index) const {
    return Slot(m_aFoldPrograms, index, "m_aFoldPrograms");
}
void RCStatementInfluencingCapaRaw::SetFoldProgramCapas(
    std::uint32_t index, const SslCapas::RCFoldProgramCapas& program) {
    Slot(m_aFoldPrograms, index, "m_aFoldPrograms") = program;
}

void RCStatementInfluencingCapaRaw::FromIniInterface(const RCIniStringInterface& ini) {
    TString value;
    std::uint32_t number = 0;
    if (ini.GetValue("default", "name", value))
        m_sPlotterName = value;
    ReadDevice(ini, "plotterdevice", m_PlotterType);
    if (ini.GetValue("globals", "plotterclass", value) && value.Value(number, 10) != 0) {
        m_nPlotterClass = number;
    }
    if (ini.GetValue("default", "version", value))
        m_sSoftwareVersion = value;
    ReadDevice(ini, "folderdevice", m_FolderType);

    m_nFoldProgramCount = ReadCount(ini, "foldprograminfo", "programcount", kMaxFoldPrograms);
    ReadSlots(m_aFoldPrograms, m_nFoldProgramCount,
              [&](SslCapas::RCFoldProgramCapas& p, std::uint32_t i) { p.FromIni(ini, i); });
    m_nFolderOutputTrayCount =
        ReadCount(ini, "folderoutputtrayinfo", "traycount", kMaxFolderOutputTrays);
    ReadSlots(m_aFolderOutputTrayInfo, m_nFolderOutputTrayCount,
              [&](SslCapas::RCOutputTray& t, std::uint32_t i) { t.FromIni(ini, i, false); });
    m_nInputTrayCount = ReadCount(ini, "trayinfo", "traycount", kMaxInputTrays);
    ReadSlots(m_aInputTrayInfo, m_nInputTrayCount,
              [&](SslCapas::RCInputTray& t, std::uint32_t i) { t.FromIni(ini, i); });
    m_nOutputTrayCount = ReadCount(ini, "outputtrayinfo", "traycount", kMaxOutputTrays);
    ReadSlots(m_aOutputTrayInfo, m_nOutputTrayCount,
              [&](SslCapas::RCOutputTray& t, std::uint32_t i) { t.FromIni(ini, i, true); });
}

bool RCStatementInfluencingCapaRaw::FromFile(const std::string& path) {
    RCIniStringInterface ini;
    if (ini.ReadFile(path) == 0)
        return false;
    FromIniInterface(ini);
    return true;
}

bool RCStatementInfluencingCapaRaw::FromString(const std::string& text) {
    RCIniStringInterface ini;
    if (ini.ReadString(text) == 0)
        return false;
    FromIniInterface(ini);
    return true;
}

bool RCStatementInfluencingCapaRaw::operator==(const RCStatementInfluencingCapaRaw& other) const {
    if (this == &other)
        return true;
    return m_sPlotterName == other.m_sPlotterName && m_PlotterType == other.m_PlotterType &&
           m_FolderType == other.m_FolderType && m_nPlotterClass == other.m_nPlotterClass &&
           m_eCapasSource == other.m_eCapasSource && m_nInputTrayCount == other.m_nInputTrayCount &&
           m_nOutputTrayCount == other.m_nOutputTrayCount &&
           m_nFolderOutputTrayCount == other.m_nFolderOutputTrayCount &&
           m_nFoldProgramCount == other.m_nFoldProgramCount &&
           m_aInputTrayInfo == other.m_aInputTrayInfo &&
           m_aOutputTrayInfo == other.m_aOutputTrayInfo &&
           m_aFolderOutputTrayInfo == other.m_aFolderOutputTrayInfo &&
           m_aFoldPrograms == other.m_aFoldPrograms;
}

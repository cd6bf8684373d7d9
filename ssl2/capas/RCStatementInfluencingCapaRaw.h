// RCStatementInfluencingCapaRaw: what one plotter (with its optional folder) can do,
// as far as it limits the SSL statements a job may use.
//
// Filled from a capability INI text (file or string) and kept in fixed arrays whose
// leading `count` elements are meaningful.  RCStatementInfluencingCapas merges
// several of them into refined capabilities.  A plain value type; one object per
// thread at a time.
//
//   RCStatementInfluencingCapaRaw raw;
//   if (raw.FromFile("plotter.ini")) { auto trays = raw.GetInputTrayCount(); ... }
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ssl2/base/TPoint.h"
#include "ssl2/base/TString.h"
#include "ssl2/capas/SslCapas.h"

class RCIniStringInterface;

/// What one plotter (with its optional folder) can do, as far as it limits the SSL
/// statements of a job: name, device types, trays and fold programs, read from a
/// capability INI text.  Arrays hold `count` meaningful leading elements.
class RCStatementInfluencingCapaRaw {
public:
    /// Where the capabilities came from; stored and compared only.
    enum TCapasSource : std::uint32_t {
        kCapasSourceUnknown = 0,  ///< not known
        kCapasSourceFile = 1,     ///< a capability file
        kCapasSourceDevice = 2,   ///< the device itself
        kCapasSourceServer = 3,   ///< the print server
    };

    static constexpr std::uint32_t kMaxInputTrays = 10;        ///< input tray slots
    static constexpr std::uint32_t kMaxOutputTrays = 10;       ///< output tray slots
    static constexpr std::uint32_t kMaxFolderOutputTrays = 4;  ///< folder output tray slots
    static constexpr std::uint32_t kMaxFoldPrograms = 128;     ///< fold program slots

    RCStatementInfluencingCapaRaw() = default;

    ///@{
    /// The plotter's name, which identifies it among several.
    TString GetPlotterName() const { return m_sPlotterName; }
    void SetPlotterName(const TString& name) { m_sPlotterName = name; }
    ///@}
    ///@{
    /// The plotter's device type.
    RSDevice GetPlotterType() const { return m_PlotterType; }
    void SetPlotterType(const RSDevice& device) { m_PlotterType = device; }
    ///@}
    ///@{
    /// The folder's device type (none: no folder).
    RSDevice GetFolderType() const { return m_FolderType; }
    void SetFolderType(const RSDevice& device) { m_FolderType = device; }
    ///@}
    ///@{
    /// The plotter software's version text (not compared).
    TString GetSoftwareVersion() const { return m_sSoftwareVersion; }
    void SetSoftwareVersion(const TString& version) { m_sSoftwareVersion = version; }
    ///@}
    ///@{
    /// Colour class bits of the plotter.
    std::uint32_t GetPlotterClass() const { return m_nPlotterClass; }
    void SetPlotterClass(std::uint32_t plotterClass) { m_nPlotterClass = plotterClass; }
    ///@}
    ///@{
    /// Where the capabilities came from.
    TCapasSource GetCapasSource() const { return m_eCapasSource; }
    void SetCapasSource(TCapasSource source) { m_eCapasSource = source; }
    ///@}

    /// The number of fold programs.
    std::uint32_t GetFoldProgramCount() const { return m_nFoldProgramCount; }
    /// Stored unchanged.
    void SetFoldProgramCount(std::uint32_t count) { m_nFoldProgramCount = count; }
    /// The number of input trays.
    std::uint32_t GetInputTrayCount() const { return m_nInputTrayCount; }
    /// Stores at most 10.
    void SetInputTrayCount(std::uint32_t count);
    /// The number of output trays.
    std::uint32_t GetOutputTrayCount() const { return m_nOutputTrayCount; }
    /// Stores at most 10.
    void SetOutputTrayCount(std::uint32_t count);
    /// The number of folder output trays.
    std::uint32_t GetFolderOutputTrayCount() const { return m_nFolderOutputTrayCount; }
    /// Stores at most 4.
    void SetFolderOutputTrayCount(std::uint32_t count);

    ///@{
    /// Slots by index; an index at or above the array size (10, 10, 4, 128, not the
    /// count) raises "SslErrors" 0 with the array's name, the index and the size.
    SslCapas::RCInputTray GetInputTrayInfo(std::uint32_t index) const;
    void SetInputTrayInfo(std::uint32_t index, const SslCapas::RCInputTray& tray);
    SslCapas::RCOutputTray GetOutputTrayInfo(std::uint32_t index) const;
    void SetOutputTrayInfo(std::uint32_t index, const SslCapas::RCOutputTray& tray);
    SslCapas::RCOutputTray GetFolderOutputTrayInfo(std::uint32_t index) const;
    void SetFolderOutputTrayInfo(std::uint32_t index, const SslCapas::RCOutputTray& tray);
    SslCapas::RCFoldProgramCapas GetFoldProgramCapas(std::uint32_t index) const;
    void SetFoldProgramCapas(std::uint32_t index, const SslCapas::RCFoldProgramCapas& program);
    ///@}

    /// Fills the object from a capability INI text; missing keys are not errors.
    void FromIniInterface(const RCIniStringInterface& ini);
    ///@{
    /// Read a capability INI file or text; false (object unchanged) when nothing
    /// could be read.
    bool FromFile(const std::string& path);
    bool FromString(const std::string& text);
    ///@}

    /// Everything but the software version equal (every array slot, counted or not).
    bool operator==(const RCStatementInfluencingCapaRaw& other) const;
    /// By plotter name.
    bool operator<(const RCStatementInfluencingCapaRaw& other) const {
        return m_sPlotterName < other.m_sPlotterName;
    }

private:
    TString m_sPlotterName;
    RSDevice m_PlotterType;
    RSDevice m_FolderType;
    std::uint32_t m_nPlotterClass = 0;
    TCapasSource m_eCapasSource = kCapasSourceUnknown;
    std::uint32_t m_nInputTrayCount = 0;
    std::uint32_t m_nOutputTrayCount = 0;
    std::uint32_t m_nFolderOutputTrayCount = 0;
    std::uint32_t m_nFoldProgramCount = 0;
    TString m_sSoftwareVersion;
    std::array<SslCapas::RCInputTray, kMaxInputTrays> m_aInputTrayInfo{};
    std::array<SslCapas::RCOutputTray, kMaxOutputTrays> m_aOutputTrayInfo{};
    std::array<SslCapas::RCOutputTray, kMaxFolderOutputTrays> m_aFolderOutputTrayInfo{};
    std::array<SslCapas::RCFoldProgramCapas, kMaxFoldPrograms> m_aFoldPrograms{};
};

// RCStatementInfluencingCapaRefined: capabilities in the form statements consult.
//
// Lists instead of fixed arrays, the SSL dialect derived from the plotter software,
// and the media set derived from the trays.  One object describes one plotter or the
// common ground of several (what a job may use when it can go to any of them):
// the union of media and colour bits, the oldest known dialect, the largest single
// tray, and the intersection of output trays, fold programs and folder output trays.
// A selection or fold statement takes a pointer to one in GetKeywords.
//
// A plain value type; one object per thread at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "ssl2/base/TString.h"
#include "ssl2/capas/SslCapas.h"

class RCStatementInfluencingCapaRaw;

/// The capabilities of one plotter, or the common ground of several, in the form
/// statements consult.
class RCStatementInfluencingCapaRefined {
public:
    RCStatementInfluencingCapaRefined() = default;

    /// The number of plotters described.
    std::uint32_t GetPlotterCount() const { return Count(m_PlotterNames); }
    /// The number of media.
    std::uint32_t GetMediaCount() const { return Count(m_Media); }
    /// The number of input trays.
    std::uint32_t GetInputTrayCount() const { return Count(m_InputTrays); }
    /// The number of output trays.
    std::uint32_t GetOutputTrayCount() const { return Count(m_OutputTrays); }
    /// The number of fold programs.
    std::uint32_t GetFoldProgramCount() const { return Count(m_FoldPrograms); }
    /// The number of output trays of the folder.
    std::uint32_t GetFolderOutputTrayCount() const { return Count(m_FolderOutputTrays); }
    /// Colour bits (the plotter class; OR over merged plotters).
    std::uint32_t GetColorDepths() const { return m_nColorDepths; }
    /// An SslStatement::TSyntaxVersion value; 0 when unknown.
    std::uint32_t GetSslSyntaxVersion() const { return m_nSslSyntaxVersion; }
    /// Media available, ascending, without repeats.
    const SslCapas::TMediaVector& GetMedia() const { return m_Media; }
    /// The largest single input tray.
    const SslCapas::RCInputTray& GetLargestInputTray() const { return m_LargestInputTray; }

    // Elements by index; an index at or above the size raises "SslErrors" 0 with the
    // member name ("m_PlotterNames", ...), the index and the size.
    /// The name of plotter `index`.
    TString GetPlotterName(std::uint32_t index) const;
    /// Medium `index`.
    VEMTO::_TMedia GetMedia(std::uint32_t index) const;
    /// Input tray `index`.
    const SslCapas::RCInputTray& GetInputTray(std::uint32_t index) const;
    /// Output tray `index`.
    const SslCapas::RCOutputTray& GetOutputTray(std::uint32_t index) const;
    /// Fold program `index`.
    const SslCapas::RCFoldProgramCapas& GetFoldProgram(std::uint32_t index) const;
    /// Output tray `index` of the folder.
    const SslCapas::RCOutputTray& GetFolderOutputTray(std::uint32_t index) const;

    /// Appends a plotter name; returns the new plotter count.
    std::uint32_t PushBackPlotterName(const TString& name);
    /// Forgets the plotter names.
    void ClearPlotterNames() { m_PlotterNames.clear(); }

    /// Replaces the whole content by the refined form of one plotter.
    void Fill(const RCStatementInfluencingCapaRaw& raw);
    /// Merges one plotter in (Fill when this object holds no plotter yet); returns
    /// the plotter count.
    std::uint32_t Add(const RCStatementInfluencingCapaRaw& raw);
    /// Empties the object.
    void Clear() { *this = RCStatementInfluencingCapaRefined(); }

    /// Equal plotters, media, colour bits, dialect, trays and fold programs.
    bool operator==(const RCStatementInfluencingCapaRefined& other) const;
    /// By plotter count.
    bool operator<(const RCStatementInfluencingCapaRefined& other) const {
        return GetPlotterCount() < other.GetPlotterCount();
    }

    /// The dialect of a plotter software version: by its first character '1' -> 1,
    /// '3' -> 2, '4' -> 3, '5' -> 4; anything else (and an empty text) -> 0.
    static std::uint32_t SyntaxVersionFromSoftwareVersion(const TString& version);

private:
    template <class V>
    static std::uint32_t Count(const V& v) {
        return static_cast<std::uint32_t>(v.size());
    }
    RCStatementInfluencingCapaRefined& operator|=(const RCStatementInfluencingCapaRefined& other);

    std::vector<TString> m_PlotterNames;
    SslCapas::TMediaVector m_Media;
    std::uint32_t m_nColorDepths = 0;
    std::uint32_t m_nSslSyntaxVersion = 0;
    SslCapas::RCInputTrayVector m_InputTrays;
    SslCapas::RCOutputTrayVector m_OutputTrays;
    SslCapas::RCInputTray m_LargestInputTray;
    SslCapas::RCFoldProgramVector m_FoldPrograms;
    SslCapas::RCOutputTrayVector m_FolderOutputTrays;
};

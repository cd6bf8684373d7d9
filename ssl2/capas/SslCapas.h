// SslCapas: the records a plotter's capabilities are built from.
//
// An input tray (paper source), an output tray, a fold program, and vectors of each
// with the ordering and merging rules that the refined capabilities need.  Each
// record fills itself from a capability INI text (RCIniStringInterface).  The
// selection and fold statements read trays and programs through the getters here
// when they narrow their keyword lists.
//
// All types are plain values; use one object from one thread at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "ssl2/base/RCUnit.h"
#include "ssl2/base/TString.h"

class RCIniStringInterface;

namespace VEMTO {

/// Media numbers of capability files.
enum _TMedia : std::uint32_t {
    kMediaDontCare = 0,
    kMediaPaper = 1,
    kMediaTransparent = 2,
    kMediaVellum = 2,
    kMediaFilm = 3,
    kMediaRecycledPaper = 4,
    kMediaHeavyPhotoGloss = 5,
    kMediaHeavyPhotoMatt = 6,
    kMediaLightPhotoGloss = 7,
    kMediaHeavyPaperPureWhite = 8,
    kMediaHeavyPaperOffWhite = 9,
    kMediaCustom = 10,
};

/// Kinds of input tray; kTrayTypeNone only in a default-constructed tray.
enum _TTrayType : std::uint32_t {
    kTrayTypeNone = 0,
    kTrayManual = 1,
    kTrayRoll = 2,
    kTrayCutSheet = 3,
    kTrayNotAvailable = 4,
    kTrayArchive = 5,
};

/// Capability bits of a fold program.  A program is offered to jobs only when both
/// kFoldProgramUsable bits are set.
using _TFoldProgramCapas = std::uint32_t;
inline constexpr _TFoldProgramCapas kFoldProgramUsable = 0x3;

}  // namespace VEMTO

namespace SslCapas {

/// The media number of a capability-file media name (any case); 0 for unknown names.
VEMTO::_TMedia MediaFromName(const TString& name);
/// The tray type of a capability-file tray type name (any case); 4 for unknown names.
VEMTO::_TTrayType TrayTypeFromName(const TString& name);

/// An input tray (paper source) of a plotter.
class RCInputTray {
public:
    RCInputTray() = default;

    ///@{
    /// The width of the medium across the tray, in vemto units.
    const VEMTO::RCMetaUnitVemto& GetWidth() const { return m_Width; }
    void SetWidth(const VEMTO::RCMetaUnitVemto& width) { m_Width = width; }
    ///@}
    ///@{
    /// The length of the medium along the feed, in vemto units.
    const VEMTO::RCMetaUnitVemto& GetLength() const { return m_Length; }
    void SetLength(const VEMTO::RCMetaUnitVemto& length) { m_Length = length; }
    ///@}
    ///@{
    /// The medium loaded, as a capability media number.
    VEMTO::_TMedia GetMedia() const { return m_eMedia; }
    void SetMedia(VEMTO::_TMedia media) { m_eMedia = media; }
    ///@}
    ///@{
    /// The media subtype loaded.
    std::uint32_t GetMediaSubType() const { return m_nMediaSubType; }
    void SetMediaSubType(std::uint32_t subType) { m_nMediaSubType = subType; }
    ///@}
    ///@{
    /// The kind of tray.
    VEMTO::_TTrayType GetTrayType() const { return m_eTrayType; }
    void SetTrayType(VEMTO::_TTrayType type) { m_eTrayType = type; }
    ///@}
    ///@{
    /// The tray's name as user interfaces show it.
    TString GetTrayName() const { return m_sTrayName; }
    void SetTrayName(const TString& name) { m_sTrayName = name; }
    ///@}
    ///@{
    /// A valid mark that callers set; stored and compared only (FromIni leaves it).
    std::uint32_t GetValid() const { return m_nValid; }
    void SetValid(std::uint32_t valid) { m_nValid = valid; }
    ///@}
    ///@{
    /// Position number used to restore an order.
    std::uint32_t GetOrdinal() const { return m_nOrdinal; }
    void SetOrdinal(std::uint32_t ordinal) { m_nOrdinal = ordinal; }
    ///@}

    /// Reads tray `index` (0-based; keys numbered index + 1) of section "trayinfo".
    void FromIni(const RCIniStringInterface& ini, std::uint32_t index);

    /// All fields but the ordinal equal.
    bool operator==(const RCInputTray& other) const;
    ///@{
    /// By size: the smaller dimension in whole millimetres.
    bool operator<(const RCInputTray& other) const { return Size() < other.Size(); }
    bool operator>(const RCInputTray& other) const { return Size() > other.Size(); }
    ///@}
    /// By ordinal.
    static bool Less(const RCInputTray& a, const RCInputTray& b) {
        return a.m_nOrdinal < b.m_nOrdinal;
    }

private:
    std::int64_t Size() const;

    VEMTO::RCMetaUnitVemto m_Width;
    VEMTO::RCMetaUnitVemto m_Length;
    VEMTO::_TMedia m_eMedia = VEMTO::kMediaDontCare;
    std::uint32_t m_nMediaSubType = 0;
    VEMTO::_TTrayType m_eTrayType = VEMTO::kTrayTypeNone;
    TString m_sTrayName;
    std::uint32_t m_nValid = 0;
    std::uint32_t m_nOrdinal = 0;
};

/// An output tray of a plotter or of its folder.
class RCOutputTray {
public:
    RCOutputTray() = default;
    /// The tray `sslTrayNo` named `name`.
    RCOutputTray(std::uint32_t sslTrayNo, TString name)
        : m_sTrayName(std::move(name)), m_nSslTrayNo(sslTrayNo) {}

    ///@{
    /// The tray's name as user interfaces show it.
    TString GetTrayName() const { return m_sTrayName; }
    void SetTrayName(const TString& name) { m_sTrayName = name; }
    ///@}
    ///@{
    /// The tray number used in SSL tickets.
    std::uint32_t GetSslTrayNo() const { return m_nSslTrayNo; }
    void SetSslTrayNo(std::uint32_t number) { m_nSslTrayNo = number; }
    ///@}

    /// Reads tray `index` (0-based; keys numbered index + 1) of "outputtrayinfo"
    /// when `outputTray` is true, else of "folderoutputtrayinfo".
    void FromIni(const RCIniStringInterface& ini, std::uint32_t index, bool outputTray);

    /// Same name and number.
    bool operator==(const RCOutputTray&) const = default;
    /// By tray number.
    bool operator<(const RCOutputTray& other) const { return m_nSslTrayNo < other.m_nSslTrayNo; }
    /// Same tray number.
    static bool SameTray(const RCOutputTray& a, const RCOutputTray& b) {
        return a.m_nSslTrayNo == b.m_nSslTrayNo;
    }

private:
    TString m_sTrayName;
    std::uint32_t m_nSslTrayNo = 0;
};

/// A fold program of a folder.
class RCFoldProgramCapas {
public:
    /// The program offered when a folder lists none: (0, 3, "no fold").
    static const RCFoldProgramCapas NoFold;

    RCFoldProgramCapas() = default;
    /// Program `number` with capability bits `capas`, named `name`.
    RCFoldProgramCapas(std::uint32_t number, VEMTO::_TFoldProgramCapas capas, TString name)
        : m_nProgramNo(number), m_nProgramCapas(capas), m_sProgramName(std::move(name)) {}

    ///@{
    /// The program number used in SSL tickets.
    std::uint32_t GetProgramNo() const { return m_nProgramNo; }
    void SetProgramNo(std::uint32_t number) { m_nProgramNo = number; }
    ///@}
    ///@{
    /// The capability bits (VEMTO::kFoldProgramUsable: offered to jobs).
    VEMTO::_TFoldProgramCapas GetProgramCapas() const { return m_nProgramCapas; }
    void SetProgramCapas(VEMTO::_TFoldProgramCapas capas) { m_nProgramCapas = capas; }
    ///@}
    ///@{
    /// The program's name as user interfaces show it.
    TString GetProgramName() const { return m_sProgramName; }
    void SetProgramName(const TString& name) { m_sProgramName = name; }
    ///@}

    /// Reads program `index` of "foldprograminfo" (keys numbered index itself).
    void FromIni(const RCIniStringInterface& ini, std::uint32_t index);

    /// Same number, bits and name.
    bool operator==(const RCFoldProgramCapas&) const = default;
    /// By program number.
    bool operator<(const RCFoldProgramCapas& other) const {
        return m_nProgramNo < other.m_nProgramNo;
    }
    /// Same program number.
    static bool SameProgramNo(const RCFoldProgramCapas& a, const RCFoldProgramCapas& b) {
        return a.m_nProgramNo == b.m_nProgramNo;
    }

private:
    std::uint32_t m_nProgramNo = 0;
    VEMTO::_TFoldProgramCapas m_nProgramCapas = 0;
    TString m_sProgramName;
};

/// The input trays of a plotter.
class RCInputTrayVector : public std::vector<RCInputTray> {
public:
    using std::vector<RCInputTray>::vector;

    /// The largest tray (by its smaller dimension; ties keep the earlier tray), its
    /// ordinal set to its position; with one tray that tray, with none a default one.
    RCInputTray GetLargestTray() const;
};

/// The output trays of a plotter or folder.
class RCOutputTrayVector : public std::vector<RCOutputTray> {
public:
    using std::vector<RCOutputTray>::vector;

    /// Keeps the tray numbers both vectors know, with `other`'s records, in
    /// ascending number order.
    RCOutputTrayVector& operator&=(const RCOutputTrayVector& other);
};

/// The fold programs of a folder.
class RCFoldProgramVector : public std::vector<RCFoldProgramCapas> {
public:
    using std::vector<RCFoldProgramCapas>::vector;

    /// Keeps the program numbers both vectors know, with `other`'s records, in
    /// ascending number order.
    RCFoldProgramVector& operator&=(const RCFoldProgramVector& other);
};

/// A list of capability media numbers.
class TMediaVector : public std::vector<VEMTO::_TMedia> {
public:
    using std::vector<VEMTO::_TMedia>::vector;

    /// True when `media` is in the list.
    bool Find(VEMTO::_TMedia media) const;
    /// Sorts ascending and drops repeats.
    void Unique();
    /// One media name per line, each followed by CR LF.
    TString ToString() const;
};

}  // namespace SslCapas

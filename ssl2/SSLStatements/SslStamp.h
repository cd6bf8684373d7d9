// The Stamp statement (identifier 51, name "Stamp "): a list of stamps, each a
// text and/or bitmap printed onto every page of a file, with font, frame, colour,
// position and rotation (SslSingleStamp).
//
// The job delivery copies the bitmaps that stamps name, the entry converts their
// lengths between units and the writer writes the list: each stamp as "Stamp "
// and 20 or 21 parts on "\t+ " continuation lines, every part ending in CR LF.
// Quoted values never contain a double quote or a line break when written.
// Plain values; no locks.
#pragma once

#include <vector>

#include "ssl2/SSLStatements/SslArrayContent.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"

/// One stamp printed on a file: a text and/or a bitmap with font, colour, frame,
/// position, rotation and overlay.
class SslSingleStamp : public SslArrayContent {
public:
    static constexpr std::uint32_t kMemberCount = 24;   ///< generic members
    static constexpr std::uint32_t kManageMember = 23;  ///< the list's add/remove member
    static constexpr double kMaxLength = 1000.0;        ///< the longest stamp length

    /// Member numbers of the generic interface.
    enum TMember : std::uint32_t {
        kBmp = 0,
        kBmpDistance,
        kBmpOrientation,
        kColor,
        kColorLevel,
        kDistance,
        kFont,
        kFontBold,
        kFontItalic,
        kFontUnderline,
        kFontStrikeout,
        kFontSize,
        kFrameSize,
        kFrameTextDistance,
        kMirror,
        kName,
        kOverlay,
        kPosition,
        kCoordinateX,
        kCoordinateY,
        kPositionScale,
        kRotate,
        kText,
        kManage,
    };

    SslSingleStamp() = default;

    /// `statementName` and the parts; "fontcolor" only when `withFontColor` is
    /// non-zero.
    TString ToString(const TString& statementName, unsigned int withFontColor) const;
    /// "normal" for 0, else the names of the set bits (bold, " italic", ...).
    TString FontAttributeToString() const;
    /// True when the stamp names a bitmap or has a text.
    bool IsVisible() const { return !m_sBmpFile.IsEmpty() || !m_sStampText.IsEmpty(); }

    // Setters return 0 and change nothing outside their ranges; flag setters store
    // any non-zero value as 1; texts are stored unchanged.
    ///@{
    /// The "allpages" flag: the stamp goes on all pages (1, the default) or not (0).
    unsigned int SetAllPages(unsigned int on);
    unsigned int GetAllPages() const { return m_bAllPages; }
    ///@}
    ///@{
    /// The bitmap file stamped (path as written).
    unsigned int SetBmpFile(const TString& path);
    const TString& GetBmpFile() const { return m_sBmpFile; }
    ///@}
    ///@{
    /// The distance of the bitmap from its position, in the job unit; at most 1000.0 (as every
    /// stamp length).
    unsigned int SetBmpDistance(double distance);
    double GetBmpDistance() const { return m_dBmpDistance; }
    ///@}
    ///@{
    /// Where the bitmap sits: one of the positions 1, 2, 3, 5, 7, 9, 11, 13, 14.
    unsigned int SetBmpOrientation(std::uint32_t orientation);
    std::uint32_t GetBmpOrientation() const { return m_nBmpOrientation; }
    ///@}
    ///@{
    /// The stamp colour, 0 (none) to 4 (m_asColors).
    unsigned int SetColor(std::uint32_t color);
    std::uint32_t GetColor() const { return m_nColor; }
    ///@}
    ///@{
    /// The colour level in percent, 0 to 100.
    unsigned int SetColorLevel(std::uint32_t level);
    std::uint32_t GetColorLevel() const { return m_nColorLevel; }
    ///@}
    ///@{
    /// The distance of the stamp from its position, in the job unit; at most 1000.0.
    unsigned int SetDistance(double distance);
    double GetDistance() const { return m_dDistance; }
    ///@}
    ///@{
    /// The font name.
    unsigned int SetFontName(const TString& font);
    const TString& GetFontName() const { return m_sFontName; }
    ///@}
    ///@{
    /// The font attributes, a bit set 0 to 15: 1 bold, 2 italic, 4 underline, 8 strikeout.
    unsigned int SetFontAttribute(std::uint32_t attributes);
    std::uint32_t GetFontAttribute() const { return m_nFontAttribute; }
    ///@}
    ///@{
    /// The font colour (any value).
    unsigned int SetFontColor(std::uint32_t color);
    std::uint32_t GetFontColor() const { return m_nFontColor; }
    ///@}
    ///@{
    /// The font size in points, 4 to 160.
    unsigned int SetFontSize(std::uint32_t size);
    std::uint32_t GetFontSize() const { return m_nFontSize; }
    ///@}
    ///@{
    /// The width of the frame around the text, in the job unit; at most 1000.0.
    unsigned int SetFrameSize(double size);
    double GetFrameSize() const { return m_dFrameSize; }
    ///@}
    ///@{
    /// The distance between frame and text, in the job unit; at most 1000.0.
    unsigned int SetFrameTextDistance(double distance);
    double GetFrameTextDistance() const { return m_dFrameTextDistance; }
    ///@}
    ///@{
    /// Mirroring: 0 off, 1 x, 2 y, 3 xy.
    unsigned int SetMirror(std::uint32_t mirror);
    std::uint32_t GetMirror() const { return m_nMirror; }
    ///@}
    ///@{
    /// The stamp name, which orders stamps.
    unsigned int SetName(const TString& name);
    const TString& GetName() const { return m_sStampName; }
    ///@}
    ///@{
    /// The numbering value, 0 (the default) to 10000.
    unsigned int SetNumbering(std::uint32_t numbering);
    std::uint32_t GetNumbering() const { return m_nNumbering; }
    ///@}
    ///@{
    /// How the stamp covers the print: 0 off, 1 invert, 2 transparent, 3 opaque.
    unsigned int SetOverlay(std::uint32_t overlay);
    std::uint32_t GetOverlay() const { return m_nOverlay; }
    ///@}
    ///@{
    /// Where the stamp sits: one of the positions 1 to 11, 13, 14.
    unsigned int SetPosition(std::uint32_t position);
    std::uint32_t GetPosition() const { return m_nPosition; }
    ///@}
    ///@{
    /// The horizontal offset from the position, in the job unit; at most 1000.0.
    unsigned int SetPositionCoordinateX(double x);
    double GetPositionCoordinateX() const { return m_dPositionCoordinateX; }
    ///@}
    ///@{
    /// The vertical offset from the position, in the job unit; at most 1000.0.
    unsigned int SetPositionCoordinateY(double y);
    double GetPositionCoordinateY() const { return m_dPositionCoordinateY; }
    ///@}
    ///@{
    /// The position-scale flag: 1 (the default) or 0.
    unsigned int SetPositionScale(unsigned int on);
    unsigned int GetPositionScale() const { return m_bPositionScale; }
    ///@}
    ///@{
    /// The rotation in degrees, 0 to 359.
    unsigned int SetRotate(std::uint32_t degrees);
    std::uint32_t GetRotate() const { return m_nRotate; }
    ///@}
    ///@{
    /// The stamp text.
    unsigned int SetText(const TString& text);
    const TString& GetText() const { return m_sStampText; }
    ///@}

    /// Converts bitmap distance, distance, frame size, frame text distance and both
    /// coordinates with RCUnit::Convert.
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution);

    /// Every field equal.
    bool operator==(const SslSingleStamp& other) const = default;
    /// By name.
    bool operator<(const SslSingleStamp& other) const { return m_sStampName < other.m_sStampName; }

    // Generic interface (members above; "manage" belongs to the containing list and
    // is refused here).  Numbers travel in decimal, lengths with "%.3f".
    unsigned int SetString(const std::string& text, std::uint32_t member) override;
    std::string GetString(std::uint32_t member) const override;
    std::uint32_t GetContainedMemberCount() const override { return kMemberCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    TString GetSubStatementName(std::uint32_t member) override;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;

    /// The positions SetBmpOrientation accepts.
    static const std::uint32_t m_anAllowedBmpOrientations[9];
    /// The positions SetPosition accepts.
    static const std::uint32_t m_anAllowedStampPositions[13];
    /// The type codes of the generic members.
    static const std::uint32_t m_anMemberTypes[kMemberCount];
    /// The names of the generic members.
    static const TString m_asMemberNames[kMemberCount];
    ///@{
    /// The SSL keywords of colours, overlays and mirrorings, by value.
    static const TString m_asColors[5];
    static const TString m_asOverlays[4];
    static const TString m_asMirrors[4];
    ///@}
    ///@{
    /// The positions with their SSL keywords.
    static const RSIndexString m_asBmpOrientations[9];
    static const RSIndexString m_asStampPositions[13];
    ///@}
    ///@{
    /// The choices user interfaces offer for the generic members.
    static const RSIndexString m_asColorsPy[5];
    static const RSIndexString m_asMirrorPy[4];
    static const RSIndexString m_asOverlaysPy[4];
    static const RSIndexString m_asManagePy[3];
    ///@}
    /// Font attribute texts by bit value (index 0 "normal", 1, 2, 4, 8).
    static const TString m_asFontAttributes[9];
    ///@{
    /// The keys of the parts of the SSL text.
    static const TString m_sName;
    static const TString m_sText;
    static const TString m_sAllPages;
    static const TString m_sBmp;
    static const TString m_sBmpDistance;
    static const TString m_sBmpOrientation;
    static const TString m_sColor;
    static const TString m_sColorLevel;
    static const TString m_sDistance;
    static const TString m_sFont;
    static const TString m_sFontAttribute;
    static const TString m_sFontColor;
    static const TString m_sFontSize;
    static const TString m_sFrameSize;
    static const TString m_sFrameTextDistance;
    static const TString m_sMirror;
    static const TString m_sNumbering;
    static const TString m_sOverlay;
    static const TString m_sPosition;
    static const TString m_sPositionCoordinate;
    static const TString m_sPositionScale;
    static const TString m_sRotate;
    ///@}

private:
    unsigned int m_bAllPages = 1;
    TString m_sBmpFile;
    double m_dBmpDistance = 0.0;
    std::uint32_t m_nBmpOrientation = 5;
    std::uint32_t m_nColor = 0;
    std::uint32_t m_nColorLevel = 100;
    double m_dDistance = 0.0;
    TString m_sFontName = "Courier New";
    std::uint32_t m_nFontAttribute = 0;
    std::uint32_t m_nFontColor = 0;
    std::uint32_t m_nFontSize = 20;
    double m_dFrameSize = 0.0;
    double m_dFrameTextDistance = 0.0;
    std::uint32_t m_nMirror = 0;
    TString m_sStampName;
    std::uint32_t m_nNumbering = 0;
    std::uint32_t m_nOverlay = 0;
    std::uint32_t m_nPosition = 7;
    double m_dPositionCoordinateX = 0.0;
    double m_dPositionCoordinateY = 0.0;
    unsigned int m_bPositionScale = 1;
    std::uint32_t m_nRotate = 0;
    TString m_sStampText;
};

/// The statement "Stamp": the list of stamps of a file and an on flag.
class SslStamp final : public TSslStatementImpl<SslStamp, kId_SslStamp, SslStatement> {
public:
    /// The stamps in list order.
    using RCStampList = std::vector<SslSingleStamp>;

    /// No stamps, off.
    SslStamp();

    /// "Stamp off", or the stamps' texts separated by CR LF; `withFontColor` passes
    /// to every stamp.
    TString ToString(unsigned int withFontColor) const;
    TString ToString() const override { return ToString(0); }

    /// Appends a copy, switches on; returns the new count.
    std::uint32_t AddStamp(const SslSingleStamp& stamp);
    /// Erases stamp `index` (1), or returns 0 when there is none; an emptied list
    /// switches off.
    unsigned int RemoveStamp(std::uint32_t index);
    /// Empties the list and switches off.
    void RemoveAllStamps();
    /// Raises "SslErrors" 0 ("m_StampList", index, count) for an index not below
    /// the count.
    const SslSingleStamp& GetStamp(std::uint32_t index) const;
    /// The number of stamps; 0 when off.
    std::uint32_t GetStampCount() const;
    /// 1 when stamps are on.
    unsigned int GetOn() const { return m_bOn; }

    /// Converts every stamp.
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution);

    /// Same flag, same count and pairwise equal stamps.
    bool operator==(const SslStamp& other) const;
    /// The flag, the count or a stamp differs.
    bool operator!=(const SslStamp& other) const { return !(*this == other); }
    /// With either list off, compares the flags; otherwise the counts.
    static bool IsSmaller(const SslStamp& a, const SslStamp& b);

    // Generic interface: the member is the SslSingleStamp member, the element the
    // stamp index.  Member 23 ("manage") with 0 does nothing, 1 appends a default
    // stamp, 2 removes the stamp of the element number.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetArrayCount() const override { return GetStampCount(); }
    /// The stamp's name, "Stamp %d" for an unnamed one, "New Stamp %d" beyond the list.
    TString GetArrayElementName(std::uint32_t element) override;
    std::uint32_t GetContainedMemberCount() const override;
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;
    TString GetSubStatementName(std::uint32_t member) override;

private:
    /// The stamp that describes the members: the first one, or a default stamp.
    const SslSingleStamp& Describer() const;

    RCStampList m_StampList;
    unsigned int m_bOn = 0;
};

// The plotter-language settings statements: Hpgl (22), CalComp (2) and Vic (95).
//
// They say where pen widths and colours come from (the file or the pen table),
// pen scaling, clipping, the fill pattern, the width limits and the step size of a
// vector file; CalComp adds its transmission settings.  Each is written as a
// multi-line statement (`Hpgl filepensize on` and "\t+ " continuation lines, every
// part ending in CR LF) and has plot configuration lines (ToCfg).  SslCalcomp and
// SslVic derive from SslHpgl and differ in defaults and in the parts they write.
// Plain values; no locks.
#pragma once

#include <initializer_list>

#include "ssl2/SSLStatements/SslStatementImpl.h"

/// The HPGL settings statement ("Hpgl"): where pen widths and colours come from,
/// pen scaling, clipping, fill pattern, width limits and step size of a vector
/// file.  The base of the CalComp and VIC settings.
class SslHpgl : public TSslStatementImpl<SslHpgl, kId_SslHpgl, SslStatement> {
public:
    static constexpr std::uint32_t kMemberCount = 10;         ///< generic members
    static constexpr double kMaxWidth = 20.0;                 ///< the largest width limit
    static constexpr std::uint32_t kMaxStepsize = 1600;       ///< the largest step size
    static constexpr std::uint32_t m_MaxBicolorrgbIndex = 2;  ///< the largest bicolour value

    /// The HP-GL defaults.
    SslHpgl();

    TString ToString() const override;
    /// FILEPENS, FILECOLORS, FILEPAPERSIZE, PENSCALING, DITHERMETHOD, IGNOREPENWIDTH
    /// and STEPSPERCM lines.
    TString ToCfg() const;

    // Flag setters store any non-zero value as 1 and return 1; the others return 0
    // and change nothing outside their ranges.
    ///@{
    /// Pen widths from the file (1) or from the pen table (0).
    unsigned int SetFilepensize(unsigned int on);
    unsigned int GetFilepensize() const { return m_bFilepensize; }
    ///@}
    ///@{
    /// Pen colours from the file: 0 off, 1 on, 2 rgb.
    unsigned int SetFilepencolor(std::uint32_t value);
    std::uint32_t GetFilepencolor() const { return m_nFilepencolor; }
    ///@}
    ///@{
    /// Pen widths scaled with the drawing (1) or not (0).
    unsigned int SetPenscale(unsigned int on);
    unsigned int GetPenscale() const { return m_bPenscale; }
    ///@}
    ///@{
    /// Clipping: 0 as the file says, 1 automatic.
    unsigned int SetClipping(unsigned int on);
    unsigned int GetClipping() const { return m_bClipping; }
    ///@}
    ///@{
    /// The fill pattern: 0 circle, 1 random, 2 ordereddither, 3 loadablepattern.
    unsigned int SetPatterntype(std::uint32_t value);
    std::uint32_t GetPatterntype() const { return m_nPatterntype; }
    ///@}
    ///@{
    /// Pen widths of the file ignored (1) or used (0).
    unsigned int SetIgnorePenSize(unsigned int on);
    unsigned int GetIgnorePenSize() const { return m_bIgnorePenSize; }
    ///@}
    ///@{
    /// The narrowest and widest pen width printed, 0.0 to 20.0, in the job's unit.
    unsigned int SetMinwidth(double width);
    double GetMinwidth() const { return m_dMinwidth; }
    unsigned int SetMaxwidth(double width);
    double GetMaxwidth() const { return m_dMaxwidth; }
    ///@}
    ///@{
    /// The step size of the vector file, 1 to 1600 steps per centimetre.
    unsigned int SetStepsize(std::uint32_t steps);
    std::uint32_t GetStepsize() const { return m_nStepsize; }
    ///@}
    ///@{
    /// The bicolour setting, 0 to 2.
    unsigned int SetBicolorrgb(std::uint32_t value);
    std::uint32_t GetBicolorrgb() const { return m_nBicolorrgb; }
    ///@}
    ///@{
    /// The dither mode: 0 ordereddither, 1 errordiffusion.
    unsigned int SetDithermode(std::uint32_t value);
    std::uint32_t GetDithermode() const { return m_nDithermode; }
    ///@}

    /// Converts the minimum and maximum width with RCUnit::Convert.
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution);

    /// All settings equal (the widths exactly).
    bool operator==(const SslHpgl& other) const;
    /// Any setting differs.
    bool operator!=(const SslHpgl& other) const { return !(*this == other); }

    // Generic interface: 0 clipping, 1 file pen size, 2 file pen colour, 3 pen scale,
    // 4 pattern type, 5 ignore pen size, 6 step size, 7 minimum and 8 maximum width,
    // 9 dither mode.  Selections travel as indices, widths with "%.3f".
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetContainedMemberCount() const override { return kMemberCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;
    TString GetSubStatementName(std::uint32_t member) override;

    static const TString m_asFilepencolors[3];    ///< keywords of the file pen colour
    static const TString m_asPatterntypes[4];     ///< keywords of the pattern types
    static const TString m_asCfgPatterntypes[4];  ///< configuration values of the pattern types
    static const TString m_asBicolorrgbs[3];      ///< keywords of the bicolour setting
    static const TString m_asDithermodes[2];      ///< keywords of the dither modes
    /// The generic member names.
    static const TString m_asMemberNames[kMemberCount];
    ///@{
    /// The choices user interfaces offer for the generic members.
    static const RSIndexString m_asClippingPy[2];
    static const RSIndexString m_asFilepenSettingsPy[2];
    static const RSIndexString m_asPatterntypesPy[4];
    static const RSIndexString m_asDithermodesPy[2];
    ///@}
    ///@{
    /// The keys of the parts of the SSL text, each with its trailing blank.
    static const TString m_sFilepensize;
    static const TString m_sFilepencolor;
    static const TString m_sClipping;
    static const TString m_sPenscale;
    static const TString m_sPatterntype;
    static const TString m_sIgnorePenSize;
    static const TString m_sStepsize;
    static const TString m_sMinwidth;
    static const TString m_sMaxwidth;
    static const TString m_sBicolorrgb;
    static const TString m_sDithermode;
    ///@}

protected:
    /// The settings a class starts with.
    struct RSDefaults {
        unsigned int m_bPenscale;      ///< pen scaling
        std::uint32_t m_nPatterntype;  ///< fill pattern
        double m_dMinwidth;            ///< narrowest pen width
        double m_dMaxwidth;            ///< widest pen width
        std::uint32_t m_nStepsize;     ///< step size
        std::uint32_t m_nDithermode;   ///< dither mode
    };
    /// The settings of a derived language's statement, starting from `defaults`.
    SslHpgl(std::uint32_t statementType, TString name, const RSDefaults& defaults);

    /// One part of the multi-line text: keyword (with its trailing blank) and value.
    struct RSPart {
        const TString& m_sKeyword;  ///< the key
        TString m_sValue;           ///< the value text
    };
    /// The name, then the parts; every part ends in CR LF and every part after the
    /// first starts with "\t+ ".
    TString JoinParts(std::initializer_list<RSPart> parts) const;
    /// "on" for non-zero, else "off".
    static const char* OnOff(unsigned int on) { return on ? "on" : "off"; }
    /// "name = value" and CR LF.
    static TString CfgLine(const char* name, const TString& value) {
        return TString(name) + " = " + value + "\r\n";
    }

private:
    unsigned int m_bFilepensize = 1;
    std::uint32_t m_nFilepencolor = 1;
    unsigned int m_bPenscale = 0;
    unsigned int m_bClipping = 0;
    std::uint32_t m_nPatterntype = 3;
    unsigned int m_bIgnorePenSize = 0;
    double m_dMinwidth = 0.005291667;
    double m_dMaxwidth = 9.990666667;
    std::uint32_t m_nStepsize = 400;
    std::uint32_t m_nBicolorrgb = 0;
    std::uint32_t m_nDithermode = 0;
};

/// The VIC settings statement ("Vic"), as Hpgl with other defaults.
class SslVic final : public TSslStatementImpl<SslVic, kId_SslVic, SslHpgl> {
public:
    /// The VIC defaults (pen scaling on, widths 0.0 to 2.54, error diffusion).
    SslVic();
    /// Like Hpgl without clipping, bicolorrgb and dithermode.
    TString ToString() const override;
};

/// The CalComp settings statement ("CalComp"): the HPGL settings with other
/// defaults and the CalComp transmission settings.
class SslCalcomp final : public TSslStatementImpl<SslCalcomp, kId_SslCalcomp, SslHpgl> {
public:
    /// The largest end-of-message and sync character.
    static constexpr std::uint32_t kMaxSyncChar = 127;

    /// The CalComp defaults (circle pattern, 800 steps; autodetect and checksum on,
    /// end-of-message 3, sync 2).
    SslCalcomp();
    /// Like Hpgl without filepencolor, clipping, bicolorrgb and dithermode, then the
    /// transmission settings.
    TString ToString() const override;
    /// CCSTEPSPERCM, CCAUTODETECT, CCCHECK, CCENDCHAR, CCSYNC01 and, with double
    /// sync on, CCSYNC02.
    TString ToCfg() const;

    ///@{
    /// Transmission flags (automatic format detection, checksum, double sync
    /// character): any non-zero value is stored as 1; Set returns 1.
    unsigned int SetAutodetect(unsigned int on);
    unsigned int GetAutodetect() const { return m_bAutodetect; }
    unsigned int SetChecksum(unsigned int on);
    unsigned int GetChecksum() const { return m_bChecksum; }
    unsigned int SetDoublesync(unsigned int on);
    unsigned int GetDoublesync() const { return m_bDoublesync; }
    ///@}
    ///@{
    /// The end-of-message character, 0 to 127; Set refuses others with 0.
    unsigned int SetEom(std::uint32_t value);
    std::uint32_t GetEom() const { return m_nEom; }
    ///@}
    ///@{
    /// The sync character, 0 to 127; Set refuses others with 0.
    unsigned int SetSync(std::uint32_t value);
    std::uint32_t GetSync() const { return m_nSync; }
    ///@}

    /// The HP-GL settings and the five transmission settings equal.
    bool operator==(const SslCalcomp& other) const;
    /// Any setting differs.
    bool operator!=(const SslCalcomp& other) const { return !(*this == other); }

    ///@{
    /// The keys of the transmission parts, each with its trailing blank.
    static const TString m_sAutodetect;
    static const TString m_sChecksum;
    static const TString m_sDoublesync;
    static const TString m_sEom;
    static const TString m_sSync;
    ///@}

private:
    // CalComp has no bicolour setting.
    unsigned int SetBicolorrgb(std::uint32_t) { return 0; }
    std::uint32_t GetBicolorrgb() const { return 0; }

    unsigned int m_bAutodetect = 1;
    unsigned int m_bChecksum = 1;
    unsigned int m_bDoublesync = 0;
    std::uint32_t m_nEom = 3;
    std::uint32_t m_nSync = 2;
};

// The sheet layout of a file entry: where its print lands on the medium, in
// millimetres, so that a program can show what a ticket will do to the paper
// before it is printed.
//
// SslComputeLayout derives one plain record from the statements of a file entry
// (OutputSize, Zoom and FileInfo through RCSslEntry::CalculateSizeMm, Rotate,
// Margin, MediaPosition, OutputBin, Stamp, Fold, Copies, PageRange) and, when
// refined capabilities are given, from the plotters' input trays and fold
// programs, and from RCSslSet::Preflight.  The drawings (SslPreview.h) only draw
// this record.
//
//   RCSslSet set;                                  // read with lengths in millimetres
//   set.ParseSsl("job.ssl", 300);
//   RSSslLayout layout = SslComputeLayout(set, 1, &capas);
//   double wide = layout.m_Print.m_dWidth;         // 297.0 for A1 at 50 percent
//
// Coordinates: the origin is the medium's top left corner as it leaves the
// plotter, x runs across the medium, y along it (the feed direction).  Lengths of
// the set must be in millimetres (RCSslSet::ConvertToMm; the reader gives them so
// unless the ticket names another unit).
//
// Thread rules: pure functions of their arguments; a set and capabilities that no
// thread changes may be laid out from several threads at once.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "ssl2/base/TString.h"
#include "ssl2/set/SslPreflight.h"

class RCSslSet;
class RCStatementInfluencingCapaRefined;

/// A rectangle in millimetres, from the medium's top left corner.
struct RSSslBox {
    double m_dX = 0.0;       ///< left edge, across the medium
    double m_dY = 0.0;       ///< top edge, along the medium
    double m_dWidth = 0.0;   ///< extent across the medium
    double m_dHeight = 0.0;  ///< extent along the medium
};

/// One visible stamp, drawn as the box it will roughly take.
struct RSSslStampBox {
    RSSslBox m_Box;           ///< estimated extent before rotation (font size, text length, frame)
    std::uint32_t m_nRotate;  ///< degrees counter-clockwise about the box's centre (0 to 359)
    std::uint32_t
        m_nPosition;   ///< the position keyword's index (SslSelectionStatement::m_asPositions)
    TString m_sLabel;  ///< the stamp's text, else its bitmap's file name
    bool m_bBitmap;    ///< the stamp prints a bitmap (its box holds a nominal 20 x 20 mm)
};

/// The geometry of one file entry.
struct RSSslLayout {
    /// What the medium is.
    enum TMedium : std::uint8_t {
        kOwnSize = 0,  ///< no capabilities (or no tray of known size): the print and its margins
        kRoll = 1,     ///< a roll: its width, and the length one page uses
        kSheet = 2,    ///< a cut sheet or manual feed: the tray's width and length
    };

    int m_nEntry = 0;  ///< index of the entry in its set
    TString m_sName;   ///< the file's Name

    // --- the medium -------------------------------------------------------------------
    TMedium m_eMedium = kOwnSize;  ///< what the print goes on
    TString m_sTray;               ///< the input tray's name (empty for kOwnSize)
    bool m_bTrayGiven = false;     ///< the ticket selects the tray (OutputBin Bin N or manual)
    double m_dMediumWidth = 0.0;   ///< across the medium
    double m_dMediumLength =
        0.0;  ///< along the medium: a sheet's length, the length a roll page uses

    // --- the print --------------------------------------------------------------------
    RSSslBox m_Print;             ///< the printed area, placed on the medium
    bool m_bSizeKnown = true;     ///< false: the size is unknown and drawn as A4 (210 x 297)
    std::uint32_t m_nRotate = 0;  ///< Rotate in degrees (0, 90, 180, 270; 0 also for auto)
    bool m_bTurnedToFit = false;  ///< Rotate auto, and the print is turned to fit the medium
    double m_adMargins[4] = {};   ///< top, left, bottom, right (0 when Margin is off)
    std::uint32_t m_nMediaPosition = 16;  ///< MediaPosition's index (16 auto: centred)
    bool m_bFits = true;                  ///< the print and its margins lie within the medium

    std::vector<RSSslStampBox> m_aStamps;  ///< visible stamps, in ticket order
    TString m_sFold;  ///< "Prg 2 (190 / 20), Tray 1 (Folder front)"; empty when not folded

    // --- counts -----------------------------------------------------------------------
    std::uint32_t m_nCopies = 1;     ///< Copies of the file
    std::uint32_t m_nSetCopies = 1;  ///< SetCopies of the job
    std::uint32_t m_nPages = 0;      ///< pages printed in one set (CountPages with the page range)
    double m_dMediaLength = 0.0;     ///< media length in mm one set uses: pages x length per page

    std::vector<RSSslFinding> m_aFindings;  ///< the preflight findings of this entry
};

/// The layout of file entry `index` of `set` (1 .. Size() - 1), on the medium the
/// plotters of `capas` would use (null: on the print's own size).  Raises
/// std::out_of_range for an index that is not a file entry.
RSSslLayout SslComputeLayout(const RCSslSet& set, int index,
                             const RCStatementInfluencingCapaRefined* capas = nullptr);

/// The findings that the layouts of `set` mark: RCSslSet::Preflight(*capas), none
/// without `capas`.
std::vector<RSSslFinding> SslLayoutFindings(const RCSslSet& set,
                                            const RCStatementInfluencingCapaRefined* capas);

/// The layouts of every file entry of `set`, in order (preflight run once);
/// `jobFindings`, when not null, receives the findings of the job entry.
std::vector<RSSslLayout> SslComputeLayouts(const RCSslSet& set,
                                           const RCStatementInfluencingCapaRefined* capas = nullptr,
                                           std::vector<RSSslFinding>* jobFindings = nullptr);

/// The same layouts handed to `visit` one at a time, in order: each is built, visited
/// (the visitor may move it away) and dropped, so that a caller writing them out holds
/// one layout instead of all.  `jobFindings` as above.
void SslVisitLayouts(const RCSslSet& set, const RCStatementInfluencingCapaRefined* capas,
                     const std::function<void(RSSslLayout&)>& visit,
                     std::vector<RSSslFinding>* jobFindings = nullptr);
/// The same with the findings made by the caller (SslLayoutFindings(set, capas)), who
/// runs the preflight once for several walks over the layouts.
void SslVisitLayouts(const RCSslSet& set, const RCStatementInfluencingCapaRefined* capas,
                     const std::vector<RSSslFinding>& findings,
                     const std::function<void(RSSslLayout&)>& visit);

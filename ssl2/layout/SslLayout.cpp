// The sheet layout of a file entry (SslLayout.h): the medium chosen as the
// plotter would choose it, the print placed on it, stamps and fold as labels.
#include "ssl2/layout/SslLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"
#include "ssl2/set/RCSslSet.h"

namespace {

/// A print up to this much larger than a tray still counts as held by it (the
/// preflight's tolerance for formats given in whole millimetres).
constexpr double kToleranceMm = 0.5;
/// The size drawn for a print of unknown size, and the length counted for it.
constexpr double kUnknownWidthMm = 210.0;
constexpr double kUnknownHeightMm = 297.0;
/// A point of a font in millimetres.
constexpr double kPointMm = 25.4 / 72.0;
/// Average advance of a character as a share of the font size.
constexpr double kCharWidthShare = 0.6;
/// The box drawn for a stamp's bitmap, whose size the ticket does not tell.
constexpr double kBitmapMm = 20.0;
/// The media position that means "automatic" (centred).
constexpr std::uint32_t kPositionAuto = 16;

/// Where a position keyword anchors a box: shares of the free space across and
/// along (0 left/top, 0.5 centre, 1 right/bottom), by SslSelectionStatement::m_asPositions.
struct RSAnchor {
    double m_dAcross;
    double m_dAlong;
};
constexpr std::array<RSAnchor, 18> kAnchors = {{
    {0.5, 0.5},  // unknown
    {0.0, 0.0},  // upperleft
    {0.5, 0.0},  // uppercenter
    {1.0, 0.0},  // upperright
    {0.0, 0.0},  // leftupper
    {0.0, 0.5},  // leftcenter
    {0.0, 1.0},  // leftbottom
    {0.5, 0.5},  // centercenter
    {1.0, 0.0},  // rightupper
    {1.0, 0.5},  // rightcenter
    {1.0, 1.0},  // rightbottom
    {0.0, 1.0},  // bottomleft
    {0.0, 1.0},  // lowerleft
    {0.5, 1.0},  // bottomcenter
    {1.0, 1.0},  // bottomright
    {1.0, 1.0},  // lowerright
    {0.5, 0.5},  // auto
    {0.5, 0.5},  // semiautomatic
}};

RSAnchor AnchorOf(std::uint32_t position) {
    return position < kAnchors.size() ? kAnchors[position] : kAnchors[kPositionAuto];
}

/// The offset of a box of extent `box` within `space` at anchor share `share`,
/// kept `inset` away from the edge it is anchored to.
double Place(double space, double box, double share, double inset) {
    const double offset = (space - box) * share;
    if (share == 0.0)
        return offset + inset;
    if (share == 1.0)
        return offset - inset;
    return offset;
}

/// The trays a print may be laid on: of one plotter every tray of known size; of
/// merged plotters the largest tray, the one they keep a size of.
std::vector<SslCapas::RCInputTray> CandidateTrays(const RCStatementInfluencingCapaRefined& capas) {
    std::vector<SslCapas::RCInputTray> trays;
    if (capas.GetPlotterCount() == 1) {
        for (std::uint32_t i = 0; i < capas.GetInputTrayCount(); ++i)
            trays.push_back(capas.GetInputTray(i));
    } else if (capas.GetPlotterCount() > 1) {
        trays.push_back(capas.GetLargestInputTray());
    }
    std::erase_if(trays, [](const SslCapas::RCInputTray& tray) {
        return tray.GetWidth().AsMm() <= 0 || tray.GetLength().AsMm() <= 0;
    });
    return trays;
}

/// Whether an extent of `across` x `along` lies within `width` x `length`.
bool Within(double across, double along, double width, double length) {
    return across <= width + kToleranceMm && along <= length + kToleranceMm;
}

/// Whether `tray` holds a print of `width` x `height`, turned either way.
bool Holds(const SslCapas::RCInputTray& tray, double width, double height) {
    const double trayWidth = tray.GetWidth().AsMm();
    const double trayLength = tray.GetLength().AsMm();
    return Within(width, height, trayWidth, trayLength) ||
           Within(height, width, trayWidth, trayLength);
}

/// The tray the entry prints from: the one OutputBin names, else the first roll or
/// cut-sheet tray that holds the print (as the plotter, and FitToCapabilities,
/// choose), else the largest.  `given` tells whether the ticket chose it.
std::optional<SslCapas::RCInputTray> ChooseTray(const std::vector<SslCapas::RCInputTray>& trays,
                                                const RCSslEntry& entry, double width,
                                                double height, bool& given) {
    given = false;
    if (trays.empty())
        return std::nullopt;
    const auto find = [&trays](auto&& predicate) -> std::optional<SslCapas::RCInputTray> {
        const auto it = std::find_if(trays.begin(), trays.end(), predicate);
        return it == trays.end() ? std::nullopt : std::optional(*it);
    };
    std::optional<SslCapas::RCInputTray> chosen;
    if (entry.GetOutputBin() == 2) {
        const std::uint32_t bin = entry.GetOutputBinNo();
        chosen = find([bin](const auto& tray) { return tray.GetOrdinal() == bin; });
    } else if (entry.GetOutputBin() == 1) {
        chosen = find([](const auto& tray) { return tray.GetTrayType() == 1; });
    }
    given = chosen.has_value();
    if (!chosen) {
        chosen = find([width, height](const auto& tray) {
            const auto type = tray.GetTrayType();
            return (type == 2 || type == 3) && Holds(tray, width, height);
        });
    }
    if (!chosen) {
        chosen = *std::max_element(trays.begin(), trays.end());
    }
    return chosen;
}

/// The last component of a path given with either separator.
std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

RSSslStampBox StampBox(const SslSingleStamp& stamp, const RSSslBox& print) {
    const std::string text = stamp.GetText().str();
    const bool bitmap = !stamp.GetBmpFile().IsEmpty();
    const double lineHeight = text.empty() ? 0.0 : stamp.GetFontSize() * kPointMm;
    double width = static_cast<double>(text.size()) * kCharWidthShare * lineHeight;
    double height = lineHeight;
    if (bitmap) {
        width = std::max(width, kBitmapMm);
        height += kBitmapMm + (text.empty() ? 0.0 : stamp.GetBmpDistance());
    }
    if (stamp.GetFrameSize() > 0.0) {
        const double frame = 2.0 * (stamp.GetFrameSize() + stamp.GetFrameTextDistance());
        width += frame;
        height += frame;
    }
    const RSAnchor anchor = AnchorOf(stamp.GetPosition());
    const double inset = stamp.GetDistance();
    RSSslBox box{print.m_dX + Place(print.m_dWidth, width, anchor.m_dAcross, inset) +
                     stamp.GetPositionCoordinateX(),
                 print.m_dY + Place(print.m_dHeight, height, anchor.m_dAlong, inset) +
                     stamp.GetPositionCoordinateY(),
                 width, height};
    return RSSslStampBox{box, stamp.GetRotate(), stamp.GetPosition(),
                         TString(text.empty() ? FileNameOf(stamp.GetBmpFile().str()) : text),
                         bitmap};
}

/// "Prg 2 (190 / 20), Tray 1 (Folder front)", with the names the plotters give.
TString FoldLabel(const RCSslEntry& entry, const RCStatementInfluencingCapaRefined* capas) {
    const std::int32_t program = entry.GetFoldPrg();
    if (program < 0)
        return TString();
    std::string label = "Prg " + std::to_string(program);
    const std::int32_t tray = entry.GetFoldTray();
    std::string programName;
    std::string trayName;
    if (capas != nullptr) {
        for (std::uint32_t i = 0; i < capas->GetFoldProgramCount(); ++i) {
            if (capas->GetFoldProgram(i).GetProgramNo() == static_cast<std::uint32_t>(program))
                programName = capas->GetFoldProgram(i).GetProgramName().str();
        }
        for (std::uint32_t i = 0; i < capas->GetFolderOutputTrayCount(); ++i) {
            if (capas->GetFolderOutputTray(i).GetSslTrayNo() == static_cast<std::uint32_t>(tray))
                trayName = capas->GetFolderOutputTray(i).GetTrayName().str();
        }
    }
    if (!programName.empty())
        label += " (" + programName + ")";
    if (tray >= 0)
        label += ", Tray " + std::to_string(tray) + (trayName.empty() ? "" : " (" + trayName + ")");
    return TString(label);
}

/// Lays the print (with its margins) on the medium: chooses the medium, turns the
/// print where Rotate is auto and that makes it fit, and places it by MediaPosition.
void PlacePrint(RSSslLayout& layout, const RCSslEntry& entry,
                const RCStatementInfluencingCapaRefined* capas) {
    double width = layout.m_Print.m_dWidth;
    double height = layout.m_Print.m_dHeight;
    const double* margin = layout.m_adMargins;  // top, left, bottom, right
    const auto boxAcross = [&] { return width + margin[1] + margin[3]; };
    const auto boxAlong = [&] { return height + margin[0] + margin[2]; };

    std::vector<SslCapas::RCInputTray> trays;
    if (capas != nullptr)
        trays = CandidateTrays(*capas);
    const std::optional<SslCapas::RCInputTray> tray =
        ChooseTray(trays, entry, width, height, layout.m_bTrayGiven);
    if (!tray) {
        layout.m_dMediumWidth = boxAcross();
        layout.m_dMediumLength = boxAlong();
    } else {
        layout.m_eMedium = tray->GetTrayType() == 2 ? RSSslLayout::kRoll : RSSslLayout::kSheet;
        layout.m_sTray = tray->GetTrayName();
        layout.m_dMediumWidth = tray->GetWidth().AsMm();
        layout.m_dMediumLength = tray->GetLength().AsMm();
        const bool roll = layout.m_eMedium == RSSslLayout::kRoll;
        const auto fits = [&] {
            return roll ? boxAcross() <= layout.m_dMediumWidth + kToleranceMm
                        : Within(boxAcross(), boxAlong(), layout.m_dMediumWidth,
                                 layout.m_dMediumLength);
        };
        if (entry.GetRotate() == 0 && !fits()) {
            std::swap(width, height);
            layout.m_bTurnedToFit = fits();
            if (!layout.m_bTurnedToFit)
                std::swap(width, height);
        }
        if (roll)
            layout.m_dMediumLength = boxAlong();
    }
    layout.m_bFits = Within(boxAcross(), boxAlong(), layout.m_dMediumWidth, layout.m_dMediumLength);
    const RSAnchor anchor = AnchorOf(layout.m_nMediaPosition);
    // An oversized print starts at the medium's edge and runs over the far side.
    const double x = std::max(0.0, Place(layout.m_dMediumWidth, boxAcross(), anchor.m_dAcross, 0));
    const double y = std::max(0.0, Place(layout.m_dMediumLength, boxAlong(), anchor.m_dAlong, 0));
    layout.m_Print = RSSslBox{x + margin[1], y + margin[0], width, height};
}

RSSslLayout Compute(const RCSslSet& set, int index, const RCStatementInfluencingCapaRefined* capas,
                    std::vector<RSSslFinding> findings) {
    if (index < 1 || index >= set.Size())
        throw std::out_of_range("SslComputeLayout: entry " + std::to_string(index) +
                                " is not a file entry");
    const RCSslEntry& entry = set.GetEntry(index);
    RSSslLayout layout;
    layout.m_nEntry = index;
    layout.m_sName = entry.GetName();
    layout.m_aFindings = std::move(findings);

    double width = 0.0;
    double height = 0.0;
    entry.CalculateSizeMm(width, height);
    width = std::abs(width);
    height = std::abs(height);
    if (width == 0.0 || height == 0.0) {
        layout.m_bSizeKnown = false;
        width = kUnknownWidthMm;
        height = kUnknownHeightMm;
    }
    const std::uint32_t rotate = entry.GetRotate();  // 0 auto, then 0, 90, 180, 270
    layout.m_nRotate = rotate == 0 ? 0 : (rotate - 1) * 90;
    if (layout.m_nRotate % 180 == 90)
        std::swap(width, height);
    layout.m_Print.m_dWidth = width;
    layout.m_Print.m_dHeight = height;
    if (entry.GetMarginOn() != 0) {
        for (std::uint32_t side = 0; side < 4; ++side)
            layout.m_adMargins[side] = entry.GetMargin(side);
    }
    layout.m_nMediaPosition = entry.GetMediaPosition();
    PlacePrint(layout, entry, capas);

    for (std::uint32_t i = 0; i < entry.GetStampCount(); ++i) {
        if (entry.GetStamp(i).IsVisible())
            layout.m_aStamps.push_back(StampBox(entry.GetStamp(i), layout.m_Print));
    }
    layout.m_sFold = FoldLabel(entry, capas);
    layout.m_nCopies = entry.GetCopies();
    layout.m_nSetCopies = set.GetEntry(0).GetSetCopies();
    layout.m_nPages = entry.CountPages(true);
    layout.m_dMediaLength = layout.m_dMediumLength * layout.m_nPages;
    return layout;
}

std::vector<RSSslFinding> FindingsOf(const std::vector<RSSslFinding>& all, int index) {
    std::vector<RSSslFinding> own;
    std::copy_if(all.begin(), all.end(), std::back_inserter(own),
                 [index](const RSSslFinding& f) { return f.m_nEntry == index; });
    return own;
}

}  // namespace

std::vector<RSSslFinding> SslLayoutFindings(const RCSslSet& set,
                                            const RCStatementInfluencingCapaRefined* capas) {
    return capas == nullptr ? std::vector<RSSslFinding>() : set.Preflight(*capas);
}

RSSslLayout SslComputeLayout(const RCSslSet& set, int index,
                             const RCStatementInfluencingCapaRefined* capas) {
    return Compute(set, index, capas, FindingsOf(SslLayoutFindings(set, capas), index));
}

std::vector<RSSslLayout> SslComputeLayouts(const RCSslSet& set,
                                           const RCStatementInfluencingCapaRefined* capas,
                                           std::vector<RSSslFinding>* jobFindings) {
    std::vector<RSSslLayout> layouts;
    layouts.reserve(static_cast<std::size_t>(std::max(set.Size() - 1, 0)));
    SslVisitLayouts(
        set, capas, [&layouts](RSSslLayout& layout) { layouts.push_back(std::move(layout)); },
        jobFindings);
    return layouts;
}

void SslVisitLayouts(const RCSslSet& set, const RCStatementInfluencingCapaRefined* capas,
                     const std::function<void(RSSslLayout&)>& visit,
                     std::vector<RSSslFinding>* jobFindings) {
    const std::vector<RSSslFinding> all = SslLayoutFindings(set, capas);
    if (jobFindings != nullptr)
        *jobFindings = FindingsOf(all, 0);
    SslVisitLayouts(set, capas, all, visit);
}

void SslVisitLayouts(const RCSslSet& set, const RCStatementInfluencingCapaRefined* capas,
                     const std::vector<RSSslFinding>& all,
                     const std::function<void(RSSslLayout&)>& visit) {
    auto next = all.begin();
    for (int i = 1; i < set.Size(); ++i) {
        // The findings come entry by entry, in order.
        std::vector<RSSslFinding> own;
        while (next != all.end() && next->m_nEntry <= i) {
            if (next->m_nEntry == i)
                own.push_back(*next);
            ++next;
        }
        RSSslLayout layout = Compute(set, i, capas, std::move(own));
        visit(layout);
    }
}

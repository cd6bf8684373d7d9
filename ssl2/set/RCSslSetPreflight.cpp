// RCSslSet: preflight of a job against plotter capabilities, and the fitting of a
// job to them (the rules are listed in SslPreflight.h).
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"
#include "ssl2/set/RCSslSet.h"

namespace {

/// A value that does not fit, and how to replace it.
struct RSUnfit {
    TSslStatementID m_nStatement;
    TString m_sValue;
    TString m_sOffered;
    TString m_sMessage;
    std::function<void(RCSslEntry&)> m_Fix;
};

using TCheck = std::optional<RSUnfit> (*)(const RCStatementInfluencingCapaRefined&,
                                          const RCSslEntry&);

/// The statement's SSL line without its name ("Bin 3" of "OutputBin Bin 3").
TString ValueText(const RCSslEntry& entry, TSslStatementID id) {
    const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    entry.Get(id, statement.get());
    std::string text = statement->ToString().str();
    const std::string name = statement->GetStatementName(0).str();
    if (text.compare(0, name.size(), name) == 0)
        text.erase(0, name.size());
    const std::size_t first = text.find_first_not_of(' ');
    return TString(first == std::string::npos ? std::string() : text.substr(first));
}

/// " \"text\"", or nothing for an empty text.
std::string Quoted(const std::string& text) {
    return text.empty() ? std::string() : " \"" + text + "\"";
}

std::string Join(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text.empty() ? "nothing" : text;
}

/// Whether a tray of `tray`'s dimensions holds a print of `size` (mm), turned either way.
bool Holds(const SslCapas::RCInputTray& tray, const TPoint& size) {
    const double trayShort = std::min(tray.GetWidth().AsMm(), tray.GetLength().AsMm());
    const double trayLong = std::max(tray.GetWidth().AsMm(), tray.GetLength().AsMm());
    const double sizeShort = std::abs(std::min(size.x, size.y));
    const double sizeLong = std::abs(std::max(size.x, size.y));
    return sizeShort <= trayShort + 0.5 && sizeLong <= trayLong + 0.5;
}

TPoint PrintSize(const RCSslEntry& entry) {
    TPoint size;
    entry.CalculateSize(size);
    return size;
}

// --- the checks ----------------------------------------------------------------------------

std::optional<RSUnfit> CheckMedia(const RCStatementInfluencingCapaRefined& capas,
                                  const RCSslEntry& entry) {
    const std::uint32_t media = entry.GetMediaType();
    if (media == 0 || capas.GetMediaCount() == 0)
        return std::nullopt;
    std::vector<std::uint32_t> offered;
    for (std::uint32_t i = 0; i < capas.GetMediaCount(); ++i)
        offered.push_back(SslMediaType::TMediaToSslMedia(capas.GetMedia(i)));
    if (std::find(offered.begin(), offered.end(), media) != offered.end())
        return std::nullopt;
    std::vector<std::string> names = {"dontcare"};
    for (const std::uint32_t index : offered)
        names.push_back(SslMediaType::m_asKeywords[index].str());
    return RSUnfit{kId_SslMediaType, ValueText(entry, kId_SslMediaType), TString(Join(names)),
                   "no input tray holds this medium",
                   [](RCSslEntry& target) { target.SetMediaType(0); }};
}

std::optional<RSUnfit> CheckInputTray(const RCStatementInfluencingCapaRefined& capas,
                                      const RCSslEntry& entry) {
    SslOutputBin bin;
    entry.Get(kId_SslOutputBin, &bin);
    if (bin.Get() == 0)
        return std::nullopt;
    const RSIndexString* keywords = nullptr;
    const std::uint32_t count = bin.GetKeywords(keywords, &capas);
    const std::uint32_t packed = static_cast<std::uint32_t>(std::stoul(bin.GetString(0, 0)));
    std::vector<std::string> names;
    for (std::uint32_t k = 0; k < count; ++k) {
        if (keywords[k].m_nIndex == packed)
            return std::nullopt;
        const std::uint32_t index = keywords[k].m_nIndex & 0xFFFF;
        names.push_back(index == 2 ? "Bin " + std::to_string(keywords[k].m_nIndex >> 16) + " \"" +
                                         keywords[k].m_sText.str() + "\""
                                   : SslOutputBin::m_asKeywords[index].str());
    }
    return RSUnfit{kId_SslOutputBin, ValueText(entry, kId_SslOutputBin), TString(Join(names)),
                   "the plotters have no such input tray", [&capas](RCSslEntry& target) {
                       const TPoint size = PrintSize(target);
                       for (std::uint32_t i = 0; i < capas.GetInputTrayCount(); ++i) {
                           const SslCapas::RCInputTray& tray = capas.GetInputTray(i);
                           const auto type = tray.GetTrayType();
                           if ((type == 2 || type == 3) && Holds(tray, size) &&
                               target.SetOutputBinNo(tray.GetOrdinal()) != 0) {
                               return;
                           }
                       }
                       target.SetOutputBin(0);
                   }};
}

std::optional<RSUnfit> CheckOutputTray(const RCStatementInfluencingCapaRefined& capas,
                                       const RCSslEntry& entry) {
    SslOutputTray tray;
    entry.Get(kId_SslOutputTray, &tray);
    if (tray.Get() == 0)
        return std::nullopt;
    std::vector<std::string> names = {"auto"};
    for (std::uint32_t i = 0; i < capas.GetOutputTrayCount(); ++i) {
        const SslCapas::RCOutputTray& offered = capas.GetOutputTray(i);
        if (offered.GetSslTrayNo() == tray.Get())
            return std::nullopt;
        if (offered.GetSslTrayNo() < 4)
            names.push_back(SslOutputTray::m_asKeywords[offered.GetSslTrayNo()].str() + " \"" +
                            offered.GetTrayName().str() + "\"");
    }
    return RSUnfit{kId_SslOutputTray, ValueText(entry, kId_SslOutputTray), TString(Join(names)),
                   "the plotters have no such output tray",
                   [](RCSslEntry& target) { target.SetOutputTray(0); }};
}

/// The values and readable texts of one of the fold statement's keyword lists.
std::vector<std::pair<std::int32_t, std::string>> FoldChoices(
    std::uint32_t member, const RCStatementInfluencingCapaRefined& capas) {
    SslFold fold;
    const RSIndexString* keywords = nullptr;
    const std::uint32_t count = fold.GetKeywords(keywords, member, &capas);
    std::vector<std::pair<std::int32_t, std::string>> choices;
    for (std::uint32_t k = 0; k < count; ++k) {
        choices.emplace_back(
            static_cast<std::int32_t>(keywords[k].m_nIndex),
            std::to_string(keywords[k].m_nIndex) + Quoted(keywords[k].m_sText.str()));
    }
    return choices;
}

std::optional<RSUnfit> CheckFold(const RCStatementInfluencingCapaRefined& capas,
                                 const RCSslEntry& entry) {
    const std::int32_t program = entry.GetFoldPrg();
    if (program < 0)
        return std::nullopt;
    const auto offers = [](const auto& choices, std::int32_t value) {
        return std::any_of(choices.begin(), choices.end(),
                           [value](const auto& choice) { return choice.first == value; });
    };
    const auto texts = [](const auto& choices, const std::string& what) {
        std::vector<std::string> names;
        for (const auto& choice : choices)
            names.push_back(what + " " + choice.second);
        return Join(names);
    };
    const auto programs = FoldChoices(0, capas);
    if (!offers(programs, program)) {
        return RSUnfit{kId_SslFold, ValueText(entry, kId_SslFold),
                       TString("off, " + texts(programs, "Prg")),
                       "the plotters have no such fold program",
                       [](RCSslEntry& target) { target.SetFoldPrg(-1); }};
    }
    const std::int32_t tray = entry.GetFoldTray();
    const auto trays = FoldChoices(1, capas);
    if (tray < 0 || offers(trays, tray))
        return std::nullopt;
    return RSUnfit{
        kId_SslFold, ValueText(entry, kId_SslFold), TString("no tray, " + texts(trays, "Tray")),
        "the folder has no such output tray", [](RCSslEntry& target) { target.SetFoldTray(-1); }};
}

/// The colour depth a file entry prints with: its ColorDepth, else that of its
/// file information in the same three steps (1 bit, grey, colour).
std::uint32_t FileColorDepth(const RCSslEntry& entry) {
    if (entry.GetColorDepth() != 0)
        return entry.GetColorDepth();
    switch (entry.GetFileInfoColor()) {
        case 1:
            return 1;
        case 2:
        case 8:
            return 8;
        case 4:
        case 16:
        case 32:
        case 64:
        case 128:
        case 256:
        case 512:
        case 1024:
        case 2048:
            return 64;
        default:
            return 0;
    }
}

constexpr std::uint32_t kColorDepths[] = {1, 8, 64};

std::optional<RSUnfit> CheckColorDepth(const RCStatementInfluencingCapaRefined& capas,
                                       const RCSslEntry& entry) {
    const std::uint32_t depth = FileColorDepth(entry);
    std::uint32_t deepest = 0;
    std::vector<std::string> names;
    for (const std::uint32_t offered : kColorDepths) {
        if ((capas.GetColorDepths() & offered) != 0) {
            deepest = offered;
            names.push_back(std::to_string(offered));
        }
    }
    if (depth == 0 || deepest == 0 || depth <= deepest)
        return std::nullopt;
    const std::string value = entry.GetColorDepth() != 0
                                  ? std::to_string(depth)
                                  : std::to_string(depth) + " (" +
                                        SslFileInfo::GetSslKeyword(entry.GetFileInfoColor()).str() +
                                        " of FileInfo)";
    return RSUnfit{kId_SslColorDepth, TString(value), TString(Join(names)),
                   "the plotters print no colour depth this deep",
                   [deepest](RCSslEntry& target) { target.SetColorDepth(deepest); }};
}

/// The trays a print must fit into: any input tray of one plotter (it prints from
/// whichever holds the print); of merged plotters, the largest input tray, the one
/// tray the merged capabilities keep a size of.  Trays of unknown size are left out.
std::vector<SslCapas::RCInputTray> SizeTrays(const RCStatementInfluencingCapaRefined& capas) {
    std::vector<SslCapas::RCInputTray> trays;
    if (capas.GetPlotterCount() == 1) {
        for (std::uint32_t i = 0; i < capas.GetInputTrayCount(); ++i)
            trays.push_back(capas.GetInputTray(i));
    } else {
        trays.push_back(capas.GetLargestInputTray());
    }
    std::erase_if(trays, [](const SslCapas::RCInputTray& tray) {
        return tray.GetWidth().AsMm() <= 0 || tray.GetLength().AsMm() <= 0;
    });
    return trays;
}

bool AnyHolds(const std::vector<SslCapas::RCInputTray>& trays, const TPoint& size) {
    return std::any_of(trays.begin(), trays.end(),
                       [&size](const SslCapas::RCInputTray& tray) { return Holds(tray, size); });
}

/// The formats of one series: [first, last] format index of a family.  DIN holds
/// three series (A, B and C, seven formats each); every other family is one.
struct RSSeries {
    std::uint32_t m_nFamily;
    std::uint32_t m_nFirst;
    std::uint32_t m_nLast;
};

/// The series of `size`; DIN A for a size that is not a standard format.
RSSeries SeriesOf(const SslSize& size) {
    constexpr std::uint32_t kDinSeriesLength = 7;
    const bool standard =
        size.GetSizeType() == SslSize::kFormat || size.GetSizeType() == SslSize::kFitToPrintWindow;
    if (!standard)
        return {0, 0, kDinSeriesLength - 1};
    const std::uint32_t family = size.GetFormatName();
    if (family != 0)
        return {family, 0, SslSize::m_MaxFormatIdx[family]};
    const std::uint32_t first = size.GetFormat() / kDinSeriesLength * kDinSeriesLength;
    return {0, first, first + kDinSeriesLength - 1};
}

/// The largest format of `series` that one of `trays` holds; nullopt when none does.
std::optional<std::uint32_t> LargestFormatFitting(const RSSeries& series,
                                                  const std::vector<SslCapas::RCInputTray>& trays) {
    std::optional<std::uint32_t> best;
    std::int64_t bestArea = 0;
    for (std::uint32_t format = series.m_nFirst; format <= series.m_nLast; ++format) {
        const SslSize::RSApproxSize& size =
            SslSize::m_aaApproxFormatSizes[series.m_nFamily][format];
        const std::int64_t area = static_cast<std::int64_t>(size.x) * size.y;
        if (area > bestArea && AnyHolds(trays, TPoint(size.x, size.y))) {
            best = format;
            bestArea = area;
        }
    }
    return best;
}

std::optional<RSUnfit> CheckOutputSize(const RCStatementInfluencingCapaRefined& capas,
                                       const RCSslEntry& entry) {
    const std::vector<SslCapas::RCInputTray> trays = SizeTrays(capas);
    const TPoint size = PrintSize(entry);
    if ((size.x == 0 && size.y == 0) || trays.empty() || AnyHolds(trays, size))
        return std::nullopt;
    std::vector<std::string> names;
    for (const SslCapas::RCInputTray& tray : trays) {
        names.push_back(TString::Format("\"%s\", %.0f x %.0f mm", tray.GetTrayName().c_str(),
                                        tray.GetWidth().AsMm(), tray.GetLength().AsMm())
                            .str());
    }
    const bool merged = capas.GetPlotterCount() != 1;
    const TString offered((merged ? "the largest input tray " : "the input trays ") + Join(names));
    const TString value = TString::Format(
        "%s (%d x %d mm)", ValueText(entry, kId_SslOutputSize).c_str(), size.x, size.y);
    const RSSeries series = SeriesOf(entry.GetOutputSize());
    return RSUnfit{kId_SslOutputSize, value, offered,
                   merged ? "the print is larger than the largest input tray"
                          : "the print is larger than every input tray",
                   [series, trays](RCSslEntry& target) {
                       const std::optional<std::uint32_t> format =
                           LargestFormatFitting(series, trays);
                       if (!format)
                           return;
                       SslSize fitted;
                       fitted.SetSizeType(SslSize::kFormat);
                       fitted.SetFormatName(series.m_nFamily);
                       fitted.SetFormat(*format);
                       target.SetOutputSize(fitted);
                   }};
}

std::optional<RSUnfit> CheckNesting(const RCStatementInfluencingCapaRefined& capas,
                                    const RCSslEntry& entry) {
    SslNesting nesting;
    entry.Get(kId_SslNesting, &nesting);
    if (nesting.Get() == 0)
        return std::nullopt;
    const RSIndexString* keywords = nullptr;
    const std::uint32_t count = nesting.GetKeywords(keywords, &capas);
    std::vector<std::string> names;
    bool offered = false;
    for (std::uint32_t k = 0; k < count; ++k) {
        offered = offered || keywords[k].m_nIndex == nesting.GetOptions();
        names.push_back(std::to_string(keywords[k].m_nIndex) + " \"" + keywords[k].m_sText.str() +
                        "\"");
    }
    bool roll = capas.GetInputTrayCount() == 0;
    for (std::uint32_t i = 0; i < capas.GetInputTrayCount(); ++i)
        roll = roll || capas.GetInputTray(i).GetTrayType() == 2;
    if (offered && roll)
        return std::nullopt;
    return RSUnfit{kId_SslNesting, ValueText(entry, kId_SslNesting),
                   TString(roll ? Join(names) : "off"),
                   roll ? "the plotters offer no such nesting" : "nesting needs a roll",
                   [](RCSslEntry& target) {
                       target.SetNestingOptions(0);
                       target.SetNesting(0);
                   }};
}

std::optional<RSUnfit> CheckDialect(const RCStatementInfluencingCapaRefined& capas,
                                    const RCSslEntry& entry) {
    const std::uint32_t ticket = entry.GetVersion();
    const std::uint32_t plotter = capas.GetSslSyntaxVersion();
    if (ticket == 0 || plotter == 0 || ticket <= plotter)
        return std::nullopt;
    return RSUnfit{kId_SslVersion, SslVersion::m_asKeywords[ticket],
                   SslVersion::m_asKeywords[std::min<std::uint32_t>(plotter, 5)] + " and older",
                   "the plotters read an older dialect",
                   [plotter](RCSslEntry& target) { target.SetVersion(plotter); }};
}

/// The checks of every entry, in the order they are reported and applied (the print
/// size before the input tray, which must hold it).
constexpr TCheck kEntryChecks[] = {CheckMedia, CheckOutputTray, CheckFold, CheckInputTray};
/// Only where the file is known.
constexpr TCheck kFileChecks[] = {CheckColorDepth, CheckOutputSize};
/// Only for the job as a whole.
constexpr TCheck kJobChecks[] = {CheckNesting, CheckDialect};

/// Runs every check that applies to entry `index`, in order, handing each result to
/// `visit`; a visit may change the entry before the next check runs.
template <class Entry, class Visit>
void RunChecks(const RCStatementInfluencingCapaRefined& capas, Entry& entry, int index,
               Visit&& visit) {
    if (capas.GetPlotterCount() == 0)
        return;  // no capabilities: nothing to judge by
    const auto run = [&](TCheck check) {
        if (std::optional<RSUnfit> unfit = check(capas, entry))
            visit(*unfit);
    };
    if (index == 0) {
        std::for_each(std::begin(kJobChecks), std::end(kJobChecks), run);
    } else {
        std::for_each(std::begin(kFileChecks), std::end(kFileChecks), run);
    }
    std::for_each(std::begin(kEntryChecks), std::end(kEntryChecks), run);
}

/// Whether the file entry holds the job entry's value of statement `id`.
bool Inherits(const RCSslEntry& file, const RCSslEntry& job, TSslStatementID id) {
    const std::unique_ptr<SslStatement> own(SslStatement::CreateSslObject(id));
    const std::unique_ptr<SslStatement> inherited(SslStatement::CreateSslObject(id));
    file.Get(id, own.get());
    job.Get(id, inherited.get());
    return *own == *inherited && own->ToString() == inherited->ToString();
}

}  // namespace

std::vector<RSSslFinding> RCSslSet::Preflight(
    const RCStatementInfluencingCapaRefined& capas) const {
    std::vector<RSSslFinding> findings;
    std::vector<TSslStatementID> jobUnfit;
    for (int i = 0; i < Size(); ++i) {
        const RCSslEntry& entry = m_EntryList[static_cast<std::size_t>(i)];
        RunChecks(capas, entry, i, [&](const RSUnfit& unfit) {
            if (i == 0) {
                jobUnfit.push_back(unfit.m_nStatement);
            } else if (std::find(jobUnfit.begin(), jobUnfit.end(), unfit.m_nStatement) !=
                           jobUnfit.end() &&
                       Inherits(entry, m_EntryList.front(), unfit.m_nStatement)) {
                return;
            }
            findings.push_back(RSSslFinding{i, unfit.m_nStatement, unfit.m_sValue, unfit.m_sOffered,
                                            unfit.m_sMessage});
        });
    }
    return findings;
}

std::vector<RSSslSubstitution> RCSslSet::FitToCapabilities(
    const RCStatementInfluencingCapaRefined& capas) {
    std::vector<RSSslSubstitution> substitutions;
    for (int i = 0; i < Size(); ++i) {
        RCSslEntry& entry = m_EntryList[static_cast<std::size_t>(i)];
        RunChecks(capas, entry, i, [&](const RSUnfit& unfit) {
            unfit.m_Fix(entry);
            const TString after = unfit.m_nStatement == kId_SslColorDepth
                                      ? TString(std::to_string(entry.GetColorDepth()))
                                      : ValueText(entry, unfit.m_nStatement);
            if (after != unfit.m_sValue)
                substitutions.push_back(
                    RSSslSubstitution{i, unfit.m_nStatement, unfit.m_sValue, after});
        });
    }
    return substitutions;
}

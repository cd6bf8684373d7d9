// RCSslSet: the container, whole-set operations and writers.  The reader is in
// RCSslSetRead.cpp, the PJL embedding in SslEmbedding.cpp.
#include "ssl2/set/RCSslSet.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <utility>

#include "ssl2/base/ILog.h"
#include "ssl2/base/RCUnit.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TFile.h"
#include "ssl2/base/TMessage.h"
#include "ssl2/set/RCSslSetDelivery.h"
#include "ssl2/sslmessages.h"

const TString RCSslSet::m_sBeginJob = "BeginJob";
const TString RCSslSet::m_sEndJob = "EndJob";
const TString RCSslSet::m_sJobName = "noname";
const TString RCSslSet::m_sVersion = "Version";
const TString RCSslSet::m_sActualVersion = "3.0.001";
VEMTO::RCMutex RCSslSet::m_staticMutex;
std::atomic<bool> RCSslSet::m_staticNoReEscape = false;

namespace {

// Values of the statements the whole-set operations look at.
constexpr std::uint32_t kOutputBinManual = 1;
constexpr std::uint32_t kTrayDefault = 1;
constexpr std::uint32_t kTrayFront = 2;
constexpr std::uint32_t kTrayRear = 3;
constexpr std::uint32_t kSortAuto = 0;
constexpr std::uint32_t kSortStandard = 1;
constexpr std::uint32_t kSortReverse = 2;
constexpr std::uint32_t kMediaPositionAuto = 16;

bool IsCadEmulation(std::uint32_t emulation) {
    return emulation == 17 || emulation == 18 || emulation == 22 || emulation == 23;
}

/// Two-digit decimal prefix ("09", "10", "123").
std::string TwoDigits(int n) {
    return TString::Format("%02d", n).str();
}

}  // namespace

// --- list operations --------------------------------------------------------------------

int RCSslSet::AddEntry(const RCSslEntry& entry) {
    m_EntryList.push_back(entry);
    m_bOrdinalsSet = 0;
    return Size();
}

int RCSslSet::AddEntry(RCSslEntry&& entry) {
    m_EntryList.push_back(std::move(entry));
    m_bOrdinalsSet = 0;
    return Size();
}

int RCSslSet::InsertEntry(int index, const RCSslEntry& entry) {
    m_bOrdinalsSet = 0;
    if (index >= 0 && index < Size()) {
        m_EntryList.insert(m_EntryList.begin() + index, entry);
        return index;
    }
    m_EntryList.push_back(entry);
    return Size() - 1;
}

RCSslEntry& RCSslSet::GetEntry(int index) {
    if (m_bOrdinalsSet == 0)
        SetOrdinals(0);
    return const_cast<RCSslEntry&>(std::as_const(*this).GetEntry(index));
}

const RCSslEntry& RCSslSet::GetEntry(int index) const {
    if (index < 0 || index >= Size()) {
        ThrowNewError(RMCSslErrors(), RMCSslErrors::kIndexOutOfRange, "m_EntryList",
                      TString::Format("%d", index), TString::Format("%d", Size()));
    }
    return m_EntryList[static_cast<std::size_t>(index)];
}

RCSslEntry& RCSslSet::GetEntryByOrdinal(std::uint32_t ordinal) {
    if (m_bOrdinalsSet == 0)
        SetOrdinals(0);
    for (RCSslEntry& entry : m_EntryList) {
        if (entry.GetOrdinal() == ordinal)
            return entry;
    }
    ThrowNewError(RMCSslErrors(), RMCSslErrors::kNoEntryWithOrdinal,
                  TString::Format("%u", ordinal));
}

unsigned int RCSslSet::RemoveEntry(int index) {
    if (index < 0 || index >= Size())
        return 0;
    m_EntryList.erase(m_EntryList.begin() + index);
    return 1;
}

unsigned int RCSslSet::RemoveEntryByOrdinal(std::uint32_t ordinal) {
    const auto it = std::find_if(m_EntryList.begin(), m_EntryList.end(),
                                 [&](const RCSslEntry& e) { return e.GetOrdinal() == ordinal; });
    if (it == m_EntryList.end())
        return 0;
    m_EntryList.erase(it);
    return 1;
}

int RCSslSet::ReduceToDefaultEntry() {
    if (m_EntryList.size() > 1)
        m_EntryList.erase(m_EntryList.begin() + 1, m_EntryList.end());
    return Size();
}

int RCSslSet::ApplyPlotItCommand() {
    if (m_EntryList.size() >= 2) {
        m_EntryList.erase(std::remove_if(m_EntryList.begin() + 1, m_EntryList.end(),
                                         [](const RCSslEntry& e) { return e.GetPlotIt() == 0; }),
                          m_EntryList.end());
    }
    return Size();
}

void RCSslSet::ReverseOrder() {
    if (m_EntryList.size() > 2)
        std::reverse(m_EntryList.begin() + 1, m_EntryList.end());
}

void RCSslSet::SetOrdinals(unsigned int renumberAll) {
    if (renumberAll != 0) {
        m_ulNextOrdinal = 0;
        for (RCSslEntry& entry : m_EntryList)
            entry.SetOrdinal(m_ulNextOrdinal++);
    } else {
        for (RCSslEntry& entry : m_EntryList) {
            if (entry.GetOrdinal() == kNoOrdinal)
                entry.SetOrdinal(m_ulNextOrdinal++);
        }
    }
    m_bOrdinalsSet = 1;
}

void RCSslSet::Sort(TSslStatementID id, unsigned int ascending) {
    if (m_bOrdinalsSet == 0)
        SetOrdinals(0);
    for (RCSslEntry& entry : m_EntryList)
        entry.InitCompare(id, ascending);
    if (m_EntryList.size() > 2) {
        std::stable_sort(m_EntryList.begin() + 1, m_EntryList.end(), &RCSslEntry::Compare);
    }
}

void RCSslSet::SetSpoolPath(const TString& path) {
    std::error_code error;
    m_sSpoolPath =
        !path.IsEmpty() && std::filesystem::is_directory(path.str(), error) ? path : TString();
}

// --- whole-set queries ---------------------------------------------------------------------

namespace {

template <class Predicate>
unsigned int AnyFile(const RCSslSet::RCSslEntryList& entries, Predicate predicate) {
    if (entries.size() < 2)
        return 0;
    return std::any_of(entries.begin() + 1, entries.end(), predicate) ? 1 : 0;
}

}  // namespace

unsigned int RCSslSet::IsFolded() const {
    return AnyFile(m_EntryList, [](const RCSslEntry& e) { return e.GetFoldPrg() > 0; });
}

unsigned int RCSslSet::IsFoldedWithOldStyle() const {
    return AnyFile(m_EntryList, [](const RCSslEntry& e) {
        return e.GetFoldPrg() > 0 && !e.FoldOptionsWereSet();
    });
}

unsigned int RCSslSet::ContainsCadFiles() const {
    return AnyFile(m_EntryList,
                   [](const RCSslEntry& e) { return IsCadEmulation(e.GetFileEmulation()); });
}

unsigned int RCSslSet::ContainsManual() const {
    return AnyFile(m_EntryList,
                   [](const RCSslEntry& e) { return e.GetOutputBin() == kOutputBinManual; });
}

std::uint32_t RCSslSet::GetAllColorDepths() const {
    std::uint32_t depths = 0;
    for (std::size_t i = 1; i < m_EntryList.size(); ++i)
        depths |= m_EntryList[i].GetColorDepth();
    return depths;
}

// --- whole-set rewrites ----------------------------------------------------------------------

void RCSslSet::MergeSettings(const RCSslEntry& entry, const RCAccessSsl& access) {
    if (access.HasFullAccess())
        return;
    for (RCSslEntry& target : m_EntryList)
        RCSslEntry::MergeSettings(target, entry, access);
}

void RCSslSet::MergeSettings(const RCSslSet& other, const RCAccessSsl& access) {
    const std::size_t common = std::min(m_EntryList.size(), other.m_EntryList.size());
    for (std::size_t i = 0; i < common; ++i) {
        RCSslEntry::MergeSettings(m_EntryList[i], other.m_EntryList[i], access);
    }
    const bool nameAndDirectory = access.GetNameAccess() != 0 && access.GetDirectoryAccess() != 0;
    const bool neither = access.GetNameAccess() == 0 && access.GetDirectoryAccess() == 0;
    if (m_EntryList.size() > common && nameAndDirectory && !other.m_EntryList.empty()) {
        for (std::size_t i = common; i < m_EntryList.size(); ++i) {
            RCSslEntry::MergeSettings(m_EntryList[i], other.m_EntryList[0], access);
        }
    } else if (other.m_EntryList.size() > common && neither && !m_EntryList.empty()) {
        for (std::size_t i = common; i < other.m_EntryList.size(); ++i) {
            RCSslEntry added(m_EntryList[0], 1);
            RCSslEntry::MergeSettings(added, other.m_EntryList[i], access);
            AddEntry(added);
        }
    }
}

unsigned int RCSslSet::ApplyNestingRestrictions() {
    if (m_EntryList.empty() || m_EntryList[0].GetNesting() == 0)
        return 0;
    unsigned int changed = 0;
    RCSslEntry& job = m_EntryList[0];
    if (job.GetJobCollate() == 0)
        changed |= job.SetJobCollate(1);
    for (std::size_t i = 1; i < m_EntryList.size(); ++i) {
        if (m_EntryList[i].GetCopies() > 1)
            changed |= m_EntryList[i].SetCopies(1);
    }
    return changed;
}

unsigned int RCSslSet::ApplyDocBoxRestrictions() {
    if (m_EntryList.empty() || m_EntryList[0].GetDocumentBoxOn() == 0)
        return 0;
    unsigned int changed = 0;
    RCSslEntry& job = m_EntryList[0];
    if (job.GetJobCollate() == 0)
        changed |= job.SetJobCollate(1);
    if (job.GetSetCopies() > 1)
        changed |= job.SetSetCopies(1);
    if (job.GetJobFlagsheetOn() != 0) {
        job.SetJobFlagsheetOn(0);
        changed = 1;
    }
    if (job.GetTrialPrint() != 0)
        changed |= job.SetTrialPrint(0);
    if (job.GetJobSort() != kSortAuto)
        changed |= job.SetJobSort(kSortAuto);
    for (std::size_t i = 1; i < m_EntryList.size(); ++i) {
        RCSslEntry& file = m_EntryList[i];
        if (file.GetMediaPosition() != kMediaPositionAuto) {
            changed |= file.SetMediaPosition(kMediaPositionAuto);
        }
        if (file.GetMediaType() != 0)
            changed |= file.SetMediaType(0);
        if (file.GetMarginOn() != 0) {
            file.SetMargin(4, 0.0);
            changed = 1;
        }
        if (file.GetCopies() > 1)
            changed |= file.SetCopies(1);
    }
    return changed;
}

std::uint32_t RCSslSet::JobUnitCode() const {
    return m_EntryList[0].GetUnits().GetConversionCode();
}

namespace {

/// Pixels need a resolution: a conversion to or from them at 0 dpi is refused
/// (nothing converted) rather than done at some resolution the caller never gave.
bool CanConvert(std::uint32_t from, std::uint32_t to, std::uint32_t resolution) {
    return resolution != 0 || (from != RCUnit::kPixel && to != RCUnit::kPixel);
}

}  // namespace

void RCSslSet::ConvertToMm(std::uint32_t resolution) {
    if (m_EntryList.empty())
        return;
    const std::uint32_t from = JobUnitCode();
    if (from == RCUnit::kMm || !CanConvert(from, RCUnit::kMm, resolution))
        return;
    for (RCSslEntry& entry : m_EntryList)
        entry.ConvertUnit(from, RCUnit::kMm, resolution);
}

void RCSslSet::ConvertUnit(std::uint32_t resolution, std::uint32_t toUnit) {
    if (m_EntryList.empty())
        return;
    const std::uint32_t from = JobUnitCode();
    if (!CanConvert(from, toUnit, resolution))
        return;
    for (RCSslEntry& entry : m_EntryList)
        entry.ConvertUnit(from, toUnit, resolution);
}

std::uint32_t RCSslSet::CountPages(bool applyPageRange) const {
    if (m_EntryList.empty())
        return 0;
    const std::uint32_t setCopies = m_EntryList[0].GetSetCopies();
    std::uint32_t pages = 0;
    for (const RCSslEntry& entry : m_EntryList)
        pages += entry.CountPages(applyPageRange);
    return (setCopies >= 2 ? setCopies : 1) * pages;
}

std::uint32_t RCSslSet::CountMillimeters(bool applyPageRange) const {
    if (m_EntryList.empty())
        return 0;
    const std::uint32_t setCopies = m_EntryList[0].GetSetCopies();
    std::uint32_t length = 0;
    for (std::size_t i = 1; i < m_EntryList.size(); ++i) {
        length += m_EntryList[i].CountMillimeters(applyPageRange);
    }
    return (setCopies >= 2 ? setCopies : 1) * length;
}

unsigned int RCSslSet::DecideOutputTray(std::uint32_t requestedTray, unsigned int decide) {
    RCSslEntry& job = GetEntry(0);
    std::uint32_t tray = requestedTray;
    if (decide != 0) {
        if (IsFolded()) {
            tray = kTrayRear;
        } else {
            switch (job.GetOutputTray()) {
                case kTrayDefault:
                    tray = requestedTray == kTrayRear ? kTrayRear : kTrayFront;
                    break;
                case kTrayRear:
                    tray = kTrayRear;
                    break;
                default:
                    tray = kTrayFront;
                    break;
            }
        }
    }
    job.SetOutputTray(tray);
    switch (job.GetJobSort()) {
        case kSortAuto:
            return tray == kTrayRear ? 1 : 0;
        case kSortReverse:
            return 1;
        case kSortStandard:
        default:
            return 0;
    }
}

RCSslEntry::RSCompReturn RCSslSet::operator==(const RCSslSet& other) const {
    RCSslEntry::RSCompReturn result;
    result.Differences.SetAllAccess(0);
    if (this == &other || (m_EntryList.empty() && other.m_EntryList.empty()))
        return result;
    if (m_EntryList.empty() || other.m_EntryList.empty()) {
        result.bEqual = result.bSameEntryCount = result.bSameFile = false;
        result.Differences.SetAllAccess(1);
        return result;
    }
    if (m_EntryList.size() != other.m_EntryList.size()) {
        result.Differences = (m_EntryList[0] == other.m_EntryList[0]).Differences;
        result.bEqual = result.bSameEntryCount = result.bSameFile = false;
        return result;
    }
    for (std::size_t i = 0; i < m_EntryList.size(); ++i) {
        const RCSslEntry::RSCompReturn pair = m_EntryList[i] == other.m_EntryList[i];
        result.Differences |= pair.Differences;
        result.bEqual = result.bEqual && pair.bEqual;
        result.bSameFile = result.bSameFile && pair.bSameFile;
    }
    return result;
}

// --- writing -------------------------------------------------------------------------------

void RCSslSet::PutText(const RCAccessSsl& access, SslStatement::TSyntaxVersion version,
                       unsigned int flattenNotes,
                       const std::function<void(const std::string&)>& put) const {
    if (m_EntryList.empty())
        return;
    std::string header = m_sBeginJob.str() + " \"" + m_sJobName.str() + "\" " + m_sVersion.str() +
                         " \"" + m_sActualVersion.str() + "\"\r\n";
    // The header is fixed (plot servers expect it) and names 3.0; a ticket written in
    // another dialect says so on the next line, which a reader takes as the later word.
    if (version != SslStatement::kVersion30 && version >= SslStatement::kVersion15 &&
        version <= SslStatement::kVersion50) {
        SslVersion written;
        written.Set(version);
        header += m_sVersion.str() + " \"" + written.GetAsString().str() + "\"\r\n";
    }
    put(header);
    for (std::size_t i = 0; i < m_EntryList.size(); ++i) {
        const TString entry =
            i == 0 ? m_EntryList[0].ToString(access, version, flattenNotes)
                   : m_EntryList[i].ToString(access, version, flattenNotes, m_EntryList[0]);
        put(entry.str() + "\r\n");
    }
    put(m_sEndJob.str() + "\r\n");
}

TString RCSslSet::ToString(const RCAccessSsl& access, SslStatement::TSyntaxVersion version,
                           unsigned int flattenNotes) const {
    std::string text;
    std::size_t pieces = 0;
    PutText(access, version, flattenNotes, [&](const std::string& piece) {
        // The first file entry's text (after the header and the job entry) makes room
        // for as many more as long.
        if (++pieces == 3 && m_EntryList.size() > 2)
            text.reserve(text.size() + (m_EntryList.size() + 1) * piece.size());
        text += piece;
    });
    return TString(std::move(text));
}

void RCSslSet::WriteText(std::ostream& out, const RCAccessSsl& access,
                         SslStatement::TSyntaxVersion version, unsigned int flattenNotes) const {
    PutText(access, version, flattenNotes, [&out](const std::string& piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    });
}

void RCSslSet::WriteSsl(const TString& path, RCAccessSsl access,
                        SslStatement::TSyntaxVersion version) const {
    TFile::ReplaceAtomically(path, ToString(access, version, 0).AsFileBytes());
}

int RCSslSet::ToCfg(const TString& directory) {
    if (m_EntryList.size() < 2)
        return 0;
    const RCSslEntry& job = m_EntryList[0];
    const std::uint32_t collate = job.GetJobCollate();
    const std::uint32_t setCopies = job.GetSetCopies();
    const TString email = job.GetEMail();

    for (std::size_t i = 1; i < m_EntryList.size(); ++i) {
        RCSslEntry& file = m_EntryList[i];
        file.SetJobCollate(collate);
        file.SetEMail(email);
        if (collate == 0)
            file.SetCopies(file.GetCopies() * setCopies);
    }

    // Each file appears whole under its own name, never replaces or writes through
    // what the directory holds, and stays in `directory` whatever the ticket names.
    // A file that cannot be written is logged and the rest go on; the first such
    // failure is raised at the end.
    int written = 0;
    RCInfo firstFailure;
    auto fail = [&](const TString& path, const TString& source) {
        SslLog(1, "set", "RCSslSet::ToCfg could not write " + path + ": " + GetErrorString());
        if (m_FileReporter)
            m_FileReporter({RSFileReport::kFailed, source, path, GetErrorString()});
        if (!firstFailure.IsError())
            firstFailure = GetErrorInfo();
        ClearError();
    };
    auto raiseIfNotNew = [](bool isNew, const TString& path) {
        if (!isNew)
            ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kFileWrite, path,
                          TString(std::strerror(EEXIST)));
    };
    std::optional<RCDirectory> target;
    try {
        target.emplace(SslDelivery::StripSeparators(directory));
    } catch (const TException&) {
        fail(directory, TString());
    }
    // The data file comes first and its ".cfg" file only once it is there: the
    // ".cfg" file is what a consumer acts on.
    auto writeOne = [&](const RCSslEntry& file, const std::string& prefix) {
        const TString name = SslDelivery::SafeFileName(file.GetName());
        const TString stem = TString(prefix) + TFile::GetFileName(name);
        const TString source = SslDelivery::JoinPath(file.GetDirectory(), file.GetName());
        const TString data = stem + TFile::GetFileExt(name);
        try {
            RCSourceFile in(source);
            raiseIfNotNew(SslDelivery::CopyFileAtomically(in, *target, data, false),
                          target->PathOf(data));
            if (m_FileReporter)
                m_FileReporter({RSFileReport::kCopied, source, target->PathOf(data), TString()});
        } catch (const TException&) {
            fail(target->PathOf(data), source);
            return;
        }
        const TString cfg = stem + ".cfg";
        try {
            raiseIfNotNew(
                SslDelivery::WriteFileAtomically(*target, cfg, file.ToCfg().AsFileBytes(), false),
                target->PathOf(cfg));
            if (m_FileReporter)
                m_FileReporter({RSFileReport::kCopied, TString(), target->PathOf(cfg), TString()});
            ++written;
        } catch (const TException&) {
            fail(target->PathOf(cfg), TString());
        }
    };
    const int copies = collate == 0 ? 1 : static_cast<int>(setCopies);
    for (int k = 1; target && k <= copies; ++k) {
        for (std::size_t i = 1; i < m_EntryList.size(); ++i) {
            // A file that is not printed gets no configuration: a consumer would
            // print it with defaults.
            if (m_EntryList[i].GetPlotIt() == 0)
                continue;
            std::string prefix = collate == 0 ? std::string() : TwoDigits(k) + "-";
            prefix += TwoDigits(static_cast<int>(i)) + "-";
            writeOne(m_EntryList[i], prefix);
        }
    }
    // The files are durable before the caller goes on to act on them.
    try {
        if (target)
            target->Sync();
    } catch (const TException&) {
        fail(target->GetPath(), TString());
    }
    if (firstFailure.IsError()) {
        ThrowNewError(firstFailure.GetOriginCode(), firstFailure.GetNumber(),
                      firstFailure.GetArgument(0), firstFailure.GetArgument(1),
                      firstFailure.GetArgument(2));
    }
    return written;
}

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ssl2/base/RCUncPath2LocalPath.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TFile.h"
#include "ssl2/base/TFileOps.h"
#include "ssl2/base/TMessage.h"
#include "ssl2/set/RCSslSetDelivery.h"

namespace SslDelivery {
namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

}  // namespace

TString SafeFileName(const TString& path) {
    const std::string& s = path.str();
    std::size_t end = s.size();
    std::size_t begin = end;
    while (begin > 0 && !IsSeparator(s[begin - 1]))
        --begin;
    TString name(s.substr(begin, end - begin));
    if (path.IsEmpty() || IsPlainName(name))
        return name;
    return TString("_");
}

bool IsPlainName(const TString& name) {
    if (name.IsEmpty() || name == "." || name == "..")
        return false;
    for (char c : name.str()) {
        if (IsSeparator(c))
            return false;
    }
    return true;
}

TString StripSeparators(const TString& directory) {
    std::string s = directory.str();
    while (s.size() > 1 && IsSeparator(s.back()))
        s.pop_back();
    return TString(std::move(s));
}

TString JoinPath(const TString& directory, const TString& name) {
    if (directory.IsEmpty())
        return name;
    TString dir = StripSeparators(directory);
    if (!IsSeparator(dir[dir.GetLength() - 1]))
        dir += '/';
    return dir + name;
}

TString ReplaceReservedChars(TString text) {
    std::string s = text.str();
    for (char& c : s) {
        if (std::strchr("/\\<>?\"|:\r\n", c) != nullptr)
            c = '_';
    }
    return TString(std::move(s));
}

TString MakeJobDirName(const TString& jobName, bool& changed) {
    const TString replaced = ReplaceReservedChars(jobName);
    TString name = replaced;
    name.StripTail(". ");
    if (name.IsEmpty())
        name = "JH_SET";
    changed = !(name == replaced);
    return name;
}

TString RCFreeNames::Take(const TString& name) {
    TString free = name;
    if (!Free(name)) {
        TString rest = name;
        const TString token = rest.Token(".");
        unsigned long long& counter = m_Counters[token.str() + '\0' + rest.str()];
        do {
            free = token + "_" + TString(static_cast<long long>(++counter)) + rest;
        } while (!Free(free));
    }
    m_Taken.insert(free.str());
    return free;
}

bool WriteFileAtomically(const RCDirectory& dir, const TString& name, std::string_view bytes,
                         bool replace) {
    RCTempFile temp(dir);
    const TString target = dir.PathOf(name);
    temp.Write(bytes.data(), bytes.size(), target);
    temp.Finish(target);
    return temp.Commit(name, replace);
}

bool WriteFileAtomically(const TString& path, std::string_view bytes, bool replace) {
    const TString native = TFile::NativePath(path);
    const RCDirectory dir(TFile::GetFileDir(native));
    return WriteFileAtomically(dir, SafeFileName(native), bytes, replace);
}

bool CopyFileAtomically(RCSourceFile& source, const RCDirectory& dir, const TString& name,
                        bool replace) {
    RCTempFile temp(dir);
    source.CopyTo(temp, dir.PathOf(name));
    return temp.Commit(name, replace);
}

bool CopyFileAtomically(const TString& source, const TString& target, bool replace) {
    RCSourceFile in(source);
    const TString native = TFile::NativePath(target);
    const RCDirectory dir(TFile::GetFileDir(native));
    return CopyFileAtomically(in, dir, SafeFileName(native), replace);
}

void SyncDirectory(const TString& path) {
    RCDirectory(path).Sync();
}

void RCCreatedEntries::Remove() noexcept {
    for (auto it = m_Entries.rbegin(); it != m_Entries.rend(); ++it)
        it->m_pDir->Remove(it->m_sName, it->m_bDirectory);
    m_Entries.clear();
}

RCFileGatherer::RCFileGatherer(const RCDirectory* dir, bool replace, bool dryRun,
                               const TFileReporter& reporter, RCCreatedEntries* created)
    : m_pDir(dir),
      m_bReplace(replace),
      m_bDryRun(dryRun),
      m_Reporter(reporter),
      m_pCreated(created),
      m_Names(replace ? nullptr : dir) {}

TString RCFileGatherer::Target(const TString& name) const {
    return m_pDir != nullptr ? m_pDir->PathOf(name) : name;
}

void RCFileGatherer::Report(RSFileReport::TOutcome outcome, const TString& source,
                            const TString& target, const TString& reason) const {
    if (m_Reporter)
        m_Reporter(RSFileReport{outcome, source, target, reason});
}

void RCFileGatherer::Skip(const TString& source, const TString& target,
                          const TString& reason) const {
    Report(RSFileReport::kSkipped, source, target, reason);
}

TString RCFileGatherer::Gather(const TString& source, const TString& wanted) {
    try {
        // A ticket names its files in quotes on one line: a name it cannot hold
        // would be delivered and then named wrongly.
        if (wanted.str().find_first_of("\"\r\n") != std::string::npos)
            ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kFileOpen, source,
                          "the name holds a quote or a line break, which a ticket cannot name");
        TString from = source;
        RCUncPath2LocalPath::UncPath2LocalPath(from, "");
        RCSourceFile in(from);
        const auto key = std::make_tuple(wanted.str(), in.Identity().first, in.Identity().second);
        const auto it = m_Sources.find(key);
        if (it != m_Sources.end()) {
            Skip(source, Target(it->second), "the same file is there already");
            return it->second;
        }
        // In a reused directory, what it holds under a name is replaced; otherwise
        // a name it holds is passed over.
        TString name = m_Names.Take(wanted);
        const bool existed = m_bReplace && m_pDir != nullptr && m_pDir->Has(name);
        if (m_bDryRun) {
            Report(RSFileReport::kPlanned, source, Target(name),
                   existed ? "would replace" : "would copy");
        } else {
            RCTempFile temp(*m_pDir);
            in.CopyTo(temp, Target(name));
            if (m_bReplace) {
                temp.Commit(name, true);
            } else {
                // A name found free may be taken by another writer before the file
                // gets it: then the next one.
                while (!temp.Commit(name, false))
                    name = m_Names.Take(wanted);
            }
            if (!existed && m_pCreated != nullptr)
                m_pCreated->AddFile(*m_pDir, name);
            Report(RSFileReport::kCopied, source, Target(name),
                   existed ? TString("replaced") : TString());
        }
        m_Sources.emplace(key, name);
        return name;
    } catch (const TException&) {
        Report(RSFileReport::kFailed, source, Target(wanted), GetErrorString());
        throw;
    }
}

namespace {

/// The first number of a queue's numbering file: its decimal digits (blanks
/// around them allowed), 0 when it holds anything else or a number past 64 bits.
std::uint64_t QueueNumber(const TString& line) {
    const std::string& text = line.str();
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    if (first == std::string::npos)
        return 0;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data() + first, text.data() + last + 1, value);
    return error == std::errc() && end == text.data() + last + 1 ? value : 0;
}

/// The queue's numbering file, opened and locked exclusively, waiting for another
/// holder up to `waitSeconds`.
TAnsiFile LockNumberFile(const TString& path, double waitSeconds) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(std::max(0.0, waitSeconds)));
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        try {
            return TAnsiFile(path, TFile::kReadWrite | TFile::kOpenExisting | TFile::kExclusive);
        } catch (const TException&) {
            // Only a file held by another is waited for; a missing one fails at once.
            if (!TFile::Exist(path) || std::chrono::steady_clock::now() + pause > deadline)
                throw;
            ClearError();
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

}  // namespace

TString ClaimQueueEntry(const RCDirectory& base, bool create, double waitSeconds) {
    TAnsiFile numberFile = LockNumberFile(base.PathOf("latest.num"), waitSeconds);
    TString name;
    numberFile.GetLine(name, 260);
    // 64 bits: the counter only grows, it never wraps within any queue's life.
    std::uint64_t next = QueueNumber(name) + 1;
    TString formatted = TString::Format("%.8llu", static_cast<unsigned long long>(next));
    // Passed over like an existing directory: a name that is not one plain entry
    // (empty, "..", a path), and any entry of that name, so that a stray file can
    // never make every later claim fail.
    while (!IsPlainName(name) || name.str().find('\0') != std::string::npos || base.Has(name)) {
        name = formatted;
        ++next;
        formatted = TString::Format("%.8llu", static_cast<unsigned long long>(next));
    }
    numberFile.Start();
    numberFile.PutLine(formatted);
    numberFile.SetEndOfFile();
    // The directory is made while the number file is still held, so no claimant
    // sees the advanced number before the directory exists; a failure to make it
    // leaves the number advanced, so the queue goes on with the next one.
    if (create && !base.MakeDirectory(name))
        ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kSystemError, "create directory",
                      TString(std::strerror(EEXIST)), base.PathOf(name));
    numberFile.Close();
    return name;
}

TString ClaimQueueDirectory(const TString& base, bool create, double waitSeconds) {
    const RCDirectory dir(StripSeparators(base));
    return JoinPath(base, ClaimQueueEntry(dir, create, waitSeconds)) + "/";
}

}  // namespace SslDelivery

// RCSslSet::NormalizeSsl, SslCopyFile and UNCPaths2Locals: gathering a job's files
// into one directory and mapping network paths to local ones.

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ssl2/base/ILog.h"
#include "ssl2/base/RCUncPath2LocalPath.h"
#include "ssl2/base/TDirectory.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TFile.h"
#include "ssl2/set/RCSslSet.h"
#include "ssl2/set/RCSslSetDelivery.h"

using namespace SslDelivery;

namespace {

/// The form in which paths are compared: links and "." / ".." resolved as far as
/// the path exists; unchanged when that fails.
TString CanonicalPath(const TString& path) {
    const std::string native = TFile::NativePath(path).str();
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(native, error);
    return error ? TString(native) : TString(canonical.string());
}

/// A directory in comparison form, ending in one separator.
TString CanonicalDirectory(const TString& path) {
    TString dir = StripSeparators(CanonicalPath(path));
    if (dir.IsEmpty() || dir[dir.GetLength() - 1] != '/')
        dir += '/';
    return dir;
}

/// The comparison forms of the directories one gathering meets, each resolved once:
/// a job's entries share a few directories, and resolving one walks every component
/// of its path through the file system.
class RCCanonicalDirectories {
public:
    /// CanonicalDirectory(path), remembered.
    const TString& Of(const TString& path) {
        const auto [known, added] = m_Known.try_emplace(path.str());
        if (added)
            known->second = CanonicalDirectory(path);
        return known->second;
    }

private:
    std::unordered_map<std::string, TString> m_Known;
};

void LogAndCollect(const char* text, TRCMultiObjectContainer<RCInfo>& errors) {
    SslLog(1, "delivery", TString(text) + GetErrorString());
    errors.push_back(GetErrorInfo());
    ClearError();
}

/// Adds to `used` the name of `path` (in comparison form) when it lies right in the
/// directory whose comparison form is `canonicalDir`.
void UseIfInside(std::unordered_set<std::string>& used, const TString& canonicalDir,
                 const TString& path) {
    const std::string& text = path.str();
    const std::string& prefix = canonicalDir.str();
    if (text.size() > prefix.size() && text.compare(0, prefix.size(), prefix) == 0 &&
        text.find('/', prefix.size()) == std::string::npos)
        used.insert(text.substr(prefix.size()));
}

/// True when a listed entry is a symbolic link.
bool IsListedLink(const RCDirectory& dir, const RSDirEntry& entry) {
    return entry.m_nType == DT_LNK ||
           (entry.m_nType == DT_UNKNOWN && dir.TypeOf(entry.m_sName, false) == S_IFLNK);
}

/// True when a listed entry is a file to a purge: anything but a directory, a link
/// counting as what it leads to; a link that leads nowhere is left alone.
bool IsListedFile(const RCDirectory& dir, const RSDirEntry& entry) {
    if (entry.m_nType == DT_DIR)
        return false;
    if (entry.m_nType != DT_LNK && entry.m_nType != DT_UNKNOWN)
        return true;
    const mode_t type = dir.TypeOf(entry.m_sName, true);
    return type != 0 && type != S_IFDIR;
}

/// Removes, in name order, every file of `dir` that `used` does not name (a dry run
/// reports each as planned instead).  A used name that is a link keeps what it
/// leads to as well; another writer's file in the making is not ours to remove.
void PurgeUnused(const RCDirectory& dir, const TString& canonicalDir,
                 std::unordered_set<std::string>& used, bool dryRun, const TFileReporter& reporter,
                 TRCMultiObjectContainer<RCInfo>& errors) {
    // Reports and log lines name a file as the directory's native path, '/', its name.
    std::string prefix = TFile::NativePath(dir.GetPath()).str();
    while (prefix.size() > 1 && prefix.back() == '/')
        prefix.pop_back();
    if (prefix.empty() || prefix.back() != '/')
        prefix += '/';
    std::vector<RSDirEntry> entries = dir.List();
    std::vector<TString> unused;
    bool linked = false;
    for (RSDirEntry& entry : entries) {
        if (used.count(entry.m_sName) != 0) {
            if (IsListedLink(dir, entry)) {
                UseIfInside(used, canonicalDir, CanonicalPath(TString(prefix + entry.m_sName)));
                linked = true;
            }
            continue;
        }
        if (!IsListedFile(dir, entry))
            continue;
        TString name(std::move(entry.m_sName));
        if (!TFile::IsTemporaryName(name))
            unused.push_back(std::move(name));
    }
    // What a used link leads to may have been listed before the link.
    if (linked)
        std::erase_if(unused, [&](const TString& name) { return used.count(name.str()) != 0; });
    std::sort(unused.begin(), unused.end());
    for (const TString& name : unused) {
        const TString file(prefix + name.str());
        if (dryRun) {
            if (reporter)
                reporter({RSFileReport::kPlanned, TString(), file, "would delete"});
            continue;
        }
        // The listed entry itself is deleted: a link is removed, never followed.
        SslLog(3, "delivery", "RCSslSet::NormalizeSsl deletes file : " + file);
        try {
            dir.Delete(name);
            if (reporter)
                reporter({RSFileReport::kDeleted, TString(), file, TString()});
        } catch (const TException&) {
            if (reporter)
                reporter({RSFileReport::kFailed, TString(), file, GetErrorString()});
            LogAndCollect("RCSslSet::NormalizeSsl got an Exception while deleting file :", errors);
        }
    }
}

/// Reports nowhere.
const TFileReporter kNoReporter;

}  // namespace

RCInfo RCSslSet::SslCopyFile(TString source, TString targetDir, TString& newPath) {
    newPath = "";
    RCInfo result;
    if (CanonicalDirectory(TFile::GetFileDir(source)) == CanonicalDirectory(targetDir))
        return result;
    try {
        const RCDirectory dir(targetDir);
        RCFileGatherer files(&dir, false, false, kNoReporter, nullptr);
        newPath = JoinPath(targetDir, files.Gather(source, SafeFileName(source)));
    } catch (const TException&) {
        SslLog(1, "delivery",
               "RCSslSet::SslCopyFile got an Exception while copy file :" + GetErrorString());
        result = GetErrorInfo();
        ClearError();
        newPath = "";
    }
    return result;
}

TRCMultiObjectContainer<RCInfo> RCSslSet::NormalizeSsl(RCSslSet* set, TString normDir,
                                                       unsigned int purge) {
    TRCMultiObjectContainer<RCInfo> errors;
    const TString dir = StripSeparators(normDir);
    const TString dirSlash = JoinPath(dir, "");
    RCCanonicalDirectories canonical;
    const TString canonicalDir = canonical.Of(dir);
    const bool dryRun = set != nullptr && set->m_bDryRun;
    std::optional<RCDirectory> handle;
    try {
        if (!TFile::DirExist(dir) && !dryRun)
            TFile::CreateCompleteDir(dir);
        // Opened once: the directory swapped for a link meanwhile leads nothing
        // elsewhere.
        if (!dryRun || TFile::DirExist(dir))
            handle.emplace(dir);
    } catch (const TException&) {
        LogAndCollect("RCSslSet::NormalizeSsl cannot use the directory :", errors);
        return errors;
    }
    if (set == nullptr)
        return errors;

    const TFileReporter& reporter = set->m_FileReporter;
    RCFileGatherer files(handle ? &*handle : nullptr, false, dryRun, reporter, nullptr);
    // The names in the directory that the job uses; only a purge needs them.
    const bool purging = purge != 0 && handle;
    std::unordered_set<std::string> used;
    if (purging)
        used.reserve(2 * set->m_EntryList.size());
    // A used file elsewhere that is a link into the directory keeps its target; a
    // used name in the directory that is a link does so too, which the purge tells
    // from its listing.
    auto useInPlace = [&](const TString& path) {
        if (!purging)
            return;
        if (canonical.Of(TFile::GetFileDir(path)) == canonicalDir) {
            used.insert(SafeFileName(path).str());
            return;
        }
        std::error_code error;
        if (std::filesystem::is_symlink(TFile::NativePath(path).str(), error))
            UseIfInside(used, canonicalDir, CanonicalPath(path));
    };
    auto inPlace = [&](const TString& path) {
        return canonical.Of(TFile::GetFileDir(path)) == canonicalDir;
    };
    // A referenced file (profile, bitmap) copied into the directory; returns the
    // path the entry should hold from now on.
    auto gather = [&](const TString& path) {
        if (inPlace(path)) {
            useInPlace(path);
            files.Skip(path, path, "in the directory already");
            return path;
        }
        try {
            const TString name = files.Gather(path, SafeFileName(path));
            used.insert(name.str());
            return JoinPath(dir, name);
        } catch (const TException&) {
            LogAndCollect("RCSslSet::SslCopyFile got an Exception while copy file :", errors);
        }
        return path;
    };

    for (std::size_t i = 1; i < set->m_EntryList.size(); ++i) {
        RCSslEntry& entry = set->m_EntryList[i];
        const TString name = entry.GetName();
        const TString fileName = SafeFileName(name);
        const TString source = JoinPath(entry.GetDirectory(), name);
        if (!fileName.IsEmpty() && !(canonical.Of(entry.GetDirectory()) == canonicalDir)) {
            // The entry points at the gathered copy even when the copy fails.
            TString newName = fileName;
            try {
                newName = files.Gather(source, fileName);
            } catch (const TException&) {
                LogAndCollect("RCSslSet::NormalizeSsl got an Exception while copy file :", errors);
            } catch (...) {
                VemtoUnhandledException();
                errors.push_back(GetErrorInfo());
                ClearError();
            }
            entry.SetDirectory(dirSlash);
            if (!(newName == name))
                entry.SetName(newName);
        } else if (!fileName.IsEmpty()) {
            files.Skip(source, source, "in the directory already");
        }

        const std::uint32_t scanSource = entry.GetScanColorProfileSource();
        if ((scanSource == 2 || scanSource == 4) && !entry.GetScanColorProfileName().IsEmpty()) {
            const TString path = gather(entry.GetScanColorProfileName());
            if (!(path == entry.GetScanColorProfileName()))
                entry.SetScanColorProfileName(path);
        }
        if (entry.GetPlotColorProfileSource() == 1 && !entry.GetPlotColorProfileName().IsEmpty()) {
            const TString path = gather(entry.GetPlotColorProfileName());
            if (!(path == entry.GetPlotColorProfileName()))
                entry.SetPlotColorProfileName(path);
        }
        for (std::uint32_t s = 0; s < entry.GetStampCount(); ++s) {
            const TString bitmap = entry.GetStampBmp(s);
            if (bitmap.IsEmpty())
                continue;
            const TString path = gather(bitmap);
            if (!(path == bitmap))
                entry.SetStampBmp(s, path);
        }

        if (fileName.IsEmpty())
            continue;
        const TString printed = JoinPath(entry.GetDirectory(), entry.GetName());
        const std::uint32_t emulation = entry.GetFileEmulation();
        const TString companion = TFile::GetFileDir(printed) + TFile::GetFileName(printed) + ".mtf";
        if (entry.GetDirectory() == dirSlash) {
            used.insert(entry.GetName().str());
            if (emulation == 6 || emulation == 7)
                used.insert(SafeFileName(companion).str());
        } else {
            useInPlace(printed);
            if (emulation == 6 || emulation == 7)
                useInPlace(companion);
        }
    }

    // The gathered copies are durable before the caller writes a ticket naming them.
    try {
        if (!dryRun)
            handle->Sync();
    } catch (const TException&) {
        LogAndCollect("RCSslSet::NormalizeSsl could not sync the directory :", errors);
    }
    if (!purging)
        return errors;
    // A purge follows a complete gathering only: otherwise it would delete what a
    // ticket still names, with no new ticket written.
    if (!errors.empty()) {
        SslLog(
            1, "delivery",
            "RCSslSet::NormalizeSsl does not purge " + dir + ": not every file could be gathered");
        return errors;
    }
    // The ticket being gathered is never purged.
    if (!set->m_sLastParsedFilename.IsEmpty())
        useInPlace(set->m_sLastParsedFilename);
    try {
        PurgeUnused(*handle, canonicalDir, used, dryRun, reporter, errors);
    } catch (const TException&) {
        errors.push_back(GetErrorInfo());
        ClearError();
    }
    return errors;
}

void RCSslSet::UNCPaths2Locals(RCSslSet& set) {
    for (std::size_t i = 1; i < set.m_EntryList.size(); ++i) {
        RCSslEntry& entry = set.m_EntryList[i];
        TString dir = entry.GetDirectory();
        if (RCUncPath2LocalPath::UncPath2LocalPath(dir, "") != 0)
            entry.SetDirectory(dir);
        for (std::uint32_t s = 0; s < entry.GetStampCount(); ++s) {
            TString bitmap = entry.GetStampBmp(s);
            if (RCUncPath2LocalPath::UncPath2LocalPath(bitmap, "") != 0)
                entry.SetStampBmp(s, bitmap);
        }
    }
}

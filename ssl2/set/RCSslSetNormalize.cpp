// RCSslSet::NormalizeSsl, SslCopyFile and UNCPaths2Locals: gathering a job's files
// into one directory and mapping network paths to local ones.

#include <filesystem>
#include <system_error>
#include <vector>

#include "ssl2/base/ILog.h"
#include "ssl2/base/PFileBrowser.h"
#include "ssl2/base/RCUncPath2LocalPath.h"
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

/// The comparison form of a directory entry: its directory canonical, its own
/// name as it is, so that a link is compared as itself, never as its target.
TString CanonicalEntry(const TString& path) {
    return CanonicalDirectory(TFile::GetFileDir(path)) + SafeFileName(path);
}

void LogAndCollect(const char* text, TRCMultiObjectContainer<RCInfo>& errors) {
    SslLog(1, "delivery", TString(text) + GetErrorString());
    errors.push_back(GetErrorInfo());
    ClearError();
}

/// Removes the first element equal to `path`; true when there was one.
bool TakeUsedPath(std::vector<TString>& used, const TString& path) {
    for (auto it = used.begin(); it != used.end(); ++it) {
        if (*it == path) {
            used.erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace

RCInfo RCSslSet::SslCopyFile(TString source, TString targetDir, TString& newPath) {
    newPath = "";
    RCInfo result;
    if (CanonicalDirectory(TFile::GetFileDir(source)) == CanonicalDirectory(targetDir))
        return result;
    try {
        newPath =
            JoinPath(targetDir, CopyFileUnderFreeName(source, targetDir, SafeFileName(source)));
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
    const TString canonicalDir = CanonicalDirectory(dir);
    if (!TFile::DirExist(dir)) {
        try {
            TFile::CreateCompleteDir(dir);
        } catch (const TException&) {
            errors.push_back(GetErrorInfo());
            ClearError();
            return errors;
        }
    }
    if (set == nullptr)
        return errors;

    std::vector<TString> used;
    // A referenced file (profile, bitmap) copied into the directory; returns the
    // path the entry should hold from now on.
    auto gather = [&](const TString& path) {
        TString newPath;
        const RCInfo info = SslCopyFile(path, dir, newPath);
        if (!newPath.IsEmpty()) {
            used.push_back(newPath);
            return newPath;
        }
        if (info.GetOriginCode() != RCInfoRaw::kNoOrigin)
            errors.push_back(info);
        else
            used.push_back(path);
        return path;
    };

    for (std::size_t i = 1; i < set->m_EntryList.size(); ++i) {
        RCSslEntry& entry = set->m_EntryList[i];
        const TString name = entry.GetName();
        const TString fileName = SafeFileName(name);
        if (!fileName.IsEmpty() && !(CanonicalDirectory(entry.GetDirectory()) == canonicalDir)) {
            // The entry points at the gathered copy even when the copy fails.
            TString newName = CollisionFreeName(dir, fileName);
            try {
                newName =
                    CopyFileUnderFreeName(JoinPath(entry.GetDirectory(), name), dir, fileName);
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
        used.push_back(printed);
        const std::uint32_t emulation = entry.GetFileEmulation();
        if (emulation == 6 || emulation == 7) {
            used.push_back(TFile::GetFileDir(printed) + TFile::GetFileName(printed) + ".mtf");
        }
    }

    // The gathered copies are durable before the caller writes a ticket naming them.
    try {
        SyncDirectory(dir);
    } catch (const TException&) {
        LogAndCollect("RCSslSet::NormalizeSsl could not sync the directory :", errors);
    }
    if (purge == 0)
        return errors;
    // A used name that is a link keeps its target as well.
    const std::size_t named = used.size();
    for (std::size_t i = 0; i < named; ++i) {
        std::error_code error;
        if (std::filesystem::is_symlink(TFile::NativePath(used[i]).str(), error))
            used.push_back(CanonicalPath(used[i]));
        used[i] = CanonicalEntry(used[i]);
    }
    try {
        const PFileBrowser files(dir, "*.*", PFileBrowser::kFiles);
        for (const TString& file : files.GetPaths()) {
            if (TakeUsedPath(used, CanonicalEntry(file)))
                continue;
            // The listed entry itself is deleted: a link is removed, never followed.
            SslLog(3, "delivery", "RCSslSet::NormalizeSsl deletes file : " + file);
            try {
                TFile::Delete(file);
            } catch (const TException&) {
                LogAndCollect("RCSslSet::NormalizeSsl got an Exception while deleting file :",
                              errors);
            }
        }
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

// RCSslSet::PlotSsl: delivery of a job into a job directory beside its SSL file.

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "ssl2/base/ILog.h"
#include "ssl2/base/RCUncPath2LocalPath.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TFile.h"
#include "ssl2/base/TMessage.h"
#include "ssl2/set/RCSslSet.h"
#include "ssl2/set/RCSslSetDelivery.h"

using namespace SslDelivery;

namespace {

/// What a delivered file is, for the log message of a failed copy.
enum class TKind { kSupportFile, kImage, kScannerProfile, kPlotterProfile, kStamp };

const char* KindName(TKind kind) {
    switch (kind) {
        case TKind::kSupportFile:
            return "SupportFile";
        case TKind::kImage:
            return "Image";
        case TKind::kScannerProfile:
            return "ScannerProfile";
        case TKind::kPlotterProfile:
            return "PlotterProfile";
        case TKind::kStamp:
            break;
    }
    return "Stamp";
}

/// True when an entry (file, directory or link, even a dangling one) named `path`
/// exists.
bool EntryExists(const TString& path) {
    struct stat info {};
    return ::lstat(TFile::NativePath(path).c_str(), &info) == 0;
}

/// Copies `source` to `target` (both UNC-mapped for the copy).  Without
/// `overwrite` an existing target is kept.  A target this copy newly created is
/// noted in `created`.  A failure is logged; the result tells whether `target`
/// now holds the file.
bool Deliver(const TString& source, const TString& target, unsigned int overwrite, TKind kind,
             RCCreatedEntries& created) {
    if (overwrite == 0 && TFile::Exist(target))
        return true;
    try {
        TString from = source;
        TString to = target;
        RCUncPath2LocalPath::UncPath2LocalPath(from, "");
        RCUncPath2LocalPath::UncPath2LocalPath(to, "");
        // A file replaced under overwrite was there before: never taken back.
        const bool existed = overwrite != 0 && EntryExists(to);
        // Without overwrite a target made meanwhile is kept like one found before.
        if (CopyFileAtomically(from, to, overwrite != 0) && !existed)
            created.AddFile(to);
        return true;
    } catch (const TException&) {
        SslLog(1, "delivery",
               TString::Format("RCSslSet::PlotSsl has an exception in (%s) Copy( %s , %s ) "
                               "Message is: %s",
                               KindName(kind), source.c_str(), target.c_str(),
                               GetErrorString().c_str()));
        ClearError();
    } catch (...) {
        VemtoUnhandledException();
        ClearError();
    }
    return false;
}

/// True when `path` is a directory itself, not a link to one.
bool IsRealDirectory(const TString& path) {
    struct stat info {};
    return ::lstat(TFile::NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::uint32_t RCSslSet::PlotSsl(const TString& targetDir, RCAccessSsl access, TString suffix,
                                SslStatement::TSyntaxVersion version, TString* sslPathOut,
                                unsigned int overwrite, RCSslSet* setOut, const TString* baseDir,
                                unsigned int /*reserved*/, unsigned int keepJobName) {
    const TString target = StripSeparators(targetDir);
    if (m_EntryList.empty())
        return 0;
    RCSslSet copy(*this);
    const TString base = baseDir != nullptr ? StripSeparators(*baseDir) : target;
    RCSslEntry& job = m_EntryList[0];
    RCSslEntry& copyJob = copy.m_EntryList[0];

    bool changed = false;
    TString name = MakeJobDirName(job.GetJobName(), changed);
    // The suffix becomes part of a directory name too.
    suffix = ReplaceReservedChars(suffix);
    copyJob.SetDirectory(JoinPath(base, name));
    changed = changed || !suffix.IsEmpty();
    for (unsigned long long counter = 1; overwrite == 0; ++counter) {
        const bool clash = TFile::DirExist(JoinPath(base, name + suffix)) ||
                           TFile::Exist(JoinPath(target, name + suffix + ".ssl"));
        if (!clash)
            break;
        suffix = TString(static_cast<long long>(counter));
        changed = true;
    }
    if (changed) {
        name += suffix;
        copyJob.SetDirectory(JoinPath(base, name));
        if (keepJobName == 0) {
            job.SetJobName(name);
            copyJob.SetJobName(name);
        }
    }
    if (baseDir != nullptr)
        copyJob.SetClientFileCaching(0);

    const TString jobDir = JoinPath(base, name);
    // Without overwrite the job directory must be new: of two deliveries of one job
    // at the same time, only the one that makes it goes on.  With overwrite an
    // existing one is used.
    bool made = true;
    bool existed = false;
    try {
        existed = !MakeNewDirectory(jobDir);
    } catch (const TException&) {
        made = false;
        ClearError();
    }
    const bool taken = existed && overwrite == 0;
    if (taken) {
        SslLog(1, "delivery",
               "RCSslSet::PlotSsl: another delivery made the job directory meanwhile: " + jobDir);
    }
    // What this delivery adds, taken back when it fails: a consumer never finds a
    // job directory without its ticket, and what was there before stays.
    RCCreatedEntries created;
    if (made && !existed)
        created.AddDirectory(jobDir);
    // A link in place of the job directory could lead the files anywhere.
    if (!made || taken || !IsRealDirectory(jobDir)) {
        SslLog(1, "delivery",
               TString::Format("RCSslSet::PlotSsl could not create the target directory: %s%s%s",
                               base.c_str(), "/", name.c_str()));
        return 0;
    }

    std::uint32_t failed = 0;
    copyJob.RemoveAllSupportFiles();
    for (std::uint32_t f = 0; f < job.GetSupportFileCount(); ++f) {
        const TString file = job.GetSupportFile(f);
        if (file.IsEmpty() || !TFile::Exist(file))
            continue;
        const TString dst = JoinPath(jobDir, SafeFileName(file));
        copyJob.AddSupportFile(dst);
        failed += Deliver(file, dst, overwrite, TKind::kSupportFile, created) ? 0 : 1;
    }

    for (std::size_t i = 1; i < m_EntryList.size(); ++i) {
        const RCSslEntry& source = m_EntryList[i];
        RCSslEntry& entry = copy.m_EntryList[i];
        const bool skip = source.GetClientFileCaching() != 0 && baseDir == nullptr;
        if (!skip)
            entry.SetDirectory(jobDir);
        if (baseDir != nullptr)
            entry.SetDeleteFileAfterProcessing(1);

        if (!skip) {
            const TString fileName = SafeFileName(entry.GetName());
            if (!(fileName == entry.GetName()))
                entry.SetName(fileName);
            if (!Deliver(JoinPath(source.GetDirectory(), source.GetName()),
                         JoinPath(jobDir, fileName), overwrite, TKind::kImage, created))
                ++failed;
        }

        const std::uint32_t scanSource = source.GetScanColorProfileSource();
        if ((scanSource == 2 || scanSource == 4) && !source.GetScanColorProfileName().IsEmpty()) {
            const TString dst = JoinPath(jobDir, SafeFileName(entry.GetScanColorProfileName()));
            entry.SetScanColorProfileName(dst);
            if (!skip && !Deliver(source.GetScanColorProfileName(), dst, overwrite,
                                  TKind::kScannerProfile, created))
                ++failed;
        }
        if (source.GetPlotColorProfileSource() == 1 &&
            !source.GetPlotColorProfileName().IsEmpty()) {
            const TString dst = JoinPath(jobDir, SafeFileName(entry.GetPlotColorProfileName()));
            entry.SetPlotColorProfileName(dst);
            if (!skip && !Deliver(source.GetPlotColorProfileName(), dst, overwrite,
                                  TKind::kPlotterProfile, created))
                ++failed;
        }
        for (std::uint32_t s = 0; s < source.GetStampCount(); ++s) {
            const TString bitmap = source.GetStampBmp(s);
            if (bitmap.IsEmpty())
                continue;
            const TString dst = JoinPath(jobDir, SafeFileName(entry.GetStampBmp(s)));
            entry.SetStampBmp(s, dst);
            if (!skip && !Deliver(bitmap, dst, overwrite, TKind::kStamp, created))
                ++failed;
        }
    }

    // The SSL file is what a consumer acts on: it appears complete, after every
    // file of the job directory, and only when every one of them is there.  The
    // directories are synced first, so that after a power loss the ticket is never
    // there without its files, and again after the ticket, which makes it durable.
    const TString sslPath = JoinPath(target, name + ".ssl");
    if (failed != 0) {
        SslLog(1, "delivery",
               TString::Format("RCSslSet::PlotSsl did not write the ssl file %s: %u file(s) "
                               "could not be copied",
                               sslPath.c_str(), failed));
        created.Remove();
        return 0;
    }
    // A ticket that replaced an earlier one cannot be taken back; then the files it
    // names stay too.
    bool replacedTicket = false;
    try {
        SyncDirectory(jobDir);
        if (!existed)
            SyncDirectory(base);
        const bool ticketExisted = overwrite != 0 && EntryExists(sslPath);
        if (!WriteFileAtomically(sslPath, copy.ToString(access, version, 1).AsFileBytes(),
                                 overwrite != 0))
            ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kFileWrite, sslPath,
                          TString(std::strerror(EEXIST)));
        replacedTicket = ticketExisted;
        created.AddFile(sslPath);
        SyncDirectory(target);
    } catch (const TException&) {
        SslLog(1, "delivery",
               TString::Format("RCSslSet::PlotSsl could not write the ssl "
                               "file: %s Message is: %s",
                               sslPath.c_str(), GetErrorString().c_str()));
        ClearError();
        if (!replacedTicket)
            created.Remove();
        return 0;
    }
    if (sslPathOut != nullptr)
        *sslPathOut = sslPath;
    if (setOut != nullptr)
        *setOut = copy;
    SslLog(2, "delivery",
           "RCSslSet::PlotSsl has copy the sslname: " + sslPath + "sslDirname: " + name);
    return static_cast<std::uint32_t>(m_EntryList.size());
}

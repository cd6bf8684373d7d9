// RCSslSet::PlotSsl: delivery of a job into a job directory beside its SSL file.

#include <cerrno>
#include <cstring>
#include <optional>

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

/// Copies one file of the job through `files`; a failure is logged with the kind
/// of file and counted in `failed`.  Returns the name the file got ("" when failed).
TString Deliver(RCFileGatherer& files, const TString& source, const TString& jobDir,
                const TString& wanted, TKind kind, std::uint32_t& failed) {
    try {
        return files.Gather(source, wanted);
    } catch (const TException&) {
        SslLog(1, "delivery",
               TString::Format("RCSslSet::PlotSsl has an exception in (%s) Copy( %s , %s ) "
                               "Message is: %s",
                               KindName(kind), source.c_str(), JoinPath(jobDir, wanted).c_str(),
                               GetErrorString().c_str()));
        ClearError();
    } catch (...) {
        VemtoUnhandledException();
        ClearError();
    }
    ++failed;
    return TString();
}

/// `path` UNC-mapped, for the system calls.
TString LocalPath(TString path) {
    RCUncPath2LocalPath::UncPath2LocalPath(path, "");
    return path;
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

    // The given directories are opened once (UNC-mapped) and worked on through
    // their handles, so that one swapped for a link meanwhile leads nothing
    // elsewhere; the job directory is opened through the base's handle and must be
    // a directory itself, never a link.  The handles outlive `created`, which
    // names entries in them.
    std::optional<RCDirectory> targetHandle, baseHandle, jobHandle;
    auto cannotCreate = [&](const TString& name) {
        ClearError();
        SslLog(1, "delivery",
               TString::Format("RCSslSet::PlotSsl could not create the target directory: %s%s%s",
                               base.c_str(), "/", name.c_str()));
        return 0;
    };

    bool changed = false;
    TString name = MakeJobDirName(job.GetJobName(), changed);
    try {
        // Without a base directory the job directory is made in the target, which
        // is made like it when missing.
        if (!m_bDryRun && baseDir == nullptr && !TFile::DirExist(LocalPath(target)))
            TFile::CreateCompleteDir(LocalPath(target));
        targetHandle.emplace(LocalPath(target));
    } catch (const TException&) {
        SslLog(1, "delivery",
               TString::Format("RCSslSet::PlotSsl could not write the ssl "
                               "file: %s Message is: %s",
                               JoinPath(target, name + ".ssl").c_str(), GetErrorString().c_str()));
        ClearError();
        return 0;
    }
    try {
        if (!m_bDryRun && !TFile::DirExist(LocalPath(base)))
            TFile::CreateCompleteDir(LocalPath(base));
        baseHandle.emplace(LocalPath(base));
    } catch (const TException&) {
        return cannotCreate(name);
    }
    // The suffix becomes part of a directory name too.
    suffix = ReplaceReservedChars(suffix);
    copyJob.SetDirectory(JoinPath(base, name));
    changed = changed || !suffix.IsEmpty();
    // Without overwrite the job directory and the SSL file must be new: a name in
    // use, or taken meanwhile by another delivery of the same job, moves this one
    // on to the next number.
    bool made = false;
    for (unsigned long long counter = 1;; ++counter) {
        const TString candidate = name + suffix;
        const bool clash =
            overwrite == 0 && (baseHandle->Has(candidate) || targetHandle->Has(candidate + ".ssl"));
        if (!clash) {
            if (m_bDryRun)
                break;
            try {
                made = baseHandle->MakeDirectory(candidate);
            } catch (const TException&) {
                return cannotCreate(candidate);
            }
            if (made || overwrite != 0)
                break;
        }
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
    const TString sslName = name + ".ssl";
    const TString sslPath = JoinPath(target, sslName);
    // What this delivery adds, taken back when it fails: a consumer never finds a
    // job directory without its ticket, and what was there before stays.
    RCCreatedEntries created;
    if (made)
        created.AddDirectory(*baseHandle, name);
    try {
        if (!m_bDryRun || baseHandle->Has(name))
            jobHandle.emplace(*baseHandle, name);
    } catch (const TException&) {
        created.Remove();
        return cannotCreate(name);
    }
    RCFileGatherer files(jobHandle ? &*jobHandle : nullptr, overwrite != 0, m_bDryRun,
                         m_FileReporter, &created);

    std::uint32_t failed = 0;
    copyJob.RemoveAllSupportFiles();
    for (std::uint32_t f = 0; f < job.GetSupportFileCount(); ++f) {
        const TString file = job.GetSupportFile(f);
        if (file.IsEmpty() || !TFile::Exist(LocalPath(file)))
            continue;
        const TString got =
            Deliver(files, file, jobDir, SafeFileName(file), TKind::kSupportFile, failed);
        copyJob.AddSupportFile(JoinPath(jobDir, got.IsEmpty() ? SafeFileName(file) : got));
    }

    // Points `set` at the delivered copy of `file` (the name it got, or the name it
    // wanted when it is not copied).
    auto deliverReferenced = [&](const TString& file, bool skip, TKind kind, auto&& set) {
        const TString wanted = SafeFileName(file);
        const TString got = skip ? wanted : Deliver(files, file, jobDir, wanted, kind, failed);
        set(JoinPath(jobDir, got.IsEmpty() ? wanted : got));
    };
    for (std::size_t i = 1; i < m_EntryList.size(); ++i) {
        const RCSslEntry& source = m_EntryList[i];
        RCSslEntry& entry = copy.m_EntryList[i];
        const bool skip = source.GetClientFileCaching() != 0 && baseDir == nullptr;
        if (!skip)
            entry.SetDirectory(jobDir);
        if (baseDir != nullptr)
            entry.SetDeleteFileAfterProcessing(1);

        const TString sourcePath = JoinPath(source.GetDirectory(), source.GetName());
        if (skip) {
            files.Skip(sourcePath, sourcePath, "the client keeps it (client file caching)");
        } else {
            const TString got = Deliver(files, sourcePath, jobDir, SafeFileName(entry.GetName()),
                                        TKind::kImage, failed);
            if (!got.IsEmpty() && !(got == entry.GetName()))
                entry.SetName(got);
        }

        const std::uint32_t scanSource = source.GetScanColorProfileSource();
        if ((scanSource == 2 || scanSource == 4) && !source.GetScanColorProfileName().IsEmpty()) {
            deliverReferenced(source.GetScanColorProfileName(), skip, TKind::kScannerProfile,
                              [&](const TString& path) { entry.SetScanColorProfileName(path); });
        }
        if (source.GetPlotColorProfileSource() == 1 &&
            !source.GetPlotColorProfileName().IsEmpty()) {
            deliverReferenced(source.GetPlotColorProfileName(), skip, TKind::kPlotterProfile,
                              [&](const TString& path) { entry.SetPlotColorProfileName(path); });
        }
        for (std::uint32_t s = 0; s < source.GetStampCount(); ++s) {
            const TString bitmap = source.GetStampBmp(s);
            if (!bitmap.IsEmpty()) {
                deliverReferenced(bitmap, skip, TKind::kStamp,
                                  [&](const TString& path) { entry.SetStampBmp(s, path); });
            }
        }
    }

    // The SSL file is what a consumer acts on: it appears complete, after every
    // file of the job directory, and only when every one of them is there.  The
    // directories are synced first, so that after a power loss the ticket is never
    // there without its files, and again after the ticket, which makes it durable.
    if (failed != 0) {
        SslLog(1, "delivery",
               TString::Format("RCSslSet::PlotSsl did not write the ssl file %s: %u file(s) "
                               "could not be copied",
                               sslPath.c_str(), failed));
        created.Remove();
        return 0;
    }
    const std::string ticket = copy.ToString(access, version, 1).AsFileBytes();
    if (m_bDryRun) {
        if (m_FileReporter) {
            m_FileReporter({RSFileReport::kPlanned, TString(), sslPath,
                            targetHandle->Has(sslName) ? "would replace" : "would write"});
        }
    } else {
        // A ticket that replaced an earlier one cannot be taken back; then the files
        // it names stay too.
        bool replacedTicket = false;
        try {
            jobHandle->Sync();
            if (made)
                baseHandle->Sync();
            const bool ticketExisted = overwrite != 0 && targetHandle->Has(sslName);
            if (!WriteFileAtomically(*targetHandle, sslName, ticket, overwrite != 0))
                ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kFileWrite, sslPath,
                              TString(std::strerror(EEXIST)));
            replacedTicket = ticketExisted;
            if (!ticketExisted)
                created.AddFile(*targetHandle, sslName);
            targetHandle->Sync();
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
    }
    if (sslPathOut != nullptr)
        *sslPathOut = sslPath;
    if (setOut != nullptr)
        *setOut = copy;
    SslLog(2, "delivery",
           "RCSslSet::PlotSsl has copy the sslname: " + sslPath + "sslDirname: " + name);
    return static_cast<std::uint32_t>(m_EntryList.size());
}

// RCSslSet::GetNextCopydockJobDir and PlotCopydockJob: raw jobs handed to a queue
// consumer through numbered directories.

#include <optional>

#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TFile.h"
#include "ssl2/set/RCSslSet.h"
#include "ssl2/set/RCSslSetDelivery.h"

using namespace SslDelivery;

TString RCSslSet::GetNextCopydockJobDir(const TString& base, unsigned int create) {
    return ClaimQueueDirectory(base, create != 0);
}

std::uint32_t RCSslSet::PlotCopydockJob(const TString& dir) const {
    return PlotCopydockJob(dir, nullptr, kQueueWaitSeconds);
}

std::uint32_t RCSslSet::PlotCopydockJob(const TString& dir, TString* queueDirOut,
                                        double waitSeconds) const {
    TString jobName;
    // The queue and the claimed directory, opened once; then the record of what
    // the hand-off made, taken back when it fails, so that the queue holds no
    // directory that never gets its ".job" file.
    std::optional<RCDirectory> base, queue;
    RCCreatedEntries created;
    try {
        const RCSslSet copy(*this);
        const RCSslEntry& job = copy.GetEntry(0);
        jobName = job.GetJobName();
        if (job.GetPlotRaw() == 0)
            return 0;
        TString jobFile;
        for (std::uint32_t f = 0; f < job.GetSupportFileCount(); ++f) {
            const TString file = job.GetSupportFile(f);
            if (TFileString(file).GetExt() == ".job")
                jobFile = file;
        }
        if (jobFile.IsEmpty()) {
            SslLog(1, "delivery",
                   "RCSslSet::PlotCopydockJob(...) there was no job file in the "
                   "ssl. Job name: " +
                       jobName);
            return 0;
        }
        base.emplace(StripSeparators(dir));
        // The claim found no entry of the name under the queue's lock: it is ours.
        const TString name = ClaimQueueEntry(*base, true, waitSeconds);
        created.AddDirectory(*base, name);
        queue.emplace(*base, name);
        RCFileGatherer files(&*queue, false, false, m_FileReporter, &created);
        for (std::uint32_t f = 0; f < job.GetSupportFileCount(); ++f) {
            const TString file = job.GetSupportFile(f);
            if (TFileString(file).GetExt() != ".job")
                files.Gather(file, SafeFileName(file));
        }
        // The consumer takes the ".job" file as the sign that the directory is
        // complete: it comes last, appears whole, and only after the directories
        // are synced, so that after a power loss it is never there without the rest.
        queue->Sync();
        base->Sync();
        files.Gather(jobFile, SafeFileName(jobFile));
        queue->Sync();
        if (queueDirOut != nullptr)
            *queueDirOut = JoinPath(dir, name) + "/";
        return static_cast<std::uint32_t>(copy.Size() - 1);
    } catch (const TException&) {
        SslLog(1, "delivery",
               TString::Format("RCSslSet::PlotCopydockJob(...) got an error and didn' write the "
                               "jobticket for job: %s. Error: %s",
                               jobName.c_str(), GetErrorString().c_str()));
        ClearError();
    } catch (...) {
        VemtoUnhandledException();
        ClearError();
    }
    created.Remove();
    return 0;
}

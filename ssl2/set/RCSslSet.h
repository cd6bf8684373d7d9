// RCSslSet: one print job, an ordered list of job entries, with the SSL reader
// and writer.
//
// Entry 0 is the job entry (job-level settings); entries 1..n-1 are the file
// entries, one per printed file.  ParseSsl fills a set from an SSL ticket,
// WriteSsl/ToString write it back, ToCfg exports per-file configuration text;
// the whole-set operations answer questions about and rewrite all entries at once.
//
//   RCSslSet set;
//   if (set.ParseSsl("job.ssl", 300) > 0 && set.ParsedTilEnd()) {
//       set.GetEntry(1).SetCopies(2);
//       set.WriteSsl("out.ssl", RCAccessSsl(), SslStatement::kVersion50);
//   }
//
// Thread rules: a set is not synchronised; one thread uses a set at a time.
// Several threads may parse their own sets at once and in parallel: the reader
// keeps its state per parse and holds no process-wide lock.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "ssl2/access/RCAccessSsl.h"
#include "ssl2/base/RCMutex.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TRCMultiObjectContainer.h"
#include "ssl2/base/TString.h"
#include "ssl2/entry/RCSslEntry.h"
#include "ssl2/set/SslDiagnostic.h"
#include "ssl2/set/SslFileReport.h"
#include "ssl2/set/SslPreflight.h"

class RCSslSet;
class RCStatementInfluencingCapaRefined;

/// Runs the SSL scanner and grammar over the 8-bit file `path` into `set`:
/// 1 when the file cannot be opened, 0 otherwise whatever the grammar decided.
/// Reentrant: each call has its own scanner and grammar state, and takes the way
/// strings are unescaped from the set (ParseSsl decides it per file).
int SslParseFunction(const char* path, RCSslSet* set);
/// Runs the SSL scanner and grammar over the open 8-bit stream `input` into `set`,
/// reentrant like SslParseFunction.
void SslParseStream(std::FILE* input, RCSslSet* set);

/// One job: the job entry (index 0) and one entry per printed file, read from and
/// written as SSL, and delivered into directories.
class RCSslSet {
public:
    /// The entries, job entry first.
    using RCSslEntryList = std::vector<RCSslEntry>;

    /// The ordinal of an entry that has none yet.
    static constexpr std::uint32_t kNoOrdinal = 0xFFFFFFFF;

    /// An empty set (no entry, not even the job entry).
    RCSslSet() = default;
    /// A copy of every entry of `other`.
    RCSslSet(const RCSslSet& other) = default;
    /// Replaces every entry by a copy of those of `other`.
    RCSslSet& operator=(const RCSslSet& other) = default;
    virtual ~RCSslSet() = default;

    // --- list operations --------------------------------------------------------------
    /// The number of entries, the job entry included.
    int Size() const { return static_cast<int>(m_EntryList.size()); }
    /// 1 when the set has no entry.
    unsigned int IsEmpty() const { return m_EntryList.empty() ? 1 : 0; }
    /// Appends a copy; returns the new entry count.
    int AddEntry(const RCSslEntry& entry);
    /// Appends `entry` itself, left moved-from; returns the new entry count.
    int AddEntry(RCSslEntry&& entry);
    /// Inserts a copy before `index` (returns `index`), or appends when `index` is
    /// not below the count (returns the new entry's index).
    int InsertEntry(int index, const RCSslEntry& entry);
    /// The entry at `index`; the non-const form first numbers entries without an
    /// ordinal.  Raises "SslErrors" 0 ("m_EntryList", index, count) out of range.
    RCSslEntry& GetEntry(int index);
    /// The entry at `index`; raises "SslErrors" 0 out of range.
    const RCSslEntry& GetEntry(int index) const;
    /// The first entry with `ordinal`; raises "SslErrors" 4 when there is none.
    RCSslEntry& GetEntryByOrdinal(std::uint32_t ordinal);
    /// 1 when removed, 0 when `index` is out of range.
    unsigned int RemoveEntry(int index);
    /// 1 when the first entry with `ordinal` was removed, 0 when there is none.
    unsigned int RemoveEntryByOrdinal(std::uint32_t ordinal);
    /// Keeps at most the job entry; returns the remaining count.
    int ReduceToDefaultEntry();
    /// Drops the file entries whose PlotIt is off; returns the remaining count.
    int ApplyPlotItCommand();
    /// The job entry, then the file entries in reverse order (an empty set stays empty).
    void ReverseOrder();
    /// Non-zero: numbers every entry 0, 1, 2, ... afresh; 0: numbers only the
    /// entries without an ordinal, counting on from the last call.
    void SetOrdinals(unsigned int renumberAll);
    /// Stable sort of the file entries by statement `id` (the job entry stays first).
    void Sort(TSslStatementID id, unsigned int ascending);
    /// Sort by ordinal: the order in which the entries were added.
    void RestoreOriginalOrder() { Sort(kId_SslOrdinal, 1); }

    // --- small properties ---------------------------------------------------------------
    /// Keeps `path` when it names an existing directory, else the empty text.
    void SetSpoolPath(const TString& path);
    /// The spool directory kept by SetSpoolPath.
    const TString& GetSpoolPath() const { return m_sSpoolPath; }
    /// The file the last ParseSsl read.
    const TString& GetLastParsedFilename() const { return m_sLastParsedFilename; }
    /// Non-zero when the last parse reached and reduced "EndJob".
    unsigned int ParsedTilEnd() const { return m_bParsedTilEnd; }
    /// Sets whether the set counts as read up to "EndJob".
    void ParsedTilEnd(unsigned int value) { m_bParsedTilEnd = value != 0 ? 1 : 0; }
    /// True while a plain 8-bit file is parsed, false for the copy of a UTF-16 file
    /// (with parses on several threads: the mode of the parse that started last).
    static bool NoReEscape() { return m_staticNoReEscape; }
    /// Where the diagnostics of ParseSsl go; an empty handler restores the standard
    /// streams.
    void SetDiagnosticHandler(TSslDiagnosticHandler handler) {
        m_DiagnosticHandler = std::move(handler);
    }
    /// Where PlotSsl, NormalizeSsl, PlotCopydockJob and ToCfg report each file they
    /// handle (SslFileReport.h); an empty handler reports nowhere.
    void SetFileReporter(TFileReporter reporter) { m_FileReporter = std::move(reporter); }
    /// With `dryRun`, PlotSsl and NormalizeSsl change nothing: they report each
    /// file they would copy, replace or delete (kPlanned) and return as if done.
    void SetDryRun(bool dryRun) { m_bDryRun = dryRun; }

    // --- whole-set queries (file entries only; 0 for fewer than two entries) -----------
    /// Some file is folded.
    unsigned int IsFolded() const;
    /// Some file is folded by program number alone, without fold options.
    unsigned int IsFoldedWithOldStyle() const;
    /// Some file is DWG, DXF, VIC or DWF.
    unsigned int ContainsCadFiles() const;
    /// Some file goes to the manual output bin.
    unsigned int ContainsManual() const;
    /// OR of the colour depths of the file entries.
    std::uint32_t GetAllColorDepths() const;

    // --- whole-set rewrites ---------------------------------------------------------------
    /// Merges `entry` into every entry (nothing happens under full access).
    void MergeSettings(const RCSslEntry& entry, const RCAccessSsl& access);
    /// Merges entry by entry; surplus entries are handled by the Name and Directory
    /// access bits.
    void MergeSettings(const RCSslSet& other, const RCAccessSsl& access);
    /// Old fold programs to programs with options, for every entry.  The result counts
    /// translated entries; a failure after a success makes it negative.
    template <class Translator>
    int TranslateFoldPrograms(Translator&& translator);
    /// Programs with options back to old program numbers; the count of changed
    /// entries, negative when some entry failed.
    template <class Translator>
    int ReTranslateFoldPrograms(Translator&& translator);
    /// Nesting forces collation and single copies; 1 when something changed.
    unsigned int ApplyNestingRestrictions();
    /// A document-box job prints collated single copies with automatic media; 1 when
    /// something changed.
    unsigned int ApplyDocBoxRestrictions();
    /// Converts every length from the job's unit to millimetres (`resolution` for
    /// pixels; a pixel conversion at resolution 0 is refused and converts nothing).
    void ConvertToMm(std::uint32_t resolution);
    /// Converts every length from the job's unit to unit code `toUnit` (a pixel
    /// conversion at resolution 0 is refused and converts nothing).
    void ConvertUnit(std::uint32_t resolution, std::uint32_t toUnit);
    /// Pages of the job times the set copies (0 for an empty set).
    std::uint32_t CountPages(bool applyPageRange) const;
    /// Media length of the job in millimetres times the set copies (0 for an empty set).
    std::uint32_t CountMillimeters(bool applyPageRange) const;
    /// Chooses and stores the job's output tray; returns whether the files must be
    /// sent in reverse order (1) or not (0).
    unsigned int DecideOutputTray(std::uint32_t requestedTray, unsigned int decide);
    /// Compares the sets entry by entry (see RCSslEntry::operator==).
    RCSslEntry::RSCompReturn operator==(const RCSslSet& other) const;

    // --- preflight against plotter capabilities (rules in SslPreflight.h) ------------
    /// Every value of the job that the plotters described by `capas` cannot honour,
    /// entry by entry.
    std::vector<RSSslFinding> Preflight(const RCStatementInfluencingCapaRefined& capas) const;
    /// Replaces every value Preflight would report by the nearest one the plotters
    /// offer; returns the replacements made.
    std::vector<RSSslSubstitution> FitToCapabilities(
        const RCStatementInfluencingCapaRefined& capas);

    // --- writing ----------------------------------------------------------------------------
    /// The SSL text of the set: header line, entries, "EndJob" (empty for an empty set).
    /// Like every TString it is UTF-8; the file forms come from TString::AsFileBytes.
    TString ToString(const RCAccessSsl& access, SslStatement::TSyntaxVersion version,
                     unsigned int flattenNotes) const;
    /// The SSL text with every statement, notes as they are.
    TString ToString(SslStatement::TSyntaxVersion version) const {
        return ToString(RCAccessSsl(), version, 0);
    }
    /// Writes the text of ToString to `out` entry by entry, so that no more than one
    /// entry's text is held; errors of `out` are left in its state.
    void WriteText(std::ostream& out, const RCAccessSsl& access,
                   SslStatement::TSyntaxVersion version, unsigned int flattenNotes) const;
    /// Writes ToString(access, version, 0) to `path` as Windows-1252, the form stored
    /// tickets and peers use, or as UTF-16 with byte-order mark when a text holds a
    /// character that Windows-1252 lacks (never mixed, nothing lost).
    ///
    /// An existing ticket at `path` is replaced, and keeps its permissions; a
    /// symbolic link there is replaced itself, never written through.  The text is
    /// written to a temporary file in the same directory, synced, renamed onto
    /// `path`, and the directory synced: after a crash, a full disk or a power loss
    /// `path` holds the old ticket or the whole new one, never a part.  When the
    /// file cannot be created, written, synced or renamed the error is raised, the
    /// old file (if any) is untouched and no temporary file is left; when only the
    /// sync of the directory after the rename fails, the error is raised with the
    /// new ticket in place (it may not survive a power loss).
    void WriteSsl(const TString& path, RCAccessSsl access,
                  SslStatement::TSyntaxVersion version) const;
    /// One ".cfg" file and one copy of the data file per printed file in `directory`;
    /// returns the number of ".cfg" files, whose text is encoded as a ticket is
    /// (WriteSsl).  Each file appears whole and new: nothing
    /// there is replaced or written through; the directory is synced at the end.
    /// Every file that cannot be written or copied is logged (level 1) and the
    /// others are written; then the first such failure (or a failed sync) is raised.
    int ToCfg(const TString& directory);

    // --- reading ----------------------------------------------------------------------------
    /// Reads `fileName` into this set: UTF-16 with byte-order mark; UTF-8 with
    /// byte-order mark or valid UTF-8 throughout; any other 8-bit file as
    /// Windows-1252.  Line ends inside plotter settings strings are kept.  Returns the
    /// entry count afterwards, or -1 when the file could not be read.
    ///
    /// The set keeps at most its first entry, and the ticket is read over it: what the
    /// ticket does not say keeps that entry's value.  So a reused set carries the job
    /// settings of the previous ticket into the next one.  The lists (addresses,
    /// support files, job stamps) are replaced by the ticket's own when it names any,
    /// so reading a ticket twice gives the same set; error notes never carry over.
    /// The first entry's lengths keep their meaning when the ticket names another
    /// unit than that entry's (pixels excepted): they are converted into it first.
    /// To start clean, use a new set or empty this one (ReduceToDefaultEntry, then
    /// RemoveEntry(0)).
    int ParseSsl(const TString& fileName, std::uint32_t resolution);
    /// Reads a ticket from memory: `data` holds the bytes a ticket file would hold
    /// (8-bit, or UTF-16 with byte-order mark); `name` stands for the file name in
    /// diagnostics.  Otherwise as ParseSsl; no file is made.
    int ParseSslBuffer(const void* data, std::size_t size, const TString& name,
                       std::uint32_t resolution);
    /// Reads a ticket from a text held in memory (any character), as ParseSslBuffer.
    int ParseSslText(const TString& text, const TString& name, std::uint32_t resolution);
    /// Wraps a NUL-terminated UTF-16 SSL text (lines separated by LF) into PJL comment
    /// lines.  With `out` null: the bytes needed including the final NUL; otherwise
    /// the bytes written without the NUL.
    static std::uint32_t Ssl2EmbeddedSsl(const unsigned short* text, char* out);

    // --- constants --------------------------------------------------------------------------
    static const TString m_sBeginJob;       ///< "BeginJob"
    static const TString m_sEndJob;         ///< "EndJob"
    static const TString m_sJobName;        ///< "noname"
    static const TString m_sVersion;        ///< "Version"
    static const TString m_sActualVersion;  ///< "3.0.001"
    /// Kept for callers that serialise their own work with the reader; the reader
    /// itself no longer holds it.
    static VEMTO::RCMutex m_staticMutex;

protected:
    /// Kept for derived classes; changes nothing.
    unsigned int SubstituteDirectories() { return 0; }

private:
    friend int SslParseFunction(const char* path, RCSslSet* set);
    friend void SslParseStream(std::FILE* input, RCSslSet* set);

    /// Encodes one line (up to LF or NUL) as hex groups "LLHH " per UTF-16 unit;
    /// with `out` null, 5 bytes per unit of the whole text.
    static std::uint32_t LineSsl2EmbeddedSsl(const unsigned short* line, char* out);
    /// Writes an escaped 8-bit copy of the UTF-16 file to a new temporary file and
    /// returns its name; empty on failure.
    TString TransferUnicodeToAnsi(const TString& fileName);
    /// The unit code of the job entry's unit for RCSslEntry::ConvertUnit.
    std::uint32_t JobUnitCode() const;
    /// Hands the text of ToString to `put` in pieces, in order: the header lines, then
    /// each entry's lines, then the last line.
    void PutText(const RCAccessSsl& access, SslStatement::TSyntaxVersion version,
                 unsigned int flattenNotes,
                 const std::function<void(const std::string&)>& put) const;

    RCSslEntryList m_EntryList;
    TString m_sSpoolPath;
    TString m_sLastParsedFilename;
    std::uint32_t m_bOrdinalsSet = 0;
    std::uint32_t m_bParsedTilEnd = 0;
    std::uint32_t m_ulNextOrdinal = 0;
    TSslDiagnosticHandler m_DiagnosticHandler;
    TFileReporter m_FileReporter;
    bool m_bDryRun = false;

    /// The string mode of this set's current parse; the static copy above only
    /// reports the last mode to NoReEscape().
    bool m_bParseNoReEscape = true;
    /// The resolution that converts pixel lengths in this set's current parse.
    std::uint32_t m_nParseResolution = 0;
    static std::atomic<bool> m_staticNoReEscape;

    // --- delivery into directories (RCSslSetDelivery*.cpp, RCSslSetNormalize.cpp,
    // RCSslSetQueue.cpp).  Names from a ticket are reduced to their last path
    // component, so nothing is ever written outside the directories given.
public:
    /// Delivers the job: a job directory named after the job (in `*baseDir`, or in
    /// `targetDir` when null) receives every file the job names; the rewritten copy
    /// of the set, whose paths point there, is written as `targetDir/JOB.ssl`
    /// (atomically, last).  Returns the entry count; 0 for an empty set, when the
    /// job directory or the SSL file cannot be made, and when any file of the job
    /// could not be copied (each such failure is logged; no SSL file is written).
    /// Without `overwrite` the job directory and the SSL file must be new, so of two
    /// deliveries of one job at the same time at most one takes a name.
    ///
    /// Every file appears whole under its final name (temporary name, sync,
    /// rename), nothing is written through a symbolic link, and the directories
    /// are synced before the SSL file is written and after: after a crash or a
    /// power loss an SSL file is never there without its files.  A delivery that
    /// fails (a copy, the SSL file, a sync) takes back what it added: the files it
    /// created, the SSL file and the job directory when it made that; files that
    /// were there before stay (under `overwrite`, replaced ones keep the new
    /// contents; when only the last directory sync fails after an SSL file was
    /// replaced, the whole new delivery stays).  A process killed midway leaves at most files whose
    /// names SslDelivery::IsTemporaryName recognises and a job directory without SSL file.
    std::uint32_t PlotSsl(const TString& targetDir, RCAccessSsl access, TString suffix,
                          SslStatement::TSyntaxVersion version, TString* sslPathOut = nullptr,
                          unsigned int overwrite = 0, RCSslSet* setOut = nullptr,
                          const TString* baseDir = nullptr, unsigned int reserved = 0,
                          unsigned int keepJobName = 0);
    /// Gathers the files of the file entries (printed files, colour profiles, stamp
    /// bitmaps) into `normDir` under collision-free names and points the entries at
    /// them: two different files of one name get two names, one file named twice is
    /// copied once.  With `purge`, and only when every file was gathered, deletes
    /// the files of `normDir` that the job does not use, never the ticket the set
    /// was read from (GetLastParsedFilename) nor a file another writer is making;
    /// each deletion is reported (SetFileReporter).  Returns the errors met (empty
    /// when all went well).
    static TRCMultiObjectContainer<RCInfo> NormalizeSsl(RCSslSet* set, TString normDir,
                                                        unsigned int purge);
    /// Maps the UNC directories of the file entries and the stamp bitmaps to local
    /// paths (RCUncPath2LocalPath).
    static void UNCPaths2Locals(RCSslSet& set);
    /// Claims the next numbered directory of the queue in `base` (its "latest.num"
    /// is held exclusively meanwhile; a claimant that finds it held waits for it up
    /// to ten seconds, then raises); returns base + number + '/', made when `create`
    /// is non-zero.  The number is 64-bit and only grows.
    static TString GetNextCopydockJobDir(const TString& base, unsigned int create);
    /// Delivers a raw job into the next directory of the queue `dir`: the support
    /// files, the ".job" file last, each whole, the directory synced before the
    /// ".job" file and after.  Returns the number of file entries, 0 when nothing
    /// (or no ".job" file) was delivered.  A job without ".job" file claims no
    /// directory; a hand-off that fails removes the directory it claimed and the
    /// files it put there ("latest.num" stays advanced: a number is used once).
    std::uint32_t PlotCopydockJob(const TString& dir) const;
    /// The same, waiting up to `waitSeconds` for the queue's numbering file; the
    /// claimed directory (base + number + '/') goes to `*queueDirOut` on success.
    std::uint32_t PlotCopydockJob(const TString& dir, TString* queueDirOut,
                                  double waitSeconds) const;

private:
    /// Copies `source` into `targetDir` under a collision-free name; `newPath` is the
    /// copy, "" when the file already lies there or the copy failed (the error is
    /// the result).
    static RCInfo SslCopyFile(TString source, TString targetDir, TString& newPath);
};

template <class Translator>
int RCSslSet::TranslateFoldPrograms(Translator&& translator) {
    int counter = 0;
    for (RCSslEntry& entry : m_EntryList) {
        const auto result = entry.TranslateFoldProgram(translator);
        if (result > 0) {
            ++counter;
        } else if (result < 0 && counter > 0) {
            counter = -counter;
        }
    }
    return counter;
}

template <class Translator>
int RCSslSet::ReTranslateFoldPrograms(Translator&& translator) {
    int changed = 0;
    bool failed = false;
    for (RCSslEntry& entry : m_EntryList) {
        const auto result = entry.ReTranslateFoldProgram(translator);
        if (result != 0)
            ++changed;
        if (result < 0)
            failed = true;
    }
    return failed ? -changed : changed;
}

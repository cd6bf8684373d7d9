// RCSslEntry: the record of one level of an SSL job.
//
// An entry holds one statement of each of the 111 statement classes; an unset
// statement reads as its class default.  The statements live in a copy-on-write
// store (RCSslStatementStore.h): an entry keeps only the statements it changed
// and shares the rest with its class defaults and with the entry it was copied
// from, so a copy costs a few pointers and a file entry under 3 KiB.  Entry 0 of a
// job set is the job entry (GetIsEntry() 0: the statements before the first
// "BeginOutput"); every further entry is a file entry (GetIsEntry() 1: one print
// file).  The flag decides what the writer emits, what merging may change and what
// the flagged copy constructor copies.
//
// Callers: the job set (RCSslSet) stores entries by value, the SSL grammar fills
// them, user interfaces read and change them through the typed accessors or by
// statement identifier (Set/Get).
//
//   RCSslEntry job(0);
//   job.SetAccount("4711");
//   RCSslEntry file(job, 1);          // file-level settings of the job, no job-level ones
//   file.SetName("plan.plt");
//   TString text = job.ToString(RCAccessSsl(), SslStatement::kVersion50, 0)
//                + file.ToString(RCAccessSsl(), SslStatement::kVersion50, 0);
//
// Thread rules: an entry is a plain value without a lock; one entry must not be
// used from two threads at once.  Copies never share anything that changes, so
// copies of one entry may be used on different threads.
#pragma once

#include <cstdint>
#include <ctime>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/access/RCAccessSsl.h"
#include "ssl2/base/TPoint.h"
#include "ssl2/base/TRCMultiObjectContainer.h"
#include "ssl2/base/TString.h"
#include "ssl2/entry/RCSslStatementStore.h"

/// The record of one level of an SSL job: the job entry (entry flag 0) or one file
/// entry (1).  Holds one statement of each class, unset ones reading as the class
/// default; copies share unchanged statements.  A plain value without a lock.
class RCSslEntry {
public:
    /// The result of comparing two entries (or two job sets).
    struct RSCompReturn {
        RSCompReturn();
        ///@{
        /// Copies every field, the differences included.
        RSCompReturn(const RSCompReturn& other);
        RSCompReturn& operator=(const RSCompReturn& other);
        ///@}
        ~RSCompReturn();

        bool bEqual = true;           ///< every compared statement is equal
        bool bSameEntryCount = true;  ///< always true for two entries
        bool bSameFile = true;        ///< Directory, FileInfo, Name and Nesting are equal
        RCAccessSsl Differences;      ///< the bit of every statement that differs
    };

    /// Compares two sort keys: true when the first is smaller.
    using TSortIsSmaller = bool (*)(const SslStatement&, const SslStatement&);

    // --- construction, copying ------------------------------------------------------
    /// A file entry with every statement at its default, sorted by name, descending.
    RCSslEntry();
    /// The same with the given entry flag (0: job entry).
    explicit RCSslEntry(unsigned int isEntry);
    /// A full copy, ordinal included.
    RCSslEntry(const RCSslEntry& other);
    /// The flagged copy: file-level statements are copied from `other`; job-level
    /// statements only when `isEntry` is 0; the ordinal never.  The copy's entry
    /// flag is `isEntry`.
    RCSslEntry(const RCSslEntry& other, unsigned int isEntry);
    /// A full copy, ordinal included; the statements are shared until changed.
    RCSslEntry& operator=(const RCSslEntry& other);
    /// Moves the statements' values (a job set's list grows without copying its
    /// entries).  A moved-from entry may only be assigned to or destroyed.
    RCSslEntry(RCSslEntry&& other) noexcept;
    /// Moves the statements' values; `other` may only be assigned to or destroyed.
    RCSslEntry& operator=(RCSslEntry&& other);
    virtual ~RCSslEntry();

    // --- flag and small operations ------------------------------------------------
    ///@{
    /// The entry flag: 0 for the job entry, 1 for a file entry.  It decides what
    /// the writer emits and what merging may change; it is not a statement.
    void SetIsEntry(unsigned int isEntry) { m_bIsEntry = isEntry; }
    unsigned int GetIsEntry() const { return m_bIsEntry; }
    ///@}
    /// Kept for callers; has no effect.
    unsigned int TryToSet() { return 1; }
    /// A new default statement of the class of `id`; the caller owns it.
    static SslStatement* CreateSslObject(TSslStatementID id);
    /// Appends `text` to the error statement's value (no separator).
    void AppendError(const TString& text);
    /// The SSL text of the error statement (name, blank, quoted value).
    TString GetErrors() const;

    // --- access by identifier -------------------------------------------------------
    /// Assigns the member of `id` from `*statement`, which must be of exactly the
    /// member's class ("SslErrors" 3, logged, otherwise); a statement identical to
    /// the member leaves it shared.  Raises "SslErrors" 2 for an
    /// identifier above 110 and for the ordinal (57).  `statement` must not be null.
    void Set(TSslStatementID id, const SslStatement* statement);
    /// Assigns `*statement` from the member of `id` (ordinal included); the same
    /// class check and errors.  A null `statement` returns at once.
    void Get(TSslStatementID id, SslStatement* statement) const;
    /// The statement `id` (0 to 110) itself, for reading without a copy; valid until
    /// the entry is changed.
    const SslStatement& GetStatement(TSslStatementID id) const { return m_Statements.Get(id); }
    /// Shares again what this entry holds identical to what `source`, the entry it
    /// was made from (by a copy or the flagged copy), holds, and to the recent
    /// objects of `pool`: the reader calls it on every entry it completes, so that a
    /// value a ticket repeats is held once.  Nothing that can be read changes.
    void ShareIdenticalStatements(const RCSslEntry& source, RCSslStatementStore::RCPool& pool) {
        m_Statements.ShareIdentical(source.m_Statements, m_bIsEntry == 0, pool);
    }
    /// The statement `id` (not the ordinal) takes the object that `source` holds, shared,
    /// not copied: what the reader does for a statement it has read before.
    void ShareStatement(TSslStatementID id, const RCSslEntry& source) {
        m_Statements.Share(id, source.m_Statements);
    }

    // --- plain statements (text, number, selection) ---------------------------------
#define SSL2_ENTRY_TEXT(name, cls)                 \
    unsigned int Set##name(const TString& value) { \
        return Write<cls>().Set(value);            \
    }                                              \
    TString Get##name() const {                    \
        return Read<cls>().Get();                  \
    }
#define SSL2_ENTRY_VALUE(name, cls)               \
    unsigned int Set##name(std::uint32_t value) { \
        return Write<cls>().Set(value);           \
    }                                             \
    std::uint32_t Get##name() const {             \
        return Read<cls>().Get();                 \
    }
#include "ssl2/entry/RCSslEntryAccessors.def"
    ///@{
    /// The text of statement "UserName" (SslUserName); Set returns 1.  The getter
    /// keeps its historical name GetUserNameA.
    unsigned int SetUserName(const TString& value) {
        return Write<SslUserName>().Set(value);
    }
    TString GetUserNameA() const {
        return Read<SslUserName>().Get();
    }
    ///@}
    /// Stores the enciphered user-hash text itself.
    unsigned int SetUserHashCode(const TString& value) {
        return Write<SslUserHash>().Set(value);
    }

    // --- plotter languages: settings, pens, colour emulations -----------------------
#define SSL2_ENTRY_SETTING(prefix, cls, part, type) \
    unsigned int Set##prefix##part(type value);     \
    type Get##prefix##part() const;
#define SSL2_ENTRY_PEN(prefix, cls, part, type)                              \
    unsigned int Set##prefix##Pens##part(type value, std::uint32_t firstPen, \
                                         std::uint32_t lastPen);             \
    unsigned int Set##prefix##Pens##part(type value, std::uint32_t pen);     \
    type Get##prefix##Pens##part(std::uint32_t pen) const;
#define SSL2_ENTRY_COLOR(prefix, cls, part)                                                   \
    unsigned int Set##prefix##ColorEmulation##part(std::uint32_t value, std::uint32_t color); \
    std::uint32_t Get##prefix##ColorEmulation##part(std::uint32_t color) const;
#include "ssl2/entry/RCSslEntryPlotter.def"
    ///@{
    /// Whether the pen table of a plotter language (CalComp, HPGL, VIC) is used:
    /// any non-zero `on` switches it on; the getters return 1 or 0.
    void SetCalcompPensOn(unsigned int on);
    unsigned int GetCalcompPensOn() const;
    void SetHpglPensOn(unsigned int on);
    unsigned int GetHpglPensOn() const;
    void SetVicPensOn(unsigned int on);
    unsigned int GetVicPensOn() const;
    ///@}

    // --- fold -----------------------------------------------------------------------
    ///@{
    /// The fold program: -1 (no folding) to 1000; Set refuses others with 0.
    unsigned int SetFoldPrg(std::int32_t program);
    std::int32_t GetFoldPrg() const;
    ///@}
    ///@{
    /// The fold tray: -1 (not given) to 100; Set refuses others with 0.
    unsigned int SetFoldTray(std::int32_t tray);
    std::int32_t GetFoldTray() const;
    ///@}
    /// Replaces the fold options (bits 0 to 23).
    unsigned int SetFoldOption(std::uint32_t options);
    /// The fold options: the low 24 bits of the option word.
    std::uint32_t GetFoldOption() const;
    /// Replaces options and special options (the whole option word).
    unsigned int SetAllFoldOptions(std::uint32_t options);
    /// Whether the fold options were set (program-plus-options form).
    bool FoldOptionsWereSet() const;
    /// Clears the mark that the fold options were set.
    void FoldOptionsWereNeverSet();
    /// Old program number to program and options with a caller's translation table.
    int TranslateFoldProgram(const RCFoldPrgTranslator& table);
    /// Program and options back to an old program number.
    int ReTranslateFoldProgram(const RCFoldPrgReTranslator& table);
    /// 0 server default, 1 ignore, 2 report an error; anything else is refused.
    unsigned int SetIfFoldImpossible(std::uint32_t behavior);
    /// 0 server default, 1 ignore, 2 report an error.
    std::uint32_t GetIfFoldImpossible() const;
    ///@{
    /// SetIfFoldImpossible with 0 (server default), 1 (ignore) or 2 (report).
    void SetDefaultIfFoldImpossible();
    void SetIgnoreIfFoldImpossible();
    void SetErrorIfFoldImpossible();
    ///@}

    // --- file information -------------------------------------------------------------
    ///@{
    /// One number of the file information (SslFileInfo): the image size in pixels
    /// (dx, dy), the resolution in dots and lines per inch, the file's own copies
    /// and pages.  Any value is taken; returns 1.
    unsigned int SetFileInfoDx(std::uint32_t dx);
    unsigned int SetFileInfoDy(std::uint32_t dy);
    unsigned int SetFileInfoDpi(std::uint32_t dpi);
    unsigned int SetFileInfoLpi(std::uint32_t lpi);
    unsigned int SetFileInfoCopies(std::uint32_t copies);
    unsigned int SetFileInfoPages(std::uint32_t pages);
    ///@}
    ///@{
    /// The file's colour depth, one of SslFileInfo::m_anAllowedColorDepths; Set
    /// refuses other values with 0.
    unsigned int SetFileInfoColor(std::uint32_t colorDepth);
    std::uint32_t GetFileInfoColor() const;
    ///@}
    /// Sets size, resolution and copies; the pages become 1.
    unsigned int SetFileInfo(std::uint32_t dx, std::uint32_t dy, std::uint32_t dpi,
                             std::uint32_t lpi, std::uint32_t copies);
    /// Sets size, resolution, copies and pages; returns 1.
    unsigned int SetFileInfo(std::uint32_t dx, std::uint32_t dy, std::uint32_t dpi,
                             std::uint32_t lpi, std::uint32_t copies, std::uint32_t pages);
    ///@{
    /// Reads size, resolution, copies and (second form) pages.
    void GetFileInfo(std::uint32_t& dx, std::uint32_t& dy, std::uint32_t& dpi, std::uint32_t& lpi,
                     std::uint32_t& copies) const;
    void GetFileInfo(std::uint32_t& dx, std::uint32_t& dy, std::uint32_t& dpi, std::uint32_t& lpi,
                     std::uint32_t& copies, std::uint32_t& pages) const;
    ///@}
    /// The file's own size in millimetres, "%.1f x %.1f"; the unit is not used.
    TString GetFileSizeAsString(SslUnit::RCSslUnits unit);

    // --- job flag sheet ------------------------------------------------------------------
    ///@{
    /// Switches of the job flag sheet (SslJobFlagsheet): printed at all, with the
    /// account, with the distribution.  Set stores the value as given, returns 1.
    unsigned int SetJobFlagsheetOn(unsigned int on);
    unsigned int GetJobFlagsheetOn() const;
    unsigned int SetJobFlagsheetAccount(unsigned int on);
    unsigned int GetJobFlagsheetAccount() const;
    unsigned int SetJobFlagsheetDistribution(unsigned int on);
    unsigned int GetJobFlagsheetDistribution() const;
    ///@}
    ///@{
    /// One flag sheet per: 0 auto, 1 job, 2 set; anything else is refused with 0.
    unsigned int SetJobFlagsheetPerJob(std::uint32_t perJob);
    std::uint32_t GetJobFlagsheetPerJob() const;
    ///@}
    ///@{
    /// The flag sheet's output tray, -1 to 3; anything else is refused with 0.
    unsigned int SetJobFlagsheetOutputTray(std::int32_t tray);
    std::int32_t GetJobFlagsheetOutputTray() const;
    ///@}
    ///@{
    /// The flag sheet's input tray, -1 to 20; anything else is refused with 0.
    unsigned int SetJobFlagsheetInputTray(std::int32_t tray);
    std::int32_t GetJobFlagsheetInputTray() const;
    ///@}
    ///@{
    /// The flag sheet's fold program, -2 (automatic) to 1000; anything else is
    /// refused with 0.
    unsigned int SetJobFlagsheetFoldProgram(std::int32_t program);
    std::int32_t GetJobFlagsheetFoldProgram() const;
    ///@}
    ///@{
    /// The flag sheet's fold tray, -1 to 100; anything else is refused with 0.
    unsigned int SetJobFlagsheetFoldTray(std::int32_t tray);
    std::int32_t GetJobFlagsheetFoldTray() const;
    ///@}
    ///@{
    /// The text printed on the flag sheet; Set returns 1.
    unsigned int SetJobFlagsheetText(const TString& text);
    TString GetJobFlagsheetText() const;
    ///@}
    ///@{
    /// The flag sheet's paper size; Set returns 1.
    unsigned int SetJobFlagsheetSize(const SslSize& size);
    SslSize GetJobFlagsheetSize() const;
    ///@}

    // --- margin, sizes, media, bins, options ---------------------------------------------
    /// Side 0 top, 1 left, 2 bottom, 3 right, 4 all four.
    unsigned int SetMargin(std::uint32_t side, double value);
    /// The length of a side; -1.0 for a side above 3.
    double GetMargin(std::uint32_t side) const;
    /// 1 when a margin is set (SslMargin is on), else 0.
    unsigned int GetMarginOn() const;
    ///@{
    /// The size of the printed output (SslOutputSize), its text form; Set returns 1.
    unsigned int SetOutputSize(const SslSize& size);
    SslSize GetOutputSize() const;
    TString GetOutputSizeAsString() const;
    ///@}
    ///@{
    /// The paper size (SslPaperSize), its text form; Set returns 1.
    unsigned int SetPaperSize(const SslSize& size);
    SslSize GetPaperSize() const;
    TString GetPaperSizeAsString() const;
    ///@}
    ///@{
    /// The zoom (SslZoom) as a size; Set returns 1.
    unsigned int SetZoom(const SslSize& size);
    SslSize GetZoom() const;
    ///@}
    ///@{
    /// The media subtype, any number; Set returns 1.
    unsigned int SetMediaSubType(std::uint32_t subType);
    std::uint32_t GetMediaSubType() const;
    ///@}
    /// The user-interface text of the media type.
    TString GetMediaTypeAsString() const;
    ///@{
    /// The output bin number (SslOutputBin::SetBinNo: selects the bin; 0 and no
    /// change beyond SslOutputBin::kMaxBinNo).
    unsigned int SetOutputBinNo(std::uint32_t binNo);
    std::uint32_t GetOutputBinNo() const;
    ///@}
    ///@{
    /// The nesting options word (quantity and direction bits); Set stores any value
    /// and returns 1.
    unsigned int SetNestingOptions(std::uint32_t options);
    std::uint32_t GetNestingOptions() const;
    ///@}
    ///@{
    /// The nesting quantity: 0, 2, 4, 8 or 16; Set refuses others with 0.
    unsigned int SetNestingQuantity(std::uint32_t quantity);
    std::uint32_t GetNestingQuantity() const;
    ///@}
    ///@{
    /// The nesting direction, 0 to 15; Set refuses others with 0.
    unsigned int SetNestingDirection(std::uint32_t direction);
    std::uint32_t GetNestingDirection() const;
    ///@}
    ///@{
    /// The option bits of statement "PlotIt" (SslPlotIt); Set stores any value and
    /// returns 1.
    unsigned int SetPlotItOptions(std::uint32_t options);
    std::uint32_t GetPlotItOptions() const;
    ///@}
    ///@{
    /// The option bits of statement "PlotRaw" (SslPlotRaw); Set stores any value and
    /// returns 1.
    unsigned int SetPlotRawOptions(std::uint32_t options);
    std::uint32_t GetPlotRawOptions() const;
    ///@}

    // --- version, units, earliest plot time ------------------------------------------------
    ///@{
    /// The SSL version as text: Set reads a version number as
    /// SslVersion::SetAsString does (0 when the text holds none or is 0); Get
    /// returns the keyword ("unknown", "1.5" ... "5.0", "newer").
    unsigned int SetVersionString(const TString& version);
    TString GetVersionString() const;
    ///@}
    /// A copy of the version statement.
    SslVersion GetVersionObject() const;
    ///@{
    /// The unit of the measuring statements; Set returns 1.
    unsigned int SetUnits(const SslUnit& unit);
    unsigned int SetUnits(SslUnit::RCSslUnits unit);
    SslUnit GetUnits() const;
    ///@}
    /// "year:month:day:hour:minute".
    unsigned int SetEarliestPlotTime(const TString& time);
    ///@{
    /// The earliest plot time as a calendar time (the fields of struct tm); Set
    /// returns 0 and changes nothing when SslEarliestPlotTime refuses the time.
    unsigned int SetEarliestPlotTime(struct tm time);
    struct tm GetEarliestPlotTime() const;
    ///@}

    // --- document box, secure print ----------------------------------------------------------
    ///@{
    /// The document box's user name, the key of its password; Set returns 1.
    unsigned int SetDocumentBoxUserName(const TString& userName);
    TString GetDocumentBoxUserName() const;
    ///@}
    ///@{
    /// The name the job is stored under in the document box; Set returns 1.
    unsigned int SetDocumentBoxJobName(const TString& jobName);
    TString GetDocumentBoxJobName() const;
    ///@}
    /// Stores the enciphered password text as written in SSL.
    unsigned int SetDocumentBoxCode(const TString& code);
    ///@{
    /// The clear document-box password: Set enciphers it with the user name and
    /// switches the box on (0 and no change for a character Windows-1252 lacks);
    /// Get deciphers it, empty when the box is off.
    unsigned int SetDocumentBoxPassword(const TString& password);
    TString GetDocumentBoxPassword() const;
    ///@}
    /// Empties password, user name and job name and switches the box off.
    void SetDocumentBoxOff();
    /// 1 when the document box is on.
    unsigned int GetDocumentBoxOn() const;
    ///@{
    /// Secure print on or off; Set also empties a stored password digest, returns 1.
    unsigned int SetSecurityPrintOn(unsigned int on);
    unsigned int GetSecurityPrintOn() const;
    ///@}
    /// Stores the password digest as written in SSL.
    unsigned int SetSecurityPrintCode(const TString& code);
    /// Stores the digest of a password of at least 4 characters and switches secure
    /// print on; the empty password clears it; 1 to 3 characters are refused (0).
    unsigned int SetSecurityPrintPswd(const TString& password);
    /// True when secure print is off, or on with a password whose digest `password`
    /// has; false when on without a password.
    bool CheckSecurityPrintPswd(const TString& password) const;
    /// 1 when a secure-print password digest is stored.
    unsigned int SecurityPrintHasPswd() const;

    // --- lists ---------------------------------------------------------------------------------
    /// Appends a copy to the address list; returns the new count.
    std::uint32_t AddAddress(const SslAddress& address);
    /// Empties the address list; returns the former count.
    std::uint32_t RemoveAllAddresses();
    /// The number of addresses.
    std::uint32_t GetAddressCount() const;
    /// The address `index`; raises "SslErrors" 0 for an index not below the count.
    const SslAddress& GetAddress(std::uint32_t index) const;
    /// The address to change in place.  The reference is valid until this entry is
    /// next copied, assigned or changed otherwise (copies share unchanged statements).
    SslAddress& GetWriteableAddress(std::uint32_t index);
    ///@{
    /// The whole address statement, replaced or copied at once.
    SslAddresses GetAllAddresses() const;
    void SetAllAddresses(const SslAddresses& addresses);
    ///@}
    /// Appends a copy to the stamp list and switches stamps on; returns the new count.
    std::uint32_t AddStamp(const SslSingleStamp& stamp);
    /// Empties the stamp list and switches stamps off.
    void RemoveAllStamps();
    /// The number of stamps.
    std::uint32_t GetStampCount() const;
    /// The stamp `index`; raises "SslErrors" 0 for an index not below the count.
    const SslSingleStamp& GetStamp(std::uint32_t index) const;
    ///@{
    /// The bitmap file of stamp `index`; both raise "SslErrors" 0 for an index not
    /// below the count.  Set returns the stamp's result for the text (0: refused).
    TString GetStampBmp(std::uint32_t index) const;
    unsigned int SetStampBmp(std::uint32_t index, const TString& bmpFile);
    ///@}
    ///@{
    /// The whole stamp statement, replaced or copied at once.
    SslStamp GetAllStamps() const;
    void SetAllStamps(const SslStamp& stamps);
    ///@}
    /// Appends a support file; returns the new count.
    std::uint32_t AddSupportFile(const TString& path);
    /// Empties the support-file list; returns the former count.
    std::uint32_t RemoveAllSupportFiles();
    /// The number of support files.
    std::uint32_t GetSupportFileCount() const;
    /// The support file `index`; raises "SslErrors" 0 for an index not below the
    /// count.
    const SslSupportFile& GetSupportFile(std::uint32_t index) const;
    /// The support file to change in place; valid like GetWriteableAddress.
    SslSupportFile& GetWriteableSupportFile(std::uint32_t index);
    ///@{
    /// The whole support-file statement, replaced or copied at once.
    SslSupportFiles GetAllSupportFiles() const;
    void SetAllSupportFiles(const SslSupportFiles& supportFiles);
    ///@}
    /// The number of plotters the job names (0 when the plotter is chosen
    /// automatically).
    std::uint32_t GetJobPlotterCount() const;
    ///@{
    /// The plotter identifiers of the job (none: automatic choice); Set joins them
    /// with ":".
    TRCMultiObjectContainer<TString> GetAllJobPlotters() const;
    void SetAllJobPlotters(const TRCMultiObjectContainer<TString>& plotters);
    ///@}

    // --- whole statements ------------------------------------------------------------------------
    ///@{
    /// A copy of a whole colour or quality statement (value and flags), for callers
    /// that need more than its value.
    SslPlotColorProfileName GetPlotColorProfileNameRaw() const {
        return Read<SslPlotColorProfileName>();
    }
    SslPlotColorProfileSource GetPlotColorProfileSourceRaw() const {
        return Read<SslPlotColorProfileSource>();
    }
    SslScanColorProfileName GetScanColorProfileNameRaw() const {
        return Read<SslScanColorProfileName>();
    }
    SslScanColorProfileSource GetScanColorProfileSourceRaw() const {
        return Read<SslScanColorProfileSource>();
    }
    SslPrintQuality GetPrintQualityRaw() const {
        return Read<SslPrintQuality>();
    }
    SslRenderingIntent GetRenderingIntentRaw() const {
        return Read<SslRenderingIntent>();
    }
    ///@}

    // --- SSL writer
    // --------------------------------------------------------------------------------
    /// The SSL text of the entry in dialect `version`: the job entry's statement
    /// lines, or a file entry's "BeginOutput" ... "EndOutput" block; only statements
    /// that `access` permits.  `flattenNotes` non-zero writes every "<|>" of the job
    /// entry's notes as a blank.  Lines end in CR LF.
    TString ToString(const RCAccessSsl& access, SslStatement::TSyntaxVersion version,
                     unsigned int flattenNotes) const;
    /// The same for a file entry written after the job entry `job` in one ticket.
    /// The writer leaves out the plotter-language statements of other emulations
    /// and the settings that a settings string replaces; a file entry reads them
    /// back from `job`, a job entry from the defaults.  One that differs from what
    /// would be read back is written all the same, so that no value is lost.  The
    /// form without `job` compares with a default job entry.
    TString ToString(const RCAccessSsl& access, SslStatement::TSyntaxVersion version,
                     unsigned int flattenNotes, const RCSslEntry& job) const;
    /// The same with every statement permitted and notes unchanged; the first
    /// argument has no effect.
    TString ToString(unsigned int unused, SslStatement::TSyntaxVersion version) const;
    /// The plot-configuration fragment of a file entry; empty for the job entry and
    /// for a file that is not plotted.
    TString ToCfg() const;

    // --- merge, comparison, sorting
    // ----------------------------------------------------------------
    /// Takes over from `source` every statement whose access bit is clear; in a file
    /// entry the job-only statements are left alone.  Error, version and ordinal are
    /// never merged.
    static void MergeSettings(RCSslEntry& target, const RCSslEntry& source,
                              const RCAccessSsl& access);
    /// Compares every statement except earliest plot time, error, version and ordinal.
    RSCompReturn operator==(const RCSslEntry& other) const;
    /// Chooses the sort key by statement identifier; `ascending` 0 sorts descending.
    /// Statements without an order of their own (lists, plotter settings, sizes and
    /// the zoom among them) keep the previous key and only change the direction.
    /// Raises "SslErrors" 2 for an identifier above 110 (after the direction has
    /// changed).
    void InitCompare(TSslStatementID id, unsigned int ascending);
    /// Strict ordering by `a`'s key statement, comparison and direction: `b`
    /// contributes its statement of the same identifier.
    static bool Compare(const RCSslEntry& a, const RCSslEntry& b);
    /// Compare(*this, other): the order that InitCompare chose.
    bool operator<(const RCSslEntry& other) const {
        return Compare(*this, other);
    }

    // --- computations
    // -------------------------------------------------------------------------------
    /// Pages this file entry prints (0 for the job entry or a file not plotted);
    /// `applyPageRange` applies the page-range statement.
    std::uint32_t CountPages(bool applyPageRange) const;
    /// Media length in millimetres: pages times the longer side of the image (297
    /// when the image size is unknown).
    std::uint32_t CountMillimeters(bool applyPageRange) const;
    /// The printed image size in millimetres (x width, y height), each truncated
    /// toward zero.
    void CalculateSize(TPoint& size) const;
    /// The same size without truncation (A1 at 50 percent: 297 x 420.5).
    void CalculateSizeMm(double& width, double& height) const;
    /// Converts every measuring statement (not the zoom) between unit codes.
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution);
    /// Replaces the directory by `newBase` followed by its last path component.
    void SubstituteDirectory(const TString& newBase);
    /// The sibling spool product's job number kept in PlotOption; 0 when none.
    std::uint32_t GetJobharborJobID() const;
    /// Writes the sibling spool product's job number and network identification
    /// into PlotOption ("ZelvarinSsl" + identification + "JobID" + number), replacing
    /// its text.
    void SetJobharborJobIDAndNetworkIdentificator(std::uint32_t jobId,
                                                  const TString& networkIdentification);
    /// Stores the user hash enciphered with the current user name.
    unsigned int SetUserHashClear(const TString& clearText);
    /// The user hash deciphered with the current user name.
    TString GetUserHashClear() const;

    // --- constants
    // ---------------------------------------------------------------------------------
    static const TString m_sBeginOutput;         ///< "BeginOutput"
    static const TString m_sEndOutput;           ///< "EndOutput"
    static const TString m_sZelvarinIdentifier;  ///< "ZelvarinSsl"
    static const TString m_sZelvarinJobIDTag;    ///< "JobID"
    static const TString m_sZelvarinIDTag;       ///< "ID"

    /// The SSL text the writer uses for the statement of `id` in `version` (quotes
    /// and line breaks inside values escaped; list statements give several lines),
    /// whether or not the writer would write it.
    TString StatementText(TSslStatementID id, SslStatement::TSyntaxVersion version) const;

protected:
    /// The job plotter text as a decimal number; raises "SslErrors" 1 otherwise.
    std::uint32_t GetJobPlotterID() const;

private:
    /// The statement of class `T`, for reading (it may be shared) and for
    /// changing (made this entry's own first).
    template <class T>
    const T& Read() const {
        return m_Statements.Get<T>();
    }
    template <class T>
    T& Write() {
        return m_Statements.Modify<T>();
    }

    TSslStatementID m_nSortID;  ///< the statement that sorts entries
    TSortIsSmaller m_pfnSortIsSmaller;
    unsigned int m_bSortDescending;
    unsigned int m_bIsEntry;
    RCSslStatementStore m_Statements;
};

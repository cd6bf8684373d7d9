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

class RCSslEntry {
public:
    /// The result of comparing two entries (or two job sets).
    struct RSCompReturn {
        RSCompReturn();
        RSCompReturn(const RSCompReturn& other);
        RSCompReturn& operator=(const RSCompReturn& other);
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
    RCSslEntry& operator=(const RCSslEntry& other);
    /// Moves the statements' values (a job set's list grows without copying its
    /// entries).  A moved-from entry may only be assigned to or destroyed.
    RCSslEntry(RCSslEntry&& other) noexcept;
    RCSslEntry& operator=(RCSslEntry&& other);
    virtual ~RCSslEntry();

    // --- flag and small operations ------------------------------------------------
    void SetIsEntry(unsigned int isEntry) { m_bIsEntry = isEntry; }
    unsigned int GetIsEntry() const { return m_bIsEntry; }
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
    /// member's class ("SslErrors" 3, logged, otherwise).  Raises "SslErrors" 2 for an
    /// identifier above 110 and for the ordinal (57).  `statement` must not be null.
    void Set(TSslStatementID id, const SslStatement* statement);
    /// Assigns `*statement` from the member of `id` (ordinal included); the same
    /// class check and errors.  A null `statement` returns at once.
    void Get(TSslStatementID id, SslStatement* statement) const;
    /// The statement `id` (0 to 110) itself, for reading without a copy; valid until
    /// the entry is changed.
    const SslStatement& GetStatement(TSslStatementID id) const { return m_Statements.Get(id); }

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
    unsigned int SetUserName(const TString& value) {
        return Write<SslUserName>().Set(value);
    }
    TString GetUserNameA() const {
        return Read<SslUserName>().Get();
    }
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
    void SetCalcompPensOn(unsigned int on);
    unsigned int GetCalcompPensOn() const;
    void SetHpglPensOn(unsigned int on);
    unsigned int GetHpglPensOn() const;
    void SetVicPensOn(unsigned int on);
    unsigned int GetVicPensOn() const;

    // --- fold -----------------------------------------------------------------------
    unsigned int SetFoldPrg(std::int32_t program);
    std::int32_t GetFoldPrg() const;
    unsigned int SetFoldTray(std::int32_t tray);
    std::int32_t GetFoldTray() const;
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
    void SetDefaultIfFoldImpossible();
    void SetIgnoreIfFoldImpossible();
    void SetErrorIfFoldImpossible();

    // --- file information -------------------------------------------------------------
    unsigned int SetFileInfoDx(std::uint32_t dx);
    unsigned int SetFileInfoDy(std::uint32_t dy);
    unsigned int SetFileInfoDpi(std::uint32_t dpi);
    unsigned int SetFileInfoLpi(std::uint32_t lpi);
    unsigned int SetFileInfoCopies(std::uint32_t copies);
    unsigned int SetFileInfoPages(std::uint32_t pages);
    unsigned int SetFileInfoColor(std::uint32_t colorDepth);
    std::uint32_t GetFileInfoColor() const;
    /// Sets size, resolution and copies; the pages become 1.
    unsigned int SetFileInfo(std::uint32_t dx, std::uint32_t dy, std::uint32_t dpi,
                             std::uint32_t lpi, std::uint32_t copies);
    unsigned int SetFileInfo(std::uint32_t dx, std::uint32_t dy, std::uint32_t dpi,
                             std::uint32_t lpi, std::uint32_t copies, std::uint32_t pages);
    void GetFileInfo(std::uint32_t& dx, std::uint32_t& dy, std::uint32_t& dpi, std::uint32_t& lpi,
                     std::uint32_t& copies) const;
    void GetFileInfo(std::uint32_t& dx, std::uint32_t& dy, std::uint32_t& dpi, std::uint32_t& lpi,
                     std::uint32_t& copies, std::uint32_t& pages) const;
    /// The file's own size in millimetres, "%.1f x %.1f"; the unit is not used.
    TString GetFileSizeAsString(SslUnit::RCSslUnits unit);

    // --- job flag sheet ------------------------------------------------------------------
    unsigned int SetJobFlagsheetOn(unsigned int on);
    unsigned int GetJobFlagsheetOn() const;
    unsigned int SetJobFlagsheetAccount(unsigned int on);
    unsigned int GetJobFlagsheetAccount() const;
    unsigned int SetJobFlagsheetDistribution(unsigned int on);
    unsigned int GetJobFlagsheetDistribution() const;
    /// 0 auto, 1 job, 2 set; anything else is refused with 0.
    unsigned int SetJobFlagsheetPerJob(std::uint32_t perJob);
    std::uint32_t GetJobFlagsheetPerJob() const;
    /// -1 to 3; anything else is refused with 0.
    unsigned int SetJobFlagsheetOutputTray(std::int32_t tray);
    std::int32_t GetJobFlagsheetOutputTray() const;
    /// -1 to 20; anything else is refused with 0.
    unsigned int SetJobFlagsheetInputTray(std::int32_t tray);
    std::int32_t GetJobFlagsheetInputTray() const;
    /// -2 (automatic) to 1000; anything else is refused with 0.
    unsigned int SetJobFlagsheetFoldProgram(std::int32_t program);
    std::int32_t GetJobFlagsheetFoldProgram() const;
    /// -1 to 100; anything else is refused with 0.
    unsigned int SetJobFlagsheetFoldTray(std::int32_t tray);
    std::int32_t GetJobFlagsheetFoldTray() const;
    unsigned int SetJobFlagsheetText(const TString& text);
    TString GetJobFlagsheetText() const;
    unsigned int SetJobFlagsheetSize(const SslSize& size);
    SslSize GetJobFlagsheetSize() const;

    // --- margin, sizes, media, bins, options ---------------------------------------------
    /// Side 0 top, 1 left, 2 bottom, 3 right, 4 all four.
    unsigned int SetMargin(std::uint32_t side, double value);
    /// The length of a side; -1.0 for a side above 3.
    double GetMargin(std::uint32_t side) const;
    unsigned int GetMarginOn() const;
    unsigned int SetOutputSize(const SslSize& size);
    SslSize GetOutputSize() const;
    TString GetOutputSizeAsString() const;
    unsigned int SetPaperSize(const SslSize& size);
    SslSize GetPaperSize() const;
    TString GetPaperSizeAsString() const;
    unsigned int SetZoom(const SslSize& size);
    SslSize GetZoom() const;
    unsigned int SetMediaSubType(std::uint32_t subType);
    std::uint32_t GetMediaSubType() const;
    TString GetMediaTypeAsString() const;
    unsigned int SetOutputBinNo(std::uint32_t binNo);
    std::uint32_t GetOutputBinNo() const;
    unsigned int SetNestingOptions(std::uint32_t options);
    std::uint32_t GetNestingOptions() const;
    unsigned int SetNestingQuantity(std::uint32_t quantity);
    std::uint32_t GetNestingQuantity() const;
    unsigned int SetNestingDirection(std::uint32_t direction);
    std::uint32_t GetNestingDirection() const;
    unsigned int SetPlotItOptions(std::uint32_t options);
    std::uint32_t GetPlotItOptions() const;
    unsigned int SetPlotRawOptions(std::uint32_t options);
    std::uint32_t GetPlotRawOptions() const;

    // --- version, units, earliest plot time ------------------------------------------------
    unsigned int SetVersionString(const TString& version);
    TString GetVersionString() const;
    SslVersion GetVersionObject() const;
    unsigned int SetUnits(const SslUnit& unit);
    unsigned int SetUnits(SslUnit::RCSslUnits unit);
    SslUnit GetUnits() const;
    /// "year:month:day:hour:minute".
    unsigned int SetEarliestPlotTime(const TString& time);
    unsigned int SetEarliestPlotTime(struct tm time);
    struct tm GetEarliestPlotTime() const;

    // --- document box, secure print ----------------------------------------------------------
    unsigned int SetDocumentBoxUserName(const TString& userName);
    TString GetDocumentBoxUserName() const;
    unsigned int SetDocumentBoxJobName(const TString& jobName);
    TString GetDocumentBoxJobName() const;
    /// Stores the enciphered password text as written in SSL.
    unsigned int SetDocumentBoxCode(const TString& code);
    unsigned int SetDocumentBoxPassword(const TString& password);
    TString GetDocumentBoxPassword() const;
    void SetDocumentBoxOff();
    unsigned int GetDocumentBoxOn() const;
    unsigned int SetSecurityPrintOn(unsigned int on);
    unsigned int GetSecurityPrintOn() const;
    /// Stores the password digest as written in SSL.
    unsigned int SetSecurityPrintCode(const TString& code);
    unsigned int SetSecurityPrintPswd(const TString& password);
    bool CheckSecurityPrintPswd(const TString& password) const;
    unsigned int SecurityPrintHasPswd() const;

    // --- lists ---------------------------------------------------------------------------------
    std::uint32_t AddAddress(const SslAddress& address);
    std::uint32_t RemoveAllAddresses();
    std::uint32_t GetAddressCount() const;
    const SslAddress& GetAddress(std::uint32_t index) const;
    /// The address to change in place.  The reference is valid until this entry is
    /// next copied, assigned or changed otherwise (copies share unchanged statements).
    SslAddress& GetWriteableAddress(std::uint32_t index);
    SslAddresses GetAllAddresses() const;
    void SetAllAddresses(const SslAddresses& addresses);
    std::uint32_t AddStamp(const SslSingleStamp& stamp);
    void RemoveAllStamps();
    std::uint32_t GetStampCount() const;
    const SslSingleStamp& GetStamp(std::uint32_t index) const;
    TString GetStampBmp(std::uint32_t index) const;
    unsigned int SetStampBmp(std::uint32_t index, const TString& bmpFile);
    SslStamp GetAllStamps() const;
    void SetAllStamps(const SslStamp& stamps);
    std::uint32_t AddSupportFile(const TString& path);
    std::uint32_t RemoveAllSupportFiles();
    std::uint32_t GetSupportFileCount() const;
    const SslSupportFile& GetSupportFile(std::uint32_t index) const;
    /// The support file to change in place; valid like GetWriteableAddress.
    SslSupportFile& GetWriteableSupportFile(std::uint32_t index);
    SslSupportFiles GetAllSupportFiles() const;
    void SetAllSupportFiles(const SslSupportFiles& supportFiles);
    std::uint32_t GetJobPlotterCount() const;
    TRCMultiObjectContainer<TString> GetAllJobPlotters() const;
    void SetAllJobPlotters(const TRCMultiObjectContainer<TString>& plotters);

    // --- whole statements ------------------------------------------------------------------------
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

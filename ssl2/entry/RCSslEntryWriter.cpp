// RCSslEntry: the SSL writer of one entry and its plot-configuration fragment.
//
// What is written, in which order and under which condition is data: one table
// for the job entry and one for a file entry.  Each row names a statement, the
// dialect or string-mode condition, the file emulations it is written for and how
// its line ends.  The text of a statement is the statement's own; values that the
// reader could not read back (a double quote or a line break inside a quoted
// value) are escaped here, as '' and <|> (SslStringStatement::QuotedForm); the
// plotter-language settings strings keep their line breaks.
#include <memory>
#include <string>

#include "ssl2/base/RCUnit.h"
#include "ssl2/entry/RCSslEntry.h"

namespace {

using TSyntaxVersion = SslStatement::TSyntaxVersion;

/// When a row is written, besides its access bit.
enum TCondition : std::uint8_t {
    kAlways,
    kFrom30,          ///< "3.0" or newer
    kFrom40,          ///< "4.0" or newer
    kOnly50,          ///< "5.0"
    kBefore50,        ///< below "5.0"
    kHpglStringOff,   ///< the HPGL settings are not given as one string
    kHpglStringOn,    ///< the HPGL settings are given as one string ("5.0" only)
    kPdfStringOn,     ///< the PDF settings are given as one string ("5.0" only)
    kPsStringOn,      ///< the PS settings are given as one string ("5.0" only)
    kFrom30NotEmpty,  ///< "3.0" or newer, and the value is not empty
};

/// The file emulations for which a plotter-language row of a file entry is written.
enum TEmulation : std::uint8_t {
    kAnyEmulation,
    kCalcompEmulation,  ///< "auto" or "CalComp"
    kHpglEmulation,     ///< "auto" or "HPGL"
    kPdfEmulation,      ///< "auto" or "PDF"
    kPsEmulation,       ///< "auto" or "PS"
    kVicEmulation,      ///< "auto" or "VIC"
};

/// How a row's line ends.
enum TLineEnd : std::uint8_t {
    kAppendLineEnd,  ///< CR LF appended
    kOwnLineEnd,     ///< the statement's text carries its own line ends
    kNotesLineEnd,   ///< CR LF appended; "<|>" flattened to a blank when asked
};

struct RSWriterRow {
    TSslStatementID m_nId;
    TCondition m_nCondition;
    TEmulation m_nEmulation;
    TLineEnd m_nLineEnd;
};

constexpr RSWriterRow Row(TSslStatementID id, TCondition condition = kAlways,
                          TEmulation emulation = kAnyEmulation, TLineEnd lineEnd = kAppendLineEnd) {
    return {id, condition, emulation, lineEnd};
}

// clang-format off
/// The job entry, in writing order.
constexpr RSWriterRow kJobRows[] = {
    Row(kId_SslAccount),
    Row(kId_SslAddresses, kFrom40, kAnyEmulation, kOwnLineEnd),
    Row(kId_SslArchivReferenz),
    Row(kId_SslCalcomp, kBefore50),
    Row(kId_SslCalcompColorEmulation, kBefore50),
    Row(kId_SslCalcompPens, kBefore50),
    Row(kId_SslClientFileCaching, kFrom40),
    Row(kId_SslColorDepth, kFrom30),
    Row(kId_SslComment),
    Row(kId_SslConfirmation),
    Row(kId_SslContact, kFrom40),
    Row(kId_SslCopies),
    Row(kId_SslCopyrigth),
    Row(kId_SslCostCenter),
    Row(kId_SslCreationAppl),
    Row(kId_SslCustomer),
    Row(kId_SslCutMethod),
    Row(kId_SslDeleteAfterPlot),
    Row(kId_SslDeleteFileAfterProcessing, kFrom40),
    Row(kId_SslDeliveryDate, kFrom40),
    Row(kId_SslDeliveryMethod, kFrom40),
    Row(kId_SslDeliveryTime, kFrom40),
    Row(kId_SslDirectory),
    Row(kId_SslDistribution),
    Row(kId_SslDocumentBox),
    Row(kId_SslDryMountEdging, kFrom40),
    Row(kId_SslDryMountOn, kFrom40),
    Row(kId_SslDryMountSpecs, kFrom40),
    Row(kId_SslDryMountTrim, kFrom40),
    Row(kId_SslEarliestPlotTime),
    Row(kId_SslEdging1, kFrom40),
    Row(kId_SslEdging2, kFrom40),
    Row(kId_SslEMail),
    Row(kId_SslFileEmulation),
    Row(kId_SslFinishingInstructions, kFrom40),
    Row(kId_SslFold),
    Row(kId_SslHeaderPosition),
    Row(kId_SslHpgl, kHpglStringOff),
    Row(kId_SslHpglPens, kHpglStringOff),
    Row(kId_SslHpglColorEmulation, kHpglStringOff),
    Row(kId_SslHpglAsString, kHpglStringOn),
    Row(kId_SslImageRotated, kFrom30),
    Row(kId_SslInvert),
    Row(kId_SslJobCollate),
    Row(kId_SslJobName),
    Row(kId_SslJobFlagsheet),
    Row(kId_SslJobPlotter, kFrom40),
    Row(kId_SslJobPriority),
    Row(kId_SslJobSort, kFrom30),
    Row(kId_SslLaminateBothSides, kFrom40),
    Row(kId_SslLaminateSpecs, kFrom40),
    Row(kId_SslLaminateOn, kFrom40),
    Row(kId_SslMargin),
    Row(kId_SslMediaAsString1, kFrom40),
    Row(kId_SslMediaAsString2, kFrom40),
    Row(kId_SslMediaFeed),
    Row(kId_SslMediaPosition),
    Row(kId_SslMediaType),
    Row(kId_SslMirror),
    Row(kId_SslNesting, kFrom30),
    Row(kId_SslNotes, kAlways, kAnyEmulation, kNotesLineEnd),
    Row(kId_SslOnError),
    Row(kId_SslOperatorMode),
    Row(kId_SslOriginHost, kFrom40),
    Row(kId_SslOutputBin),
    Row(kId_SslOutputSize),
    Row(kId_SslOutputTray, kFrom30),
    Row(kId_SslPaperSize, kFrom40),
    Row(kId_SslPdfAsString, kPdfStringOn),
    Row(kId_SslPsAsString, kPsStringOn),
    Row(kId_SslPlotColorProfileName, kOnly50),
    Row(kId_SslPlotColorProfileSource, kOnly50),
    Row(kId_SslPlotIt, kFrom30),
    Row(kId_SslPlotRaw, kFrom40),
    Row(kId_SslImageContent, kFrom30),
    Row(kId_SslPlotDate, kFrom40),
    Row(kId_SslPlotOption, kFrom30, kAnyEmulation, kOwnLineEnd),
    Row(kId_SslPoNumber, kFrom40),
    Row(kId_SslPrintQuality, kOnly50),
    Row(kId_SslProject, kFrom40),
    Row(kId_SslProfil),
    Row(kId_SslReceiveDate, kFrom40),
    Row(kId_SslReimbursable, kFrom40),
    Row(kId_SslRenderingIntent, kOnly50),
    Row(kId_SslResolution, kFrom40),
    Row(kId_SslRotate),
    Row(kId_SslScanColorProfileName, kOnly50),
    Row(kId_SslScanColorProfileSource, kOnly50),
    Row(kId_SslSecurityPrint, kFrom30),
    Row(kId_SslSetCopies),
    Row(kId_SslSetDistribution, kFrom40),
    Row(kId_SslSetSplit, kFrom40),
    Row(kId_SslStamp),
    Row(kId_SslSupportFiles, kFrom40),
    Row(kId_SslTrialPrint, kFrom30),
    Row(kId_SslUnits),
    Row(kId_SslUserHash, kFrom30NotEmpty),
    Row(kId_SslUserId, kFrom30NotEmpty),
    Row(kId_SslUserName),
    Row(kId_SslVic),
    Row(kId_SslVicPens),
    Row(kId_SslVicColorEmulation),
    Row(kId_SslZoom),
};

/// A file entry, in writing order, between "BeginOutput" and "EndOutput".
constexpr RSWriterRow kFileRows[] = {
    Row(kId_SslArchivReferenz),
    Row(kId_SslCalcomp, kBefore50, kCalcompEmulation),
    Row(kId_SslCalcompColorEmulation, kBefore50, kCalcompEmulation),
    Row(kId_SslCalcompPens, kBefore50, kCalcompEmulation),
    Row(kId_SslClientFileCaching, kFrom40),
    Row(kId_SslColorDepth, kFrom30),
    Row(kId_SslComment),
    Row(kId_SslCopies),
    Row(kId_SslCutMethod),
    Row(kId_SslDeleteFileAfterProcessing, kFrom40),
    Row(kId_SslDirectory),
    Row(kId_SslFileEmulation),
    Row(kId_SslFileInfo, kFrom40),
    Row(kId_SslFold),
    Row(kId_SslHeaderPosition),
    Row(kId_SslHpgl, kHpglStringOff, kHpglEmulation),
    Row(kId_SslHpglPens, kHpglStringOff, kHpglEmulation),
    Row(kId_SslHpglColorEmulation, kHpglStringOff, kHpglEmulation),
    Row(kId_SslHpglAsString, kHpglStringOn, kHpglEmulation),
    Row(kId_SslImageRotated, kFrom30),
    Row(kId_SslInvert),
    Row(kId_SslMargin),
    Row(kId_SslMediaFeed),
    Row(kId_SslMediaPosition),
    Row(kId_SslMediaType),
    Row(kId_SslMirror),
    Row(kId_SslName),
    Row(kId_SslNotes),
    Row(kId_SslOrigDirectory, kFrom30),
    Row(kId_SslOrigName, kFrom30),
    Row(kId_SslOutputBin),
    Row(kId_SslPageRange, kFrom40),
    Row(kId_SslOutputSize),
    Row(kId_SslPaperSize, kFrom40),
    Row(kId_SslPrintQuality, kOnly50),
    Row(kId_SslPdfAsString, kPdfStringOn, kPdfEmulation),
    Row(kId_SslPsAsString, kPsStringOn, kPsEmulation),
    Row(kId_SslPlotColorProfileName, kOnly50),
    Row(kId_SslPlotColorProfileSource, kOnly50),
    Row(kId_SslPlotIt, kFrom30),
    Row(kId_SslPlotRaw, kFrom40),
    Row(kId_SslImageContent, kFrom30),
    Row(kId_SslResolution, kFrom40),
    Row(kId_SslRenderingIntent, kOnly50),
    Row(kId_SslRotate),
    Row(kId_SslScanColorProfileName, kOnly50),
    Row(kId_SslScanColorProfileSource, kOnly50),
    Row(kId_SslStamp),
    Row(kId_SslVic, kAlways, kVicEmulation),
    Row(kId_SslVicPens, kAlways, kVicEmulation),
    Row(kId_SslVicColorEmulation, kAlways, kVicEmulation),
    Row(kId_SslZoom),
};
// clang-format on

/// Indices of SslFileEmulation that select one plotter language.
enum : std::uint32_t {
    kFileEmulationAuto = 0,
    kFileEmulationHpgl = 6,
    kFileEmulationCalcomp = 7,
    kFileEmulationPs = 9,
    kFileEmulationPdf = 11,
    kFileEmulationVic = 22,
};

/// The conditions of one writing, evaluated once per call.
struct RSWriterState {
    TSyntaxVersion m_nVersion;
    bool m_bHpglString;
    bool m_bPdfString;
    bool m_bPsString;
    std::uint32_t m_nEmulation;
};

bool EmulationAllows(TEmulation emulation, std::uint32_t fileEmulation) {
    static constexpr std::uint32_t kLanguage[] = {kFileEmulationAuto, kFileEmulationCalcomp,
                                                  kFileEmulationHpgl, kFileEmulationPdf,
                                                  kFileEmulationPs,   kFileEmulationVic};
    return emulation == kAnyEmulation || fileEmulation == kFileEmulationAuto ||
           fileEmulation == kLanguage[emulation];
}

/// The statement family of each identifier: whether its value is one quoted text.
enum TFamily : std::uint8_t { STRING, COMPOUND, NUMBER, SELECTION, SELECTION_OPTION, STRUCTURED };
constexpr TFamily kFamilies[kSslStatementCount] = {
#define SSL2_STATEMENT(id, cls, name, family, type, member) family,
#include "ssl2/SSLStatements/SslStatementTable.def"
};

// The free texts of the structured statements below are single-line values.
bool NeedsEscape(const TString& text) {
    return SslStringStatement::NeedsQuotedForm(text);
}

TString Escape(const TString& text) {
    return SslStringStatement::QuotedForm(text);
}

/// The SSL text of a statement whose value is one text, with that text in its
/// quoted form.  A plotter-language settings string keeps its line breaks (the
/// reader takes it across lines).  The escaped text goes into a copy without the
/// side effects of Set, so the written line keeps every flag of the statement.
template <class Family>
TString QuotedStatementText(const Family& statement, bool keepLineBreaks) {
    const TString value = statement.Get();
    if (!SslStringStatement::NeedsQuotedForm(value, keepLineBreaks)) {
        return statement.ToString();
    }
    std::unique_ptr<SslStatement> copy(statement.Clone());
    static_cast<Family&>(*copy).SetTextOnly(SslStringStatement::QuotedForm(value, keepLineBreaks));
    return copy->ToString();
}

// The structured statements that hold free texts in quotes: whether one of their
// texts needs escaping, and escaping them all (on a copy that is only written).
bool HasUnsafeText(const SslDocumentBox& box) {
    return NeedsEscape(box.GetUserNameA()) || NeedsEscape(box.GetJobName());
}
void EscapeTexts(SslDocumentBox& box) {
    box.SetUserName(Escape(box.GetUserNameA()));
    box.SetJobName(Escape(box.GetJobName()));
}

bool HasUnsafeText(const SslJobFlagsheet& sheet) {
    return NeedsEscape(sheet.GetText());
}
void EscapeTexts(SslJobFlagsheet& sheet) {
    sheet.SetText(Escape(sheet.GetText()));
}

bool HasUnsafeText(const SslAddresses& addresses) {
    for (const SslAddress& address : addresses.GetAddressList()) {
#define SSL2_ADDRESS_FIELD(accessor, field, key, member) \
    if (NeedsEscape(address.Get##accessor())) {          \
        return true;                                     \
    }
#include "ssl2/SSLStatements/SslAddressFields.def"
    }
    return false;
}
void EscapeTexts(SslAddresses& addresses) {
    for (std::uint32_t i = 0; i < addresses.GetArrayCount(); ++i) {
        SslAddress& address = addresses.GetAddress(i);
#define SSL2_ADDRESS_FIELD(accessor, field, key, member) \
    address.Set##accessor(Escape(address.Get##accessor()));
#include "ssl2/SSLStatements/SslAddressFields.def"
    }
}

bool HasUnsafeText(const SslSupportFiles& files) {
    for (const SslSupportFile& file : files.GetSupportFileList()) {
        if (NeedsEscape(file)) {
            return true;
        }
    }
    return false;
}
void EscapeTexts(SslSupportFiles& files) {
    for (std::uint32_t i = 0; i < files.GetSupportFileCount(); ++i) {
        SslSupportFile& file = files.GetSupportFile(i);
        static_cast<TString&>(file) = Escape(file);
    }
}

/// The text `write` gives of `statement`, or of an escaped copy when one of its
/// quoted texts holds a double quote or a line break.
template <class Statement, class Write>
TString SafeText(const Statement& statement, Write write) {
    if (!HasUnsafeText(statement)) {
        return write(statement);
    }
    Statement copy(statement);
    EscapeTexts(copy);
    return write(copy);
}

template <class Statement>
TString SafeText(const Statement& statement) {
    return SafeText(statement, [](const Statement& s) { return s.ToString(); });
}

/// The value of a text statement, for the rows that skip empty values.
TString TextValue(const SslStatement& statement) {
    return static_cast<const SslStringStatement&>(statement).Get();
}

}  // namespace

TString RCSslEntry::StatementText(TSslStatementID id, TSyntaxVersion version) const {
    const unsigned int upTo15 = version <= SslStatement::kVersion15 ? 1 : 0;
    const unsigned int is50 = version == SslStatement::kVersion50 ? 1 : 0;
    switch (id) {
        case kId_SslFold:
            return Read<SslFold>().ToString(upTo15);
        case kId_SslJobPriority:
            return Read<SslJobPriority>().ToString(upTo15);
        case kId_SslMediaType:
            return Read<SslMediaType>().ToString(is50);
        case kId_SslStamp:
            return Read<SslStamp>().ToString(is50);
        case kId_SslFileInfo:
            return Read<SslFileInfo>().ToString(is50);
        case kId_SslOutputSize:
            return Read<SslOutputSize>().ToString(version >= SslStatement::kVersion40 ? 1u : 0u);
        case kId_SslPaperSize:
            return Read<SslPaperSize>().ToString(1u);
        case kId_SslPlotIt:
            return version >= SslStatement::kVersion40 ? Read<SslPlotIt>().ToStringAutoOption()
                                                       : Read<SslPlotIt>().ToStringNoOption();
        case kId_SslPlotRaw:
            return Read<SslPlotRaw>().ToStringAutoOption();
        case kId_SslDocumentBox:
            return SafeText(Read<SslDocumentBox>());
        case kId_SslJobFlagsheet:
            return SafeText(Read<SslJobFlagsheet>());
        case kId_SslAddresses:
            return SafeText(Read<SslAddresses>());
        case kId_SslSupportFiles:
            return SafeText(Read<SslSupportFiles>());
        default:
            break;
    }
    const SslStatement& statement = m_Statements.Get(id);
    switch (kFamilies[id]) {
        case STRING:
            return QuotedStatementText(static_cast<const SslStringStatement&>(statement), false);
        case COMPOUND:
            return QuotedStatementText(static_cast<const SslCompoundStringStatement&>(statement),
                                       true);
        default:
            return statement.ToString();
    }
}

TString RCSslEntry::ToString(const RCAccessSsl& access, TSyntaxVersion version,
                             unsigned int flattenNotes) const {
    return ToString(access, version, flattenNotes, RCSslEntry(0));
}

TString RCSslEntry::ToString(const RCAccessSsl& access, TSyntaxVersion version,
                             unsigned int flattenNotes, const RCSslEntry& job) const {
    // Vemto, the library's own length unit, has no word in the ticket language: an
    // entry in vemto is written in millimetres.
    if (Read<SslUnits>().Get().Get() == SslUnit::kVemto) {
        RCSslEntry inMm(*this);
        inMm.ConvertUnit(RCUnit::kVemto, RCUnit::kMm, 0);
        return inMm.ToString(access, version, flattenNotes, job);
    }
    const bool is50 = version == SslStatement::kVersion50;
    const RSWriterState state{version, is50 && !Read<SslHpglAsString>().Get().IsEmpty(),
                              is50 && !Read<SslPdfAsString>().Get().IsEmpty(),
                              is50 && !Read<SslPsAsString>().Get().IsEmpty(),
                              Read<SslFileEmulation>().Get()};

    // With `anyMode`, the rows held back for the file's emulation or the entry's
    // string modes alone count as written: the dialect and access still decide.
    const auto applies = [&](const RSWriterRow& row, bool anyMode) {
        if (!access.GetAccess(row.m_nId) ||
            (!anyMode && !EmulationAllows(row.m_nEmulation, state.m_nEmulation))) {
            return false;
        }
        switch (row.m_nCondition) {
            case kAlways:
                return true;
            case kFrom30:
                return version >= SslStatement::kVersion30;
            case kFrom40:
                return version >= SslStatement::kVersion40;
            case kOnly50:
                return is50;
            case kBefore50:
                return !is50;
            case kHpglStringOff:
                return !state.m_bHpglString || anyMode;
            case kHpglStringOn:
                return state.m_bHpglString || (anyMode && is50);
            case kPdfStringOn:
                return state.m_bPdfString || (anyMode && is50);
            case kPsStringOn:
                return state.m_bPsString || (anyMode && is50);
            case kFrom30NotEmpty:
                return version >= SslStatement::kVersion30 &&
                       !TextValue(m_Statements.Get(row.m_nId)).IsEmpty();
        }
        return false;
    };

    std::string out;
    out.reserve(20000);
    // An entry that leaves out a statement reads back with the value it starts
    // from (a file entry the job entry's, the job entry the default), so a
    // plotter-language statement held back by the file's emulation or a string mode
    // is written all the same when it differs from that value.
    const auto inheritedDiffers = [&](TSslStatementID id) {
        const SslStatement& own = m_Statements.Get(id);
        const SslStatement& inherited = job.m_Statements.Get(id);
        return &own != &inherited && own != inherited;
    };
    const auto write = [&](const RSWriterRow& row) {
        if (!applies(row, false) && (!applies(row, true) || !inheritedDiffers(row.m_nId))) {
            return;
        }
        TString text = StatementText(row.m_nId, version);
        if (row.m_nLineEnd == kNotesLineEnd && flattenNotes != 0) {
            text.Replace("<|>", " ");
        }
        out += text.str();
        if (row.m_nLineEnd != kOwnLineEnd) {
            out += "\r\n";
        }
    };

    if (m_bIsEntry == 0) {
        for (const RSWriterRow& row : kJobRows) {
            write(row);
        }
        return TString(std::move(out));
    }
    out += m_sBeginOutput.str();
    out += "\r\n";
    for (const RSWriterRow& row : kFileRows) {
        write(row);
    }
    out += m_sEndOutput.str();
    out += "\r\n";
    return TString(std::move(out));
}

TString RCSslEntry::ToString(unsigned int /*unused*/, TSyntaxVersion version) const {
    return ToString(RCAccessSsl(), version, 0);
}

TString RCSslEntry::ToCfg() const {
    if (m_bIsEntry == 0 || Read<SslPlotIt>().Get() == 0) {
        return {};
    }
    TString cfg;
    cfg += Read<SslCalcomp>().ToCfg();
    cfg += Read<SslCopies>().ToCfg();
    cfg += Read<SslCutMethod>().ToCfg();
    cfg += Read<SslEMail>().ToCfg();
    cfg += Read<SslHpgl>().ToCfg();
    cfg += Read<SslInvert>().ToCfg();
    cfg += Read<SslJobCollate>().ToCfg();
    cfg += Read<SslMargin>().ToCfg();
    cfg += "\r\n";
    cfg += Read<SslMediaPosition>().ToCfg();
    cfg += Read<SslMediaType>().ToCfg();
    cfg += Read<SslMirror>().ToCfg();
    cfg += Read<SslOutputBin>().ToCfg();
    cfg += Read<SslRotate>().ToCfg();
    cfg += Read<SslOutputSize>().ToCfg();
    if (Read<SslOutputSize>().Get().GetSizeType() == 0) {
        cfg += Read<SslZoom>().ToCfg();
    } else {
        // A fixed output size is not scaled a second time: a default zoom of size
        // type 0 writes nothing.
        SslZoom zoom;
        SslSize size = zoom.Get();
        size.SetSizeType(0);
        zoom.Set(size);
        cfg += zoom.ToCfg();
    }
    cfg += "\r\n";
    cfg += Read<SslHpglColorEmulation>().ToCfg();
    cfg += "\r\n";
    cfg += Read<SslHpglPens>().ToCfg();
    return cfg;
}

// RCSslEntry: the typed accessors of the structured statements.  Each forwards to
// one operation of one statement member and touches nothing else.
#include "ssl2/entry/RCSslEntry.h"

namespace {

/// Whether `value` lies in [low, high].
constexpr bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

}  // namespace

// --- plotter languages ----------------------------------------------------------------------
#define SSL2_ENTRY_SETTING(prefix, cls, part, type)          \
    unsigned int RCSslEntry::Set##prefix##part(type value) { \
        return m_##cls.Set##part(value);                     \
    }                                                        \
    type RCSslEntry::Get##prefix##part() const {             \
        return m_##cls.Get##part();                          \
    }
#define SSL2_ENTRY_PEN(prefix, cls, part, type)                                          \
    unsigned int RCSslEntry::Set##prefix##Pens##part(type value, std::uint32_t firstPen, \
                                                     std::uint32_t lastPen) {            \
        return m_##cls.Set##part(value, firstPen, lastPen);                              \
    }                                                                                    \
    unsigned int RCSslEntry::Set##prefix##Pens##part(type value, std::uint32_t pen) {    \
        return m_##cls.Set##part(value, pen, pen);                                       \
    }                                                                                    \
    type RCSslEntry::Get##prefix##Pens##part(std::uint32_t pen) const {                  \
        return m_##cls.Get##part(pen);                                                   \
    }
#define SSL2_ENTRY_COLOR(prefix, cls, part)                                                  \
    unsigned int RCSslEntry::Set##prefix##ColorEmulation##part(std::uint32_t value,          \
                                                               std::uint32_t color) {        \
        return m_##cls.Set##part(value, color);                                              \
    }                                                                                        \
    std::uint32_t RCSslEntry::Get##prefix##ColorEmulation##part(std::uint32_t color) const { \
        return m_##cls.Get##part(color);                                                     \
    }
#include "ssl2/entry/RCSslEntryPlotter.def"

void RCSslEntry::SetCalcompPensOn(unsigned int on) {
    m_SslCalcompPens.SetOn(on ? 1 : 0);
}
unsigned int RCSslEntry::GetCalcompPensOn() const {
    return m_SslCalcompPens.GetOn();
}
void RCSslEntry::SetHpglPensOn(unsigned int on) {
    m_SslHpglPens.SetOn(on ? 1 : 0);
}
unsigned int RCSslEntry::GetHpglPensOn() const {
    return m_SslHpglPens.GetOn();
}
void RCSslEntry::SetVicPensOn(unsigned int on) {
    m_SslVicPens.SetOn(on ? 1 : 0);
}
unsigned int RCSslEntry::GetVicPensOn() const {
    return m_SslVicPens.GetOn();
}

// --- fold -------------------------------------------------------------------------------------
unsigned int RCSslEntry::SetFoldPrg(std::int32_t program) {
    return m_SslFold.SetPrg(program);
}
std::int32_t RCSslEntry::GetFoldPrg() const {
    return m_SslFold.GetPrg();
}
unsigned int RCSslEntry::SetFoldTray(std::int32_t tray) {
    return m_SslFold.SetTray(tray);
}
std::int32_t RCSslEntry::GetFoldTray() const {
    return m_SslFold.GetTray();
}
unsigned int RCSslEntry::SetFoldOption(std::uint32_t options) {
    return m_SslFold.SetOptions(options);
}
std::uint32_t RCSslEntry::GetFoldOption() const {
    return m_SslFold.GetOptions() & 0xFFFFFFu;
}
unsigned int RCSslEntry::SetAllFoldOptions(std::uint32_t options) {
    return m_SslFold.SetAllOptions(options);
}
bool RCSslEntry::FoldOptionsWereSet() const {
    return m_SslFold.GetOptionsSet();
}
void RCSslEntry::FoldOptionsWereNeverSet() {
    m_SslFold.ResetOptionsSet();
}
int RCSslEntry::TranslateFoldProgram(const RCFoldPrgTranslator& table) {
    return m_SslFold.Translate(table);
}
int RCSslEntry::ReTranslateFoldProgram(const RCFoldPrgReTranslator& table) {
    return m_SslFold.ReTranslate(table);
}
unsigned int RCSslEntry::SetIfFoldImpossible(std::uint32_t behavior) {
    return m_SslFold.SetIfFoldImpossible(behavior);
}
std::uint32_t RCSslEntry::GetIfFoldImpossible() const {
    return m_SslFold.GetIfFoldImpossible();
}
void RCSslEntry::SetDefaultIfFoldImpossible() {
    m_SslFold.SetDefaultIfFoldImpossible();
}
void RCSslEntry::SetIgnoreIfFoldImpossible() {
    m_SslFold.SetIgnoreIfFoldImpossible();
}
void RCSslEntry::SetErrorIfFoldImpossible() {
    m_SslFold.SetErrorIfFoldImpossible();
}

// --- file information ---------------------------------------------------------------------------
unsigned int RCSslEntry::SetFileInfoDx(std::uint32_t dx) {
    return m_SslFileInfo.SetSizeDx(dx);
}
unsigned int RCSslEntry::SetFileInfoDy(std::uint32_t dy) {
    return m_SslFileInfo.SetSizeDy(dy);
}
unsigned int RCSslEntry::SetFileInfoDpi(std::uint32_t dpi) {
    return m_SslFileInfo.SetResolutionDx(dpi);
}
unsigned int RCSslEntry::SetFileInfoLpi(std::uint32_t lpi) {
    return m_SslFileInfo.SetResolutionDy(lpi);
}
unsigned int RCSslEntry::SetFileInfoCopies(std::uint32_t copies) {
    return m_SslFileInfo.SetCopies(copies);
}
unsigned int RCSslEntry::SetFileInfoPages(std::uint32_t pages) {
    return m_SslFileInfo.SetPages(pages);
}
unsigned int RCSslEntry::SetFileInfoColor(std::uint32_t colorDepth) {
    return m_SslFileInfo.SetColorDepth(colorDepth);
}
std::uint32_t RCSslEntry::GetFileInfoColor() const {
    return m_SslFileInfo.GetColorDepth();
}
unsigned int RCSslEntry::SetFileInfo(std::uint32_t dx, std::uint32_t dy, std::uint32_t dpi,
                                     std::uint32_t lpi, std::uint32_t copies) {
    return SetFileInfo(dx, dy, dpi, lpi, copies, 1);
}
unsigned int RCSslEntry::SetFileInfo(std::uint32_t dx, std::uint32_t dy, std::uint32_t dpi,
                                     std::uint32_t lpi, std::uint32_t copies, std::uint32_t pages) {
    m_SslFileInfo.SetSizeDx(dx);
    m_SslFileInfo.SetSizeDy(dy);
    m_SslFileInfo.SetResolutionDx(dpi);
    m_SslFileInfo.SetResolutionDy(lpi);
    m_SslFileInfo.SetCopies(copies);
    m_SslFileInfo.SetPages(pages);
    return 1;
}
void RCSslEntry::GetFileInfo(std::uint32_t& dx, std::uint32_t& dy, std::uint32_t& dpi,
                             std::uint32_t& lpi, std::uint32_t& copies) const {
    dx = m_SslFileInfo.GetSizeDx();
    dy = m_SslFileInfo.GetSizeDy();
    dpi = m_SslFileInfo.GetResolutionDx();
    lpi = m_SslFileInfo.GetResolutionDy();
    copies = m_SslFileInfo.GetCopies();
}
void RCSslEntry::GetFileInfo(std::uint32_t& dx, std::uint32_t& dy, std::uint32_t& dpi,
                             std::uint32_t& lpi, std::uint32_t& copies,
                             std::uint32_t& pages) const {
    GetFileInfo(dx, dy, dpi, lpi, copies);
    pages = m_SslFileInfo.GetPages();
}

// --- job flag sheet
// -------------------------------------------------------------------------------
unsigned int RCSslEntry::SetJobFlagsheetOn(unsigned int on) {
    m_SslJobFlagsheet.SetOn(on);
    return 1;
}
unsigned int RCSslEntry::GetJobFlagsheetOn() const {
    return m_SslJobFlagsheet.GetOn();
}
unsigned int RCSslEntry::SetJobFlagsheetAccount(unsigned int on) {
    m_SslJobFlagsheet.SetAccount(on);
    return 1;
}
unsigned int RCSslEntry::GetJobFlagsheetAccount() const {
    return m_SslJobFlagsheet.GetAccount();
}
unsigned int RCSslEntry::SetJobFlagsheetDistribution(unsigned int on) {
    m_SslJobFlagsheet.SetDistribution(on);
    return 1;
}
unsigned int RCSslEntry::GetJobFlagsheetDistribution() const {
    return m_SslJobFlagsheet.GetDistribution();
}
unsigned int RCSslEntry::SetJobFlagsheetPerJob(std::uint32_t perJob) {
    if (perJob > 2) {
        return 0;
    }
    m_SslJobFlagsheet.SetPerJob(perJob);
    return 1;
}
std::uint32_t RCSslEntry::GetJobFlagsheetPerJob() const {
    return m_SslJobFlagsheet.GetPerJob();
}
unsigned int RCSslEntry::SetJobFlagsheetOutputTray(std::int32_t tray) {
    if (!InRange(tray, -1, 3)) {
        return 0;
    }
    m_SslJobFlagsheet.SetOutputTray(tray);
    return 1;
}
std::int32_t RCSslEntry::GetJobFlagsheetOutputTray() const {
    return m_SslJobFlagsheet.GetOutputTray();
}
unsigned int RCSslEntry::SetJobFlagsheetInputTray(std::int32_t tray) {
    if (!InRange(tray, -1, 20)) {
        return 0;
    }
    m_SslJobFlagsheet.SetInputTray(tray);
    return 1;
}
std::int32_t RCSslEntry::GetJobFlagsheetInputTray() const {
    return m_SslJobFlagsheet.GetInputTray();
}
unsigned int RCSslEntry::SetJobFlagsheetFoldProgram(std::int32_t program) {
    if (!InRange(program, -2, 1000)) {
        return 0;
    }
    m_SslJobFlagsheet.SetFoldProgram(program);
    return 1;
}
std::int32_t RCSslEntry::GetJobFlagsheetFoldProgram() const {
    return m_SslJobFlagsheet.GetFoldProgram();
}
unsigned int RCSslEntry::SetJobFlagsheetFoldTray(std::int32_t tray) {
    if (!InRange(tray, -1, 100)) {
        return 0;
    }
    m_SslJobFlagsheet.SetFoldTray(tray);
    return 1;
}
std::int32_t RCSslEntry::GetJobFlagsheetFoldTray() const {
    return m_SslJobFlagsheet.GetFoldTray();
}
unsigned int RCSslEntry::SetJobFlagsheetText(const TString& text) {
    m_SslJobFlagsheet.SetText(text);
    return 1;
}
TString RCSslEntry::GetJobFlagsheetText() const {
    return m_SslJobFlagsheet.GetText();
}
unsigned int RCSslEntry::SetJobFlagsheetSize(const SslSize& size) {
    m_SslJobFlagsheet.SetSize(size);
    return 1;
}
SslSize RCSslEntry::GetJobFlagsheetSize() const {
    return m_SslJobFlagsheet.GetSize();
}

// --- margin, sizes, media, bins, options
// ----------------------------------------------------------
unsigned int RCSslEntry::SetMargin(std::uint32_t side, double value) {
    return m_SslMargin.Set(side, value);
}
double RCSslEntry::GetMargin(std::uint32_t side) const {
    return m_SslMargin.Get(side);
}
unsigned int RCSslEntry::GetMarginOn() const {
    return m_SslMargin.GetOn();
}
unsigned int RCSslEntry::SetOutputSize(const SslSize& size) {
    m_SslOutputSize.Set(size);
    return 1;
}
SslSize RCSslEntry::GetOutputSize() const {
    return m_SslOutputSize.Get();
}
TString RCSslEntry::GetOutputSizeAsString() const {
    return m_SslOutputSize.GetAsString();
}
unsigned int RCSslEntry::SetPaperSize(const SslSize& size) {
    m_SslPaperSize.Set(size);
    return 1;
}
SslSize RCSslEntry::GetPaperSize() const {
    return m_SslPaperSize.Get();
}
TString RCSslEntry::GetPaperSizeAsString() const {
    return m_SslPaperSize.GetAsString();
}
unsigned int RCSslEntry::SetZoom(const SslSize& size) {
    m_SslZoom.Set(size);
    return 1;
}
SslSize RCSslEntry::GetZoom() const {
    return m_SslZoom.Get();
}
unsigned int RCSslEntry::SetMediaSubType(std::uint32_t subType) {
    return m_SslMediaType.SetSubType(subType);
}
std::uint32_t RCSslEntry::GetMediaSubType() const {
    return m_SslMediaType.GetSubType();
}
TString RCSslEntry::GetMediaTypeAsString() const {
    return m_SslMediaType.GetAsString();
}
unsigned int RCSslEntry::SetOutputBinNo(std::uint32_t binNo) {
    return m_SslOutputBin.SetBinNo(binNo);
}
std::uint32_t RCSslEntry::GetOutputBinNo() const {
    return m_SslOutputBin.GetBinNo();
}
unsigned int RCSslEntry::SetNestingOptions(std::uint32_t options) {
    return m_SslNesting.SetOptions(options);
}
std::uint32_t RCSslEntry::GetNestingOptions() const {
    return m_SslNesting.GetOptions();
}
unsigned int RCSslEntry::SetNestingQuantity(std::uint32_t quantity) {
    return m_SslNesting.SetQuantity(quantity);
}
std::uint32_t RCSslEntry::GetNestingQuantity() const {
    return m_SslNesting.GetQuantity();
}
unsigned int RCSslEntry::SetNestingDirection(std::uint32_t direction) {
    return m_SslNesting.SetDirection(direction);
}
std::uint32_t RCSslEntry::GetNestingDirection() const {
    return m_SslNesting.GetDirection();
}
unsigned int RCSslEntry::SetPlotItOptions(std::uint32_t options) {
    return m_SslPlotIt.SetOptions(options);
}
std::uint32_t RCSslEntry::GetPlotItOptions() const {
    return m_SslPlotIt.GetOptions();
}
unsigned int RCSslEntry::SetPlotRawOptions(std::uint32_t options) {
    return m_SslPlotRaw.SetOptions(options);
}
std::uint32_t RCSslEntry::GetPlotRawOptions() const {
    return m_SslPlotRaw.GetOptions();
}

// --- version, units, earliest plot time
// ---------------------------------------------------------------
unsigned int RCSslEntry::SetVersionString(const TString& version) {
    return m_SslVersion.SetAsString(version);
}
TString RCSslEntry::GetVersionString() const {
    return m_SslVersion.GetAsString();
}
SslVersion RCSslEntry::GetVersionObject() const {
    return m_SslVersion;
}
unsigned int RCSslEntry::SetUnits(const SslUnit& unit) {
    m_SslUnits.Set(unit);
    return 1;
}
unsigned int RCSslEntry::SetUnits(SslUnit::RCSslUnits unit) {
    m_SslUnits.Set(static_cast<std::uint32_t>(unit));
    return 1;
}
SslUnit RCSslEntry::GetUnits() const {
    return m_SslUnits.Get();
}
unsigned int RCSslEntry::SetEarliestPlotTime(const TString& time) {
    return m_SslEarliestPlotTime.Set(time);
}
unsigned int RCSslEntry::SetEarliestPlotTime(struct tm time) {
    return m_SslEarliestPlotTime.Set(time.tm_sec, time.tm_min, time.tm_hour, time.tm_mday,
                                     time.tm_mon, time.tm_year, time.tm_wday, time.tm_yday,
                                     time.tm_isdst);
}
struct tm RCSslEntry::GetEarliestPlotTime() const {
    return m_SslEarliestPlotTime.Get();
}

// --- document box, secure print
// -----------------------------------------------------------------------
unsigned int RCSslEntry::SetDocumentBoxUserName(const TString& userName) {
    return m_SslDocumentBox.SetUserName(userName);
}
TString RCSslEntry::GetDocumentBoxUserName() const {
    return m_SslDocumentBox.GetUserNameA();
}
unsigned int RCSslEntry::SetDocumentBoxJobName(const TString& jobName) {
    return m_SslDocumentBox.SetJobName(jobName);
}
TString RCSslEntry::GetDocumentBoxJobName() const {
    return m_SslDocumentBox.GetJobName();
}
unsigned int RCSslEntry::SetDocumentBoxCode(const TString& code) {
    return m_SslDocumentBox.Set(code);
}
unsigned int RCSslEntry::SetDocumentBoxPassword(const TString& password) {
    return m_SslDocumentBox.SetPassword(password);
}
TString RCSslEntry::GetDocumentBoxPassword() const {
    return m_SslDocumentBox.GetPassword();
}
void RCSslEntry::SetDocumentBoxOff() {
    m_SslDocumentBox.SetOff();
}
unsigned int RCSslEntry::GetDocumentBoxOn() const {
    return m_SslDocumentBox.GetOn();
}
unsigned int RCSslEntry::SetSecurityPrintOn(unsigned int on) {
    return m_SslSecurityPrint.SetOn(on);
}
unsigned int RCSslEntry::GetSecurityPrintOn() const {
    return m_SslSecurityPrint.GetOn();
}
unsigned int RCSslEntry::SetSecurityPrintCode(const TString& code) {
    return m_SslSecurityPrint.Set(code);
}
unsigned int RCSslEntry::SetSecurityPrintPswd(const TString& password) {
    return m_SslSecurityPrint.SetPassword(password);
}
bool RCSslEntry::CheckSecurityPrintPswd(const TString& password) const {
    return m_SslSecurityPrint.CheckPassword(password);
}
unsigned int RCSslEntry::SecurityPrintHasPswd() const {
    return m_SslSecurityPrint.HasPswd();
}

// --- lists
// ----------------------------------------------------------------------------------------------
std::uint32_t RCSslEntry::AddAddress(const SslAddress& address) {
    return m_SslAddresses.AddAddress(address);
}
std::uint32_t RCSslEntry::RemoveAllAddresses() {
    return m_SslAddresses.RemoveAll();
}
std::uint32_t RCSslEntry::GetAddressCount() const {
    return m_SslAddresses.GetArrayCount();
}
const SslAddress& RCSslEntry::GetAddress(std::uint32_t index) const {
    return m_SslAddresses.GetAddress(index);
}
SslAddress& RCSslEntry::GetWriteableAddress(std::uint32_t index) {
    return m_SslAddresses.GetAddress(index);
}
SslAddresses RCSslEntry::GetAllAddresses() const {
    return m_SslAddresses;
}
void RCSslEntry::SetAllAddresses(const SslAddresses& addresses) {
    m_SslAddresses = addresses;
}
std::uint32_t RCSslEntry::AddStamp(const SslSingleStamp& stamp) {
    return m_SslStamp.AddStamp(stamp);
}
void RCSslEntry::RemoveAllStamps() {
    m_SslStamp.RemoveAllStamps();
}
std::uint32_t RCSslEntry::GetStampCount() const {
    return m_SslStamp.GetStampCount();
}
const SslSingleStamp& RCSslEntry::GetStamp(std::uint32_t index) const {
    return m_SslStamp.GetStamp(index);
}
TString RCSslEntry::GetStampBmp(std::uint32_t index) const {
    return m_SslStamp.GetStamp(index).GetBmpFile();
}
unsigned int RCSslEntry::SetStampBmp(std::uint32_t index, const TString& bmpFile) {
    m_SslStamp.GetStamp(index);  // raises "SslErrors" 0 for an index out of range
    return m_SslStamp.SetString(bmpFile.str(), SslSingleStamp::kBmp, index);
}
SslStamp RCSslEntry::GetAllStamps() const {
    return m_SslStamp;
}
void RCSslEntry::SetAllStamps(const SslStamp& stamps) {
    m_SslStamp = stamps;
}
std::uint32_t RCSslEntry::AddSupportFile(const TString& path) {
    return m_SslSupportFiles.AddSupportFile(path);
}
std::uint32_t RCSslEntry::RemoveAllSupportFiles() {
    return m_SslSupportFiles.RemoveAll();
}
std::uint32_t RCSslEntry::GetSupportFileCount() const {
    return m_SslSupportFiles.GetSupportFileCount();
}
const SslSupportFile& RCSslEntry::GetSupportFile(std::uint32_t index) const {
    return m_SslSupportFiles.GetSupportFile(index);
}
SslSupportFile& RCSslEntry::GetWriteableSupportFile(std::uint32_t index) {
    return m_SslSupportFiles.GetSupportFile(index);
}
SslSupportFiles RCSslEntry::GetAllSupportFiles() const {
    return m_SslSupportFiles;
}
void RCSslEntry::SetAllSupportFiles(const SslSupportFiles& supportFiles) {
    m_SslSupportFiles = supportFiles;
}
std::uint32_t RCSslEntry::GetJobPlotterCount() const {
    return m_SslJobPlotter.GetCount();
}
TRCMultiObjectContainer<TString> RCSslEntry::GetAllJobPlotters() const {
    return m_SslJobPlotter.GetAll();
}
void RCSslEntry::SetAllJobPlotters(const TRCMultiObjectContainer<TString>& plotters) {
    m_SslJobPlotter.SetAll(plotters);
}

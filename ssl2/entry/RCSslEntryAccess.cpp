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
        return Write<cls>().Set##part(value);                \
    }                                                        \
    type RCSslEntry::Get##prefix##part() const {             \
        return Read<cls>().Get##part();                      \
    }
#define SSL2_ENTRY_PEN(prefix, cls, part, type)                                          \
    unsigned int RCSslEntry::Set##prefix##Pens##part(type value, std::uint32_t firstPen, \
                                                     std::uint32_t lastPen) {            \
        return Write<cls>().Set##part(value, firstPen, lastPen);                         \
    }                                                                                    \
    unsigned int RCSslEntry::Set##prefix##Pens##part(type value, std::uint32_t pen) {    \
        return Write<cls>().Set##part(value, pen, pen);                                  \
    }                                                                                    \
    type RCSslEntry::Get##prefix##Pens##part(std::uint32_t pen) const {                  \
        return Read<cls>().Get##part(pen);                                               \
    }
#define SSL2_ENTRY_COLOR(prefix, cls, part)                                                  \
    unsigned int RCSslEntry::Set##prefix##ColorEmulation##part(std::uint32_t value,          \
                                                               std::uint32_t color) {        \
        return Write<cls>().Set##part(value, color);                                         \
    }                                                                                        \
    std::uint32_t RCSslEntry::Get##prefix##ColorEmulation##part(std::uint32_t color) const { \
        return Read<cls>().Get##part(color);                                                 \
    }
#include "ssl2/entry/RCSslEntryPlotter.def"

void RCSslEntry::SetCalcompPensOn(unsigned int on) {
    Write<SslCalcompPens>().SetOn(on ? 1 : 0);
}
unsigned int RCSslEntry::GetCalcompPensOn() const {
    return Read<SslCalcompPens>().GetOn();
}
void RCSslEntry::SetHpglPensOn(unsigned int on) {
    Write<SslHpglPens>().SetOn(on ? 1 : 0);
}
unsigned int RCSslEntry::GetHpglPensOn() const {
    return Read<SslHpglPens>().GetOn();
}
void RCSslEntry::SetVicPensOn(unsigned int on) {
    Write<SslVicPens>().SetOn(on ? 1 : 0);
}
unsigned int RCSslEntry::GetVicPensOn() const {
    return Read<SslVicPens>().GetOn();
}

// --- fold -------------------------------------------------------------------------------------
unsigned int RCSslEntry::SetFoldPrg(std::int32_t program) {
    return Write<SslFold>().SetPrg(program);
}
std::int32_t RCSslEntry::GetFoldPrg() const {
    return Read<SslFold>().GetPrg();
}
unsigned int RCSslEntry::SetFoldTray(std::int32_t tray) {
    return Write<SslFold>().SetTray(tray);
}
std::int32_t RCSslEntry::GetFoldTray() const {
    return Read<SslFold>().GetTray();
}
unsigned int RCSslEntry::SetFoldOption(std::uint32_t options) {
    return Write<SslFold>().SetOptions(options);
}
std::uint32_t RCSslEntry::GetFoldOption() const {
    return Read<SslFold>().GetOptions() & 0xFFFFFFu;
}
unsigned int RCSslEntry::SetAllFoldOptions(std::uint32_t options) {
    return Write<SslFold>().SetAllOptions(options);
}
bool RCSslEntry::FoldOptionsWereSet() const {
    return Read<SslFold>().GetOptionsSet();
}
void RCSslEntry::FoldOptionsWereNeverSet() {
    Write<SslFold>().ResetOptionsSet();
}
int RCSslEntry::TranslateFoldProgram(const RCFoldPrgTranslator& table) {
    return Write<SslFold>().Translate(table);
}
int RCSslEntry::ReTranslateFoldProgram(const RCFoldPrgReTranslator& table) {
    return Write<SslFold>().ReTranslate(table);
}
unsigned int RCSslEntry::SetIfFoldImpossible(std::uint32_t behavior) {
    return Write<SslFold>().SetIfFoldImpossible(behavior);
}
std::uint32_t RCSslEntry::GetIfFoldImpossible() const {
    return Read<SslFold>().GetIfFoldImpossible();
}
void RCSslEntry::SetDefaultIfFoldImpossible() {
    Write<SslFold>().SetDefaultIfFoldImpossible();
}
void RCSslEntry::SetIgnoreIfFoldImpossible() {
    Write<SslFold>().SetIgnoreIfFoldImpossible();
}
void RCSslEntry::SetErrorIfFoldImpossible() {
    Write<SslFold>().SetErrorIfFoldImpossible();
}

// --- file information ---------------------------------------------------------------------------
unsigned int RCSslEntry::SetFileInfoDx(std::uint32_t dx) {
    return Write<SslFileInfo>().SetSizeDx(dx);
}
unsigned int RCSslEntry::SetFileInfoDy(std::uint32_t dy) {
    return Write<SslFileInfo>().SetSizeDy(dy);
}
unsigned int RCSslEntry::SetFileInfoDpi(std::uint32_t dpi) {
    return Write<SslFileInfo>().SetResolutionDx(dpi);
}
unsigned int RCSslEntry::SetFileInfoLpi(std::uint32_t lpi) {
    return Write<SslFileInfo>().SetResolutionDy(lpi);
}
unsigned int RCSslEntry::SetFileInfoCopies(std::uint32_t copies) {
    return Write<SslFileInfo>().SetCopies(copies);
}
unsigned int RCSslEntry::SetFileInfoPages(std::uint32_t pages) {
    return Write<SslFileInfo>().SetPages(pages);
}
unsigned int RCSslEntry::SetFileInfoColor(std::uint32_t colorDepth) {
    return Write<SslFileInfo>().SetColorDepth(colorDepth);
}
std::uint32_t RCSslEntry::GetFileInfoColor() const {
    return Read<SslFileInfo>().GetColorDepth();
}
unsigned int RCSslEntry::SetFileInfo(std::uint32_t dx, std::uint32_t dy, std::uint32_t dpi,
                                     std::uint32_t lpi, std::uint32_t copies) {
    return SetFileInfo(dx, dy, dpi, lpi, copies, 1);
}
unsigned int RCSslEntry::SetFileInfo(std::uint32_t dx, std::uint32_t dy, std::uint32_t dpi,
                                     std::uint32_t lpi, std::uint32_t copies, std::uint32_t pages) {
    Write<SslFileInfo>().SetSizeDx(dx);
    Write<SslFileInfo>().SetSizeDy(dy);
    Write<SslFileInfo>().SetResolutionDx(dpi);
    Write<SslFileInfo>().SetResolutionDy(lpi);
    Write<SslFileInfo>().SetCopies(copies);
    Write<SslFileInfo>().SetPages(pages);
    return 1;
}
void RCSslEntry::GetFileInfo(std::uint32_t& dx, std::uint32_t& dy, std::uint32_t& dpi,
                             std::uint32_t& lpi, std::uint32_t& copies) const {
    dx = Read<SslFileInfo>().GetSizeDx();
    dy = Read<SslFileInfo>().GetSizeDy();
    dpi = Read<SslFileInfo>().GetResolutionDx();
    lpi = Read<SslFileInfo>().GetResolutionDy();
    copies = Read<SslFileInfo>().GetCopies();
}
void RCSslEntry::GetFileInfo(std::uint32_t& dx, std::uint32_t& dy, std::uint32_t& dpi,
                             std::uint32_t& lpi, std::uint32_t& copies,
                             std::uint32_t& pages) const {
    GetFileInfo(dx, dy, dpi, lpi, copies);
    pages = Read<SslFileInfo>().GetPages();
}

// --- job flag sheet
// -------------------------------------------------------------------------------
unsigned int RCSslEntry::SetJobFlagsheetOn(unsigned int on) {
    Write<SslJobFlagsheet>().SetOn(on);
    return 1;
}
unsigned int RCSslEntry::GetJobFlagsheetOn() const {
    return Read<SslJobFlagsheet>().GetOn();
}
unsigned int RCSslEntry::SetJobFlagsheetAccount(unsigned int on) {
    Write<SslJobFlagsheet>().SetAccount(on);
    return 1;
}
unsigned int RCSslEntry::GetJobFlagsheetAccount() const {
    return Read<SslJobFlagsheet>().GetAccount();
}
unsigned int RCSslEntry::SetJobFlagsheetDistribution(unsigned int on) {
    Write<SslJobFlagsheet>().SetDistribution(on);
    return 1;
}
unsigned int RCSslEntry::GetJobFlagsheetDistribution() const {
    return Read<SslJobFlagsheet>().GetDistribution();
}
unsigned int RCSslEntry::SetJobFlagsheetPerJob(std::uint32_t perJob) {
    if (perJob > 2) {
        return 0;
    }
    Write<SslJobFlagsheet>().SetPerJob(perJob);
    return 1;
}
std::uint32_t RCSslEntry::GetJobFlagsheetPerJob() const {
    return Read<SslJobFlagsheet>().GetPerJob();
}
unsigned int RCSslEntry::SetJobFlagsheetOutputTray(std::int32_t tray) {
    if (!InRange(tray, -1, 3)) {
        return 0;
    }
    Write<SslJobFlagsheet>().SetOutputTray(tray);
    return 1;
}
std::int32_t RCSslEntry::GetJobFlagsheetOutputTray() const {
    return Read<SslJobFlagsheet>().GetOutputTray();
}
unsigned int RCSslEntry::SetJobFlagsheetInputTray(std::int32_t tray) {
    if (!InRange(tray, -1, 20)) {
        return 0;
    }
    Write<SslJobFlagsheet>().SetInputTray(tray);
    return 1;
}
std::int32_t RCSslEntry::GetJobFlagsheetInputTray() const {
    return Read<SslJobFlagsheet>().GetInputTray();
}
unsigned int RCSslEntry::SetJobFlagsheetFoldProgram(std::int32_t program) {
    if (!InRange(program, -2, 1000)) {
        return 0;
    }
    Write<SslJobFlagsheet>().SetFoldProgram(program);
    return 1;
}
std::int32_t RCSslEntry::GetJobFlagsheetFoldProgram() const {
    return Read<SslJobFlagsheet>().GetFoldProgram();
}
unsigned int RCSslEntry::SetJobFlagsheetFoldTray(std::int32_t tray) {
    if (!InRange(tray, -1, 100)) {
        return 0;
    }
    Write<SslJobFlagsheet>().SetFoldTray(tray);
    return 1;
}
std::int32_t RCSslEntry::GetJobFlagsheetFoldTray() const {
    return Read<SslJobFlagsheet>().GetFoldTray();
}
unsigned int RCSslEntry::SetJobFlagsheetText(const TString& text) {
    Write<SslJobFlagsheet>().SetText(text);
    return 1;
}
TString RCSslEntry::GetJobFlagsheetText() const {
    return Read<SslJobFlagsheet>().GetText();
}
unsigned int RCSslEntry::SetJobFlagsheetSize(const SslSize& size) {
    Write<SslJobFlagsheet>().SetSize(size);
    return 1;
}
SslSize RCSslEntry::GetJobFlagsheetSize() const {
    return Read<SslJobFlagsheet>().GetSize();
}

// --- margin, sizes, media, bins, options
// ----------------------------------------------------------
unsigned int RCSslEntry::SetMargin(std::uint32_t side, double value) {
    return Write<SslMargin>().Set(side, value);
}
double RCSslEntry::GetMargin(std::uint32_t side) const {
    return Read<SslMargin>().Get(side);
}
unsigned int RCSslEntry::GetMarginOn() const {
    return Read<SslMargin>().GetOn();
}
unsigned int RCSslEntry::SetOutputSize(const SslSize& size) {
    Write<SslOutputSize>().Set(size);
    return 1;
}
SslSize RCSslEntry::GetOutputSize() const {
    return Read<SslOutputSize>().Get();
}
TString RCSslEntry::GetOutputSizeAsString() const {
    return Read<SslOutputSize>().GetAsString();
}
unsigned int RCSslEntry::SetPaperSize(const SslSize& size) {
    Write<SslPaperSize>().Set(size);
    return 1;
}
SslSize RCSslEntry::GetPaperSize() const {
    return Read<SslPaperSize>().Get();
}
TString RCSslEntry::GetPaperSizeAsString() const {
    return Read<SslPaperSize>().GetAsString();
}
unsigned int RCSslEntry::SetZoom(const SslSize& size) {
    Write<SslZoom>().Set(size);
    return 1;
}
SslSize RCSslEntry::GetZoom() const {
    return Read<SslZoom>().Get();
}
unsigned int RCSslEntry::SetMediaSubType(std::uint32_t subType) {
    return Write<SslMediaType>().SetSubType(subType);
}
std::uint32_t RCSslEntry::GetMediaSubType() const {
    return Read<SslMediaType>().GetSubType();
}
TString RCSslEntry::GetMediaTypeAsString() const {
    return Read<SslMediaType>().GetAsString();
}
unsigned int RCSslEntry::SetOutputBinNo(std::uint32_t binNo) {
    return Write<SslOutputBin>().SetBinNo(binNo);
}
std::uint32_t RCSslEntry::GetOutputBinNo() const {
    return Read<SslOutputBin>().GetBinNo();
}
unsigned int RCSslEntry::SetNestingOptions(std::uint32_t options) {
    return Write<SslNesting>().SetOptions(options);
}
std::uint32_t RCSslEntry::GetNestingOptions() const {
    return Read<SslNesting>().GetOptions();
}
unsigned int RCSslEntry::SetNestingQuantity(std::uint32_t quantity) {
    return Write<SslNesting>().SetQuantity(quantity);
}
std::uint32_t RCSslEntry::GetNestingQuantity() const {
    return Read<SslNesting>().GetQuantity();
}
unsigned int RCSslEntry::SetNestingDirection(std::uint32_t direction) {
    return Write<SslNesting>().SetDirection(direction);
}
std::uint32_t RCSslEntry::GetNestingDirection() const {
    return Read<SslNesting>().GetDirection();
}
unsigned int RCSslEntry::SetPlotItOptions(std::uint32_t options) {
    return Write<SslPlotIt>().SetOptions(options);
}
std::uint32_t RCSslEntry::GetPlotItOptions() const {
    return Read<SslPlotIt>().GetOptions();
}
unsigned int RCSslEntry::SetPlotRawOptions(std::uint32_t options) {
    return Write<SslPlotRaw>().SetOptions(options);
}
std::uint32_t RCSslEntry::GetPlotRawOptions() const {
    return Read<SslPlotRaw>().GetOptions();
}

// --- version, units, earliest plot time
// ---------------------------------------------------------------
unsigned int RCSslEntry::SetVersionString(const TString& version) {
    return Write<SslVersion>().SetAsString(version);
}
TString RCSslEntry::GetVersionString() const {
    return Read<SslVersion>().GetAsString();
}
SslVersion RCSslEntry::GetVersionObject() const {
    return Read<SslVersion>();
}
unsigned int RCSslEntry::SetUnits(const SslUnit& unit) {
    Write<SslUnits>().Set(unit);
    return 1;
}
unsigned int RCSslEntry::SetUnits(SslUnit::RCSslUnits unit) {
    Write<SslUnits>().Set(static_cast<std::uint32_t>(unit));
    return 1;
}
SslUnit RCSslEntry::GetUnits() const {
    return Read<SslUnits>().Get();
}
unsigned int RCSslEntry::SetEarliestPlotTime(const TString& time) {
    return Write<SslEarliestPlotTime>().Set(time);
}
unsigned int RCSslEntry::SetEarliestPlotTime(struct tm time) {
    return Write<SslEarliestPlotTime>().Set(time.tm_sec, time.tm_min, time.tm_hour, time.tm_mday,
                                            time.tm_mon, time.tm_year, time.tm_wday, time.tm_yday,
                                            time.tm_isdst);
}
struct tm RCSslEntry::GetEarliestPlotTime() const {
    return Read<SslEarliestPlotTime>().Get();
}

// --- document box, secure print
// -----------------------------------------------------------------------
unsigned int RCSslEntry::SetDocumentBoxUserName(const TString& userName) {
    return Write<SslDocumentBox>().SetUserName(userName);
}
TString RCSslEntry::GetDocumentBoxUserName() const {
    return Read<SslDocumentBox>().GetUserNameA();
}
unsigned int RCSslEntry::SetDocumentBoxJobName(const TString& jobName) {
    return Write<SslDocumentBox>().SetJobName(jobName);
}
TString RCSslEntry::GetDocumentBoxJobName() const {
    return Read<SslDocumentBox>().GetJobName();
}
unsigned int RCSslEntry::SetDocumentBoxCode(const TString& code) {
    return Write<SslDocumentBox>().Set(code);
}
unsigned int RCSslEntry::SetDocumentBoxPassword(const TString& password) {
    return Write<SslDocumentBox>().SetPassword(password);
}
TString RCSslEntry::GetDocumentBoxPassword() const {
    return Read<SslDocumentBox>().GetPassword();
}
void RCSslEntry::SetDocumentBoxOff() {
    Write<SslDocumentBox>().SetOff();
}
unsigned int RCSslEntry::GetDocumentBoxOn() const {
    return Read<SslDocumentBox>().GetOn();
}
unsigned int RCSslEntry::SetSecurityPrintOn(unsigned int on) {
    return Write<SslSecurityPrint>().SetOn(on);
}
unsigned int RCSslEntry::GetSecurityPrintOn() const {
    return Read<SslSecurityPrint>().GetOn();
}
unsigned int RCSslEntry::SetSecurityPrintCode(const TString& code) {
    return Write<SslSecurityPrint>().Set(code);
}
unsigned int RCSslEntry::SetSecurityPrintPswd(const TString& password) {
    return Write<SslSecurityPrint>().SetPassword(password);
}
bool RCSslEntry::CheckSecurityPrintPswd(const TString& password) const {
    return Read<SslSecurityPrint>().CheckPassword(password);
}
unsigned int RCSslEntry::SecurityPrintHasPswd() const {
    return Read<SslSecurityPrint>().HasPswd();
}

// --- lists
// ----------------------------------------------------------------------------------------------
std::uint32_t RCSslEntry::AddAddress(const SslAddress& address) {
    return Write<SslAddresses>().AddAddress(address);
}
std::uint32_t RCSslEntry::RemoveAllAddresses() {
    return Write<SslAddresses>().RemoveAll();
}
std::uint32_t RCSslEntry::GetAddressCount() const {
    return Read<SslAddresses>().GetArrayCount();
}
const SslAddress& RCSslEntry::GetAddress(std::uint32_t index) const {
    return Read<SslAddresses>().GetAddress(index);
}
SslAddress& RCSslEntry::GetWriteableAddress(std::uint32_t index) {
    return Write<SslAddresses>().GetAddress(index);
}
SslAddresses RCSslEntry::GetAllAddresses() const {
    return Read<SslAddresses>();
}
void RCSslEntry::SetAllAddresses(const SslAddresses& addresses) {
    Write<SslAddresses>() = addresses;
}
std::uint32_t RCSslEntry::AddStamp(const SslSingleStamp& stamp) {
    return Write<SslStamp>().AddStamp(stamp);
}
void RCSslEntry::RemoveAllStamps() {
    Write<SslStamp>().RemoveAllStamps();
}
std::uint32_t RCSslEntry::GetStampCount() const {
    return Read<SslStamp>().GetStampCount();
}
const SslSingleStamp& RCSslEntry::GetStamp(std::uint32_t index) const {
    return Read<SslStamp>().GetStamp(index);
}
TString RCSslEntry::GetStampBmp(std::uint32_t index) const {
    return Read<SslStamp>().GetStamp(index).GetBmpFile();
}
unsigned int RCSslEntry::SetStampBmp(std::uint32_t index, const TString& bmpFile) {
    Read<SslStamp>().GetStamp(index);  // raises "SslErrors" 0 for an index out of range
    return Write<SslStamp>().SetString(bmpFile.str(), SslSingleStamp::kBmp, index);
}
SslStamp RCSslEntry::GetAllStamps() const {
    return Read<SslStamp>();
}
void RCSslEntry::SetAllStamps(const SslStamp& stamps) {
    Write<SslStamp>() = stamps;
}
std::uint32_t RCSslEntry::AddSupportFile(const TString& path) {
    return Write<SslSupportFiles>().AddSupportFile(path);
}
std::uint32_t RCSslEntry::RemoveAllSupportFiles() {
    return Write<SslSupportFiles>().RemoveAll();
}
std::uint32_t RCSslEntry::GetSupportFileCount() const {
    return Read<SslSupportFiles>().GetSupportFileCount();
}
const SslSupportFile& RCSslEntry::GetSupportFile(std::uint32_t index) const {
    return Read<SslSupportFiles>().GetSupportFile(index);
}
SslSupportFile& RCSslEntry::GetWriteableSupportFile(std::uint32_t index) {
    return Write<SslSupportFiles>().GetSupportFile(index);
}
SslSupportFiles RCSslEntry::GetAllSupportFiles() const {
    return Read<SslSupportFiles>();
}
void RCSslEntry::SetAllSupportFiles(const SslSupportFiles& supportFiles) {
    Write<SslSupportFiles>() = supportFiles;
}
std::uint32_t RCSslEntry::GetJobPlotterCount() const {
    return Read<SslJobPlotter>().GetCount();
}
TRCMultiObjectContainer<TString> RCSslEntry::GetAllJobPlotters() const {
    return Read<SslJobPlotter>().GetAll();
}
void RCSslEntry::SetAllJobPlotters(const TRCMultiObjectContainer<TString>& plotters) {
    Write<SslJobPlotter>().SetAll(plotters);
}

// The statement types, the factory, statement equality over all identifiers, and the
// stored form of the classes that have one.
#include <cxxabi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <typeinfo>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

// Where users may write each statement (its type bits), as users of the language
// know it, kept apart from the table the library is built from: every named
// statement once, in identifier order within its type.
const struct {
    std::uint32_t type;
    const char* names;
} kVocabulary[] = {
    {1, "SupportFile DocumentBox ClientFileCaching OriginHost UserHash UserId"},
    {3,
     "ArchivReferenz Resolution HpglAsString PdfAsString PsAsString ScanProfileSource "
     "ScanProfileName PlotProfileSource PlotProfileName RenderingIntent "
     "DeleteFileAfterProcessing PrintQuality"},
    {5,
     "Account Copyright CostCenter Customer DeleteAfterPlot Distribution EMail JobCollate "
     "JobFlagsheet JobName JobPlotter JobPriority Notes OutputTray SecurityPrint SetCopies "
     "TrialPrint UserName JobSort Contact PoNumber Project SetSplit Address DeliveryDate "
     "DeliveryMethod DeliveryTime DryMountEdging DryMountOn DryMountSpecs DryMountTrim Edging1 "
     "Edging2 FinishingInstructions LaminateBothSides LaminateSpecs LaminateOn MediaAsString1 "
     "MediaAsString2 Reimbursable Nesting SetDistribution"},
    {7,
     "CalComp CalcompColorEmulation CalcompPens Copies CutMethod Fold HeaderPosition Hpgl "
     "HpglColorEmulation HpglPens Invert Margin MediaPosition MediaType Mirror OutputBin "
     "OutputSize Rotate Stamp Zoom PlotIt ColorDepth ImageContent Vic VicColorEmulation "
     "VicPens PageRange"},
    {9, "CreationAppl PlotOption Units Version PlotDate ReceiveDate"},
    {10, "Directory FileEmulation ImageRotated Name"},
    {11, "Comment Ordinal PlotRaw PaperSize"},
    {14, "OrigDirectory OrigName FileInfo"},
    {16, "Confirmation EarliestPlotTime MediaFeed OnError OperatorMode Profil"},
};

std::string Demangled(const SslStatement& s) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(typeid(s).name(), nullptr, nullptr, &status), &std::free);
    return name ? name.get() : "";
}

// The value family a member type promises (structured statements have classes of their own).
bool InFamily(const SslStatement& s, std::uint32_t member) {
    switch (member) {
        case SslStatement::kMemberNumber:
            return dynamic_cast<const SslNumberStatement*>(&s) != nullptr;
        case SslStatement::kMemberSelection:
            return dynamic_cast<const SslSelectionStatement*>(&s) != nullptr;
        case SslStatement::kMemberSelectionOptions:
            return dynamic_cast<const SslSelectionOptionStatement*>(&s) != nullptr;
        case SslStatement::kMemberText:
            return dynamic_cast<const SslStringStatement*>(&s) != nullptr;
        default:
            return true;
    }
}

std::unique_ptr<SslStatement> Create(std::uint32_t id) {
    return std::unique_ptr<SslStatement>(
        SslStatement::CreateSslObject(static_cast<TSslStatementID>(id)));
}

TEST(Vocabulary, StatementTypePredicates) {
    for (std::uint32_t type = 0; type < 40; ++type) {
        const bool valid = type == 16 || (type < 16 && (type & 3) != 0);
        EXPECT_EQ(SslStatement::IsValidStatementType(type), valid) << type;
    }
    EXPECT_TRUE(SslStatement::IsEntryStatement(3));
    EXPECT_FALSE(SslStatement::IsEntryStatement(2));
    EXPECT_TRUE(SslStatement::IsEntryOnlyStatement(2));
    EXPECT_TRUE(SslStatement::IsJobOnlyStatement(5));
    EXPECT_EQ(SslStatement::IsUIStatement(7), 4u);
    EXPECT_EQ(SslStatement::IsReadOnly(11), 8u);
    EXPECT_EQ(SslStatement::IsNotSupported(16), 16u);
    for (std::uint32_t bit = 0; bit < 32; ++bit) {
        EXPECT_TRUE(SslStatement::HasOneBit(1u << bit)) << bit;
        EXPECT_FALSE(SslStatement::HasOneBit((1u << bit) | (bit ? 1u : 2u))) << bit;
    }
    EXPECT_FALSE(SslStatement::HasOneBit(0));
}

TEST(Factory, CreatesEveryClassWithItsIdentity) {
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        const TString name = TString(kSslStatementNames[id]).StripTail(" ");
        SCOPED_TRACE(kSslStatementClassNames[id]);
        auto s = Create(id);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->GetStatementID(), id);
        EXPECT_EQ(Demangled(*s), kSslStatementClassNames[id]);
        EXPECT_EQ(s->GetStatementType(), kSslStatementTypes[id]);
        EXPECT_EQ(s->GetStatementName(0), name);
        // The display name is the statement name in words ("Cost Center").
        TString shown = s->GetStatementName(1);
        shown.Replace(" ", "");
        EXPECT_EQ(shown.UpCase(), TString(name.IsEmpty() ? "Error" : name).UpCase());
        EXPECT_TRUE(InFamily(*s, SslStatement::GetMemberType(id)));
    }
}

TEST(Factory, UnknownIdentifierRaisesError2) {
    try {
        SslStatement::CreateSslObject(static_cast<TSslStatementID>(111));
        FAIL() << "no error";
    } catch (const TException& e) {
        EXPECT_EQ(e.GetNumber(), RMCSslErrors::kUnknownStatement);
        EXPECT_EQ(e.GetArgument(0), "111");
    }
    ClearError();
}

TEST(Equality, DifferentStatementsRaiseError3AndLogIt) {
    RCCaptureLog log;
    RCScopedLog scoped(&log);
    SslCopies copies;
    SslRotate rotate;
    try {
        (void)(static_cast<const SslStatement&>(copies) == rotate);
        FAIL() << "no error";
    } catch (const TException& e) {
        EXPECT_EQ(e.GetNumber(), RMCSslErrors::kWrongStatementClass);
        EXPECT_EQ(e.GetArgument(0), "SslRotate");
        EXPECT_EQ(e.GetArgument(1), "SslCopies");
        ASSERT_EQ(log.GetEntries().size(), 1u);
        EXPECT_EQ(log.GetEntries()[0].m_nLevel, 1);
        EXPECT_EQ(log.GetEntries()[0].m_sText, TString(e.what()));
    }
    ClearError();
}

// Changes a statement through its generic member interface; false when no text
// of the list changes any member.
bool ChangeGenerically(SslStatement& statement) {
    static const char* const kTexts[] = {"1", "x", "2", "8", "90", "3", "0", "2006:5:12:14:30"};
    const TString before = statement.ToString();
    const std::uint32_t members = statement.GetContainedMemberCount();
    for (std::uint32_t member = 0; member < members; ++member) {
        for (const char* text : kTexts) {
            if (statement.SetString(text, member, 0) && statement.ToString() != before) {
                return true;
            }
        }
    }
    return false;
}

// Statements whose value the generic interface cannot reach from the default.
const std::map<std::uint32_t, std::function<void(SslStatement&)>> kOwnChanges = {
    {kId_SslSupportFiles,
     [](SslStatement& s) { static_cast<SslSupportFiles&>(s).AddSupportFile("/a"); }},
    {kId_SslSecurityPrint,
     [](SslStatement& s) { static_cast<SslSecurityPrint&>(s).SetPassword("abcd"); }},
    {kId_SslUserHash, [](SslStatement& s) { static_cast<SslUserHash&>(s).SetClear("r", "u"); }},
};

// Every statement differs from its default after one change, so equality reaches
// each class's own comparison, and equals a clone of itself (comparing statements of
// two classes raises an error, so the clone is of the same class).
TEST(Equality, ReachesEveryClassComparison) {
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        SCOPED_TRACE(kSslStatementClassNames[id]);
        auto a = Create(id);
        auto b = Create(id);
        ASSERT_TRUE(a && b);
        EXPECT_TRUE(*a == *b);
        const auto own = kOwnChanges.find(id);
        if (own != kOwnChanges.end()) {
            own->second(*a);
        } else {
            ASSERT_TRUE(ChangeGenerically(*a)) << "no generic change";
        }
        EXPECT_TRUE(*a != *b) << a->ToString();
        std::unique_ptr<SslStatement> clone(a->Clone());
        EXPECT_TRUE(*clone == *a);
    }
}

// The lines and configuration lines that the writer's expected texts do not show:
// defaults (value null) and the last keyword of the selections.
TEST(WrittenForms, LinesAndConfigurationLines) {
    const struct {
        TSslStatementID id;
        const char* value;
        const char* line;
    } rows[] = {
        {kId_SslConfirmation, "1", "Confirmation on"},
        {kId_SslFileEmulation, nullptr, "FileEmulation auto"},
        {kId_SslFileEmulation, "24", "FileEmulation DMG"},
        {kId_SslHeaderPosition, nullptr, "HeaderPosition unknown"},
        {kId_SslHeaderPosition, "15", "HeaderPosition lowerright"},
        {kId_SslMediaPosition, nullptr, "MediaPosition auto"},
        {kId_SslMediaPosition, "13", "MediaPosition bottomcenter"},
        {kId_SslOnError, nullptr, ""},
        {kId_SslVersion, nullptr, "Version unknown"},
        {kId_SslVersion, "5", "Version newer"},
        {kId_SslColorDepth, nullptr, "ColorDepth 0"},
        {kId_SslColorDepth, "64", "ColorDepth 64"},
        {kId_SslPrintQuality, nullptr, "PrintQuality standard"},
        {kId_SslPrintQuality, "0", "PrintQuality draft"},
        {kId_SslPlotRaw, nullptr, "PlotRaw off 0"},
        {kId_SslAccount, nullptr, "Account \"\""},
        {kId_SslPlotOption, nullptr, ""},
        {kId_SslOrdinal, nullptr, "Ordinal 4294967295"},
        {kId_SslEMail, nullptr, "EMail off"},
        {kId_SslMargin, nullptr, "Margin off"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(kSslStatementNames[row.id]) +
                     (row.value ? row.value : " default"));
        const auto s = Create(row.id);
        if (row.value) {
            ASSERT_EQ(s->SetString(row.value, 0, 0), 1u);
        }
        EXPECT_EQ(s->ToString(), row.line);
    }
    SslCutMethod cut;
    EXPECT_EQ(cut.ToCfg(), "CUT = off\r\n");
    cut.Set(1);
    EXPECT_EQ(cut.ToCfg(), "CUT = on\r\n");
    SslMirror mirror;
    mirror.Set(2);
    EXPECT_EQ(mirror.ToCfg(), "MIRROR = y\r\n");
    EXPECT_EQ(SslMediaPosition().ToCfg(), "POSITION = auto\r\n");
    EXPECT_EQ(SslEMail().ToCfg(), "");
    EXPECT_EQ(SslMargin().ToCfg(), "BORDERACTIVE = off\r\n");
}

template <class T>
void ExpectStoredRoundTrip(const T& original, std::uint32_t kind) {
    SCOPED_TRACE(kind);
    T copy;
    ASSERT_FALSE(copy == original);
    copy.DeSerialize(original.Serialize());
    EXPECT_TRUE(copy == original);
    EXPECT_EQ(original.GetDataType(), (17u << 16) | kind);
}

// Each class with a stored form reads back what it wrote, under a data type of its
// own (every plain selection class shares one; the fold's is checked with its
// options; reading malformed data is the serialisation's own business).
TEST(StoredForm, EveryClassReadsBackWhatItWrote) {
    SslOutputBin bin;
    bin.SetBinNo(7);
    ExpectStoredRoundTrip(bin, 2);
    SslPlotIt plotIt;
    plotIt.Set(0);
    ExpectStoredRoundTrip(plotIt, 3);
    SslSize size;
    size.SetFormatName(2);
    size.SetWidth(123.25);
    size.SetHeight(456.5);
    size.SetSizeUnit(SslUnit(SslUnit::kInch));
    size.SetSizeType(SslSize::kUnproportional);
    ExpectStoredRoundTrip(size, 4);
    ExpectStoredRoundTrip(SslUnit(5), 5);
    ExpectStoredRoundTrip(SslSupportFile(TString("/jobs/42/Grüße.pdf")), 6);
}

}  // namespace

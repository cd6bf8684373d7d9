// The vocabulary, the factory and statement equality over all identifiers.
#include <cxxabi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <typeinfo>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/base/ILog.h"
#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

enum Family { kString, kCompound, kNumber, kSelection, kOption, kStructured };

struct Row {
    std::uint32_t id;
    const char* cls;
    const char* name;
    Family family;
    std::uint32_t type;
    std::uint32_t member;
};

// The vocabulary as users of the language know it, kept apart from the table the
// library is built from.
const Row kVocabulary[] = {
    {0, "SslAccount", "Account", kString, 5, 0x08},
    {1, "SslArchivReferenz", "ArchivReferenz", kString, 3, 0x08},
    {2, "SslCalcomp", "CalComp", kStructured, 7, 0x20},
    {3, "SslCalcompColorEmulation", "CalcompColorEmulation", kStructured, 7, 0x40},
    {4, "SslCalcompPens", "CalcompPens", kStructured, 7, 0x40},
    {5, "SslComment", "Comment", kString, 11, 0x08},
    {6, "SslConfirmation", "Confirmation", kSelection, 16, 0x02},
    {7, "SslCopies", "Copies", kNumber, 7, 0x01},
    {8, "SslCopyrigth", "Copyright", kString, 5, 0x08},
    {9, "SslCostCenter", "CostCenter", kString, 5, 0x08},
    {10, "SslCreationAppl", "CreationAppl", kString, 9, 0x08},
    {11, "SslCustomer", "Customer", kString, 5, 0x08},
    {12, "SslCutMethod", "CutMethod", kSelection, 7, 0x02},
    {13, "SslDeleteAfterPlot", "DeleteAfterPlot", kSelection, 5, 0x02},
    {14, "SslDirectory", "Directory", kString, 10, 0x08},
    {15, "SslDistribution", "Distribution", kString, 5, 0x08},
    {16, "SslEarliestPlotTime", "EarliestPlotTime", kStructured, 16, 0x20},
    {17, "SslEMail", "EMail", kString, 5, 0x20},
    {18, "SslError", "", kString, 11, 0x08},
    {19, "SslFileEmulation", "FileEmulation", kSelection, 10, 0x02},
    {20, "SslFold", "Fold", kStructured, 7, 0x20},
    {21, "SslHeaderPosition", "HeaderPosition", kSelection, 7, 0x02},
    {22, "SslHpgl", "Hpgl", kStructured, 7, 0x20},
    {23, "SslHpglColorEmulation", "HpglColorEmulation", kStructured, 7, 0x40},
    {24, "SslHpglPens", "HpglPens", kStructured, 7, 0x40},
    {25, "SslImageRotated", "ImageRotated", kNumber, 10, 0x01},
    {26, "SslInvert", "Invert", kSelection, 7, 0x02},
    {27, "SslJobCollate", "JobCollate", kSelection, 5, 0x02},
    {28, "SslJobFlagsheet", "JobFlagsheet", kStructured, 5, 0x20},
    {29, "SslJobName", "JobName", kString, 5, 0x08},
    {30, "SslJobPlotter", "JobPlotter", kString, 5, 0x08},
    {31, "SslJobPriority", "JobPriority", kSelection, 5, 0x02},
    {32, "SslMargin", "Margin", kStructured, 7, 0x20},
    {33, "SslMediaFeed", "MediaFeed", kSelection, 16, 0x02},
    {34, "SslMediaPosition", "MediaPosition", kSelection, 7, 0x02},
    {35, "SslMediaType", "MediaType", kSelection, 7, 0x02},
    {36, "SslMirror", "Mirror", kSelection, 7, 0x02},
    {37, "SslName", "Name", kString, 10, 0x08},
    {38, "SslNotes", "Notes", kString, 5, 0x08},
    {39, "SslOnError", "OnError", kSelection, 16, 0x02},
    {40, "SslOperatorMode", "OperatorMode", kSelection, 16, 0x02},
    {41, "SslOrigDirectory", "OrigDirectory", kString, 14, 0x08},
    {42, "SslOrigName", "OrigName", kString, 14, 0x08},
    {43, "SslOutputBin", "OutputBin", kSelection, 7, 0x02},
    {44, "SslOutputSize", "OutputSize", kStructured, 7, 0x20},
    {45, "SslOutputTray", "OutputTray", kSelection, 5, 0x02},
    {46, "SslPlotOption", "PlotOption", kString, 9, 0x08},
    {47, "SslProfil", "Profil", kString, 16, 0x08},
    {48, "SslRotate", "Rotate", kSelection, 7, 0x02},
    {49, "SslSecurityPrint", "SecurityPrint", kString, 5, 0x08},
    {50, "SslSetCopies", "SetCopies", kNumber, 5, 0x01},
    {51, "SslStamp", "Stamp ", kStructured, 7, 0x80},
    {52, "SslTrialPrint", "TrialPrint", kSelection, 5, 0x02},
    {53, "SslUnits", "Units", kStructured, 9, 0x20},
    {54, "SslUserName", "UserName", kString, 5, 0x08},
    {55, "SslVersion", "Version", kSelection, 9, 0x02},
    {56, "SslZoom", "Zoom", kStructured, 7, 0x20},
    {57, "SslOrdinal", "Ordinal", kNumber, 11, 0x01},
    {58, "SslPlotIt", "PlotIt", kOption, 7, 0x04},
    {59, "SslJobSort", "JobSort", kSelection, 5, 0x02},
    {60, "SslFileInfo", "FileInfo", kStructured, 14, 0x20},
    {61, "SslColorDepth", "ColorDepth", kSelection, 7, 0x02},
    {62, "SslResolution", "Resolution", kNumber, 3, 0x01},
    {63, "SslImageContent", "ImageContent", kSelection, 7, 0x02},
    {64, "SslHpglAsString", "HpglAsString", kCompound, 3, 0x20},
    {65, "SslPdfAsString", "PdfAsString", kCompound, 3, 0x20},
    {66, "SslPsAsString", "PsAsString", kCompound, 3, 0x20},
    {67, "SslScanColorProfileSource", "ScanProfileSource", kSelection, 3, 0x02},
    {68, "SslScanColorProfileName", "ScanProfileName", kString, 3, 0x08},
    {69, "SslPlotColorProfileSource", "PlotProfileSource", kSelection, 3, 0x02},
    {70, "SslPlotColorProfileName", "PlotProfileName", kString, 3, 0x08},
    {71, "SslContact", "Contact", kString, 5, 0x08},
    {72, "SslPoNumber", "PoNumber", kString, 5, 0x08},
    {73, "SslProject", "Project", kString, 5, 0x08},
    {74, "SslPlotDate", "PlotDate", kString, 9, 0x08},
    {75, "SslReceiveDate", "ReceiveDate", kString, 9, 0x08},
    {76, "SslRenderingIntent", "RenderingIntent", kSelection, 3, 0x02},
    {77, "SslSetSplit", "SetSplit", kSelection, 5, 0x02},
    {78, "SslAddresses", "Address ", kStructured, 5, 0x80},
    {79, "SslDeliveryDate", "DeliveryDate", kString, 5, 0x08},
    {80, "SslDeliveryMethod", "DeliveryMethod", kString, 5, 0x08},
    {81, "SslDeliveryTime", "DeliveryTime", kString, 5, 0x08},
    {82, "SslDryMountEdging", "DryMountEdging", kString, 5, 0x08},
    {83, "SslDryMountOn", "DryMountOn", kSelection, 5, 0x02},
    {84, "SslDryMountSpecs", "DryMountSpecs", kString, 5, 0x08},
    {85, "SslDryMountTrim", "DryMountTrim", kString, 5, 0x08},
    {86, "SslEdging1", "Edging1", kString, 5, 0x08},
    {87, "SslEdging2", "Edging2", kString, 5, 0x08},
    {88, "SslFinishingInstructions", "FinishingInstructions", kString, 5, 0x08},
    {89, "SslLaminateBothSides", "LaminateBothSides", kSelection, 5, 0x02},
    {90, "SslLaminateSpecs", "LaminateSpecs", kString, 5, 0x08},
    {91, "SslLaminateOn", "LaminateOn", kSelection, 5, 0x02},
    {92, "SslMediaAsString1", "MediaAsString1", kString, 5, 0x08},
    {93, "SslMediaAsString2", "MediaAsString2", kString, 5, 0x08},
    {94, "SslReimbursable", "Reimbursable", kString, 5, 0x08},
    {95, "SslVic", "Vic", kStructured, 7, 0x20},
    {96, "SslVicColorEmulation", "VicColorEmulation", kStructured, 7, 0x40},
    {97, "SslVicPens", "VicPens", kStructured, 7, 0x40},
    {98, "SslPlotRaw", "PlotRaw", kOption, 11, 0x04},
    {99, "SslNesting", "Nesting", kOption, 5, 0x02},
    {100, "SslSupportFiles", "SupportFile", kStructured, 1, 0x80},
    {101, "SslPaperSize", "PaperSize", kStructured, 11, 0x20},
    {102, "SslSetDistribution", "SetDistribution", kString, 5, 0x08},
    {103, "SslDocumentBox", "DocumentBox", kString, 1, 0x08},
    {104, "SslClientFileCaching", "ClientFileCaching", kSelection, 1, 0x02},
    {105, "SslDeleteFileAfterProcessing", "DeleteFileAfterProcessing", kSelection, 3, 0x02},
    {106, "SslOriginHost", "OriginHost", kString, 1, 0x08},
    {107, "SslPageRange", "PageRange", kString, 7, 0x08},
    {108, "SslUserHash", "UserHash", kString, 1, 0x08},
    {109, "SslUserId", "UserId", kString, 1, 0x08},
    {110, "SslPrintQuality", "PrintQuality", kSelection, 3, 0x02},
};

std::string Demangled(const SslStatement& s) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(typeid(s).name(), nullptr, nullptr, &status), &std::free);
    return name ? name.get() : "";
}

bool InFamily(const SslStatement& s, Family family) {
    switch (family) {
        case kString:
            return dynamic_cast<const SslStringStatement*>(&s) != nullptr;
        case kCompound:
            return dynamic_cast<const SslCompoundStringStatement*>(&s) != nullptr;
        case kNumber:
            return dynamic_cast<const SslNumberStatement*>(&s) != nullptr;
        case kSelection:
            return dynamic_cast<const SslSelectionStatement*>(&s) != nullptr;
        case kOption:
            return dynamic_cast<const SslSelectionOptionStatement*>(&s) != nullptr;
        case kStructured:
            return true;
    }
    return false;
}

std::unique_ptr<SslStatement> Create(std::uint32_t id) {
    return std::unique_ptr<SslStatement>(
        SslStatement::CreateSslObject(static_cast<TSslStatementID>(id)));
}

TEST(Vocabulary, TablesMatchTheLanguage) {
    ASSERT_EQ(std::size(kVocabulary), kSslStatementCount);
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        const Row& row = kVocabulary[id];
        SCOPED_TRACE(row.cls);
        EXPECT_EQ(row.id, id);
        EXPECT_STREQ(kSslStatementClassNames[id], row.cls);
        EXPECT_STREQ(kSslStatementNames[id], row.name);
        EXPECT_EQ(SslStatement::m_anAccessibility[id], row.type);
        EXPECT_EQ(kSslStatementTypes[id], row.type);
        EXPECT_EQ(SslStatement::GetMemberType(id), row.member);
        EXPECT_TRUE(SslStatement::IsValidStatementType(row.type));
        EXPECT_TRUE(SslStatement::HasOneBit(row.member));
    }
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
    EXPECT_FALSE(SslStatement::HasOneBit(3));
    EXPECT_FALSE(SslStatement::HasOneBit(0xFFFFFFFF));
}

TEST(Factory, CreatesEveryClassWithItsIdentity) {
    for (const Row& row : kVocabulary) {
        SCOPED_TRACE(row.cls);
        auto s = Create(row.id);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->GetStatementID(), row.id);
        EXPECT_EQ(Demangled(*s), row.cls);
        EXPECT_EQ(s->GetStatementType(), row.type);
        EXPECT_EQ(s->GetStatementName(0), TString(row.name).StripTail(" "));
        // The display name is the statement name in words ("Cost Center").
        TString shown = s->GetStatementName(1);
        shown.Replace(" ", "");
        EXPECT_EQ(shown.UpCase(), TString(*row.name ? row.name : "Error").StripTail(" ").UpCase());
        EXPECT_TRUE(InFamily(*s, row.family));
        std::unique_ptr<SslStatement> clone(s->Clone());
        ASSERT_TRUE(clone);
        EXPECT_EQ(Demangled(*clone), row.cls);
        EXPECT_EQ(clone->ToString(), s->ToString());
        EXPECT_TRUE(*clone == *s);
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

TEST(Factory, StatementNamesWithoutTrailingBlanks) {
    auto error = Create(kId_SslError);
    EXPECT_EQ(error->GetStatementName(0), "");
    EXPECT_EQ(error->GetSubStatementName(0), "GetSubStatementName() not implemented");
    EXPECT_EQ(error->GetArrayElementName(3), "Element 3");
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
// each class's own comparison, and equals a clone of itself.
TEST(Equality, ReachesEveryClassComparison) {
    for (const Row& row : kVocabulary) {
        SCOPED_TRACE(row.cls);
        auto a = Create(row.id);
        auto b = Create(row.id);
        ASSERT_TRUE(a && b);
        EXPECT_TRUE(*a == *b);
        const auto own = kOwnChanges.find(row.id);
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

}  // namespace

// Errors, messages, the log, serialisation and units.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "ssl2/base/ILog.h"
#include "ssl2/base/RCSerializeBase.h"
#include "ssl2/base/RCUnit.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TMessage.h"
#include "ssl2/sslmessages.h"
#include "tests/support/TempDir.h"

namespace {

TEST(TException, ForeignExceptionsBecomeLibraryErrors) {
    RCCaptureLog log;
    RCScopedLog scope(&log);
    try {
        throw std::runtime_error("disk on fire");
    } catch (...) {
        VemtoUnhandledException();
        DecrementPendingCount();
    }
    EXPECT_TRUE(log.Contains(1, "disk on fire"));
    EXPECT_FALSE(GetErrorInfo().IsError());
    errno = ENOENT;
    EXPECT_THROW(ThrowLastError("open", "x"), TException);
    EXPECT_EQ(GetErrorInfo().GetNumber(), RMCBaseErrors::kSystemError);
    EXPECT_EQ(GetErrorInfo().GetArgument(1), std::strerror(ENOENT));
    ClearError();
    EXPECT_EQ(GetErrorString(), "");  // no pending error, no text
}

constexpr RSMessageText kTestTexts[] = {{1, "100% of %1, %4 and %2"}};

class RMCTestTable : public TMessageBase {
public:
    RMCTestTable() : TMessageBase("TestTable", "TEST", "Runtime_test.cpp", 0x7001, kTestTexts) {}
};

class RMCLaterTable : public TMessageBase {
public:
    RMCLaterTable() : TMessageBase("LaterTable", "TEST", "Runtime_test.cpp", 0x7002) {}
};

TEST(Messages, ArgumentsFallbackAndReplacement) {
    EXPECT_EQ(VEMTO::GetMessage(RMCSslErrors(), RMCSslErrors::kNoEntryWithOrdinal, "7"),
              "no entry with ordinal 7");
    EXPECT_EQ(VEMTO::GetMessage(0x1234, 0xABCDEF), "No Message for <0x1234>:<0xABCDEF>");
    EXPECT_EQ(VEMTO::GetMessage(RMCSslErrors(), 5), "No Message for <0x43>:<0x5>");
    // %1..%3 only; other percent signs stay, arguments are not re-expanded.
    const RMCTestTable table;
    EXPECT_EQ(VEMTO::GetMessage(table, 1, "%2", "b"), "100% of %2, %4 and b");

    const auto dir = ssl2::test::MakeTempDir("ssl2_runtime_");
    const auto path = dir / "messages.txt";
    std::ofstream(path) << "; replacements\n\nTestTable\t1\tersetzt %1\r\nbroken line\n"
                        << "LaterTable\t0x2\tlater\n";
    EXPECT_EQ(VEMTO::LoadMessages(TString(path.string())), 2);
    EXPECT_EQ(VEMTO::GetMessage(table, 1, "x"), "ersetzt x");
    EXPECT_EQ(VEMTO::GetMessage(RMCLaterTable(), 2), "later");
    std::filesystem::remove(path);
    EXPECT_EQ(VEMTO::LoadMessages(TString(path.string())), -1);
    std::filesystem::remove_all(dir);
}

TEST(Log, ThreadLogGoesBeforeProcessLogAndIsRestored) {
    ILog* before = g_ptheLogfile();
    RCCaptureLog process;
    RCCaptureLog thread;
    ILog* previous = SetLogfile(&process);
    {
        RCScopedLog scope(&thread);
        SslLog(3, "delivery", "RCSslSet::NormalizeSsl deletes file : /x");
        EXPECT_TRUE(thread.Contains(3, "deletes file"));
        EXPECT_FALSE(thread.Contains(1, "deletes file"));
        // Another thread still writes to the process log.
        std::thread([] { SslLog(1, "set", "elsewhere"); }).join();
    }
    SslLog(2, "set", "after the scope");
    SetLogfile(previous);
    EXPECT_EQ(thread.GetEntries(),
              (std::vector<RCCaptureLog::Entry>{{3, "RCSslSet::NormalizeSsl deletes file : /x"}}));
    EXPECT_EQ(process.GetEntries(),
              (std::vector<RCCaptureLog::Entry>{{1, "elsewhere"}, {2, "after the scope"}}));
    EXPECT_EQ(g_ptheLogfile(), before);
}

TEST(Log, SinkAndFileLogKeepLevelAndModuleUpToTheirLimit) {
    std::vector<std::string> seen;
    RCLogSink sink(
        [&](int level, std::string_view module, std::string_view text) {
            seen.push_back(std::to_string(level) + " " + std::string(module) + " " +
                           std::string(text));
        },
        2);
    const auto dir = ssl2::test::MakeTempDir("ssl2_log_");
    const std::filesystem::path path = dir / "ssl2.log";
    RCFileLog file(TString(path.string()), 2);
    ASSERT_TRUE(file.IsOpen());
    for (ILog* log : std::initializer_list<ILog*>{&sink, &file}) {
        RCScopedLog scope(log);
        SslLog(1, "set", "severe");
        SslLog(3, "delivery", "too chatty");
        g_ptheLogfile()->Write(2, "no module");
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"1 set severe", "2 ssl2 no module"}));
    std::ifstream in(path);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(written, "ssl2[1] set: severe\nssl2[2] ssl2: no module\n");
    std::filesystem::remove_all(dir);
}

TEST(LogThreads, ScopedLogsOfTwoThreadsKeepTheirOwnMessages) {
    RCCaptureLog logs[2];
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t)
        threads.emplace_back([&logs, t] {
            RCScopedLog scope(&logs[t]);
            for (int i = 0; i < 200; ++i)
                SslLog(1, "set", TString(std::to_string(t)));
        });
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < 2; ++t) {
        SCOPED_TRACE(t);
        const auto entries = logs[t].GetEntries();
        ASSERT_EQ(entries.size(), 200u);
        for (const RCCaptureLog::Entry& entry : entries)
            EXPECT_EQ(entry.m_sText, TString(std::to_string(t)));
    }
}

// --- serialisation -------------------------------------------------------------------

// A base class with one member and a derived class with an array member, as statements
// have (the other value kinds are serialised by the statements' own tests).
class TestBase : public RCSerializeBase {
public:
    std::uint32_t m_nCopies = 0;
    std::uint32_t GetDataType() const override { return MakeDataTypeId(17, 1); }
    const _TIDFunctionTableList* GetFunctionTableList() const override { return &kList; }

    static void Ser(RSDataEntry* e, const RCSerializeBase* o) {
        SerializeAsTLong(e, &static_cast<const TestBase*>(o)->m_nCopies);
    }
    static void DeSer(const RSDataEntry* e, RCSerializeBase* o) {
        DeSerializeAsTLong(e, &static_cast<TestBase*>(o)->m_nCopies);
    }
    static constexpr _TIDFunctionTuple kTuples[] = {{1, &DeSer, &Ser}, {0, nullptr, nullptr}};
    static const _TIDFunctionTableList kList;
};
const RCSerializeBase::_TIDFunctionTableList TestBase::kList = {
    MakeDataTypeId(17, 1), TestBase::kTuples, RCSerializeBase::GetBaseFunctionTableList()};

class TestDerived : public TestBase {
public:
    std::int32_t m_anOffset[2] = {0, 0};
    std::uint32_t GetDataType() const override { return MakeDataTypeId(17, 2); }
    const _TIDFunctionTableList* GetFunctionTableList() const override { return &kDerived; }

    static TestDerived* Self(RCSerializeBase* o) { return static_cast<TestDerived*>(o); }
    static const TestDerived* Self(const RCSerializeBase* o) {
        return static_cast<const TestDerived*>(o);
    }
    // Defined after the class: the accessors need the complete type.
    static const _TIDFunctionTuple kTuples[];
    static const _TIDFunctionTableList kDerived;
};
const RCSerializeBase::_TIDFunctionTuple TestDerived::kTuples[] = {
    {10,
     [](const RSDataEntry* e, RCSerializeBase* o) {
         DeSerializeAsTSLong(e, Self(o)->m_anOffset, 2);
     },
     [](RSDataEntry* e, const RCSerializeBase* o) {
         SerializeAsTSLong(e, Self(o)->m_anOffset, 2);
     }},
    {0, nullptr, nullptr}};
const RCSerializeBase::_TIDFunctionTableList TestDerived::kDerived = {
    MakeDataTypeId(17, 2), TestDerived::kTuples, &TestBase::kList};

// A later version of TestDerived with one more member (id 13).
class TestDerivedV2 : public TestDerived {
public:
    std::uint32_t m_nExtra = 99;
    const _TIDFunctionTableList* GetFunctionTableList() const override { return &kV2; }
    static const _TIDFunctionTuple kTuples[];
    static const _TIDFunctionTableList kV2;
};
const RCSerializeBase::_TIDFunctionTuple TestDerivedV2::kTuples[] = {
    TestDerived::kTuples[0],
    {13,
     [](const RSDataEntry* e, RCSerializeBase* o) {
         DeSerializeAsTLong(e, &static_cast<TestDerivedV2*>(o)->m_nExtra);
     },
     [](RSDataEntry* e, const RCSerializeBase* o) {
         SerializeAsTLong(e, &static_cast<const TestDerivedV2*>(o)->m_nExtra);
     }},
    {0, nullptr, nullptr}};
const RCSerializeBase::_TIDFunctionTableList TestDerivedV2::kV2 = {
    MakeDataTypeId(17, 2), TestDerivedV2::kTuples, &TestBase::kList};

TestDerived Sample() {
    TestDerived d;
    d.m_nCopies = 4000000000u;
    d.m_anOffset[0] = -5;
    d.m_anOffset[1] = 7;
    return d;
}

long SerialError(const std::vector<std::uint8_t>& bytes, RCSerializeBase& into) {
    try {
        into.DeSerialize(bytes);
    } catch (const TException& e) {
        ClearError();
        return static_cast<long>(e.GetNumber());
    }
    return -1;
}

// Both tables, the base's and the derived class's, come back; members of another
// version are skipped or keep their defaults.
TEST(Serialisation, RoundTripSkipsUnknownMembersBothWays) {
    EXPECT_EQ(RCSerializeBase::MakeDataTypeId(17, 2), 0x00110002u);
    TestDerivedV2 newer;
    static_cast<TestDerived&>(newer) = Sample();
    newer.m_nExtra = 5;
    TestDerived older;
    older.DeSerialize(newer.Serialize());  // member 13 is unknown here
    EXPECT_EQ(older.m_nCopies, 4000000000u);
    EXPECT_EQ(older.m_anOffset[0], -5);
    EXPECT_EQ(older.m_anOffset[1], 7);
    TestDerivedV2 fromOld;
    fromOld.DeSerialize(Sample().Serialize());  // member 13 is missing there
    EXPECT_EQ(fromOld.m_nExtra, 99u);
    EXPECT_EQ(fromOld.m_nCopies, 4000000000u);
}

TEST(Serialisation, MalformedDataRaisesErrors) {
    const auto bytes = Sample().Serialize();
    TestBase other;
    EXPECT_EQ(SerialError(bytes, other), RMCBaseErrors::kSerialType);
    TestDerived target;
    // Every truncation is reported, never read past.
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        EXPECT_EQ(SerialError({bytes.begin(), bytes.begin() + n}, target),
                  RMCBaseErrors::kSerialTruncated)
            << n;
    }
    // Layout: type, table count, then the derived table first: its type, member count,
    // then member 10: id (offset 16), kind (20), count (21), size (25), values (29).
    ASSERT_EQ(bytes[16], 10);
    ASSERT_EQ(bytes[20], RSDataEntry::kTSLong);
    auto wrongKind = bytes;
    wrongKind[20] = RSDataEntry::kTReal;
    EXPECT_EQ(SerialError(wrongKind, target), RMCBaseErrors::kSerialKind);
    auto tooFew = bytes;  // two values expected, the count claims one
    tooFew[21] = 1;
    tooFew[25] = 4;
    tooFew.erase(tooFew.begin() + 33, tooFew.begin() + 37);
    EXPECT_EQ(SerialError(tooFew, target), RMCBaseErrors::kSerialTruncated);
    auto huge = bytes;  // a size that claims more than there is
    huge[25] = 0xFF;
    huge[26] = 0xFF;
    huge[27] = 0xFF;
    huge[28] = 0x7F;
    EXPECT_EQ(SerialError(huge, target), RMCBaseErrors::kSerialTruncated);
}

TEST(RCUnit, ConversionsBetweenUnitCodes) {
    struct Row {
        std::uint32_t from, to;
        double value, resolution, expected;
    };
    const Row rows[] = {
        {RCUnit::kInch, RCUnit::kMm, 1, 0, 25.4},
        {RCUnit::kCm, RCUnit::kMm, 2.5, 0, 25},
        {RCUnit::kMm, RCUnit::kVemto, 1, 0, 1000},
        {RCUnit::kPixel, RCUnit::kMm, 300, 300, 25.4},
        {RCUnit::kMm, RCUnit::kPixel, 25.4, 600, 600},
        {RCUnit::kMm, 9, 5, 0, 5},
    };
    for (const auto& r : rows) {
        EXPECT_NEAR(RCUnit::Convert(r.from, r.to, r.value, r.resolution), r.expected, 1e-9)
            << r.from << "->" << r.to;
    }
    EXPECT_NEAR(RCUnit::ConvertVemtoToMm(RCUnit::ConvertPixelToVemto(1200, 600)), 50.8, 1e-9);
    VEMTO::RCMetaUnitVemto a4;
    a4.SetMm(210.0004);
    EXPECT_EQ(a4, VEMTO::RCMetaUnitVemto(210000));
    EXPECT_LT(a4, VEMTO::RCMetaUnitVemto(297000));
    EXPECT_DOUBLE_EQ(a4.AsMm(), 210.0);
}

}  // namespace

#include "ssl2/base/TFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ssl2/base/TException.h"
#include "ssl2/base/TMessage.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

class TFileTest : public ssl2::test::TempDirTest {
protected:
    static std::string Contents(const TString& path) { return ssl2::test::ReadFile(path.str()); }
    // Runs `action` and returns the message number of the error it raises (-1: none).
    template <typename F>
    static long ErrorOf(F action) {
        try {
            action();
        } catch (const TException& e) {
            EXPECT_EQ(e.GetTable(), static_cast<unsigned short>(RMCBaseErrors()));
            return static_cast<long>(e.GetNumber());
        }
        return -1;
    }
};

std::vector<std::string> ReadAll(TFile& file, std::uint32_t maxLength = TString::kWholeText) {
    std::vector<std::string> lines;
    TString line;
    while (file.GetLine(line, maxLength))
        lines.push_back(line.str());
    return lines;
}

TEST_F(TFileTest, LinesRoundTripWithCrLfAndLastLineWithoutEnd) {
    const TString path = Path("lines.txt");
    {
        TAnsiFile out(path, TFile::kWrite | TFile::kCreateAlways);
        out.PutLine("BeginJob");
        out.PutAnsiLine("");
        out.PutLine("Name \"a\xE4.pdf\"");
        out.Close();
    }
    EXPECT_EQ(Contents(path), "BeginJob\r\n\r\nName \"a\xE4.pdf\"\r\n");
    TFile in(path, TFile::kRead);
    EXPECT_EQ(ReadAll(in), (std::vector<std::string>{"BeginJob", "", "Name \"a\xE4.pdf\""}));

    TFile mixed(Write("mixed.txt", "one\ntwo\r\nthree"), TFile::kRead);
    EXPECT_EQ(ReadAll(mixed), (std::vector<std::string>{"one", "two", "three"}));
    TFile empty(Write("empty.txt", ""), TFile::kRead);
    EXPECT_TRUE(ReadAll(empty).empty());
}

TEST_F(TFileTest, LongLinesComeInPiecesAndLargeFilesCrossTheBuffer) {
    TFile in(Write("long.txt", "abcdefg\nhi\n"), TFile::kRead);
    EXPECT_EQ(ReadAll(in, 3), (std::vector<std::string>{"abc", "def", "g", "hi"}));
    // A piece that ends where the line ends takes the line end with it.
    TFile exact(Write("exact.txt", "abc\ndef\r\nxyz\r\nab\r\n"), TFile::kRead);
    EXPECT_EQ(ReadAll(exact, 3), (std::vector<std::string>{"abc", "def", "xyz", "ab"}));
    TFile lone(Write("lone.txt", "ab\rc\n"), TFile::kRead);
    EXPECT_EQ(ReadAll(lone, 2), (std::vector<std::string>{"ab", "\rc"}));
    // The same for UTF-16, also when a line end crosses the read buffer.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("abc\r\nde\nxyz\r\n"))
        utf16 += std::string{c, '\0'};
    TAutoFile unicode(Write("u16.txt", utf16));
    EXPECT_EQ(ReadAll(unicode, 3), (std::vector<std::string>{"abc", "de", "xyz"}));
    const std::string wide = std::string(64 * 1024 - 1, 'w') + "\r\nend\r\n";
    TFile across(Write("across.txt", wide), TFile::kRead);
    const auto pieces = ReadAll(across, 64 * 1024 - 1);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].size(), 64u * 1024 - 1);
    EXPECT_EQ(pieces[1], "end");
}

TEST_F(TFileTest, ExclusiveOpenFailsWhileHeld) {
    const TString path = Write("latest.num", "1");
    TFile first(path, TFile::kReadWrite | TFile::kExclusive);
    EXPECT_EQ(ErrorOf([&] { TFile second(path, TFile::kReadWrite | TFile::kExclusive); }),
              RMCBaseErrors::kFileOpen);
    first.Close();
    TFile third(path, TFile::kReadWrite | TFile::kExclusive | TFile::kCreateAlways);
    third.Close();
    EXPECT_EQ(Contents(path), "");
}

TEST_F(TFileTest, OpenDispositionsAndFailures) {
    const TString missing = Path("missing.txt");
    EXPECT_EQ(ErrorOf([&] { TFile f(missing, TFile::kRead); }), RMCBaseErrors::kFileOpen);
    EXPECT_EQ(ErrorOf([&] { TFile f(TString(m_dir.string()), TFile::kRead); }),
              RMCBaseErrors::kFileOpen);
    EXPECT_EQ(ErrorOf([&] { TFile f(Path("no/dir/x"), TFile::kWrite | TFile::kCreateAlways); }),
              RMCBaseErrors::kFileOpen);
    const TString kept = Write("kept.txt", "old");
    EXPECT_EQ(ErrorOf([&] { TFile f(kept, TFile::kWrite | TFile::kCreateNew); }),
              RMCBaseErrors::kFileOpen);
    { TFile f(kept, TFile::kWrite | TFile::kOpenAlways); }
    EXPECT_EQ(Contents(kept), "old");
    // A failed open raises the error with the path and makes it the pending error.
    try {
        TFile f(missing, TFile::kRead);
    } catch (const TException& e) {
        EXPECT_NE(TString(e.what()).Find(missing), TString::kNotFound) << e.what();
        EXPECT_EQ(GetErrorInfo(), e.GetInfo());
    }
    TFile closed;
    char byte = 0;
    EXPECT_EQ(ErrorOf([&] { closed.Read(&byte, 1); }), RMCBaseErrors::kFileRead);
    EXPECT_EQ(ErrorOf([&] { closed.PutLine("x"); }), RMCBaseErrors::kFileWrite);
}

TEST_F(TFileTest, WriteFailureIsReportedOnClose) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TFile full("/dev/full", TFile::kWrite);
    full.PutLine("lost");
    EXPECT_EQ(ErrorOf([&] { full.Close(); }), RMCBaseErrors::kFileWrite);
    EXPECT_FALSE(full.IsOpen());
}

TEST_F(TFileTest, UnicodeFilesInBothByteOrders) {
    // "a<U+00E4>" CR LF "<U+1F600>" (a surrogate pair), then a line without end.
    const std::string le(
        "\xFF\xFE"
        "a\0\xE4\0\r\0\n\0"
        "\x3D\xD8\x00\xDE\n\0"
        "z\0",
        18);
    const std::string be(
        "\xFE\xFF"
        "\0a\0\xE4\0\r\0\n"
        "\xD8\x3D\xDE\x00\0\n"
        "\0z",
        18);
    const std::vector<std::string> expected{"a\xC3\xA4", "\xF0\x9F\x98\x80", "z"};
    for (const auto& [bytes, kennung] :
         {std::pair{le, TUnicodeFile::kUtf16LE}, std::pair{be, TUnicodeFile::kUtf16BE}}) {
        TUnicodeFile file(Write("u16.txt", bytes), TFile::kRead);
        EXPECT_EQ(file.ReadKennung(), kennung);
        EXPECT_EQ(ReadAll(file), expected);
        TAutoFile automatic(Path("u16.txt"));
        EXPECT_TRUE(automatic.IsUnicode());
        EXPECT_EQ(ReadAll(automatic), expected);
    }
    // Writing: mark, UTF-16LE, CR LF; an odd last byte is no code unit.
    const TString out = Path("out.txt");
    {
        TUnicodeFile file(out, TFile::kWrite | TFile::kCreateAlways);
        file.WriteKennung();
        file.PutLine("\xC3\xA4");
        file.Close();
    }
    EXPECT_EQ(Contents(out), std::string("\xFF\xFE\xE4\0\r\0\n\0", 8));
    TUnicodeFile odd(Write("odd.txt", std::string("\xFF\xFEx\0y", 5)), TFile::kRead);
    odd.ReadKennung();
    EXPECT_EQ(ReadAll(odd), std::vector<std::string>{"x"});
}

TEST_F(TFileTest, AutoFileReadsEightBitAndUtf8Files) {
    TAutoFile plain(Write("plain.ssl", "BeginJob\r\nEndJob\r\n"));
    EXPECT_FALSE(plain.IsUnicode());
    EXPECT_EQ(ReadAll(plain), (std::vector<std::string>{"BeginJob", "EndJob"}));
    TAutoFile utf8(Write("utf8.ssl", "\xEF\xBB\xBFName \xC3\xA4\n"));
    EXPECT_FALSE(utf8.IsUnicode());
    EXPECT_EQ(utf8.GetKennung(), TUnicodeFile::kUtf8);
    EXPECT_EQ(ReadAll(utf8), std::vector<std::string>{"Name \xC3\xA4"});
    {
        TAutoFile out(Path("new.ssl"), TFile::kWrite | TFile::kCreateAlways);
        EXPECT_FALSE(out.IsUnicode());
        out.PutLine("EndJob");
        out.Close();
    }
    EXPECT_EQ(Contents(Path("new.ssl")), "EndJob\r\n");
    TAutoFile tiny(Write("tiny.ssl", "\xFF"));
    EXPECT_FALSE(tiny.IsUnicode());
    EXPECT_EQ(ReadAll(tiny), std::vector<std::string>{"\xFF"});
}

TEST_F(TFileTest, ExistCopyDeleteAndDirectories) {
    const TString src = Write("src.pdf", std::string(70000, 'x') + "end");
    EXPECT_TRUE(TFile::Exist(src));
    EXPECT_FALSE(TFile::DirExist(src));
    EXPECT_TRUE(TFile::DirExist(TString(m_dir.string())));
    EXPECT_FALSE(TFile::Exist(TString(m_dir.string())));

    const TString deep = Path("a\\b/c");  // both separators on input
    TFile::CreateCompleteDir(deep);
    TFile::CreateCompleteDir(deep);  // an existing directory is fine
    EXPECT_TRUE(fs::is_directory(m_dir / "a" / "b" / "c"));
    EXPECT_EQ(ErrorOf([&] { TFile::CreateCompleteDir(src + "/sub"); }),
              RMCBaseErrors::kSystemError);

    const TString dst = deep + "\\copy.pdf";
    TFile::Copy(src, dst, true);
    EXPECT_EQ(Contents(TFile::NativePath(dst)), Contents(src));
    EXPECT_EQ(ErrorOf([&] { TFile::Copy(src, dst, true); }), RMCBaseErrors::kFileOpen);
    Write("other.pdf", "other");
    TFile::Copy(Path("other.pdf"), dst, false);
    EXPECT_EQ(Contents(TFile::NativePath(dst)), "other");
    // Copying a file onto itself must not empty it.
    EXPECT_EQ(ErrorOf([&] { TFile::Copy(src, src, false); }), RMCBaseErrors::kFileWrite);
    EXPECT_EQ(Contents(src).size(), 70003u);
    EXPECT_EQ(ErrorOf([&] { TFile::Copy(Path("missing"), dst, false); }), RMCBaseErrors::kFileOpen);

    TFile::Delete(dst);
    EXPECT_FALSE(TFile::Exist(dst));
    TFile::Delete(dst);  // already gone
    EXPECT_EQ(ErrorOf([&] { TFile::Delete(deep); }), RMCBaseErrors::kSystemError);
}

TEST_F(TFileTest, TemporaryFileNames) {
    const TString dir = TString(m_dir.string());
    const TString a = TFile::GetTempFileNameA(dir, "VEMTO", 0);
    const TString b = TFile::GetTempFileNameA(dir + "/", "VEM", 0);
    EXPECT_NE(a, b);
    EXPECT_TRUE(TFile::Exist(a));
    EXPECT_EQ(TFile::GetFileName(a).Left(3), "VEM");
    EXPECT_EQ(TFile::GetFileExt(a), ".tmp");
    EXPECT_EQ(TFile::GetFileDir(a), dir + "/");
    EXPECT_EQ(TFile::GetTempFileNameA(dir, "VEM", 0x2A), dir + "/VEM2A.tmp");
    EXPECT_EQ(ErrorOf([&] { TFile::GetTempFileNameA(dir + "/none", "VEM"); }),
              RMCBaseErrors::kSystemError);
    EXPECT_EQ(TFile::GetTmpPath().Right(1), "/");
}

TEST(TFilePaths, PartsOfPaths) {
    struct Row {
        const char* path;
        const char *drv, *dir, *name, *ext;
    };
    const Row rows[] = {
        {"C:\\jobs\\plan.v2.pdf", "C:", "\\jobs\\", "plan.v2", ".pdf"},
        {"/srv/jobs/plan.pdf", "", "/srv/jobs/", "plan", ".pdf"},
        {"//server/share/a\\b.hpgl", "", "//server/share/a\\", "b", ".hpgl"},
        {"plan", "", "", "plan", ""},
        {"dir.d/plan", "", "dir.d/", "plan", ""},
        {"dir/.profile", "", "dir/", ".profile", ""},
        {"dir/", "", "dir/", "", ""},
        {"D:plan.pdf", "D:", "", "plan", ".pdf"},
        {"", "", "", "", ""},
    };
    for (const auto& r : rows) {
        const TFileString fs(r.path);
        EXPECT_EQ(fs.GetDrv(), r.drv) << r.path;
        EXPECT_EQ(fs.GetDir(), r.dir) << r.path;
        EXPECT_EQ(fs.GetName(), r.name) << r.path;
        EXPECT_EQ(fs.GetExt(), r.ext) << r.path;
        EXPECT_EQ(fs.GetNameExt(), TString(r.name) + r.ext) << r.path;
        EXPECT_EQ(fs.GetFullName(), r.path) << r.path;
        EXPECT_EQ(TFile::GetFileName(r.path) + TFile::GetFileExt(r.path), fs.GetNameExt());
        EXPECT_EQ(TFile::GetFileDir(r.path), TString(r.drv) + r.dir) << r.path;
    }
    EXPECT_EQ(TFile::NativePath("\\\\server\\share\\x"), "//server/share/x");
}

}  // namespace

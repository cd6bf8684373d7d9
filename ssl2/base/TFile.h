// Files: byte and line access to one open file (TFile), its 8-bit and UTF-16 line
// forms (TAnsiFile, TUnicodeFile, TAutoFile), path helpers (TFile statics), the
// parts of a path (TFileString) and a stream buffer that writes through to a sink
// (TSinkBuffer).
//
// Paths given to these classes may use '/' or '\' as separators; paths they compose
// use '/'.  A file object owns its descriptor and closes it when destroyed; failures
// (open, read, write, copy, delete, create) raise RMCBaseErrors errors through
// ThrowNewError.  Lines are written with CR LF and read up to LF with one trailing CR
// dropped.  One file object must not be used by two threads at once; the statics
// are thread-safe.
//
//   TAutoFile in("ticket.ssl");        // detects a UTF-16 byte-order mark
//   TString line;
//   while (in.GetLine(line)) { ... }
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "ssl2/base/TString.h"

/// A stream buffer that hands what is written through it to `sink` in pieces of up
/// to 64 KiB, whenever its buffer is full and when the stream is flushed: a stream
/// onto a descriptor or a temporary file that never holds the whole text.  What the
/// sink raises reaches the writer when badbit is among the stream's exceptions()
/// (else the stream turns bad).  It does not flush when destroyed: flush the stream.
class TSinkBuffer : public std::streambuf {
public:
    using TSink = std::function<void(const char* data, std::size_t size)>;
    explicit TSinkBuffer(TSink sink);

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    TSink m_Sink;
    std::vector<char> m_aBuffer;
};

class TFile {
public:
    /// Open modes: one access value, one disposition and optionally kExclusive.
    enum TMode : unsigned {
        kRead = 0x01,
        kWrite = 0x02,
        kReadWrite = kRead | kWrite,
        kOpenExisting = 0x00,  ///< the file must exist
        kCreateAlways = 0x10,  ///< create, or empty an existing file
        kOpenAlways = 0x20,    ///< create when missing, keep existing contents
        kCreateNew = 0x40,     ///< create; fail when the file exists
        /// No sharing: takes an exclusive lock without waiting, so that a second
        /// exclusive opener (in any process) fails while this one holds the file.
        kExclusive = 0x100,
    };

    TFile() = default;
    /// Opens `path`; raises RMCBaseErrors::kFileOpen when it cannot.
    TFile(const TString& path, unsigned mode);
    TFile(TFile&& other) noexcept;
    TFile& operator=(TFile&& other) noexcept;
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;
    /// Closes the file; buffered output that cannot be written is lost here, so
    /// writers call Close() to have write failures raised.
    virtual ~TFile();

    void Open(const TString& path, unsigned mode);
    /// Writes pending output and closes; raises kFileWrite when the output fails.
    /// Closing a closed file does nothing.
    void Close();
    bool IsOpen() const { return m_nFd >= 0; }
    const TString& GetPath() const { return m_sPath; }

    /// Reads up to `size` bytes; returns the count, 0 at the end of the file.
    std::uint32_t Read(void* buffer, std::uint32_t size);
    void Write(const void* data, std::uint32_t size);
    /// Back to the start of the file (pending output is written first).
    void Start();
    /// Cuts the file off at the current position.
    void SetEndOfFile();

    /// Reads the next line of 8-bit text without its line end; false at the end of
    /// the file.  A line longer than `maxLength` bytes is returned in pieces; the
    /// line end after the last piece belongs to it (no empty piece follows).
    virtual bool GetLine(TString& line, std::uint32_t maxLength = TString::kWholeText);
    /// Writes `line` and CR LF.
    virtual void PutLine(const TString& line);

    // --- statics ---------------------------------------------------------------
    /// `path` with every '\' turned into '/'.  Raises when `path` holds a NUL
    /// character, which would cut it short at the system call.
    static TString NativePath(const TString& path);
    /// True when `path` names an existing file that is not a directory (false for a
    /// path holding a NUL character).
    static bool Exist(const TString& path);
    static bool DirExist(const TString& path);
    /// Copies the file `source` to `target`; with `failIfExists` an existing target
    /// is an error.  Copying a file onto itself is an error; a partly written target
    /// is removed.
    static void Copy(const TString& source, const TString& target, bool failIfExists);
    /// Deletes a file; a file that does not exist counts as deleted.
    static void Delete(const TString& path);
    /// Creates the directory with all missing parents; an existing one is kept.
    static void CreateCompleteDir(const TString& path);
    /// Writes `bytes` as the whole new contents of the file `path`, so that after a
    /// crash or a power loss `path` holds either the old file or all of the new one:
    /// a temporary file with a random name is made beside it (O_EXCL|O_NOFOLLOW),
    /// written, synced and renamed onto `path`, and the directory is synced.  A
    /// regular file replaced keeps its permissions; a new file gets 0666 less the
    /// umask; a link at `path` is replaced itself, never written through.  A
    /// failure raises; up to the rename the old file is untouched and no temporary
    /// file is left.  For regular files and missing targets only: a device or a
    /// FIFO is written in place by its caller.
    static void ReplaceAtomically(const TString& path, std::string_view bytes);
    /// The same, the new contents written by `write` to the stream it is given, which
    /// passes them on to the temporary file in pieces: a long text need not be held in
    /// memory at once.  The stream raises on a failed write (badbit and failbit are
    /// among its exceptions()); whatever `write` raises leaves the old file untouched.
    static void ReplaceAtomically(const TString& path,
                                  const std::function<void(std::ostream&)>& write);
    /// True for the names files have while the library writes them, before they
    /// appear under their final names; left over only by a process that was killed.
    static bool IsTemporaryName(const TString& name);
    /// The directory for temporary files ($TMPDIR or /tmp), ending in '/'.
    static TString GetTmpPath();
    /// A temporary file name in `directory` starting with (at most three bytes of)
    /// `prefix` and ending in ".tmp".  With `unique` 0 the file is created empty and
    /// its name is unique; otherwise the name is built from `unique` (in hex) and no
    /// file is created.
    static TString GetTempFileNameA(const TString& directory, const TString& prefix,
                                    unsigned int unique = 0);
    /// Parts of the last path component: extension with its dot (".pdf", "" when
    /// none; a leading dot belongs to the name), name without the extension, and
    /// the directory up to and including the last separator ("" when none).
    static TString GetFileExt(const TString& path);
    static TString GetFileName(const TString& path);
    static TString GetFileDir(const TString& path);

protected:
    /// The next byte (0..255), or -1 at the end of the file.
    int ReadByte() {
        if (m_nInPos == m_nInEnd && Fill() == 0)
            return -1;
        return static_cast<unsigned char>(m_aInput[m_nInPos++]);
    }
    /// The byte `ahead` bytes after the next one, without reading it (-1 past the
    /// end of the file); ReadByte then takes the peeked bytes from the buffer.
    int PeekByte(std::size_t ahead);

private:
    void Flush();
    /// Drops the unread input and moves the descriptor back to the logical position.
    void DropInput();
    std::uint32_t Fill();
    [[noreturn]] void Fail(std::uint32_t number, int error) const;

    int m_nFd = -1;
    TString m_sPath;
    std::vector<char> m_aInput;  ///< read buffer; unread bytes in [m_nInPos, m_nInEnd)
    std::size_t m_nInPos = 0;
    std::size_t m_nInEnd = 0;
    std::string m_sOutput;  ///< pending output
};

/// A file of 8-bit text.
class TAnsiFile : public TFile {
public:
    using TFile::TFile;
    /// Writes the 8-bit form of `line` and CR LF.
    void PutAnsiLine(const TString& line) { PutLine(line); }
};

/// A file of UTF-16 text (little-endian unless a byte-order mark says otherwise).
class TUnicodeFile : public TFile {
public:
    /// What a file starts with.
    enum TKennung { kNoMark, kUtf8, kUtf16LE, kUtf16BE };

    using TFile::TFile;
    /// Reads the byte-order mark at the start of the file and skips it; without a
    /// mark the position stays at the start.  Sets the byte order of GetLine.
    TKennung ReadKennung();
    /// Writes the UTF-16LE byte-order mark.
    void WriteKennung();
    TKennung GetKennung() const { return m_nKennung; }

    /// Reads the next UTF-16 line (up to `maxLength` code units) as text.
    bool GetLine(TString& line, std::uint32_t maxLength = TString::kWholeText) override;
    /// Writes `line` as UTF-16 in the file's byte order, then CR LF.
    void PutLine(const TString& line) override;

protected:
    TKennung m_nKennung = kNoMark;
};

/// A text file read in the form its byte-order mark names: UTF-16 (either order)
/// or 8-bit; a UTF-8 mark is skipped.
class TAutoFile : public TUnicodeFile {
public:
    TAutoFile() = default;
    /// Opens `path` and, when it is opened for reading, reads its byte-order mark.
    explicit TAutoFile(const TString& path, unsigned mode = kRead);
    void Open(const TString& path, unsigned mode = kRead);

    /// True for a file with a UTF-16 byte-order mark.
    bool IsUnicode() const { return m_nKennung == kUtf16LE || m_nKennung == kUtf16BE; }
    bool GetLine(TString& line, std::uint32_t maxLength = TString::kWholeText) override;
    void PutLine(const TString& line) override;
};

/// The parts of a path: drive ("C:" or ""), directory (with its trailing
/// separator), name, extension (with its dot).  GetFullName gives the whole path.
class TFileString {
public:
    TFileString() = default;
    TFileString(const TString& path);  // NOLINT: implicit by design

    TString GetDrv() const { return m_sDrive; }
    TString GetDir() const { return m_sDir; }
    TString GetName() const { return m_sName; }
    TString GetExt() const { return m_sExt; }
    TString GetNameExt() const { return m_sName + m_sExt; }
    TString GetFullName() const { return m_sDrive + m_sDir + m_sName + m_sExt; }

private:
    TString m_sDrive;
    TString m_sDir;
    TString m_sName;
    TString m_sExt;
};

// Directories worked on through one handle, and the files the library writes in
// them: RCDirectory (a directory opened once), RCTempFile (a file written under a
// random temporary name, synced, then given its final name in the same directory)
// and RCSourceFile (a regular file opened for reading without blocking).
//
// Internal to the library (not installed).  Every name given to these is one entry
// of the directory (no separator); every call goes through TFileOps, so tests can
// make it fail.  Once opened, a directory stays the one it was: swapping it or a
// parent for a link meanwhile leads nothing elsewhere.  Errors are raised as library
// errors (TException, pending error set).  Objects are not shared between threads.
//
//   RCDirectory job(jobPath);
//   RCTempFile temp(job);
//   temp.Write(bytes.data(), bytes.size(), job.PathOf("plan.plt"));
//   temp.Finish(job.PathOf("plan.plt"));
//   temp.Commit("plan.plt", false);
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "ssl2/base/TString.h"

#pragma GCC visibility push(hidden)

/// One entry of a directory as its listing gives it.
struct RSDirEntry {
    std::string m_sName;
    /// DT_REG, DT_DIR, DT_LNK, ... of <dirent.h>; DT_UNKNOWN when the file system
    /// does not tell.
    unsigned char m_nType;
};

/// A directory opened once (O_DIRECTORY); its entries are made, renamed, removed
/// and looked at relative to that handle.
class RCDirectory {
public:
    /// Opens the directory `path` (links along it are followed: the caller chose
    /// them).  Raises when it is not a directory that can be opened.
    explicit RCDirectory(const TString& path);
    /// Opens the subdirectory `name` of `parent`; a link there is refused.
    RCDirectory(const RCDirectory& parent, const TString& name);
    RCDirectory(RCDirectory&& other) noexcept;
    RCDirectory& operator=(RCDirectory&&) = delete;
    RCDirectory(const RCDirectory&) = delete;
    RCDirectory& operator=(const RCDirectory&) = delete;
    ~RCDirectory();

    int Fd() const { return m_nFd; }
    /// The path it was opened by, for messages and for the paths a ticket names.
    const TString& GetPath() const { return m_sPath; }
    /// GetPath() + '/' + name.
    TString PathOf(const TString& name) const;

    /// True when an entry `name` exists: a file, a directory, a link (not followed).
    bool Has(const TString& name) const;
    /// True when `name` is a regular file itself (not a link).
    bool HasFile(const TString& name) const;
    /// The type bits (S_IFMT) of the entry `name` itself or, with `follow`, of what a
    /// link there leads to; 0 when there is none or it leads nowhere.
    mode_t TypeOf(const TString& name, bool follow) const;
    /// Every entry but "." and "..", in the order the file system lists them.  Raises
    /// when the directory cannot be read.
    std::vector<RSDirEntry> List() const;
    /// Makes the subdirectory `name`; false when an entry of that name exists.
    bool MakeDirectory(const TString& name) const;
    /// Removes the entry `name` itself (a link is never followed); a directory only
    /// when it is empty.  What cannot be removed stays.
    void Remove(const TString& name, bool directory) const noexcept;
    /// Unlinks the file `name`; raises when that fails (a missing file included).
    void Delete(const TString& name) const;
    /// Syncs the directory, so that entries made or renamed in it survive a power
    /// loss.  A file system that cannot sync a directory (EINVAL) counts as synced.
    void Sync() const;

private:
    int m_nFd = -1;
    TString m_sPath;
};

/// A file written under a random temporary name in a directory (O_EXCL|O_NOFOLLOW,
/// created with `mode` less the umask), then given its final name there; removed
/// when destroyed before that.
class RCTempFile {
public:
    explicit RCTempFile(const RCDirectory& dir, mode_t mode = 0666);
    RCTempFile(const RCTempFile&) = delete;
    RCTempFile& operator=(const RCTempFile&) = delete;
    ~RCTempFile();

    int Fd() const { return m_nFd; }
    /// Writes all of `data`; `target` names the final file in a raised error.
    void Write(const char* data, std::size_t size, const TString& target);
    /// Syncs and closes the file, so the final name never shows less than all of it.
    void Finish(const TString& target);
    /// Gives the finished file the name `name`.  With `replace` an existing entry
    /// there (file or link) is replaced; without it the result is false when `name`
    /// exists, and the file is kept for another try.
    bool Commit(const TString& name, bool replace);

private:
    bool CommitNoReplace(const std::string& name, const TString& target);

    const RCDirectory& m_Dir;
    std::string m_sName;
    int m_nFd = -1;
};

/// The source of a copy: opened without blocking (a FIFO never hangs the caller)
/// and refused unless it is a regular file.
class RCSourceFile {
public:
    explicit RCSourceFile(const TString& path);
    RCSourceFile(const RCSourceFile&) = delete;
    RCSourceFile& operator=(const RCSourceFile&) = delete;
    ~RCSourceFile();

    int Fd() const { return m_nFd; }
    mode_t Mode() const { return m_nMode; }
    /// Device and inode: two paths of one file give the same identity.
    std::pair<dev_t, ino_t> Identity() const { return {m_nDev, m_nIno}; }
    /// Copies the whole file into `temp` (with this file's permissions) and
    /// finishes it.
    void CopyTo(RCTempFile& temp, const TString& target);

private:
    TString m_sPath;
    int m_nFd = -1;
    mode_t m_nMode = 0644;
    dev_t m_nDev = 0;
    ino_t m_nIno = 0;
};

#pragma GCC visibility pop

// SslSupportFile and SslSupportFiles: the auxiliary files that travel with a job.
//
// A support file is the path of one file (it is a TString) and is serialisable
// (type number 6, member 0 the path).  The statement writes one line per file,
// each with its own line end: `SupportFile "/jobs/42/legend.pdf"` CR LF.  The job
// delivery copies the files into the target directory.  Used by the job entry,
// the writer, the grammar and the delivery.  Plain values without locks.
#pragma once

#include <vector>

#include "ssl2/SSLStatements/SslArrayContent.h"
#include "ssl2/SSLStatements/SslSerialMembers.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"

/// One auxiliary file that travels with a job: its path (the object is that text).
class SslSupportFile : public SslArrayContent, public TString, public RCSerializeBase {
public:
    SslSupportFile() = default;
    /// The file at `path`.
    SslSupportFile(const TString& path) : TString(path) {}  // NOLINT: a path is a support file
    ///@{
    /// Copies the path.
    SslSupportFile(const SslSupportFile&) = default;
    SslSupportFile& operator=(const SslSupportFile&) = default;
    SslSupportFile(SslSupportFile&&) = default;
    SslSupportFile& operator=(SslSupportFile&&) = default;
    ///@}
    ~SslSupportFile() override = default;

    // --- element interface: one text member with an empty name -------------------
    unsigned int SetString(const std::string& text, std::uint32_t member) override;
    std::string GetString(std::uint32_t member) const override;
    std::uint32_t GetContainedMemberCount() const override { return 1; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    TString GetSubStatementName(std::uint32_t member) override;
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;

    /// The same path, byte for byte.
    bool operator==(const SslSupportFile& other) const { return str() == other.str(); }

    // --- serialisation (type number 6) ---------------------------------------------
    ///@{
    static constexpr std::uint32_t kTypeNumber = 6;
    /// The wire form through RCSerializeBase: data type MakeDataTypeId(17, 6), the
    /// member table list and the functions that write and read each member.
    static std::uint32_t GetClassDataType() { return MakeDataTypeId(17, kTypeNumber); }
    std::uint32_t GetDataType() const override { return GetClassDataType(); }
    const _TIDFunctionTableList* GetFunctionTableList() const override {
        return &InitFunctionTableList();
    }
    static const _TIDFunctionTableList& InitFunctionTableList();
    static const _TIDFunctionTuple m_IDFunciontArray[];
    SSL2_SER_MEMBER_DECLARE(m_sPath)
    ///@}
};

/// The statement "SupportFile": the list of auxiliary files of a job, one SSL line
/// per file.  The delivery copies the files into the target directory.
class SslSupportFiles final
    : public TSslStatementImpl<SslSupportFiles, kId_SslSupportFiles, SslStatement> {
public:
    /// The files in list order.
    using RCSupportFileList = std::vector<SslSupportFile>;

    SslSupportFiles();

    /// One line per file, each ending with CR LF (the empty text for no file).
    TString ToString() const override;
    /// Member 0 of element `element`: the path of that file.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetArrayCount() const override { return GetSupportFileCount(); }
    std::uint32_t GetContainedType(std::uint32_t member) const override;

    /// Appends a file; returns the new count.
    std::uint32_t AddSupportFile(const TString& path);
    /// 1 when the file existed and was removed, else 0.
    unsigned int RemoveSupportFile(std::uint32_t index);
    /// Empties the list; returns the former count.
    std::uint32_t RemoveAll();
    /// Raises "SslErrors" 0 ("m_SupportFileList", index, count) for an index not
    /// below the count.
    const SslSupportFile& GetSupportFile(std::uint32_t index) const;
    /// The same, for changing the file in place.
    SslSupportFile& GetSupportFile(std::uint32_t index);
    /// The number of files.
    std::uint32_t GetSupportFileCount() const;
    /// The whole list.
    const RCSupportFileList& GetSupportFileList() const { return m_SupportFileList; }

    /// Equal lists (same paths in the same order).
    bool operator==(const SslSupportFiles& other) const {
        return m_SupportFileList == other.m_SupportFileList;
    }

private:
    RCSupportFileList m_SupportFileList;
};

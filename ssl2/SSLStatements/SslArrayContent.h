// SslArrayContent: the interface of one element of an array or list inside a
// statement (pens, colours, stamps, addresses, support files).
//
// The containing statement passes its generic member interface through to the
// element selected by the element number, so every element class describes its own
// members: count, member-type codes, display names, keyword lists and values as
// 8-bit text.  Plain values; no locks.
#pragma once

#include <cstdint>
#include <string>

#include "ssl2/SSLStatements/SslStatement.h"
#include "ssl2/base/TString.h"

/// The generic member interface of one element of a list inside a statement.
class SslArrayContent {
public:
    SslArrayContent() = default;
    SslArrayContent(const SslArrayContent&) = default;             ///< copies nothing
    SslArrayContent& operator=(const SslArrayContent&) = default;  ///< assigns nothing
    SslArrayContent(SslArrayContent&&) = default;                  ///< moves nothing
    SslArrayContent& operator=(SslArrayContent&&) = default;       ///< moves nothing
    /// The interface holds no values, so element classes may default their own
    /// comparison.
    bool operator==(const SslArrayContent&) const = default;

    /// Sets `member` from 8-bit text (as SslStatement::SetString); non-zero when the
    /// text was taken.
    virtual unsigned int SetString(const std::string& text, std::uint32_t member) = 0;
    /// The value of `member` as UTF-8 text.
    virtual std::string GetString(std::uint32_t member) const = 0;
    /// The number of members of the element.
    virtual std::uint32_t GetContainedMemberCount() const = 0;
    /// Member type code of `member` (0 for a member out of range).
    virtual std::uint32_t GetContainedType(std::uint32_t member) const = 0;
    /// The name of `member`.
    virtual TString GetSubStatementName(std::uint32_t member) = 0;
    /// Keyword list of a selection member: the count, and the list through `keywords`.
    virtual std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                      const RCStatementInfluencingCapaRefined* capas) const = 0;
    virtual ~SslArrayContent() = default;
};

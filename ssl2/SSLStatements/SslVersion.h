// SslVersion: the SSL dialect of a ticket, "unknown", "1.5" to "5.0", "newer".
// Its keywords 1 to 4 are the dialect names of SslStatement::TSyntaxVersion.
#pragma once

#include "ssl2/SSLStatements/SslSelectionStatements.h"

/// The SSL dialect of a ticket: "unknown" (0), "1.5", "3.0", "4.0", "5.0" (4),
/// "newer" (5).
class SslVersion final : public TSslSelection<SslVersion, kId_SslVersion> {
public:
    SslVersion() : TSslSelection(0, 5) {}

    SSL2_SEL_KEYWORDS("unknown", "1.5", "3.0", "4.0", "5.0", "newer")
    SSL2_SEL_UI(SSL2_MSG(0, 26), RSIndexString(1, "1.5"), RSIndexString(2, "3.0"),
                RSIndexString(3, "4.0"), RSIndexString(4, "5.0"), SSL2_MSG(5, 89))

    /// The keyword of the index.
    TString GetAsString() const { return GetKeyword(); }
    /// Reads a version number (decimal, 0x.. hex or 0.. octal): 0 selects "unknown"
    /// and returns 0; 1 and 2 select "1.5", 3 "3.0", 4 "4.0", 5 "5.0", 6 and above
    /// "newer", returning non-zero.  A text without a number returns 0 and changes
    /// nothing.
    unsigned int SetAsString(const TString& text);

    ///@{
    /// Compares the dialects by index ("newer" is the largest).
    bool operator==(const SslVersion& other) const { return m_Index == other.m_Index; }
    bool operator<(const SslVersion& other) const { return m_Index < other.m_Index; }
    bool operator>(const SslVersion& other) const { return m_Index > other.m_Index; }
    ///@}
};

// The string and compound-string statements that only fix identifier, name and
// statement type, generated from the lists below, and the three string
// statements with behaviour of their own (SslError, SslNotes, SslPlotOption).
#pragma once

#include "ssl2/SSLStatements/SslError.h"
#include "ssl2/SSLStatements/SslNotes.h"
#include "ssl2/SSLStatements/SslPlotOption.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"

// clang-format off
#define SSL2_PLAIN_STRING_STATEMENTS(X)                                                      \
    X(SslAccount) X(SslArchivReferenz) X(SslComment) X(SslCopyrigth) X(SslCostCenter)        \
    X(SslCreationAppl) X(SslCustomer) X(SslDirectory) X(SslDistribution) X(SslJobName)       \
    X(SslName) X(SslOrigDirectory) X(SslOrigName) X(SslProfil) X(SslUserName)                \
    X(SslScanColorProfileName) X(SslPlotColorProfileName) X(SslContact) X(SslPoNumber)       \
    X(SslProject) X(SslPlotDate) X(SslReceiveDate) X(SslDeliveryDate) X(SslDeliveryMethod)   \
    X(SslDeliveryTime) X(SslDryMountEdging) X(SslDryMountSpecs) X(SslDryMountTrim)           \
    X(SslEdging1) X(SslEdging2) X(SslFinishingInstructions) X(SslLaminateSpecs)              \
    X(SslMediaAsString1) X(SslMediaAsString2) X(SslReimbursable) X(SslSetDistribution)       \
    X(SslOriginHost) X(SslPageRange) X(SslUserId)

#define SSL2_COMPOUND_STRING_STATEMENTS(X) X(SslHpglAsString) X(SslPdfAsString) X(SslPsAsString)
// clang-format on

#define SSL2_TEXT_STATEMENT_CLASS(cls, family)                           \
    class cls final : public TSslStatementImpl<cls, kId_##cls, family> { \
    public:                                                              \
        cls()                                                            \
            : TSslStatementImpl(kSslStatementTypes[m_StatementID],       \
                                kSslStatementNames[m_StatementID]) {}    \
    };
#define SSL2_STRING_CLASS(cls) SSL2_TEXT_STATEMENT_CLASS(cls, SslStringStatement)
#define SSL2_COMPOUND_CLASS(cls) SSL2_TEXT_STATEMENT_CLASS(cls, SslCompoundStringStatement)
SSL2_PLAIN_STRING_STATEMENTS(SSL2_STRING_CLASS)
SSL2_COMPOUND_STRING_STATEMENTS(SSL2_COMPOUND_CLASS)
#undef SSL2_STRING_CLASS
#undef SSL2_COMPOUND_CLASS
#undef SSL2_TEXT_STATEMENT_CLASS

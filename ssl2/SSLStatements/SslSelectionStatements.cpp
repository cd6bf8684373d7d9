#include "ssl2/SSLStatements/SslSelectionStatements.h"

#include "ssl2/base/TMessage.h"
#include "ssl2/sslmessages.h"

TString SslStatementString(std::uint32_t number) {
    return VEMTO::GetMessage(RMCSslStatementStrings(), number);
}

// Every statement class, for code that handles statements by identifier (the
// factory, the job entry, the reader).
#pragma once

#include "ssl2/SSLStatements/SslStatement.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"
#include "ssl2/SSLStatements/SslNumberStatement.h"
#include "ssl2/SSLStatements/SslSelectionStatement.h"
#include "ssl2/SSLStatements/SslSizeStatements.h"
#include "ssl2/SSLStatements/SslMargin.h"
#include "ssl2/SSLStatements/SslFold.h"

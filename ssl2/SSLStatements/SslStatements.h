// Every statement class, for code that handles statements by identifier (the
// factory, the job entry, the reader).
#pragma once

#include "ssl2/SSLStatements/SslColorDepth.h"
#include "ssl2/SSLStatements/SslJobPriority.h"
#include "ssl2/SSLStatements/SslMediaType.h"
#include "ssl2/SSLStatements/SslNesting.h"
#include "ssl2/SSLStatements/SslNumberStatement.h"
#include "ssl2/SSLStatements/SslNumberStatements.h"
#include "ssl2/SSLStatements/SslOnError.h"
#include "ssl2/SSLStatements/SslOutputBin.h"
#include "ssl2/SSLStatements/SslOutputTray.h"
#include "ssl2/SSLStatements/SslSelectionStatement.h"
#include "ssl2/SSLStatements/SslSelectionStatements.h"
#include "ssl2/SSLStatements/SslStatement.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"
#include "ssl2/SSLStatements/SslStringStatements.h"
#include "ssl2/SSLStatements/SslVersion.h"

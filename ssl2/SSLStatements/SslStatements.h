// Every statement class, for code that handles statements by identifier (the
// factory, the job entry, the reader).
#pragma once

#include "ssl2/SSLStatements/SslStatement.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"
#include "ssl2/SSLStatements/SslNumberStatement.h"
#include "ssl2/SSLStatements/SslSelectionStatement.h"
#include "ssl2/SSLStatements/SslAddresses.h"
#include "ssl2/SSLStatements/SslDocumentBox.h"
#include "ssl2/SSLStatements/SslEMail.h"
#include "ssl2/SSLStatements/SslEarliestPlotTime.h"
#include "ssl2/SSLStatements/SslFileInfo.h"
#include "ssl2/SSLStatements/SslJobFlagsheet.h"
#include "ssl2/SSLStatements/SslJobPlotter.h"
#include "ssl2/SSLStatements/SslSecurityPrint.h"
#include "ssl2/SSLStatements/SslSupportFiles.h"
#include "ssl2/SSLStatements/SslUserHash.h"

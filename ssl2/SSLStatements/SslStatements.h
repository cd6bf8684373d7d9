// Every statement class, for code that handles statements by identifier (the
// factory, the job entry, the reader).
#pragma once

#include "ssl2/SSLStatements/SslStatement.h"

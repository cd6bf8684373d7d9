// ssl2: read, change, write and deliver SSL job tickets.
//
// The umbrella header: includes the whole exported interface.
#pragma once

// An append-only list (merged as a union of lines): keep the order, never sort it.
// clang-format off
#include "ssl2/version.h"

#include "ssl2/base/ILog.h"
#include "ssl2/base/RCMutex.h"
#include "ssl2/base/RCSerializeBase.h"
#include "ssl2/base/RCUnit.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TMessage.h"
#include "ssl2/base/TString.h"
#include "ssl2/SSLStatements/SslStatement.h"
#include "ssl2/SSLStatements/SslMemberValues.h"
#include "ssl2/sslmessages.h"
#include "ssl2/access/RCAccessSsl.h"
#include "ssl2/capas/RCIniStringInterface.h"
#include "ssl2/capas/RCReaderDiagnostics.h"
#include "ssl2/capas/RCRcfStringInterface.h"
#include "ssl2/capas/RCStatementInfluencingCapaRaw.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"
#include "ssl2/capas/RCStatementInfluencingCapas.h"
#include "ssl2/capas/SslCapas.h"
#include "ssl2/support/CMD5Checksum.h"
#include "ssl2/base/TFile.h"
#include "ssl2/base/PFileBrowser.h"
#include "ssl2/base/RCPageRangeParser.h"
#include "ssl2/base/RCUncPath2LocalPath.h"
#include "ssl2/base/TPoint.h"
#include "ssl2/base/TRCMultiObjectContainer.h"
#include "ssl2/entry/RCSslEntry.h"
#include "ssl2/set/RCSslSet.h"
#include "ssl2/set/SslDiagnostic.h"
#include "ssl2/layout/SslLayout.h"
#include "ssl2/layout/SslPreview.h"

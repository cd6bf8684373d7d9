/* Grammar of capability INI text: a sequence of sections, each a section header
   followed by key/value entries.  Lists are left-recursive, so the parser stack
   stays flat however long the text is. */
%define api.pure full
/* Reduce only where no other action is possible, so an error is seen at the token
   that causes it, before the end of the text is taken as reached. */
%define lr.default-reduction consistent
%define api.prefix {ini_}
%define api.value.type {const std::string*}
%param {void* scanner}
%parse-param {SslCapasReader::RCParseContext* ctx}

%code requires {
#include <string>
#pragma GCC visibility push(hidden)
namespace SslCapasReader { class RCParseContext; }
#pragma GCC visibility pop
}

%code {
#include "ssl2/capas/RCReaderContext.h"

int ini_lex(INI_STYPE* value, void* scanner);
static void ini_error(void*, SslCapasReader::RCParseContext* ctx, const char* message) {
    ctx->SyntaxError(message);
}
using SslCapasReader::Decoded;
using SslCapasReader::Lowered;
}

%token SECTION KEY VALUE

%%

ini
    : sections                   { ctx->m_bInParser = false; }
    ;
sections
    : %empty
    | sections section
    ;
section
    : SECTION                    { const std::string& s = *$1;
                                   ctx->m_sSection = Decoded(Lowered(s.substr(1, s.size() - 2))); }
      entries
    ;
entries
    : %empty
    | entries entry
    ;
entry
    : KEY                        { ctx->m_sKey = Decoded(Lowered(*$1)); }
      VALUE                      { ctx->Store(Decoded(*$3)); }
    ;

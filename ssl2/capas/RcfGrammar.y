/* Grammar of RCF headers: BEGMF, one item, any number of sections (a name and its
   items), ENDMF.  An item is key = value, a key alone, or a lone separator, each
   closed by a separator.  Lists are left-recursive. */
%define api.pure full
/* Reduce only where no other action is possible, so an error is seen at the token
   that causes it, before the end of the text is taken as reached. */
%define lr.default-reduction consistent
%define api.prefix {rcf_}
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

int rcf_lex(RCF_STYPE* value, void* scanner);
static void rcf_error(void*, SslCapasReader::RCParseContext* ctx, const char* message) {
    ctx->SyntaxError(message);
}
using SslCapasReader::Decoded;
using SslCapasReader::Uppered;

// A section name: upper case, one trailing blank (space or tab) dropped, escapes undone.
static TString SectionName(std::string text) {
    text = Uppered(std::move(text));
    if (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return Decoded(text);
}
}

%token BEGMF ENDMF SECTION KEY EQUALS VALUE SEPARATOR

%%

rcf
    : BEGMF                      { ctx->m_sSection = "BEGMF"; }
      item sections ENDMF        { ctx->m_bInParser = false; }
    ;
sections
    : %empty
    | sections section
    ;
section
    : SECTION                    { ctx->m_sSection = SectionName(*$1); }
      items
    ;
items
    : %empty
    | items item
    ;
item
    : key EQUALS VALUE SEPARATOR { ctx->Store(Decoded(*$3)); }
    | key EQUALS SEPARATOR       { ctx->Store(TString()); }
    | key SEPARATOR              { ctx->Store(TString()); }
    | SEPARATOR                  { ctx->m_sKey = TString(); ctx->Store(TString()); }
    ;
key
    : KEY                        { ctx->m_sKey = Decoded(Uppered(*$1)); }
    ;

/* Grammar of SSL job tickets (LALR(1)).
 *
 * A ticket is "BeginJob", the job statements, any number of "BeginOutput" ...
 * "EndOutput" blocks (one per printed file) and "EndJob".  Statement and item
 * lists are left-recursive, so the parser stack stays flat however long a ticket
 * is.  Multi-line statements (addresses, pens, stamps, ...) recover from a bad
 * sub-line: the statement's error note goes into the entry and reading goes on
 * with the next line.  Any other syntax error abandons the parse; the entries
 * stored until then stay in the set.
 *
 * Every action works on the parse context (ctx): the entry being filled is
 * ctx->m_CurrentEntry.  Every length goes through ctx->Length, which converts it
 * from the ticket's unit (or its own) to millimetres.
 */

%define api.pure full
%define api.prefix {SslYy}
%define parse.error simple
%define api.token.raw
/* T_EOL after the job statements: an empty statement line (shift), not the empty
   lines between output blocks; T_EOL after a one-line statement: its own line end
   (shift), not an empty statement line (see statements). */
%expect 3
%parse-param {ssl2::internal::SslParseContext* ctx}
%lex-param {ssl2::internal::SslParseContext* ctx}

%code requires {
#include <cstdint>
#include "ssl2/set/SslParseContext.h"
}

%code provides {
int SslYylex(SSLYYSTYPE* value, ssl2::internal::SslParseContext* ctx);
void SslYyerror(ssl2::internal::SslParseContext* ctx, const char* message);
}

%code {
#include "ssl2/set/RCSslSet.h"

using namespace ssl2::internal;

#define E (ctx->m_CurrentEntry)
#define S(slot) (ctx->String(slot))
/* The Hpgl and Vic statements share their items. */
#define HPGL_OR_VIC(part, ...)                         \
    do {                                               \
        if (ctx->m_nPlotter == kPlotterVic)            \
            TOOK(E.SetVic##part(__VA_ARGS__));         \
        else                                           \
            TOOK(E.SetHpgl##part(__VA_ARGS__));        \
    } while (0)
#define FLAG(v) ((v) != 0 ? 1u : 0u)
/* A setter whose refusal gets an error note (the statement keeps its value). */
#define TOOK(call) ctx->Took(call)
#define YYINITDEPTH 200
#define YYMAXDEPTH 10000
}

/* Every member is 8 bytes wide, so the value is one machine word: the parser copies
   it at every shift and reduction, and members of mixed widths made each copy wait
   for a partial store to complete. */
%union {
    std::int64_t kw;
    std::int64_t integer;
    std::uint64_t hex;
    double real;
    std::int64_t str;
    struct { std::int32_t family, format; } fmt;
}

%token T_BEGINJOB T_ENDJOB T_BEGINOUTPUT T_ENDOUTPUT T_VERSION T_EOL
%token <str> T_STRING T_LONGSTRING
%token <integer> T_INTEGER
%token <hex> T_HEX
%token <real> T_FLOAT

/* statement keywords; the value names the statement within its group */
%token <kw> S_TEXT S_NUMBER S_SWITCH S_SWITCHINT S_OPTSWITCH S_LONGSTRING
%token <kw> S_EDGING S_MEDIASTRING S_HPGL S_COLOUREMULATION S_PENS S_SIZE S_ZOOM
%token <kw> S_IGNORED S_OVERLAY S_ADDRESS S_CALCOMP S_COLORDEPTH S_CONFIRMATION
%token <kw> S_CUTMETHOD S_DOCUMENTBOX S_EMAIL S_FILEEMULATION S_FILEINFO S_FOLD
%token <kw> S_HEADERPOSITION S_IMAGECONTENT S_JOBFLAGSHEET S_JOBPLOTTER S_JOBPRIORITY
%token <kw> S_JOBSORT S_MARGIN S_MEDIAFEED S_MEDIAPOSITION S_MEDIATYPE S_MIRROR
%token <kw> S_ONERROR S_OUTPUTBIN S_OUTPUTTRAY S_PLACEMENT S_PLOTPROFILESOURCE
%token <kw> S_PRINTQUALITY S_RENDERINGINTENT S_ROTATE S_SCANPROFILESOURCE
%token <kw> S_SECURITYPRINT S_STAMP S_SUPPORTFILE S_UNITS

/* argument words */
%token A_ACCOUNT A_ALLPAGES A_AUTODETECT A_BICOLORRGB A_BIN A_BMP A_BMPORIENTATION
%token A_BMPDISTANCE A_CHECKSUM A_CITY A_COUNTY A_COUNTRY A_CLIPPING A_COLOR
%token A_CONTACTPERSON A_CONTACTINFO A_COORDINATE A_COMPANY A_DISTANCE A_DISTRIBUTION
%token A_DITHERMODE A_DOUBLESYNC A_EMAIL A_EOM A_FILE A_FAX A_FILEWITHFALLBACK
%token A_FILEPENCOLOR A_FILEPENSIZE A_FONT A_FONTATTRIBUTE A_FONTCOLOR A_FONTSIZE
%token A_FRAME A_FRAMESIZE A_FRAMETEXTDISTANCE A_IGNOREPENS A_IGNOREPENSIZE A_JOB
%token A_LEVEL A_MAXWIDTH A_MINWIDTH A_MIRROR A_NAME A_NUMBER A_NUMBERING A_OPTION
%token A_ORIGINAL A_OUTPUTBIN A_OUTPUTTRAY A_OVERLAY A_PAGE A_PATTERN A_PATTERNTYPE
%token A_PENSCALE A_PHOTO A_POSITION A_POSITIONSCALE A_PRG A_PROPORTIONAL A_RAW
%token A_ROTATE A_SATURATION A_SCALETOFIT A_FITTOPRINTWINDOW A_FOLDTRAY A_SET A_SSL A_SIZE
%token A_STEPSIZE A_SYNC A_TEXT A_TRAY A_TYPE A_WIDTH A_WINDOW A_ZIPCODE A_RGB A_ALL
%token A_ANSI A_ARC A_ASIA A_AUTO A_DEFAULT A_CIRCLE A_DARK A_ERRORDIFFUSION
%token A_LOADABLEPATTERN A_MANUAL A_SUBTYPE A_MINUS A_NORMAL A_ORDEREDDITHER A_RANDOM
%token A_REVERSE A_STANDARD A_DRAFT A_SYNCHRO A_TRANSPARENT A_DIN A_UNKNOWN A_CREATOR
%token <kw> A_LINE A_PHONE

/* argument words with a value */
%token <kw> V_SWITCH V_SIDE V_SERIES V_SIZECLASS V_FOLDFORMAT V_DINFORMAT V_FILETYPE
%token <kw> V_HEADERWORD V_COLOURNAME V_FEEDMODE V_MEDIAKIND V_AXIS V_OVERLAYMODE
%token <kw> V_POSITION V_ERRORMODE V_TRAYSIDE V_PRIORITY V_UNITWORD V_INTENTWORD
%token <kw> V_COLOURMODE V_ADDRESSKIND
%token V_FONTSTYLE

%type <real> number
%type <kw> colour media_kind
%type <fmt> format

%%

ticket
    : T_BEGINJOB creator { ctx->BeginJob(); }
      statements { if (!ctx->EndJobStatements()) YYABORT; }
      blocks T_ENDJOB { ctx->m_pSet->ParsedTilEnd(1); }
    ;

creator
    : %empty
    | T_STRING
    | A_CREATOR
    ;

blocks
    : %empty
    | blocks block
    | blocks T_EOL
    ;

block
    : T_BEGINOUTPUT T_EOL { ctx->BeginFile(); } statements T_ENDOUTPUT T_EOL { ctx->EndFile(); }
    ;

/* The statements of the job or of one file, one rule per kind of statement: a
   separate "statement" symbol would cost the parser a step per line.  A one-line
   statement takes its own line end (the conflicts this adds resolve as shifts),
   which saves two more; without one it still ends where the next word begins, as
   in "Copies 2 EndOutput". */
statements
    : %empty
    | statements T_EOL
    | statements simple_statement T_EOL
    | statements simple_statement
    | statements size_statement T_EOL
    | statements size_statement
    | statements address
    | statements hpgl
    | statements calcomp
    | statements colour_emulation
    | statements pens
    | statements fold
    | statements flagsheet
    | statements margin
    | statements stamp
    ;

number
    : T_INTEGER { $$ = $1; }
    | T_FLOAT { $$ = $1; }
    ;

/* ---- statements of one line -------------------------------------------------- */

simple_statement
    : S_TEXT T_STRING { ctx->SetText($1, S($2)); }
    | T_VERSION T_STRING { E.SetVersionString(S($2)); }
    | S_EDGING T_STRING T_EOL {
          if ($1 == 1) E.SetEdging1(S($2));
          else if ($1 == 2) E.SetEdging2(S($2));
      }
    | S_MEDIASTRING T_STRING {
          if ($1 == 1) E.SetMediaAsString1(S($2));
          else if ($1 == 2) E.SetMediaAsString2(S($2));
      }
    | S_JOBPLOTTER T_STRING { E.SetJobPlotter(S($2)); }
    | S_JOBPLOTTER A_AUTO { E.SetJobPlotter(TString()); }
    | S_EMAIL A_ALL T_STRING { E.SetEMail(S($3)); }
    | S_EMAIL V_SWITCH { E.SetEMail(TString()); }
    | S_SECURITYPRINT T_STRING { E.SetSecurityPrintCode(S($2)); }
    | S_SECURITYPRINT V_SWITCH { E.SetSecurityPrintOn($2); }
    | S_SUPPORTFILE T_STRING {
          TString path = S($2);
          if (!path.IsEmpty()) E.AddSupportFile(path);
      }
    | S_DOCUMENTBOX T_STRING { E.SetDocumentBoxUserName(S($2)); }
      T_STRING { E.SetDocumentBoxCode(S($4)); }
      T_STRING { E.SetDocumentBoxJobName(S($6)); }
    | S_DOCUMENTBOX V_SWITCH { E.SetDocumentBoxOff(); }
    | S_NUMBER T_INTEGER { ctx->SetNumber($1, $2); }
    | S_CONFIRMATION V_SWITCH { E.SetConfirmation($2); }
    | S_CONFIRMATION { E.SetConfirmation(0); }
    | S_SWITCH V_SWITCH { ctx->SetSwitch($1, $2); }
    | S_SWITCHINT V_SWITCH { ctx->SetSwitchInt($1, $2); }
    | S_SWITCHINT T_INTEGER { ctx->SetSwitchInt($1, $2 != 0 ? 1 : 0); }
    | S_OPTSWITCH V_SWITCH { ctx->SetOption($1, $2); }
    | S_OPTSWITCH V_SWITCH T_INTEGER { ctx->SetOptionWithOptions($1, $2, $3); }
    | S_COLORDEPTH T_INTEGER {
          std::uint32_t depth = 0;
          switch ($2) {
              case 0: case 1: case 8: case 64: depth = static_cast<std::uint32_t>($2); break;
              case 2: depth = 8; break;
              case 4: case 16: case 32: case 128: case 256: case 512: case 1024: case 2048:
                  depth = 64;
                  break;
              default: break;
          }
          E.SetColorDepth(depth);
      }
    | S_CUTMETHOD A_STANDARD { E.SetCutMethod(0); }
    | S_CUTMETHOD A_SYNCHRO { E.SetCutMethod(1); }
    | S_FILEEMULATION V_FILETYPE { E.SetFileEmulation($2); }
    | S_FILEEMULATION A_AUTO { E.SetFileEmulation(0); }
    | S_FILEEMULATION A_BMP { E.SetFileEmulation(8); }
    | S_HEADERPOSITION A_UNKNOWN { E.SetHeaderPosition(0); }
    | S_HEADERPOSITION V_POSITION { E.SetHeaderPosition($2); }
    | S_HEADERPOSITION A_AUTO { E.SetHeaderPosition(16); }
    | S_JOBPRIORITY V_PRIORITY { E.SetJobPriority($2); }
    | S_JOBPRIORITY A_NORMAL { E.SetJobPriority(2); }
    | S_JOBSORT A_AUTO { E.SetJobSort(0); }
    | S_JOBSORT A_STANDARD { E.SetJobSort(1); }
    | S_JOBSORT A_REVERSE { E.SetJobSort(2); }
    | S_MEDIAFEED V_FEEDMODE { E.SetMediaFeed($2); }
    | S_MEDIAFEED A_MANUAL { E.SetMediaFeed(3); }
    | S_MEDIAPOSITION V_POSITION { E.SetMediaPosition($2); }
    | S_MEDIAPOSITION A_AUTO { E.SetMediaPosition(16); }
    | S_MEDIATYPE media_kind { E.SetMediaType($2); }
    | S_MEDIATYPE media_kind A_SUBTYPE T_INTEGER {
          E.SetMediaType($2);
          TOOK(E.SetMediaSubType($4));
      }
    | S_MIRROR V_AXIS { E.SetMirror($2); }
    | S_MIRROR V_SWITCH {
          if ($2 == 0) E.SetMirror(0);
          else E.AppendError("Error: Mirror On\n");
      }
    | S_ONERROR V_ERRORMODE { E.SetOnError($2); }
    | S_OUTPUTBIN A_AUTO { E.SetOutputBin(0); }
    | S_OUTPUTBIN A_MANUAL { E.SetOutputBin(1); }
    | S_OUTPUTBIN A_BIN T_INTEGER { TOOK(E.SetOutputBinNo($3)); }
    | S_OUTPUTBIN T_INTEGER { TOOK(E.SetOutputBinNo($2)); }
    | S_OUTPUTTRAY V_TRAYSIDE { E.SetOutputTray($2); }
    | S_OUTPUTTRAY A_AUTO { E.SetOutputTray(0); }
    | S_OUTPUTTRAY A_DEFAULT { E.SetOutputTray(1); }
    | S_PLOTPROFILESOURCE A_DEFAULT { E.SetPlotColorProfileSource(0); }
    | S_PLOTPROFILESOURCE A_SSL { E.SetPlotColorProfileSource(1); }
    | S_PLOTPROFILESOURCE A_RAW { E.SetPlotColorProfileSource(2); }
    | S_SCANPROFILESOURCE A_DEFAULT { E.SetScanColorProfileSource(0); }
    | S_SCANPROFILESOURCE A_FILE { E.SetScanColorProfileSource(1); }
    | S_SCANPROFILESOURCE A_SSL { E.SetScanColorProfileSource(2); }
    | S_SCANPROFILESOURCE A_RAW { E.SetScanColorProfileSource(3); }
    | S_SCANPROFILESOURCE A_FILEWITHFALLBACK { E.SetScanColorProfileSource(4); }
    | S_IMAGECONTENT A_DEFAULT { E.SetImageContent(0); }
    | S_IMAGECONTENT A_AUTO { E.SetImageContent(0); }
    | S_IMAGECONTENT A_LINE { E.SetImageContent(1); }
    | S_IMAGECONTENT A_PHOTO { E.SetImageContent(2); }
    | S_PRINTQUALITY A_DRAFT { E.SetPrintQuality(0); }
    | S_PRINTQUALITY A_STANDARD { E.SetPrintQuality(1); }
    | S_PRINTQUALITY V_PRIORITY {
          if ($2 == 1) E.SetPrintQuality(0);
          else if ($2 == 3) E.SetPrintQuality(2);
      }
    | S_RENDERINGINTENT V_INTENTWORD { E.SetRenderingIntent($2); }
    | S_RENDERINGINTENT A_SATURATION { E.SetRenderingIntent(2); }
    | S_ROTATE A_AUTO { E.SetRotate(0); }
    | S_ROTATE T_INTEGER {
          switch ($2) {
              case 0: E.SetRotate(1); break;
              case 90: E.SetRotate(2); break;
              case 180: E.SetRotate(3); break;
              case 270: E.SetRotate(4); break;
              default: ctx->Refused(); break;
          }
      }
    | S_UNITS V_UNITWORD { ctx->SetUnits(static_cast<std::uint32_t>($2)); }
    | S_LONGSTRING T_LONGSTRING { ctx->SetLongString($1, S($2)); }
    | S_FILEINFO fileinfo_values { ctx->EndFileInfo(); }
    | S_IGNORED
    | S_OVERLAY { E.AppendError("Overlay: ignored\n"); }
    | S_PLACEMENT V_POSITION
    | S_PLACEMENT T_FLOAT T_FLOAT
    | S_PLACEMENT T_FLOAT T_FLOAT V_UNITWORD
    ;

media_kind
    : V_MEDIAKIND { $$ = $1; }
    | A_TRANSPARENT { $$ = 3; }
    ;

/* At least one number first, then numbers and colour modes. */
fileinfo_values
    : T_HEX {
          ctx->BeginFileInfo();
          ctx->FileInfoHex($1);
      }
    | fileinfo_values T_HEX { ctx->FileInfoHex($2); }
    | fileinfo_values V_COLOURMODE { E.SetFileInfoColor($2); }
    ;

/* ---- sizes ---------------------------------------------------------------------- */

size_statement
    : S_SIZE size_form { ctx->StoreSize($1); }
    | S_ZOOM size_form { ctx->StoreSize($1); }
    | S_ZOOM zoom_form { ctx->StoreSize($1); }
    ;

size_form
    : A_AUTO { ctx->SizeOfType(SslSize::kAuto); }
    | A_MANUAL { ctx->SizeOfType(SslSize::kManual); }
    | format { ctx->SizeFormat(SslSize::kFormat, $1.family, $1.format); }
    | A_FITTOPRINTWINDOW format {
          ctx->SizeFormat(SslSize::kFitToPrintWindow, $2.family, $2.format);
      }
    | A_WINDOW dims { ctx->SizeWindow(SslSize::kUnproportional, ctx->m_Dims); }
    | A_PROPORTIONAL dims { ctx->SizeWindow(SslSize::kProportional, ctx->m_Dims); }
    ;

zoom_form
    : A_AUTO A_AUTO { ctx->SizeOfType(SslSize::kAuto); }
    | A_SCALETOFIT { ctx->SizeOfType(SslSize::kScaleToFitRoll); }
    | A_SCALETOFIT A_SCALETOFIT { ctx->SizeOfType(SslSize::kScaleToFitRoll); }
    | A_ORIGINAL { ctx->SizeOfType(SslSize::kOriginal); }
    | A_ORIGINAL A_ORIGINAL { ctx->SizeOfType(SslSize::kOriginal); }
    | T_FLOAT T_FLOAT { ctx->SizeFactors($1, $2); }
    | T_INTEGER T_INTEGER {
          ctx->SizeFactors(static_cast<double>($1), static_cast<double>($2));
      }
    ;

format
    : A_DIN V_DINFORMAT { $$.family = 0; $$.format = $2; }
    | V_DINFORMAT { $$.family = 0; $$.format = $1; }
    | A_ANSI V_SERIES { $$.family = 1; $$.format = $2; }
    | A_ARC V_SERIES { $$.family = 2; $$.format = $2; }
    | A_ASIA V_DINFORMAT { $$.family = 3; $$.format = $2 - 7; }
    | V_FOLDFORMAT { $$.family = 4; $$.format = $1; }
    ;

/* Two window dimensions, optionally in a unit of their own: kept in the context
   (ctx->m_Dims) for the enclosing rule, which uses them at once. */
dims
    : T_FLOAT T_FLOAT { ctx->m_Dims = {$1, $2, 0}; }
    | T_FLOAT T_FLOAT V_UNITWORD { ctx->m_Dims = {$1, $2, static_cast<std::uint32_t>($3)}; }
    | T_INTEGER T_INTEGER {
          ctx->m_Dims = {static_cast<double>($1), static_cast<double>($2), 0};
      }
    | T_INTEGER T_INTEGER V_UNITWORD {
          ctx->m_Dims = {static_cast<double>($1), static_cast<double>($2),
                         static_cast<std::uint32_t>($3)};
      }
    ;

/* ---- addresses ------------------------------------------------------------------- */

address
    : S_ADDRESS T_STRING T_EOL {
          ctx->m_Address = SslAddress();
          ctx->m_Address.SetName(S($2));
          ctx->m_bHolding = true;
      }
      address_lines {
          E.AddAddress(ctx->m_Address);
          ctx->m_bHolding = false;
      }
    ;

address_lines
    : address_line
    | address_lines address_line
    ;

address_line
    : A_TYPE V_ADDRESSKIND T_EOL { ctx->m_Address.SetType($2); }
    | A_COMPANY T_STRING T_EOL { ctx->m_Address.SetCompany(S($2)); }
    | A_ZIPCODE T_STRING T_EOL { ctx->m_Address.SetZipCode(S($2)); }
    | A_CITY T_STRING T_EOL { ctx->m_Address.SetCity(S($2)); }
    | A_COUNTY T_STRING T_EOL { ctx->m_Address.SetCounty(S($2)); }
    | A_COUNTRY T_STRING T_EOL { ctx->m_Address.SetCountry(S($2)); }
    | A_FAX T_STRING T_EOL { ctx->m_Address.SetFax(S($2)); }
    | A_EMAIL T_STRING T_EOL { ctx->m_Address.SetEMail(S($2)); }
    | A_CONTACTPERSON T_STRING T_EOL { ctx->m_Address.SetContactPerson(S($2)); }
    | A_CONTACTINFO T_STRING T_EOL { ctx->m_Address.SetContactInfo(S($2)); }
    | A_LINE T_STRING T_EOL {
          if ($1 == 1) ctx->m_Address.SetLine1(S($2));
          else if ($1 == 2) ctx->m_Address.SetLine2(S($2));
          else if ($1 == 3) ctx->m_Address.SetLine3(S($2));
      }
    | A_PHONE T_STRING T_EOL {
          if ($1 == 1) ctx->m_Address.SetPhone1(S($2));
          else if ($1 == 2) ctx->m_Address.SetPhone2(S($2));
      }
    | error T_EOL { E.AppendError("Error in address settings\n"); yyerrok; }
    ;

/* ---- plotter languages ------------------------------------------------------------ */

hpgl
    : S_HPGL { ctx->m_nPlotter = static_cast<TPlotter>($1); } hpgl_items
    ;

hpgl_items
    : hpgl_item
    | hpgl_items hpgl_item
    ;

hpgl_item
    : A_FILEPENSIZE V_SWITCH T_EOL { HPGL_OR_VIC(Filepensize, FLAG($2)); }
    | A_FILEPENCOLOR V_SWITCH T_EOL { HPGL_OR_VIC(Filepencolor, $2); }
    | A_FILEPENCOLOR A_RGB T_EOL { HPGL_OR_VIC(Filepencolor, 2); }
    | A_PENSCALE V_SWITCH T_EOL { HPGL_OR_VIC(Penscale, FLAG($2)); }
    | A_CLIPPING V_SWITCH T_EOL { HPGL_OR_VIC(Clipping, FLAG($2)); }
    | A_MINWIDTH number T_EOL { HPGL_OR_VIC(Minwidth, ctx->Length($2)); }
    | A_MAXWIDTH number T_EOL { HPGL_OR_VIC(Maxwidth, ctx->Length($2)); }
    | A_STEPSIZE T_INTEGER T_EOL { HPGL_OR_VIC(Stepsize, $2); }
    | A_PATTERNTYPE A_LOADABLEPATTERN T_EOL { HPGL_OR_VIC(Patterntype, 3); }
    | A_PATTERNTYPE A_CIRCLE T_EOL { HPGL_OR_VIC(Patterntype, 0); }
    | A_PATTERNTYPE A_RANDOM T_EOL { HPGL_OR_VIC(Patterntype, 1); }
    | A_PATTERNTYPE A_ORDEREDDITHER T_EOL { HPGL_OR_VIC(Patterntype, 2); }
    | A_IGNOREPENSIZE V_SWITCH T_EOL { HPGL_OR_VIC(IgnorePenSize, FLAG($2)); }
    | A_BICOLORRGB T_INTEGER T_EOL {
          if (ctx->m_nPlotter == kPlotterHpgl) TOOK(E.SetHpglBicolorrgb($2));
      }
    | A_DITHERMODE A_ORDEREDDITHER T_EOL { HPGL_OR_VIC(Dithermode, 0); }
    | A_DITHERMODE A_ERRORDIFFUSION T_EOL { HPGL_OR_VIC(Dithermode, 1); }
    | error T_EOL {
          E.AppendError(ctx->m_nPlotter == kPlotterVic ? "Error in Vic Settings\n"
                                                       : "Error in Hpgl Settings\n");
          yyerrok;
      }
    ;

calcomp
    : S_CALCOMP calcomp_items
    ;

calcomp_items
    : calcomp_item
    | calcomp_items calcomp_item
    ;

calcomp_item
    : A_FILEPENSIZE V_SWITCH T_EOL { E.SetCalcompFilepensize(FLAG($2)); }
    | A_PENSCALE V_SWITCH T_EOL { E.SetCalcompPenscale(FLAG($2)); }
    | A_IGNOREPENSIZE V_SWITCH T_EOL { E.SetCalcompIgnorePenSize(FLAG($2)); }
    | A_FILEPENCOLOR V_SWITCH T_EOL
    | A_CLIPPING V_SWITCH T_EOL
    | A_MINWIDTH number T_EOL { TOOK(E.SetCalcompMinwidth(ctx->Length($2))); }
    | A_MAXWIDTH number T_EOL { TOOK(E.SetCalcompMaxwidth(ctx->Length($2))); }
    | A_STEPSIZE T_INTEGER T_EOL { TOOK(E.SetCalcompStepsize($2)); }
    | A_PATTERNTYPE A_CIRCLE T_EOL { E.SetCalcompPatterntype(0); }
    | A_PATTERNTYPE A_RANDOM T_EOL { E.SetCalcompPatterntype(1); }
    | A_PATTERNTYPE A_ORDEREDDITHER T_EOL { E.SetCalcompPatterntype(2); }
    | A_AUTODETECT V_SWITCH T_EOL { E.SetCalcompAutodetect(FLAG($2)); }
    | A_CHECKSUM V_SWITCH T_EOL { E.SetCalcompChecksum($2); }
    | A_DOUBLESYNC V_SWITCH T_EOL { E.SetCalcompDoublesync($2); }
    | A_EOM T_INTEGER T_EOL { TOOK(E.SetCalcompEom($2)); }
    | A_SYNC T_INTEGER T_EOL { TOOK(E.SetCalcompSync($2)); }
    | A_CHECKSUM A_AUTO T_EOL { E.SetCalcompAutodetect(1); }
    | A_DOUBLESYNC A_AUTO T_EOL { E.SetCalcompAutodetect(1); }
    | A_EOM A_AUTO T_EOL { E.SetCalcompAutodetect(1); }
    | A_SYNC A_AUTO T_EOL { E.SetCalcompAutodetect(1); }
    | error T_EOL { E.AppendError("\tCalcERROR \n"); yyerrok; }
    ;

colour_emulation
    : S_COLOUREMULATION {
          ctx->m_nPlotter = static_cast<TPlotter>($1);
          if (ctx->m_nPlotter == kPlotterOldStyle)
              E.AppendError("Old Style color settings are ignored\n");
      }
      colour_items
    ;

colour_items
    : colour_item
    | colour_items colour_item
    ;

colour_item
    : colour_saturation T_EOL
    | colour_saturation A_PAGE T_INTEGER T_EOL {
          if (ctx->m_nPlotter == kPlotterHpgl)
              TOOK(E.SetHpglColorEmulationPage($3, ctx->m_nColour));
          else if (ctx->m_nPlotter == kPlotterCalcomp)
              TOOK(E.SetCalcompColorEmulationPage($3, ctx->m_nColour));
      }
    | error T_EOL {
          static const char* const notes[] = {
              "Error in HpglColor Settings\n", "Error in VicColor Settings\n",
              "Error in CalcompColor Settings\n", "Error in Old Style color settings\n"};
          E.AppendError(notes[ctx->m_nPlotter]);
          yyerrok;
      }
    ;

colour_saturation
    : A_COLOR colour A_SATURATION T_INTEGER {
          ctx->m_nColour = static_cast<std::uint32_t>($2);
          switch (ctx->m_nPlotter) {
              case kPlotterHpgl:
                  TOOK(E.SetHpglColorEmulationSaturation($4, ctx->m_nColour));
                  break;
              case kPlotterVic:
                  TOOK(E.SetVicColorEmulationSaturation($4, ctx->m_nColour));
                  break;
              case kPlotterCalcomp:
                  TOOK(E.SetCalcompColorEmulationSaturation($4, ctx->m_nColour));
                  break;
              case kPlotterOldStyle: break;
          }
      }
    ;

colour
    : V_COLOURNAME { $$ = $1; }
    | A_DARK V_COLOURNAME { $$ = ($2 >= 2 && $2 <= 7) ? $2 + 6 : 14; }
    ;

pens
    : pens_start V_SWITCH T_EOL {
          switch (ctx->m_nPlotter) {
              case kPlotterHpgl: E.SetHpglPensOn($2); break;
              case kPlotterVic: E.SetVicPensOn($2); break;
              case kPlotterCalcomp: E.SetCalcompPensOn($2); break;
              case kPlotterOldStyle: break;
          }
      }
    | pens_start pen_items {
          if (ctx->m_nPlotter == kPlotterOldStyle)
              E.AppendError("OldStyle Pen definitions: ignored\n");
      }
    ;

pens_start
    : S_PENS { ctx->m_nPlotter = static_cast<TPlotter>($1); }
    ;

pen_items
    : pen_item
    | pen_items pen_item
    ;

pen_item
    : A_NUMBER pen_range pen_attributes T_EOL
    | error T_EOL {
          static const char* const notes[] = {
              "Error in HpglPens settings\n", "Error in VicPens settings\n",
              "Error in CalcompPens Settings\n", "Error in OldStyle Pen definitions\n"};
          E.AppendError(notes[ctx->m_nPlotter]);
          yyerrok;
      }
    ;

pen_range
    : T_INTEGER {
          ctx->m_nPenFirst = ctx->m_nPenLast = static_cast<std::uint32_t>($1);
      }
    | T_INTEGER A_MINUS T_INTEGER {
          ctx->m_nPenFirst = static_cast<std::uint32_t>($1);
          ctx->m_nPenLast = static_cast<std::uint32_t>($3);
      }
    | A_ALL {
          bool calcomp = ctx->m_nPlotter == kPlotterCalcomp;
          ctx->m_nPenFirst = calcomp ? 1 : 0;
          ctx->m_nPenLast = calcomp ? 16 : 255;
      }
    ;

pen_attributes
    : pen_attribute
    | pen_attributes pen_attribute
    ;

pen_attribute
    : A_WIDTH number {
          const std::uint32_t first = ctx->m_nPenFirst, last = ctx->m_nPenLast;
          switch (ctx->m_nPlotter) {
              case kPlotterHpgl: TOOK(E.SetHpglPensWidth(ctx->Length($2), first, last)); break;
              case kPlotterVic: TOOK(E.SetVicPensWidth(ctx->Length($2), first, last)); break;
              case kPlotterCalcomp:
                  TOOK(E.SetCalcompPensWidth(ctx->Length($2), first, last));
                  break;
              case kPlotterOldStyle: break;
          }
      }
    | A_COLOR T_INTEGER {
          switch (ctx->m_nPlotter) {
              case kPlotterHpgl:
                  TOOK(E.SetHpglPensColor($2, ctx->m_nPenFirst, ctx->m_nPenLast));
                  break;
              case kPlotterVic:
                  TOOK(E.SetVicPensColor($2, ctx->m_nPenFirst, ctx->m_nPenLast));
                  break;
              case kPlotterCalcomp:
                  TOOK(E.SetCalcompPensColor($2, ctx->m_nPenFirst, ctx->m_nPenLast));
                  break;
              case kPlotterOldStyle: break;
          }
      }
    | A_SATURATION T_INTEGER {
          switch (ctx->m_nPlotter) {
              case kPlotterHpgl:
                  TOOK(E.SetHpglPensSaturation($2, ctx->m_nPenFirst, ctx->m_nPenLast));
                  break;
              case kPlotterVic:
                  TOOK(E.SetVicPensSaturation($2, ctx->m_nPenFirst, ctx->m_nPenLast));
                  break;
              case kPlotterCalcomp:
                  TOOK(E.SetCalcompPensSaturation($2, ctx->m_nPenFirst, ctx->m_nPenLast));
                  break;
              case kPlotterOldStyle: break;
          }
      }
    | A_PATTERN A_CIRCLE {
          E.AppendError(ctx->m_nPlotter == kPlotterCalcomp
                            ? "PATTERN CIRCLE does not exist in calcomp\n"
                            : "Pen Patterntype circle ignored\n");
      }
    | A_PATTERN A_RANDOM {
          E.AppendError(ctx->m_nPlotter == kPlotterCalcomp
                            ? "PATTERN RANDOM does not exist in calcomp\n"
                            : "Pen Patterntype random ignored\n");
      }
    | A_PAGE T_INTEGER {
          if (ctx->m_nPlotter == kPlotterHpgl)
              TOOK(E.SetHpglPensPage($2, ctx->m_nPenFirst, ctx->m_nPenLast));
          else if (ctx->m_nPlotter == kPlotterCalcomp)
              E.AppendError("There is no BicolorSupport in calcomp\n");
      }
    ;

/* ---- fold ------------------------------------------------------------------------- */

fold
    : S_FOLD { E.FoldOptionsWereNeverSet(); } fold_items
    ;

fold_items
    : fold_item
    | fold_items fold_item
    ;

fold_item
    : A_PRG T_INTEGER { TOOK(E.SetFoldPrg($2)); }
    | A_TRAY T_INTEGER { TOOK(E.SetFoldTray($2)); }
    | A_OPTION T_INTEGER { TOOK(E.SetAllFoldOptions(static_cast<std::uint32_t>($2))); }
    | A_OPTION T_EOL { E.SetAllFoldOptions(0); }
    | V_SWITCH T_EOL { E.SetFoldPrg(-1); }
    | error T_EOL { E.AppendError("Error in fold settings \n"); yyerrok; }
    ;

/* ---- job flag sheet ------------------------------------------------------------------ */

flagsheet
    : S_JOBFLAGSHEET { E.SetJobFlagsheetOn(1); } flagsheet_items
    ;

flagsheet_items
    : flagsheet_item
    | flagsheet_items flagsheet_item
    ;

flagsheet_item
    : A_ACCOUNT T_EOL { E.SetJobFlagsheetAccount(1); }
    | A_DISTRIBUTION T_EOL { E.SetJobFlagsheetDistribution(1); }
    | V_SWITCH T_EOL {
          if ($1 == 0) E.SetJobFlagsheetOn(0);
          else E.AppendError("Error JobFlagsheet on\n");
      }
    | V_HEADERWORD T_EOL
    | A_AUTO T_EOL { E.SetJobFlagsheetPerJob(0); }
    | A_JOB T_EOL { E.SetJobFlagsheetPerJob(1); }
    | A_SET T_EOL { E.SetJobFlagsheetPerJob(2); }
    | A_OUTPUTTRAY A_AUTO T_EOL { E.SetJobFlagsheetOutputTray(0); }
    | A_OUTPUTTRAY A_DEFAULT T_EOL { E.SetJobFlagsheetOutputTray(1); }
    | A_OUTPUTTRAY V_TRAYSIDE T_EOL { E.SetJobFlagsheetOutputTray($2); }
    | A_OUTPUTBIN flagsheet_bin T_EOL {
          E.AppendError("JobFlagsheet OutputBin not implemented yet\n");
      }
    | A_PRG T_INTEGER T_EOL { TOOK(E.SetJobFlagsheetFoldProgram($2)); }
    | A_PRG A_AUTO T_EOL { E.SetJobFlagsheetFoldProgram(-2); }
    | A_FOLDTRAY T_INTEGER T_EOL { TOOK(E.SetJobFlagsheetFoldTray($2)); }
    | A_TRAY T_INTEGER T_EOL { TOOK(E.SetJobFlagsheetInputTray($2)); }
    | A_SIZE flagsheet_size T_EOL { ctx->StoreSize(kSizeFlagsheet); }
    | A_TEXT T_STRING T_EOL { E.SetJobFlagsheetText(S($2)); }
    | error T_EOL { E.AppendError("Error in Job Flag Sheet Settings\n"); yyerrok; }
    ;

flagsheet_bin
    : A_AUTO
    | A_MANUAL
    | A_BIN T_INTEGER
    ;

/* The sheet size as the flag sheet writes it: a format alone, two bare numbers (a
   window of those proportions), nothing (automatic), or any size-statement form. */
flagsheet_size
    : %empty { ctx->SizeOfType(SslSize::kAuto); }
    | size_form
    | dims { ctx->SizeWindow(SslSize::kProportional, ctx->m_Dims); }
    ;

/* ---- margin ------------------------------------------------------------------------ */

margin
    : S_MARGIN margin_items
    | S_MARGIN margin_items margin_switch
    | S_MARGIN margin_switch
    ;

margin_items
    : margin_item
    | margin_items margin_item
    ;

/* A length is in the ticket's unit, or in the unit named on the `+` line after it. */
margin_item
    : margin_length T_EOL { ctx->StoreMargin(SslUnit::kNone); }
    | margin_length T_EOL V_UNITWORD T_EOL { ctx->StoreMargin(static_cast<std::uint32_t>($3)); }
    ;

margin_length
    : V_SIDE number { ctx->m_nMarginSide = static_cast<std::uint32_t>($1); ctx->m_dMargin = $2; }
    | A_ALL number { ctx->m_nMarginSide = 4; ctx->m_dMargin = $2; }
    ;

margin_switch
    : V_SWITCH {
          if ($1 == 0) E.SetMargin(4, 0.0);
          else E.AppendError("Error: Margin On\n");
      }
    ;

/* ---- stamp --------------------------------------------------------------------------- */

stamp
    : stamp_start stamp_items { ctx->EndStamp(); }
    | stamp_start stamp_items stamp_switch { ctx->EndStamp(); }
    | stamp_start stamp_switch { ctx->EndStamp(); }
    ;

stamp_start
    : S_STAMP { ctx->BeginStamp(); }
    ;

stamp_switch
    : V_SWITCH { if ($1 == 0) E.RemoveAllStamps(); }
    ;

stamp_items
    : stamp_item
    | stamp_items stamp_item
    ;

stamp_item
    : stamp_setting T_EOL
    | error T_EOL { E.AppendError("Error in Stamp settings\n"); yyerrok; }
    ;

stamp_setting
    : A_ALLPAGES V_SWITCH { ctx->m_Stamp.SetAllPages($2); }
    | A_BMP T_STRING { ctx->m_Stamp.SetBmpFile(S($2)); }
    | A_BMPDISTANCE T_FLOAT { TOOK(ctx->m_Stamp.SetBmpDistance(ctx->Length($2))); }
    | A_BMPORIENTATION V_POSITION { ctx->m_Stamp.SetBmpOrientation($2); }
    | A_COLOR A_LEVEL T_INTEGER {
          ctx->m_Stamp.SetColor(0);
          TOOK(ctx->m_Stamp.SetColorLevel($3));
      }
    | A_COLOR V_COLOURNAME {
          if ($2 == 1) ctx->m_Stamp.SetColor(1);
          else if ($2 == 14) ctx->m_Stamp.SetColor(3);
          else if ($2 == 15) ctx->m_Stamp.SetColor(4);
      }
    | A_COLOR A_DARK V_COLOURNAME { if ($3 == 14) ctx->m_Stamp.SetColor(2); }
    | A_DISTANCE T_FLOAT { TOOK(ctx->m_Stamp.SetDistance(ctx->Length($2))); }
    | A_FONT T_STRING { ctx->m_Stamp.SetFontName(S($2)); }
    | A_FONTATTRIBUTE A_NORMAL { ctx->m_Stamp.SetFontAttribute(0); }
    | A_FONTATTRIBUTE font_styles { ctx->m_Stamp.SetFontAttribute(ctx->m_nFontFlags); }
    | A_FONTCOLOR T_INTEGER { TOOK(ctx->m_Stamp.SetFontColor(static_cast<std::uint32_t>($2))); }
    | A_FONTSIZE T_INTEGER { TOOK(ctx->m_Stamp.SetFontSize($2)); }
    | A_FRAMESIZE T_FLOAT { TOOK(ctx->m_Stamp.SetFrameSize(ctx->Length($2))); }
    | A_FRAMETEXTDISTANCE T_FLOAT { TOOK(ctx->m_Stamp.SetFrameTextDistance(ctx->Length($2))); }
    | A_MIRROR V_AXIS { ctx->m_Stamp.SetMirror($2); }
    | A_MIRROR V_SWITCH { ctx->m_Stamp.SetMirror(0); }
    | A_NAME T_STRING { ctx->m_Stamp.SetName(UnquoteStampText(S($2))); }
    | A_TEXT T_STRING { ctx->m_Stamp.SetText(UnquoteStampText(S($2))); }
    | A_NUMBERING T_INTEGER
    | A_NUMBERING V_SWITCH
    | A_OVERLAY V_OVERLAYMODE { ctx->m_Stamp.SetOverlay($2); }
    | A_OVERLAY V_SWITCH { ctx->m_Stamp.SetOverlay(0); }
    | A_OVERLAY A_TRANSPARENT { ctx->m_Stamp.SetOverlay(2); }
    | A_POSITION V_POSITION { ctx->m_Stamp.SetPosition($2); }
    | A_POSITION V_POSITION A_COORDINATE T_FLOAT T_FLOAT {
          ctx->m_Stamp.SetPosition($2);
          ctx->m_Stamp.SetPositionCoordinateX(ctx->Length($4));
          ctx->m_Stamp.SetPositionCoordinateY(ctx->Length($5));
      }
    | A_COORDINATE T_FLOAT T_FLOAT {
          ctx->m_Stamp.SetPositionCoordinateX(ctx->Length($2));
          ctx->m_Stamp.SetPositionCoordinateY(ctx->Length($3));
      }
    | A_POSITIONSCALE V_SWITCH { ctx->m_Stamp.SetPositionScale(FLAG($2)); }
    | A_ROTATE T_INTEGER { TOOK(ctx->m_Stamp.SetRotate($2)); }
    ;

font_styles
    : V_FONTSTYLE
    | font_styles V_FONTSTYLE
    ;

%%

void SslYyerror(SslParseContext* ctx, const char* message) {
    ctx->SyntaxError(message);
}

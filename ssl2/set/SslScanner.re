/* Scanner of SSL job tickets (re2c).
 *
 * Reentrant: the scanner's position lives in the SslScanState of the parse context,
 * so parses never share or leak state.  Token values go to the grammar through the
 * semantic value (yylval); quoted strings go through the context's small ring of
 * string slots.  The input is a window in memory that ends with a NUL byte at its
 * limit; there the window is refilled (SslScanInput), or the input ends.  NUL bytes
 * inside the input are ordinary characters.
 *
 * Modes (conditions):
 *   INITIAL         start of the file, until BeginJob
 *   StatementStart  the first word of a line: statement keywords, "+", ";", Comment
 *   Arguments       after a statement keyword or "+": argument words, numbers, strings
 *   AfterEndJob     everything after EndJob is dropped
 *   IgnoreRest      the rest of the line is dropped, its line end still counts
 *   SkipLine        the rest of the line and its line end are dropped silently
 *   SkipLastLine    a last line without a line end met in SkipLine: scanned token
 *                   by token instead of being dropped
 *   LongString      one quoted string that may span lines
 *
 * Keywords are case-insensitive ('...' strings; character classes list both cases).
 * The framing words and the numbers are recognised in every mode; the longest match
 * wins, and between matches of equal length the rule written first.  (They name
 * every mode: rules under <*> would rank below each mode's own rules.)
 *
 * Every rule runs in linear time: no pattern may fail after reading far ahead
 * from many starting points (the scanner would read the rest of the line or file
 * again at each character).  A pattern that needs a line end or a closing quote
 * that may be missing therefore has a companion that matches the same text without
 * it, so the longest match never has to back up further than a few characters.
 *
 * The automaton is compiled into code (re2c) rather than tables: scanning is a
 * large share of the reading time, and direct code runs several times faster.
 */
#include <exception>
#include <string>
#include <string_view>

#include "ssl2/parsers/Ssl.tab.h"
#include "ssl2/set/SslParseContext.h"

using namespace ssl2::internal;

namespace {

/*!types:re2c */

}  // namespace

#define CTX ctx
#define BEGIN(mode) (s.condition = yyc##mode)
#define TEXT reinterpret_cast<const char*>(s.token)
#define LENGTH static_cast<std::size_t>(s.cursor - s.token)
/* Token without a value. */
#define TOK(t) return (t)
/* Token with a keyword value. */
#define KW(t, v)          \
    do {                  \
        yylval->kw = (v); \
        return (t);       \
    } while (0)
/* Statement keyword: the arguments follow. */
#define STMT(t, v)                            \
    do {                                      \
        BEGIN(Arguments);                     \
        CTX->StatementStarts(TEXT, LENGTH);   \
        yylval->kw = (v);                     \
        return (t);                           \
    } while (0)
/* Digit at the end of the matched word (Edging7, Line3, ...). */
#define SUFFIX (s.cursor[-1] - '0')

void ssl2::internal::SslScanStart(SslScanState& s, const char* begin, const char* end) {
    s.cursor = reinterpret_cast<const unsigned char*>(begin);
    s.limit = reinterpret_cast<const unsigned char*>(end);
    s.marker = s.contextMarker = s.token = s.cursor;
    s.condition = yycINITIAL;
}

namespace {

/* The next token of the input; 0 at its end. */
int SslRawLex(SSLYYSTYPE* yylval, SslParseContext* ctx) {
    SslScanState& s = ctx->m_Scan;
    for (;;) {
        s.token = s.cursor;
        /*!re2c
        re2c:api:style = free-form;
        re2c:define:YYCTYPE = "unsigned char";
        re2c:define:YYCURSOR = "s.cursor";
        re2c:define:YYMARKER = "s.marker";
        re2c:define:YYCTXMARKER = "s.contextMarker";
        re2c:define:YYLIMIT = "s.limit";
        re2c:define:YYGETCONDITION = "s.condition";
        re2c:define:YYSETCONDITION = "s.condition = @@;";
        re2c:define:YYFILL = "CTX->Refill()";
        re2c:yyfill:enable = 1;
        re2c:eof = 0;
        re2c:indent:string = "    ";

        EOL   = "\r\n" | "\r" | "\n";
        BLANK = [ \t];
        DIGIT = [0-9];

        /* ---- every mode: framing words and numbers --------------------------------- */
        <INITIAL, StatementStart, Arguments, AfterEndJob, IgnoreRest, SkipLine, SkipLastLine, LongString>
            'BeginJob'                   { BEGIN(Arguments); TOK(T_BEGINJOB); }
        <INITIAL, StatementStart, Arguments, AfterEndJob, IgnoreRest, SkipLine, SkipLastLine, LongString>
            'EndJob'                     { BEGIN(AfterEndJob); TOK(T_ENDJOB); }
        <INITIAL, StatementStart, Arguments, AfterEndJob, IgnoreRest, SkipLine, SkipLastLine, LongString>
            'BeginOutput'                { TOK(T_BEGINOUTPUT); }
        <INITIAL, StatementStart, Arguments, AfterEndJob, IgnoreRest, SkipLine, SkipLastLine, LongString>
            'EndOutput'                  { TOK(T_ENDOUTPUT); }
        <INITIAL, StatementStart, Arguments, AfterEndJob, IgnoreRest, SkipLine, SkipLastLine, LongString>
            'Version'                    { BEGIN(Arguments); TOK(T_VERSION); }
        <INITIAL, StatementStart, Arguments, AfterEndJob, IgnoreRest, SkipLine, SkipLastLine, LongString>
            '0x' [0-9a-fA-F]+            { yylval->hex = CTX->HexValue(std::string_view(TEXT + 2, LENGTH - 2)); TOK(T_HEX); }
        <INITIAL, StatementStart, Arguments, AfterEndJob, IgnoreRest, SkipLine, SkipLastLine, LongString>
            "00" "0"+                    { yylval->hex = 0; TOK(T_HEX); }
        <INITIAL, StatementStart, Arguments, AfterEndJob, IgnoreRest, SkipLine, SkipLastLine, LongString>
            DIGIT+                       { yylval->integer = CTX->IntegerValue(std::string_view(TEXT, LENGTH)); TOK(T_INTEGER); }
        <INITIAL, StatementStart, Arguments, AfterEndJob, IgnoreRest, SkipLine, SkipLastLine, LongString>
            "-"? DIGIT+ [.,] DIGIT*      { yylval->real = CTX->FloatValue(std::string_view(TEXT, LENGTH)); TOK(T_FLOAT); }

        /* ---- start of file ------------------------------------------------------------ */
        <INITIAL>          "\xEF" "\xBB" "\xBF"         { /* UTF-8 byte-order mark */ continue; }
        <INITIAL>          BLANK+                       { continue; }
        <INITIAL>          EOL                          { ++CTX->m_nLine; BEGIN(StatementStart); TOK(T_EOL); }
        <INITIAL>          [^\n]                        { CTX->Stray(TEXT, LENGTH); continue; }

        /* ---- statement position --------------------------------------------------- */
        <StatementStart>   BLANK+                       { continue; }
        <StatementStart>   EOL                          { ++CTX->m_nLine; TOK(T_EOL); }
        <StatementStart>   '+' / [\x20\t\r\n]           { BEGIN(Arguments); CTX->SubLineStarts(); continue; }
        <StatementStart>   ';' [^\x20\t\r\n]*           { BEGIN(SkipLine); continue; }
        <StatementStart>   'Comment'                    { BEGIN(SkipLine); continue; }

        <StatementStart>   'Account'                    { STMT(S_TEXT, kTextAccount); }
        <StatementStart>   'ArchivReferenz'             { STMT(S_TEXT, kTextArchivReferenz); }
        <StatementStart>   'Contact'                    { STMT(S_TEXT, kTextContact); }
        <StatementStart>   'Copyright'                  { STMT(S_TEXT, kTextCopyright); }
        <StatementStart>   'CostCenter'                 { STMT(S_TEXT, kTextCostCenter); }
        <StatementStart>   'CreationAppl'               { STMT(S_TEXT, kTextCreationAppl); }
        <StatementStart>   'Customer'                   { STMT(S_TEXT, kTextCustomer); }
        <StatementStart>   'DeliveryDate'               { STMT(S_TEXT, kTextDeliveryDate); }
        <StatementStart>   'DeliveryMethod'             { STMT(S_TEXT, kTextDeliveryMethod); }
        <StatementStart>   'DeliveryTime'               { STMT(S_TEXT, kTextDeliveryTime); }
        <StatementStart>   'Directory'                  { STMT(S_TEXT, kTextDirectory); }
        <StatementStart>   'Distribution'               { STMT(S_TEXT, kTextDistribution); }
        <StatementStart>   'DryMountEdging'             { STMT(S_TEXT, kTextDryMountEdging); }
        <StatementStart>   'DryMountSpecs'              { STMT(S_TEXT, kTextDryMountSpecs); }
        <StatementStart>   'DryMountTrim'               { STMT(S_TEXT, kTextDryMountTrim); }
        <StatementStart>   'FinishingInstructions'      { STMT(S_TEXT, kTextFinishingInstructions); }
        <StatementStart>   'JobName'                    { STMT(S_TEXT, kTextJobName); }
        <StatementStart>   'LaminateSpecs'              { STMT(S_TEXT, kTextLaminateSpecs); }
        <StatementStart>   'Name'                       { STMT(S_TEXT, kTextName); }
        <StatementStart>   'Notes'                      { STMT(S_TEXT, kTextNotes); }
        <StatementStart>   'OrigDirectory'              { STMT(S_TEXT, kTextOrigDirectory); }
        <StatementStart>   'OriginHost'                 { STMT(S_TEXT, kTextOriginHost); }
        <StatementStart>   'OrigName'                   { STMT(S_TEXT, kTextOrigName); }
        <StatementStart>   'PageRange'                  { STMT(S_TEXT, kTextPageRange); }
        <StatementStart>   'PlotProfileName'            { STMT(S_TEXT, kTextPlotProfileName); }
        <StatementStart>   'PlotDate'                   { STMT(S_TEXT, kTextPlotDate); }
        <StatementStart>   'PlotOption'                 { STMT(S_TEXT, kTextPlotOption); }
        <StatementStart>   'PoNumber'                   { STMT(S_TEXT, kTextPoNumber); }
        <StatementStart>   'Project' | 'Projekt'        { STMT(S_TEXT, kTextProject); }
        <StatementStart>   'Profil'                     { STMT(S_TEXT, kTextProfil); }
        <StatementStart>   'ReceiveDate'                { STMT(S_TEXT, kTextReceiveDate); }
        <StatementStart>   'Reimbursable'               { STMT(S_TEXT, kTextReimbursable); }
        <StatementStart>   'ScanProfileName'            { STMT(S_TEXT, kTextScanProfileName); }
        <StatementStart>   'SetDistribution'            { STMT(S_TEXT, kTextSetDistribution); }
        <StatementStart>   'UserHash'                   { STMT(S_TEXT, kTextUserHash); }
        <StatementStart>   'UserId'                     { STMT(S_TEXT, kTextUserId); }
        <StatementStart>   'UserName'                   { STMT(S_TEXT, kTextUserName); }
        <StatementStart>   'EarliestPlotTime'           { STMT(S_TEXT, kTextEarliestPlotTime); }

        <StatementStart>   'Copies'                     { STMT(S_NUMBER, kNumberCopies); }
        <StatementStart>   'ImageRotated'               { STMT(S_NUMBER, kNumberImageRotated); }
        <StatementStart>   'Resolution'                 { STMT(S_NUMBER, kNumberResolution); }
        <StatementStart>   'SetCopies'                  { STMT(S_NUMBER, kNumberSetCopies); }

        <StatementStart>   'DeleteAfterPlot'            { STMT(S_SWITCH, kSwitchDeleteAfterPlot); }
        <StatementStart>   'DryMountOn'                 { STMT(S_SWITCH, kSwitchDryMountOn); }
        <StatementStart>   'Invert'                     { STMT(S_SWITCH, kSwitchInvert); }
        <StatementStart>   'JobCollate'                 { STMT(S_SWITCH, kSwitchJobCollate); }
        <StatementStart>   'LaminateBothSides'          { STMT(S_SWITCH, kSwitchLaminateBothSides); }
        <StatementStart>   'LaminateOn'                 { STMT(S_SWITCH, kSwitchLaminateOn); }
        <StatementStart>   'TrialPrint'                 { STMT(S_SWITCH, kSwitchTrialPrint); }

        <StatementStart>   'ClientFileCaching'          { STMT(S_SWITCHINT, kSwitchIntClientFileCaching); }
        <StatementStart>   'DeleteFileAfterProcessing'  { STMT(S_SWITCHINT, kSwitchIntDeleteFileAfterProcessing); }
        <StatementStart>   'SetSplit'                   { STMT(S_SWITCHINT, kSwitchIntSetSplit); }

        <StatementStart>   'Nesting'                    { STMT(S_OPTSWITCH, kOptionNesting); }
        <StatementStart>   'PlotIt'                     { STMT(S_OPTSWITCH, kOptionPlotIt); }
        <StatementStart>   'PlotRaw'                    { STMT(S_OPTSWITCH, kOptionPlotRaw); }

        <StatementStart>   'HpglAsString'               { BEGIN(LongString); KW(S_LONGSTRING, kLongHpgl); }
        <StatementStart>   'PdfAsString'                { BEGIN(LongString); KW(S_LONGSTRING, kLongPdf); }
        <StatementStart>   'PsAsString'                 { BEGIN(LongString); KW(S_LONGSTRING, kLongPs); }

        <StatementStart>   'AddStrip' | 'RemoveStrip' | 'LongPlot' | 'OperatorMode' { BEGIN(IgnoreRest); TOK(S_IGNORED); }
        <StatementStart>   'Overlay'                    { BEGIN(IgnoreRest); TOK(S_OVERLAY); }

        <StatementStart>   'Edging' DIGIT               { STMT(S_EDGING, SUFFIX); }
        <StatementStart>   'MediaAsString' DIGIT        { STMT(S_MEDIASTRING, SUFFIX); }

        <StatementStart>   'Address'                    { STMT(S_ADDRESS, 0); }
        <StatementStart>   'Calcomp'                    { STMT(S_CALCOMP, 0); }
        <StatementStart>   'Hpgl'                       { STMT(S_HPGL, kPlotterHpgl); }
        <StatementStart>   'Vic'                        { STMT(S_HPGL, kPlotterVic); }
        <StatementStart>   'HpglColorEmulation'         { STMT(S_COLOUREMULATION, kPlotterHpgl); }
        <StatementStart>   'CalcompColorEmulation' | 'CalcompColourEmulation' { STMT(S_COLOUREMULATION, kPlotterCalcomp); }
        <StatementStart>   'VicColorEmulation'          { STMT(S_COLOUREMULATION, kPlotterVic); }
        <StatementStart>   'ColorEmulation' | 'ColourEmulation' { STMT(S_COLOUREMULATION, kPlotterOldStyle); }
        <StatementStart>   'HpglPens'                   { STMT(S_PENS, kPlotterHpgl); }
        <StatementStart>   'VicPens'                    { STMT(S_PENS, kPlotterVic); }
        <StatementStart>   'CalcompPens'                { STMT(S_PENS, kPlotterCalcomp); }
        <StatementStart>   'Pens'                       { STMT(S_PENS, kPlotterOldStyle); }
        <StatementStart>   'ColorDepth' | 'ColourDepth' { STMT(S_COLORDEPTH, 0); }
        <StatementStart>   'Confirmation'               { STMT(S_CONFIRMATION, 0); }
        <StatementStart>   'CutMethod'                  { STMT(S_CUTMETHOD, 0); }
        <StatementStart>   'DocumentBox'                { STMT(S_DOCUMENTBOX, 0); }
        <StatementStart>   'EMail'                      { STMT(S_EMAIL, 0); }
        <StatementStart>   'FileEmulation'              { STMT(S_FILEEMULATION, 0); }
        <StatementStart>   'FileInfo'                   { STMT(S_FILEINFO, 0); }
        <StatementStart>   'Fold'                       { STMT(S_FOLD, 0); }
        <StatementStart>   'HeaderPosition'             { STMT(S_HEADERPOSITION, 0); }
        <StatementStart>   'ImageContent'               { STMT(S_IMAGECONTENT, 0); }
        <StatementStart>   'JobFlagsheet'               { STMT(S_JOBFLAGSHEET, 0); }
        <StatementStart>   'JobPlotter' | 'Plotter'     { STMT(S_JOBPLOTTER, 0); }
        <StatementStart>   'JobPriority'                { STMT(S_JOBPRIORITY, 0); }
        <StatementStart>   'JobSort'                    { STMT(S_JOBSORT, 0); }
        <StatementStart>   'Margin'                     { STMT(S_MARGIN, 0); }
        <StatementStart>   'MediaFeed'                  { STMT(S_MEDIAFEED, 0); }
        <StatementStart>   'MediaPosition'              { STMT(S_MEDIAPOSITION, 0); }
        <StatementStart>   'MediaType'                  { STMT(S_MEDIATYPE, 0); }
        <StatementStart>   'Mirror'                     { STMT(S_MIRROR, 0); }
        <StatementStart>   'OnError'                    { STMT(S_ONERROR, 0); }
        <StatementStart>   'OutputBin'                  { STMT(S_OUTPUTBIN, 0); }
        <StatementStart>   'OutputSize'                 { STMT(S_SIZE, kSizeOutput); }
        <StatementStart>   'PaperSize'                  { STMT(S_SIZE, kSizePaper); }
        <StatementStart>   'Zoom'                       { STMT(S_ZOOM, kSizeZoom); }
        <StatementStart>   'OutputTray'                 { STMT(S_OUTPUTTRAY, 0); }
        <StatementStart>   'Placement'                  { STMT(S_PLACEMENT, 0); }
        <StatementStart>   'PlotProfileSource'          { STMT(S_PLOTPROFILESOURCE, 0); }
        <StatementStart>   'PrintQuality'               { STMT(S_PRINTQUALITY, 0); }
        <StatementStart>   'RenderingIntent'            { STMT(S_RENDERINGINTENT, 0); }
        <StatementStart>   'Rotate'                     { STMT(S_ROTATE, 0); }
        <StatementStart>   'ScanProfileSource'          { STMT(S_SCANPROFILESOURCE, 0); }
        <StatementStart>   'SecurityPrint'              { STMT(S_SECURITYPRINT, 0); }
        <StatementStart>   'Stamp'                      { STMT(S_STAMP, 0); }
        <StatementStart>   'SupportFile' | 'SupportFiles' { STMT(S_SUPPORTFILE, 0); }
        <StatementStart>   'Units'                      { STMT(S_UNITS, 0); }

        <StatementStart>   [^\x20\t\r\n]+               { CTX->UnknownStatement(TEXT, LENGTH); BEGIN(SkipLine); continue; }

        /* ---- argument position ---------------------------------------------------- */
        <Arguments>        BLANK+                       { continue; }
        <Arguments>        EOL                          { ++CTX->m_nLine; BEGIN(StatementStart); TOK(T_EOL); }
        <Arguments>        ["] [^"\r\n]* ["]            { yylval->str = CTX->StoreString(TEXT, LENGTH); TOK(T_STRING); }
        <Arguments>        ';'                          { BEGIN(IgnoreRest); continue; }
        <Arguments>        '+'                          { continue; }

        <Arguments>        'Account'                    { TOK(A_ACCOUNT); }
        <Arguments>        'AllPages'                   { TOK(A_ALLPAGES); }
        <Arguments>        'AutoDetect'                 { TOK(A_AUTODETECT); }
        <Arguments>        'BicolorRgb'                 { TOK(A_BICOLORRGB); }
        <Arguments>        'Bin'                        { TOK(A_BIN); }
        <Arguments>        'Bmp'                        { TOK(A_BMP); }
        <Arguments>        'BmpOrientation'             { TOK(A_BMPORIENTATION); }
        <Arguments>        'BmpDistance'                { TOK(A_BMPDISTANCE); }
        <Arguments>        'Checksum'                   { TOK(A_CHECKSUM); }
        <Arguments>        'City'                       { TOK(A_CITY); }
        <Arguments>        'County'                     { TOK(A_COUNTY); }
        <Arguments>        'Country'                    { TOK(A_COUNTRY); }
        <Arguments>        'Clipping'                   { TOK(A_CLIPPING); }
        <Arguments>        'Color' | 'Colour'           { TOK(A_COLOR); }
        <Arguments>        'ContactPerson'              { TOK(A_CONTACTPERSON); }
        <Arguments>        'ContactInfo'                { TOK(A_CONTACTINFO); }
        <Arguments>        'Coordinate'                 { TOK(A_COORDINATE); }
        <Arguments>        'Company'                    { TOK(A_COMPANY); }
        <Arguments>        'Distance'                   { TOK(A_DISTANCE); }
        <Arguments>        'Distribution'               { TOK(A_DISTRIBUTION); }
        <Arguments>        'DitherMode'                 { TOK(A_DITHERMODE); }
        <Arguments>        'DoubleSync'                 { TOK(A_DOUBLESYNC); }
        <Arguments>        'EMail'                      { TOK(A_EMAIL); }
        <Arguments>        'Eom'                        { TOK(A_EOM); }
        <Arguments>        'File'                       { TOK(A_FILE); }
        <Arguments>        'Fax'                        { TOK(A_FAX); }
        <Arguments>        'FileWithFallback'           { TOK(A_FILEWITHFALLBACK); }
        <Arguments>        'FilePenColor' | 'FilePenColour' { TOK(A_FILEPENCOLOR); }
        <Arguments>        'FilePenSize'                { TOK(A_FILEPENSIZE); }
        <Arguments>        'Font'                       { TOK(A_FONT); }
        <Arguments>        'FontAttribute'              { TOK(A_FONTATTRIBUTE); }
        <Arguments>        'FontColor'                  { TOK(A_FONTCOLOR); }
        <Arguments>        'FontSize'                   { TOK(A_FONTSIZE); }
        <Arguments>        'Frame'                      { TOK(A_FRAME); }
        <Arguments>        'FrameSize'                  { TOK(A_FRAMESIZE); }
        <Arguments>        'FrameTextDistance'          { TOK(A_FRAMETEXTDISTANCE); }
        <Arguments>        'IgnorePens'                 { TOK(A_IGNOREPENS); }
        <Arguments>        'IgnorePenSize'              { TOK(A_IGNOREPENSIZE); }
        <Arguments>        'Job'                        { TOK(A_JOB); }
        <Arguments>        'Level'                      { TOK(A_LEVEL); }
        <Arguments>        'MaxWidth'                   { TOK(A_MAXWIDTH); }
        <Arguments>        'MinWidth'                   { TOK(A_MINWIDTH); }
        <Arguments>        'Mirror'                     { TOK(A_MIRROR); }
        <Arguments>        'Name'                       { TOK(A_NAME); }
        <Arguments>        'Number'                     { TOK(A_NUMBER); }
        <Arguments>        'Numbering'                  { TOK(A_NUMBERING); }
        <Arguments>        'Option'                     { TOK(A_OPTION); }
        <Arguments>        'Original'                   { TOK(A_ORIGINAL); }
        <Arguments>        'OutputBin'                  { TOK(A_OUTPUTBIN); }
        <Arguments>        'OutputTray'                 { TOK(A_OUTPUTTRAY); }
        <Arguments>        'Overlay'                    { TOK(A_OVERLAY); }
        <Arguments>        'Page'                       { TOK(A_PAGE); }
        <Arguments>        'Pattern'                    { TOK(A_PATTERN); }
        <Arguments>        'PatternType'                { TOK(A_PATTERNTYPE); }
        <Arguments>        'PenScale'                   { TOK(A_PENSCALE); }
        <Arguments>        'Foto' | 'Photo'             { TOK(A_PHOTO); }
        <Arguments>        'Position'                   { TOK(A_POSITION); }
        <Arguments>        'PositionScale'              { TOK(A_POSITIONSCALE); }
        <Arguments>        'Prg'                        { TOK(A_PRG); }
        <Arguments>        'Proportional'               { TOK(A_PROPORTIONAL); }
        <Arguments>        'Raw'                        { TOK(A_RAW); }
        <Arguments>        'Rotate'                     { TOK(A_ROTATE); }
        <Arguments>        'Saturation'                 { TOK(A_SATURATION); }
        <Arguments>        'ScaleToFit' | 'ScaleToFitRoll' { TOK(A_SCALETOFIT); }
        <Arguments>        'FitToPrintWindow'           { TOK(A_FITTOPRINTWINDOW); }
        <Arguments>        'FoldTray'                   { TOK(A_FOLDTRAY); }
        <Arguments>        'Set'                        { TOK(A_SET); }
        <Arguments>        'Ssl'                        { TOK(A_SSL); }
        <Arguments>        'Size'                       { TOK(A_SIZE); }
        <Arguments>        'StepSize'                   { TOK(A_STEPSIZE); }
        <Arguments>        'Sync'                       { TOK(A_SYNC); }
        <Arguments>        'Text'                       { TOK(A_TEXT); }
        <Arguments>        'Tray'                       { TOK(A_TRAY); }
        <Arguments>        'Type'                       { TOK(A_TYPE); }
        <Arguments>        'Width'                      { TOK(A_WIDTH); }
        <Arguments>        'Window' | 'Unproportional'  { TOK(A_WINDOW); }
        <Arguments>        'ZipCode'                    { TOK(A_ZIPCODE); }
        <Arguments>        'Rgb'                        { TOK(A_RGB); }
        <Arguments>        'All'                        { TOK(A_ALL); }
        <Arguments>        'Ansi'                       { TOK(A_ANSI); }
        <Arguments>        'Arc'                        { TOK(A_ARC); }
        <Arguments>        'Asia'                       { TOK(A_ASIA); }
        <Arguments>        'Auto'                       { TOK(A_AUTO); }
        <Arguments>        'Default'                    { TOK(A_DEFAULT); }
        <Arguments>        'Circle'                     { TOK(A_CIRCLE); }
        <Arguments>        'Dark'                       { TOK(A_DARK); }
        <Arguments>        'ErrorDiffusion'             { TOK(A_ERRORDIFFUSION); }
        <Arguments>        'LoadablePattern'            { TOK(A_LOADABLEPATTERN); }
        <Arguments>        'Manual'                     { TOK(A_MANUAL); }
        <Arguments>        'SubType'                    { TOK(A_SUBTYPE); }
        <Arguments>        '-'                          { TOK(A_MINUS); }
        <Arguments>        'Normal'                     { TOK(A_NORMAL); }
        <Arguments>        'OrderedDither'              { TOK(A_ORDEREDDITHER); }
        <Arguments>        'Random'                     { TOK(A_RANDOM); }
        <Arguments>        'Reverse'                    { TOK(A_REVERSE); }
        <Arguments>        'Standard'                   { TOK(A_STANDARD); }
        <Arguments>        'Draft'                      { TOK(A_DRAFT); }
        <Arguments>        'Synchro'                    { TOK(A_SYNCHRO); }
        <Arguments>        'Transparent'                { TOK(A_TRANSPARENT); }
        <Arguments>        'Din' | 'Iso'                { TOK(A_DIN); }
        <Arguments>        'Unknown' | 'Uk'             { TOK(A_UNKNOWN); }
        <Arguments>        'Line'                       { KW(A_LINE, -1); }
        <Arguments>        'Line' DIGIT                 { KW(A_LINE, SUFFIX); }
        <Arguments>        'Phone' DIGIT                { KW(A_PHONE, SUFFIX); }
        <Arguments>        'NoName' | 'www' | 'PlotCompose' | 'TicketStudio' { TOK(A_CREATOR); }

        <Arguments>        'on'                         { KW(V_SWITCH, 1); }
        <Arguments>        'off'                        { KW(V_SWITCH, 0); }
        <Arguments>        'top'                        { KW(V_SIDE, 0); }
        <Arguments>        'left'                       { KW(V_SIDE, 1); }
        <Arguments>        'bottom'                     { KW(V_SIDE, 2); }
        <Arguments>        'right'                      { KW(V_SIDE, 3); }
        <Arguments>        [a-eA-E]                     { KW(V_SERIES, (TEXT[0] | 0x20) - 'a'); }
        <Arguments>        'large'                      { KW(V_SIZECLASS, 0); }
        <Arguments>        'small'                      { KW(V_SIZECLASS, 1); }
        <Arguments>        'f30x42'                     { KW(V_FOLDFORMAT, 0); }
        <Arguments>        'f15x21'                     { KW(V_FOLDFORMAT, 1); }
        <Arguments>        'a' [0-6]                    { KW(V_DINFORMAT, SUFFIX); }
        <Arguments>        'b' [0-6]                    { KW(V_DINFORMAT, 7 + SUFFIX); }
        <Arguments>        'c' [0-6]                    { KW(V_DINFORMAT, 14 + SUFFIX); }
        <Arguments>        'mtf'                        { KW(V_FILETYPE, 0); }
        <Arguments>        'tif' | 'tiff'               { KW(V_FILETYPE, 1); }
        <Arguments>        't6x'                        { KW(V_FILETYPE, 2); }
        <Arguments>        'pcx'                        { KW(V_FILETYPE, 3); }
        <Arguments>        'rlc'                        { KW(V_FILETYPE, 4); }
        <Arguments>        'cals'                       { KW(V_FILETYPE, 5); }
        <Arguments>        'hpgl' | 'hpgl2'             { KW(V_FILETYPE, 6); }
        <Arguments>        'calcomp'                    { KW(V_FILETYPE, 7); }
        <Arguments>        'ps'                         { KW(V_FILETYPE, 9); }
        <Arguments>        'cgm'                        { KW(V_FILETYPE, 10); }
        <Arguments>        'pdf'                        { KW(V_FILETYPE, 11); }
        <Arguments>        'intergraph' | 'igr'         { KW(V_FILETYPE, 12); }
        <Arguments>        'c1840'                      { KW(V_FILETYPE, 13); }
        <Arguments>        'gif87a' | 'gif87'           { KW(V_FILETYPE, 14); }
        <Arguments>        'gif89a' | 'gif89'           { KW(V_FILETYPE, 15); }
        <Arguments>        'wmf'                        { KW(V_FILETYPE, 16); }
        <Arguments>        'dwg'                        { KW(V_FILETYPE, 17); }
        <Arguments>        'dxf'                        { KW(V_FILETYPE, 18); }
        <Arguments>        'kip'                        { KW(V_FILETYPE, 19); }
        <Arguments>        'jpg'                        { KW(V_FILETYPE, 20); }
        <Arguments>        'rtl'                        { KW(V_FILETYPE, 21); }
        <Arguments>        'vic'                        { KW(V_FILETYPE, 22); }
        <Arguments>        'dwf'                        { KW(V_FILETYPE, 23); }
        <Arguments>        'dmg'                        { KW(V_FILETYPE, 24); }
        <Arguments>        'bold'                       { CTX->m_nFontFlags |= 1; TOK(V_FONTSTYLE); }
        <Arguments>        'italic'                     { CTX->m_nFontFlags |= 2; TOK(V_FONTSTYLE); }
        <Arguments>        'underline'                  { CTX->m_nFontFlags |= 4; TOK(V_FONTSTYLE); }
        <Arguments>        'strikeout'                  { CTX->m_nFontFlags |= 8; TOK(V_FONTSTYLE); }
        <Arguments>        'header'                     { KW(V_HEADERWORD, 0); }
        <Arguments>        'trailer'                    { KW(V_HEADERWORD, 1); }
        <Arguments>        'white'                      { KW(V_COLOURNAME, 0); }
        <Arguments>        'black'                      { KW(V_COLOURNAME, 1); }
        <Arguments>        'red'                        { KW(V_COLOURNAME, 2); }
        <Arguments>        'green'                      { KW(V_COLOURNAME, 3); }
        <Arguments>        'yellow'                     { KW(V_COLOURNAME, 4); }
        <Arguments>        'blue'                       { KW(V_COLOURNAME, 5); }
        <Arguments>        'magenta'                    { KW(V_COLOURNAME, 6); }
        <Arguments>        'cyan'                       { KW(V_COLOURNAME, 7); }
        <Arguments>        'grey' | 'gray'              { KW(V_COLOURNAME, 14); }
        <Arguments>        'lightgrey' | 'lightgray'    { KW(V_COLOURNAME, 15); }
        <Arguments>        'exact'                      { KW(V_FEEDMODE, 0); }
        <Arguments>        'larger'                     { KW(V_FEEDMODE, 1); }
        <Arguments>        'smaller'                    { KW(V_FEEDMODE, 2); }
        <Arguments>        'dontcare'                   { KW(V_MEDIAKIND, 0); }
        <Arguments>        'bond' | 'paper'             { KW(V_MEDIAKIND, 1); }
        <Arguments>        'recycledpaper'              { KW(V_MEDIAKIND, 2); }
        <Arguments>        'vellum'                     { KW(V_MEDIAKIND, 3); }
        <Arguments>        'film' | 'polyester'         { KW(V_MEDIAKIND, 4); }
        <Arguments>        'custom'                     { KW(V_MEDIAKIND, 5); }
        <Arguments>        'heavyphotogloss'            { KW(V_MEDIAKIND, 6); }
        <Arguments>        'heavyphotomatt'             { KW(V_MEDIAKIND, 7); }
        <Arguments>        'lightphotogloss'            { KW(V_MEDIAKIND, 8); }
        <Arguments>        'heavypaperpurewhite'        { KW(V_MEDIAKIND, 9); }
        <Arguments>        'heavypaperoffwhite'         { KW(V_MEDIAKIND, 10); }
        <Arguments>        'x'                          { KW(V_AXIS, 1); }
        <Arguments>        'y'                          { KW(V_AXIS, 2); }
        <Arguments>        'xy'                         { KW(V_AXIS, 3); }
        <Arguments>        'invert'                     { KW(V_OVERLAYMODE, 1); }
        <Arguments>        'opaque'                     { KW(V_OVERLAYMODE, 3); }
        <Arguments>        'ul' | 'upperleft'           { KW(V_POSITION, 1); }
        <Arguments>        'uc' | 'uppercenter'         { KW(V_POSITION, 2); }
        <Arguments>        'ur' | 'upperright'          { KW(V_POSITION, 3); }
        <Arguments>        'lu' | 'leftupper'           { KW(V_POSITION, 4); }
        <Arguments>        'lc' | 'leftcenter'          { KW(V_POSITION, 5); }
        <Arguments>        'lb' | 'leftbottom'          { KW(V_POSITION, 6); }
        <Arguments>        'cc' | 'centercenter'        { KW(V_POSITION, 7); }
        <Arguments>        'ru' | 'rightupper'          { KW(V_POSITION, 8); }
        <Arguments>        'rc' | 'rightcenter'         { KW(V_POSITION, 9); }
        <Arguments>        'rb' | 'rightbottom'         { KW(V_POSITION, 10); }
        <Arguments>        'bl' | 'bottomleft'          { KW(V_POSITION, 11); }
        <Arguments>        'll' | 'lowerleft'           { KW(V_POSITION, 12); }
        <Arguments>        'bc' | 'bottomcenter'        { KW(V_POSITION, 13); }
        <Arguments>        'br' | 'bottomright'         { KW(V_POSITION, 14); }
        <Arguments>        'lr' | 'lowerright'          { KW(V_POSITION, 15); }
        <Arguments>        'semiautomatic'              { KW(V_POSITION, 17); }
        <Arguments>        'abort'                      { KW(V_ERRORMODE, 1); }
        <Arguments>        'continue'                   { KW(V_ERRORMODE, 2); }
        <Arguments>        'query'                      { KW(V_ERRORMODE, 3); }
        <Arguments>        'front'                      { KW(V_TRAYSIDE, 2); }
        <Arguments>        'rear'                       { KW(V_TRAYSIDE, 3); }
        <Arguments>        'wait'                       { KW(V_PRIORITY, 0); }
        <Arguments>        'low'                        { KW(V_PRIORITY, 1); }
        <Arguments>        'high'                       { KW(V_PRIORITY, 3); }
        <Arguments>        'immediate'                  { KW(V_PRIORITY, 4); }
        <Arguments>        'mm'                         { KW(V_UNITWORD, 1); }
        <Arguments>        'cm'                         { KW(V_UNITWORD, 2); }
        <Arguments>        'inch'                       { KW(V_UNITWORD, 3); }
        <Arguments>        'pixel'                      { KW(V_UNITWORD, 4); }
        <Arguments>        'points' | 'pt'              { KW(V_UNITWORD, 6); }
        <Arguments>        'perceptual'                 { KW(V_INTENTWORD, 0); }
        <Arguments>        'relativecolorimetric'       { KW(V_INTENTWORD, 1); }
        <Arguments>        'absolutecolorimetric'       { KW(V_INTENTWORD, 3); }
        <Arguments>        'pcm_invalid'                { KW(V_COLOURMODE, 0); }
        <Arguments>        'pcm_1bit'                   { KW(V_COLOURMODE, 1); }
        <Arguments>        'pcm_4bit'                   { KW(V_COLOURMODE, 2); }
        <Arguments>        'pcm_4bitpal'                { KW(V_COLOURMODE, 4); }
        <Arguments>        'pcm_8bit'                   { KW(V_COLOURMODE, 8); }
        <Arguments>        'pcm_8bitpal'                { KW(V_COLOURMODE, 16); }
        <Arguments>        'pcm_16bit'                  { KW(V_COLOURMODE, 32); }
        <Arguments>        'pcm_24bit'                  { KW(V_COLOURMODE, 64); }
        <Arguments>        'pcm_cmy'                    { KW(V_COLOURMODE, 128); }
        <Arguments>        'pcm_cmyk'                   { KW(V_COLOURMODE, 256); }
        <Arguments>        'pcm_ccmmyk'                 { KW(V_COLOURMODE, 512); }
        <Arguments>        'pcm_lab'                    { KW(V_COLOURMODE, 1024); }
        <Arguments>        'pcm_xyz'                    { KW(V_COLOURMODE, 2048); }
        <Arguments>        'pcm_bicolor'                { KW(V_COLOURMODE, 4096); }
        <Arguments>        'pcm_nomode'                 { KW(V_COLOURMODE, 32768); }
        <Arguments>        'pcm_original'               { KW(V_COLOURMODE, 65535); }
        <Arguments>        'pcm_' [0-9a-fA-F]+          { KW(V_COLOURMODE, 0); }
        <Arguments>        'customer'                   { KW(V_ADDRESSKIND, 1); }
        <Arguments>        'billing'                    { KW(V_ADDRESSKIND, 2); }
        <Arguments>        'delivery'                   { KW(V_ADDRESSKIND, 3); }
        <Arguments>        'reserved'                   { KW(V_ADDRESSKIND, 4); }

        <Arguments>        [^\n]                        { CTX->Stray(TEXT, LENGTH); continue; }

        /* ---- dropping modes ------------------------------------------------------- */
        <AfterEndJob>      [^\r\n]+                     { continue; }
        <AfterEndJob>      EOL                          { ++CTX->m_nLine; continue; }

        <IgnoreRest>       [^\r\n]+                     { continue; }
        <IgnoreRest>       EOL                          { ++CTX->m_nLine; BEGIN(StatementStart); TOK(T_EOL); }

        <SkipLine>         [^\r\n]* EOL                 { ++CTX->m_nLine; BEGIN(StatementStart); continue; }
        /* No line end follows: this is the last line, which is scanned token by token.
           Matching it whole first means it is searched for a line end only once. */
        <SkipLine>         [^\r\n]+                     { s.cursor = s.token; BEGIN(SkipLastLine); continue; }

        <SkipLastLine>     BLANK+                       { continue; }
        /* (The line has no line end, but the rule covers every byte.) */
        <SkipLastLine>     [^]                          { CTX->Stray(TEXT, LENGTH); continue; }

        /* ---- long strings ----------------------------------------------------------- */
        <LongString>       BLANK+                       { continue; }
        <LongString>       EOL                          { ++CTX->m_nLine; BEGIN(StatementStart); TOK(T_EOL); }
        <LongString>       ["] [^"]* ["]                { yylval->str = CTX->StoreString(TEXT, LENGTH); BEGIN(StatementStart); TOK(T_LONGSTRING); }
        <LongString>       [^\n]                        { CTX->Stray(TEXT, LENGTH); continue; }

        /* ---- end of the input ------------------------------------------------------- */
        <INITIAL, StatementStart, Arguments, AfterEndJob, IgnoreRest, SkipLine, SkipLastLine, LongString>
            $ { BEGIN(INITIAL); CTX->m_bInputDone = true; return 0; }
        */
    }
}

}  // namespace

/* The grammar's token source: the scanner's next token, with its text kept for
 * syntax-error messages (a view into the scan window, copied out when it moves) and
 * collected stray text reported before it.  A failure is kept in the context and
 * ends the input. */
int SslYylex(SSLYYSTYPE* value, SslParseContext* ctx) {
    int token = 0;
    try {
        if (ctx->m_bAtLineStart && ctx->m_Scan.condition == yycStatementStart)
            ctx->AtLineStart();
        token = SslRawLex(value, ctx);
    } catch (const std::exception& failure) {
        ctx->m_pFailure = std::current_exception();
        ctx->FlushStray();
        ctx->ReportFailure(failure.what());
        ctx->m_LastToken = std::string_view();
        return 0;
    }
    ctx->FlushStray();
    const SslScanState& s = ctx->m_Scan;
    ctx->m_LastToken = token == 0 ? std::string_view() : std::string_view(TEXT, LENGTH);
    ctx->m_bAtLineStart = token == T_EOL;
    return token;
}

bool ssl2::internal::SslStartsStatement(SslParseContext& scratch, std::string_view word) {
    const std::string line = std::string(word) + '\n';
    SslScanStart(scratch.m_Scan, line.data(), line.data() + line.size());
    scratch.m_Scan.condition = yycStatementStart;
    SSLYYSTYPE value;
    const int token = SslRawLex(&value, &scratch);
    return token != 0 && token != T_EOL;
}

#include "ssl2/sslmessages.h"

namespace {

constexpr RSMessageText kErrorTexts[] = {
    {RMCSslErrors::kIndexOutOfRange, "index %2 out of range for %1 (count %3)"},
    {RMCSslErrors::kJobPlotterNotNumeric, "job plotter \"%1\" does not begin with a number"},
    {RMCSslErrors::kUnknownStatement, "unknown statement identifier %1"},
    {RMCSslErrors::kWrongStatementClass, "statement of class %1 given where %2 is required"},
    {RMCSslErrors::kNoEntryWithOrdinal, "no entry with ordinal %1"},
    {RMCSslErrors::kAccessDataTooShort, "serialised access data is shorter than its header says"},
};

// Display names of the statements, message number = statement identifier.
constexpr RSMessageText kStatementNameTexts[] = {
    {0, "Account"},
    {1, "Archiv Referenz"},
    {2, "Cal Comp"},
    {3, "Calcomp Color Emulation"},
    {4, "Calcomp Pens"},
    {5, "Comment"},
    {6, "Confirmation"},
    {7, "Copies"},
    {8, "Copyright"},
    {9, "Cost Center"},
    {10, "Creation Appl"},
    {11, "Customer"},
    {12, "Cut Method"},
    {13, "Delete After Plot"},
    {14, "Directory"},
    {15, "Distribution"},
    {16, "Earliest Plot Time"},
    {17, "EMail"},
    {18, "Error"},
    {19, "File Emulation"},
    {20, "Fold"},
    {21, "Header Position"},
    {22, "Hpgl"},
    {23, "Hpgl Color Emulation"},
    {24, "Hpgl Pens"},
    {25, "Image Rotated"},
    {26, "Invert"},
    {27, "Job Collate"},
    {28, "Job Flagsheet"},
    {29, "Job Name"},
    {30, "Job Plotter"},
    {31, "Job Priority"},
    {32, "Margin"},
    {33, "Media Feed"},
    {34, "Media Position"},
    {35, "Media Type"},
    {36, "Mirror"},
    {37, "Name"},
    {38, "Notes"},
    {39, "On Error"},
    {40, "Operator Mode"},
    {41, "Orig Directory"},
    {42, "Orig Name"},
    {43, "Output Bin"},
    {44, "Output Size"},
    {45, "Output Tray"},
    {46, "Plot Option"},
    {47, "Profil"},
    {48, "Rotate"},
    {49, "Security Print"},
    {50, "Set Copies"},
    {51, "Stamp"},
    {52, "Trial Print"},
    {53, "Units"},
    {54, "User Name"},
    {55, "Version"},
    {56, "Zoom"},
    {57, "Ordinal"},
    {58, "Plot It"},
    {59, "Job Sort"},
    {60, "File Info"},
    {61, "Color Depth"},
    {62, "Resolution"},
    {63, "Image Content"},
    {64, "Hpgl As String"},
    {65, "Pdf As String"},
    {66, "Ps As String"},
    {67, "Scan Profile Source"},
    {68, "Scan Profile Name"},
    {69, "Plot Profile Source"},
    {70, "Plot Profile Name"},
    {71, "Contact"},
    {72, "Po Number"},
    {73, "Project"},
    {74, "Plot Date"},
    {75, "Receive Date"},
    {76, "Rendering Intent"},
    {77, "Set Split"},
    {78, "Address"},
    {79, "Delivery Date"},
    {80, "Delivery Method"},
    {81, "Delivery Time"},
    {82, "Dry Mount Edging"},
    {83, "Dry Mount On"},
    {84, "Dry Mount Specs"},
    {85, "Dry Mount Trim"},
    {86, "Edging1"},
    {87, "Edging2"},
    {88, "Finishing Instructions"},
    {89, "Laminate Both Sides"},
    {90, "Laminate Specs"},
    {91, "Laminate On"},
    {92, "Media As String1"},
    {93, "Media As String2"},
    {94, "Reimbursable"},
    {95, "Vic"},
    {96, "Vic Color Emulation"},
    {97, "Vic Pens"},
    {98, "Plot Raw"},
    {99, "Nesting"},
    {100, "Support File"},
    {101, "Paper Size"},
    {102, "Set Distribution"},
    {103, "Document Box"},
    {104, "Client File Caching"},
    {105, "Delete File After Processing"},
    {106, "Origin Host"},
    {107, "Page Range"},
    {108, "User Hash"},
    {109, "User Id"},
    {110, "Print Quality"},
};

// Display texts of keyword choices.
constexpr RSMessageText kStatementStringTexts[] = {
    {0, "off"},
    {1, "on"},
};

}  // namespace

RMCSslErrors::RMCSslErrors()
    : TMessageBase("SslErrors", "SSL2", "ssl2/sslmessages.h", 67, kErrorTexts) {}

RMCSslStatementStrings::RMCSslStatementStrings()
    : TMessageBase("SslStatementStrings", "SSL2", "ssl2/sslmessages.h", 98, kStatementStringTexts) {}

RMCSslStatementNames::RMCSslStatementNames()
    : TMessageBase("SslStatementNames", "SSL2", "ssl2/sslmessages.h", 474, kStatementNameTexts) {}

const RMCSslErrors g_SslErrors;
const RMCSslStatementStrings g_SslStatementStrings;
const RMCSslStatementNames g_SslStatementNames;

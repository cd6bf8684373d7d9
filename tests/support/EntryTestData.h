// Test and benchmark data: an entry with every statement at a value other than
// its class default, so that each statement shows up in written text, copies,
// merges and comparisons.
#pragma once

#include <initializer_list>

#include "ssl2/entry/RCSslEntry.h"

namespace ssl2_test {

/// Sets every one of the 111 statements of `entry` to a non-default value.  The
/// file emulation is "HPGL" (6).
inline void FillEveryStatement(RCSslEntry& entry) {
    entry.SetAccount("4711");
    entry.SetArchivReferenz("AR-1");
    entry.SetCalcompStepsize(1000);
    entry.SetCalcompEom(5);
    entry.SetCalcompColorEmulationSaturation(50, 3);
    entry.SetCalcompPensColor(2, 3);
    entry.SetComment("comment");
    entry.SetConfirmation(1);
    entry.SetCopies(3);
    entry.SetCopyright("(c) ACME");
    entry.SetCostCenter("CC-9");
    entry.SetCreationAppl("Planner 2");
    entry.SetCustomer("ACME");
    entry.SetCutMethod(1);
    entry.SetDeleteAfterPlot(1);
    entry.SetDirectory("C:\\jobs\\a1");
    entry.SetDistribution("all");
    entry.SetEarliestPlotTime("2026:5:12:14:30");
    entry.SetEMail("ops@example.com");
    entry.AppendError("E1");
    entry.SetFileEmulation(6);
    entry.SetFoldPrg(3);
    entry.SetFoldTray(1);
    entry.SetFoldOption(5);
    entry.SetHeaderPosition(3);
    entry.SetHpglStepsize(600);
    entry.SetHpglClipping(1);
    entry.SetHpglColorEmulationSaturation(40, 2);
    entry.SetHpglPensWidth(0.35, 5);
    entry.SetImageRotated(90);
    entry.SetInvert(1);
    entry.SetJobCollate(1);
    entry.SetJobFlagsheetOn(1);
    entry.SetJobFlagsheetText("cover");
    entry.SetJobFlagsheetFoldProgram(-2);
    entry.SetJobName("job 1");
    entry.SetJobPlotter("3:7");
    entry.SetJobPriority(4);
    entry.SetMargin(0, 10.0);
    entry.SetMediaFeed(2);
    entry.SetMediaPosition(3);
    entry.SetMediaType(7);
    entry.SetMediaSubType(3);
    entry.SetMirror(3);
    entry.SetName("plan.plt");
    entry.SetNotes("first<|>second");
    entry.SetOnError(2);
    entry.SetOperatorMode(1);
    entry.SetOrigDirectory("D:\\orig");
    entry.SetOrigName("plan-orig.plt");
    entry.SetOutputBinNo(3);
    SslSize output;
    output.SetSizeType(1);
    output.SetFormatName(0);
    output.SetFormat(3);
    entry.SetOutputSize(output);
    entry.SetOutputTray(2);
    entry.SetJobharborJobIDAndNetworkIdentificator(42, "N1");
    entry.SetProfil("fast");
    entry.SetRotate(2);
    entry.SetSecurityPrintPswd("secret");
    entry.SetSetCopies(2);
    SslSingleStamp stamp;
    stamp.SetName("draft");
    stamp.SetText("DRAFT");
    entry.AddStamp(stamp);
    entry.SetTrialPrint(1);
    entry.SetUnits(SslUnit(3));
    entry.SetUserName("jdoe");
    entry.SetVersion(4);
    SslSize zoom;
    zoom.SetSizeType(5);
    zoom.SetWidth(50.0);
    zoom.SetHeight(50.0);
    entry.SetZoom(zoom);
    entry.SetOrdinal(7);
    entry.SetPlotItOptions(2);
    entry.SetJobSort(2);
    entry.SetFileInfo(4000, 2000, 400, 400, 1, 10);
    entry.SetFileInfoColor(8);
    entry.SetColorDepth(8);
    entry.SetResolution(600);
    entry.SetImageContent(2);
    entry.SetHpglAsString("PS1;SP2");
    entry.SetPdfAsString("pdf-settings");
    entry.SetPsAsString("ps-settings");
    entry.SetScanColorProfileSource(1);
    entry.SetScanColorProfileName("scan.icc");
    entry.SetPlotColorProfileSource(1);
    entry.SetPlotColorProfileName("plot.icc");
    entry.SetContact("Jane");
    entry.SetPoNumber("PO-72");
    entry.SetProject("Tower");
    entry.SetPlotDate("2026-12-06");
    entry.SetReceiveDate("2026-12-05");
    entry.SetRenderingIntent(1);
    entry.SetSetSplit(1);
    SslAddress address;
    address.SetName("ACME");
    address.SetCity("Springfield");
    entry.AddAddress(address);
    entry.SetDeliveryDate("2026-12-24");
    entry.SetDeliveryMethod("courier");
    entry.SetDeliveryTime("10:00");
    entry.SetDryMountEdging("black");
    entry.SetDryMountOn(1);
    entry.SetDryMountSpecs("foam 5mm");
    entry.SetDryMountTrim("3mm");
    entry.SetEdging1("tape");
    entry.SetEdging2("none");
    entry.SetFinishingInstructions("fold twice");
    entry.SetLaminateBothSides(1);
    entry.SetLaminateSpecs("matt");
    entry.SetLaminateOn(1);
    entry.SetMediaAsString1("bond 90");
    entry.SetMediaAsString2("film");
    entry.SetReimbursable("yes");
    entry.SetVicStepsize(300);
    entry.SetVicColorEmulationSaturation(30, 4);
    entry.SetVicPensColor(3, 7);
    entry.SetPlotRaw(1);
    entry.SetPlotRawOptions(8);
    entry.SetNesting(1);
    entry.SetNestingQuantity(4);
    entry.AddSupportFile("C:\\support\\logo.bmp");
    SslSize paper;
    paper.SetSizeType(1);
    paper.SetFormatName(1);
    paper.SetFormat(3);
    entry.SetPaperSize(paper);
    entry.SetSetDistribution("set A");
    entry.SetDocumentBoxUserName("jdoe");
    entry.SetDocumentBoxJobName("box job");
    entry.SetDocumentBoxPassword("pw1");
    entry.SetClientFileCaching(1);
    entry.SetDeleteFileAfterProcessing(1);
    entry.SetOriginHost("host1");
    entry.SetPageRange("2-4");
    entry.SetUserHashClear("hash-clear");
    entry.SetUserId("u-109");
    entry.SetPrintQuality(2);
}

/// Access to exactly the statements `ids` (none for an empty list).
inline RCAccessSsl AccessTo(std::initializer_list<std::uint32_t> ids) {
    RCAccessSsl access;
    access.SetAllAccess(0);
    for (std::uint32_t id : ids)
        access.SetAccess(TSslStatementID(id), 1);
    return access;
}

/// A new entry (1) or job entry (0) with every statement filled.
inline RCSslEntry FilledEntry(unsigned int isEntry) {
    RCSslEntry entry(isEntry);
    FillEveryStatement(entry);
    return entry;
}

}  // namespace ssl2_test

// RCSslEntry: figures derived from several statements of a file entry (pages,
// media length, image size), unit conversion, directory substitution, the
// sibling spool product's job number and the user hash in clear text.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "ssl2/base/RCPageRangeParser.h"
#include "ssl2/base/RCUnit.h"
#include "ssl2/base/TException.h"
#include "ssl2/base/TFile.h"
#include "ssl2/entry/RCSslEntry.h"
#include "ssl2/sslmessages.h"

namespace {

/// Media length counted for a page whose image size is unknown (DIN A4 height).
constexpr std::int32_t kDefaultPageLengthMm = 297;
/// The resolution assumed for a file whose resolution is not known.
constexpr double kDefaultResolution = 400.0;

/// `value` truncated toward zero and clamped to the coordinate range (NaN gives 0),
/// so that absurd sizes never overflow.
std::int32_t Truncate(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::trunc(std::fmin(std::fmax(value, kMin), kMax)));
}

/// The approximate size in millimetres of the standard format of `size`.
TPoint StandardSize(const SslSize& size) {
    const SslSize::RSApproxSize mm =
        SslSize::ApproxFormatSize(size.GetFormatName(), size.GetFormat());
    return TPoint(mm.x, mm.y);
}

/// One length of the file in millimetres: `pixels` at `resolution` dots per inch.
double FileLengthMm(std::uint32_t pixels, std::uint32_t resolution) {
    return RCUnit::ConvertVemtoToMm(RCUnit::ConvertPixelToVemto(pixels, resolution));
}

}  // namespace

std::uint32_t RCSslEntry::CountPages(bool applyPageRange) const {
    if (m_bIsEntry == 0 || Read<SslPlotIt>().Get() == 0) {
        return 0;
    }
    const std::uint32_t copies = Read<SslCopies>().Get();
    std::uint32_t pages = std::max<std::uint32_t>(Read<SslFileInfo>().GetPages(), 1);
    const std::uint32_t fileCopies = std::max<std::uint32_t>(Read<SslFileInfo>().GetCopies(), 1);
    const TString range = Read<SslPageRange>().Get();
    if (pages > 1 && applyPageRange && !range.IsEmpty()) {
        RCPageRangeParser parser;
        parser.ParseStringWithEvenOdd(range);
        parser.ApplyEvenOdd(pages);
        pages = static_cast<std::uint32_t>(parser.Size());
    }
    return pages * fileCopies * copies;
}

std::uint32_t RCSslEntry::CountMillimeters(bool applyPageRange) const {
    TPoint size;
    CalculateSize(size);
    std::int64_t length = std::llabs(static_cast<std::int64_t>(size.x > size.y ? size.x : size.y));
    if (length == 0) {
        length = kDefaultPageLengthMm;
    }
    return CountPages(applyPageRange) * static_cast<std::uint32_t>(length);
}

void RCSslEntry::CalculateSize(TPoint& size) const {
    double width = 0.0;
    double height = 0.0;
    CalculateSizeMm(width, height);
    size = TPoint(Truncate(width), Truncate(height));
}

void RCSslEntry::CalculateSizeMm(double& width, double& height) const {
    const auto set = [&width, &height](double x, double y) {
        width = x;
        height = y;
    };
    set(0.0, 0.0);
    const SslSize& output = Read<SslOutputSize>().Get();
    switch (output.GetSizeType()) {
        case 0:
            break;
        case 1:
        case 8:
            set(StandardSize(output).x, StandardSize(output).y);
            return;
        case 2:
        case 3:
            set(output.GetWidth(), output.GetHeight());
            return;
        default:
            return;
    }
    const SslSize zoom = Read<SslZoom>().Get();
    const double fileWidth =
        FileLengthMm(Read<SslFileInfo>().GetSizeDx(), Read<SslFileInfo>().GetResolutionDx());
    const double fileHeight =
        FileLengthMm(Read<SslFileInfo>().GetSizeDy(), Read<SslFileInfo>().GetResolutionDy());
    switch (zoom.GetSizeType()) {
        case 0:
        case 6:
            set(fileWidth, fileHeight);
            break;
        case 1:
            set(StandardSize(zoom).x, StandardSize(zoom).y);
            break;
        case 2:
        case 3:
            set(zoom.GetWidth(), zoom.GetHeight());
            break;
        case 5:
            set(zoom.GetWidth() * fileWidth * 0.01, zoom.GetHeight() * fileHeight * 0.01);
            break;
        default:
            break;
    }
}

TString RCSslEntry::GetFileSizeAsString(SslUnit::RCSslUnits /*unit*/) {
    const auto resolution = [](std::uint32_t dpi) {
        return dpi == 0 ? kDefaultResolution : static_cast<double>(dpi);
    };
    const double width =
        Read<SslFileInfo>().GetSizeDx() * 25.4 / resolution(Read<SslFileInfo>().GetResolutionDx());
    const double height =
        Read<SslFileInfo>().GetSizeDy() * 25.4 / resolution(Read<SslFileInfo>().GetResolutionDy());
    return TString::Format("%.1f x %.1f", width, height);
}

void RCSslEntry::ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit,
                             std::uint32_t resolution) {
    Write<SslCalcomp>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslCalcompPens>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslHpgl>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslHpglPens>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslJobFlagsheet>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslMargin>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslOutputSize>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslPaperSize>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslStamp>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslUnits>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslVic>().ConvertUnit(fromUnit, toUnit, resolution);
    Write<SslVicPens>().ConvertUnit(fromUnit, toUnit, resolution);
    // A window zoom holds lengths like the output size; its factors are not touched.
    Write<SslZoom>().ConvertUnit(fromUnit, toUnit, resolution);
}

void RCSslEntry::SubstituteDirectory(const TString& newBase) {
    TString directory = Read<SslDirectory>().Get();
    const std::uint32_t length = directory.GetLength();
    if (length > 0 && (directory[length - 1] == '\\' || directory[length - 1] == '/')) {
        directory = directory.Left(length - 1);
    }
    Write<SslDirectory>().Set(newBase + TFile::GetFileName(directory) +
                              TFile::GetFileExt(directory));
}

std::uint32_t RCSslEntry::GetJobharborJobID() const {
    TString text = Read<SslPlotOption>().Get();
    if (text.IsEmpty()) {
        return 0;
    }
    const int identifier = text.Find(m_sZelvarinIdentifier);
    if (identifier < 0) {
        return 0;
    }
    text = text.Mid(static_cast<std::uint32_t>(identifier) + m_sZelvarinIdentifier.GetLength());
    const int tag = text.Find(m_sZelvarinJobIDTag);
    if (tag <= 0) {
        return 0;
    }
    text = text.Mid(static_cast<std::uint32_t>(tag) + m_sZelvarinJobIDTag.GetLength());
    std::uint32_t jobId = 0;
    try {
        if (text.Value(jobId, 0) == 0) {
            return 0;
        }
    } catch (const TException&) {
        ClearError();
        return 0;
    } catch (...) {
        VemtoUnhandledException();
        return 0;
    }
    return jobId;
}

void RCSslEntry::SetJobharborJobIDAndNetworkIdentificator(std::uint32_t jobId,
                                                          const TString& networkIdentification) {
    Write<SslPlotOption>().Set(m_sZelvarinIdentifier + networkIdentification + m_sZelvarinJobIDTag +
                               TString::Format("%u", jobId));
}

std::uint32_t RCSslEntry::GetJobPlotterID() const {
    const TString plotter = Read<SslJobPlotter>().Get();
    std::uint32_t id = 0;
    if (plotter.Value(id, 10) == 0) {
        ThrowNewError(RMCSslErrors(), RMCSslErrors::kJobPlotterNotNumeric, plotter);
    }
    return id;
}

unsigned int RCSslEntry::SetUserHashClear(const TString& clearText) {
    return Write<SslUserHash>().SetClear(clearText, Read<SslUserName>().Get());
}

TString RCSslEntry::GetUserHashClear() const {
    return Read<SslUserHash>().GetClear(Read<SslUserName>().Get());
}

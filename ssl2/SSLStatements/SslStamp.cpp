#include "ssl2/SSLStatements/SslStamp.h"

#include <algorithm>
#include <cmath>

#include "ssl2/SSLStatements/SslFold.h"
#include "ssl2/SSLStatements/SslNumberText.h"
#include "ssl2/SSLStatements/SslSelectionStatement.h"
#include "ssl2/base/RCUnit.h"
#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

bool ValidLength(double value) {
    return std::isfinite(value) && value <= SslSingleStamp::kMaxLength;
}

template <std::size_t N>
bool Allowed(const std::uint32_t (&values)[N], std::uint32_t value) {
    return std::find(std::begin(values), std::end(values), value) != std::end(values);
}

// The display text of a position: "SslStatementStrings" message 26 plus the position.
RSIndexString PositionEntry(std::uint32_t position) {
    return {position, VEMTO::GetMessage(RMCSslStatementStrings(), 26 + position)};
}

// A value as written between double quotes: a double quote becomes two single
// quotes and a line break "<|>", so the ticket reads back as written.
TString Quoted(const TString& value) {
    TString text = value;
    text.Replace("\"", "''");
    text.Replace("\r\n", "<|>");
    text.Replace("\r", "<|>");
    text.Replace("\n", "<|>");
    return "\"" + text + "\"";
}

TString Length(double value) {
    return SslDecimalText(value);
}

unsigned int SetLength(double& field, double value) {
    if (!ValidLength(value))
        return 0;
    field = value;
    return 1;
}

// Font attribute bit of generic members 7 to 10.
std::uint32_t AttributeBit(std::uint32_t member) {
    return 1u << (member - SslSingleStamp::kFontBold);
}

}  // namespace

// --- tables -------------------------------------------------------------------------------

const std::uint32_t SslSingleStamp::m_anAllowedBmpOrientations[9] = {1, 2, 3, 5, 7, 9, 11, 13, 14};
const std::uint32_t SslSingleStamp::m_anAllowedStampPositions[13] = {1, 2, 3,  4,  5,  6, 7,
                                                                     8, 9, 10, 11, 13, 14};
const std::uint32_t SslSingleStamp::m_anMemberTypes[kMemberCount] = {
    0x08, 0x10, 0x02, 0x02, 0x01, 0x10, 0x08, 0x02, 0x02, 0x02, 0x02, 0x01,
    0x10, 0x10, 0x02, 0x08, 0x02, 0x02, 0x10, 0x10, 0x02, 0x01, 0x08, 0x02};
const TString SslSingleStamp::m_asMemberNames[kMemberCount] = {"bmp",
                                                               "bmp distance",
                                                               "bmp orientation",
                                                               "color",
                                                               "color level",
                                                               "distance",
                                                               "font",
                                                               "font attribute bold",
                                                               "font attribute italic",
                                                               "font attribute underline",
                                                               "font attribute strikeout",
                                                               "font size",
                                                               "frame size",
                                                               "frame text distance",
                                                               "mirror",
                                                               "name",
                                                               "overlay",
                                                               "position",
                                                               "coordinate x",
                                                               "coordinate y",
                                                               "position scale",
                                                               "rotate",
                                                               "text",
                                                               "manage"};
const TString SslSingleStamp::m_asColors[5] = {"", "black", "darkgrey", "grey", "lightgrey"};
const TString SslSingleStamp::m_asOverlays[4] = {"off", "invert", "transparent", "opaque"};
const TString SslSingleStamp::m_asMirrors[4] = {"off", "x", "y", "xy"};
const RSIndexString SslSingleStamp::m_asBmpOrientations[9] = {
    PositionEntry(1), PositionEntry(2),  PositionEntry(3),  PositionEntry(5), PositionEntry(7),
    PositionEntry(9), PositionEntry(11), PositionEntry(13), PositionEntry(14)};
const RSIndexString SslSingleStamp::m_asStampPositions[13] = {
    PositionEntry(1),  PositionEntry(2),  PositionEntry(3), PositionEntry(4), PositionEntry(5),
    PositionEntry(6),  PositionEntry(7),  PositionEntry(8), PositionEntry(9), PositionEntry(10),
    PositionEntry(11), PositionEntry(13), PositionEntry(14)};
const RSIndexString SslSingleStamp::m_asColorsPy[5] = {
    {0, ""}, {1, "black"}, {2, "darkgrey"}, {3, "grey"}, {4, "lightgrey"}};
const RSIndexString SslSingleStamp::m_asMirrorPy[4] = {{0, "off"}, {1, "x"}, {2, "y"}, {3, "xy"}};
const RSIndexString SslSingleStamp::m_asOverlaysPy[4] = {
    {0, "off"}, {1, "invert"}, {2, "transparent"}, {3, "opaque"}};
const RSIndexString SslSingleStamp::m_asManagePy[3] = {{0, "none"}, {1, "add"}, {2, "del"}};
const TString SslSingleStamp::m_asFontAttributes[9] = {
    "normal", "bold", " italic", "", " underline", "", "", "", " strikeout"};
const TString SslSingleStamp::m_sName = "name ";
const TString SslSingleStamp::m_sText = "text ";
const TString SslSingleStamp::m_sAllPages = "allpages ";
const TString SslSingleStamp::m_sBmp = "bmp ";
const TString SslSingleStamp::m_sBmpDistance = "bmpdistance ";
const TString SslSingleStamp::m_sBmpOrientation = "bmporientation ";
const TString SslSingleStamp::m_sColor = "color ";
const TString SslSingleStamp::m_sColorLevel = "level ";
const TString SslSingleStamp::m_sDistance = "distance ";
const TString SslSingleStamp::m_sFont = "font ";
const TString SslSingleStamp::m_sFontAttribute = "fontattribute ";
const TString SslSingleStamp::m_sFontColor = "fontcolor ";
const TString SslSingleStamp::m_sFontSize = "fontsize ";
const TString SslSingleStamp::m_sFrameSize = "framesize ";
const TString SslSingleStamp::m_sFrameTextDistance = "frametextdistance ";
const TString SslSingleStamp::m_sMirror = "mirror ";
const TString SslSingleStamp::m_sNumbering = "numbering ";
const TString SslSingleStamp::m_sOverlay = "overlay ";
const TString SslSingleStamp::m_sPosition = "position ";
const TString SslSingleStamp::m_sPositionCoordinate = "coordinate ";
const TString SslSingleStamp::m_sPositionScale = "positionscale ";
const TString SslSingleStamp::m_sRotate = "rotate ";

// --- SslSingleStamp -----------------------------------------------------------------------

TString SslSingleStamp::ToString(const TString& statementName, unsigned int withFontColor) const {
    const auto onOff = [](unsigned int on) { return TString(on ? "on" : "off"); };
    const TString* positions = SslSelectionStatement::m_asPositions;
    TString color = m_sColor + m_asColors[m_nColor];
    if (m_nColor == 0)
        color += m_sColorLevel + TString(m_nColorLevel);

    TString text = statementName;
    bool first = true;
    const auto part = [&](const TString& keywordAndValue) {
        if (!first)
            text += "\t+ ";
        first = false;
        text += keywordAndValue + "\r\n";
    };
    part(m_sName + Quoted(m_sStampName));
    part(m_sText + Quoted(m_sStampText));
    part(m_sAllPages + onOff(m_bAllPages));
    part(m_sBmp + Quoted(m_sBmpFile));
    part(m_sBmpDistance + Length(m_dBmpDistance));
    part(m_sBmpOrientation + positions[m_nBmpOrientation]);
    part(color);
    part(m_sDistance + Length(m_dDistance));
    part(m_sFont + Quoted(m_sFontName));
    part(m_sFontAttribute + FontAttributeToString());
    if (withFontColor)
        part(m_sFontColor + TString(m_nFontColor));
    part(m_sFontSize + TString(m_nFontSize));
    part(m_sFrameSize + Length(m_dFrameSize));
    part(m_sFrameTextDistance + Length(m_dFrameTextDistance));
    part(m_sMirror + m_asMirrors[m_nMirror]);
    part(m_sNumbering + TString(m_nNumbering));
    part(m_sOverlay + m_asOverlays[m_nOverlay]);
    part(m_sPosition + positions[m_nPosition]);
    part(m_sPositionCoordinate + Length(m_dPositionCoordinateX) + " " +
         Length(m_dPositionCoordinateY));
    part(m_sPositionScale + onOff(m_bPositionScale));
    part(m_sRotate + TString(m_nRotate));
    return text;
}

TString SslSingleStamp::FontAttributeToString() const {
    if (m_nFontAttribute == 0)
        return m_asFontAttributes[0];
    TString text;
    for (std::uint32_t bit = 1; bit <= 8; bit <<= 1)
        if (m_nFontAttribute & bit)
            text += m_asFontAttributes[bit];
    return text;
}

unsigned int SslSingleStamp::SetAllPages(unsigned int on) {
    m_bAllPages = on ? 1 : 0;
    return 1;
}

unsigned int SslSingleStamp::SetBmpFile(const TString& path) {
    m_sBmpFile = path;
    return 1;
}

unsigned int SslSingleStamp::SetBmpDistance(double distance) {
    return SetLength(m_dBmpDistance, distance);
}

unsigned int SslSingleStamp::SetBmpOrientation(std::uint32_t orientation) {
    if (!Allowed(m_anAllowedBmpOrientations, orientation))
        return 0;
    m_nBmpOrientation = orientation;
    return 1;
}

unsigned int SslSingleStamp::SetColor(std::uint32_t color) {
    if (color > 4)
        return 0;
    m_nColor = color;
    return 1;
}

unsigned int SslSingleStamp::SetColorLevel(std::uint32_t level) {
    if (level > 100)
        return 0;
    m_nColorLevel = level;
    return 1;
}

unsigned int SslSingleStamp::SetDistance(double distance) {
    return SetLength(m_dDistance, distance);
}

unsigned int SslSingleStamp::SetFontName(const TString& font) {
    m_sFontName = font;
    return 1;
}

unsigned int SslSingleStamp::SetFontAttribute(std::uint32_t attributes) {
    if (attributes > 15)
        return 0;
    m_nFontAttribute = attributes;
    return 1;
}

unsigned int SslSingleStamp::SetFontColor(std::uint32_t color) {
    m_nFontColor = color;
    return 1;
}

unsigned int SslSingleStamp::SetFontSize(std::uint32_t size) {
    if (size < 4 || size > 160)
        return 0;
    m_nFontSize = size;
    return 1;
}

unsigned int SslSingleStamp::SetFrameSize(double size) {
    return SetLength(m_dFrameSize, size);
}

unsigned int SslSingleStamp::SetFrameTextDistance(double distance) {
    return SetLength(m_dFrameTextDistance, distance);
}

unsigned int SslSingleStamp::SetMirror(std::uint32_t mirror) {
    if (mirror > 3)
        return 0;
    m_nMirror = mirror;
    return 1;
}

unsigned int SslSingleStamp::SetName(const TString& name) {
    m_sStampName = name;
    return 1;
}

unsigned int SslSingleStamp::SetNumbering(std::uint32_t numbering) {
    if (numbering > 10000)
        return 0;
    m_nNumbering = numbering;
    return 1;
}

unsigned int SslSingleStamp::SetOverlay(std::uint32_t overlay) {
    if (overlay > 3)
        return 0;
    m_nOverlay = overlay;
    return 1;
}

unsigned int SslSingleStamp::SetPosition(std::uint32_t position) {
    if (!Allowed(m_anAllowedStampPositions, position))
        return 0;
    m_nPosition = position;
    return 1;
}

unsigned int SslSingleStamp::SetPositionCoordinateX(double x) {
    return SetLength(m_dPositionCoordinateX, x);
}

unsigned int SslSingleStamp::SetPositionCoordinateY(double y) {
    return SetLength(m_dPositionCoordinateY, y);
}

unsigned int SslSingleStamp::SetPositionScale(unsigned int on) {
    m_bPositionScale = on ? 1 : 0;
    return 1;
}

unsigned int SslSingleStamp::SetRotate(std::uint32_t degrees) {
    if (degrees > 359)
        return 0;
    m_nRotate = degrees;
    return 1;
}

unsigned int SslSingleStamp::SetText(const TString& text) {
    m_sStampText = text;
    return 1;
}

void SslSingleStamp::ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit,
                                 std::uint32_t resolution) {
    for (double* length : {&m_dBmpDistance, &m_dDistance, &m_dFrameSize, &m_dFrameTextDistance,
                           &m_dPositionCoordinateX, &m_dPositionCoordinateY})
        *length = RCUnit::Convert(fromUnit, toUnit, *length, resolution);
}

unsigned int SslSingleStamp::SetString(const std::string& text, std::uint32_t member) {
    switch (member) {
        case kBmp:
            return SetBmpFile(TString::FromEightBit(text));
        case kFont:
            return SetFontName(TString::FromEightBit(text));
        case kName:
            return SetName(TString::FromEightBit(text));
        case kText:
            return SetText(TString::FromEightBit(text));
        case kBmpDistance:
        case kDistance:
        case kFrameSize:
        case kFrameTextDistance:
        case kCoordinateX:
        case kCoordinateY: {
            double length = 0.0;
            if (!TString(text).Value(length))
                return 0;
            switch (member) {
                case kBmpDistance:
                    return SetBmpDistance(length);
                case kDistance:
                    return SetDistance(length);
                case kFrameSize:
                    return SetFrameSize(length);
                case kFrameTextDistance:
                    return SetFrameTextDistance(length);
                case kCoordinateX:
                    return SetPositionCoordinateX(length);
                default:
                    return SetPositionCoordinateY(length);
            }
        }
        default:
            break;
    }
    std::int32_t value = 0;
    if (member >= kManageMember || !SslStatement::ReadDecimal(text, value) || value < 0)
        return 0;
    const auto number = static_cast<std::uint32_t>(value);
    switch (member) {
        case kBmpOrientation:
            return SetBmpOrientation(number);
        case kColor:
            return SetColor(number);
        case kColorLevel:
            return SetColorLevel(number);
        case kFontBold:
        case kFontItalic:
        case kFontUnderline:
        case kFontStrikeout:
            return SetFontAttribute(number ? (m_nFontAttribute | AttributeBit(member))
                                           : (m_nFontAttribute & ~AttributeBit(member)));
        case kFontSize:
            return SetFontSize(number);
        case kMirror:
            return SetMirror(number);
        case kOverlay:
            return SetOverlay(number);
        case kPosition:
            return SetPosition(number);
        case kPositionScale:
            return SetPositionScale(number);
        default:
            return SetRotate(number);
    }
}

std::string SslSingleStamp::GetString(std::uint32_t member) const {
    switch (member) {
        case kBmp:
            return m_sBmpFile.str();
        case kBmpDistance:
            return Length(m_dBmpDistance).str();
        case kBmpOrientation:
            return std::to_string(m_nBmpOrientation);
        case kColor:
            return std::to_string(m_nColor);
        case kColorLevel:
            return std::to_string(m_nColorLevel);
        case kDistance:
            return Length(m_dDistance).str();
        case kFont:
            return m_sFontName.str();
        case kFontBold:
        case kFontItalic:
        case kFontUnderline:
        case kFontStrikeout:
            return (m_nFontAttribute & AttributeBit(member)) ? "1" : "0";
        case kFontSize:
            return std::to_string(m_nFontSize);
        case kFrameSize:
            return Length(m_dFrameSize).str();
        case kFrameTextDistance:
            return Length(m_dFrameTextDistance).str();
        case kMirror:
            return std::to_string(m_nMirror);
        case kName:
            return m_sStampName.str();
        case kOverlay:
            return std::to_string(m_nOverlay);
        case kPosition:
            return std::to_string(m_nPosition);
        case kCoordinateX:
            return Length(m_dPositionCoordinateX).str();
        case kCoordinateY:
            return Length(m_dPositionCoordinateY).str();
        case kPositionScale:
            return std::to_string(m_bPositionScale);
        case kRotate:
            return std::to_string(m_nRotate);
        case kText:
            return m_sStampText.str();
        case kManage:
            return "0";
        default:
            return {};
    }
}

std::uint32_t SslSingleStamp::GetContainedType(std::uint32_t member) const {
    return member < kMemberCount ? m_anMemberTypes[member] : 0;
}

TString SslSingleStamp::GetSubStatementName(std::uint32_t member) {
    return member < kMemberCount ? m_asMemberNames[member] : TString();
}

std::uint32_t SslSingleStamp::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                          const RCStatementInfluencingCapaRefined*) const {
    switch (member) {
        case kBmpOrientation:
            keywords = m_asBmpOrientations;
            return 9;
        case kColor:
            keywords = m_asColorsPy;
            return 5;
        case kFontBold:
        case kFontItalic:
        case kFontUnderline:
        case kFontStrikeout:
        case kPositionScale:
            keywords = SslFold::m_asOnOff;
            return 2;
        case kMirror:
            keywords = m_asMirrorPy;
            return 4;
        case kOverlay:
            keywords = m_asOverlaysPy;
            return 4;
        case kPosition:
            keywords = m_asStampPositions;
            return 13;
        case kManage:
            keywords = m_asManagePy;
            return 3;
        default:
            keywords = nullptr;
            return 0;
    }
}

// --- SslStamp ------------------------------------------------------------------------------

SslStamp::SslStamp()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

TString SslStamp::ToString(unsigned int withFontColor) const {
    if (!m_bOn)
        return m_sName + "off";
    TString text;
    for (std::size_t i = 0; i < m_StampList.size(); ++i) {
        if (i)
            text += "\r\n";
        text += m_StampList[i].ToString(m_sName, withFontColor);
    }
    return text;
}

std::uint32_t SslStamp::AddStamp(const SslSingleStamp& stamp) {
    m_StampList.push_back(stamp);
    m_bOn = 1;
    return static_cast<std::uint32_t>(m_StampList.size());
}

unsigned int SslStamp::RemoveStamp(std::uint32_t index) {
    if (index >= m_StampList.size())
        return 0;
    m_StampList.erase(m_StampList.begin() + index);
    if (m_StampList.empty())
        m_bOn = 0;
    return 1;
}

void SslStamp::RemoveAllStamps() {
    m_StampList.clear();
    m_bOn = 0;
}

const SslSingleStamp& SslStamp::GetStamp(std::uint32_t index) const {
    if (index >= m_StampList.size())
        ThrowNewError(RMCSslErrors(), RMCSslErrors::kIndexOutOfRange, "m_StampList", TString(index),
                      TString(static_cast<long long>(m_StampList.size())));
    return m_StampList[index];
}

std::uint32_t SslStamp::GetStampCount() const {
    return m_bOn ? static_cast<std::uint32_t>(m_StampList.size()) : 0;
}

void SslStamp::ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution) {
    for (SslSingleStamp& stamp : m_StampList)
        stamp.ConvertUnit(fromUnit, toUnit, resolution);
}

bool SslStamp::operator==(const SslStamp& other) const {
    return m_bOn == other.m_bOn && m_StampList == other.m_StampList;
}

bool SslStamp::IsSmaller(const SslStamp& a, const SslStamp& b) {
    if (!a.m_bOn || !b.m_bOn)
        return a.m_bOn < b.m_bOn;
    return a.m_StampList.size() < b.m_StampList.size();
}

unsigned int SslStamp::SetString(const std::string& text, std::uint32_t member,
                                 std::uint32_t element) {
    if (member == SslSingleStamp::kManageMember) {
        std::int32_t operation = 0;
        if (!ReadDecimal(text, operation))
            return 0;
        switch (operation) {
            case 0:
                return 1;
            case 1:
                AddStamp(SslSingleStamp());
                return 1;
            case 2:
                return RemoveStamp(element);
            default:
                return 0;
        }
    }
    if (element >= m_StampList.size())
        return 0;
    return m_StampList[element].SetString(text, member);
}

std::string SslStamp::GetString(std::uint32_t member, std::uint32_t element) const {
    return element < m_StampList.size() ? m_StampList[element].GetString(member) : std::string();
}

TString SslStamp::GetArrayElementName(std::uint32_t element) {
    if (element >= GetStampCount())
        return TString::Format("New Stamp %u", element);
    const TString& name = m_StampList[element].GetName();
    return name.IsEmpty() ? TString::Format("Stamp %u", element) : name;
}

const SslSingleStamp& SslStamp::Describer() const {
    static const SslSingleStamp kDefault;
    return m_StampList.empty() ? kDefault : m_StampList.front();
}

std::uint32_t SslStamp::GetContainedMemberCount() const {
    return Describer().GetContainedMemberCount();
}

std::uint32_t SslStamp::GetContainedType(std::uint32_t member) const {
    return Describer().GetContainedType(member);
}

std::uint32_t SslStamp::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                    const RCStatementInfluencingCapaRefined* capas) const {
    return Describer().GetKeywords(keywords, member, capas);
}

TString SslStamp::GetSubStatementName(std::uint32_t member) {
    return m_StampList.empty() ? SslSingleStamp().GetSubStatementName(member)
                               : m_StampList.front().GetSubStatementName(member);
}

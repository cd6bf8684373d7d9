#include "ssl2/SSLStatements/SslSupportFiles.h"

#include <utility>

#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

unsigned int SslSupportFile::SetString(const std::string& text, std::uint32_t member) {
    if (member != 0)
        return 0;
    static_cast<TString&>(*this) = TString::FromEightBit(text);
    return 1;
}

std::string SslSupportFile::GetString(std::uint32_t member) const {
    return member == 0 ? str() : std::string();
}

std::uint32_t SslSupportFile::GetContainedType(std::uint32_t member) const {
    return member == 0 ? std::uint32_t{SslStatement::kMemberText} : 0;
}

TString SslSupportFile::GetSubStatementName(std::uint32_t) {
    return {};
}

std::uint32_t SslSupportFile::GetKeywords(const RSIndexString*& keywords, std::uint32_t,
                                          const RCStatementInfluencingCapaRefined*) const {
    keywords = nullptr;
    return 0;
}

void SslSupportFile::Ser_m_sPath(RSDataEntry* entry) const {
    SerializeAsTString(entry, *this);
}

void SslSupportFile::DeSer_m_sPath(const RSDataEntry* entry) {
    DeSerializeAsTString(entry, *this);
}

SSL2_SER_MEMBER_STATICS(SslSupportFile, m_sPath)

const RCSerializeBase::_TIDFunctionTuple SslSupportFile::m_IDFunciontArray[] = {
    SSL2_SER_MEMBER_TUPLE(SslSupportFile, 0, m_sPath),
    {0, nullptr, nullptr},
};

const RCSerializeBase::_TIDFunctionTableList& SslSupportFile::InitFunctionTableList() {
    static const _TIDFunctionTableList list = {GetClassDataType(), m_IDFunciontArray,
                                               GetBaseFunctionTableList()};
    return list;
}

SslSupportFiles::SslSupportFiles()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID]) {}

TString SslSupportFiles::ToString() const {
    TString text;
    for (const SslSupportFile& file : m_SupportFileList) {
        text += m_sName + " \"" + file + "\"\r\n";
    }
    return text;
}

unsigned int SslSupportFiles::SetString(const std::string& text, std::uint32_t member,
                                        std::uint32_t element) {
    if (element >= m_SupportFileList.size())
        return 0;
    return m_SupportFileList[element].SetString(text, member);
}

std::string SslSupportFiles::GetString(std::uint32_t member, std::uint32_t element) const {
    if (element >= m_SupportFileList.size())
        return {};
    return m_SupportFileList[element].GetString(member);
}

std::uint32_t SslSupportFiles::GetContainedType(std::uint32_t member) const {
    return member == 0 ? std::uint32_t{kMemberText} : 0;
}

std::uint32_t SslSupportFiles::AddSupportFile(const TString& path) {
    m_SupportFileList.emplace_back(path);
    return GetSupportFileCount();
}

unsigned int SslSupportFiles::RemoveSupportFile(std::uint32_t index) {
    if (index >= m_SupportFileList.size())
        return 0;
    m_SupportFileList.erase(m_SupportFileList.begin() + index);
    return 1;
}

std::uint32_t SslSupportFiles::RemoveAll() {
    const std::uint32_t count = GetSupportFileCount();
    m_SupportFileList.clear();
    return count;
}

const SslSupportFile& SslSupportFiles::GetSupportFile(std::uint32_t index) const {
    if (index >= m_SupportFileList.size()) {
        ThrowNewError(RMCSslErrors(), RMCSslErrors::kIndexOutOfRange, "m_SupportFileList",
                      TString(index), TString(GetSupportFileCount()));
    }
    return m_SupportFileList[index];
}

SslSupportFile& SslSupportFiles::GetSupportFile(std::uint32_t index) {
    return const_cast<SslSupportFile&>(std::as_const(*this).GetSupportFile(index));
}

std::uint32_t SslSupportFiles::GetSupportFileCount() const {
    return static_cast<std::uint32_t>(m_SupportFileList.size());
}

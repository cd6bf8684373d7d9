#include "ssl2/capas/RCStatementInfluencingCapas.h"

#include <algorithm>

bool RCStatementInfluencingCapas::AddPlotter(const std::string& text) {
    RCStatementInfluencingCapaRaw raw;
    if (!raw.FromString(text))
        return false;
    AddPlotter(raw);
    return true;
}

void RCStatementInfluencingCapas::AddPlotter(const RCStatementInfluencingCapaRaw& raw) {
    const auto same = std::find_if(m_RawCapas.begin(), m_RawCapas.end(), [&](const auto& known) {
        return known.GetPlotterName() == raw.GetPlotterName();
    });
    if (same != m_RawCapas.end()) {
        *same = raw;
    } else {
        m_RawCapas.push_back(raw);
    }
    m_bRefined = false;
}

std::string RCStatementInfluencingCapas::GetPlotterName(std::uint32_t index) const {
    if (index >= m_RawCapas.size())
        return {};
    return m_RawCapas[index].GetPlotterName().str();
}

std::uint32_t RCStatementInfluencingCapas::Refine() {
    m_RefinedCapas.clear();
    m_RefinedCapas.emplace_back();
    for (const auto& raw : m_RawCapas) {
        m_RefinedCapas.front().Add(raw);
        m_RefinedCapas.emplace_back().Fill(raw);
    }
    m_bRefined = true;
    return GetPlotterCount();
}

RCStatementInfluencingCapaRefined RCStatementInfluencingCapas::GetRefinedCapas(
    const std::string& name) {
    if (!m_bRefined)
        Refine();
    if (m_RefinedCapas.empty())
        return {};
    if (name == "auto")
        return m_RefinedCapas.front();
    const auto match =
        std::find_if(m_RefinedCapas.begin() + 1, m_RefinedCapas.end(), [&](const auto& refined) {
            return refined.GetPlotterCount() > 0 && refined.GetPlotterName(0) == name.c_str();
        });
    return match != m_RefinedCapas.end() ? *match : RCStatementInfluencingCapaRefined();
}

// Helpers shared by the tests of the capability readers and records.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ssl2/base/TestTempDir.h"
#include "ssl2/capas/RCReaderDiagnostics.h"

namespace capas_test {

/// Collects the diagnostics of a reader.
struct Diagnostics {
    std::vector<RSReaderDiagnostic> m_aAll;

    TReaderDiagnosticHandler Handler() {
        return [this](const RSReaderDiagnostic& d) { m_aAll.push_back(d); };
    }
    /// The texts that went to `stream`, concatenated.
    std::string Text(RSReaderDiagnostic::TStream stream) const {
        std::string text;
        for (const auto& d : m_aAll) {
            if (d.m_eStream == stream)
                text += d.m_sText.str();
        }
        return text;
    }
    std::string Errors() const { return Text(RSReaderDiagnostic::kStandardError); }
    std::string Output() const { return Text(RSReaderDiagnostic::kStandardOutput); }
};

/// A fresh directory per test, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override { m_dir = ssl2::test::MakeTempDir("ssl2_capas_"); }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const auto path = (m_dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path m_dir;
};

/// The whole content of the file at `path`.
inline std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

/// Path of a file under examples/capas/ of the source tree.
inline std::string Example(const char* name) {
    return std::string(SSL2_SOURCE_DIR) + "/examples/capas/" + name;
}

}  // namespace capas_test

// Helpers shared by the tests of the capability readers and records.
#pragma once

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

#include "ssl2/base/ILog.h"
#include "ssl2/capas/RCReaderDiagnostics.h"
#include "tests/support/TempDir.h"

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

/// One read of `text` by a capability reader (INI or RCF) with its diagnostics.
template <class Reader>
struct RSRead {
    Reader reader;
    Diagnostics diagnostics;
    std::uint32_t sections = 0;

    explicit RSRead(const std::string& text) {
        reader.SetDiagnosticHandler(diagnostics.Handler());
        sections = reader.ReadString(text);
    }
    /// The value of `key` in `section`, or "<absent>".
    std::string Value(const char* section, const char* key) const {
        TString value;
        return reader.GetValue(section, key, value) ? value.str() : "<absent>";
    }
};

/// Rows of text -> the value one key reads back, read without an error.
struct RSValueRow {
    const char* text;
    const char* section;
    const char* key;
    const char* expected;  // "<absent>" when the key must not exist
};

template <class Reader>
void CheckValueRows(std::initializer_list<RSValueRow> rows) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const RSRead<Reader> read(row.text);
        EXPECT_EQ(read.Value(row.section, row.key), row.expected);
        EXPECT_EQ(read.diagnostics.Errors(), "");
    }
}

/// Rows of broken text -> the parse error and the sections kept; every one is logged
/// with `logged` at level 1.
struct RSErrorRow {
    const char* text;
    const char* error;
    std::uint32_t sections;
};

template <class Reader>
void CheckErrorRows(const char* logged, std::initializer_list<RSErrorRow> rows) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        RCCaptureLog log;
        RCScopedLog scoped(&log);
        const RSRead<Reader> read(row.text);
        EXPECT_EQ(read.diagnostics.Errors(), row.error);
        EXPECT_EQ(read.sections, row.sections);
        EXPECT_TRUE(log.Contains(1, logged));
    }
}

using ssl2::test::ReadFile;
using ssl2::test::TempDirTest;

/// Path of a file under examples/capas/ of the source tree.
inline std::string Example(const char* name) {
    return std::string(SSL2_SOURCE_DIR) + "/examples/capas/" + name;
}

}  // namespace capas_test

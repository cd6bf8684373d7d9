// Copies of one entry used on several threads at once: the copies share statements
// until they change them, so every change and every release must stay on its own
// thread's copy.  Run under ThreadSanitizer by the "threads" label.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ssl2/entry/RCSslEntry.h"
#include "tests/support/EntryTestData.h"
#include "tests/support/Threads.h"

namespace {

TEST(RCSslEntryThreads, CopiesOfOneEntryChangeIndependentlyOnEachThread) {
    const RCSslEntry job = ssl2_test::FilledEntry(0);
    const TString jobText = job.ToString(RCAccessSsl(), SslStatement::kVersion50, 0);

    constexpr int kThreads = 4;
    constexpr int kCopies = 200;
    std::vector<int> mismatches(kThreads, 0);
    ssl2::test::RunTogether(kThreads, 1, [&](std::size_t t, int) {
        std::vector<RCSslEntry> files;
        for (int i = 0; i < kCopies; ++i) {
            RCSslEntry file(job, 1);
            const TString name = TString::Format("t%d-%d", static_cast<int>(t), i);
            file.SetName(name);
            file.SetCopies(static_cast<std::uint32_t>(i % 7 + 1));
            file.SetHpglPensWidth(0.1 * static_cast<double>(t), 3);
            RCSslEntry full(job);
            full.SetAccount(name);
            if (file.GetName() != name || full.GetAccount() != name ||
                file.GetComment() != job.GetComment())
                ++mismatches[t];
            files.push_back(std::move(file));
        }
        for (int i = 0; i < kCopies; ++i) {
            if (files[i].GetCopies() != static_cast<std::uint32_t>(i % 7 + 1))
                ++mismatches[t];
        }
    });
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    EXPECT_EQ(job.ToString(RCAccessSsl(), SslStatement::kVersion50, 0), jobText);
}

}  // namespace

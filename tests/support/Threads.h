// Helper of the tests that run several threads at once (suites named "...Threads").
#pragma once

#include <cstddef>
#include <thread>
#include <vector>

namespace ssl2::test {

/// Runs `work(thread, round)` on `threads` threads at once, `rounds` times each, and
/// waits for all of them.
template <class Work>
void RunTogether(std::size_t threads, int rounds, Work work) {
    std::vector<std::thread> running;
    for (std::size_t t = 0; t < threads; ++t) {
        running.emplace_back([&work, t, rounds] {
            for (int round = 0; round < rounds; ++round)
                work(t, round);
        });
    }
    for (auto& thread : running)
        thread.join();
}

}  // namespace ssl2::test

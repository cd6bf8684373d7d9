// Reading a capability INI file: ssl2's RCIniStringInterface against Debian's libinih
// reading the same text into an equivalent map (names lower-cased, values as read).
#include <benchmark/benchmark.h>
#include <ini.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "ssl2/capas/RCIniStringInterface.h"

namespace {

const std::string kExampleFile =
    std::string(SSL2_SOURCE_DIR) + "/examples/capas/rolljet_folder.ini";

using TPeerMap = std::map<std::string, std::map<std::string, std::string>>;

std::string Lowered(const char* text) {
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

int StoreInMap(void* user, const char* section, const char* name, const char* value) {
    (*static_cast<TPeerMap*>(user))[Lowered(section)][Lowered(name)] = value;
    return 1;
}

// About 1 MiB: one section of 20,000 keys.
std::string LargeText() {
    std::string text = "[big]\r\n";
    for (int i = 0; i < 20000; ++i) {
        text += "key" + std::to_string(i) + "=" + std::string(40, 'x') + "\r\n";
    }
    return text;
}

void Ssl2ReadExampleFile(benchmark::State& state) {
    for (auto _ : state) {
        RCIniStringInterface ini;
        benchmark::DoNotOptimize(ini.ReadFile(kExampleFile));
    }
}
BENCHMARK(Ssl2ReadExampleFile);

void InihReadExampleFile(benchmark::State& state) {
    for (auto _ : state) {
        TPeerMap map;
        benchmark::DoNotOptimize(ini_parse(kExampleFile.c_str(), StoreInMap, &map));
    }
}
BENCHMARK(InihReadExampleFile);

void Ssl2ReadLargeText(benchmark::State& state) {
    const std::string text = LargeText();
    for (auto _ : state) {
        RCIniStringInterface ini;
        benchmark::DoNotOptimize(ini.ReadString(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(Ssl2ReadLargeText)->Unit(benchmark::kMillisecond);

void InihReadLargeText(benchmark::State& state) {
    const std::string text = LargeText();
    for (auto _ : state) {
        TPeerMap map;
        benchmark::DoNotOptimize(ini_parse_string(text.c_str(), StoreInMap, &map));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(InihReadLargeText)->Unit(benchmark::kMillisecond);

}  // namespace

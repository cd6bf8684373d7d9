// MD5 of 1 MiB: our CMD5Checksum against Crypto++'s MD5 on the same bytes, with the
// physical reference (reading the same bytes from a file and counting their lines).
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <benchmark/benchmark.h>
#include <cryptopp/hex.h>
#include <cryptopp/md5.h>

#include <array>
#include <cctype>
#include <string>

#include "bench/bench_util.h"
#include "ssl2/support/CMD5Checksum.h"

namespace {

constexpr std::size_t kSize = 1024 * 1024;

const std::string& Bytes() {
    static const std::string bytes = ssl2bench::TextBytes(kSize);
    return bytes;
}

const unsigned char* Data() {
    return reinterpret_cast<const unsigned char*>(Bytes().data());
}

std::string CryptoPPDigest() {
    std::array<CryptoPP::byte, CryptoPP::Weak::MD5::DIGESTSIZE> digest{};
    CryptoPP::Weak::MD5().CalculateDigest(digest.data(), Data(), kSize);
    std::string hex;
    CryptoPP::HexEncoder encoder(new CryptoPP::StringSink(hex), false);
    encoder.Put(digest.data(), digest.size());
    encoder.MessageEnd();
    return hex;
}

void BM_MD5_CMD5Checksum(benchmark::State& state) {
    if (CMD5Checksum::GetMD5(Data(), kSize).str() != CryptoPPDigest()) {
        state.SkipWithError("CMD5Checksum and Crypto++ disagree on the digest");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CMD5Checksum::GetMD5(Data(), kSize));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(BM_MD5_CMD5Checksum);

void BM_MD5_CryptoPP(benchmark::State& state) {
    std::array<CryptoPP::byte, CryptoPP::Weak::MD5::DIGESTSIZE> digest{};
    for (auto _ : state) {
        CryptoPP::Weak::MD5().CalculateDigest(digest.data(), Data(), kSize);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(BM_MD5_CryptoPP);

void BM_ReadAndCountLines(benchmark::State& state) {
    const ssl2bench::ScratchDir dir;
    const auto path = dir.Write("md5.txt", Bytes());
    ssl2bench::LineCount count;
    for (auto _ : state) {
        count = ssl2bench::CountLines(path);
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
    state.counters["lines"] = static_cast<double>(count.lines);
}
BENCHMARK(BM_ReadAndCountLines);

}  // namespace

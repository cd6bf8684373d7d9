// Helpers shared by the benchmark programs: scratch directories, deterministic test
// bytes, the physical reference pass (read a file, count its lines) and the peak
// resident memory of the process.
//
// Benchmarks call these from their set-up code and from the timed loop of the
// reference pass; nothing here is thread-safe beyond what the C library promises.
//
//   ssl2bench::ScratchDir dir;
//   const auto path = dir.Write("ticket.ssl", text);
//   const ssl2bench::LineCount count = ssl2bench::CountLines(path);
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ssl2bench {

/// A fresh directory under the system temporary directory, removed with its contents.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ssl2bench-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a scratch directory");
        m_path = pattern;
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& Path() const { return m_path; }

    /// Writes `bytes` to the file `name` in this directory and returns its path.
    std::filesystem::path Write(std::string_view name, std::string_view bytes) const {
        const std::filesystem::path path = m_path / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            throw std::runtime_error("cannot write " + path.string());
        return path;
    }

private:
    std::filesystem::path m_path;
};

/// Text-like bytes of exactly `size` bytes: lines of printable ASCII of varying length,
/// the same for the same `seed` (a 64-bit linear congruential generator).
inline std::string TextBytes(std::size_t size, std::uint64_t seed = 1) {
    std::string bytes;
    bytes.reserve(size);
    std::uint64_t state = seed;
    std::size_t lineLeft = 0;
    while (bytes.size() < size) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const auto random = static_cast<std::uint32_t>(state >> 33);
        if (lineLeft == 0) {
            if (!bytes.empty())
                bytes.push_back('\n');
            lineLeft = 20 + random % 60;
            continue;
        }
        bytes.push_back(static_cast<char>(' ' + random % 95));
        --lineLeft;
    }
    return bytes;
}

struct LineCount {
    std::uint64_t bytes = 0;
    std::uint64_t lines = 0;  ///< line feeds, plus one for an unterminated last line
};

/// The physical reference of a reader: opens `path`, reads it whole in 64 KiB blocks and
/// counts its lines.  Anything a parser does costs at least this much.
inline LineCount CountLines(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path.string());
    std::array<char, 64 * 1024> block;
    LineCount count;
    char last = '\n';
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got < 0) {
            ::close(fd);
            throw std::runtime_error("cannot read " + path.string());
        }
        if (got == 0)
            break;
        count.bytes += static_cast<std::uint64_t>(got);
        count.lines +=
            static_cast<std::uint64_t>(std::count(block.data(), block.data() + got, '\n'));
        last = block[static_cast<std::size_t>(got) - 1];
    }
    ::close(fd);
    if (last != '\n')
        ++count.lines;
    return count;
}

/// Peak resident set size of this process so far, in bytes (Linux reports KiB).
inline double PeakResidentBytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

}  // namespace ssl2bench

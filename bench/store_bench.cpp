// The cost of locking and unlocking a 4 KiB data file, in memory and through the files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "store/datafile.h"

namespace {

// Runs a benchmark inside a fresh temporary folder, which is removed afterwards.
class TempFolder {
  public:
    TempFolder()
        : previous(std::filesystem::current_path()),
          folder(platform::enter_temporary_folder("gridhollow-bench")) {}
    ~TempFolder() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }

  private:
    std::filesystem::path previous, folder;
};

std::vector<uint8_t> content4k() {
    std::vector<uint8_t> content(4096);
    for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<uint8_t>(i * 31 + 7);
    return content;
}

} // namespace

static void BM_LockBytes4K(benchmark::State& state) {
    const std::vector<uint8_t> content = content4k();
    for (auto _ : state) benchmark::DoNotOptimize(lockbytes("scores.txt", content));
}
BENCHMARK(BM_LockBytes4K);

static void BM_UnlockBytes4K(benchmark::State& state) {
    const std::vector<uint8_t> stored = lockbytes("scores.txt", content4k());
    std::vector<uint8_t> plain;
    for (auto _ : state) benchmark::DoNotOptimize(unlockbytes("scores.txt", stored, plain));
}
BENCHMARK(BM_UnlockBytes4K);

// lockfile on a plain 4 KiB file (rewritten plain each time), with the temporaries cleared.
static void BM_LockFile4K(benchmark::State& state) {
    TempFolder folder;
    const std::vector<uint8_t> content = content4k();
    for (auto _ : state) {
        platform::file_write("scores.txt", content.data(), content.size());
        lockfile("scores.txt");
        clearunlocked();
    }
}
BENCHMARK(BM_LockFile4K)->Unit(benchmark::kMicrosecond);

// unlockfile of a stored 4 KiB file, with the temporaries cleared.
static void BM_UnlockFile4K(benchmark::State& state) {
    TempFolder folder;
    const std::vector<uint8_t> stored = lockbytes("scores.txt", content4k());
    platform::file_write("scores.txt", stored.data(), stored.size());
    for (auto _ : state) {
        char path[100] = "scores.txt";
        benchmark::DoNotOptimize(unlockfile(path));
        clearunlocked();
    }
}
BENCHMARK(BM_UnlockFile4K)->Unit(benchmark::kMicrosecond);

// The two recipes as a data-file owner calls them; the writer flushes to the disk.
static void BM_WriteThenReadDataFile4K(benchmark::State& state) {
    TempFolder folder;
    const std::vector<uint8_t> bytes = content4k();
    const std::string content(bytes.begin(), bytes.end());
    std::string read;
    for (auto _ : state) {
        writedatafile("scores.txt", content);
        benchmark::DoNotOptimize(readdatafile("scores.txt", read));
    }
}
BENCHMARK(BM_WriteThenReadDataFile4K)->Unit(benchmark::kMicrosecond);

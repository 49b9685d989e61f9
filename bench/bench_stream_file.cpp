// Loading and saving a 100,000 x 8 dictionary file, beside a baseline that
// only reads the same file into memory and splits its strings out.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "bench_texts.h"
#include "dictionary/item_session.h"
#include "dictionary/safe_file.h"
#include "dictionary/value_stream.h"

using namespace vantelo;

namespace {

constexpr int Lines = 100'000;
constexpr int Columns = 8;

std::string folder() {
    static const std::string path = [] {
        auto p = std::filesystem::temp_directory_path() / ("vantelo-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p.string();
    }();
    return path;
}

// Six languages and two remarks, so the languages-only reader skips a part.
std::unique_ptr<TItemSession> sample() {
    auto d = std::make_unique<TItemSession>();
    for (int c = 0; c < Columns; ++c) {
        auto l = std::make_unique<TLanguage>();
        l->Name = "L" + std::to_string(c);
        l->IsRemark = c >= 6;
        d->AddLanguage(std::move(l));
    }
    const auto texts = bench::RandomTexts(size_t(Lines) * Columns, 42);
    TLanguageWord words(Columns);
    for (int i = 0; i < Lines; ++i) {
        for (int c = 0; c < Columns; ++c)
            words[size_t(c)] = texts[size_t(i) * Columns + size_t(c)];
        d->AddWord(words);
    }
    return d;
}

const std::string& sampleFile() {
    static const std::string file = [] {
        const std::string name = folder() + "/sample.lgf";
        sample()->SaveToFile(name);
        return name;
    }();
    return file;
}

void BM_Baseline_ReadAndSplitStrings(benchmark::State& state) {
    sampleFile();
    for (auto _ : state) {
        const std::string bytes = ReadWholeFile(sampleFile());
        std::vector<std::string> strings;
        for (size_t i = 0; i + 1 < bytes.size(); ++i) {
            if (bytes[i] == TagString) {
                const size_t n = uint8_t(bytes[i + 1]);
                if (i + 2 + n > bytes.size())
                    break;
                strings.emplace_back(bytes.data() + i + 2, n);
                i += 1 + n;
            }
        }
        benchmark::DoNotOptimize(strings.data());
    }
}
BENCHMARK(BM_Baseline_ReadAndSplitStrings)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state) {
    sampleFile();
    for (auto _ : state) {
        TItemSession d;
        d.LoadFromFile(sampleFile());
        benchmark::DoNotOptimize(d.LineCount());
    }
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

void BM_LoadLanguagesFromFile(benchmark::State& state) {
    for (auto _ : state) {
        TItemSession d;
        d.LoadLanguagesFromFile(sampleFile());
        benchmark::DoNotOptimize(d.LineCount());
    }
}
BENCHMARK(BM_LoadLanguagesFromFile)->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State& state) {
    auto d = sample();
    const std::string name = folder() + "/saved.lgf";
    d->SaveToFile(name); // the first save also settles what AddWord deferred
    for (auto _ : state)
        d->SaveToFile(name);
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// The dictionary's bulk and single-edit costs on 100,000 lines x 8 languages,
// each printed beside a baseline: std::sort of the same 800,000 texts.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>

#include "bench_texts.h"
#include "dictionary/item_session.h"

using namespace vantelo;

namespace {

constexpr int Lines = 100'000;
constexpr int Columns = 8;

const std::vector<std::string>& texts() {
    static const auto all = bench::RandomTexts(size_t(Lines) * Columns, 42);
    return all;
}

TLanguageWord wordsOf(int line) {
    TLanguageWord words(Columns);
    for (int c = 0; c < Columns; ++c)
        words[size_t(c)] = texts()[size_t(line) * Columns + size_t(c)];
    return words;
}

std::unique_ptr<TItemSession> emptyDictionary() {
    auto d = std::make_unique<TItemSession>();
    for (int c = 0; c < Columns; ++c) {
        auto l = std::make_unique<TLanguage>();
        l->Name = "L" + std::to_string(c);
        d->AddLanguage(std::move(l));
    }
    return d;
}

// Asking for a position makes every column fold in what was added.
void settle(const TItemSession& d) {
    for (int c = 0; c < Columns; ++c)
        benchmark::DoNotOptimize(d.TextList(c).Count() > 0 ? &d.TextList(c).TextAt(0) : nullptr);
}

std::unique_ptr<TItemSession> fullDictionary() {
    auto d = emptyDictionary();
    for (int i = 0; i < Lines; ++i)
        d->AddWord(wordsOf(i));
    settle(*d);
    return d;
}

void BM_Baseline_StdSort800kTexts(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto copy = texts();
        state.ResumeTiming();
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_Baseline_StdSort800kTexts)->Unit(benchmark::kMillisecond);

void BM_AddWord100kLinesInto8Columns(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto d = emptyDictionary();
        state.ResumeTiming();
        for (int i = 0; i < Lines; ++i)
            d->AddWord(wordsOf(i));
        settle(*d);
        state.PauseTiming();
        d.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddWord100kLinesInto8Columns)->Unit(benchmark::kMillisecond);

void BM_TranslatePresentText(benchmark::State& state) {
    auto d = fullDictionary();
    const auto& langs = d->GetLanguages();
    std::mt19937 rng(7);
    bool notFound = false;
    for (auto _ : state) {
        const int line = int(rng() % Lines);
        auto result = d->Translate(nullptr, nullptr, texts()[size_t(line) * Columns], langs[0], langs[3], notFound);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_TranslatePresentText)->Unit(benchmark::kMicrosecond);

// Each single edit is followed by a position query, so the cost of putting
// the lists back in order is inside the figure.
void BM_DeleteLine(benchmark::State& state) {
    auto d = fullDictionary();
    std::mt19937 rng(9);
    int next = 0;
    for (auto _ : state) {
        d->DeleteLine(int(rng() % unsigned(d->LineCount())));
        settle(*d);
        state.PauseTiming();
        d->AddWord(wordsOf(next++ % Lines));
        settle(*d);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteLine)->Unit(benchmark::kMicrosecond);

void BM_SetTextAt(benchmark::State& state) {
    auto d = fullDictionary();
    std::mt19937 rng(11);
    for (auto _ : state) {
        const int line = int(rng() % Lines);
        d->SetTextAt(line, int(rng() % Columns), texts()[rng() % texts().size()]);
        benchmark::DoNotOptimize(d->LineAt(line)->GetPositionAt(0));
        settle(*d);
    }
}
BENCHMARK(BM_SetTextAt)->Unit(benchmark::kMicrosecond);

void BM_ReplaceLine(benchmark::State& state) {
    auto d = fullDictionary();
    std::mt19937 rng(13);
    for (auto _ : state) {
        auto* line = d->ReplaceLine(int(rng() % unsigned(d->LineCount())), wordsOf(int(rng() % Lines)));
        benchmark::DoNotOptimize(line->GetPositionAt(0));
        settle(*d);
    }
}
BENCHMARK(BM_ReplaceLine)->Unit(benchmark::kMicrosecond);

// Bytes held by a 100,000 x 8 dictionary against its budget: three times the
// bytes of its texts plus 64 bytes per line and column.
void BM_Memory100kx8(benchmark::State& state) {
    size_t textBytes = 0;
    for (const auto& t : texts())
        textBytes += t.size();
    for (auto _ : state) {
        const size_t before = bench::HeapInUse();
        auto d = fullDictionary();
        const size_t after = bench::HeapInUse();
        state.counters["text_MB"] = double(textBytes) / 1e6;
        state.counters["held_MB"] = double(after - before) / 1e6;
        state.counters["budget_MB"] = double(3 * textBytes + 64 * size_t(Lines) * Columns) / 1e6;
        state.counters["peak_rss_MB"] = double(bench::PeakRss()) / 1e6;
    }
}
BENCHMARK(BM_Memory100kx8)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

// The tagged text form of a 100,000 x 8 dictionary (about 900,000 lines):
// reading it and writing it, beside a baseline that sorts its lines.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "bench_texts.h"
#include "dictionary/item_session.h"

using namespace vantelo;

namespace {

constexpr int Lines = 100'000;
constexpr int Columns = 8;

const std::string& sampleText() {
    static const std::string text = [] {
        TItemSession d;
        for (int c = 0; c < Columns; ++c) {
            auto l = std::make_unique<TLanguage>();
            l->Name = "Language" + std::to_string(c);
            l->ExportStr = "-" + l->Name + ":";
            d.AddLanguage(std::move(l));
        }
        const auto texts = bench::RandomTexts(size_t(Lines) * Columns, 42);
        TLanguageWord words(Columns);
        for (int i = 0; i < Lines; ++i) {
            for (int c = 0; c < Columns; ++c)
                words[size_t(c)] = texts[size_t(i) * Columns + size_t(c)];
            d.AddWord(words);
        }
        return d.ExportTextBytes();
    }();
    return text;
}

void BM_Baseline_SortTextLines(benchmark::State& state) {
    const std::string& text = sampleText();
    for (auto _ : state) {
        std::vector<std::string_view> lines;
        size_t start = 0;
        for (size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') {
                lines.emplace_back(text.data() + start, i - start);
                start = i + 1;
            }
        std::sort(lines.begin(), lines.end());
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["lines"] = double(std::count(text.begin(), text.end(), '\n'));
}
BENCHMARK(BM_Baseline_SortTextLines)->Unit(benchmark::kMillisecond);

void BM_ImportText(benchmark::State& state) {
    const std::string& text = sampleText();
    for (auto _ : state) {
        TItemSession d;
        d.ImportTextBytes(text);
        benchmark::DoNotOptimize(d.LineAt(0)->GetPositionAt(0)); // settles the lists
    }
}
BENCHMARK(BM_ImportText)->Unit(benchmark::kMillisecond);

void BM_ExportText(benchmark::State& state) {
    TItemSession d;
    d.ImportTextBytes(sampleText());
    d.ExportTextBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(d.ExportTextBytes());
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

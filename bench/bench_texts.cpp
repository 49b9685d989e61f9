#include "bench_texts.h"

#include <fstream>
#include <malloc.h>
#include <random>

namespace vantelo::bench {

std::vector<std::string> RandomTexts(size_t count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::string> texts;
    texts.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && rng() % 50 == 0) {
            texts.push_back(texts[rng() % i]);
            continue;
        }
        std::string s(5 + rng() % 36, ' ');
        for (auto& c : s)
            c = char(' ' + rng() % 95);
        texts.push_back(std::move(s));
    }
    return texts;
}

namespace {
size_t statusField(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == field) {
            size_t kb = 0;
            status >> kb;
            return kb * 1024;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}
} // namespace

size_t CurrentRss() { return statusField("VmRSS:"); }
size_t PeakRss() { return statusField("VmHWM:"); }
size_t HeapInUse() { return mallinfo2().uordblks; }

} // namespace vantelo::bench

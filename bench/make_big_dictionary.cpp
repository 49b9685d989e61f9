// Writes a large dictionary for timing the command-line tool by hand:
//   make_big_dictionary OUTPUT.lgf [LINES [LANGUAGES]]
// (100,000 lines of 8 languages by default), with random printable texts
// of 5 to 40 bytes. Convert it to text with "vantelo convert".
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "bench_texts.h"
#include "dictionary/item_session.h"

using namespace vantelo;

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::fputs("usage: make_big_dictionary OUTPUT.lgf [LINES [LANGUAGES]]\n", stderr);
        return 2;
    }
    try {
        const int lines = argc > 2 ? std::stoi(argv[2]) : 100'000;
        const int languages = argc > 3 ? std::stoi(argv[3]) : 8;
        TItemSession dictionary;
        for (int c = 0; c < languages; ++c) {
            auto language = std::make_unique<TLanguage>();
            language->Name = "Language" + std::to_string(c + 1);
            language->Title = language->Name;
            language->ExportStr = "-" + language->Name + ":";
            language->Shown = true;
            dictionary.AddLanguage(std::move(language));
        }
        const auto texts = bench::RandomTexts(size_t(lines) * size_t(languages), 2024);
        TLanguageWord words(static_cast<size_t>(languages));
        for (int l = 0; l < lines; ++l) {
            for (int c = 0; c < languages; ++c)
                words[size_t(c)] = texts[size_t(l) * size_t(languages) + size_t(c)];
            dictionary.AddWord(words);
        }
        dictionary.SaveToFile(argv[1]);
        std::printf("%s: %d lines x %d languages\n", argv[1], dictionary.LineCount(), languages);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_big_dictionary: %s\n", e.what());
        return 1;
    }
    return 0;
}

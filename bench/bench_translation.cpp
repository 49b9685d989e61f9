// The translation component on a window of 500 listed components (240
// labels, 240 push buttons and 20 list widgets of 20 items) against a
// 50,000-line dictionary in English, German and French:
//  - the first language change, which records every listed text against its
//    dictionary line (budget 50 ms);
//  - every later change, set from those lines (budget 20 ms);
//  - TranslateText of a text the dictionary holds (budget 5 us).
// Baselines beside them: setting the same texts straight on the widgets (the
// floor no translation can beat), the same with a lookup in the dictionary
// core for each text, and the core's own Translate of a single text.
//
// Window times are taken by hand around the call alone; building, showing
// and checking the window and handling its pending events stay outside.
// Every window figure is checked: a text that did not turn into the
// expected language fails the benchmark instead of timing nothing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "bench_texts.h"
#include "dictionary/item_session.h"
#include "translation/dictionary_text.h"
#include "translation/vantelo.h"

using namespace vantelo;

namespace {

constexpr int Lines = 50'000;
constexpr int Languages = 3;
constexpr std::array<const char*, Languages> LanguageNames = {"English", "German", "French"};
constexpr int English = 0;
constexpr int German = 1;

constexpr int ListedComponents = 500;
constexpr int ListWidgets = 20;
constexpr int ItemsPerList = 20;
constexpr int Captions = ListedComponents - ListWidgets; // labels and buttons, alternating
constexpr int GridColumns = 20;
// The window's title, then the captions, then the list items row by row.
constexpr int WindowTexts = 1 + Captions + ListWidgets * ItemsPerList;

// The dictionary, saved once per run into a temporary folder, and the lines
// the window's texts come from.
struct Corpus {
    QTemporaryDir folder;
    std::string fileName;
    std::vector<std::array<std::string, Languages>> lines;
    // Per language, the window's texts in the order above.
    std::array<std::vector<QString>, Languages> windowTexts;
    // Texts of lines the dictionary translates, for the single-text figures.
    std::vector<int> presentLines;
};

std::unique_ptr<TItemSession> buildDictionary(const Corpus& corpus) {
    auto dictionary = std::make_unique<TItemSession>();
    for (const char* name : LanguageNames) {
        auto language = std::make_unique<TLanguage>();
        language->Name = name;
        dictionary->AddLanguage(std::move(language));
    }
    for (const auto& line : corpus.lines)
        dictionary->AddWord(TLanguageWord(line.begin(), line.end()));
    return dictionary;
}

const Corpus& corpus() {
    static const std::unique_ptr<Corpus> made = [] {
        auto c = std::make_unique<Corpus>();
        // Distinct texts, so that each English text has one line and one
        // translation per language.
        const auto random = bench::RandomTexts(size_t(Lines) * Languages * 11 / 10, 2718);
        std::unordered_set<std::string> seen;
        std::array<std::string, Languages> line;
        int column = 0;
        for (const auto& text : random) {
            if (int(c->lines.size()) == Lines)
                break;
            if (!seen.insert(text).second)
                continue;
            line[size_t(column)] = text;
            if (++column == Languages) {
                c->lines.push_back(line);
                column = 0;
            }
        }

        auto dictionary = buildDictionary(*c);
        c->fileName = c->folder.filePath(QStringLiteral("bench.lgf")).toStdString();
        dictionary->SaveToFile(c->fileName);

        // Only texts the core translates into both other languages: a text
        // that reads as a number, say, is left as it is.
        const auto& languages = dictionary->GetLanguages();
        for (int i = 0; i < Lines; ++i) {
            bool allFound = true;
            for (int to = 1; to < Languages; ++to) {
                bool notFound = true;
                dictionary->Translate(nullptr, nullptr, c->lines[size_t(i)][English],
                                      languages[English], languages[to], notFound);
                allFound = allFound && !notFound;
            }
            if (allFound)
                c->presentLines.push_back(i);
        }
        std::vector<int> chosen = c->presentLines;
        std::shuffle(chosen.begin(), chosen.end(), std::mt19937(31));
        chosen.resize(WindowTexts);
        for (int l = 0; l < Languages; ++l)
            for (int index : chosen)
                c->windowTexts[size_t(l)].push_back(
                    FromDictionaryText(c->lines[size_t(index)][size_t(l)]));
        return c;
    }();
    return *made;
}

template <class Action> double secondsOf(Action&& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A main window in English with its 500 named components on a grid, shown
// (offscreen) and laid out.
class Window {
public:
    Window() {
        const auto& texts = corpus().windowTexts[English];
        window_.setObjectName(QStringLiteral("MainForm"));
        window_.setWindowTitle(texts[0]);
        auto* panel = new QWidget(&window_);
        auto* grid = new QGridLayout(panel);
        int cell = 0;
        for (int i = 0; i < Captions; ++i, ++cell) {
            QWidget* widget = nullptr;
            if (i % 2 == 0) {
                auto* label = new QLabel(texts[size_t(1 + i)], panel);
                labels_.push_back(label);
                widget = label;
            } else {
                auto* button = new QPushButton(texts[size_t(1 + i)], panel);
                buttons_.push_back(button);
                widget = button;
            }
            widget->setObjectName(
                QStringLiteral("%1%2")
                    .arg(i % 2 == 0 ? QStringLiteral("Label") : QStringLiteral("Button"))
                    .arg(i / 2 + 1));
            grid->addWidget(widget, cell / GridColumns, cell % GridColumns);
        }
        for (int l = 0; l < ListWidgets; ++l, ++cell) {
            auto* list = new QListWidget(panel);
            list->setObjectName(QStringLiteral("List%1").arg(l + 1));
            for (int k = 0; k < ItemsPerList; ++k)
                list->addItem(texts[size_t(itemText(l, k))]);
            lists_.push_back(list);
            grid->addWidget(list, cell / GridColumns, cell % GridColumns);
        }
        window_.setCentralWidget(panel);
        window_.show();
        settle();
    }

    QMainWindow& widget() { return window_; }

    static std::vector<std::string> ComponentNames() {
        std::vector<std::string> names;
        for (int i = 0; i < Captions; ++i)
            names.push_back((i % 2 == 0 ? "Label" : "Button") + std::to_string(i / 2 + 1));
        for (int l = 0; l < ListWidgets; ++l)
            names.push_back("List" + std::to_string(l + 1));
        return names;
    }

    // Lets the window handle what the last change posted (layout, paint).
    static void settle() { QApplication::processEvents(); }

    // The floor: every text set straight from the texts at hand.
    void SetTexts(int language) {
        const auto& texts = corpus().windowTexts[size_t(language)];
        window_.setWindowTitle(texts[0]);
        for (size_t i = 0; i < labels_.size(); ++i)
            labels_[i]->setText(texts[1 + 2 * i]);
        for (size_t i = 0; i < buttons_.size(); ++i)
            buttons_[i]->setText(texts[2 + 2 * i]);
        for (int l = 0; l < ListWidgets; ++l)
            for (int k = 0; k < ItemsPerList; ++k)
                lists_[size_t(l)]->item(k)->setText(texts[size_t(itemText(l, k))]);
    }

    // The naive translation: each text shown looked up in the dictionary
    // core and set, crossing the code page both ways.
    void LookUpTexts(TItemSession& dictionary, int from, int to) {
        const auto& languages = dictionary.GetLanguages();
        const auto translated = [&](const QString& text) {
            bool notFound = true;
            return FromDictionaryText(dictionary.Translate(nullptr, nullptr, ToDictionaryText(text),
                                                           languages[from], languages[to],
                                                           notFound));
        };
        window_.setWindowTitle(translated(window_.windowTitle()));
        for (QLabel* label : labels_)
            label->setText(translated(label->text()));
        for (QPushButton* button : buttons_)
            button->setText(translated(button->text()));
        for (QListWidget* list : lists_)
            for (int k = 0; k < list->count(); ++k)
                list->item(k)->setText(translated(list->item(k)->text()));
    }

    // How many of the window's texts are not in `language`.
    int Mismatches(int language) const {
        const auto& texts = corpus().windowTexts[size_t(language)];
        int wrong = window_.windowTitle() == texts[0] ? 0 : 1;
        for (size_t i = 0; i < labels_.size(); ++i)
            wrong += labels_[i]->text() == texts[1 + 2 * i] ? 0 : 1;
        for (size_t i = 0; i < buttons_.size(); ++i)
            wrong += buttons_[i]->text() == texts[2 + 2 * i] ? 0 : 1;
        for (int l = 0; l < ListWidgets; ++l)
            for (int k = 0; k < ItemsPerList; ++k) {
                const QString& wanted = texts[size_t(itemText(l, k))];
                wrong += lists_[size_t(l)]->item(k)->text() == wanted ? 0 : 1;
            }
        return wrong;
    }

private:
    static int itemText(int list, int item) { return 1 + Captions + list * ItemsPerList + item; }

    QMainWindow window_;
    std::vector<QLabel*> labels_;
    std::vector<QPushButton*> buttons_;
    std::vector<QListWidget*> lists_;
};

// A translation component on the window, in English, listing every component.
TVantelo* attachComponent(Window& window) {
    auto* component = new TVantelo(&window.widget());
    component->SetLangMainName(LanguageNames[English]);
    component->SetFileName(corpus().fileName);
    component->SetListComponents(Window::ComponentNames());
    return component;
}

bool checked(benchmark::State& state, const Window& window, int language) {
    const int wrong = window.Mismatches(language);
    if (wrong == 0)
        return true;
    const std::string message = std::to_string(wrong) + " of " + std::to_string(WindowTexts) +
                                " texts not in " + LanguageNames[size_t(language)];
    state.SkipWithError(message.c_str());
    return false;
}

// The figure's budget, printed beside it.
void budget(benchmark::State& state, const char* limit) {
    state.SetLabel(std::string("budget ") + limit);
}

// The dictionary as the components of this run share it.
TItemSession& loadedDictionary() {
    static TVantelo* const loader = [] {
        auto* component = new TVantelo;
        component->SetLangMainName(LanguageNames[English]);
        component->SetFileName(corpus().fileName);
        return component;
    }();
    return *loader->Dictionary();
}

// The languages a window goes through after the first change. The window
// paints between changes (some 40 ms offscreen), which bounds the rounds.
constexpr std::array<int, 3> Cycle = {2, 0, 1}; // French, English, German
constexpr int LaterChanges = 10 * int(Cycle.size());
// Each first change needs a window of its own.
constexpr int FirstChanges = 20;

// ---- the first change -------------------------------------------------------------

void BM_Baseline_SetWindowTextsFromEnglish(benchmark::State& state) {
    for (auto _ : state) {
        Window window;
        state.SetIterationTime(secondsOf([&] { window.SetTexts(German); }));
        if (!checked(state, window, German))
            break;
    }
}
BENCHMARK(BM_Baseline_SetWindowTextsFromEnglish)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(FirstChanges);

void BM_Baseline_LookUpAndSetWindowTextsFromEnglish(benchmark::State& state) {
    TItemSession& dictionary = loadedDictionary();
    for (auto _ : state) {
        Window window;
        state.SetIterationTime(secondsOf([&] { window.LookUpTexts(dictionary, English, German); }));
        if (!checked(state, window, German))
            break;
    }
}
BENCHMARK(BM_Baseline_LookUpAndSetWindowTextsFromEnglish)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(FirstChanges);

void BM_FirstChangeLanguage(benchmark::State& state) {
    for (auto _ : state) {
        Window window;
        TVantelo* component = attachComponent(window);
        state.SetIterationTime(secondsOf([&] { component->ChangeLanguageByName("German"); }));
        if (!checked(state, window, German))
            break;
    }
    budget(state, "50 ms");
}
BENCHMARK(BM_FirstChangeLanguage)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(FirstChanges);

// ---- later changes -----------------------------------------------------------------

void BM_Baseline_SetWindowTexts(benchmark::State& state) {
    Window window;
    window.SetTexts(German);
    size_t next = 0;
    for (auto _ : state) {
        const int language = Cycle[next++ % Cycle.size()];
        state.SetIterationTime(secondsOf([&] { window.SetTexts(language); }));
        if (!checked(state, window, language))
            break;
        Window::settle();
    }
}
BENCHMARK(BM_Baseline_SetWindowTexts)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(LaterChanges);

void BM_Baseline_LookUpAndSetWindowTexts(benchmark::State& state) {
    Window window;
    TItemSession& dictionary = loadedDictionary();
    window.LookUpTexts(dictionary, English, German);
    int current = German;
    size_t next = 0;
    for (auto _ : state) {
        const int language = Cycle[next++ % Cycle.size()];
        state.SetIterationTime(
            secondsOf([&] { window.LookUpTexts(dictionary, current, language); }));
        current = language;
        if (!checked(state, window, language))
            break;
        Window::settle();
    }
}
BENCHMARK(BM_Baseline_LookUpAndSetWindowTexts)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(LaterChanges);

void BM_LaterChangeLanguage(benchmark::State& state) {
    Window window;
    TVantelo* component = attachComponent(window);
    component->ChangeLanguageByName("German");
    size_t next = 0;
    for (auto _ : state) {
        const int language = Cycle[next++ % Cycle.size()];
        state.SetIterationTime(
            secondsOf([&] { component->ChangeLanguageByName(LanguageNames[size_t(language)]); }));
        if (!checked(state, window, language))
            break;
        Window::settle();
    }
    budget(state, "20 ms");
}
BENCHMARK(BM_LaterChangeLanguage)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(LaterChanges);

// ---- single texts --------------------------------------------------------------------

// English texts of lines the dictionary translates, in random order.
std::vector<int> sampleLines() {
    std::vector<int> sample = corpus().presentLines;
    std::shuffle(sample.begin(), sample.end(), std::mt19937(57));
    sample.resize(4096);
    return sample;
}

void BM_Baseline_CoreTranslatePresentText(benchmark::State& state) {
    TItemSession& dictionary = loadedDictionary();
    const auto& languages = dictionary.GetLanguages();
    std::vector<std::string> texts;
    for (int line : sampleLines())
        texts.push_back(corpus().lines[size_t(line)][English]);
    size_t next = 0;
    for (auto _ : state) {
        bool notFound = true;
        auto result = dictionary.Translate(nullptr, nullptr, texts[next++ % texts.size()],
                                           languages[English], languages[German], notFound);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_Baseline_CoreTranslatePresentText)->Unit(benchmark::kMicrosecond);

void BM_TranslateTextPresent(benchmark::State& state) {
    QWidget owner;
    auto* component = new TVantelo(&owner);
    component->SetLangMainName(LanguageNames[English]);
    component->SetFileName(corpus().fileName);
    component->ChangeLanguageByName("German");
    std::vector<QString> texts;
    std::vector<QString> expected;
    for (int line : sampleLines()) {
        texts.push_back(FromDictionaryText(corpus().lines[size_t(line)][English]));
        expected.push_back(FromDictionaryText(corpus().lines[size_t(line)][German]));
    }
    QString result;
    TStatusTranslate status = stNotFound;
    component->TranslateText(&owner, nullptr, texts[0], status, result);
    if (status != stTranslated || result != expected[0]) {
        state.SkipWithError("TranslateText did not give the German text");
        return;
    }
    size_t next = 0;
    for (auto _ : state) {
        component->TranslateText(&owner, nullptr, texts[next++ % texts.size()], status, result);
        benchmark::DoNotOptimize(result);
    }
    budget(state, "5 us");
}
BENCHMARK(BM_TranslateTextPresent)->Unit(benchmark::kMicrosecond);

// The offscreen platform warns at every window whose size limits change
// (each one laid out); the warning says nothing about the figures.
QtMessageHandler defaultHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // `make bench` runs this without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultHandler = qInstallMessageHandler(quietHandler);
    QApplication application(argc, argv);
    corpus();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

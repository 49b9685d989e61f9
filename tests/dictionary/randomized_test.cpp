// Drives the dictionary with long random sequences of edits and compares it,
// after every burst, with a plain model that applies the insert-and-shift
// rules literally: every text inserted at the leftmost place among its equals,
// every other line's position shifted by hand. The dictionary defers and
// batches this bookkeeping, so this is where a slip in that would show.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"

using namespace vantelo;

namespace {

struct Model {
    struct Entry {
        std::string text;
        int line; // id of the owning line
    };
    struct Line {
        int id;
        std::vector<int> pos;
    };
    std::vector<std::string> names;
    std::vector<char> remark;
    std::vector<std::vector<Entry>> lists;
    std::vector<Line> lines;
    int nextId = 0;

    int indexOfId(int id) const {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].id == id)
                return int(i);
        return -1;
    }

    void insert(Line& line, int c, const std::string& text) {
        auto& list = lists[size_t(c)];
        size_t p = 0;
        while (p < list.size() && list[p].text < text) // leftmost among equals
            ++p;
        list.insert(list.begin() + std::ptrdiff_t(p), Entry{text, line.id});
        for (auto& other : lines)
            if (other.id != line.id && other.pos[size_t(c)] >= int(p))
                ++other.pos[size_t(c)];
        line.pos[size_t(c)] = int(p);
    }

    void remove(Line& line, int c) {
        const int p = line.pos[size_t(c)];
        if (p < 0)
            return;
        lists[size_t(c)].erase(lists[size_t(c)].begin() + p);
        for (auto& other : lines)
            if (other.id != line.id && other.pos[size_t(c)] > p)
                --other.pos[size_t(c)];
        line.pos[size_t(c)] = -1;
    }

    bool addWord(const std::vector<std::string>& words) {
        if (std::all_of(words.begin(), words.end(), [](auto& w) { return w.empty(); }))
            return false;
        Line line{nextId++, std::vector<int>(lists.size(), -1)};
        for (size_t c = 0; c < words.size(); ++c)
            if (!words[c].empty())
                insert(line, int(c), words[c]);
        lines.push_back(line);
        return true;
    }

    void deleteLine(size_t i) {
        for (size_t c = 0; c < lists.size(); ++c)
            remove(lines[i], int(c));
        lines.erase(lines.begin() + std::ptrdiff_t(i));
    }

    void deleteText(const std::string& text, int c) {
        for (;;) {
            auto& list = lists[size_t(c)];
            auto it = std::find_if(list.begin(), list.end(), [&](auto& e) { return e.text == text; });
            if (it == list.end())
                return;
            deleteLine(size_t(indexOfId(it->line)));
        }
    }

    void insertColumn(size_t at, const std::string& name, bool isRemark) {
        names.insert(names.begin() + std::ptrdiff_t(at), name);
        remark.insert(remark.begin() + std::ptrdiff_t(at), char(isRemark));
        lists.insert(lists.begin() + std::ptrdiff_t(at), std::vector<Entry>());
        for (auto& line : lines)
            line.pos.insert(line.pos.begin() + std::ptrdiff_t(at), -1);
    }

    void deleteColumn(size_t c) {
        for (size_t i = 0; i < lines.size();) {
            lines[i].pos[c] = -1;
            if (std::all_of(lines[i].pos.begin(), lines[i].pos.end(), [](int p) { return p < 0; })) {
                lines.erase(lines.begin() + std::ptrdiff_t(i));
            } else {
                lines[i].pos.erase(lines[i].pos.begin() + std::ptrdiff_t(c));
                ++i;
            }
        }
        names.erase(names.begin() + std::ptrdiff_t(c));
        remark.erase(remark.begin() + std::ptrdiff_t(c));
        lists.erase(lists.begin() + std::ptrdiff_t(c));
    }

    void exchange(size_t i, size_t j) {
        std::swap(names[i], names[j]);
        std::swap(remark[i], remark[j]);
        std::swap(lists[i], lists[j]);
        for (auto& line : lines)
            std::swap(line.pos[i], line.pos[j]);
    }

    void setText(size_t i, int c, const std::string& text) {
        remove(lines[i], c);
        if (!text.empty())
            insert(lines[i], c, text);
    }
};

// Few letters, so equal texts are common; 0xB6 sorts above every letter
// only when bytes compare unsigned.
std::string randomText(std::mt19937& rng) {
    static const char alphabet[] = {'a', 'A', 'b', char(0xB6), '\n'};
    std::string s(rng() % 4, ' ');
    for (auto& c : s)
        c = alphabet[rng() % sizeof alphabet];
    return s;
}

TLanguageWord randomWords(std::mt19937& rng, size_t columns) {
    TLanguageWord words(columns);
    for (auto& w : words)
        w = rng() % 3 == 0 ? std::string() : randomText(rng);
    return words;
}

// The dictionary against the model, and the dictionary's own invariants.
void expectSame(const TItemSession& d, const Model& m) {
    const auto& langs = d.GetLanguages();
    ASSERT_EQ(size_t(langs.Count()), m.lists.size());
    ASSERT_EQ(size_t(d.LineCount()), m.lines.size());
    for (int c = 0; c < langs.Count(); ++c) {
        ASSERT_EQ(langs[c].Name, m.names[size_t(c)]);
        ASSERT_EQ(langs[c].Index, c);
        const auto& list = d.TextList(c);
        const auto& expected = m.lists[size_t(c)];
        ASSERT_EQ(size_t(list.Count()), expected.size()) << "column " << c;
        for (int p = 0; p < list.Count(); ++p) {
            ASSERT_EQ(list.TextAt(p), expected[size_t(p)].text) << "column " << c << " position " << p;
            const auto* owner = list.ObjectAt(p);
            ASSERT_NE(owner, nullptr);
            const int index = d.IndexOfLine(owner);
            ASSERT_GE(index, 0);
            ASSERT_EQ(m.lines[size_t(index)].id, expected[size_t(p)].line);
            ASSERT_EQ(owner->GetPositionAt(c), p);
        }
    }
    for (size_t i = 0; i < m.lines.size(); ++i) {
        const auto* line = d.LineAt(int(i));
        ASSERT_EQ(line->Positions(), m.lines[i].pos) << "line " << i;
        for (int c = 0; c < langs.Count(); ++c) {
            const int p = m.lines[i].pos[size_t(c)];
            ASSERT_EQ(line->GetTextAt(c), p < 0 ? std::string() : m.lists[size_t(c)][size_t(p)].text);
        }
    }
}

void runRandomEdits(unsigned seed, int steps, int burst) {
    std::mt19937 rng(seed);
    TItemSession d;
    Model m;
    int named = 0;
    auto newColumn = [&](bool isRemark) {
        auto l = std::make_unique<TLanguage>();
        l->Name = "C" + std::to_string(named++);
        l->Title = l->Name;
        l->IsRemark = isRemark;
        l->Shown = true;
        return l;
    };
    for (int i = 0; i < 3; ++i) {
        auto l = newColumn(i == 2);
        m.insertColumn(m.names.size(), l->Name, l->IsRemark);
        d.AddLanguage(std::move(l));
    }

    for (int step = 0; step < steps; ++step) {
        const size_t columns = m.lists.size();
        const size_t lines = m.lines.size();
        const int op = int(rng() % 100);
        if (op < 35 || lines == 0) {
            auto words = randomWords(rng, columns);
            auto* line = d.AddWord(words);
            ASSERT_EQ(line != nullptr, m.addWord(words));
        } else if (op < 45) {
            const size_t i = rng() % lines;
            d.DeleteLine(int(i));
            m.deleteLine(i);
        } else if (op < 52) {
            const size_t i = rng() % lines;
            auto words = randomWords(rng, columns);
            d.ReplaceLine(int(i), words);
            m.deleteLine(i);
            m.addWord(words);
        } else if (op < 70) {
            const size_t i = rng() % lines;
            const int c = int(rng() % columns);
            const auto text = rng() % 5 == 0 ? std::string() : randomText(rng);
            d.SetTextAt(int(i), c, text);
            m.setText(i, c, text);
        } else if (op < 74) {
            const int c = int(rng() % columns);
            const auto text = randomText(rng);
            d.DeleteText(text, d.GetLanguages()[c]);
            m.deleteText(text, c);
        } else if (op < 80) {
            const size_t i = rng() % lines;
            auto words = randomWords(rng, columns);
            bool anyRemark = false;
            for (size_t c = 0; c < columns; ++c)
                anyRemark = anyRemark || (m.remark[c] && !words[c].empty());
            if (!anyRemark) {
                EXPECT_THROW(d.SetRemarks(int(i), words), ELangException);
            } else {
                d.SetRemarks(int(i), words);
                for (size_t c = 0; c < columns; ++c)
                    if (m.remark[c])
                        m.setText(i, int(c), words[c]);
            }
        } else if (op < 83) {
            const size_t i = rng() % lines;
            d.DeleteRemarks(int(i));
            for (size_t c = 0; c < columns; ++c)
                if (m.remark[c])
                    m.setText(i, int(c), "");
        } else if (op < 86) {
            const size_t i = rng() % columns, j = rng() % columns;
            d.ExchangeLanguages(int(i), int(j));
            if (i != j)
                m.exchange(i, j);
        } else if (op < 89 && columns < 6) {
            const size_t at = rng() % (columns + 1);
            auto l = newColumn(rng() % 3 == 0);
            m.insertColumn(at, l->Name, l->IsRemark);
            ASSERT_NE(d.InsertLanguage(int(at), std::move(l)), nullptr);
        } else if (op < 91 && columns > 1) {
            const size_t c = rng() % columns;
            d.DeleteLanguage(d.GetLanguages()[int(c)]);
            m.deleteColumn(c);
        } else if (lines > 0) {
            // Look-ups between edits settle the lists at odd moments.
            const int c = int(rng() % columns);
            const auto text = randomText(rng);
            auto* found = d.FindLine(text, d.GetLanguages()[c]);
            const auto& list = m.lists[size_t(c)];
            auto it = std::find_if(list.begin(), list.end(), [&](auto& e) { return e.text == text; });
            ASSERT_EQ(found == nullptr, it == list.end());
            if (found) {
                ASSERT_EQ(m.lines[size_t(d.IndexOfLine(found))].id, it->line);
            }
        }
        if (step % burst == burst - 1) {
            ASSERT_NO_FATAL_FAILURE(expectSame(d, m)) << "seed " << seed << " step " << step;
        }
    }
    ASSERT_NO_FATAL_FAILURE(expectSame(d, m)) << "seed " << seed;
}

} // namespace

TEST(RandomizedDictionary, MatchesThePlainRulesAfterEveryEdit) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        ASSERT_NO_FATAL_FAILURE(runRandomEdits(seed, 400, 1));
    }
}

TEST(RandomizedDictionary, MatchesThePlainRulesAfterBurstsOfEdits) {
    // Many edits between two looks let insertions and removals pile up
    // before the lists fold them in.
    for (unsigned seed = 100; seed < 110; ++seed) {
        ASSERT_NO_FATAL_FAILURE(runRandomEdits(seed, 3000, 97));
    }
    for (unsigned seed = 200; seed < 203; ++seed) {
        ASSERT_NO_FATAL_FAILURE(runRandomEdits(seed, 6000, 1500));
    }
}

// The translation component: loading and sharing dictionaries, choosing the
// main language, language changes with their events, and single texts.
#include <gtest/gtest.h>

#include <QWidget>
#include <filesystem>
#include <fstream>
#include <memory>

#include "dictionary/lang_exception.h"
#include "support/lang_message.h"
#include "translation/dictionary_files.h"
#include "translation/vantelo.h"

using namespace vantelo;
using vantelo::testing::DictionaryFiles;
using vantelo::testing::LangMessage;
using vantelo::testing::WriteStandardDictionary;

namespace {

QString translated(TVantelo& vl, const QString& text, TStatusTranslate* status = nullptr) {
    TStatusTranslate st = stTranslated;
    QString result;
    vl.TranslateText(nullptr, nullptr, text, st, result);
    if (status)
        *status = st;
    return result;
}

class Recorder : public TCustomDesignerVL {
public:
    void LanguageChanged(int languageIndex) override { calls.push_back(languageIndex); }
    std::vector<int> calls;
};

// ---- dictionaries and the main language ---------------------------------------

TEST(VanteloTest, ComponentsNamingOneFileShareOneDictionary) {
    DictionaryFiles files;
    const std::string path = WriteStandardDictionary(files);
    TVantelo first;
    first.SetFileName(path);
    TItemSession* dictionary = first.Dictionary();
    ASSERT_NE(dictionary, nullptr);
    EXPECT_EQ(first.MainLanguage().Name, "English");
    EXPECT_EQ(first.CurrentLanguage().Name, "English");
    EXPECT_EQ(first.PreviousLanguage().Name, "English");

    // The second component reads no file: it is gone, and still it works.
    std::filesystem::remove(path);
    TVantelo second;
    second.SetFileName(path);
    EXPECT_EQ(second.Dictionary(), dictionary);
    EXPECT_EQ(second.MainLanguage().Name, "English");

    // Setting the same name again loads nothing and keeps the language shown.
    first.ChangeLanguageByName("German");
    first.SetFileName(path);
    EXPECT_EQ(first.CurrentLanguage().Name, "German");

    // Another spelling is a change, and finds the dictionary already there.
    std::string upper = path;
    upper.replace(upper.size() - 7, 7, "APP.LGF");
    first.SetFileName(upper);
    EXPECT_EQ(first.FileName(), upper);
    EXPECT_EQ(first.Dictionary(), dictionary);
    EXPECT_EQ(first.CurrentLanguage().Name, "English");
}

TEST(VanteloTest, MainLanguageByNameOrNumber) {
    DictionaryFiles files;
    const std::string path = WriteStandardDictionary(files);
    {
        TVantelo vl;
        vl.SetLangMainName("french");
        vl.SetFileName(path);
        EXPECT_EQ(vl.MainLanguage().Name, "French");
        EXPECT_EQ(vl.MainLanguage().Index, 2);
    }
    {
        TVantelo vl;
        vl.SetLangMainNumber(1);
        vl.SetFileName(path);
        EXPECT_EQ(vl.MainLanguage().Name, "German");
        // Name and number exclude each other.
        vl.SetLangMainName("English");
        EXPECT_EQ(vl.LangMainNumber(), -1);
        vl.SetLangMainNumber(3);
        EXPECT_EQ(vl.LangMainName(), "");
        EXPECT_EQ(LangMessage([&] { vl.LoadDictionary(); }), "Language \"3\" does not exist.");
        vl.SetLangMainNumber(-5);
        EXPECT_EQ(LangMessage([&] { vl.LoadDictionary(); }), "Language \"-5\" does not exist.");
        vl.SetLangMainName("Klingon");
        EXPECT_EQ(LangMessage([&] { vl.LoadDictionary(); }),
                  "Language \"Klingon\" does not exist.");
        // The failed loads left the descriptors as they were.
        EXPECT_EQ(vl.MainLanguage().Name, "German");
    }
}

TEST(VanteloTest, MissingOrDamagedFilesGiveNoLanguages) {
    DictionaryFiles files;
    TVantelo vl;
    const std::string missing = files.Path("missing.lgf");
    EXPECT_EQ(LangMessage([&] { vl.SetFileName(missing); }), "No languages in dictionary.");
    // The empty dictionary stays registered: text operations pass texts on.
    EXPECT_NE(vl.Dictionary(), nullptr);
    TStatusTranslate status = stTranslated;
    EXPECT_EQ(translated(vl, "Open", &status), "Open");
    EXPECT_EQ(status, stNotFound);
    EXPECT_EQ(LangMessage([&] { vl.ChangeLanguageByName("German"); }),
              "Language \"German\" is not registered.");

    const std::string damaged = files.Path("damaged.lgf");
    std::ofstream(damaged) << "not a dictionary at all";
    TVantelo first;
    EXPECT_EQ(LangMessage([&] { first.SetFileName(damaged); }),
              "File " + damaged + " is not Vantelo dictinary.");
    TVantelo second;
    EXPECT_EQ(LangMessage([&] { second.SetFileName(damaged); }), "No languages in dictionary.");
    EXPECT_EQ(translated(second, "Open"), "Open");
}

// ---- language changes -------------------------------------------------------

TEST(VanteloTest, EventsSeeTheLanguageShownBeforeTheCurrentOne) {
    DictionaryFiles files;
    QWidget window;
    auto* vl = new TVantelo(&window);
    vl->SetFileName(WriteStandardDictionary(files));
    Recorder designer;
    vl->SetDesignerVL(&designer);
    std::vector<std::string> before, after;
    vl->OnLangChangeBefore = [&](TVantelo* sender, const TLanguage& lng, const TLanguage*& newLng,
                                 bool& canChange) {
        EXPECT_EQ(sender, vl);
        EXPECT_TRUE(canChange);
        before.push_back(lng.Name + ">" + newLng->Name);
    };
    vl->OnLangChangeAfter = [&](TVantelo*, TLanguage& lng, const TLanguage*& newLng) {
        EXPECT_EQ(&lng, &vl->PreviousLanguage());
        after.push_back(lng.Name + ">" + newLng->Name);
    };
    vl->ChangeLanguageByName("german");
    vl->ChangeLanguageByNumber(2);
    EXPECT_EQ(before, (std::vector<std::string>{"English>German", "English>French"}));
    EXPECT_EQ(after, (std::vector<std::string>{"English>German", "German>French"}));
    EXPECT_EQ(designer.calls, (std::vector<int>{1, 2}));
    EXPECT_EQ(LangMessage([&] { vl->ChangeLanguageByNumber(3); }),
              "Language \"3\" is not registered.");
    EXPECT_EQ(LangMessage([&] { vl->ChangeLanguageByName("Klingon"); }),
              "Language \"Klingon\" is not registered.");

    // Handing over the component's own CurrentLanguage translates nothing
    // but still tells the companion and the after-event.
    window.setWindowTitle("untouched");
    vl->ChangeLanguage(vl->CurrentLanguage());
    EXPECT_EQ(window.windowTitle(), "untouched");
    EXPECT_EQ(after.back(), "German>French");
    EXPECT_EQ(designer.calls.size(), 3u);

    // Switching back to the previous language: its descriptor is the one
    // overwritten on the way, and still the switch goes there.
    vl->ChangeLanguage(vl->PreviousLanguage());
    EXPECT_EQ(vl->CurrentLanguage().Name, "German");
    EXPECT_EQ(vl->PreviousLanguage().Name, "French");
    EXPECT_EQ(after.back(), "French>German");

    // A companion that goes away is forgotten.
    {
        Recorder shortLived;
        vl->SetDesignerVL(&shortLived);
    }
    EXPECT_EQ(vl->DesignerVL(), nullptr);
    vl->ChangeLanguageByName("English");
}

TEST(VanteloTest, BeforeEventMayVetoOrRedirectTheChange) {
    DictionaryFiles files;
    QWidget window;
    window.setWindowTitle("Main window");
    auto* vl = new TVantelo(&window);
    vl->SetFileName(WriteStandardDictionary(files));
    const TLanguage& french = vl->Dictionary()->GetLanguages()[2];
    int afterCalls = 0;
    vl->OnLangChangeAfter = [&](TVantelo*, TLanguage&, const TLanguage*&) { ++afterCalls; };

    vl->OnLangChangeBefore = [](TVantelo*, const TLanguage&, const TLanguage*&, bool& canChange) {
        canChange = false;
    };
    vl->ChangeLanguageByName("German");
    EXPECT_EQ(vl->CurrentLanguage().Name, "English");
    EXPECT_EQ(window.windowTitle(), "Main window");
    EXPECT_EQ(afterCalls, 0);

    vl->OnLangChangeBefore = [&](TVantelo*, const TLanguage&, const TLanguage*& newLng, bool&) {
        newLng = &french;
    };
    vl->ChangeLanguageByName("German");
    EXPECT_EQ(vl->CurrentLanguage().Name, "French");
    EXPECT_EQ(window.windowTitle(), "Fen\u00eatre principale");
    EXPECT_EQ(afterCalls, 1);
}

TEST(VanteloTest, ComponentWithoutOwnerOnlyTracksItsLanguages) {
    DictionaryFiles files;
    TVantelo vl;
    vl.SetFileName(WriteStandardDictionary(files));
    Recorder designer;
    vl.SetDesignerVL(&designer);
    int afterCalls = 0;
    vl.OnLangChangeAfter = [&](TVantelo*, TLanguage&, const TLanguage*&) { ++afterCalls; };
    vl.ChangeLanguageByName("German");
    EXPECT_EQ(vl.CurrentLanguage().Name, "German");
    EXPECT_EQ(vl.PreviousLanguage().Name, "English");
    EXPECT_TRUE(designer.calls.empty());
    EXPECT_EQ(afterCalls, 0);
    // Its texts follow the language all the same.
    EXPECT_EQ(translated(vl, "Save"), "Speichern");
}

// ---- texts ------------------------------------------------------------------------

TEST(VanteloTest, TranslateTextBringsTextsBackThroughTheMainLanguage) {
    DictionaryFiles files;
    TVantelo vl;
    vl.SetFileName(WriteStandardDictionary(files));
    TStatusTranslate status = stTranslated;
    EXPECT_EQ(translated(vl, "Open", &status), "Open"); // main to main
    EXPECT_EQ(status, stNotFound);

    vl.ChangeLanguageByName("German");
    EXPECT_EQ(translated(vl, "Close", &status), "Schlie\u00dfen");
    EXPECT_EQ(status, stTranslated);
    vl.ChangeLanguageByName("French");
    // A text still shown in German goes back to English, then to French.
    EXPECT_EQ(translated(vl, "Speichern"), "Enregistrer");
    // No French text: the message stays as it is.
    EXPECT_EQ(translated(vl, "Help", &status), "Help");
    EXPECT_EQ(status, stNotFound);
    // Numbers are never translated, even when the dictionary holds them.
    EXPECT_EQ(translated(vl, "123", &status), "123");
    EXPECT_EQ(status, stNotFound);
    // A text the code page cannot hold is in no dictionary.
    EXPECT_EQ(translated(vl, "Open \u263A", &status), "Open \u263A");
    EXPECT_EQ(vl.Tr("Open"), "Ouvrir");
}

TEST(VanteloTest, WordEventsMayVetoOrChangeTheTranslation) {
    DictionaryFiles files;
    QWidget window;
    window.setObjectName("window");
    auto* vl = new TVantelo(&window);
    vl->SetFileName(WriteStandardDictionary(files));
    vl->ChangeLanguageByName("German");
    const TLanguage& german = vl->CurrentLanguage();

    vl->OnWordTranslateBefore = [&](QObject* sender, const TLanguage& lng, QString& word,
                                    bool& canTranslate) {
        EXPECT_EQ(sender, &window);
        EXPECT_EQ(&lng, &german);
        word = "Save";
        canTranslate = false;
    };
    TStatusTranslate status = stTranslated;
    QString result;
    vl->TranslateFromMain(nullptr, &window, "Open", status, german, result);
    EXPECT_EQ(result, "Open"); // the handler's change is dropped with the veto
    EXPECT_EQ(status, stNotFound);

    vl->OnWordTranslateBefore = [](QObject*, const TLanguage&, QString& word, bool&) {
        word = "Save";
    };
    QStringList seen;
    vl->OnWordTranslateAfter = [&](QObject*, const TLanguage&, QString& word,
                                   QString& wordTranslete, TStatusTranslate& st) {
        seen << word << wordTranslete;
        EXPECT_EQ(st, stTranslated);
        wordTranslete += "!";
        st = stOtherDictionary;
    };
    vl->TranslateFromMain(nullptr, &window, "Open", status, german, result);
    EXPECT_EQ(seen, (QStringList{"Save", "Speichern"}));
    EXPECT_EQ(result, "Speichern!");
    EXPECT_EQ(status, stOtherDictionary);
}

TEST(VanteloTest, TranslateByNamesChecksNamesLooselyButPicksThemExactly) {
    DictionaryFiles files;
    TVantelo vl;
    vl.SetFileName(WriteStandardDictionary(files));
    TStatusTranslate status = stTranslated;
    QString result;
    vl.TranslateByNames(nullptr, nullptr, "Rot", status, "German", "French", result);
    EXPECT_EQ(result, "Rouge");
    EXPECT_EQ(status, stTranslated);
    // Registered, letter case aside, but no descriptor of that spelling.
    vl.TranslateByNames(nullptr, nullptr, "Rot", status, "german", "French", result);
    EXPECT_EQ(result, "Rot");
    EXPECT_EQ(status, stNotFound);
    EXPECT_EQ(LangMessage([&] {
                  vl.TranslateByNames(nullptr, nullptr, "Rot", status, "German", "Latin", result);
              }),
              "Language \"Latin\" is not registered.");
    vl.TranslateFromMainByName(nullptr, nullptr, "Green", status, "German", result);
    EXPECT_EQ(result, "Gr\u00fcn");

    // Without a dictionary nothing is checked and nothing translated.
    TVantelo none;
    none.TranslateByNames(nullptr, nullptr, "Rot", status, "x", "y", result);
    EXPECT_EQ(result, "Rot");
    EXPECT_EQ(status, stNotFound);
}

TEST(VanteloTest, AllFindAsksEveryLoadedDictionary) {
    DictionaryFiles files;
    const std::string own = files.Write("own.lgf", {"English", "German"}, {{"Open", "Offen"}});
    const std::string other = files.Write(
        "other.lgf", {"English", "German"}, {{"Print", "Drucken"}, {"Quit", ""}});
    const std::string third =
        files.Write("third.lgf", {"English", "German"}, {{"Print", "Ausdrucken"}, {"Quit", ""}});
    TVantelo helper;
    helper.SetFileName(other);
    helper.SetFileName(third);
    TVantelo vl;
    vl.SetFileName(own);
    vl.ChangeLanguageByName("German");

    TStatusTranslate status = stTranslated;
    EXPECT_EQ(translated(vl, "Print", &status), "Print");
    EXPECT_EQ(status, stNotFound);
    vl.SetAllFind(true);
    EXPECT_EQ(translated(vl, "Open", &status), "Offen");
    EXPECT_EQ(status, stTranslated);
    // The last dictionary that translates the text decides.
    EXPECT_EQ(translated(vl, "Print", &status), "Ausdrucken");
    EXPECT_EQ(status, stOtherDictionary);
    // Holding the text without a translation is no translation.
    EXPECT_EQ(translated(vl, "Quit", &status), "Quit");
    EXPECT_EQ(status, stNotFound);
}

TEST(VanteloTest, UsageIsCountedAndSavedWhenStatisticsAreCollected) {
    DictionaryFiles files;
    const std::string path = files.Write("stats.lgf", {"English", "German", "STATISTICS"},
                                         {{"Open", "Offen", ""}, {"Save", "Speichern", "41"}});
    {
        TVantelo vl;
        vl.CollectStatistics = true;
        vl.SetFileName(path);
        EXPECT_EQ(vl.StatisticsIndex(), 2);
        vl.ChangeLanguageByName("German");
        EXPECT_EQ(translated(vl, "Save"), "Speichern");
        EXPECT_EQ(translated(vl, "Open"), "Offen");
        EXPECT_EQ(translated(vl, "Open"), "Offen"); // one use each, not two
    }
    TItemSession saved;
    ASSERT_TRUE(saved.LoadFromFile(path));
    const TLanguage& statistics = saved.GetLanguages()[2];
    EXPECT_EQ(saved.FindLine("Open", saved.GetLanguages()[0])->GetText(statistics), "2");
    EXPECT_EQ(saved.FindLine("Save", saved.GetLanguages()[0])->GetText(statistics), "42");
}

} // namespace

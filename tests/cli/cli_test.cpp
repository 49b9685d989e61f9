// The command-line tool, run as a user runs it: a separate process, its
// standard output and error captured, its exit status checked.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "dictionary/item_session.h"

extern char** environ;

using namespace vantelo;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1; // the exit status, or 128 + the signal that ended the tool
    std::string out;
    std::string err;
};

struct RunOptions {
    fs::path folder = {};        // the tool's current folder; empty: ours
    bool terminalStderr = false; // standard error on a pseudo-terminal
    bool fullStdout = false;     // standard output on /dev/full
};

void check(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

Outcome run(const std::vector<std::string>& arguments, const RunOptions& options = {}) {
    int outPipe[2], errPipe[2];
    check(::pipe2(outPipe, O_CLOEXEC) == 0 && ::pipe2(errPipe, O_CLOEXEC) == 0, "pipe");
    int terminal = -1, terminalSlave = -1;
    std::string slaveName;
    if (options.terminalStderr) {
        terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        check(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0, "pty");
        slaveName = ::ptsname(terminal);
        // Held open here too, so that the terminal does not hang up before
        // the tool has opened its side.
        terminalSlave = ::open(slaveName.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        check(terminalSlave >= 0, "pty slave");
    }

    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (options.fullStdout)
        ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
    else
        ::posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    if (options.terminalStderr)
        ::posix_spawn_file_actions_addopen(&actions, 2, slaveName.c_str(), O_RDWR | O_NOCTTY, 0);
    else
        ::posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    if (!options.folder.empty())
        ::posix_spawn_file_actions_addchdir_np(&actions, options.folder.c_str());

    std::vector<std::string> all{VANTELO_CLI};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, VANTELO_CLI, &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (spawned != 0) {
        errno = spawned;
        check(false, "posix_spawn");
    }

    Outcome outcome;
    struct Source {
        int fd;
        std::string* text;
    };
    std::vector<Source> sources{{outPipe[0], &outcome.out},
                                {options.terminalStderr ? terminal : errPipe[0], &outcome.err}};
    if (options.terminalStderr)
        ::close(errPipe[0]);
    int status = 0;
    bool exited = false;
    while (!sources.empty()) {
        std::vector<pollfd> fds;
        for (const auto& s : sources)
            fds.push_back({s.fd, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), exited ? 0 : 100);
        bool readAny = false;
        for (size_t i = fds.size(); i-- > 0;) {
            if (fds[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sources[i].text->append(buffer, size_t(n));
                readAny = true;
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                sources.erase(sources.begin() + std::ptrdiff_t(i));
            }
        }
        if (!exited && ::waitpid(pid, &status, WNOHANG) == pid)
            exited = true;
        else if (exited && ready == 0 && !readAny)
            break; // only the terminal is left, and it has nothing more
    }
    for (const auto& s : sources)
        ::close(s.fd);
    if (terminalSlave >= 0)
        ::close(terminalSlave);
    if (!exited)
        ::waitpid(pid, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TLanguage& addColumn(TItemSession& d, const std::string& name, bool remark = false) {
    auto l = std::make_unique<TLanguage>();
    l->Name = name;
    l->Title = name;
    l->ExportStr = "-" + name + ":";
    l->IsRemark = remark;
    l->Shown = true;
    return *d.AddLanguage(std::move(l));
}

using Rows = std::vector<std::vector<std::string>>;

Rows rows(const TItemSession& d) {
    Rows result;
    for (const auto& line : d.Lines()) {
        result.emplace_back();
        for (int c = 0; c < d.ColumnCount(); ++c)
            result.back().push_back(line->GetTextAt(c));
    }
    return result;
}

Rows rowsOf(const fs::path& file) {
    TItemSession d;
    EXPECT_TRUE(d.LoadFromFile(file.string())) << file;
    return rows(d);
}

// English, a remark and French, the French title and one text in
// Windows-1252; three lines.
void fillSample(TItemSession& d) {
    addColumn(d, "English");
    addColumn(d, "Note", true).Title = "Notes";
    TLanguage& french = addColumn(d, "French");
    french.Title = "Fran\xE7"
                   "ais";
    french.Shown = false;
    french.ReadOnly = true;
    french.ColumnWidth = 200;
    d.AddWord({"Hello", "greeting", "Bonjour"});
    d.AddWord({"Yes", "", "Oui"});
    d.AddWord({"Cancel", "", "Annuler"});
    d.AddWord({"Language", "",
               "Fran\xE7"
               "ais"});
    d.AddWord({"No", "", ""});
}

class CliFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vantelo-cli-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    // The sample dictionary saved as `name`; returns its path.
    std::string sample(const std::string& name = "dict.lgf") const {
        TItemSession d;
        fillSample(d);
        d.SaveToFile(path(name));
        return path(name);
    }

    fs::path folder;
};

const std::vector<std::string> AllCommands = {"info", "convert", "import", "repeated", "translate"};

} // namespace

// ---- command line --------------------------------------------------------

TEST(CliUsage, HelpAndVersionGoToStandardOutput) {
    const auto help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_TRUE(help.out.starts_with("Usage: vantelo")) << help.out;
    for (const auto& command : AllCommands) {
        EXPECT_NE(help.out.find("\n  " + command + " "), std::string::npos) << command;
        const auto r = run({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(r.out.starts_with("Usage: vantelo " + command + " ")) << r.out;
        EXPECT_NE(r.out.find("--code-page NAME"), std::string::npos) << command;
        EXPECT_EQ(r.err, "");
    }
    // Help wins over whatever else the command line holds.
    const std::string convertHelp = run({"convert", "--help"}).out;
    for (const auto& asked : {std::vector<std::string>{"--help", "convert"},
                              std::vector<std::string>{"help", "convert", "x"},
                              std::vector<std::string>{"convert", "a.lgf", "-h", "--unknown"}})
        EXPECT_EQ(run(asked).out, convertHelp);
    const auto version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("vantelo ")) << version.out;
}

TEST(CliUsage, WrongCommandLinesExitWithTwoAndTheUsage) {
    const auto bare = run({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.out, "");
    EXPECT_TRUE(bare.err.starts_with("Usage: vantelo")) << bare.err;

    struct Case {
        std::vector<std::string> arguments;
        std::string message;
        std::string usage; // how the usage printed after it starts
    };
    const std::vector<Case> cases = {
        {{"frob"}, "unknown command 'frob'", "Usage: vantelo [--code-page"},
        {{"--code-page", "UTF-8"}, "missing command", "Usage: vantelo [--code-page"},
        {{"--frob", "info", "x.lgf"}, "unknown option '--frob'", "Usage: vantelo [--code-page"},
        {{"info"}, "missing FILE", "Usage: vantelo info FILE"},
        {{"info", "a.lgf", "b.lgf"}, "unexpected argument 'b.lgf'", "Usage: vantelo info"},
        {{"info", "a.lgf", "--unicode"}, "unknown option '--unicode'", "Usage: vantelo info"},
        {{"convert", "a.lgf"}, "missing OUTPUT", "Usage: vantelo convert"},
        {{"convert", "a.lgf", "b.lgf", "--unicode=yes"},
         "option --unicode takes no value",
         "Usage: vantelo convert"},
        {{"convert", "a.lgf", "b.txt", "--sorted-by"},
         "option --sorted-by needs a value (COLUMN)",
         "Usage: vantelo convert"},
        {{"import", "dict.lgf"}, "missing INPUT", "Usage: vantelo import"},
        {{"translate", "d.lgf", "--from", "English", "Hello"},
         "missing option --to NAME",
         "Usage: vantelo translate"},
        {{"translate", "d.lgf", "--from", "English", "--to", "German"},
         "missing TEXT",
         "Usage: vantelo translate"},
        {{"info", "--code-page"}, "option --code-page needs a value (NAME)", "Usage: vantelo info"},
    };
    for (const auto& c : cases) {
        const auto r = run(c.arguments);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with("vantelo: " + c.message + "\n" + c.usage)) << r.err;
    }
}

// ---- reading files and failures ------------------------------------------

TEST_F(CliFiles, FailuresExitWithOneAndSayWhy) {
    const auto missing = run({"info", path("missing.lgf")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "vantelo: cannot find " + path("missing.lgf") + "\n");

    // A file named with a folder is that file: a file of the same name in the
    // current folder does not stand in for it.
    sample("dict.lgf");
    const auto elsewhere = run({"info", "sub/dict.lgf"}, {.folder = folder});
    EXPECT_EQ(elsewhere.status, 1);
    EXPECT_EQ(elsewhere.err, "vantelo: cannot find sub/dict.lgf\n");

    writeFile(folder / "bad.lgf", "not a dictionary");
    const auto damaged = run({"info", "bad.lgf"}, {.folder = folder});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(damaged.err, "vantelo: File ./bad.lgf is not Vantelo dictinary.\n");

    const auto codePage =
        run({"info", "dict.lgf", "--code-page", "NO-SUCH-PAGE"}, {.folder = folder});
    EXPECT_EQ(codePage.status, 1);
    EXPECT_EQ(codePage.err, "vantelo: Code page \"NO-SUCH-PAGE\" is not supported.\n");

    const auto full = run({"info", "dict.lgf"}, {.folder = folder, .fullStdout = true});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "vantelo: cannot write to standard output\n");
}

TEST_F(CliFiles, InfoShowsTheColumnsInATable) {
    const auto r = run({"info", sample()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "Columns: 3 (2 languages, 1 remark)\n"
              "Lines:   5\n"
              "\n"
              "Index  Name     Title     Export     Kind      Shown  Width  Read-only  Texts\n"
              "    0  English  English   -English:  language  yes      140  no             5\n"
              "    1  Note     Notes     -Note:     remark    yes      140  no             1\n"
              "    2  French   Français  -French:   language  no       200  yes            4\n");

    TItemSession empty;
    empty.SaveToFile(path("empty.lgf"));
    EXPECT_EQ(run({"info", path("empty.lgf")}).out,
              "Columns: 0 (0 languages, 0 remarks)\nLines:   0\n");
}

TEST_F(CliFiles, ProgressIsShownOnATerminalOnly) {
    const std::string dict = sample();
    const auto quiet = run({"convert", dict, path("copy.lgf")});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.err, "");

    const auto shown =
        run({"convert", "dict.lgf", "copy.lgf"}, {.folder = folder, .terminalStderr = true});
    EXPECT_EQ(shown.status, 0);
    const std::string reading = "Reading dict.lgf...", writing = "Writing copy.lgf...";
    EXPECT_EQ(shown.err, reading + "\r" + std::string(reading.size(), ' ') + "\r" + writing + "\r" +
                             std::string(writing.size(), ' ') + "\r");

    // A failure's message starts on a clean line (the terminal ends it
    // with "\r\n").
    writeFile(folder / "bad.lgf", "not a dictionary");
    const auto failed = run({"info", "bad.lgf"}, {.folder = folder, .terminalStderr = true});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "Reading bad.lgf...\r                  \r"
                          "vantelo: File ./bad.lgf is not Vantelo dictinary.\r\n");
}

// ---- convert -------------------------------------------------------------

TEST_F(CliFiles, ConvertBetweenDictionaryFiles) {
    const std::string dict = sample();
    EXPECT_EQ(run({"convert", dict, path("copy.lgf")}).status, 0);
    EXPECT_EQ(readFile(path("copy.lgf")), readFile(dict));

    // An output that exists is kept as its backup; upper-case extensions work.
    writeFile(folder / "old.LGF", "previous");
    EXPECT_EQ(run({"convert", "dict.lgf", "old.LGF"}, {.folder = folder}).status, 0);
    EXPECT_EQ(readFile(path("old.LGF")), readFile(dict));
    EXPECT_EQ(readFile(path("old.~LGF")), "previous");

    const auto unicode = run({"convert", dict, path("wide.lgf"), "--unicode"});
    EXPECT_EQ(unicode.status, 0) << unicode.err;
    TItemSession d;
    fillSample(d);
    EXPECT_EQ(readFile(path("wide.lgf")), d.SaveToBytes(true));
}

TEST_F(CliFiles, ConvertRefusesOutputsItCannotWriteBeforeReading) {
    const std::string dict = sample();
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"convert", dict, path("out.xls")},
         "cannot write legacy .xls workbooks; name the output .xlsx"},
        {{"convert", dict, path("out.dat")},
         "cannot tell what to write from the name " + path("out.dat") +
             "; name the output .lgf, .txt, .log or .xlsx"},
        {{"convert", dict, path("out.txt"), "--unicode"},
         "--unicode applies to a dictionary output (.lgf) only"},
        {{"convert", dict, path("out.xlsx"), "--sorted-by", "English"},
         "--sorted-by applies to a text output (.txt, .log) only"},
        // Refused before the missing input is noticed.
        {{"convert", path("missing.lgf"), path("out.XLS")},
         "cannot write legacy .xls workbooks; name the output .xlsx"},
    };
    for (const auto& c : cases) {
        const auto r = run(c.arguments);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_TRUE(r.err.starts_with("vantelo: " + c.message + "\nUsage: vantelo convert"))
            << r.err;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(CliFiles, ConvertToAndFromTaggedText) {
    const std::string dict = sample();
    TItemSession d;
    fillSample(d);

    ASSERT_EQ(run({"convert", dict, path("dict.txt")}).status, 0);
    EXPECT_EQ(readFile(path("dict.txt")), d.ExportTextBytes());
    ASSERT_EQ(run({"convert", dict, path("debug.LOG")}).status, 0);
    EXPECT_EQ(readFile(path("debug.LOG")), d.ExportTextBytes());

    // Column names are matched without regard to case; remarks sort too.
    ASSERT_EQ(run({"convert", dict, path("by-french.txt"), "--sorted-by", "FRENCH"}).status, 0);
    EXPECT_EQ(readFile(path("by-french.txt")), d.ExportSortedTextBytes(d.GetLanguages()[2]));
    ASSERT_EQ(run({"convert", dict, path("by-note.txt"), "--sorted-by=note"}).status, 0);
    EXPECT_EQ(readFile(path("by-note.txt")), d.ExportSortedTextBytes(d.GetLanguages()[1]));

    const auto unknown = run({"convert", dict, path("by-klingon.txt"), "--sorted-by", "Klingon"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "vantelo: Language \"Klingon\" is not registered.\n");
    EXPECT_FALSE(fs::exists(path("by-klingon.txt")));

    // Text back into a dictionary; any extension but the known ones is text.
    ASSERT_EQ(run({"convert", path("dict.txt"), path("back.lgf")}).status, 0);
    EXPECT_EQ(rowsOf(path("back.lgf")), rows(d));
    fs::copy_file(path("dict.txt"), path("dict.strings"));
    ASSERT_EQ(run({"convert", path("dict.strings"), path("again.lgf")}).status, 0);
    EXPECT_EQ(readFile(path("again.lgf")), readFile(path("back.lgf")));
}

TEST_F(CliFiles, ConvertToAndFromWorkbooks) {
    const std::string dict = sample();
    TItemSession d;
    fillSample(d);
    const auto written = run({"convert", dict, path("dict.xlsx")});
    ASSERT_EQ(written.status, 0) << written.err;
    const auto read = run({"convert", path("dict.xlsx"), path("back.lgf")});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(rowsOf(path("back.lgf")), rows(d));

    // Workbooks are imported into a dictionary as text files are.
    ASSERT_EQ(run({"import", path("both.lgf"), path("dict.xlsx"), path("dict.xlsx")}).status, 0);
    EXPECT_EQ(rowsOf(path("both.lgf")).size(), 2 * rows(d).size());
}

// ---- import --------------------------------------------------------------

TEST_F(CliFiles, ImportIntoANewAndAnExistingDictionary) {
    writeFile(folder / "a.txt", "-English:>Hello\r\n-German:>Hallo\r\n\r\n");
    writeFile(folder / "b.txt", "-English:>Yes\r\n-German:>Ja\r\n\r\n");

    // Bare names are files of the current folder, the backup's too.
    const auto created = run({"import", "new.lgf", "a.txt"}, {.folder = folder});
    EXPECT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(rowsOf(path("new.lgf")), (Rows{{"Hello", "Hallo"}}));
    EXPECT_FALSE(fs::exists(path("new.~lgf")));

    const std::string before = readFile(path("new.lgf"));
    const auto added = run({"import", "new.lgf", "b.txt"}, {.folder = folder});
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(rowsOf(path("new.lgf")), (Rows{{"Hello", "Hallo"}, {"Yes", "Ja"}}));
    EXPECT_EQ(readFile(path("new.~lgf")), before);
}

TEST_F(CliFiles, AFailedImportSavesNothing) {
    const std::string dict = sample();
    const std::string before = readFile(dict);
    writeFile(folder / "a.txt", "-English:>Hello\r\n\r\n");

    const auto missing = run({"import", dict, path("a.txt"), path("missing.txt")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "vantelo: cannot find " + path("missing.txt") + "\n");

    // The first input was read when the second one failed.
    writeFile(folder / "bad.xlsx", "not a workbook");
    const auto broken = run({"import", dict, path("a.txt"), path("bad.xlsx")});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find(path("bad.xlsx")), std::string::npos) << broken.err;

    const auto notATarget = run({"import", path("dict.txt"), path("a.txt")});
    EXPECT_EQ(notATarget.status, 2);
    const auto dictionaryInput = run({"import", dict, dict});
    EXPECT_EQ(dictionaryInput.status, 2);
    EXPECT_TRUE(dictionaryInput.err.starts_with("vantelo: cannot import the dictionary " + dict))
        << dictionaryInput.err;

    EXPECT_EQ(readFile(dict), before);
    EXPECT_FALSE(fs::exists(path("dict.~lgf")));
    EXPECT_FALSE(fs::exists(path("dict.txt")));
}

// ---- repeated ------------------------------------------------------------

TEST_F(CliFiles, RepeatedListsTextsOrSaysThereAreNone) {
    const auto none = run({"repeated", sample()});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "Repeated words not found.\n");

    TItemSession d;
    addColumn(d, "English");
    addColumn(d, "Note", true);
    addColumn(d, "French").Title = "Fran\xE7"
                                   "ais";
    d.AddWord({"Open", "x", "Ouvrir"});
    d.AddWord({"Open", "x", "Ouvrir"});
    d.AddWord({"Open", "x", "Fen\xEAtre"});
    d.AddWord({"Close", "x", "Fen\xEAtre"});
    d.SaveToFile(path("repeats.lgf"));
    const auto found = run({"repeated", path("repeats.lgf")});
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out, "English\n  Open:3\nFrançais\n  Fenêtre:2\n  Ouvrir:2\n");
}

// ---- translate -----------------------------------------------------------

TEST_F(CliFiles, TranslatePrintsOneTranslationPerText) {
    const std::string dict = sample();
    const auto r = run({"translate", dict, "--from", "english", "--to", "FRENCH", "Hello",
                        "Nothing", "42", "", "No", "Language", "--", "-x"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // Untranslated texts, numbers and empty texts come back as they are.
    EXPECT_EQ(r.out, "Bonjour\nNothing\n42\n\nNo\nFrançais\n-x\n");

    const auto back = run({"translate", dict, "--to", "English", "--from=French",
                           "Fran\xC3\xA7"
                           "ais"});
    EXPECT_EQ(back.out, "Language\n");

    const auto unknown = run({"translate", dict, "--from", "English", "--to", "Klingon", "Hello"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, "vantelo: Language \"Klingon\" is not registered.\n");

    // Remarks are not loaded for translating.
    const auto remark = run({"translate", dict, "--from", "Note", "--to", "English", "greeting"});
    EXPECT_EQ(remark.status, 1);
    EXPECT_EQ(remark.err, "vantelo: Language \"Note\" is not registered.\n");
}

TEST_F(CliFiles, TheCodePageConvertsTextsInAndOut) {
    const std::string grusseUtf8 = "Gr\xC3\xBC\xC3\x9F"
                                   "e";
    TItemSession western;
    addColumn(western, "English");
    addColumn(western, "German");
    western.AddWord({"Greeting", "Gr\xFC\xDF"
                                 "e"});
    western.SaveToFile(path("western.lgf"));
    TItemSession unicode;
    addColumn(unicode, "English");
    addColumn(unicode, "German");
    unicode.AddWord({"Greeting", grusseUtf8});
    unicode.SaveToFile(path("unicode.lgf"));

    // Global options go before the command, the rest after it.
    auto translate = [&](const std::string& file, std::vector<std::string> before,
                         const std::string& from, const std::string& to, const std::string& text,
                         std::vector<std::string> after = {}) {
        std::vector<std::string> arguments = before;
        for (const auto& a : {std::string("translate"), path(file), std::string("--from"), from,
                              std::string("--to"), to, text})
            arguments.push_back(a);
        arguments.insert(arguments.end(), after.begin(), after.end());
        return run(arguments);
    };
    // Windows-1252 by default.
    EXPECT_EQ(translate("western.lgf", {}, "English", "German", "Greeting").out, grusseUtf8 + "\n");
    EXPECT_EQ(translate("western.lgf", {}, "German", "English", grusseUtf8).out, "Greeting\n");
    // The same bytes read as UTF-8 are no text at all.
    const auto wrong =
        translate("western.lgf", {"--code-page", "UTF-8"}, "English", "German", "Greeting");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_TRUE(wrong.err.starts_with("vantelo: Text \"Gr\\xFC\\xDFe\" is not valid UTF-8"))
        << wrong.err;

    // A UTF-8 dictionary, with the option before or after the command.
    EXPECT_EQ(
        translate("unicode.lgf", {"--code-page", "UTF-8"}, "English", "German", "Greeting").out,
        grusseUtf8 + "\n");
    EXPECT_EQ(
        translate("unicode.lgf", {}, "German", "English", grusseUtf8, {"--code-page=utf-8"}).out,
        "Greeting\n");
    // Read as Windows-1252 its bytes are other characters, and the typed
    // text is not found.
    EXPECT_EQ(translate("unicode.lgf", {}, "English", "German", "Greeting").out,
              "Gr\xC3\x83\xC2\xBC\xC3\x83\xC5\xB8"
              "e\n");
    EXPECT_EQ(translate("unicode.lgf", {}, "German", "English", grusseUtf8).out, grusseUtf8 + "\n");

    // A typed text the code page cannot hold is refused, not replaced.
    const auto cannot = translate("western.lgf", {}, "English", "German", "\xE6\x97\xA5");
    EXPECT_EQ(cannot.status, 1);
    EXPECT_TRUE(cannot.err.starts_with("vantelo: Text ")) << cannot.err;
}

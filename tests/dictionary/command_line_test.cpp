// Command-line switches and the integer reading shared by translation
// (numbers stay untranslated) and the usage counter.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dictionary/command_line.h"
#include "dictionary/integer_text.h"
#include "dictionary/item_session.h"

using namespace vantelo;

namespace {

class CommandLineTest : public ::testing::Test {
protected:
    void TearDown() override { CommandLine::SetParameters({}); }
};

} // namespace

TEST_F(CommandLineTest, SwitchesMatchWholeParametersInAnyCase) {
    const char* argv[] = {"/opt/vantelo/vleditor", "dict.lgf", nullptr, "-VlDebug"};
    CommandLine::Set(4, argv);
    EXPECT_EQ(CommandLine::Parameters(), (std::vector<std::string>{"dict.lgf", "", "-VlDebug"}));
    EXPECT_TRUE(CommandLine::HasSwitch("-VLDEBUG"));
    EXPECT_FALSE(CommandLine::HasSwitch("-VLDEBUGDLG"));
    EXPECT_TRUE(TItemSession().DebugMode);

    for (const char* other :
         {"-VLDEBUGDLG", "VLDEBUG", "-VLDEBUG ", " -VLDEBUG", "/VLDEBUG", "-VL"}) {
        CommandLine::SetParameters({other});
        EXPECT_FALSE(CommandLine::HasSwitch("-VLDEBUG")) << other;
        EXPECT_FALSE(TItemSession().DebugMode) << other;
    }
    CommandLine::SetParameters({"-vldebugdlg"});
    EXPECT_TRUE(CommandLine::HasSwitch("-VLDEBUGDLG"));

    // A dictionary keeps the mode it was created with.
    CommandLine::SetParameters({"-vldebug"});
    TItemSession debugging;
    CommandLine::SetParameters({});
    EXPECT_TRUE(debugging.DebugMode);
    EXPECT_FALSE(TItemSession().DebugMode);

    const char* onlyProgram[] = {"vleditor"};
    CommandLine::Set(1, onlyProgram);
    EXPECT_TRUE(CommandLine::Parameters().empty());
}

// clang-format off
TEST(ParseInteger, ReadsDecimalAndHexadecimalNumbers) {
    const std::pair<const char*, int32_t> numbers[] = {
        {"0", 0},         {"12", 12},       {"007", 7},        {"+7", 7},        {"-12", -12},
        {"  42", 42},     {" -0", 0},       {" $1F", 31},      {"$ff", 255},     {"x1F", 31},
        {"X1f", 31},      {"0x10", 16},     {"0X10", 16},      {"-$10", -16},    {"-0x10", -16},
        {"$7FFFFFFF", INT32_MAX},           {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},         {"00000000000000000000001", 1}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(ParseInteger(text), std::optional<int32_t>(value)) << '"' << text << '"';
}

TEST(ParseInteger, RejectsEverythingElse) {
    for (const char* text : {"", " ", "+", "-", "$", "x", "0x", "-$", "12 ", "1 2", "1F", "12a",
                             "1.0", "1e3", "--1", "+-1", "$-1", "0x-1", "$ 1", "0x0x1",
                             "2147483648", "-2147483649", "99999999999999999999", "$100000000",
                             "\xB6\x31", "Open"})
        EXPECT_EQ(ParseInteger(text), std::nullopt) << '"' << text << '"';
}
// clang-format on

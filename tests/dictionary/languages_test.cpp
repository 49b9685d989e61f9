// Column descriptors and the ordered column list: name look-ups, the shown
// numbering the grid relies on, copying descriptors and ownership.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "dictionary/language.h"
#include "dictionary/language_list.h"

using namespace vantelo;

namespace {

std::unique_ptr<TLanguage> column(const std::string& name, bool shown, bool remark = false) {
    auto l = std::make_unique<TLanguage>();
    l->Name = name;
    l->Shown = shown;
    l->IsRemark = remark;
    return l;
}

// Records its name in `log` when destroyed.
class TrackedLanguage : public TLanguage {
public:
    TrackedLanguage(std::string name, std::vector<std::string>& log) : log_(log) {
        Name = std::move(name);
    }
    ~TrackedLanguage() override { log_.push_back(Name); }

private:
    std::vector<std::string>& log_;
};

TPicture somePicture() {
    return TPicture{"TIcon", {0, 0, 1, 0, 1, 0, 64, 64}};
}

} // namespace

TEST(Language, AssignAndSetImage) {
    TLanguage source;
    source.Name = "German";
    source.ExportStr = "-German:";
    source.Title = "Deutsch";
    source.Index = 3;
    source.Shown = source.IsRemark = source.ReadOnly = true;
    source.ShownNumber = 2;
    source.ColumnWidth = 60;
    source.Image.Width = source.Image.Height = 64;
    source.Image.Picture = somePicture();

    TLanguage target;
    EXPECT_EQ(target.ColumnWidth, 140);
    target.Assign(source);
    EXPECT_EQ(target.Name, "German");
    EXPECT_EQ(target.ExportStr, "-German:");
    EXPECT_EQ(target.Title, "Deutsch");
    EXPECT_EQ(target.Index, 3);
    EXPECT_TRUE(target.Shown && target.IsRemark);
    EXPECT_EQ(target.ShownNumber, 2);
    EXPECT_EQ(target.Image.Picture, somePicture());
    EXPECT_EQ(target.ColumnWidth, 140); // not copied
    EXPECT_FALSE(target.ReadOnly);      // not copied
    // A picture larger than 32 x 32 leaves the frame at 32 x 32.
    EXPECT_EQ(target.Image.Width, 32);
    EXPECT_EQ(target.Image.Height, 32);

    // Each side is limited on its own.
    target.Image.Width = 100;
    target.Image.Height = 20;
    target.SetImage(TImage{});
    EXPECT_EQ(target.Image.Picture, TPicture::EmptyBitmap());
    EXPECT_EQ(target.Image.Width, 32);
    EXPECT_EQ(target.Image.Height, 20);
}

TEST(LanguageList, NamesMatchWithoutRegardToCase) {
    TLanguageList list;
    list.Append(column("English", true));
    list.Append(column("German", true));

    EXPECT_TRUE(list.Exists("english"));
    EXPECT_TRUE(list.Exists("GERMAN"));
    EXPECT_FALSE(list.Exists("Engl"));
    EXPECT_FALSE(list.Exists("English "));
    EXPECT_FALSE(list.Exists(""));
    EXPECT_EQ(list.IndexOf("gErMaN"), 1);
    EXPECT_EQ(list.FindLanguage("english"), &list[0]);
    EXPECT_EQ(list.FindLanguage("French"), nullptr);
}

TEST(LanguageList, NumberShownCountsLanguagesAndRemarksApart) {
    TLanguageList list;
    list.Append(column("L1", true));
    list.Append(column("R1", true, true));
    list.Append(column("L2", false));
    list.Append(column("L3", true));

    EXPECT_EQ(list.NumberShown(), 4);
    EXPECT_EQ(list[0].ShownNumber, 0);
    EXPECT_EQ(list[1].ShownNumber, 0);
    EXPECT_EQ(list[2].ShownNumber, -1);
    EXPECT_EQ(list[3].ShownNumber, 1);
    EXPECT_EQ(list.LanguageCount(), 3);
    EXPECT_EQ(list.ShownLanguageCount(), 2);
    EXPECT_EQ(list.RemarkCount(), 1);
    EXPECT_EQ(list.ShownRemarkCount(), 1);

    // The remark numbered 0 comes first in the list; languages skip it.
    list.Exchange(0, 1);
    list.NumberShown();
    EXPECT_EQ(list.IndexOfLanguageNumber(0), 1);
    EXPECT_EQ(list.IndexOfLanguageNumber(1), 3);
    EXPECT_EQ(list.IndexOfLanguageNumber(2), -1);
    EXPECT_EQ(list.IndexOfRemarkNumber(0), 0);
    EXPECT_EQ(list.IndexOfRemarkNumber(1), -1);

    for (auto& l : list)
        l->Shown = false;
    list.NumberShown();
    for (auto& l : list)
        EXPECT_EQ(l->ShownNumber, -1) << l->Name;
    EXPECT_EQ(list.IndexOfLanguageNumber(0), -1);
    EXPECT_EQ(list.IndexOfRemarkNumber(0), -1);
}

TEST(LanguageList, OwnsItsDescriptorsAndRejectsBadIndexes) {
    std::vector<std::string> destroyed;
    TLanguageList list;
    list.Clear(); // empty: nothing to do
    for (const char* name : {"A", "B", "C", "D"})
        list.Append(std::make_unique<TrackedLanguage>(name, destroyed));

    list.Delete(1);
    EXPECT_EQ(destroyed, std::vector<std::string>{"B"});
    EXPECT_EQ(list.Strings(1), "C");

    EXPECT_THROW(list.Delete(-1), std::out_of_range);
    EXPECT_THROW(list.Delete(3), std::out_of_range);
    EXPECT_THROW((void)list[-1], std::out_of_range);
    EXPECT_THROW(list.Exchange(0, 3), std::out_of_range);
    EXPECT_THROW(list.Insert(5, column("E", true)), std::out_of_range);
    EXPECT_FALSE(list.IsValidIndex(-1));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(destroyed.size(), 1u);

    list.Clear(); // last entry first
    EXPECT_EQ(destroyed, (std::vector<std::string>{"B", "D", "C", "A"}));
    EXPECT_EQ(list.Count(), 0);
}

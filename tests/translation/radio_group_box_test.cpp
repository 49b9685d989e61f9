// The radio group: buttons made from Items, one chosen entry, columns.
#include <gtest/gtest.h>

#include <QGridLayout>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <utility>

#include "translation/radio_group_box.h"

using namespace vantelo;

namespace {

std::pair<int, int> cellOf(RadioGroupBox& box, int index) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(box.Button(index)), &row, &column, &rowSpan, &columnSpan);
    return {row, column};
}

TEST(RadioGroupBoxTest, TheChosenEntrySurvivesRenamingAndGoesWithItsButton) {
    RadioGroupBox box;
    QSignalSpy chosen(&box, &RadioGroupBox::itemIndexChanged);
    EXPECT_EQ(box.ItemIndex(), -1);
    box.SetItems({"Append", "Change", "Both"});
    box.SetItemIndex(2);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.takeFirst().at(0).toInt(), 2);

    QRadioButton* kept = box.Button(0);
    box.SetItems({"Anhängen", "Ändern", "Beides"});
    EXPECT_EQ(box.ItemIndex(), 2);
    EXPECT_EQ(box.Button(0), kept); // renamed, not rebuilt
    EXPECT_EQ(box.Button(2)->text(), "Beides");
    EXPECT_EQ(chosen.count(), 0);

    box.SetItems({"Anhängen", "Ändern"});
    EXPECT_EQ(box.ItemIndex(), -1);
    EXPECT_EQ(box.Button(2), nullptr);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.takeFirst().at(0).toInt(), -1);

    // The user's click is reported as well; exclusivity holds.
    box.SetItemIndex(0);
    chosen.clear();
    QTest::mouseClick(box.Button(1), Qt::LeftButton);
    EXPECT_EQ(box.ItemIndex(), 1);
    EXPECT_FALSE(box.Button(0)->isChecked());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.takeFirst().at(0).toInt(), 1);

    box.SetItemIndex(7);
    EXPECT_EQ(box.ItemIndex(), -1);
    EXPECT_FALSE(box.Button(1)->isChecked());
}

TEST(RadioGroupBoxTest, ColumnsFillTopToBottomFirst) {
    RadioGroupBox box;
    box.SetItems({"a", "b", "c", "d", "e"});
    EXPECT_EQ(cellOf(box, 4), std::make_pair(4, 0));
    box.SetColumns(2);
    EXPECT_EQ(cellOf(box, 0), std::make_pair(0, 0));
    EXPECT_EQ(cellOf(box, 2), std::make_pair(2, 0));
    EXPECT_EQ(cellOf(box, 3), std::make_pair(0, 1));
    EXPECT_EQ(cellOf(box, 4), std::make_pair(1, 1));
    box.SetItems({"a", "b", "c", "d", "e", "f", "g"});
    EXPECT_EQ(cellOf(box, 6), std::make_pair(2, 1));
    box.SetColumns(0); // at least one column
    EXPECT_EQ(box.Columns(), 1);
    EXPECT_EQ(cellOf(box, 6), std::make_pair(6, 0));
}

} // namespace

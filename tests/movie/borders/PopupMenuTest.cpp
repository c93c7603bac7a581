#include "movie/widgets/PopupMenu.h"

#include "player/Stage.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

TEST(PopupMenuTest, RowsAreAsHighAsAskedAndLabelsShowEveryCharacter) {
    player::Stage stage;
    widgets::PopupMenu menu(stage, {{"可爱卡通", 1}, {"Tom & Jerry", 2}, {"&&", 3}});
    for (const int height : {25, 19, 32}) {
        menu.setRowHeight(height);
        menu.menu()->ensurePolished();
        menu.menu()->adjustSize();
        for (QAction* action : menu.menu()->actions())
            EXPECT_EQ(menu.menu()->actionGeometry(action).height(), height)
                << action->text().toStdString();
    }
    const QList<QAction*> actions = menu.menu()->actions();
    ASSERT_EQ(actions.size(), 3);
    // Shown as written: a doubled "&" is one "&" on the screen, and no letter is underlined.
    EXPECT_EQ(actions[1]->text(), "Tom && Jerry");
    EXPECT_EQ(actions[2]->text(), "&&&&");
    EXPECT_EQ(menu.items()[1].label, "Tom & Jerry");
}

} // namespace

#include "movie/tray/CardButtons.h"
#include "player/TextField.h"
#include "support/TrayMovie.h"

#include <gtest/gtest.h>

namespace {

using player::Clip;
using traytest::TrayMovie;

struct Part {
    const char* name;
    int depth;
    QPointF pos;
};

TEST(PhotoCard, HasItsPartsAtTheirDepthsAndPlaces) {
    TrayMovie movie;
    Clip* card = movie.snap();
    ASSERT_NE(card, nullptr);
    for (const Part& part :
         {Part{"shadow", 1, {0, 0}}, Part{"pic", 3, {0, 0}}, Part{"but_delete", 5, {81.9, 130}},
          Part{"but_print", 9, {134.95, 130}}, Part{"but_save", 13, {188, 130}},
          Part{"caption", 16, {3.15, 184}}}) {
        Clip* clip = card->child(part.name);
        ASSERT_NE(clip, nullptr) << part.name;
        EXPECT_EQ(clip->depth(), part.depth) << part.name;
        EXPECT_EQ(clip->pos(), part.pos) << part.name;
    }
    EXPECT_EQ(card->child("pic")->contentRect(), QRectF(0, 0, 240, 180));
    EXPECT_NE(card->child("shadow")->graphicsEffect(), nullptr);
    auto* caption = qobject_cast<player::TextField*>(card->child("caption"));
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(caption->text().isEmpty());
    EXPECT_EQ(card->timeline().totalFrames(), 2);
    EXPECT_EQ(card->currentFrame(), 1);
}

QString labelText(Clip& button) {
    Clip* label = button.child("label");
    auto* field = label ? qobject_cast<player::TextField*>(label->child("text")) : nullptr;
    return field ? field->text() : QString();
}

struct Hover {
    const char* button;
    const char* edition;
    const char* label;
};

void PrintTo(const Hover& h, std::ostream* os) {
    *os << h.button << " " << h.edition;
}

class CardHoverTest : public ::testing::TestWithParam<Hover> {};

TEST_P(CardHoverTest, LabelShowsOnlyWhileOverAndFollowsTheEdition) {
    TrayMovie movie;
    Clip* card = movie.snap();
    Clip* button = card->child(GetParam().button);
    ASSERT_NE(button, nullptr);
    EXPECT_NEAR(button->alpha(), 205.0 / 256.0 * 100.0, 1e-9);
    Clip* label = button->child("label");
    ASSERT_NE(label, nullptr);
    movie.root()->setVar("SetIdeType", GetParam().edition);
    EXPECT_FALSE(label->isVisible());
    button->rollOver();
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(labelText(*button), QString::fromUtf8(GetParam().label));
    button->rollOut();
    EXPECT_FALSE(label->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Labels, CardHoverTest,
                         ::testing::Values(Hover{"but_delete", "soft", "删除"},
                                           Hover{"but_print", "soft", "打　印"},
                                           Hover{"but_save", "soft", "保存图片"},
                                           Hover{"but_save", "ie", "下载图片"}));

TEST(CardButtons, SaveLabelIsReadAgainEachTimeItShows) {
    TrayMovie movie;
    Clip* save = movie.snap()->child("but_save");
    movie.root()->setVar("SetIdeType", "ie");
    save->rollOver();
    EXPECT_EQ(save->child("label")->var("SaveTarget").toString(), "下载图片");
    save->rollOut();
    movie.root()->setVar("SetIdeType", "soft");
    save->rollOver();
    EXPECT_EQ(save->child("label")->var("SaveTarget").toString(), "保存图片");
    EXPECT_EQ(labelText(*save), "保存图片");
}

TEST(CardButtons, IconMovesDownOnePixelWhilePressedAndHidesTheLabel) {
    TrayMovie movie;
    Clip* print = movie.snap()->child("but_print");
    Clip* icon = print->child("icon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->contentRect().size(), QSizeF(50, 50)) << "icon art from the bundle";
    print->rollOver();
    print->press();
    EXPECT_EQ(icon->y(), 1);
    EXPECT_FALSE(print->child("label")->isVisible());
    print->rollOut();
    EXPECT_EQ(icon->y(), 0);
}

TEST(CardButtons, ShownHoverLabelDoesNotCatchThePointer) {
    TrayMovie movie;
    Clip* remove = movie.snap()->child("but_delete");
    remove->rollOver();
    Clip* label = remove->child("label");
    ASSERT_TRUE(label->isVisible());
    const QPointF onLabel = label->mapToScene(label->contentRect().center());
    EXPECT_NE(movie.stage().buttonAt(onLabel), remove) << "a press there would delete the card";
    const QPointF onIcon = remove->mapToScene(QPointF(25, 25));
    EXPECT_EQ(movie.stage().buttonAt(onIcon), remove);
}

} // namespace

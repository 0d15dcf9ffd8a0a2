// The name-entry dialog driven through whole frames with scripted keys.
#include <cstring>

#include "app/frame.h"
#include "gfx/images.h"
#include "gfx_support.h"
#include "input/keyboard.h"
#include "players/players.h"
#include "screens/name_box.h"

namespace hl = platform::headless;

namespace {
constexpr int DIK_C = 46;
} // namespace

class DialogTest : public DrawTest {
  protected:
    void SetUp() override {
        DrawTest::SetUp();
        write_archive({{IMAGE_DIALOGS.name, tga_image(170, 85, 0xFF404040)}});
        dialog_active = 1;
    }
    // One press and release, a frame each.
    void type(int key) {
        hl::set_key(key, true);
        game_Render();
        hl::set_key(key, false);
        game_Render();
    }
};

TEST_F(DialogTest, TypingBackspaceAndEnterEditTheName) {
    std::strcpy(player_name, "OLD");
    for (int key : {int{DIK_A}, int{DIK_B}, int{DIK_BACK}, int{DIK_TAB}, DIK_C}) type(key);
    EXPECT_STREQ(player_name, "AC"); // a name holds no Tab
    EXPECT_EQ(dialog_active, 1);
    // The box is centred and the text drawn tilted just below its centre.
    ASSERT_EQ(hl::draws().size(), 3u);
    expect_draw(hl::draws()[0], {0, 0, 170, 85}, 171, 213.5f);
    EXPECT_FLOAT_EQ(hl::draws()[1].ty, 266 - 25 * 0.65f / 2);
    EXPECT_FLOAT_EQ(hl::draws()[1].angle, 0.017453292f);
    hl::set_key(DIK_LMENU, true); // Alt+Enter turns full screen on, and confirms nothing
    type(DIK_RETURN);
    hl::set_key(DIK_LMENU, false);
    EXPECT_EQ(dialog_active, 1);
    type(DIK_RETURN);
    EXPECT_STREQ(player_name, "AC");
    EXPECT_EQ(dialog_active, 0);
}

TEST_F(DialogTest, KeepsElevenCharactersAndBackspaceOnEmptyDoesNothing) {
    type(DIK_BACK);
    EXPECT_EQ(name_box_visit().position, -1);
    for (int i = 0; i < 12; ++i) type(i % 2 ? DIK_A : DIK_B);
    EXPECT_STREQ(player_name, "BABABABABAB");
}

TEST_F(DialogTest, EscapeEmptiesAndReopeningStartsEmpty) {
    type(DIK_A);
    type(DIK_ESCAPE);
    EXPECT_STREQ(player_name, "");
    EXPECT_EQ(dialog_active, 0);
    std::strcpy(player_name, "KEPT");
    game_Render(); // a frame without the dialog
    dialog_active = 1;
    game_Render();
    EXPECT_STREQ(player_name, "");
    type(DIK_C);
    EXPECT_STREQ(player_name, "C");
}

// Keyboard press edges and typed characters; mouse motion, button edges and failed reads.
#include <gtest/gtest.h>

#include <utility>

#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/headless/headless.h"
#include "support.h"

namespace hl = platform::headless;

using InputTest = GameTest;

constexpr int DIK_S = 31, DIK_M = 50, DIK_0 = 11, DIK_Y = 21;

TEST_F(InputTest, KeyHeldDownIsPressedOnceAndEachKeyKeepsItsOwnEdge) {
    hl::set_key(DIK_ESCAPE, true);
    EXPECT_TRUE(keyboard.keypressed(DIK_ESCAPE, true));
    EXPECT_FALSE(keyboard.keypressed(DIK_ESCAPE, true)); // still held
    EXPECT_FALSE(keyboard.keypressed(DIK_ESCAPE, false));
    // Another key asked about later still sees its own first press from the same snapshot.
    hl::set_key(DIK_LEFT, true);
    hl::set_key(DIK_RIGHT, true);
    EXPECT_TRUE(keyboard.keypressed(DIK_LEFT, true));
    EXPECT_TRUE(keyboard.keypressed(DIK_RIGHT, false));
    hl::set_key(DIK_ESCAPE, false);
    EXPECT_FALSE(keyboard.keypressed(DIK_ESCAPE, true));
    hl::set_key(DIK_ESCAPE, true);
    EXPECT_TRUE(keyboard.keypressed(DIK_ESCAPE, true));
}

TEST_F(InputTest, KeyPressedAndReleasedWhileNotAskedAboutIsNeverReported) {
    EXPECT_FALSE(keyboard.keypressed(DIK_RETURN, true));
    hl::set_key(DIK_RETURN, true);
    keyboard.readchar(true); // another query takes the snapshot with the key down
    hl::set_key(DIK_RETURN, false);
    EXPECT_FALSE(keyboard.keypressed(DIK_RETURN, true));
}

TEST_F(InputTest, ReadcharGivesTheHighestNewlyPressedKeysCharacter) {
    hl::set_key(DIK_A, true);
    hl::set_key(DIK_S, true);
    EXPECT_EQ(keyboard.readchar(true), 'S');
    EXPECT_EQ(keyboard.readchar(true), 0); // both still held
    hl::set_key(DIK_A, false);
    hl::set_key(DIK_S, false);
    EXPECT_EQ(keyboard.readchar(true), 0);

    hl::set_key(DIK_NUMPAD7, true); // no character: 1
    EXPECT_EQ(keyboard.readchar(true), 1);
    hl::set_key(DIK_NUMPAD7, false);
    keyboard.readchar(true);

    // A key without a character does not hide a lower one that has one.
    hl::set_key(DIK_Q, true);
    hl::set_key(DIK_NUMPAD7, true);
    EXPECT_EQ(keyboard.readchar(true), 'Q');
}

TEST_F(InputTest, ReadcharTable) {
    const struct {
        int key;
        int character;
    } table[] = {{DIK_Q, 'Q'},     {DIK_M, 'M'},     {DIK_A, 'A'},     {DIK_1, '1'},
                 {10, '9'},        {DIK_0, '0'},     {DIK_SPACE, ' '}, {DIK_RETURN, 13},
                 {DIK_BACK, 8},    {DIK_ESCAPE, 27}, {DIK_TAB, 9},     {DIK_SLASH, '/'},
                 {DIK_COLON, ':'}, {DIK_LSHIFT, 1},  {39, 1},          {DIK_LEFT, 1},
                 {26, 1},          {43, 1}};
    for (const auto& row : table) {
        hl::set_key(row.key, true);
        EXPECT_EQ(keyboard.readchar(true), row.character) << "key " << row.key;
        hl::set_key(row.key, false);
        keyboard.readchar(true);
    }
}

TEST_F(InputTest, LettersFollowTheLayoutAndAnEscapeReadAsACharacterIsTaken) {
    // A German layout swaps Y and Z; a key whose character is none of the game's types none.
    hl::set_key_layout_char(DIK_Y, 'z');
    hl::set_key_layout_char(DIK_Z, 'y');
    hl::set_key_layout_char(DIK_SLASH, '-');
    for (const auto& [key, character] :
         {std::pair{int{DIK_Z}, 'Y'}, {DIK_Y, 'Z'}, {int{DIK_SLASH}, 1}}) {
        hl::set_key(key, true);
        EXPECT_EQ(keyboard.readchar(true), character) << "key " << key;
        hl::set_key(key, false);
        keyboard.readchar(true);
    }
    // The box that read Escape as a character has taken the press: held on, it is no new press.
    hl::set_key(DIK_ESCAPE, true);
    EXPECT_EQ(keyboard.readchar(true), 27);
    EXPECT_FALSE(keyboard.keypressed(DIK_ESCAPE, true));
    hl::set_key(DIK_ESCAPE, false);
    EXPECT_FALSE(keyboard.keypressed(DIK_ESCAPE, true));
    hl::set_key(DIK_ESCAPE, true);
    EXPECT_TRUE(keyboard.keypressed(DIK_ESCAPE, true)); // the next press is
}

TEST_F(InputTest, ShiftWithALetterGivesOneAsTheTableSays) {
    hl::set_key(DIK_A, true);
    hl::set_key(DIK_LSHIFT, true);
    EXPECT_EQ(keyboard.readchar(true), 1); // left shift (42) is higher than A (30)
}

TEST_F(InputTest, WithoutAKeyboardEveryQueryAnswersNothing) {
    Keyboard none;
    hl::set_key(DIK_A, true);
    EXPECT_FALSE(none.keypressed(DIK_A, true));
    EXPECT_EQ(none.readchar(true), 0);
}

TEST_F(InputTest, MouseAccumulatesMotionAndReportsEachPressForOneRead) {
    hl::move_mouse(-300, 20, 120);
    mouse.poll();
    EXPECT_EQ(mouse.x, -300); // the cursor routine clamps, not the mouse
    EXPECT_EQ(mouse.y, 20);
    EXPECT_EQ(mouse.wheel, 120);
    EXPECT_EQ(mouse.dx, -300);

    hl::set_button(0, true);
    EXPECT_TRUE(mouse.poll());
    EXPECT_TRUE(mouse.button_pressed[0]);
    EXPECT_TRUE(mouse.button_down[0]);
    EXPECT_EQ(mouse.dx, 0);
    EXPECT_TRUE(mouse.poll());
    EXPECT_FALSE(mouse.button_pressed[0]);
    EXPECT_TRUE(mouse.button_down[0]);

    hl::set_button(1, true);
    hl::set_button(2, true);
    mouse.poll();
    EXPECT_TRUE(mouse.button_pressed[1]);
    EXPECT_TRUE(mouse.button_pressed[2]);
    hl::set_button(0, false);
    EXPECT_FALSE(mouse.poll());
    EXPECT_FALSE(mouse.button_down[0]);
}

TEST_F(InputTest, FailedReadsChangeNothingUntilTheWindowIsBackInFront) {
    hl::set_button(0, true);
    mouse.poll();
    ASSERT_TRUE(mouse.button_pressed[0]);
    hl::set_focus(false);
    hl::move_mouse(50, 50);
    EXPECT_FALSE(mouse.poll());
    EXPECT_TRUE(mouse.button_pressed[0]); // kept from the last successful read
    EXPECT_EQ(mouse.x, 0);
    hl::set_focus(true);
    mouse.poll();
    EXPECT_EQ(mouse.x, 50);
    EXPECT_FALSE(mouse.button_pressed[0]);
}

TEST_F(InputTest, CreateStartsTheMouseAfresh) {
    hl::move_mouse(10, 10);
    hl::set_button(0, true);
    mouse.poll();
    mouse.create();
    EXPECT_EQ(mouse.x, 0);
    EXPECT_EQ(mouse.wheel, 0);
    EXPECT_FALSE(mouse.button_pressed[0]);
    mouse.poll();
    EXPECT_TRUE(mouse.button_pressed[0]); // the memory was cleared too
}

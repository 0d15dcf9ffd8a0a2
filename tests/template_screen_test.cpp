// The template screen of docs/DEVELOPING.md, run on the real program as the dispatcher runs a
// screen: entered once per visit, input to state, a picture that touches no file.
#include "app/frame.h"
#include "docs/template/template_screen.h"
#include "input/keyboard.h"
#include "run/state.h"
#include "screen_support.h"

namespace hl = platform::headless;

namespace {

class TemplateScreenTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        template_screen_reset();
        template_screen_entry = {template_screen_enter, game_TemplateScreen,
                                 template_screen_next_change}; // game_Reset wipes it
        current_screen = Screen::template_screen;
    }
    const TemplateVisit& visit = template_screen_visit();
};

TEST_F(TemplateScreenTest, EnteredOncePerVisitAndLeftByBackEscapeOrTheFocusKeys) {
    for (int i = 0; i < 3; ++i) pass();
    EXPECT_EQ(template_screen_run().visits, 1);
    EXPECT_GT(visit.fade, 0);
    EXPECT_FALSE(hl::draws().empty());

    hl::place_mouse(256, 455);
    pass();
    EXPECT_TRUE(visit.back_hovered);
    hl::set_button(0, true);
    pass();
    EXPECT_EQ(current_screen, Screen::start);
    hl::set_button(0, false);
    pass(); // a frame without the screen breaks the visit

    current_screen = Screen::template_screen;
    pass();
    EXPECT_EQ(template_screen_run().visits, 2);
    EXPECT_TRUE(visit.back_hovered); // the pointer still on Back
    for (int held : {1, 3, 10}) {
        current_screen = Screen::template_screen;
        pass();
        press(DIK_TAB, held); // the first key shows the focus on Back, the next acts
        ASSERT_TRUE(visit.focus.shown);
        press(held == 3 ? DIK_ESCAPE : DIK_RETURN, held);
        EXPECT_EQ(current_screen, Screen::start) << "held " << held;
        pass();
    }
    EXPECT_EQ(template_screen_run().visits, 4);
}

} // namespace

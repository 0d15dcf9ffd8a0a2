// The template screen of docs/DEVELOPING.md, run on the real program as the dispatcher runs a
// screen: entered once per visit, input to state, a picture that touches no file.
#include "docs/template/template_screen.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/renderer.h"
#include "run/state.h"
#include "screen_support.h"

namespace hl = platform::headless;

namespace {

class TemplateScreenTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        template_screen_reset();
        current_screen = SCREEN_TEMPLATE;
    }
    // One frame as game_Dispatch runs a screen it has a case for.
    void frame() {
        platform::render_clear(0xFF000000);
        ++frame_counter;
        mouse.poll();
        if (current_screen == SCREEN_TEMPLATE) {
            if (first_frame(remembered)) template_screen_enter();
            game_TemplateScreen();
        }
        platform::render_present();
    }
    static constexpr int SCREEN_TEMPLATE = 7;
    int remembered = -1;
};

TEST_F(TemplateScreenTest, EnteredOncePerVisitAndLeftByBackOrEscape) {
    for (int i = 0; i < 3; ++i) frame();
    EXPECT_EQ(template_run.visits, 1);
    EXPECT_GT(template_visit.fade, 0);
    EXPECT_FALSE(hl::draws().empty());

    hl::place_mouse(256, 455);
    frame();
    EXPECT_TRUE(template_visit.back_hovered);
    hl::set_button(0, true);
    frame();
    EXPECT_EQ(current_screen, SCREEN_START);
    hl::set_button(0, false);
    frame(); // a frame without the screen breaks the visit

    current_screen = SCREEN_TEMPLATE;
    frame();
    EXPECT_EQ(template_run.visits, 2);
    EXPECT_TRUE(template_visit.back_hovered); // the pointer still on Back
    for (int held : {1, 3, 10}) {
        current_screen = SCREEN_TEMPLATE;
        frame();
        hl::set_key(DIK_ESCAPE, true);
        for (int i = 0; i < held; ++i) frame();
        hl::set_key(DIK_ESCAPE, false);
        EXPECT_EQ(current_screen, SCREEN_START) << "held " << held;
        frame();
    }
    EXPECT_EQ(template_run.visits, 4);
}

} // namespace

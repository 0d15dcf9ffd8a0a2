// Support for the organiser's screen tests: the real art and alarm, a local time that runs with
// the frames, and the per-frame driver that runs the to-do panel as the start screen does.
#pragma once
#include <memory>
#include <string>

#include "platform/headless/headless.h"
#include "platform/renderer.h"
#include "screens/todo_panel.h"
#include "sound/dswav.h"
#include "support.h"

class TodoTest : public GameTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Sets the local time; it then runs on by 1/60 s with every frame.
    void set_now(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    platform::SYSTEMTIME now() const;

    // One frame as the start screen runs the panel: the loop's pass (scripted input), the clock
    // and the local time 1/60 s on, a cleared back buffer, frame_counter + 1, the mouse poll and
    // game_DisplayTodo with the start screen's arguments and its stored values.
    void frame();
    void frames(int n);
    // Scripted input at the next pass: the pointer to (x, y); a left (or right) click there, a
    // frame pressed and a frame released; a key pressed and released the same way.
    void point(int x, int y);
    void click(int x, int y, int button = 0);
    void type(int key);
    // Types capitals, digits and spaces, a key at a time.
    void type_text(const char* text);
    // Presses button k (0 expand, 1 new task or 2, 3 switch list) of the panel's row, first
    // letting the row settle with the pointer near it.
    void press_button(int k);

    // The panel's outputs as the start screen keeps them; its state is todo_panel_run().
    TodoPanelResult panel;
    float panel_x = 0; // the x of the last frame's call
    static constexpr float PANEL_Y = 170, ROW_HEIGHT = 16;
    // The y of the middle of the k-th row shown (from 0), below the heading and the clock.
    static int row_y(int k) { return 210 + 16 * k; }

    std::unique_ptr<SoundBank> bank;

  private:
    uint64_t now_ticks = 0;
    int pointer_x = 0, pointer_y = 0;
};

// Writes a task file.
void put_file(const char* name, const std::string& text);
std::string file_text(const char* name);
// A task line as the append writes it, due at its date and time.
std::string task_line(const char* description, int year, int month, int day, int hour, int minute,
                      int repeat = 0, bool alarm = false, int warn = 0);
// Whether the glyphs of text were drawn one after the other in the frame (spaces are not drawn).
bool text_drawn(const std::string& text);
// Draws of a source rectangle of the sheet.
int draws_of(int left, int top, int right, int bottom);

// The page's entry into the program: the entry hands it the loaded form, and
// the page's script reaches it through the C functions below (exported from
// the WebAssembly module; strings are UTF-8, owned by the module and valid
// until the next call of the same function).
//
//   const char* shoutotsu_controls(void)   every control, as JSON
//   const char* shoutotsu_changes(void)    the changes since the last call
//   int shoutotsu_click(int id, double nowMs)
//        a command button pressed at nowMs of the page's clock; a second
//        press within the double-click time of a taken one is not passed on
//   int shoutotsu_scroll(int id, int action, int thumb)
//        action: 0 arrow to minimum, 1 arrow to maximum, 2 track towards the
//        minimum, 3 track towards the maximum, 4 to minimum, 5 to maximum,
//        6 thumb released at `thumb`
//   int shoutotsu_select(int id)           an option button chosen
//   int shoutotsu_option_after(int id, int step)
//        the option an arrow key moves to, round the group; -1 if none
//   int shoutotsu_tick(int id)             one tick of an enabled timer
//   int shoutotsu_status(void)             1 loaded | 2 ended | 4 halted
//   const char* shoutotsu_finished_run(void)
//        the run that ended in the last event, as JSON, or "" (given once)
//   const char* shoutotsu_error(void)      {"title":…,"text":…} or "" if none
//   const char* shoutotsu_platform(void)   twips per CSS pixel, the window's
//        frame, the scroll actions by name and the button face colour
//   int shoutotsu_set_parameter(int parameter, int value)
//        a lesson's condition: the parameter (its place in the settings
//        below) moved to the value its label then shows, as a learner's
//        drag would; 0 for a value off its bar, or a bar that takes no input
//   int shoutotsu_lock_parameter(int parameter)
//        that parameter's scroll bar disabled for good (クリア leaves it)
//   int shoutotsu_select_speed(int speed)
//        a lesson's speed, by its place in the form's speeds (fast, medium,
//        slow), chosen as a click on its option would
//   const char* shoutotsu_settings(void)
//        the conditions now, as the labels show them, and the speed chosen:
//        {"height":20,"length":60,...,"speed":"medium"}
#pragma once

#include "platform/form.h"
#include "platform/web/web_platform.h"

#include <string>

namespace shoutotsu {

// The viewport of the page as the screen the form is fitted to.
ScreenSize pageViewport();

// Makes the form and its platform the ones the page's script drives. Both
// must live as long as the page.
void attachPage(Form& form, WebPlatform& platform);

// Called after every tick the form took, once the tick's changes are made.
void onTickTaken(void (*listener)());

} // namespace shoutotsu

// The page's entry into the program: the entry hands it the loaded form, and
// the page's script reaches it through the C functions below (exported from
// the WebAssembly module; strings are UTF-8, owned by the module and valid
// until the next call of the same function).
//
//   const char* shoutotsu_controls(void)   every control, as JSON
//   int shoutotsu_take_changes(void)       the changes since the last call:
//        how many controls changed; shoutotsu_change_numbers() then points to six
//        doubles for each and shoutotsu_change_rest() is the JSON of those
//        that changed more than their geometry (PageBinding::takeChangeNumbers)
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
//   const char* shoutotsu_error(void)      {"title":…,"text":…} or "" if none
//   const char* shoutotsu_platform(void)   twips per CSS pixel, the window's
//        frame, the scroll actions by name and the button face colour
//
// The experiment's own calls are in experiment_api.h.
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

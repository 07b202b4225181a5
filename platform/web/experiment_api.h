// The page's entry into the experiment, beside the window's (page_api.h):
// the lesson's conditions, the runs that end, and the check of a class's
// recorded runs. The script names a parameter by its place in the core's
// table (app/parameters.h: height, length, m1, m2, r1, r2) and a speed by
// its place (fast, medium, slow); a place there is not is refused here, so
// nothing past this point sees one. Strings are UTF-8, owned by the module
// and valid until the next call of the same function.
//
//   int shoutotsu_set_parameter(int parameter, int value)
//        the parameter moved to the value its label then shows, as a
//        learner's drag would; 0 for a value off its bar, or a bar that takes
//        no input
//   int shoutotsu_lock_parameter(int parameter)
//        that parameter's scroll bar disabled for good (クリア leaves it)
//   int shoutotsu_select_speed(int speed)
//        the speed of the next run, chosen as a click on its option would
//   const char* shoutotsu_settings(void)
//        the conditions now, as the labels show them, and the speed chosen:
//        {"m1":20,...,"length":60,"speed":"medium"}
//   const char* shoutotsu_finished_run(void)
//        the run that ended in the last event, or "" (each run given once):
//        {"m1":20,...,"length":60,"speed":"medium","resultMm":379,
//         "spoken":"結果：…"}
//   int shoutotsu_result_mm_for(int height, int length, int m1, int m2,
//                               int r1, int r2)
//        the result a run with these settings ends with, in whole
//        millimetres; -1 for a setting outside its scroll bar's range
//   const char* shoutotsu_result_for(int height, int length, int m1, int m2,
//                                    int r1, int r2)
//        the same as the result label writes it ("37.9cm"), or ""
#pragma once

#include "app/lesson_api.h"

namespace shoutotsu {

// Makes the experiment the one the page's script drives, and starts
// listening for its runs. It must live as long as the page (or until
// detached with nullptr).
void attachExperiment(Experiment* experiment);

} // namespace shoutotsu

extern "C" {
int shoutotsu_set_parameter(int parameter, int value);
int shoutotsu_lock_parameter(int parameter);
int shoutotsu_select_speed(int speed);
const char* shoutotsu_settings();
const char* shoutotsu_finished_run();
int shoutotsu_result_mm_for(int height, int length, int m1, int m2, int r1, int r2);
const char* shoutotsu_result_for(int height, int length, int m1, int m2, int r1, int r2);
}

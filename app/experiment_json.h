// The experiment's data as JSON, for the page: the parameter and speed table
// (the page's script carries it as web/src/runs/parameter_table.js, which a
// core test holds to this), the conditions now, and each finished run.
#pragma once

#include "app/lesson_api.h"

#include <string>

namespace shoutotsu {

// {"parameters":[{"key":"height","name":"レールの高さ","unit":"cm",
//  "minimum":10,"maximum":40,"step":10,"default":20},...],
//  "speeds":[{"key":"fast","name":"速"},...],
//  "columns":["m1","m2","r1","r2","height","length"]}
std::string parameterTableJson();

// {"m1":20,"m2":20,"r1":10,"r2":10,"height":20,"length":60,"speed":"medium"}
std::string settingsJson(const Parameters& settings);

// The settings as above with the speed the run started with, then
// "resultMm":379,"spoken":"結果：…".
std::string finishedRunJson(const FinishedRun& run);

} // namespace shoutotsu

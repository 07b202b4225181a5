// The parameter and speed table as JSON, for the page: the page's script
// carries it as web/src/parameter_table.js, which a core test holds to this.
#pragma once

#include <string>

namespace shoutotsu {

// {"parameters":[{"key":"height","name":"レールの高さ","unit":"cm",
//  "minimum":10,"maximum":40,"step":10,"default":20},...],
//  "speeds":[{"key":"fast","name":"速"},...]}
std::string parameterTableJson();

} // namespace shoutotsu

#include "app/parameter_table_json.h"

#include "app/parameters.h"
#include "platform/web/json_writer.h"

namespace shoutotsu {

std::string parameterTableJson() {
    std::string out = "{\"parameters\":[";
    for (const ParameterInfo& p : kParameters) {
        if (out.back() != '[') {
            out += ',';
        }
        JsonWriter json(out);
        json.open();
        json.member("key", p.key);
        json.member("name", p.spokenName);
        json.member("unit", p.unit);
        json.member("minimum", p.minimum);
        json.member("maximum", p.maximum);
        json.member("step", p.step);
        json.member("default", p.defaultValue);
        json.close();
    }
    out += "],\"speeds\":[";
    for (const SpeedInfo& speed : kSpeeds) {
        if (out.back() != '[') {
            out += ',';
        }
        JsonWriter json(out);
        json.open();
        json.member("key", speed.key);
        json.member("name", speed.spokenName);
        json.close();
    }
    return out + "]}";
}

} // namespace shoutotsu

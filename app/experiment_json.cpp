#include "app/experiment_json.h"

#include "app/parameters.h"
#include "platform/json_writer.h"

#include <vector>

namespace shoutotsu {
namespace {

// Each parameter by its key, in the record's order of columns, then the
// speed by its key.
void writeSettings(JsonWriter& json, const Parameters& settings) {
    for (const ParameterId id : kRecordColumns) {
        json.member(parameterInfo(id).key, settings.value(id));
    }
    json.member("speed", speedInfo(settings.speed).key);
}

} // namespace

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
    out += "],";
    std::vector<std::string> columns;
    columns.reserve(kRecordColumns.size());
    for (const ParameterId id : kRecordColumns) {
        columns.emplace_back(parameterInfo(id).key);
    }
    JsonWriter json(out);
    json.members("columns", columns);
    return out + "}";
}

std::string settingsJson(const Parameters& settings) {
    std::string out;
    JsonWriter json(out);
    json.open();
    writeSettings(json, settings);
    json.close();
    return out;
}

std::string finishedRunJson(const FinishedRun& run) {
    std::string out;
    JsonWriter json(out);
    json.open();
    writeSettings(json, run.settings);
    json.member("resultMm", run.resultMm);
    json.member("spoken", run.spoken);
    json.close();
    return out;
}

} // namespace shoutotsu

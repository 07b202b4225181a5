#include "tools/trace_output.h"

#include "platform/number_text.h"
#include "run/experiment.h"

#include <string>

namespace shoutotsu::trace {
namespace {

Parameters firstParameters(const Options& o) {
    Parameters p;
    p.heightCm = o.heights.front();
    p.lengthCm = o.lengths.front();
    p.m1Grams = o.m1s.front();
    p.m2Grams = o.m2s.front();
    p.r1Mm = o.r1s.front();
    p.r2Mm = o.r2s.front();
    p.speed = o.speeds.front();
    return p;
}

// Captions never hold commas or quotes here, but a CSV field must stay one field.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string num(float value) { return shortestText(value); }
const char* flag(bool value) { return value ? "1" : "0"; }

// The run-time error as the window reports it, named as this tool's.
int reportError(const HeadlessPlatform& platform, std::ostream& err) {
    std::string line = platform.lastErrorLine;
    const std::string windowName = "shoutotsu: ";
    if (line.rfind(windowName, 0) == 0) {
        line.erase(0, windowName.size());
    }
    err << "shoutotsu-trace: " << line << "\n";
    return kExitRunTimeError;
}

// The status of a report that has written everything: done once it is all
// out of the buffer.
int finish(std::ostream& out) {
    out.flush();
    return out ? kExitDone : kExitCannotWrite;
}

// Thrown from inside a run when `out` has failed, to stop the run there.
struct OutputFailed {};

// Start-up, then the first value of each option set through the scroll bars.
// False after a run-time error.
bool loadWithParameters(MainForm& form, const Options& options) {
    form.load();
    if (!form.halted()) {
        applyParameters(form, firstParameters(options));
    }
    return !form.halted();
}

} // namespace

int writeLayout(const Options& options, std::ostream& out, std::ostream& err) {
    HeadlessPlatform platform(options.screen);
    MainForm form(platform);
    if (!loadWithParameters(form, options)) {
        return reportError(platform, err);
    }

    out << "name,property,value\n";
    for (Control* c : form.allControls()) {
        if (c->kind() == ControlKind::Timer || c->kind() == ControlKind::Line) {
            continue;
        }
        const std::string name = c->displayName();
        out << name << ",Left," << num(c->left()) << "\n";
        out << name << ",Top," << num(c->top()) << "\n";
        out << name << ",Width," << num(c->width()) << "\n";
        out << name << ",Height," << num(c->height()) << "\n";
        if (!out) {
            return kExitCannotWrite;
        }
    }
    for (Line* line : {&form.rail, &form.rail2, &form.yukaA}) {
        out << line->name() << ",X1," << num(line->x1()) << "\n";
        out << line->name() << ",Y1," << num(line->y1()) << "\n";
        out << line->name() << ",X2," << num(line->x2()) << "\n";
        out << line->name() << ",Y2," << num(line->y2()) << "\n";
    }
    for (Control* label :
         {&form.T1m, &form.T2m, &form.T1r, &form.T2r, &form.htext, &form.ltext, &form.varcopy}) {
        out << label->name() << ",Caption," << csvField(label->caption()) << "\n";
    }
    const SimState& s = form.state;
    out << "SimState,scale," << num(s.scale.v) << "\n";
    out << "SimState,baseX," << num(s.baseX.v) << "\n";
    out << "SimState,baseY," << num(s.baseY.v) << "\n";
    out << "SimState,slopeLen," << s.slopeLen.v << "\n";
    out << "SimState,height," << s.height.v << "\n";
    out << "SimState,run," << num(s.run.v) << "\n";
    return finish(out);
}

int writeTrace(const Options& options, std::ostream& out, std::ostream& err) {
    HeadlessPlatform platform(options.screen);
    MainForm form(platform);
    if (!loadWithParameters(form, options)) {
        return reportError(platform, err);
    }

    out << "phase,tick,t,tamaA.Left,tamaA.Top,tamaB.Left,tamaB.Top,en.Left,en.Top,en.Visible,"
           "kekka.Left,kekka.Top,kekka.Visible,kekka.Caption,start.Caption,start.Visible\n";
    bool finished = false;
    try {
        finished = runExperiment(form, [&](const TickInfo& tick) {
            out << phaseName(tick.phase) << ',' << tick.tickInPhase << ',' << num(tick.clock) << ','
                << num(form.tamaA.left()) << ',' << num(form.tamaA.top()) << ','
                << num(form.tamaB.left()) << ',' << num(form.tamaB.top()) << ','
                << num(form.en.left()) << ',' << num(form.en.top()) << ','
                << flag(form.en.visible()) << ',' << num(form.kekka.left()) << ','
                << num(form.kekka.top()) << ',' << flag(form.kekka.visible()) << ','
                << csvField(form.kekka.caption()) << ',' << csvField(form.start.caption()) << ','
                << flag(form.start.visible()) << '\n';
            if (!out) {
                throw OutputFailed{};
            }
        });
    } catch (const OutputFailed&) {
        return kExitCannotWrite;
    }
    if (form.halted()) {
        return reportError(platform, err);
    }
    if (!finished) {
        err << "shoutotsu-trace: the run did not finish\n";
        return kExitRunTimeError;
    }
    return finish(out);
}

int writeResults(const Options& options, std::ostream& out, std::ostream& err, bool progress) {
    const long total = static_cast<long>(
        options.lengths.size() * options.heights.size() * options.m1s.size() * options.m2s.size() *
        options.r1s.size() * options.r2s.size() * options.speeds.size());
    progress = progress && total > 100000;
    long done = 0;
    const auto showProgress = [&] {
        err << "\rshoutotsu-trace: " << done << " of " << total << " rows" << std::flush;
    };
    HeadlessPlatform platform(options.screen);
    MainForm form(platform);
    form.load();
    if (form.halted()) {
        return reportError(platform, err);
    }
    out << "length,height,m1,m2,r1,r2,speed,result\n";
    std::string line;
    for (int length : options.lengths) {
        for (int height : options.heights) {
            for (int m1 : options.m1s) {
                for (int m2 : options.m2s) {
                    for (int r1 : options.r1s) {
                        for (int r2 : options.r2s) {
                            for (Speed speed : options.speeds) {
                                applyParameters(form,
                                                Parameters{height, length, m1, m2, r1, r2, speed});
                                const bool finished = runExperiment(form);
                                if (form.halted()) {
                                    return reportError(platform, err);
                                }
                                if (!finished) {
                                    err << "shoutotsu-trace: a run did not finish\n";
                                    return kExitRunTimeError;
                                }
                                line.clear();
                                line += std::to_string(length) + ',' + std::to_string(height) +
                                        ',' + std::to_string(m1) + ',' + std::to_string(m2) + ',' +
                                        std::to_string(r1) + ',' + std::to_string(r2) + ',' +
                                        speedInfo(speed).key + ',' +
                                        csvField(form.kekka.caption()) + '\n';
                                out << line;
                                if (!out) {
                                    return kExitCannotWrite;
                                }
                                if (progress && (++done % 1000 == 0 || done == total)) {
                                    showProgress();
                                }
                                form.click(form.start); // "クリア": back to the ready state
                            }
                        }
                    }
                }
            }
        }
    }
    if (progress) {
        err << "\n";
    }
    return finish(out);
}

} // namespace shoutotsu::trace

// What the measuring aids beside the drawing take from the form: the floor's
// own scale, for a ruler laid from the table's edge, and both bobs at equal
// steps of model time, for a strobe of the run. Both are read off the form
// as it stands, so the page shows exactly the model's numbers.
#pragma once

#include "app/main_form.h"

#include <string>
#include <vector>

namespace shoutotsu {

// Model time between two images of the strobe, seconds of the phase clock.
constexpr double kStrobeSeconds = 0.02;

// The ruler's frame, twips in `work`: 0 cm lies on the table's right edge,
// and d cm of the model lie d × scale ÷ 10 twips to the right of it.
struct FloorScale {
    float scale;      // twips per 10 cm
    float edgeX;      // the table's right edge
    float floorY;     // the floor line
    float floorEnd;   // the floor line's right end, where the ruler ends
    float workWidth;  // the drawing's right end
    float workHeight; // the drawing's lower end
};
FloorScale floorScale(const MainForm& form);
// {"scale":…,"edgeX":…,"floorY":…,"floorEnd":…,"workWidth":…,"workHeight":…}
std::string floorScaleJson(const FloorScale& floor);

// Ticks between two images at the speed chosen for the run: the whole
// number nearest kStrobeSeconds, which is exact at every speed the form has.
int strobeTicks(const SimState& state, int intervalMs);

// Both bobs as a tick left them (Left, Top, Width, Height in twips).
struct StrobeImage {
    const char* phase; // "descent", "floor" or "after"
    int tick;          // the tick's number within its phase, from 1
    float a[4];        // tamaA, the striking bob
    float b[4];        // tamaB, the struck bob
};

// The images of the run on the window, one every strobeTicks() ticks of
// each phase's clock, as the ticks drew them. A tick that ends its phase
// draws nothing and leaves no image.
class Strobe {
  public:
    // After each tick the form took.
    void afterTick(const MainForm& form);
    // The run's images; none once the window is back in its ready state.
    const std::vector<StrobeImage>& images(const MainForm& form);
    // [{"phase":"descent","tick":4,"a":[l,t,w,h],"b":[l,t,w,h]},…]
    std::string json(const MainForm& form);

  private:
    std::vector<StrobeImage> images_;
};

} // namespace shoutotsu

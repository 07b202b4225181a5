// Shared helpers for the core tests: a loaded form on a headless screen.
#pragma once

#include "app/main_form.h"
#include "run/experiment.h"

#include <memory>

namespace shoutotsu::testing {

// A screen 9852.631836 twips wide gives a drawing area 9000 twips wide, so
// scale = 450, baseX = 4050, baseY = 2250: the figures worked out by hand.
constexpr float kScale450ScreenWidth = 9852.631836f;

struct LoadedForm {
    explicit LoadedForm(ScreenSize screen = {kScale450ScreenWidth, 11520.0f})
        : platform(screen), form(platform) {
        form.load();
    }
    HeadlessPlatform platform;
    MainForm form;
};

} // namespace shoutotsu::testing

// Start-up: fit the window to the screen, lay out the controls around the
// drawing area, set the constants and defaults, and build the scene.
#include "app/main_form.h"

#include "platform/numeric.h"

#include <string>

namespace shoutotsu {

void MainForm::Form_Load() {
    const ScreenSize screen = platform_.screenSize();
    const F32 screenHeight(screen.heightTwips);

    // The working width starts as the screen width (a float) and becomes a
    // 64-bit float after the first shrink.
    double w = screen.widthTwips;
    bool wIsFloat = true;
    auto windowWidthFor = [](double width, bool isFloat) {
        if (isFloat) {
            return ((F32(static_cast<float>(width)) * i16(19)) / i16(20)).v;
        }
        return toF32((F64(width) * I16(19)) / I16(20)).v;
    };
    // Tiny screens: never narrower than the bottom row of controls needs, so
    // the loop ends with a drawing area wider than zero.
    if (windowWidthFor(w, true) < kMinWindowWidthTwips) {
        w = static_cast<float>(kMinWindowWidthTwips * 20.0f / 19.0f);
    }

    for (;;) {
        if (wIsFloat) {
            main.setLeft((F32(static_cast<float>(w)) / i16(40)).v);
        } else {
            main.setLeft(toF32(F64(w) / I16(40)).v);
        }
        main.setWidth(windowWidthFor(w, wIsFloat));
        work.setLeft(120);
        work.setWidth((F32(main.width()) - i16(360)).v);
        work.setHeight((((F32(work.width()) / i16(2)) * i16(8)) / i16(10)).v);
        work.setTop(720);
        main.setHeight(
            (((F32(work.height()) + F32(work.top())) + F32(T1Frame.height())) + i16(600)).v);
        const F32 limit = toF32(F64(screenHeight) * F64(0.925));
        if (limit.v >= main.height()) {
            break;
        }
        const double shrunk = (F64(w) * F64(0.9)).v;
        if (windowWidthFor(shrunk, false) < kMinWindowWidthTwips) {
            break; // the window cannot get narrower: keep this layout
        }
        w = shrunk;
        wIsFloat = false;
    }

    // Centred a little above the middle; a window taller than the screen
    // keeps its caption bar on it, to be moved and closed.
    const F32 top = (screenHeight / i16(2)) - (F32(main.height()) / i16(2)) - i16(120);
    main.setTop(top.v < 0.0f ? 0.0f : top.v);
    state.scale = F32(work.width()) / i16(20);
    state.baseX = state.scale * i16(9);
    state.baseY = state.scale * i16(5);

    // Defaults; each assignment that changes a value raises Change at once.
    const auto setDefault = [this](ParameterId id) {
        const ParameterInfo& p = parameterInfo(id);
        parameterBar(id).setValue(barValueFor(p, p.defaultValue));
    };
    setDefault(ParameterId::R1);
    setDefault(ParameterId::R2);
    setDefault(ParameterId::M1);
    setDefault(ParameterId::M2);
    state.gravity = F32(980.0f);
    state.coefA = F32(0.8f);
    state.coefB = F32(0.9f);
    setDefault(ParameterId::Length);
    setDefault(ParameterId::Height);
    sp[static_cast<size_t>(kDefaultSpeed)].select();

    const F32 scale = state.scale;
    hako.setWidth((scale * i16(8)).v);
    hako.setLeft((state.baseX - scale * i16(8)).v);
    hako.setTop(state.baseY.v);
    hako.setHeight((scale * i16(2)).v);

    yukaA.setX1((scale / i16(2)).v);
    yukaA.setX2((F32(work.width()) - scale / i16(2)).v);
    yukaA.setY1((scale * i16(7)).v);
    yukaA.setY2((scale * i16(7)).v);

    yukaB.setLeft((scale / i16(2)).v);
    yukaB.setWidth((F32(work.width()) - scale).v);
    yukaB.setTop((scale * i16(7)).v);
    yukaB.setHeight((scale / i16(4)).v);

    rail.setX1((state.baseX - scale).v);
    rail.setY1(state.baseY.v);

    rail2.setX1(state.baseX.v);
    rail2.setX2((state.baseX - scale).v);
    rail2.setY1((state.baseY - i16(2)).v);
    rail2.setY2((state.baseY - i16(2)).v);

    Command1.setLeft(((F32(main.width()) - F32(Command1.width())) - i16(240)).v);

    T1Frame.setTop(((F32(work.top()) + F32(work.height())) + i16(120)).v);
    T1Frame.setLeft(120);
    T2Frame.setTop(T1Frame.top());
    T2Frame.setLeft(((F32(T1Frame.left()) + F32(T1Frame.width())) + i16(120)).v);
    RFrame.setTop(T1Frame.top());
    RFrame.setLeft(((F32(T2Frame.left()) + F32(T2Frame.width())) + i16(120)).v);
    start.setTop((F32(T1Frame.top()) + i16(120)).v);
    start.setLeft(((F32(RFrame.left()) + F32(RFrame.width())) + i16(120)).v);
    SPFrame.setLeft(start.left());
    SPFrame.setTop((F32(start.top()) + i16(480)).v);

    subtitle2.setLeft(((F32(work.width()) - F32(subtitle2.width())) - i16(360)).v);
    subtitle1.setLeft((F32(subtitle2.left()) - i16(240)).v);

    const VersionInfo version = platform_.version();
    varcopy.setCaption("var." + std::to_string(version.major) + "." +
                       std::to_string(version.minor) + "." + std::to_string(version.revision) +
                       "   " + version.legalNotice);

    UpdateScene();
}

} // namespace shoutotsu

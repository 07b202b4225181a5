// The window as designed, before any handler runs: every control's kind,
// container, stacking order, caption, colours, font, geometry and tab index.
#include "app/main_form.h"

namespace shoutotsu {
namespace {

const char* const kGothicFace = "ＭＳ Ｐゴシック";

FontSpec statedFont(float points) { return FontSpec{kGothicFace, points, true, 400, 128}; }

const Color kBlack = Color::rgb(0, 0, 0);
const Color kBlue = Color::rgb(0, 0, 255);
const Color kRed = Color::rgb(255, 0, 0);
const Color kDarkRed = Color::rgb(192, 0, 0);
const Color kDarkGrey = Color::rgb(64, 64, 64);
const Color kGrey = Color::rgb(128, 128, 128);
const Color kYellow = Color::rgb(255, 255, 0);
const Color kGreen = Color::rgb(0, 128, 0);

void place(Control& c, float left, float top, float width, float height, int tab) {
    c.setGeometry(left, top, width, height);
    c.tabIndex = tab;
}

void label(Control& c, float left, float top, float width, float height, const char* caption,
           Color text, Alignment alignment, int tab) {
    place(c, left, top, width, height, tab);
    c.setCaption(caption, c.displayName());
    c.foreColor = text;
    c.alignment = alignment;
    c.transparentBackground = true;
}

void solidShape(Shape& s, float left, float top, float width, float height, Color fill) {
    s.setGeometry(left, top, width, height);
    s.fillStyle = FillStyle::Solid;
    s.fillColor = fill;
    s.borderColor = kBlack;
}

void line(Line& l, float x1, float y1, float x2, float y2, Color color, int widthPixels) {
    l.setX1(x1);
    l.setY1(y1);
    l.setX2(x2);
    l.setY2(y2);
    l.color = color;
    l.widthPixels = widthPixels;
}

} // namespace

void MainForm::buildControlSet() {
    // The window: 9900 x 7860 client area at design, no maximise or minimise box.
    main.setCaption("ぴるての衝突", main.displayName());
    main.setGeometry(0, 0, 9900 + 2 * kWindowBorderTwips,
                     7860 + kWindowCaptionTwips + kWindowBorderTwips);
    main.font = FontSpec{kGothicFace, 9.0f, false, 400, 128};

    // Directly on main, rearmost first.
    for (Control* c : std::initializer_list<Control*>{
             &SPFrame, &RFrame, &NAKAtimer, &ATOtimer, &MAEtimer, &start, &T2Frame, &T1Frame,
             &Command1, &work, &varcopy, &title_s, &title}) {
        main.addChild(*c);
    }
    place(SPFrame, 7200, 6840, 1335, 855, 36);
    SPFrame.setCaption("ｼﾐｭﾚｰｼｮﾝ速度", SPFrame.displayName());
    SPFrame.font = statedFont(8.25f);
    place(RFrame, 4800, 6240, 2295, 1455, 26);
    RFrame.setCaption("レール", RFrame.displayName());
    RFrame.foreColor = kBlack;
    place(start, 7200, 6360, 855, 375, 25);
    start.setCaption("スタート", start.displayName());
    place(T2Frame, 2520, 6240, 2175, 1455, 11);
    T2Frame.setCaption("ぴるての半径", T2Frame.displayName());
    T2Frame.foreColor = kBlack;
    place(T1Frame, 240, 6240, 2175, 1455, 6);
    T1Frame.setCaption("ぴるての重さ", T1Frame.displayName());
    T1Frame.foreColor = kBlack;
    place(Command1, 5520, 240, 1095, 375, 5);
    Command1.setCaption("おわる", Command1.displayName());
    place(work, 240, 720, 9135, 5415, 0);
    work.backColor = Color::systemColor(kSystemColorActiveTitleText);
    label(varcopy, 3360, 360, 4335, 255, "Label3", kGrey, Alignment::Left, 16);
    label(title_s, 2160, 0, 1095, 255, "し ょ う と つ", kBlue, Alignment::Left, 2);
    label(title, 240, 120, 3015, 495, "ぴるての衝突", kBlue, Alignment::Left, 1);
    title.font = statedFont(26.25f);

    // Inside work, rearmost first.
    for (Control* c :
         std::initializer_list<Control*>{&en, &kekka, &yukaB, &yukaA, &tamaA, &tamaB, &hako, &rail2,
                                         &subtitle2, &subtitle1, &rail}) {
        work.addChild(*c);
    }
    en.setGeometry(7800, 4440, 255, 255);
    en.borderColor = kRed; // the marker's one colour, read as its outline
    en.fillColor = Color::rgb(255, 192, 192);
    en.fillStyle = FillStyle::Transparent;
    en.setVisible(false);
    label(kekka, 7680, 3720, 855, 180, "↑結果", kRed, Alignment::Left, 35);
    kekka.setVisible(false);
    // The struck bob springs up from the floor across the result on small
    // drawing areas; the learner must still read every digit.
    kekka.aboveFigures = true;
    yukaB.setGeometry(120, 4920, 8895, 255);
    yukaB.fillStyle = FillStyle::DownwardDiagonal;
    yukaB.fillColor = kBlack;
    yukaB.borderVisible = false;
    line(yukaA, 120, 4920, 9000, 4920, kBlack, 1);
    solidShape(tamaA, 960, 600, 375, 375, kBlue);
    solidShape(tamaB, 5400, 2400, 375, 375, kRed);
    solidShape(hako, 360, 2760, 5535, 2175, kGreen);
    line(rail2, 4080, 2640, 5160, 2640, kYellow, 5);
    label(subtitle2, 3240, 360, 5655, 255, "当てられるものの動く距離は、どのように変わるだろう。",
          kDarkGrey, Alignment::Left, 4);
    subtitle2.font = statedFont(12.0f);
    label(subtitle1, 3000, 120, 3855, 255, "当てるぴるての重さや速さによって、", kDarkGrey,
          Alignment::Left, 3);
    subtitle1.font = statedFont(12.0f);
    line(rail, 4080, 2760, 720, 720, kYellow, 5);

    // Inside T1Frame (masses).
    for (Control* c : std::initializer_list<Control*>{&T2mScroll, &T1mScroll, &Label14, &T2m,
                                                      &Label18, &Label7, &T1m, &Label11}) {
        T1Frame.addChild(*c);
    }
    place(T2mScroll, 1080, 1080, 975, 255, 24);
    place(T1mScroll, 1080, 480, 975, 255, 7);
    label(Label14, 720, 1080, 255, 255, "g", kBlack, Alignment::Center, 23);
    label(T2m, 360, 1080, 375, 255, "Label9", kDarkRed, Alignment::Right, 22);
    label(Label18, 120, 840, 1335, 255, "当てられるぴるて", kRed, Alignment::Left, 21);
    label(Label7, 120, 240, 975, 255, "当てるぴるて", kBlue, Alignment::Left, 10);
    label(T1m, 360, 480, 375, 255, "Label9", kDarkRed, Alignment::Right, 9);
    label(Label11, 720, 480, 255, 255, "g", kBlack, Alignment::Center, 8);

    // Inside T2Frame (radii).
    for (Control* c :
         std::initializer_list<Control*>{&T1rScroll, &T2rScroll, &Shape2, &Shape1, &Label12, &T1r,
                                         &Label8, &Label13, &T2r, &Label17}) {
        T2Frame.addChild(*c);
    }
    place(T1rScroll, 1080, 480, 975, 255, 20);
    place(T2rScroll, 1080, 1080, 975, 255, 12);
    solidShape(Shape2, 120, 1080, 255, 255, kRed);
    solidShape(Shape1, 120, 480, 255, 255, kBlue);
    label(Label12, 720, 480, 375, 255, "mm", kBlack, Alignment::Center, 19);
    label(T1r, 360, 480, 375, 255, "Label10", kDarkRed, Alignment::Right, 18);
    label(Label8, 120, 240, 975, 255, "当てるぴるて", kBlue, Alignment::Left, 17);
    label(Label13, 720, 1080, 375, 255, "mm", kBlack, Alignment::Center, 15);
    label(T2r, 360, 1080, 375, 255, "Label10", kDarkRed, Alignment::Right, 14);
    label(Label17, 120, 840, 1335, 255, "当てられるぴるて", kRed, Alignment::Left, 13);

    // Inside RFrame (rail).
    for (Control* c : std::initializer_list<Control*>{&Lscroll, &Hscroll, &Label1, &Label2, &htext,
                                                      &ltext, &Label5, &Label6}) {
        RFrame.addChild(*c);
    }
    place(Lscroll, 480, 1080, 1695, 255, 28);
    place(Hscroll, 120, 240, 255, 1095, 27);
    label(Label1, 360, 480, 495, 255, "高さ：", kBlack, Alignment::Right, 34);
    label(Label2, 480, 840, 1095, 255, "ななめの長さ：", kBlack, Alignment::Right, 33);
    label(htext, 840, 480, 375, 255, "Label3", kDarkRed, Alignment::Right, 32);
    label(ltext, 1560, 840, 375, 255, "Label4", kDarkRed, Alignment::Right, 31);
    label(Label5, 1200, 480, 255, 255, "cm", kBlack, Alignment::Right, 30);
    label(Label6, 1920, 840, 375, 255, "cm", kBlack, Alignment::Center, 29);

    // Inside SPFrame (speed): slow, medium, fast under the legend "速　 中 　遅".
    for (Control* c : std::initializer_list<Control*>{&sp[2], &sp[1], &sp[0], &Label3}) {
        SPFrame.addChild(*c);
    }
    place(sp[2], 840, 480, 255, 180, 40);
    place(sp[1], 480, 480, 255, 180, 39);
    place(sp[0], 120, 480, 255, 180, 37);
    for (OptionButton& option : sp) {
        option.setCaption("Option1");
    }
    label(Label3, 120, 240, 1095, 255, "速　 中 　遅", Color::systemColor(kSystemColorButtonText),
          Alignment::Left, 38);

    // Every control, containers before their contents.
    std::vector<Control*> pending{&main};
    while (!pending.empty()) {
        Control* c = pending.front();
        pending.erase(pending.begin());
        all_.push_back(c);
        for (Control* child : c->children()) {
            pending.push_back(child);
        }
    }
}

} // namespace shoutotsu

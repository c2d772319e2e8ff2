// The panel as it stands right after creation, and the wiring of its events.
#include "panel/ranch.h"
#include "settings/spm.h"
#include "settings/texts.h"
#include "shell/app.h"

namespace panel {

using forms::Font;
using forms::rgb;

namespace {
const Font kPMincho9Bold{"ＭＳ Ｐ明朝", 9, true, false};
const Font kPMincho825Bold{"ＭＳ Ｐ明朝", 8.25, true, false};
const Font kPMincho975Bold{"ＭＳ Ｐ明朝", 9.75, true, false};
const Font kPGothic825{"ＭＳ Ｐゴシック", 8.25, false, false};
const Font kPMincho12{"ＭＳ Ｐ明朝", 12, false, false};
}  // namespace

Ranch::Ranch(shell::App& app)
    : forms::Form(app.runtime(), "ranch", {forms::FrameStyle::ToolWindow, false, 2, true}, 4905,
                  5580),
      app_(app) {
    setForeColor(rgb(255, 255, 255));
    setFont({"ＭＳ 明朝", 2.25, true, true});
    LayOut();
    WireEvents();
    WireDropEvents();
}

void Ranch::LayOut() {
    YobiWak.setCaption("呼び出し点の位置");
    YobiWak.place(60, 60, 1995, 1035, 22);
    YobiWak.setFont(kPMincho9Bold);
    YobiWak.setVisible(false);
    const double cornerLeft[] = {60, 1200, 60, 1200};
    const double cornerTop[] = {240, 240, 780, 780};
    const double cornerHeight[] = {195, 165, 165, 165};
    const int cornerTab[] = {24, 23, 42, 43};
    for (int i = 0; i < 4; ++i) {
        auto& option = Yobidasi_Docchi[i];
        option.setContainer(&YobiWak);
        option.setCaption(settings::kCornerNames[i]);
        option.place(cornerLeft[i], cornerTop[i], 735, cornerHeight[i], cornerTab[i]);
        option.setFont(kPMincho825Bold);
        option.setForeColor(rgb(0, 0, 0));
    }
    NcC.setContainer(&YobiWak);
    NcC.setCaption("色");
    NcC.place(900, 480, 195, 165, 40);
    NcC.setFont(kPMincho825Bold);
    NcC.setTransparent(true);
    NcC.setAutoSize(true);
    NcC.setMousePointer(forms::MousePointer::UpArrow);
    NcC.setVisible(false);
    Nc.place(840, 540, 135, 135, 21);
    Nc.setMousePointer(forms::MousePointer::UpArrow);
    Nc.setVisible(false);

    BunWak.setCaption("分別BOX名");
    BunWak.place(2220, 60, 1995, 1035, 34);
    BunWak.setFont(kPMincho975Bold);
    BunWak.setVisible(false);
    const char* styles[] = {"ｲﾛﾊﾆﾎ", "ｱｶｻﾀﾅ", "ABCDE", "01234"};
    const double styleLeft[] = {60, 1140, 60, 1140};
    const double styleTop[] = {300, 300, 720, 720};
    const double styleWidth[] = {795, 795, 825, 765};
    const int styleTab[] = {35, 36, 37, 41};
    for (int i = 0; i < 4; ++i) {
        auto& option = BunBn[i];
        option.setContainer(&BunWak);
        option.setCaption(styles[i]);
        option.place(styleLeft[i], styleTop[i], styleWidth[i], 165, styleTab[i]);
        option.setFont(kPGothic825);
    }
    BunBn[0].setValue(true);

    struct Check {
        forms::CheckBox& box;
        const char* caption;
        double top, width;
        int tab;
    };
    for (const Check& c :
         {Check{MoE, "より楽々ﾓｰﾄﾞ", 1260, 1455, 29}, Check{Jiko, "自己主張ﾊﾞﾘﾊﾞﾘ", 1560, 1755, 30},
          Check{Bnk, "敏感らっぱー", 1860, 1635, 31},
          Check{Tao, "手弱女ぶり発揮", 2160, 1635, 32}}) {
        c.box.setCaption(c.caption);
        c.box.place(60, c.top, c.width, 195, c.tab);
        c.box.setFont(kPMincho9Bold);
        c.box.setVisible(false);
    }

    const double verLeft[] = {3000, 2040, 2955};
    const double verTop[] = {1440, 1740, 2040};
    const double verWidth[] = {105, 1980, 105};
    const double verHeight[] = {180, 195, 195};
    const int verTab[] = {27, 28, 33};
    const Font verFont[] = {
        kPMincho9Bold, {"ＭＳ Ｐゴシック", 9.75, false, false}, kPMincho975Bold};
    for (int i = 0; i < 3; ++i) {
        auto& label = VerH[i];
        if (i == 1) label.setCaption(settings::kNoticeLine);
        label.place(verLeft[i], verTop[i], verWidth[i], verHeight[i], verTab[i]);
        label.setFont(verFont[i]);
        label.setAlignment(forms::Alignment::Center);
        label.setTransparent(true);
        label.setAutoSize(true);
        label.setVisible(false);
    }

    const double lineX1[] = {2160, 2160, 1860, 1860};
    const double lineX2[] = {3840, 3840, 4140, 4140};
    const double lineY[] = {1680, 1980, 1680, 1980};
    for (int i = 0; i < 4; ++i) {
        auto& line = Li[i];
        line.setEnds(lineX1[i], lineY[i], lineX2[i], lineY[i]);
        line.setBorderWidth(i < 2 ? 40 : 2);
        line.setInverting(i < 2);  // keeps the version labels legible where they cross
        line.setVisible(false);
    }

    const char* commands[] = {"保", "終", "?"};
    const double commandTop[] = {1320, 720, 60};
    const double commandWidth[] = {555, 555, 540};
    const int commandTab[] = {25, 26, 39};
    for (int i = 0; i < 3; ++i) {
        auto& button = SSave[i];
        button.setCaption(commands[i]);
        button.place(4320, commandTop[i], commandWidth[i], 495, commandTab[i]);
        Font f = kPMincho12;
        f.Bold = (i == 2);
        button.setFont(f);
        button.setVisible(false);
    }

    Sette.setCaption("設");
    Sette.place(4320, 1980, 555, 495, 20);
    Sette.setFont(kPMincho12);
    Sette.setDefault(true);

    Stetus.place(0, 2520, 4920, 255, 38);
    Stetus.setFont({"ＭＳ Ｐ明朝", 9.75, false, false});
    Stetus.setForeColor(rgb(255, 255, 128));
    Stetus.setBackColor(rgb(0, 128, 0));
    Stetus.setBordered(true);

    for (int i = 0; i < 10; ++i) {
        auto& slot = Command1[i];
        slot.place(i % 2 == 0 ? 60 : 2520, 3120 + 360 * (i / 2), i == 7 ? 2355 : 2350, 375, i);
        slot.setFont({"ＭＳ Ｐゴシック", 9, false, false});
        auto& tab = Command2[i];
        tab.setCaption(settings::TabCaption(0, i));
        tab.place(60 + 420 * i, 5040, 435, 480, 10 + i);
        tab.setFont({"ＭＳ Ｐ明朝", 9, false, false});
        tab.setMousePointer(forms::MousePointer::UpArrow);
    }
}

void Ranch::WireEvents() {
    onLoad = [this] { Form_Load(); };
    onActivate = [this] { Form_Activate(); };
    onShowing = [this] { app_.spm().BringBackIfLost(*this); };
    onKeyDown = [this](int k, int s) { Form_KeyDown(k, s); };
    onLostFocus = [this] { WindowLostFocus(); };
    onCloseRequest = [this] { Form_LostFocus(); };
    onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
    onMouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
    YobiWak.onMouseMove = [this](int b, int s, double x, double y) {
        YobiWak_MouseMove(b, s, x, y);
    };
    for (int i = 0; i < 4; ++i) {
        Yobidasi_Docchi[i].onClick = [this, i] { Yobidasi_Docchi_Click(i); };
        Yobidasi_Docchi[i].onMouseMove = [this, i](int b, int s, double x, double y) {
            Yobidasi_Docchi_MouseMove(i, b, s, x, y);
        };
    }
    NcC.onClick = [this] { NcC_Click(); };
    NcC.onMouseMove = [this](int b, int s, double x, double y) { NcC_MouseMove(b, s, x, y); };
    Nc.onClick = [this] { Nc_Click(); };
    Nc.onMouseMove = [this](int b, int s, double x, double y) { Nc_MouseMove(b, s, x, y); };
    BunWak.onMouseMove = [this](int b, int s, double x, double y) { BunWak_MouseMove(b, s, x, y); };
    MoE.onMouseMove = [this](int b, int s, double x, double y) { MoE_MouseMove(b, s, x, y); };
    Jiko.onMouseMove = [this](int b, int s, double x, double y) { Jiko_MouseMove(b, s, x, y); };
    Bnk.onMouseMove = [this](int b, int s, double x, double y) { Bnk_MouseMove(b, s, x, y); };
    Tao.onMouseMove = [this](int b, int s, double x, double y) { Tao_MouseMove(b, s, x, y); };
    for (int i = 0; i < 3; ++i) SSave[i].onClick = [this, i] { SSave_Click(i); };
    Sette.onClick = [this] { Sette_Click(); };
    Sette.onKeyDown = [this](int k, int s) { Sette_KeyDown(k, s); };
    Sette.onMouseDown = [this](int b, int s, double x, double y) { Sette_MouseDown(b, s, x, y); };
    Sette.onMouseMove = [this](int b, int s, double x, double y) { Sette_MouseMove(b, s, x, y); };
    Stetus.onClick = [this] { Stetus_Click(); };
    Stetus.onMouseDown = [this](int b, int s, double x, double y) { Stetus_MouseDown(b, s, x, y); };
    Stetus.onMouseMove = [this](int b, int s, double x, double y) { Stetus_MouseMove(b, s, x, y); };
    for (int i = 0; i < 10; ++i) {
        Command1[i].onClick = [this, i] { Command1_Click(i); };
        Command1[i].onKeyDown = [this, i](int k, int s) { Command1_KeyDown(i, k, s); };
        Command1[i].onMouseDown = [this, i](int b, int s, double x, double y) {
            Command1_MouseDown(i, b, s, x, y);
        };
        Command1[i].onMouseMove = [this, i](int b, int s, double x, double y) {
            Command1_MouseMove(i, b, s, x, y);
        };
        Command2[i].onClick = [this, i] { Command2_Click(i); };
        Command2[i].onKeyDown = [this, i](int k, int s) { Command2_KeyDown(i, k, s); };
        Command2[i].onMouseDown = [this, i](int b, int s, double x, double y) {
            Command2_MouseDown(i, b, s, x, y);
        };
        Command2[i].onMouseMove = [this, i](int b, int s, double x, double y) {
            Command2_MouseMove(i, b, s, x, y);
        };
    }
    Deta.onTimer = [this] { Deta_Timer(); };
}

}  // namespace panel

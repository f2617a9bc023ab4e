// The demo pictures: a process overview of a small distillation unit and a
// detail view, animated from the simulated server's tags.
#include <string>

#include "compile.h"
#include "crtformat.h"
#include "demobuilder.h"
#include "demoproject.h"
#include "testocx_ids.h"
#include "picobj.h"

namespace demo {

namespace {

// A little inside a 1280 x 1024 screen, so that the runtime window needs no
// scroll bars.
const int kWidth = 1272;
const int kHeight = 1016;
const int kPeriodMs = 500;

const COLORREF kBack = RGB(28, 36, 48);
const COLORREF kPanel = RGB(40, 50, 66);
const COLORREF kFrame = RGB(110, 124, 140);
const COLORREF kTitle = RGB(230, 236, 244);
const COLORREF kLabel = RGB(190, 200, 214);
const COLORREF kValue = RGB(80, 255, 140);
const COLORREF kValueBack = RGB(12, 16, 22);
const COLORREF kSteel = RGB(70, 80, 92);
const COLORREF kWater = RGB(40, 150, 255);
const COLORREF kProduct = RGB(255, 170, 40);
const COLORREF kRunning = RGB(40, 200, 80);
const COLORREF kStopped = RGB(200, 50, 50);
const COLORREF kPipeIdle = RGB(150, 156, 164);
const COLORREF kPipeFlow = RGB(90, 200, 255);
const COLORREF kAlarm = RGB(255, 40, 40);
const COLORREF kQuiet = RGB(70, 70, 70);

// The movement script: the hopper's load moves the weight marker along its
// scale.
const char kMoveSource[] =
    "double v;\n"
    "int main() {\n"
    "  if (dbr_GetDbVal(\"WI401.PV\", &v)) MoveTo(\"WI401.MARK\", 1010.0 + v / 5000.0 * 200.0, 962.0);\n"
    "  return 0;\n"
    "}\n";

void TitleBar(LayerBuilder& b, const char* title) {
  b.Rect("TITLE.BAR", CRectD(0, 0, kWidth - 1, 56), RGB(16, 22, 30), kFrame);
  b.Text("TITLE", CPointD(24, 12), title, kTitle, 30, FW_BOLD);
  b.Text("SHIFT.LABEL", CPointD(900, 18), "当前班次", kLabel, 18);
  b.TagValue("SHIFT", CRectD(990, 12, 1090, 44), "TVV(SHIFT.NAME)", 0, kValue, kValueBack, 18);
  b.Text("BATCH.LABEL", CPointD(1110, 18), "批次", kLabel, 18);
  b.TagValue("BATCH", CRectD(1160, 12, 1256, 44), "TV(BATCH.NO)", 0, kValue, kValueBack, 18);
}

// A labelled value: label text, then the display, then the unit.
void ValueRow(LayerBuilder& b, const char* tag, const char* label, const char* unit, double x, double y,
              int decimals) {
  const std::string name = tag;
  b.Text((name + ".LABEL").c_str(), CPointD(x, y + 4), label, kLabel, 18);
  b.TagValue((name + ".VALUE").c_str(), CRectD(x + 150, y, x + 270, y + 28), ("TV(" + name + ")").c_str(),
             decimals, kValue, kValueBack, 18);
  b.Text((name + ".UNIT").c_str(), CPointD(x + 278, y + 4), unit, kLabel, 18);
}

// A tank with its level as percentage fill, a name and the level value.
CDrawObj* Tank(LayerBuilder& b, const char* name, const char* title, const char* levelTag, const CRectD& r,
               COLORREF liquid) {
  CDrawObj* shell = b.Rect(name, r, RGB(18, 24, 32), kFrame, 3);
  AddPercentFill(shell, ("TV(" + std::string(levelTag) + ")").c_str(), 0, 100, liquid);
  b.Text((std::string(name) + ".TITLE").c_str(), CPointD(r.left, r.top - 30), title, kTitle, 20, FW_BOLD);
  b.TagValue((std::string(name) + ".LEVEL").c_str(),
             CRectD(r.left + 20, r.bottom + 10, r.right - 20, r.bottom + 40),
             ("TV(" + std::string(levelTag) + ")").c_str(), 1, kValue, kValueBack, 18);
  return shell;
}

// A pump: a body coloured by its run signal, and an impeller that turns
// while it runs.
void Pump(LayerBuilder& b, const char* name, const char* runTag, const CPointD& c) {
  const std::string run = "TV(" + std::string(runTag) + ")";
  CDrawObj* body = b.Ellipse(name, CRectD(c.x - 36, c.y - 36, c.x + 36, c.y + 36), kStopped, kFrame, 3);
  AddFillColor(body, run.c_str(), 0.5, kStopped, kRunning);
  CDrawObj* blade = b.Rect((std::string(name) + ".IMPELLER").c_str(),
                           CRectD(c.x - 26, c.y - 5, c.x + 26, c.y + 5), RGB(235, 235, 235), RGB(40, 40, 40));
  AddRotation(blade, run.c_str(), 30, 200);
  b.Text((std::string(name) + ".TITLE").c_str(), CPointD(c.x - 24, c.y + 44), name, kTitle, 18, FW_BOLD);
}

// A valve: two triangles meeting at the centre, coloured by its open signal.
void Valve(LayerBuilder& b, const char* name, const char* openTag, const CPointD& c) {
  CDrawObj* valve = b.Polygon(name,
                              {CPointD(c.x - 24, c.y - 16), CPointD(c.x + 24, c.y + 16),
                               CPointD(c.x + 24, c.y - 16), CPointD(c.x - 24, c.y + 16)},
                              kStopped, RGB(20, 20, 20));
  AddFillColor(valve, ("TV(" + std::string(openTag) + ")").c_str(), 0.5, kStopped, kRunning);
  b.Text((std::string(name) + ".TITLE").c_str(), CPointD(c.x - 30, c.y - 46), name, kTitle, 18, FW_BOLD);
}

// A pipe whose core shows flow while its pump runs.
void FlowPipe(LayerBuilder& b, const char* name, const std::vector<CPointD>& points, const char* runTag) {
  CDrawObj* pipe = b.Pipe(name, points, kPipeIdle, RGB(60, 64, 70), 16);
  AddFillColor(pipe, ("TV(" + std::string(runTag) + ")").c_str(), 0.5, kPipeIdle, kPipeFlow);
}

// An alarm lamp: red and blinking while the alarm stands.
void AlarmLamp(LayerBuilder& b, const char* name, const char* tag, const char* label, const CPointD& c) {
  const std::string expr = "TV(" + std::string(tag) + ")";
  CDrawObj* lamp =
      b.Ellipse(name, CRectD(c.x - 14, c.y - 14, c.x + 14, c.y + 14), kQuiet, RGB(20, 20, 20), 2);
  AddFillColor(lamp, expr.c_str(), 0.5, kQuiet, kAlarm);
  AddFlash(lamp, expr.c_str(), 400);
  b.Text((std::string(name) + ".LABEL").c_str(), CPointD(c.x + 24, c.y - 10), label, kLabel, 18);
}

// The detail picture's ActiveX control (the control of the tests,
// QelTestOcx.dll, which `make demo` registers) shows the column's top
// temperature: a script puts it into the control's Text.
const char kOcxSource[] =
    "double t;\n"
    "char s[32];\n"
    "int r;\n"
    "int main() {\n"
    "  if (dbr_GetDbVal(\"TI101.PV\", &t)) {\n"
    "    sprintf(s, \"TI101 %.1f\", t);\n"
    "    ocx_SetVal(0, \"Text\", &r, s);\n"
    "  }\n"
    "  return 0;\n"
    "}\n";

std::vector<BYTE> CompileScript(const char* source, const std::string& stdlibText) {
  if (stdlibText.empty()) return {};
  tarnic::CompileOutput out = tarnic::CompileText(source, stdlibText);
  if (!out.generated) return {};
  return std::vector<BYTE>(out.code.begin(), out.code.end());
}

}  // namespace

// A picture is named after its file, as the editor names every picture it
// opens: the editor opens and saves the demo's pictures unchanged.
CPicObj* MakeOverviewPicture(const std::string& stdlibText) {
  CPicObj* picture = NewPicture(kStartPicture, kWidth, kHeight, kBack, kPeriodMs);
  LayerBuilder b(*FirstLayer(*picture));
  TitleBar(b, "乙醇精馏装置  工艺总貌");

  // Feed: pump P101 and valve XV101 into the column bottom T201.
  b.Text("FEED.LABEL", CPointD(30, 250), "进料", kLabel, 18);
  FlowPipe(b, "PIPE.FEED1", {CPointD(30, 300), CPointD(164, 300)}, "P101.RUN");
  Pump(b, "P101", "P101.RUN", CPointD(200, 300));
  FlowPipe(b, "PIPE.FEED2", {CPointD(236, 300), CPointD(316, 300)}, "P101.RUN");
  Valve(b, "XV101", "XV101.OPEN", CPointD(340, 300));
  FlowPipe(b, "PIPE.FEED3", {CPointD(364, 300), CPointD(450, 300)}, "XV101.OPEN");
  CDrawObj* t201 = Tank(b, "T201", "T201 塔釜", "LIC201.PV", CRectD(450, 150, 610, 560), kWater);
  // A click on the column opens its detail view.
  AddClickLink(t201, kDetailPicture);

  // Reflux: pump P102 and valve XV102 into the drum T202.
  FlowPipe(b, "PIPE.REFLUX1", {CPointD(610, 520), CPointD(684, 520)}, "P102.RUN");
  Pump(b, "P102", "P102.RUN", CPointD(720, 520));
  FlowPipe(b, "PIPE.REFLUX2", {CPointD(756, 520), CPointD(836, 520)}, "P102.RUN");
  Valve(b, "XV102", "XV102.OPEN", CPointD(860, 520));
  FlowPipe(b, "PIPE.REFLUX3", {CPointD(884, 520), CPointD(960, 520)}, "XV102.OPEN");
  Tank(b, "T202", "T202 回流罐", "LIC202.PV", CRectD(960, 300, 1120, 560), kProduct);
  // Vapour line from the column top to the drum.
  FlowPipe(b, "PIPE.VAPOUR", {CPointD(585, 150), CPointD(585, 100), CPointD(1095, 100), CPointD(1095, 300)},
           "P102.RUN");

  // Column readings beside T201.
  b.Text("TI101.TAG", CPointD(630, 170), "塔顶温度", kLabel, 18);
  b.TagValue("TI101.SIDE", CRectD(630, 196, 740, 224), "TV(TI101.PV)", 1, kValue, kValueBack, 18);
  b.Text("PIC301.TAG", CPointD(630, 240), "塔顶压力", kLabel, 18);
  b.TagValue("PIC301.SIDE", CRectD(630, 266, 740, 294), "TV(PIC301.PV)", 3, kValue, kValueBack, 18);
  b.Text("TI102.TAG", CPointD(630, 310), "塔釜温度", kLabel, 18);
  b.TagValue("TI102.SIDE", CRectD(630, 336, 740, 364), "TV(TI102.PV)", 1, kValue, kValueBack, 18);

  // Pump speed gauge.
  b.Ellipse("SI601.DIAL", CRectD(1150, 130, 1250, 230), RGB(18, 24, 32), kFrame, 3);
  CDrawObj* needle = b.Line("SI601.NEEDLE", CPointD(1200, 180), CPointD(1244, 180), kProduct, 3);
  AddPointer(needle, "TV(SI601.PV)", 1400, 1500, 180, 360);
  b.Text("SI601.TITLE", CPointD(1150, 238), "泵转速", kLabel, 18);

  // Alarms.
  AlarmLamp(b, "LSH201", "LSH201.ALM", "塔釜液位高", CPointD(1160, 290));
  AlarmLamp(b, "PSH301", "PSH301.ALM", "塔顶压力高", CPointD(1160, 330));

  // Key figures.
  b.Rect("PANEL", CRectD(24, 640, 1256, 900), kPanel, kFrame, 2);
  b.Text("PANEL.TITLE", CPointD(40, 650), "关键参数", kTitle, 20, FW_BOLD);
  ValueRow(b, "FIC101.PV", "进料流量", "m3/h", 40, 690, 1);
  ValueRow(b, "FIC102.PV", "回流流量", "m3/h", 40, 730, 1);
  ValueRow(b, "TI103.PV", "冷却水出口温度", "°C", 40, 770, 1);
  ValueRow(b, "PI302.PV", "蒸汽压力", "MPa", 40, 810, 3);
  ValueRow(b, "AI501.PV", "出水pH值", "pH", 40, 850, 2);
  ValueRow(b, "SI601.PV", "泵转速", "r/min", 440, 690, 0);
  ValueRow(b, "VI602.PV", "泵振动", "mm/s", 440, 730, 2);
  ValueRow(b, "FQ101.TOTAL", "进料累计", "m3", 440, 770, 0);
  ValueRow(b, "PKG.COUNT", "包装计数", "袋", 440, 810, 0);
  ValueRow(b, "P101.STARTS", "进料泵启动次数", "次", 440, 850, 0);
  ValueRow(b, "WI401.PV", "料仓重量", "kg", 840, 690, 0);
  ValueRow(b, "FIC101.SP", "进料流量设定", "m3/h", 840, 730, 1);
  b.Text("LOCAL.LABEL", CPointD(840, 774), "本地设定", kLabel, 18);
  b.TagValue("LOCAL.VALUE", CRectD(990, 770, 1110, 798), "LV(LOCAL.SETPOINT)", 1, kValue, kValueBack, 18);

  // The hopper's weight scale with its moving marker.
  b.Text("WI401.SCALE.LABEL", CPointD(840, 950), "料仓", kLabel, 18);
  b.Rect("WI401.SCALE", CRectD(1010, 955, 1210, 969), RGB(18, 24, 32), kFrame);
  CDrawObj* mark = b.Rect("WI401.MARK", CRectD(1004, 948, 1016, 976), kProduct, RGB(20, 20, 20));
  std::vector<BYTE> code = CompileScript(kMoveSource, stdlibText);
  if (!code.empty()) AddMoveScript(mark, kMoveSource, code, 500);

  b.LinkButton("GOTO.DETAIL", CRectD(40, 930, 280, 980), "塔釜详细画面 >>", kDetailPicture);
  return picture;
}

CPicObj* MakeDetailPicture(const std::string& stdlibText) {
  CPicObj* picture = NewPicture(kDetailPicture, kWidth, kHeight, kBack, kPeriodMs);
  LayerBuilder b(*FirstLayer(*picture));
  TitleBar(b, "T201 塔釜  详细画面");

  CDrawObj* ocx = b.ActiveX("TI101.OCX", CRectD(980, 72, 1220, 164), CLSID_QelTestOcx);
  AddCustomScript(ocx, kOcxSource, CompileScript(kOcxSource, stdlibText), 1000);

  Tank(b, "T201.BIG", "T201 塔釜液位", "LIC201.PV", CRectD(80, 140, 380, 840), kWater);
  b.Text("LIC201.SP.LABEL", CPointD(100, 894), "液位设定", kLabel, 18);
  b.TagValue("LIC201.SP", CRectD(240, 890, 360, 918), "TV(LIC201.SP)", 1, kValue, kValueBack, 18);

  // Bars of the flows and temperatures, each filled by its share of the range.
  struct Bar {
    const char* tag;
    const char* label;
    double minimum, maximum;
    COLORREF colour;
  };
  const Bar bars[] = {
      {"FIC101.PV", "进料流量", 0, 100, kWater},   {"FIC102.PV", "回流流量", 0, 100, kWater},
      {"TI101.PV", "塔顶温度", 60, 110, kProduct}, {"TI102.PV", "塔釜温度", 90, 150, kProduct},
      {"PIC301.PV", "塔顶压力", 0, 2, kRunning},   {"PI302.PV", "蒸汽压力", 0, 2, kRunning},
  };
  double x = 480;
  for (const Bar& bar : bars) {
    const std::string name = bar.tag;
    CDrawObj* frame =
        b.Rect((name + ".BAR").c_str(), CRectD(x, 180, x + 90, 700), RGB(18, 24, 32), kFrame, 2);
    AddPercentFill(frame, ("TV(" + name + ")").c_str(), bar.minimum, bar.maximum, bar.colour);
    b.Text((name + ".BARLABEL").c_str(), CPointD(x, 712), bar.label, kLabel, 18);
    b.TagValue((name + ".BARVALUE").c_str(), CRectD(x, 740, x + 90, 768), ("TV(" + name + ")").c_str(), 2,
               kValue, kValueBack, 18);
    x += 124;
  }

  // What the shift sees: texts from the server.
  b.Rect("INFO", CRectD(480, 800, 1220, 930), kPanel, kFrame, 2);
  b.Text("OPERATOR.LABEL", CPointD(500, 816), "当班操作员", kLabel, 18);
  b.TagValue("OPERATOR", CRectD(640, 812, 800, 840), "TVV(OPERATOR)", 0, kValue, kValueBack, 18);
  b.Text("RECIPE.LABEL", CPointD(820, 816), "当前配方", kLabel, 18);
  b.TagValue("RECIPE", CRectD(920, 812, 1200, 840), "TVV(RECIPE.NAME)", 0, kValue, kValueBack, 18);
  b.Text("MSG.LABEL", CPointD(500, 862), "最近消息", kLabel, 18);
  b.TagValue("MSG", CRectD(640, 858, 1000, 886), "TVV(MSG.LAST)", 0, kValue, kValueBack, 18);

  b.LinkButton("GOTO.OVERVIEW", CRectD(40, 940, 280, 990), "<< 返回工艺总貌", kStartPicture);
  return picture;
}

CPicObj* MakeLargePicture(int count) {
  CPicObj* picture = NewPicture("大画面", kWidth, kHeight, kBack, kPeriodMs);
  LayerBuilder b(*FirstLayer(*picture));
  static const char* const kTags[] = {"FIC101.PV", "FIC102.PV", "LIC201.PV", "LIC202.PV", "TI101.PV",
                                      "TI102.PV",  "PIC301.PV", "SI601.PV",  "WI401.PV",  "AI501.PV"};
  const int columns = 20;
  for (int i = 0; i < count; ++i) {
    const double x = 10 + (i % columns) * 63;
    const double y = 70 + (i / columns % 50) * 19;
    const std::string tag = kTags[i % 10];
    const std::string name = qel::FormatStr("OBJ%d", i);
    if (i % 2 == 0) {
      b.TagValue(name.c_str(), CRectD(x, y, x + 60, y + 17), ("TV(" + tag + ")").c_str(), 1, kValue,
                 kValueBack, 12);
    } else {
      CDrawObj* r = b.Rect(name.c_str(), CRectD(x, y, x + 60, y + 17), kSteel, kFrame);
      AddFillColor(r, ("TV(" + tag + ")").c_str(), 50, kStopped, kRunning);
    }
  }
  b.LinkButton("GOTO.OVERVIEW", CRectD(40, 30, 200, 60), "<< 返回", kStartPicture);
  return picture;
}

}  // namespace demo

// The runtime window under load: a picture of 1,000 objects, each with a
// fill-colour link and a movement link on its own tag (1,000 tags). Prints
// the milliseconds of one tick (events, link evaluation, repaint of the
// dirty area) and its share of the 100 ms period, and the time from
// QCM_LOADPICDATA to the first complete paint.
//
// Then the splits that show where a tick's time goes: the same picture with
// the colour links alone and with the movement scripts alone, and the cost
// of one of each call that a firing makes into the platform or the picture
// (a tag request through the window's message, an invalidation, a look-up
// of an object by name). Then the stages of a movement script (pictures
// whose scripts only return, or only read their tag), and the stages of a
// repaint, done by hand on the window's kind of kept surface: the clearing
// of the painted area, the drawing of every object, and the copy to the
// window, beside the window's whole paint of the same area. Last the
// platform calls that one square's drawing makes, the general way and the
// calls of the short way. With the argument "ticks" only the ticks of the
// whole picture run, ten times as many, for a profiler to watch.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "benchclock.h"
#include "crtformat.h"
#include "drawrect.h"
#include "picfile.h"
#include "picobj.h"
#include "runharness.h"
#include "runscripts.h"
#include "runsurface.h"

using namespace runtest;
using bench::NowMs;

namespace {

constexpr int kObjects = 1000;
constexpr int kTicks = 160;

void PaintNow(HWND hwnd) { ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

std::string TagName(int i) { return "tag" + std::to_string(i); }
std::string ObjectName(int i) { return "o" + std::to_string(i); }

void Print(const std::string& line) { std::printf("%s", line.c_str()); }

// Which links each object of the picture gets.
struct Links {
  bool colour;
  bool movement;
};

// The picture: 1,000 squares in rows of 40, each on its own tag.
std::unique_ptr<CPicObj> BuildPicture(Links links, int* moving) {
  std::unique_ptr<CPicObj> picture(NewPicture(RGB(255, 255, 255), 1000));
  *moving = 0;
  for (int i = 0; i < kObjects; ++i) {
    const int x = 10 + (i % 40) * 24, y = 10 + (i / 40) * 26;
    CDrawRect* rect = AddRect(*picture, RECT{x, y, x + 16, y + 16}, RGB(128, 128, 128));
    const std::string tag = TagName(i);
    if (links.colour) AddFillColorLink(*rect, tag.c_str(), RGB(0, 160, 0), RGB(200, 0, 0));
    if (links.movement && AddMoveLink(*rect, ObjectName(i).c_str(), tag.c_str(), x + 8.0, y + 8.0)) ++*moving;
    if (!links.movement) rect->m_strName = ObjectName(i).c_str();
  }
  return picture;
}

struct TickFigures {
  double loadMs = 0;
  double firstTick = 0;
  std::vector<double> ticks;  // the later ticks, whole (links and repaint)
  double linksMean = 0;       // the events and links of a tick, mean over all
  double paintMean = 0;       // the repaint after it, mean over all

  double Mean() const {
    double sum = 0;
    for (double t : ticks) sum += t;
    return ticks.empty() ? 0 : sum / ticks.size();
  }
  double Worst() const { return ticks.empty() ? 0 : *std::max_element(ticks.begin(), ticks.end()); }
  double Median() const { return bench::Median(ticks); }
};

// Loads the picture into a fresh window and runs kTicks ticks, each
// followed by the repaint of what it changed. New values come before every
// refresh: every colour flips, every object moves.
bool RunTicks(const std::vector<BYTE>& bytes, TickFigures* out, int ticks = kTicks) {
  Harness h(1000, 700);
  if (!h.Ok()) {
    std::printf("QelRun.dll or its window could not be made\n");
    return false;
  }
  for (int i = 0; i < kObjects; ++i) h.host.values[TagName(i)] = IntValue(0);
  const double loadStart = NowMs();
  const LRESULT loaded = h.Load(bytes);
  PaintNow(h.View());
  out->loadMs = NowMs() - loadStart;
  if (loaded != 0) {
    std::printf("the picture did not load\n");
    return false;
  }
  double linksSum = 0, paintSum = 0;
  for (int n = 1; n <= ticks; ++n) {
    if (n % 8 == 6)
      for (int i = 0; i < kObjects; ++i) h.host.values[TagName(i)] = IntValue((n / 8) % 2 ? 1 : 0);
    const double start = NowMs();
    h.Tick(1);
    const double ticked = NowMs();
    PaintNow(h.View());
    const double end = NowMs();
    out->ticks.push_back(end - start);
    linksSum += ticked - start;
    paintSum += end - ticked;
  }
  // The first tick reads every tag for the first time and starts every
  // script; it is reported on its own.
  out->firstTick = out->ticks.front();
  out->ticks.erase(out->ticks.begin());
  out->linksMean = linksSum / ticks;
  out->paintMean = paintSum / ticks;
  return true;
}

// Microseconds per call of f over n calls.
template <class F>
double MicrosPerCall(int n, F f) {
  const double start = NowMs();
  for (int i = 0; i < n; ++i) f(i);
  return (NowMs() - start) * 1000.0 / n;
}

// What one firing pays for each call it makes outside the script machine
// and the expression evaluator.
void PrintCallCosts(CPicObj& picture) {
  Harness h(1000, 700);
  if (!h.Ok()) return;
  for (int i = 0; i < kObjects; ++i) h.host.values[TagName(i)] = IntValue(0);
  h.Load(picture);
  PaintNow(h.View());
  constexpr int kCalls = 20000;
  QB_VALUE value = {};
  const std::string tag = TagName(kObjects / 2);
  NumTagRequest request = {tag.c_str(), &value};
  // Tag names of real plants are longer than the platform's short-string room.
  const std::string longTag = "Plant1.Area2.Unit3.Level" + tag;
  NumTagRequest longRequest = {longTag.c_str(), &value};
  h.Request(QSM_READTAG, &request);  // cached from here on
  h.Request(QSM_READTAG, &longRequest);
  const double readTag = MicrosPerCall(kCalls, [&](int) { h.Request(QSM_READTAG, &request); });
  const double readLongTag = MicrosPerCall(kCalls, [&](int) { h.Request(QSM_READTAG, &longRequest); });
  const double invalidate = MicrosPerCall(kCalls, [&](int i) {
    const int x = 10 + (i % 40) * 24, y = 10 + (i / 40 % 25) * 26;
    RECT r = {x - 1, y - 1, x + 18, y + 18};
    ::InvalidateRect(h.View(), &r, TRUE);
  });
  ::ValidateRect(h.View(), nullptr);
  const std::string last = ObjectName(kObjects - 1);
  const double find = MicrosPerCall(kCalls / 10, [&](int) { picture.FindObject(last.c_str(), nullptr); });
  Print(
      qel::FormatStr("calls: tag request through the window's message %.2f us (a name of %d "
                     "bytes: %.2f us), invalidation of an object's area %.2f us, look-up of an "
                     "object by name (the last of %d) %.2f us\n",
                     readTag, static_cast<int>(longTag.size()), readLongTag, invalidate, kObjects, find));
}

// The stages of a movement script: scripts that only return, that read their
// tag and return, and the whole movement script; each picture's ticks
// without its repaint (the window is not painted meanwhile).
void PrintScriptStages() {
  const struct {
    const char* label;
    const char* body;  // given the tag's name, the object's name and its centre
  } kStages[] = {
      {"return only", "int main()\n{\n  return 0;\n}\n"},
      {"tag read", "int main()\n{\n  double v;\n  v = 0.0;\n  dbr_GetDbVal(\"%s\", &v);\n  return 0;\n}\n"},
      {"move only", "int main()\n{\n  char *t;\n  t = \"%s\";\n  MoveTo(\"%s\", %f, %f);\n  return 0;\n}\n"},
      {"tag read and move (the movement script)",
       "int main()\n{\n  double v;\n  v = 0.0;\n  dbr_GetDbVal(\"%s\", &v);\n"
       "  MoveTo(\"%s\", %f + v, %f);\n  return 0;\n}\n"},
  };
  std::string line = "script stages (links of a tick, medians):";
  for (const auto& stage : kStages) {
    std::unique_ptr<CPicObj> picture(NewPicture(RGB(255, 255, 255), 1000));
    for (int i = 0; i < kObjects; ++i) {
      const int x = 10 + (i % 40) * 24, y = 10 + (i / 40) * 26;
      CDrawRect* rect = AddRect(*picture, RECT{x, y, x + 16, y + 16}, RGB(128, 128, 128));
      rect->m_strName = ObjectName(i).c_str();
      const std::string script =
          qel::FormatStr(stage.body, TagName(i).c_str(), ObjectName(i).c_str(), x + 8.0, y + 8.0);
      if (!AddScriptLink(*rect, script)) {
        Print(qel::FormatStr("the script of stage \"%s\" does not compile\n", stage.label));
        return;
      }
    }
    Harness h(1000, 700);
    if (!h.Ok()) return;
    for (int i = 0; i < kObjects; ++i) h.host.values[TagName(i)] = IntValue(0);
    h.Load(*picture);
    PaintNow(h.View());
    std::vector<double> ticks;
    for (int n = 0; n < 40; ++n) {
      const double start = NowMs();
      h.Tick(1);
      ticks.push_back(NowMs() - start);
      ::ValidateRect(h.View(), nullptr);
    }
    line += qel::FormatStr(" %s %.2f ms;", stage.label, bench::Median(ticks));
  }
  Print(line + "\n");
}

// The area a tick repaints: the union of every object's area.
RECT PaintedArea(CPicObj& picture) {
  RECT area = {0, 0, 0, 0};
  CObList& objects = picture.GetLayer(0)->m_objects;
  for (POSITION pos = objects.GetHeadPosition(); pos;)
    static_cast<CDrawObj*>(objects.GetNext(pos))->UnionInvalidRect(&area);
  return area;
}

// The stages of one repaint of the whole picture, medians over rounds.
void PrintPaintStages(CPicObj& picture) {
  Harness h(1000, 700);
  if (!h.Ok()) return;
  const RECT area = PaintedArea(picture);
  RECT client;
  ::GetClientRect(h.View(), &client);
  CDC window;
  window.Attach(::GetDC(h.View()));
  CRunSurface surface;
  CObList& objects = picture.GetLayer(0)->m_objects;
  std::vector<double> clear, draw, copy;
  for (int round = 0; round < 40; ++round) {
    const double start = NowMs();
    CDC* dc = surface.Begin(window, SIZE{client.right, client.bottom}, area, picture.m_clrBack);
    ::GdiFlush();
    const double cleared = NowMs();
    for (POSITION pos = objects.GetHeadPosition(); pos;)
      static_cast<CDrawObj*>(objects.GetNext(pos))->Draw(dc, 0);
    ::GdiFlush();
    const double drawn = NowMs();
    surface.End(window);
    ::GdiFlush();
    const double copied = NowMs();
    clear.push_back(cleared - start);
    draw.push_back(drawn - cleared);
    copy.push_back(copied - drawn);
  }
  ::ReleaseDC(h.View(), window.Detach());
  // The same picture painted by the window over the same area: the stages
  // and the window's paint around them (its update region, the paint
  // context, the output to the screen).
  for (int i = 0; i < kObjects; ++i) h.host.values[TagName(i)] = IntValue(0);
  h.Load(picture);
  PaintNow(h.View());
  std::vector<double> whole;
  for (int round = 0; round < 40; ++round) {
    ::InvalidateRect(h.View(), &area, TRUE);
    const double start = NowMs();
    PaintNow(h.View());
    whole.push_back(NowMs() - start);
  }
  Print(qel::FormatStr(
      "repaint stages (%ld x %ld area, medians): clear %.2f ms, drawing of %d "
      "objects %.2f ms (%.2f us each), copy to the window %.2f ms; the window's "
      "whole paint of that area %.2f ms\n",
      area.right - area.left, area.bottom - area.top, bench::Median(clear), kObjects, bench::Median(draw),
      bench::Median(draw) * 1000.0 / kObjects, bench::Median(copy), bench::Median(whole)));
}

// The platform calls of one square's drawing, each on its own.
void PrintDrawCalls() {
  Harness h(1000, 700);
  if (!h.Ok()) return;
  CDC window;
  window.Attach(::GetDC(h.View()));
  CRunSurface surface;
  const RECT area = {0, 0, 1000, 700};
  CDC* dc = surface.Begin(window, SIZE{1000, 700}, area, RGB(255, 255, 255));
  constexpr int kCalls = 20000;
  auto square = [](int i, POINT* pts) {
    const int x = 10 + (i % 40) * 24, y = 10 + (i / 40 % 25) * 26;
    const POINT corners[5] = {{x, y}, {x + 16, y}, {x + 16, y + 16}, {x, y + 16}, {x, y}};
    std::copy(corners, corners + 5, pts);
  };
  const double pen = MicrosPerCall(kCalls, [&](int i) {
    LOGPEN lp = {PS_SOLID, {1, 0}, static_cast<COLORREF>(i & 0xFF)};
    ::DeleteObject(::CreatePenIndirect(&lp));
  });
  const double brush = MicrosPerCall(
      kCalls, [&](int i) { ::DeleteObject(::CreateSolidBrush(static_cast<COLORREF>(i & 0xFF))); });
  HPEN black = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HBRUSH grey = ::CreateSolidBrush(RGB(128, 128, 128));
  const double select = MicrosPerCall(kCalls, [&](int) {
    HGDIOBJ old = ::SelectObject(*dc, black);
    ::SelectObject(*dc, old);
  });
  ::SelectObject(*dc, black);
  ::SelectObject(*dc, grey);
  POINT pts[5];
  const double polygon = MicrosPerCall(kCalls, [&](int i) {
    square(i, pts);
    ::Polygon(*dc, pts, 4);
  });
  const double polyline = MicrosPerCall(kCalls, [&](int i) {
    square(i, pts);
    ::Polyline(*dc, pts, 5);
  });
  const double clipBox = MicrosPerCall(kCalls, [&](int) {
    RECT r;
    ::GetClipBox(*dc, &r);
  });
  const double rectangle = MicrosPerCall(kCalls, [&](int i) {
    square(i, pts);
    ::Rectangle(*dc, pts[0].x, pts[0].y, pts[2].x + 1, pts[2].y + 1);
  });
  const double opaque = MicrosPerCall(kCalls, [&](int i) {
    square(i, pts);
    RECT r = {pts[0].x, pts[0].y, pts[2].x + 1, pts[2].y + 1};
    ::ExtTextOutA(*dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  });
  const double bkColour = MicrosPerCall(kCalls, [&](int i) { ::SetBkColor(*dc, i & 0xFF); });
  ::SelectObject(*dc, ::GetStockObject(DC_PEN));
  ::SelectObject(*dc, ::GetStockObject(DC_BRUSH));
  const double dcColours = MicrosPerCall(kCalls, [&](int i) {
    ::SetDCPenColor(*dc, i & 0xFF);
    ::SetDCBrushColor(*dc, i & 0xFF00);
  });
  const double current = MicrosPerCall(kCalls, [&](int) { ::GetCurrentObject(*dc, OBJ_PEN); });
  const double patBlt = MicrosPerCall(kCalls, [&](int i) {
    square(i, pts);
    ::PatBlt(*dc, pts[0].x, pts[0].y, 17, 17, PATCOPY);
  });
  Print(
      qel::FormatStr("other calls: rectangle %.2f us, opaque text-out fill %.2f us, background "
                     "colour %.2f us, DC pen and brush colours %.2f us, current object %.2f us, "
                     "pattern fill %.2f us\n",
                     rectangle, opaque, bkColour, dcColours, current, patBlt));
  surface.End(window);
  ::ReleaseDC(h.View(), window.Detach());
  ::DeleteObject(black);
  ::DeleteObject(grey);
  Print(
      qel::FormatStr("a square's calls: pen made and deleted %.2f us, brush made and deleted "
                     "%.2f us, a selection and its undoing %.2f us, polygon %.2f us, poly-line "
                     "%.2f us, clip box %.2f us\n",
                     pen, brush, select, polygon, polyline, clipBox));
}

}  // namespace

int main(int argc, char** argv) {
  const bool ticksOnly = argc > 1 && std::string(argv[1]) == "ticks";
  int moving = 0;
  std::unique_ptr<CPicObj> picture = BuildPicture({true, true}, &moving);
  TickFigures all;
  if (!RunTicks(StorePictureBytes(*picture), &all, ticksOnly ? 1600 : kTicks)) return 1;
  Print(qel::FormatStr("objects %d, tags %d, movement scripts %d (%s)\n", kObjects, kObjects, moving,
                       ScriptsRun() ? "scripts run" : "scripts not attached yet: only the colour links act"));
  Print(qel::FormatStr("load to first complete paint: %.1f ms\n", all.loadMs));
  Print(qel::FormatStr("first tick (1,000 first reads, first script runs): %.2f ms\n", all.firstTick));
  Print(
      qel::FormatStr("later ticks (events, links, repaint): mean %.2f ms, median %.2f ms, "
                     "worst %.2f ms over %d ticks\n",
                     all.Mean(), all.Median(), all.Worst(), static_cast<int>(all.ticks.size())));
  Print(qel::FormatStr("of which events and links %.2f ms, repaint %.2f ms (means)\n", all.linksMean,
                       all.paintMean));
  Print(qel::FormatStr("share of the 100 ms period: mean %.1f%%, worst %.1f%%\n", all.Mean(), all.Worst()));
  if (ticksOnly) return 0;

  // The splits.
  const struct {
    const char* label;
    Links links;
  } kSplits[] = {{"colour links alone", {true, false}}, {"movement scripts alone", {false, true}}};
  for (const auto& split : kSplits) {
    int scripts = 0;
    std::unique_ptr<CPicObj> part = BuildPicture(split.links, &scripts);
    TickFigures f;
    if (!RunTicks(StorePictureBytes(*part), &f)) return 1;
    Print(
        qel::FormatStr("split, %s: median %.2f ms, worst %.2f ms; links %.2f ms, repaint %.2f ms "
                       "(means)\n",
                       split.label, f.Median(), f.Worst(), f.linksMean, f.paintMean));
  }
  PrintCallCosts(*picture);
  PrintScriptStages();
  PrintPaintStages(*picture);
  PrintDrawCalls();
  return 0;
}

// Draws a picture of 1,000 mixed poly-line objects (a third with gradient
// fills) into a 1920 x 1080 memory surface, and stores and loads it; then
// the worst damaged picture (every kind of damaged object, selected, on a
// picture of 62,914,815 x 44,564,480 with its grid) painted as the editing
// window paints it, the same cases in nested groups, and the groups that
// metafile imports at their bounds bring.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "benchsurface.h"
#include "crtformat.h"
#include "drawbezier.h"
#include "drawbitmap.h"
#include "drawellipse.h"
#include "drawgroup.h"
#include "drawline.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "drawrect.h"
#include "hostile_pictures.h"
#include "memdc.h"
#include "objectclasses.h"
#include "paintcover.h"
#include "picgrid.h"
#include "picfile.h"
#include "picobj.h"

namespace {

constexpr int kObjects = 1000;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

using bench::NowMs;

// Every third object is a fillable shape with a gradient; the others cycle
// through all seven kinds.
CDrawPoly* NewObject(int i) {
  if (i % 3 == 0) return (i / 3) % 2 ? static_cast<CDrawPoly*>(new CDrawBezierFill) : new CDrawPolygon;
  switch (i % 7) {
    case 0: return new CDrawPoly;
    case 1: return new CDrawLine;
    case 2: return new CDrawArrow;
    case 3: return new CDrawPolygon;
    case 4: return new CDrawBezier;
    case 5: return new CDrawBezierFill;
    default: return new CDrawPipe;
  }
}

CDrawPoly* MakeObject(int i) {
  CDrawPoly* obj = NewObject(i);
  double x = (i * 37) % (kWidth - 200);
  double y = (i * 53) % (kHeight - 200);
  int points = obj->m_nMaxPoints == 2 ? 2 : 5;
  for (int k = 0; k < points; ++k) obj->AddPoint(CPointD(x + k * 40, y + ((k % 2) ? 120 : 0) + (i % 5) * 3));
  obj->m_clrLine = RGB(i % 256, (i * 7) % 256, (i * 13) % 256);
  obj->m_nLineWidth = 1 + i % 3;
  // A third of the objects carry gradient fills (on the fillable kinds).
  obj->m_nFillStyle = (i % 3 == 0) ? 2 + (i / 3) % 4 : 1;
  obj->m_clrFill1 = RGB(255, 255 - i % 200, 0);
  obj->m_clrFill2 = RGB(0, 0, 128 + i % 128);
  return obj;
}

// The first paint of an object and its third (put back from what was kept).
void PrintFirstAndKept(CDC& output, const char* label, CDrawObj& obj) {
  double ms[3];
  for (double& m : ms) {
    const bench::Stopwatch watch;
    CMemDC dc(&output);
    obj.Draw(&dc, 0);
    m = watch.ElapsedMs();
  }
  std::puts(qel::FormatStr("%-28s %10.3f ms, kept %.3f ms", label, ms[0], ms[2]).c_str());
}

// Valid objects painting what the slowest damaged ones paint on the surface:
// the platform's work follows the pixels drawn, not the stated size, so these
// cost what the damaged ones do (a pipe per stroke: the damaged one, held to
// the widest stroke, shades in 1,025 strokes, this one in 257).
void PrintValidCovers(CDC& output) {
  const CPointD centre(kWidth / 2.0, kHeight / 2.0);
  CDrawEllipse turned;
  turned.SetCorners(CRectD(centre.x - 2000, centre.y - 2000, centre.x + 2000, centre.y + 2000));
  turned.m_nFillStyle = 5;
  turned.Rotate(centre, DirectionOfDegrees(30));
  PrintFirstAndKept(output, "valid turned gradient ellipse", turned);

  CDrawPolygon downward;
  for (const CPointD& p :
       {CPointD(-8, -8), CPointD(kWidth + 8, -8), CPointD(kWidth + 8, kHeight + 8), CPointD(-8, kHeight + 8)})
    downward.m_points.push_back(p);
  downward.m_nFillStyle = 3;
  PrintFirstAndKept(output, "valid gradient polygon", downward);

  CDrawPipe pipe;
  for (const CPointD& p :
       {CPointD(20, 25), CPointD(40, 25), CPointD(40, 6), CPointD(kWidth / 4.0, kHeight / 4.0)})
    pipe.m_points.push_back(p);
  pipe.m_nPipeWidth = 64;
  pipe.SetViewTransform(POINT{0, 0}, 4.0);
  PrintFirstAndKept(output, "valid pipe 256 pixels wide", pipe);

  // Within the valid extent a thin dashed stroke is one call, whose work
  // grows with the square of its dashes: a few rows across the surface.
  CDrawPoly dotted;
  for (int i = 0; i < 24; ++i) dotted.m_points.push_back(CPointD(i % 2 ? kWidth + 8 : -8, i));
  dotted.m_nLineStyle = 2;
  PrintFirstAndKept(output, "valid dotted 24 rows across", dotted);
}

// One paint of the damaged picture as the editing window makes it: the grid,
// every object, the handles of the selected ones; what a later object hides
// is left out as the window leaves it out. Returns the grid dots set.
int PaintAsTheEditor(CDC& output, CPicObj& picture) {
  CMemDC dc(&output);
  CObList& objects = picture.GetLayer(0)->m_objects;
  const CCoverCut cut(dc, objects);
  const int dots = cut.HidesBackground()
                       ? 0
                       : DrawGridDots(dc, dc.GetArea(), SIZE{picture.m_nWidth, picture.m_nHeight}, 8, 1.0,
                                      POINT{0, 0}, RGB(0, 0, 0));
  size_t index = 0;
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    auto* obj = static_cast<CDrawObj*>(objects.GetNext(pos));
    if (cut.Draws(index++, obj)) obj->Draw(&dc, 0);
  }
  for (POSITION pos = objects.GetHeadPosition(); pos;)
    static_cast<CDrawObj*>(objects.GetNext(pos))->DrawTracker(&dc, 1);
  return dots;
}

void BenchHostilePicture(CDC& output) {
  constexpr int kCopies = 10;
  constexpr int kRepaints = 5;
  std::unique_ptr<CPicObj> picture = hostile::HostilePicture(kCopies);
  const int objects = picture->GetLayer(0)->m_objects.GetCount();
  std::vector<double> runs;
  int dots = 0;
  for (int r = 0; r < kRepaints; ++r) {
    const bench::Stopwatch watch;
    dots = PaintAsTheEditor(output, *picture);
    runs.push_back(watch.ElapsedMs());
  }
  std::puts(qel::FormatStr("damaged picture %dx%d: %d objects (%d kinds of damage x %d, each "
                           "with a valid neighbour), all selected",
                           picture->m_nWidth, picture->m_nHeight, objects,
                           static_cast<int>(hostile::Cases().size()), kCopies)
                .c_str());
  PrintMs("damaged repaint (median)", bench::Median(runs));
  PrintMs("damaged repaint (slowest)", *std::max_element(runs.begin(), runs.end()));
  PrintMs("damaged, per object", bench::Median(runs) / objects);
  std::puts(qel::FormatStr("grid dots drawn per repaint: %d", dots).c_str());

  // Each kind alone, drawn with its handles, to see the slowest.
  double slowest = 0;
  const char* slowestKind = "";
  CDrawBitmap* image = nullptr;
  CObList& list = picture->GetLayer(0)->m_objects;
  POSITION pos = list.GetHeadPosition();
  for (const hostile::Case& c : hostile::Cases()) {
    auto* obj = static_cast<CDrawObj*>(list.GetNext(pos));
    list.GetNext(pos);  // its neighbour
    if (obj->GetObjType() == DOT_BITMAP) image = static_cast<CDrawBitmap*>(obj);
    CMemDC dc(&output);
    const bench::Stopwatch watch;
    obj->Draw(&dc, 0);
    obj->DrawTracker(&dc, 1);
    const double ms = watch.ElapsedMs();
    std::puts(qel::FormatStr("    %-60s %10.3f ms", c.what, ms).c_str());
    if (ms > slowest) {
      slowest = ms;
      slowestKind = c.what;
    }
  }
  std::puts(qel::FormatStr("  slowest damaged object: %.3f ms (%s)", slowest, slowestKind).c_str());

  // For comparison: valid objects that cover the whole surface cost what
  // the damaged ones, now held to the surface, cost: drawn, then put back
  // from what the first paints kept.
  CDrawRect gradient;
  gradient.SetCorners(CRectD(0, 0, kWidth, kHeight));
  gradient.m_nFillStyle = 3;
  PrintFirstAndKept(output, "valid screen-wide gradient", gradient);
  if (image) {
    image->SetCorners(CRectD(0, 0, kWidth, kHeight));
    image->SetSelected(FALSE);
    PrintFirstAndKept(output, "valid screen-wide image", *image);
  }
  PrintValidCovers(output);
}

// The damaged cases in groups nested 16 deep, all selected (a fuzzed
// picture of nested groups held such geometry): repainted as the editor does.
void BenchNestedHostilePicture(CDC& output) {
  constexpr int kDepth = 16;
  constexpr int kRepaints = 5;
  std::unique_ptr<CPicObj> picture = hostile::NestedHostilePicture(kDepth);
  std::vector<double> runs;
  for (int r = 0; r < kRepaints; ++r) {
    const bench::Stopwatch watch;
    PaintAsTheEditor(output, *picture);
    runs.push_back(watch.ElapsedMs());
  }
  std::puts(qel::FormatStr("damaged cases in groups nested %d deep, selected:", kDepth).c_str());
  PrintMs("  repaint (median)", bench::Median(runs));
  PrintMs("  repaint (slowest)", *std::max_element(runs.begin(), runs.end()));
}

// How the children of an import lie to one another.
enum class Spread {
  Turned,     // a radian further each: on the device, hundreds fall alike
  Copies,     // all the same, as one record repeated thousands of times
  Elsewhere,  // each moved to a place of its own: no two draw alike
};

// What a metafile import brings: one group of `children` polygons, each of
// `points` points around an ellipse on 150 x 150 pixels (many records, or
// outlines of hundreds of thousands of points), selected (every child draws
// its frame too) or not, to tell the frames' share.
std::unique_ptr<CDrawGroup> ImportedGroup(int children, int points, bool bSelected, Spread spread) {
  auto group = std::make_unique<CDrawGroup>();
  for (int c = 0; c < children; ++c) {
    auto* polygon = new CDrawPolygon;
    const double turn = spread == Spread::Turned ? c : 0;
    const double dx = spread == Spread::Elsewhere ? c % 400 : 0;
    const double dy = spread == Spread::Elsewhere ? c / 400 : 0;
    for (int i = 0; i < points; ++i) {
      const double a = 6.283185307179586 * i / points + turn;
      polygon->m_points.emplace_back(225 + dx + 75 * std::cos(a), 225 + dy + 75 * std::sin(a));
    }
    polygon->m_nFillStyle = 1;
    polygon->m_clrFill1 = RGB(255, 255, 255);
    polygon->m_nLineWidth = 1;
    polygon->GetRect();
    group->AddChild(polygon);
  }
  group->ResetReferenceRect();
  group->SetSelected(bSelected);
  return group;
}

void BenchImportedDrawings(CDC& output) {
  const struct {
    const char* what;
    int children, points;
    bool selected;
    Spread spread;
  } imports[] = {
      {"imported: 100,000 triangles", 100000, 3, true, Spread::Turned},
      {"  the same, not selected", 100000, 3, false, Spread::Turned},
      {"imported: 100,000 copies of one triangle", 100000, 3, true, Spread::Copies},
      {"  the same, not selected", 100000, 3, false, Spread::Copies},
      {"imported: 100,000 triangles each elsewhere", 100000, 3, true, Spread::Elsewhere},
      {"  the same, not selected", 100000, 3, false, Spread::Elsewhere},
      {"imported: 3 polygons of 300,000 points", 3, 300000, true, Spread::Turned},
  };
  for (const auto& import : imports) {
    std::unique_ptr<CDrawGroup> group =
        ImportedGroup(import.children, import.points, import.selected, import.spread);
    double ms[3];
    for (double& m : ms) {
      const bench::Stopwatch watch;
      CMemDC dc(&output);
      group->Draw(&dc, 0);
      group->DrawTracker(&dc, 1);
      m = watch.ElapsedMs();
    }
    std::puts(qel::FormatStr("%-42s first paint %9.3f ms, second %9.3f ms, third %9.3f ms", import.what,
                             ms[0], ms[1], ms[2])
                  .c_str());
  }
}

}  // namespace

// "picture_bench repaint" leaves out the damaged pictures and the imports;
// "picture_bench damaged" paints only those, "picture_bench imports" only the
// imports.
int main(int argc, char** argv) {
  RegisterObjectClasses();
  if (argc >= 2 && std::strcmp(argv[1], "imports") == 0) {
    BenchSurface surface(kWidth, kHeight);
    BenchImportedDrawings(surface.Output());
    return 0;
  }
  const bool onlyDamaged = argc >= 2 && std::strcmp(argv[1], "damaged") == 0;
  if (onlyDamaged) {
    BenchSurface surface(kWidth, kHeight);
    BenchHostilePicture(surface.Output());
    BenchNestedHostilePicture(surface.Output());
    BenchImportedDrawings(surface.Output());
    return 0;
  }
  CPicObj picture;
  picture.EnsureLayer();
  CObList& objects = picture.GetLayer(0)->m_objects;
  for (int i = 0; i < kObjects; ++i) objects.AddTail(MakeObject(i));

  BenchSurface surface(kWidth, kHeight);
  CDC& output = surface.Output();

  const RepaintFigures repaint = MeasureRepaints(surface, objects);

  // The same repaint split by kind, to see where the time goes.
  double kindMs[8] = {};
  int kindCount[8] = {};
  {
    CMemDC dc(&output);
    int i = 0;
    for (POSITION pos = objects.GetHeadPosition(); pos; ++i) {
      auto* obj = static_cast<CDrawPoly*>(objects.GetNext(pos));
      int slot = obj->m_nFillStyle >= 2 && i % 3 == 0 ? 7 : i % 7;
      double t = NowMs();
      obj->Draw(&dc, 0);
      kindMs[slot] += NowMs() - t;
      ++kindCount[slot];
    }
  }

  const StoreLoadTimes stored = TimeStoreLoad(picture, 10);

  std::puts(
      qel::FormatStr("%d objects (a third with gradient fills) on %dx%d", kObjects, kWidth, kHeight).c_str());
  PrintRepaints(repaint, kObjects);
  static const char* const kinds[8] = {
      "poly-line", "line",          "arrow", "polygon (plain)", "curve", "closed curve (plain)",
      "pipe",      "gradient fills"};
  for (int k = 0; k < 8; ++k)
    if (kindCount[k])
      std::puts(qel::FormatStr("  %-26s %10.3f ms per object (%d)", kinds[k], kindMs[k] / kindCount[k],
                               kindCount[k])
                    .c_str());
  PrintMs("store picture", stored.storeMs);
  PrintMs("load picture", stored.loadMs);
  std::puts(qel::FormatStr("picture stream: %u bytes", static_cast<unsigned>(stored.bytes.size())).c_str());

  if (argc < 2 || std::strcmp(argv[1], "repaint") != 0) {
    BenchHostilePicture(output);
    BenchNestedHostilePicture(output);
    BenchImportedDrawings(output);
  }
  return 0;
}

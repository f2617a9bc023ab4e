#include "hostile_pictures.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <limits>

#include "drawbezier.h"
#include "drawbitmap.h"
#include "drawellipse.h"
#include "drawgroup.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "drawrect.h"
#include "drawtext.h"
#include "metafile_builder.h"
#include "objectclasses.h"
#include "picfile.h"
#include "picobj.h"
#include "shapeclasses.h"
#include "shapes_test_util.h"
#include "textfont.h"

namespace hostile {

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

template <class T>
T* Points(std::initializer_list<CPointD> pts) {
  T* obj = new T;
  for (const CPointD& p : pts) obj->m_points.push_back(p);
  return obj;
}

template <class T>
T* Corners(const CRectD& r, int fillStyle) {
  T* obj = new T;
  obj->SetCorners(r);
  obj->m_nFillStyle = fillStyle;
  obj->m_clrFill1 = RGB(255, 0, 0);
  return obj;
}

LOGFONTA HugeFont() {
  LOGFONTA lf = DefaultTextFont();
  lf.lfHeight = INT_MIN;  // 0x80000000
  lf.lfWidth = INT_MIN;
  lf.lfWeight = INT_MAX;
  return lf;
}

// A BMP file of 2 x 2 pixels whose header states w x h.
std::vector<BYTE> BmpStating(LONG w, LONG h) {
  std::vector<BYTE> file = shapetest::QuadrantBmp(2, 2);
  BITMAPINFOHEADER* header = reinterpret_cast<BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
  header->biWidth = w;
  header->biHeight = h;
  return file;
}

CDrawObj* Image(const CRectD& r, const std::vector<BYTE>& bytes) {
  auto* obj = new CDrawBitmap;
  obj->SetCorners(r);
  shapetest::SetImageBytes(*obj, bytes);
  return obj;
}

// A one-pixel dashed line style: the platform's slow pen.
template <class T>
T* ThinDashed(T* obj, int style) {
  obj->m_nLineStyle = style;
  obj->m_nLineWidth = 1;
  return obj;
}

// A dotted poly-line of the most points, zig-zagging across +-1e9.
CDrawObj* ZigZag() {
  auto* poly = new CDrawPoly;
  for (int i = 0; i <= 384; ++i) poly->m_points.push_back(CPointD(i % 2 ? 1e9 : -1e9, i));
  return ThinDashed(poly, 2);
}

CDrawObj* TurnedText(CDrawMtext* obj, double degrees) {
  obj->SetText("HOSTILE TEXT WITH A FONT OF TWO BILLION PIXELS");
  obj->SetFont(HugeFont());
  obj->Rotate(CPointD(100, 100), DirectionOfDegrees(degrees));
  return obj;
}

std::vector<Case> MakeCases() {
  return {
      {"poly-line with a NaN point",
       [] {
         return Points<CDrawPoly>({{0, 0}, {kNaN, 5}, {100, 100}});
       }},
      {"poly-line reaching 1e9",
       [] {
         return Points<CDrawPoly>({{-1e9, -1e9}, {1e9, 5e8}, {10, 10}});
       }},
      {"line 8,000,000 wide",
       [] {
         auto* line = Points<CDrawLine>({{10, 10}, {190, 190}});
         line->m_nLineWidth = 8000000;
         return line;
       }},
      {"dashed poly-line 2^31-1 wide reaching -2^31",
       [] {
         auto* poly = Points<CDrawPoly>({{-2147483648.0, 50}, {190, 50}, {190, -2147483648.0}});
         poly->m_nLineWidth = INT_MAX;
         poly->m_nLineStyle = 3;
         return poly;
       }},
      {"gradient polygon with a corner at -2^31",
       [] {
         auto* polygon = Points<CDrawPolygon>({{-2147483648.0, 50}, {150, -1e9}, {190, 190}});
         polygon->m_nFillStyle = 2;
         return polygon;
       }},
      {"closed curve reaching 1e12",
       [] {
         auto* curve = Points<CDrawBezierFill>({{0, 0}, {1e12, 100}, {100, 1e12}, {-1e12, 50}});
         curve->m_nFillStyle = 3;
         return curve;
       }},
      {"curve through an infinite point",
       [] {
         return Points<CDrawBezier>({{0, 0}, {kInfinity, 100}, {100, 100}});
       }},
      {"pipe 2^31-1 wide",
       [] {
         auto* pipe = Points<CDrawPipe>({{10, 100}, {190, 100}, {190, 10}, {1e9, 1e9}});
         pipe->m_nPipeWidth = INT_MAX;
         return pipe;
       }},
      {"arrow head 2^31-1 long",
       [] {
         auto* arrow = Points<CDrawArrow>({{10, 10}, {100, 100}});
         arrow->m_nHeadSize = INT_MAX;
         arrow->m_nHeadAngle = INT_MAX;
         return arrow;
       }},
      {"rectangle with NaN corners", [] { return Corners<CDrawRect>(CRectD(kNaN, 0, 10, kNaN), 4); }},
      {"rectangle whose sides overflow",
       [] { return Corners<CDrawRect>(CRectD(-1e308, -1e308, 1e308, 1e308), 4); }},
      {"dashed rectangle 1e9 wide with a line 8,000,000 wide",
       [] {
         auto* rect = Corners<CDrawRect>(CRectD(-1e9, -1e9, 1e9, 1e9), 5);
         rect->m_nLineWidth = 8000000;
         rect->m_nLineStyle = 2;
         rect->m_nPerFillDir = 1;
         rect->m_dPerFill = 0.5;
         return rect;
       }},
      {"turned ellipse 1e9 wide",
       [] {
         auto* ellipse = Corners<CDrawEllipse>(CRectD(-1e9, -1e9, 1e9, 1e9), 5);
         ellipse->Rotate(CPointD(0, 0), DirectionOfDegrees(30));
         return ellipse;
       }},
      {"text with a font of 0x80000000",
       [] {
         auto* text = new CDrawText;
         text->SetText("HOSTILE TEXT WITH A FONT OF TWO BILLION PIXELS");
         text->SetFont(HugeFont());
         text->SetPoints(CPointD(10, 10), CPointD(1e9, 2e9));
         return text;
       }},
      {"turned multi-line text 1e9 wide with a font of 0x80000000",
       [] {
         auto* mtext = Corners<CDrawMtext>(CRectD(-1e9, -1e9, 1e9, 1e9), 0);
         return TurnedText(mtext, 30);
       }},
      {"upright tag value with a font of 0x80000000",
       [] {
         auto* tag = Corners<CDrawTagVal>(CRectD(0, 0, 200, 200), 0);
         tag->SetText("12345.678");
         tag->SetFont(HugeFont());
         return tag;
       }},
      {"dotted poly-line of 385 points zig-zagging across 2e9", ZigZag},
      {"dash-dot filled rectangle 2e9 wide with a one-pixel line",
       [] { return ThinDashed(Corners<CDrawRect>(CRectD(-1e9, -1e9, 1e9, 1e9), 1), 3); }},
      {"dotted ellipse 2e9 wide with a one-pixel line",
       [] { return ThinDashed(Corners<CDrawEllipse>(CRectD(-1e9, -1e9, 1e9, 1e9), 0), 1); }},
      {"dash-dot-dot arrow 2e9 long with a one-pixel line",
       [] {
         return ThinDashed(Points<CDrawArrow>({{-1e9, 10}, {1e9, 190}}), 4);
       }},
      {"dotted curve across 2e9 with a one-pixel line",
       [] {
         return ThinDashed(Points<CDrawBezier>({{-1e9, 0}, {0, 1e9}, {1e9, 100}}), 2);
       }},
      {"dashed filled polygon across 2e9 with a one-pixel line",
       [] {
         auto* polygon = Points<CDrawPolygon>({{-1e9, 10}, {1e9, 20}, {100, 1e9}});
         polygon->m_nFillStyle = 1;
         return ThinDashed(polygon, 1);
       }},
      {"image stating 30,000 x 30,000 pixels",
       [] { return Image(CRectD(0, 0, 100, 100), BmpStating(30000, 30000)); }},
      {"image with corners at 1e9", [] { return Image(CRectD(-1e9, -1e9, 1e9, 1e9), BmpStating(2, 2)); }},
      {"image of a metafile with a pen 2^30 wide and a polygon reaching 1e8",
       [] {
         metafiletest::EmfBuilder emf;
         emf.Add(EMR_CREATEPEN, {1, PS_SOLID, 1u << 30, 0, 0})
             .Add(EMR_SELECTOBJECT, {1})
             .Add(EMR_POLYGON, {0, 0, 100, 100, 3, 10, 10, 100000000, 50, 50, 90});
         return Image(CRectD(0, 0, 200, 200), emf.Bytes());
       }},
      {"image of a metafile magnified a million times, corners at 1e9",
       [] {
         metafiletest::EmfBuilder emf;
         emf.Add(EMR_SETWORLDTRANSFORM,
                 {metafiletest::FloatWord(1e6f), 0, 0, metafiletest::FloatWord(1e6f), 0, 0})
             .Add(EMR_ELLIPSE, {10, 10, 90, 90});
         return Image(CRectD(-1e9, -1e9, 1e9, 1e9), emf.Bytes());
       }},
  };
}

}  // namespace

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = MakeCases();
  return cases;
}

CDrawObj* ValidNeighbour() {
  auto* rect = new CDrawRect;
  rect->SetCorners(CRectD(150, 150, 170, 170));
  rect->m_clrLine = kNeighbourColour;
  rect->m_clrFill1 = kNeighbourColour;
  return rect;
}

namespace {

std::unique_ptr<CPicObj> StoredAndLoadedSelected(CPicObj& made) {
  const std::vector<BYTE> bytes = StorePictureBytes(made);
  std::unique_ptr<CPicObj> loaded(LoadPictureBuffer(bytes.data(), static_cast<UINT>(bytes.size())));
  CObList& back = loaded->GetLayer(0)->m_objects;
  for (POSITION pos = back.GetHeadPosition(); pos;)
    static_cast<CDrawObj*>(back.GetNext(pos))->SetSelected(TRUE);
  return loaded;
}

CPicObj* NewHostileCanvas() {
  RegisterObjectClasses();
  RegisterShapeClasses();
  auto* made = new CPicObj;
  made->m_nWidth = kPictureWidth;
  made->m_nHeight = kPictureHeight;
  made->EnsureLayer();
  return made;
}

}  // namespace

std::unique_ptr<CPicObj> NestedHostilePicture(int depth) {
  std::unique_ptr<CPicObj> made(NewHostileCanvas());
  const std::vector<Case>& cases = Cases();
  const size_t perLevel = (cases.size() + depth - 1) / depth;
  // Built from the innermost group outwards.
  CDrawGroup* inner = nullptr;
  for (int level = depth - 1; level >= 0; --level) {
    auto* group = new CDrawGroup;
    for (size_t i = level * perLevel; i < std::min(cases.size(), (level + 1) * perLevel); ++i) {
      group->AddChild(cases[i].make());
      group->AddChild(ValidNeighbour());
    }
    if (inner) group->AddChild(inner);
    group->ResetReferenceRect();
    inner = group;
  }
  made->GetLayer(0)->m_objects.AddTail(inner);
  return StoredAndLoadedSelected(*made);
}

std::unique_ptr<CPicObj> HostilePicture(int copies) {
  std::unique_ptr<CPicObj> made(NewHostileCanvas());
  CObList& objects = made->GetLayer(0)->m_objects;
  for (int k = 0; k < copies; ++k) {
    for (const Case& c : Cases()) {
      objects.AddTail(c.make());
      objects.AddTail(ValidNeighbour());
    }
  }
  return StoredAndLoadedSelected(*made);
}

}  // namespace hostile

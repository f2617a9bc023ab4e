#include "linkdialogs.h"

#include <climits>

#include "actkinds.h"
#include "dialogs/editdialogs.h"
#include "drawobj.h"
#include "linksheet.h"
#include "pages/pageactcolor.h"
#include "pages/pageexp.h"
#include "pages/pageoutfmt.h"
#include "pages/pageperfill.h"
#include "pages/pagepointer.h"
#include "pages/pageroll.h"
#include "pages/pageselpic.h"
#include "pages/pagetext.h"
#include "pages/pagetrigger.h"
#include "piceditwnd.h"
#include "propdesc.h"

namespace {

const int kFirstEventKind = 100;  // the mouse and control events

// The sheet of a direct link: its expression (with the kind's note), the
// kind's own page when it has one, and its trigger.
int RunDirectSheet(CPicEditWnd* wnd, CAction* link, const char* title, const char* note, CPropertyPage* own) {
  CPageExp expression(wnd, link);
  expression.m_strExpression = link->m_strExpression;
  expression.m_strNote = note;
  CPageTrigger trigger(wnd, link);
  trigger.m_nTrigger = link->m_nTrigger;
  trigger.m_nPeriod = link->m_nPeriod;
  if (own) return RunLinkSheet(wnd, title, {&expression, own, &trigger});
  return RunLinkSheet(wnd, title, {&expression, &trigger});
}

// A direct link's dialog by kind.
struct DirectLinkDialog {
  int firstKind, lastKind;
  int (*open)(CPicEditWnd* wnd, CAction* link);
};

const DirectLinkDialog kDirectLinkDialogs[] = {
    {AK_TAGVALUE, AK_TAGVALUE, EditTagValLink}, {AK_COLOR, AK_FILLCOLOR, EditColorLink},
    {AK_FLASH, AK_FLASH, EditFlashLink},        {AK_SHOWHIDE, AK_SHOWHIDE, EditShowHideLink},
    {AK_ROLL, AK_ROLL, EditRollLink},           {AK_PERFILL, AK_PERFILL, EditPerFillLink},
    {AK_POINTER, AK_POINTER, EditPointerLink},  {AK_MOUSE_CLICK, AK_RBUTTON_UP, EditHyperLink},
};

}  // namespace

int EditTagValLink(CPicEditWnd* wnd, CAction* link) {
  auto* value = LinkOfKinds<CActTagVal>(link, AK_TAGVALUE, AK_TAGVALUE);
  if (!value) return 0;
  CPageOutFmt format(wnd, link);
  format.m_nDecimals = value->m_nDecimals;
  return RunDirectSheet(wnd, link, "标签值-直接连接", "", &format);
}

int EditColorLink(CPicEditWnd* wnd, CAction* link) {
  auto* color = LinkOfKinds<CActColor>(link, AK_COLOR, AK_FILLCOLOR);
  if (!color) return 0;
  CPageActColor levels(wnd, link);
  levels.m_nLevels = color->m_nLevels;
  for (int i = 0; i < CActColor::kLevels; ++i) levels.m_colors[i] = color->m_colors[i];
  levels.m_strThresholds = color->m_strThresholds;
  levels.m_nSegment = 1;
  const char* title = color->GetKind() == AK_COLOR ? "颜色-直接连接" : "填充颜色-直接连接";
  return RunDirectSheet(wnd, link, title, "", &levels);
}

int EditPointerLink(CPicEditWnd* wnd, CAction* link) {
  auto* pointer = LinkOfKinds<CActPointer>(link, AK_POINTER, AK_POINTER);
  if (!pointer) return 0;
  CPagePointer range(wnd, link);
  range.m_dMinimum = pointer->m_dMinimum;
  range.m_dMaximum = pointer->m_dMaximum;
  range.m_nMinAngle = pointer->m_nStartAngle;
  range.m_nMaxAngle = pointer->m_nEndAngle;
  return RunDirectSheet(wnd, link, "仪表指针-直接连接", "", &range);
}

int EditPerFillLink(CPicEditWnd* wnd, CAction* link) {
  auto* fill = LinkOfKinds<CActPerFill>(link, AK_PERFILL, AK_PERFILL);
  if (!fill) return 0;
  CPagePerFill page(wnd, link);
  page.m_dMinimum = fill->m_dMinimum;
  page.m_dMaximum = fill->m_dMaximum;
  page.m_nDirection = fill->m_nDirection;
  page.SetFillColor(fill->m_clrFill);
  return RunDirectSheet(wnd, link, "百分比填充-直接连接", "", &page);
}

int EditShowHideLink(CPicEditWnd* wnd, CAction* link) {
  if (!LinkOfKinds<CAction>(link, AK_SHOWHIDE, AK_SHOWHIDE)) return 0;
  return RunDirectSheet(wnd, link, "显示/隐藏-直接连接", "注:表达式结果为TRUE显示,FASLE隐藏", nullptr);
}

int EditFlashLink(CPicEditWnd* wnd, CAction* link) {
  if (!LinkOfKinds<CAction>(link, AK_FLASH, AK_FLASH)) return 0;
  return RunDirectSheet(wnd, link, "闪烁-直接连接", "注:表达式结果为TRUE闪烁,FASLE按原状态显示", nullptr);
}

int EditRollLink(CPicEditWnd* wnd, CAction* link) {
  auto* roll = LinkOfKinds<CActRoll>(link, AK_ROLL, AK_ROLL);
  if (!roll) return 0;
  CPageRoll page(wnd, link);
  page.m_nMode = roll->m_nSwing;
  page.m_nStep = roll->m_nStep;
  return RunDirectSheet(wnd, link, "旋转-直接连接", "注:表达式结果为TRUE旋转,FASLE停止或复位!", &page);
}

int EditHyperLink(CPicEditWnd* wnd, CAction* link) {
  auto* event = LinkOfKinds<CActEvent>(link, kFirstEventKind, INT_MAX);
  CString target;
  if (!event || !HyperLinkTarget(event->m_strCommand, target)) return 0;
  CPageSelPic page(wnd, link);
  if (wnd) page.m_strFolder = wnd->GetPictureFolder();
  page.m_strCurrent = target;
  return RunLinkSheet(wnd, "事件-超级连接", {&page});
}

int EditScriptLink(CPicEditWnd* wnd, CAction* link) {
  if (!link) return 0;
  OpenScriptDialog(wnd ? wnd->m_hWnd : nullptr, link, link->GetOwner());
  return 1;
}

int EditDirectLink(CPicEditWnd* wnd, CAction* link) {
  if (!link) return 0;
  const int kind = link->GetKind();
  for (const DirectLinkDialog& dialog : kDirectLinkDialogs)
    if (kind >= dialog.firstKind && kind <= dialog.lastKind) return dialog.open(wnd, link);
  return 0;
}

int EditTextSheet(CPicEditWnd* wnd, CDrawObj* object) {
  if (!object) return 0;
  CPageText page(wnd, object);
  page.m_strText = object->GetText();
  const char* title = GetTypeName(object->GetObjType());
  const int confirmed = RunLinkSheet(wnd, title ? title : "", {&page});
  return confirmed || page.GetWriteCount() > 0;
}

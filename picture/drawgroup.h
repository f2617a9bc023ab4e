// CDrawGroup: a draw object (kind 50) that owns an ordered list of child
// draw objects and passes almost every operation on to them, so that the
// set moves, scales, turns, draws, is hit and animates as one.
//
// Two rectangles matter. The group's own rectangle (the CDrawObj one) always
// follows the children: GetRect recomputes it as their union. The reference
// rectangle is where the group is to go: a handle drag moves it alone, and
// RescaleChildren then fits the children into it. Every other operation ends
// with both equal.
//
// Nesting. Every operation that a group passes on to its children goes one
// call level deeper per level of groups, so groups never nest deeper than
// kMaxNesting: a picture, clipboard or undo stream that nests them deeper is
// refused while it loads (the archive exception), and AddChild refuses a child
// that would make any group deeper. With that bound on the structure itself,
// no walk through the children (delete, attach, prepare, draw, hit test,
// search, properties, scaling, copying, cloning) can go deeper either.
#pragma once

#include <vector>

#include "drawobj.h"

class CDrawGroup : public CDrawObj {
  DECLARE_SERIAL(CDrawGroup)

 public:
  CDrawGroup();
  ~CDrawGroup() override;  // deletes the children, head first

  void Serialize(CArchive& ar) override;
  BOOL AttachView(const DrawViewContext* pContext, BOOL bRunTime) override;
  void PrepareActions(const DrawViewContext* pContext) override;
  void SetViewTransform(POINT ptOrigin, double dZoom) override;
  // On the reference rectangle, or the own one while the reference is degenerate.
  CPointD GetHandle(int nHandle) override;
  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  // Moves a side or corner of the reference rectangle only.
  void MoveHandleTo(int& nHandle, const CPointD& point, HWND hView) override;
  // The union of the children's areas (their pens, arrow heads and pipes
  // reach beyond their rectangles).
  RECT GetInvalidRect() override;
  // The union of the children's normalised rectangles, stored as the own one.
  CRectD GetRect() override;
  void Draw(CDC* pDC, DWORD dwFlags) override;
  void DrawTracker(CDC* pDC, int nState) override;
  void MoveBy(const CPointD& offset) override;
  void Rotate(const CPointD& centre, const DirPair& turn) override;
  void Flip(double x, double y, int nAxis) override;
  void OnViewChanged() override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;
  void CountWindows(int& nCount) override;
  void DeferWindowPos(HDWP& hdwp) override;
  void Scale(const CPointD& anchor, double dFactor) override;
  void SetSelected(BOOL bSelected) override;
  BOOL IsSelected(CDrawObj** ppObj) override;
  BOOL HasType(DrawObjType type) override;
  // Copies the children, not the group.
  void CopyToList(CObList& list) override;
  void CompileScripts(HWND hOutput, const char* pszCompiler, int& nErrors) override;
  CDrawObj* FindByName(const char* pszName) override;
  CDrawObj* FindByNameShallow(const char* pszName) override;
  int FireActions(int nKind, DWORD dwTick, HWND hWnd) override;
  void SetVisible(BOOL bVisible) override;

  // Fits the children into the reference rectangle with one factor, taken
  // from the dimension that changed more; the top-left corner goes to the
  // reference rectangle's.
  void RescaleChildren();
  // Moves the windows of all control children in one deferred batch.
  void MoveChildWindows();

  // From this many children on, a group leaves out of its paint each child
  // that a later child draws alike (CRunDrawing): a metafile that repeats
  // one record thousands of times imports as such a group. Smaller groups
  // draw every child and pay nothing for the search.
  static constexpr int kTwinSearchChildren = 256;

  // The deepest nesting of groups that the model holds: a group of leaf
  // objects is 1 level, a group holding such a group 2.
  static constexpr int kMaxNesting = 64;
  // Levels of groups in the object: 0 for a leaf object.
  static int NestingOf(CDrawObj* pObj);

  // Takes ownership of a child (appended: drawn last). Refuses (FALSE, the
  // caller keeps the child) a child that would nest this group, or the
  // groups that hold it, deeper than kMaxNesting, and a group that is held
  // already or that holds this one.
  BOOL AddChild(CDrawObj* pChild);
  const CObList& GetChildren() const { return m_children; }
  // Calls fn(CDrawObj*) for each child in drawing order.
  template <class Fn>
  void ForEachChild(Fn fn) const;
  // Gives up every child, in drawing order, to the caller (the group is left
  // empty and the children's groups are free to be held again).
  std::vector<CDrawObj*> ReleaseChildren();
  // Reference rectangle := union of the children (after building a group).
  void ResetReferenceRect() { m_rectRef = GetRect(); }
  const CRectD& GetReferenceRect() const { return m_rectRef; }
  void SetReferenceRect(const CRectD& r) { m_rectRef = r; }

 protected:
  bool HasReferenceRect() const;
  // Records 22, 9 and 10 after what the list holds.
  void AppendGroupProps(PropDescList* pList);
  // Ids 9 and 10; 1 when handled.
  BOOL SetGroupProp(int nId, LONG_PTR value);
  // The own rectangle in device units grown by 4 pixels.
  RECT OwnFrameRect();
  // Handles 1 to 8 and the four sides of the reference rectangle; the
  // handle number, 0 on a side, -1 for a miss.
  int HitReferenceFrame(const CPointD& point);

  CObList m_children;  // CDrawObj, owned, in drawing order
  CRectD m_rectRef;    // not stored

 private:
  // Levels of groups from this one down (at least 1).
  int Nesting() const;
  // Makes this group the holder of the child when the child is a group.
  void Adopt(CDrawObj* pChild);
  // In drawing order, whether a later child draws the child's pixels alike
  // on hdc; empty when the group is small or the DC mixes what it draws.
  std::vector<bool> ChildrenCoveredByLaterTwins(HDC hdc) const;

  // The group that holds this one (none at the top): not stored, set when
  // the holder takes it, so that AddChild sees the levels above.
  CDrawGroup* m_pHolder = nullptr;
};

// Child of a group, cast from the list's element.
inline CDrawObj* ChildAt(CObject* p) { return static_cast<CDrawObj*>(p); }

template <class Fn>
void CDrawGroup::ForEachChild(Fn fn) const {
  for (POSITION pos = m_children.GetHeadPosition(); pos;) fn(ChildAt(m_children.GetNext(pos)));
}

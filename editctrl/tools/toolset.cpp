// The process's tools, one of each, made on first use from the tool table.
#include <memory>
#include <vector>

#include "drawtool.h"
#include "recttool.h"
#include "selecttool.h"
#include "shapetool.h"
#include "texttool.h"
#include "toolobjects.h"

namespace {

std::unique_ptr<CDrawTool> MakeTool(const ToolKind& kind) {
  switch (kind.family) {
    case TF_POINTS: return std::make_unique<CShapeTool>(kind.id, kind.pointLimit);
    case TF_FRAMED: return std::make_unique<CRectTool>(kind.id);
    case TF_TEXT: return std::make_unique<CTextTool>();
    default: return nullptr;
  }
}

const std::vector<std::unique_ptr<CDrawTool>>& DrawingTools() {
  static const std::vector<std::unique_ptr<CDrawTool>> tools = [] {
    std::vector<std::unique_ptr<CDrawTool>> made;
    for (int id = 1; id <= DOT_PLUGIN; ++id)
      if (std::unique_ptr<CDrawTool> tool = MakeTool(ToolKindOf(id))) made.push_back(std::move(tool));
    return made;
  }();
  return tools;
}

}  // namespace

CDrawTool* CDrawTool::FindTool(int id) {
  if (id == 0) return &SelectionTool();
  for (const std::unique_ptr<CDrawTool>& tool : DrawingTools())
    if (tool->Id() == id) return tool.get();
  return nullptr;
}

void CDrawTool::TellLayerChanging(CPicEditWnd& wnd) {
  SelectionTool().OnLayerChanging(wnd);
  for (const std::unique_ptr<CDrawTool>& tool : DrawingTools()) tool->OnLayerChanging(wnd);
}

void CDrawTool::TellWindowGone(HWND hwnd) {
  SelectionTool().OnWindowGone(hwnd);
  for (const std::unique_ptr<CDrawTool>& tool : DrawingTools()) tool->OnWindowGone(hwnd);
}

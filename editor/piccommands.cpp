// The commands of the active picture window: one table of what each command
// sends its editing window, when it is enabled and when it carries a check
// mark, asked of the window with QCM_QUERY.
#include <algorithm>

#include "commands/cmdids.h"
#include "commands/cmdui.h"
#include "crtformat.h"
#include "editorapp.h"
#include "editortexts.h"
#include "mainframe.h"
#include "msgbox.h"
#include "qel/picmsg.h"
#include "picview.h"
#include "resource.h"

namespace {

// What a command does.
enum class Act {
  kSend,           // msg with the parameter as its second parameter
  kTool,           // QCM_SELECTTOOL with the parameter; checked while it is the tool
  kNotOpen,        // a box: the function is not open yet (the parameter: its text)
  kSave,           // QCM_SAVEPIC while the picture is modified
  kSnap,           // QCM_SNAPGRID turning snapping over; checked while it is on
  kAlign,          // QCM_ARRANGE with the parameter; the alignment drop-down takes the choice
  kAlignDropDown,  // QCM_ARRANGE with the drop-down's choice
  kZoom,           // the zoom of the command; the zoom drop-down takes the choice
  kZoomDropDown,   // the drop-down's choice again
  kCompile,        // the picture's scripts compiled into the output bar
};

// When a command is enabled ("count": the number of selected objects).
enum class Rule {
  kAlways,
  kAnySelected,     // count > 0
  kTwoSelected,     // count > 1
  kThreeSelected,   // count > 2
  kOneSelected,     // count = 1
  kQuery,           // the answer to the query code is not 0
  kMakeSubPicture,  // count > 0 and no sub-picture alone selected
  kZoomIn,          // zoom < 400
  kZoomOut,         // zoom > 25
  kZoom100,         // zoom differs from 100
};

}  // namespace

struct PicCommand {
  UINT id;
  Act act;
  UINT msg;
  LPARAM param;
  Rule rule;
  int query;  // the query code of Rule::kQuery
};

namespace {

constexpr int kPluginTool = 151;

#define TOOL(id, tool) \
  { id, Act::kTool, QCM_SELECTTOOL, tool, Rule::kAlways, 0 }
#define SEND(id, msg, param, rule) \
  { id, Act::kSend, msg, param, rule, 0 }
#define SEND_IF(id, msg, param, query) \
  { id, Act::kSend, msg, param, Rule::kQuery, query }

const PicCommand kCommands[] = {
    TOOL(ID_TOOL_SELECT, 0),
    TOOL(ID_TOOL_POLYLINE, 1),
    TOOL(ID_TOOL_LINE, 2),
    TOOL(ID_TOOL_TEXT, 3),
    TOOL(ID_TOOL_POLYGON, 4),
    TOOL(ID_TOOL_RECT, 5),
    TOOL(ID_TOOL_CURVE, 6),
    TOOL(ID_TOOL_CLOSEDCURVE, 7),
    TOOL(ID_TOOL_ELLIPSE, 8),
    TOOL(ID_TOOL_ARROW, 9),
    TOOL(ID_TOOL_PIPE, 10),
    TOOL(ID_TOOL_TAGVALUE, 11),
    TOOL(ID_TOOL_IMAGE, 12),
    TOOL(ID_TOOL_MULTITEXT, 13),
    TOOL(ID_TOOL_BUTTON, 101),
    TOOL(ID_TOOL_CHECKBOX, 102),
    TOOL(ID_TOOL_RADIO, 103),
    TOOL(ID_TOOL_EDIT, 104),
    TOOL(ID_TOOL_ACTIVEX, 150),
    // Plug-in controls are not drawn from here yet: the command only says so,
    // though it shows its check mark while the plug-in tool is the tool.
    {ID_TOOL_PLUGIN, Act::kNotOpen, 0, reinterpret_cast<LPARAM>(kTextPluginNotOpen), Rule::kAlways, 0},
    SEND(ID_EDIT_COPY, QCM_COPY, 0, Rule::kAnySelected),
    SEND(ID_EDIT_CUT, QCM_CUT, 0, Rule::kAnySelected),
    SEND_IF(ID_EDIT_PASTE, QCM_PASTE, 0, QCQ_CANPASTE),
    SEND_IF(ID_EDIT_UNDO, QCM_UNDO, 0, QCQ_CANUNDO),
    SEND_IF(ID_EDIT_REDO, QCM_REDO, 0, QCQ_CANREDO),
    {ID_SAVE_PICTURE, Act::kSave, QCM_SAVEPIC, 0, Rule::kQuery, QCQ_MODIFIED},
    {ID_SNAP_GRID, Act::kSnap, QCM_SNAPGRID, 0, Rule::kAlways, 0},
    SEND_IF(ID_GROUP, QCM_GROUP, 0, QCQ_MULTISEL),
    SEND_IF(ID_UNGROUP, QCM_GROUP, 1, QCQ_GROUPSEL),
    SEND(ID_MAKE_SUBPICTURE, QCM_SUBPICTURE, 0, Rule::kMakeSubPicture),
    SEND_IF(ID_BREAK_SUBPICTURE, QCM_SUBPICTURE, 1, QCQ_SUBPICTURESEL),
    {ID_ALIGN_LEFT, Act::kAlign, QCM_ARRANGE, QCA_ALIGNLEFT, Rule::kTwoSelected, 0},
    {ID_ALIGN_TOP, Act::kAlign, QCM_ARRANGE, QCA_ALIGNTOP, Rule::kTwoSelected, 0},
    {ID_ALIGN_RIGHT, Act::kAlign, QCM_ARRANGE, QCA_ALIGNRIGHT, Rule::kTwoSelected, 0},
    {ID_ALIGN_BOTTOM, Act::kAlign, QCM_ARRANGE, QCA_ALIGNBOTTOM, Rule::kTwoSelected, 0},
    {ID_ALIGN_DROPDOWN, Act::kAlignDropDown, QCM_ARRANGE, 0, Rule::kTwoSelected, 0},
    SEND(ID_SPACE_HORZ, QCM_ARRANGE, QCA_SPACEHORZ, Rule::kThreeSelected),
    SEND(ID_SPACE_VERT, QCM_ARRANGE, QCA_SPACEVERT, Rule::kThreeSelected),
    SEND(ID_ORDER_BACKWARD, QCM_ARRANGE, QCA_BACKWARD, Rule::kOneSelected),
    SEND(ID_ORDER_FORWARD, QCM_ARRANGE, QCA_FORWARD, Rule::kOneSelected),
    SEND(ID_ROTATE, QCM_ROTATE, 0, Rule::kAnySelected),
    SEND(ID_MIRROR_HORZ, QCM_ROTATE, 1, Rule::kAnySelected),
    SEND(ID_MIRROR_VERT, QCM_ROTATE, 2, Rule::kAnySelected),
    SEND(ID_IMPORT_WMF, QCM_IMPORTWMF, 0, Rule::kAlways),
    {ID_ZOOM_IN, Act::kZoom, QCM_ZOOM, 0, Rule::kZoomIn, 0},
    {ID_ZOOM_OUT, Act::kZoom, QCM_ZOOM, 0, Rule::kZoomOut, 0},
    {ID_ZOOM_100, Act::kZoom, QCM_ZOOM, 0, Rule::kZoom100, 0},
    {ID_ZOOM_DROPDOWN, Act::kZoomDropDown, 0, 0, Rule::kAlways, 0},
    {ID_COMPILE_PICTURE, Act::kCompile, QCM_COMPILE, 0, Rule::kAlways, 0},
    {ID_PREVIEW, Act::kNotOpen, 0, reinterpret_cast<LPARAM>(kTextPreviewNotOpen), Rule::kAlways, 0},
};

#undef TOOL
#undef SEND
#undef SEND_IF

const PicCommand* FindCommand(UINT id) {
  for (const PicCommand& command : kCommands)
    if (command.id == id) return &command;
  return nullptr;
}

// The tool whose check mark a command shows, or -1.
int CheckedTool(const PicCommand& command) {
  if (command.act == Act::kTool) return static_cast<int>(command.param);
  return command.id == ID_TOOL_PLUGIN ? kPluginTool : -1;
}

}  // namespace

BOOL CPicView::OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) {
  const PicCommand* command = FindCommand(id);
  if (!command || (code != CN_COMMAND && code != CN_UPDATE_COMMAND_UI))
    return CView::OnCmdMsg(id, code, extra, info);
  if (info) {
    info->target = this;
  } else if (code == CN_COMMAND) {
    RunCommand(*command);
  } else {
    UpdateCommand(*command, static_cast<CCmdUI*>(extra));
  }
  return TRUE;
}

bool CPicView::IsEnabled(const PicCommand& command) const {
  auto count = [this] { return m_edit.Query(QCQ_SELCOUNT); };
  switch (command.rule) {
    case Rule::kAlways: return true;
    case Rule::kAnySelected: return count() > 0;
    case Rule::kTwoSelected: return count() > 1;
    case Rule::kThreeSelected: return count() > 2;
    case Rule::kOneSelected: return count() == 1;
    case Rule::kQuery: return m_edit.Query(command.query) != 0;
    case Rule::kMakeSubPicture: return count() > 0 && m_edit.Query(QCQ_SUBPICTURESEL) == 0;
    case Rule::kZoomIn: return m_zoom < kZoomMax;
    case Rule::kZoomOut: return m_zoom > kZoomMin;
    case Rule::kZoom100: return m_zoom != kZoomDefault;
  }
  return false;
}

void CPicView::UpdateCommand(const PicCommand& command, CCmdUI* ui) {
  ui->Enable(IsEnabled(command));
  int tool = CheckedTool(command);
  if (tool >= 0) ui->SetCheck(m_edit.Query(QCQ_TOOL) == tool);
  if (command.act == Act::kSnap) ui->SetCheck(m_edit.Query(QCQ_SNAP) != 0);
}

void CPicView::RunCommand(const PicCommand& command) {
  CMainFrame* frame = EditorMainFrame();
  switch (command.act) {
    case Act::kSend:
    case Act::kTool: m_edit.Send(command.msg, 0, command.param); return;
    case Act::kNotOpen:
      QelMessageBox(m_hWnd, reinterpret_cast<const char*>(command.param), kTitleInfo,
                    MB_OK | MB_ICONINFORMATION);
      return;
    case Act::kSave:
      if (IsPictureModified()) SavePicture();
      return;
    case Act::kSnap: m_edit.Send(QCM_SNAPGRID, 0, m_edit.Query(QCQ_SNAP) ? 0 : 1); return;
    case Act::kAlign:
      m_edit.Send(QCM_ARRANGE, 0, command.param);
      if (frame) frame->SetAlignChoice(command.id);
      return;
    case Act::kAlignDropDown:
      if (frame) m_edit.Send(QCM_ARRANGE, 0, static_cast<LPARAM>(frame->GetAlignChoice() - ID_ALIGN_LEFT));
      return;
    case Act::kZoom: Zoom(command.id); return;
    case Act::kZoomDropDown:
      // The choice again, unless the zoom already stands at its limit.
      if (const PicCommand* choice = frame ? FindCommand(frame->GetZoomChoice()) : nullptr)
        if (IsEnabled(*choice)) Zoom(choice->id);
      return;
    case Act::kCompile: CompilePicture(); return;
  }
}

void CPicView::Zoom(UINT id) {
  int zoom = id == ID_ZOOM_IN    ? std::min(m_zoom + kZoomStep, static_cast<int>(kZoomMax))
             : id == ID_ZOOM_OUT ? std::max(m_zoom - kZoomStep, static_cast<int>(kZoomMin))
                                 : static_cast<int>(kZoomDefault);
  m_zoom = zoom;
  m_edit.Send(QCM_ZOOM, 0, zoom);
  if (CMainFrame* frame = EditorMainFrame()) frame->SetZoomChoice(id);
}

void CPicView::CompilePicture() {
  CMainFrame* frame = EditorMainFrame();
  CEditorApp* app = EditorApp();
  if (!frame || !app) return;
  frame->ShowOutput();
  frame->AppendOutput(m_strPictureName);
  std::string compiler = app->GetProgramFolder() + kCompilerPath;
  int errors = Compile(compiler.c_str());
  if (errors <= 0)
    frame->AppendOutput(qel::FormatStr(kTextPictureErrors, errors).c_str());
  else
    frame->AppendOutput(
        qel::FormatStr(kTextPictureErrorsAfterOutput, m_strPictureName.GetString(), errors).c_str());
}

// CQelideDoc: the connection entries, edited in the connection settings
// library's dialogs.
#include <algorithm>

#include "crtformat.h"
#include "modulehandle.h"
#include "editorapp.h"
#include "editortexts.h"
#include "msgbox.h"
#include "nurvexapi.h"
#include "qelidedoc.h"

void CQelideDoc::ConfigureRtdb() {
  CEditorApp* app = EditorApp();
  CString path = CString(app ? app->GetProgramFolder().c_str() : "") + kSettingsLibrary;
  CModuleHandle library(path);
  if (!library.IsLoaded()) {
    QelMessageBox(nullptr, qel::FormatStr(kTextNoSettingsLibrary, path.GetString()).c_str(), nullptr, MB_OK);
    return;
  }
  auto create = library.Find<NurvexCreateFn>("i_Create");
  auto destroy = library.Find<NurvexDestroyFn>("i_Destroy");
  auto config = library.Find<NurvexConfigFn>("i_Config");
  auto getArgs = library.Find<NurvexGetArgsFn>("i_GetArgs");
  if (!create || !destroy || !config || !getArgs) {
    QelMessageBox(nullptr, qel::FormatStr(kTextBadSettingsLibrary, path.GetString()).c_str(), nullptr, MB_OK);
    return;
  }
  CRtdbConnBlock entries = m_project.m_conn;  // copies: the library gets its own
  NurvexHandle handle = create(entries.entries, m_project.m_conn.ValidCount());
  int confirmed = 0;
  config(handle, &confirmed);
  if (handle && confirmed) {
    CRtdbConnBlock edited;
    edited.Clear();
    int count = 0;
    if (getArgs(handle, edited.entries, kMaxConnEntries, &count) == 0) {
      edited.count = std::min(std::max(count, 0), static_cast<int>(kMaxConnEntries));
      for (int i = 0; i < kMaxConnEntries; ++i) {
        if (i >= edited.count) edited.entries[i] = RtdbConnEntry{};
        TerminateConnEntry(edited.entries[i]);
      }
      edited.reserved = 0;
      m_project.m_conn = edited;
      SetModifiedFlag(TRUE);
      SaveNow();
      m_project.GetClient()->Restart(m_project.m_conn, 0);
    }
  }
  destroy(handle);
}

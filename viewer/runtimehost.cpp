#include "runtimehost.h"

#include "qel/picmsg.h"
#include "qel/hostcallbacks.h"

const char CRuntimeHost::kLibraryName[] = "QelRun.dll";
const char CRuntimeHost::kWindowClass[] = "QELPICVIEW";

LRESULT CRuntimeHost::SendLoadPicData(const LocalTagCallbackBlock& local, const HostCallbackBlock& host,
                                      const void* bytes, DWORD count) const {
  // The window copies both tables; the block only lives for the call.
  PictureDataBlock block{const_cast<LocalTagCallbackBlock*>(&local), const_cast<HostCallbackBlock*>(&host),
                         bytes, count};
  return Send(QCM_LOADPICDATA, 0, reinterpret_cast<LPARAM>(&block));
}

void CRuntimeHost::Move(int cx, int cy) const {
  if (Exists()) ::MoveWindow(GetSafeHwnd(), 0, 0, cx, cy, TRUE);
}

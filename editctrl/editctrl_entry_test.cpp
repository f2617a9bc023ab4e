// The library entry: COM is started by the library only when the loading
// thread has not started it in another mode, and ended only when it was
// started here. Each case loads a copy of the library (a module of its own,
// so that its start-up runs again) on a thread of its own.
#include <windows.h>
#include <objbase.h>

#include <thread>

#include <gtest/gtest.h>

#include "editctrl_harness.h"

namespace edittest {
namespace {

std::string CopyOfLibrary(const char* name) {
  std::string copy = name;
  ::DeleteFileA(copy.c_str());
  EXPECT_TRUE(::CopyFileA("..\\out\\QelCtrl.dll", copy.c_str(), FALSE));
  return copy;
}

// Loads and unloads the copy on a new thread that first runs `before`;
// returns what CoInitializeEx(multi-threaded) answers on that thread after
// the unload.
template <class Before>
HRESULT ComStateAfterLoadAndUnload(const std::string& library, Before before) {
  HRESULT after = E_FAIL;
  std::thread worker([&] {
    before();
    HMODULE module = ::LoadLibraryA(library.c_str());
    EXPECT_NE(module, nullptr);
    if (module) ::FreeLibrary(module);
    after = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(after)) ::CoUninitialize();
  });
  worker.join();
  return after;
}

TEST(LibraryEntryTest, ComStartedInAnotherModeIsNeitherTakenNorEnded) {
  std::string library = CopyOfLibrary("QelCtrlComMta.dll");
  HRESULT mine = E_FAIL;
  HRESULT after =
      ComStateAfterLoadAndUnload(library, [&] { mine = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED); });
  EXPECT_EQ(mine, S_OK);
  EXPECT_EQ(after, S_FALSE) << "the library ended the thread's own COM";
  ::DeleteFileA(library.c_str());
}

TEST(LibraryEntryTest, ComStartedByTheLibraryIsEndedWhenItUnloads) {
  std::string library = CopyOfLibrary("QelCtrlComNone.dll");
  HRESULT after = ComStateAfterLoadAndUnload(library, [] {});
  // Still apartment-threaded from the library's start-up, the answer would be RPC_E_CHANGED_MODE.
  EXPECT_EQ(after, S_OK);
  ::DeleteFileA(library.c_str());
}

TEST(LibraryEntryTest, LoadingAgainOnlyAddsAReference) {
  HMODULE first = Library();
  ASSERT_NE(first, nullptr);
  HMODULE again = ::LoadLibraryA("..\\out\\QelCtrl.dll");
  EXPECT_EQ(again, first);
  ::FreeLibrary(again);
  WNDCLASSEXA info = {};
  info.cbSize = sizeof info;
  EXPECT_TRUE(::GetClassInfoExA(first, "QELPICEDIT", &info));
  EXPECT_TRUE(info.style & CS_GLOBALCLASS);
  EXPECT_TRUE(info.style & CS_DBLCLKS);
  EXPECT_EQ(info.hbrBackground, ::GetStockObject(LTGRAY_BRUSH));
  EXPECT_EQ(info.hCursor, nullptr);
  EXPECT_EQ(info.cbWndExtra, 0);
}

}  // namespace
}  // namespace edittest

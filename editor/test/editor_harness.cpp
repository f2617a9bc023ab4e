#include "editor_harness.h"

#include "app/regkey.h"
#include "qel/picmsg.h"

namespace editortest {

namespace {

const char kFakeEditClass[] = "QELPICEDIT";

void CopyInto(const std::string& from, const std::string& to) {
  ::CopyFileA(from.c_str(), to.c_str(), FALSE);
}

// The libraries of the program folder that the editor loads by name.
void LoadProgramLibraries() {
  static bool done = [] {
    ::LoadLibraryA((BuildProgramFolder() + "QelCtrl.dll").c_str());
    ::LoadLibraryA((BuildProgramFolder() + "qel3api.dll").c_str());
    return true;
  }();
  (void)done;
}

FakePicture* FakeOf(HWND hwnd) {
  for (FakePicture& f : FakePictures())
    if (f.hwnd == hwnd) return &f;
  return nullptr;
}

LRESULT CALLBACK FakeEditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CREATE) {
    FakePictures().push_back(FakePictureDefaults());
    FakePictures().back().hwnd = hwnd;
    return 0;
  }
  FakePicture* fake = FakeOf(hwnd);
  if (!fake) return ::DefWindowProcA(hwnd, msg, wp, lp);
  const char* text = reinterpret_cast<const char*>(lp);
  if (msg >= WM_USER && msg < WM_USER + 0x100 && msg != QCM_QUERY) fake->sent.push_back({msg, wp, lp});
  switch (msg) {
    case QCM_SETHOSTCALLBACKS: fake->events.push_back("host"); return 0;
    case QCM_SETLOCALCALLBACKS: fake->events.push_back("local"); return 0;
    case QCM_PICFOLDER:
      fake->events.push_back("folder");
      fake->folder = text;
      return 0;
    case QCM_OPENPIC:
      fake->events.push_back("open");
      fake->name = text;
      return fake->openResult;
    case QCM_NEWPIC:
      fake->events.push_back("new");
      fake->name = text;
      return 0;
    case QCM_SAVEPIC:
      fake->events.push_back("save");
      ++fake->saves;
      if (fake->saveResult == 0) fake->modified = false;
      return fake->saveResult;
    case QCM_COMPILE:
      fake->events.push_back("compile");
      fake->compiler = text;
      return fake->compileResult;
    case QCM_QUERY: {
      if (wp == QCQ_MODIFIED) return fake->modified ? 1 : 0;
      auto answer = fake->answers.find(static_cast<int>(wp));
      return answer == fake->answers.end() ? 0 : answer->second;
    }
    case QCM_ZOOM: {
      ViewInfo view = {0, 0, static_cast<LONG>(lp), 0};
      ::SendMessageA(::GetParent(hwnd), QCN_VIEWCHANGED, ::GetDlgCtrlID(hwnd),
                     reinterpret_cast<LPARAM>(&view));
      return 0;
    }
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

// Drops every mouse message that comes from the pointer (the hook sees only
// those, never posted or sent ones).
LRESULT CALLBACK DropPointerInput(int code, WPARAM wp, LPARAM lp) {
  if (code >= 0) return 1;
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

SharedPointerShield::SharedPointerShield()
    : hook_(::SetWindowsHookExA(WH_MOUSE, DropPointerInput, nullptr, ::GetCurrentThreadId())) {
  EXPECT_NE(hook_, nullptr);
}

SharedPointerShield::~SharedPointerShield() { Lift(); }

void SharedPointerShield::Lift() {
  if (hook_) ::UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
}

std::vector<FakePicture::Sent> FakePicture::TakeSent() {
  std::vector<Sent> taken;
  taken.swap(sent);
  return taken;
}

FakePicture& FakePictureDefaults() {
  static FakePicture defaults;
  return defaults;
}

std::vector<FakePicture>& FakePictures() {
  static std::vector<FakePicture> fakes;
  return fakes;
}

FakePictureClass::FakePictureClass() {
  FakePictures().clear();
  FakePictureDefaults() = FakePicture();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FakeEditProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kFakeEditClass;
  EXPECT_NE(::RegisterClassA(&wc), 0);
}

FakePictureClass::~FakePictureClass() { ::UnregisterClassA(kFakeEditClass, ::GetModuleHandleA(nullptr)); }

EditorTest::EditorTest() {
  LoadProgramLibraries();
  std::string own = "QelMakeTest_" + std::to_string(::GetCurrentProcessId());
  ownKey_ = "Software\\" + own;
  ::RegCreateKeyExA(HKEY_CURRENT_USER, (ownKey_ + "\\Classes").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &classes_, nullptr);
  // The program folder: the compiler (each test its own copy: it writes its
  // work files beside itself) and the projects folder.
  for (const char* sub : {"sc", "system", "project"})
    ::CreateDirectoryA((folder_.Path() + sub).c_str(), nullptr);
  for (const char* file : {"sc\\Tarnic.exe", "sc\\stdlib.txt"})
    CopyInto(BuildProgramFolder() + file, folder_.Path() + file);
  EditorSettings settings;
  settings.programFolder = folder_.Path();
  settings.registryKey = own;
  settings.classesRoot = classes_;
  app_ = new CEditorApp(settings);
}

EditorTest::~EditorTest() {
  Exit();
  delete app_;
  if (classes_) ::RegCloseKey(classes_);
  CRegKey::DeleteTree(HKEY_CURRENT_USER, ownKey_.c_str());
}

void EditorTest::SetUp() {}

void EditorTest::TearDown() {
  Exit();
  fakes_.reset();
}

void EditorTest::UseFakePictures() {
  if (!fakes_) fakes_.reset(new FakePictureClass);
}

void EditorTest::Start() {
  ASSERT_TRUE(app_->InitInstance());
  ASSERT_NE(Frame(), nullptr);
  Settle();
}

void EditorTest::Exit() {
  if (exited_ || !app_) return;
  exited_ = true;
  if (app_->m_pMainWnd && app_->m_pMainWnd->m_hWnd) {
    boxes_.answers.clear();
    boxes_.answers.push_back(IDNO);  // a question at the end is not a test's business
    app_->CloseAllDocuments(TRUE);
    app_->m_pMainWnd->DestroyWindow();
  }
  progtest::PumpMessages();
  app_->ExitInstance();
}

void EditorTest::Settle() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    if (!app_->PreTranslateTree(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  app_->OnIdle(0);
}

void EditorTest::Command(UINT id) {
  Frame()->SendMessage(WM_COMMAND, id, 0);
  Settle();
}

CQelideDoc* EditorTest::NewProject(const char* name) {
  return app_->CreateProject(name, ProjectsFolder().c_str());
}

EditorTest::OpenedPicture EditorTest::NewProjectWithPicture(const char* project, const char* picture,
                                                            BOOL asNew) {
  CQelideDoc* doc = NewProject(project);
  if (!doc) {
    ADD_FAILURE() << "no project " << project;
    return {};
  }
  if (doc->OpenPicture(picture, asNew) != 1) {
    ADD_FAILURE() << "the picture " << picture << " did not open";
    return {};
  }
  CPicView* view = doc->FindPictureView(picture);
  if (!view) {
    ADD_FAILURE() << "no window shows the picture " << picture;
    return {};
  }
  return {doc, view};
}

void EditorTest::ExpectBoxes(const std::vector<std::string>& texts, const char* title, UINT icon) const {
  EXPECT_EQ(BoxTexts(), texts);
  for (const auto& box : boxes_.shown) {
    EXPECT_EQ(box.title, title) << box.text;
    EXPECT_EQ(box.type & MB_ICONMASK, icon) << box.text;
  }
}

std::vector<std::string> EditorTest::TreeTexts(HTREEITEM item) {
  std::vector<std::string> texts;
  for (HTREEITEM child = item ? Tree().GetChildItem(item) : Tree().GetRootItem(); child;
       child = Tree().GetNextSiblingItem(child))
    texts.push_back(Tree().GetItemText(child).GetString());
  return texts;
}

HTREEITEM EditorTest::TreeItem(const std::vector<const char*>& path) {
  HTREEITEM item = Tree().GetRootItem();
  for (const char* text : path) {
    item = Tree().FindChild(item, text);
    if (!item) return nullptr;
  }
  return item;
}

}  // namespace editortest

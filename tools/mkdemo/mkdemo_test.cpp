// The demo project as the generator writes it: every file there, the
// pictures readable and linked to each other, and every tag they name served
// by the simulated server with the demo's tag file.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>
#include <set>
#include <string>

#include "action.h"
#include "activex/drawctrlocx.h"
#include "actkinds.h"
#include "demoproject.h"
#include "drawobj.h"
#include "file.h"
#include "linkclasses.h"
#include "picfile.h"
#include "picobj.h"
#include "project.h"
#include "tagsim.h"
#include "testocx_ids.h"

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((folder + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(folder + name + "\\");
      else
        ::DeleteFileA((folder + name).c_str());
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
  }
  ::RemoveDirectoryA(folder.c_str());
}

class DemoProjectTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    demo::RegisterDemoClasses();
    char cwd[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, cwd);
    folder_ = std::string(cwd) + "\\mkdemo_test_" + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(folder_.c_str(), nullptr);
    ::CreateDirectoryA((folder_ + "sc").c_str(), nullptr);
    ::CopyFileA("..\\out\\sc\\stdlib.txt", (folder_ + "sc\\stdlib.txt").c_str(), FALSE);
    ASSERT_TRUE(demo::WriteDemoProject(folder_, &error_)) << error_;
  }

  static void TearDownTestSuite() { RemoveTree(folder_); }

  static std::unique_ptr<CPicObj> Picture(const char* name) {
    return std::unique_ptr<CPicObj>(LoadPictureFile((folder_ + "project\\demo\\pic\\" + name).c_str()));
  }

  // Every link of every object of the first layer.
  template <class Fn>
  static void ForEachLink(CPicObj& picture, Fn fn) {
    CPicLayer* layer = picture.GetLayer(0);
    ASSERT_NE(layer, nullptr);
    for (POSITION pos = layer->m_objects.GetHeadPosition(); pos;) {
      CDrawObj* obj = static_cast<CDrawObj*>(layer->m_objects.GetNext(pos));
      CObArray& links = obj->GetActions();
      for (int i = 0; i < links.GetSize(); ++i)
        if (CAction* link = AsLink(links.GetAt(i))) fn(*obj, *link);
    }
  }

  static std::string folder_;
  static std::string error_;
};

std::string DemoProjectTest::folder_;
std::string DemoProjectTest::error_;

TEST_F(DemoProjectTest, TheSettingsNameTheProjectAndItsStartPicture) {
  std::string ini;
  if (FILE* f = std::fopen((folder_ + "QelView.ini").c_str(), "rb")) {
    char buf[512];
    ini.assign(buf, std::fread(buf, 1, sizeof buf, f));
    std::fclose(f);
  }
  EXPECT_NE(ini.find("[local]"), std::string::npos);
  EXPECT_NE(ini.find("project=demo"), std::string::npos);
  EXPECT_NE(ini.find("indexpic=overview.pic"), std::string::npos);
}

TEST_F(DemoProjectTest, TheProjectHoldsItsTagsAndOneServerEntry) {
  CProject project;
  CFile file((folder_ + "project\\demo\\demo.qel").c_str(), CFile::modeRead);
  ASSERT_EQ(project.Load(&file), CProject::kLoaded);
  ASSERT_EQ(project.m_localTags.GetCount(), 4);
  EXPECT_STREQ(project.m_localTags.GetTag(0)->name, "@suser");
  EXPECT_STREQ(project.m_localTags.GetTag(1)->name, "@dwpower");
  ASSERT_EQ(project.m_conn.count, 1);
  EXPECT_STREQ(project.m_conn.entries[0].host, "127.0.0.1");
  EXPECT_EQ(project.m_conn.entries[0].port, 11084u);
}

TEST_F(DemoProjectTest, EveryTagOfEveryPictureIsServedOrLocal) {
  tagsim::Server sim;
  std::string error;
  ASSERT_TRUE(sim.LoadTagsFromFile("..\\tools\\demo-tags.txt", &error)) << error;
  const std::regex reference("(TVV|TV|LVV|LV)\\(([^)]*)\\)");
  const std::set<std::string> locals = {"LOCAL.SETPOINT", "LOCAL.NOTE"};
  int references = 0;
  for (const char* name : {"overview.pic", "detail.pic"}) {
    std::unique_ptr<CPicObj> picture = Picture(name);
    ASSERT_NE(picture, nullptr) << name;
    ForEachLink(*picture, [&](CDrawObj& obj, CAction& link) {
      std::string text = link.m_strExpression.GetString();
      for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it) {
        ++references;
        const std::string kind = (*it)[1], tag = (*it)[2];
        if (kind[0] == 'T')
          EXPECT_TRUE(sim.HasTag(tag)) << name << ": " << obj.m_strName.GetString() << " reads " << tag;
        else
          EXPECT_TRUE(locals.count(tag)) << name << ": " << obj.m_strName.GetString() << " reads " << tag;
      }
    });
  }
  EXPECT_GT(references, 40);
}

TEST_F(DemoProjectTest, ThePicturesLinkToEachOther) {
  std::set<std::string> targets[2];
  const char* names[2] = {"overview.pic", "detail.pic"};
  for (int i = 0; i < 2; ++i) {
    std::unique_ptr<CPicObj> picture = Picture(names[i]);
    ASSERT_NE(picture, nullptr);
    ForEachLink(*picture, [&](CDrawObj&, CAction& link) {
      if (link.GetKind() == AK_CLICKED || link.GetKind() == AK_MOUSE_CLICK) {
        std::string command = static_cast<CActEvent&>(link).m_strCommand.GetString();
        targets[i].insert(command.substr(command.find('\n') + 1));
      }
    });
  }
  EXPECT_EQ(targets[0], std::set<std::string>{"detail.pic"});
  EXPECT_EQ(targets[1], std::set<std::string>{"overview.pic"});
}

TEST_F(DemoProjectTest, TheMarkerMovesByACompiledScript) {
  std::unique_ptr<CPicObj> picture = Picture("overview.pic");
  ASSERT_NE(picture, nullptr);
  CDrawObj* marker = picture->FindInLayers("WI401.MARK");
  ASSERT_NE(marker, nullptr);
  CAction* move = AsLink(marker->GetAction(AK_MOVE));
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->m_nMode, AM_SCRIPT);
  EXPECT_FALSE(move->m_script.m_code.IsEmpty());
}

TEST_F(DemoProjectTest, TheDetailPicturesActiveXControlIsFedByACompiledScript) {
  std::unique_ptr<CPicObj> picture = Picture("detail.pic");
  ASSERT_NE(picture, nullptr);
  auto* ocx = dynamic_cast<CDrawCtrlOcx*>(picture->FindInLayers("TI101.OCX"));
  ASSERT_NE(ocx, nullptr);
  EXPECT_EQ(ocx->GetClassId(), CLSID_QelTestOcx);
  CAction* script = AsLink(ocx->GetAction(AK_SCRIPT));
  ASSERT_NE(script, nullptr);
  EXPECT_EQ(script->m_nMode, AM_SCRIPT);
  EXPECT_FALSE(script->m_script.m_code.IsEmpty());
}

TEST_F(DemoProjectTest, TheLargePictureHoldsItsObjects) {
  std::unique_ptr<CPicObj> picture(demo::MakeLargePicture(1000));
  EXPECT_EQ(picture->GetLayer(0)->m_objects.GetCount(), 1001);  // and the button back
}

}  // namespace

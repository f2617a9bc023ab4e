// CViewerSettings: what "QelView.ini" tells the viewer: the project to run
// (section "local", key "project") and its start picture ("indexpic").
#pragma once
#include <string>

#include "inireader.h"

class CViewerSettings : public CIniReader {
 public:
  std::string m_project;       // folder under "project/" and name of the ".qel" in it
  std::string m_startPicture;  // relative to the project's picture folder

 protected:
  void OnKey(const std::string& section, const std::string& key, const std::string& value) override;
};

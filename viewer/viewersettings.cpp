#include "viewersettings.h"

namespace {

struct SettingKey {
  const char* name;
  std::string CViewerSettings::*field;
};

const char kSettingsSection[] = "local";

}  // namespace

void CViewerSettings::OnKey(const std::string& section, const std::string& key, const std::string& value) {
  static const SettingKey kKeys[] = {
      {"project", &CViewerSettings::m_project},
      {"indexpic", &CViewerSettings::m_startPicture},
  };
  if (!IniNameEquals(section, kSettingsSection)) return;
  for (const SettingKey& k : kKeys)
    if (IniNameEquals(key, k.name)) this->*k.field = value;
}

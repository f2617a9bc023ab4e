// CProject: construction, system tags and the live local-tag values.
#include "project.h"

#include "tagvalue.h"

CProject::CProject() : m_client(new CRtdbClient) {
  m_conn.Clear();
  m_hostCallbacks = MakeHostCallbacks(m_client.get());
  m_localCallbacks = LocalTagCallbackBlock{this, LocalTagAt, LocalTagWrite, LocalTagRead};
}

CProject::~CProject() {
  m_client.reset();
  m_values.RemoveAll();
}

void CProject::AddSystemTags() {
  // "当前登录用户" / "当前登录用户权限": the logged-in user and that user's rights.
  m_localTags.Append(MakeLocalTag(kSystemTagUser, "当前登录用户", "", "", TT_STRING, 1));
  m_localTags.Append(MakeLocalTag(kSystemTagPower, "当前登录用户权限", "", "", TT_INT32, 1));
}

void CProject::MakeLocalValues() {
  for (int i = 0; i < m_localTags.GetCount(); ++i) {
    const LocalTagRecord* tag = m_localTags.GetTag(i);
    CTagValue* value = m_values.LookupOrAdd(tag->name, tag->type);
    if (!value) continue;
    value->SetType(tag->type);
    value->SetString(tag->initialValue);
  }
}

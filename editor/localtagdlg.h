// CLocalTagDlg (dialog 165): adds a local tag to the project's tags
// ("添加本地标签") or changes the description, unit, initial value and type
// of one ("修改本地标签", the name shown but not editable). The type list
// shows the tag lists' type names; list index + 1 is the type code, and a
// new tag starts as float32 (type 3).
//
// Adding refuses an empty name ("请填写标签名!") and a name that a tag has
// already, compared exactly ("标签 <%s> 已经存在!"), both with the caption
// "错误" and the stop icon, and then appends the tag.
#pragma once
#include <windows.h>

#include "dialogs/dialog.h"
#include "localtagarray.h"
#include "qstring.h"

class CLocalTagDlg : public CDialog {
 public:
  // Adds to tags (modify nullptr) or shows the tag to modify.
  CLocalTagDlg(HWND owner, CLocalTagArray& tags, const LocalTagRecord* modify = nullptr);

  // What the engineer confirmed.
  CString m_name;
  int m_typeIndex;
  CString m_description;
  CString m_unit;
  CString m_initialValue;

  // Copies the fields that a modification may change into the record; FALSE
  // when the record held them already.
  BOOL ApplyTo(LocalTagRecord& record) const;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

 private:
  bool IsAdding() const { return m_modify == nullptr; }
  // The name is there and new; otherwise the message, and the name field
  // gets the focus back.
  bool AcceptName();

  CLocalTagArray& m_tags;
  const LocalTagRecord* m_modify;
};

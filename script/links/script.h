// CScript: the script of a link: the source as the engineer wrote it, the
// code bytes the compiler made from it, and two texts that travel with them.
// It is stored in place inside its link (no class record precedes it).
//
// In a running picture the script holds its machine: prepared once for the
// link's run context, it keeps the script's globals from one firing to the
// next and is deleted with the script.
#pragma once
#include <windows.h>

#include <memory>

#include "binobj.h"
#include "drawlink.h"
#include "object.h"
#include "qstring.h"

class CArchive;
class CPicScriptHost;

class CScript : public CObject {
  DECLARE_SERIAL(CScript)

 public:
  CScript();
  ~CScript() override;
  CScript(const CScript&) = delete;
  CScript& operator=(const CScript&) = delete;

  // First text, source, second text, then the code bytes.
  void Serialize(CArchive& ar) override;
  // The same without the source: what the runtime needs.
  void SerializeCode(CArchive& ar);

  // Compiles the source with the compiler at pszCompiler into the code
  // bytes: 0 on success, otherwise the number of message lines, with the
  // messages appended to strErrors (each line break as a line feed and two
  // tabs, none after the last line).
  int Compile(const char* pszCompiler, CString& strErrors);

  // Creates the machine for the run context and loads the code bytes into
  // it, once, when there are code bytes. The machine stays attached even
  // when its load was refused (its runs then end at once).
  void Prepare(const DrawViewContext& context);
  bool HasMachine() const { return m_pMachine != nullptr; }
  CPicScriptHost* GetMachine() const { return m_pMachine.get(); }
  // Runs the prepared machine (the first run from instruction 0, later ones
  // from the entry); false when there is none. The end code is the
  // machine's (LastEndCode); callers ignore it.
  bool Run();

  // Stored fields, in file order of Serialize.
  CString m_strFirst;  // stored and loaded, not read
  CString m_strSource;
  CString m_strSecond;  // stored and loaded, not read
  CBinObj m_code;

 private:
  std::unique_ptr<CPicScriptHost> m_pMachine;  // not stored
};

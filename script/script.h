// CScript: the script of a link: the source as the engineer wrote it, the
// code bytes the compiler made from it, and two texts that travel with them.
// It is stored in place inside its link (no class record precedes it).
//
// Compiling and running belong to the compile runner and the script machine;
// until a machine is attached (Prepare), a script link runs nothing.
#pragma once
#include <windows.h>

#include "binobj.h"
#include "drawlink.h"
#include "object.h"
#include "qstring.h"

class CArchive;

class CScript : public CObject {
  DECLARE_SERIAL(CScript)

 public:
  CScript() = default;
  CScript(const CScript&) = delete;
  CScript& operator=(const CScript&) = delete;

  // First text, source, second text, then the code bytes.
  void Serialize(CArchive& ar) override;
  // The same without the source: what the runtime needs.
  void SerializeCode(CArchive& ar);

  // Attaches the script machine for the run context, once, when there are
  // code bytes. (The machine itself is not part of this library yet, so
  // nothing is attached.)
  void Prepare(const DrawViewContext& context);
  bool HasMachine() const { return false; }
  // Runs the prepared machine from its entry; false when there is none.
  bool Run();

  // Stored fields, in file order of Serialize.
  CString m_strFirst;   // stored and loaded, not read
  CString m_strSource;
  CString m_strSecond;  // stored and loaded, not read
  CBinObj m_code;
};

// CDocTemplate: how a kind of document is made and shown: the document,
// frame and view classes, the resource id of the frame's menu, accelerators
// and the document string, and the documents open through it.
//
// The document string (string resource of the template's id) holds seven
// fields separated by '\n': window title, document name, name for "new",
// file filter name, file extension (".qel"), the registry's file-type id
// and the file type's name.
//
// CMultiDocTemplate shows each document in MDI child frames; it holds any
// number of documents. Templates belong to the application once added to
// it (CFrameApp::AddDocTemplate); documents are deleted when closed.
#pragma once
#include <windows.h>

#include <vector>

#include "commands/cmdtarget.h"
#include "qstring.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)

 public:
  enum DocStringIndex {
    windowTitle,
    docName,
    fileNewName,
    filterName,
    filterExt,
    regFileTypeId,
    regFileTypeName,
  };
  enum Confidence {
    noAttempt,
    maybeAttemptForeign,
    maybeAttemptNative,
    yesAttemptForeign,
    yesAttemptNative,
    yesAlreadyOpen,
  };

  CDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);
  ~CDocTemplate() override;

  // Loads the document string, the menu and the accelerators (once).
  virtual void LoadTemplate();
  // The field of the document string; FALSE (and empty) when it is missing.
  BOOL GetDocString(CString& text, DocStringIndex index) const;
  // The fields of a document string, for any string.
  static CString DocStringField(const CString& docString, DocStringIndex index);

  // yesAlreadyOpen (and the document in *match) when a document of this
  // template has that path (compared as full paths, case ignored);
  // yesAttemptNative when the extension is the template's; else
  // yesAttemptForeign.
  virtual Confidence MatchDocType(const char* path, CDocument** match);

  virtual CDocument* CreateNewDocument();
  // A frame (from the template's id and classes) with a view of doc.
  virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
  virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
  // path nullptr: a new document; else the document read from path. The
  // document (shown in its frame), or nullptr after a failure (reported).
  virtual CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* doc);

  virtual void AddDocument(CDocument* doc);
  virtual void RemoveDocument(CDocument* doc);
  const std::vector<CDocument*>& GetDocuments() const { return m_docList; }

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
  HMENU m_hMenuShared = nullptr;
  HACCEL m_hAccelTable = nullptr;

 protected:
  std::vector<CDocument*> m_docList;
  UINT m_nUntitledCount = 0;
  bool m_loaded = false;
};

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)

 public:
  using CDocTemplate::CDocTemplate;
  ~CMultiDocTemplate() override;

  CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) override;
};

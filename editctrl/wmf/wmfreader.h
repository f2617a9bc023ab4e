// CWmfReader: turns the polygons and poly-lines of a Windows metafile into
// draw objects gathered in one group. It reads the standard header, with or
// without the placeable header before it, and five record kinds (create pen,
// create brush, delete object, select object, polygon, poly-line); every
// other record is read and skipped. Metafiles come from outside: every size
// is checked against the header's maximum and the bytes left, and a failure
// ends in one of the reader's numbered errors.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "file.h"
#include "geometry.h"

class CDrawGroup;
class CDrawPoly;

enum WmfError {
  WMF_OK = 0,
  WMF_NOFILE = 1,    // the file cannot be opened
  WMF_NOTWMF = 2,    // the first bytes cannot be read
  WMF_FORMAT = 3,    // a header or record that does not fit the format
  WMF_VERSION = 4,   // a type or version that is not read
  WMF_READ = 5,      // the file ends inside a record
  WMF_MEMORY = 6,    // memory for the table or a record cannot be had
  WMF_NORMAL = 7,    // not raised by the reader
};

// The text of an error number; "Unknown error" outside 0 to 7.
const char* WmfErrorText(int number);
// The message shown for an error: the bell byte, then "Error PW<n>: <text>"
// and a line feed.
std::string WmfErrorMessage(int number);

// The drawing state the records set up: the selected pen and brush.
struct WmfDrawState {
  COLORREF lineColor = 0;
  int lineWidth = 0;
  int lineStyle = 0;
  int fillStyle = 1;
  COLORREF fillColor = 0xFFFFFF;
};

class CWmfReader {
 public:
  CWmfReader();
  ~CWmfReader();

  // Reads the file. True when it was read to its end record or its end;
  // the group (none when the file draws nothing that is read) is then
  // taken with TakeGroup. False with the error in LastError(); a file that
  // ends without any object also answers false, with error 0.
  bool Load(const char* path);
  int LastError() const { return m_error; }
  std::unique_ptr<CDrawGroup> TakeGroup();

 private:
  struct Slot {
    bool used = false;
    int kind = 0;  // 0 pen, 1 brush
    int style = 0;
    int width = 0;  // a pen's width, a brush's hatch
    COLORREF color = 0;
  };

  enum RecordResult { REC_READ, REC_END_RECORD, REC_END_OF_FILE, REC_FAILED };

  bool ReadHeaders();
  // Reads one record head and its parameters.
  RecordResult ReadRecord(WORD& function);
  bool Fail(int error);
  RecordResult Failed(int error);
  bool Dispatch(WORD function);
  bool CreatePen();
  bool CreateBrush();
  bool DeleteObject();
  bool SelectObject();
  // The points of a polygon or poly-line record, in either layout; false
  // (error 3) when the count does not fit.
  bool ReadPoints(std::vector<CPointD>& points);
  bool AddPolygon();
  bool AddPolyline();
  // Gives the object the points and the drawing state and adds it to the group.
  void Append(CDrawPoly* obj, const std::vector<CPointD>& points, int lineWidth);
  void NewSlot(const Slot& slot);
  // Reads exactly n bytes; false when the file has fewer.
  bool ReadExactly(void* buffer, UINT n);

  CFile m_file;
  DWORD m_bytesLeft = 0;
  WmfDrawState m_state;
  std::vector<Slot> m_slots;
  DWORD m_maxRecord = 0;  // 16-bit words
  std::vector<WORD> m_params;
  std::unique_ptr<CDrawGroup> m_group;
  int m_error = WMF_OK;
};

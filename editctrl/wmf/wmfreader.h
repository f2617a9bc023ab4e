// CWmfReader: turns the polygons and poly-lines of a Windows metafile into
// draw objects gathered in one group. It reads the standard header, with or
// without the placeable header before it; the records that create objects
// (pens, brushes, pattern brushes, fonts, palettes, regions), delete and
// select them; and polygons and poly-lines. Every other record is read and
// skipped. The created objects are numbered as the platform's player numbers
// its handle table, so that a select names the object the player would use.
// Metafiles come from outside: every size is checked against the header's
// maximum and the bytes left, what one file may add is bounded, and a
// failure ends in one of the reader's numbered errors.
#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "file.h"
#include "geometry.h"
#include "metafilebounds.h"
#include "wmfwalk.h"

class CDrawGroup;
class CDrawPoly;

enum WmfError {
  WMF_OK = 0,
  WMF_NOFILE = 1,   // the file cannot be opened
  WMF_NOTWMF = 2,   // the first bytes cannot be read
  WMF_FORMAT = 3,   // a header or record that does not fit the format
  WMF_VERSION = 4,  // a type or version that is not read
  WMF_READ = 5,     // the file ends inside a record
  WMF_MEMORY = 6,   // memory for the table or a record cannot be had, or
                    // the file would add more than one import may
  WMF_NORMAL = 7,   // not raised by the reader
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

  // What one file may add at most. A picture's metafile image is played
  // only when it has at most CMetafileBounds::kMaxRecords records, and each
  // record gives one object here at most: an import is held to as many
  // objects. Points are held to 2^20: 16 MB of coordinates in memory, and
  // as many again in each saved state of the layer, so that a file of a few
  // MB cannot fill the editor's address space.
  static constexpr size_t kMostObjects = CMetafileBounds::kMaxRecords;
  static constexpr size_t kMostPoints = size_t(1) << 20;

  // Reads the file. True when it was read to its end record or its end;
  // the group (none when the file draws nothing that is read) is then
  // taken with TakeGroup. False with the error in LastError(), and no group;
  // a file that ends without any object also answers false, with error 0.
  bool Load(const char* path);
  int LastError() const { return m_error; }
  std::unique_ptr<CDrawGroup> TakeGroup();

 private:
  // An entry of the metafile's object table. Every record that creates an
  // object takes the lowest free entry, as in the platform's player, and a
  // deleted entry is free again; selecting a free entry selects nothing.
  struct Slot {
    enum Kind { PEN, BRUSH, OTHER };  // OTHER: a font, palette or region
    bool used = false;
    Kind kind = OTHER;
    int style = 0;
    int width = 0;  // a pen's width, a brush's hatch
    COLORREF color = 0;
  };

  enum RecordResult { REC_READ, REC_END_RECORD, REC_END_OF_FILE, REC_FAILED };

  bool ReadAll(const char* path);
  // The whole file into m_bytes; false (error 6) when it does not fit in
  // memory. A file that cannot be read to its end ends where reading failed.
  bool ReadFileBytes();
  // The headers; first: where the records start.
  bool ReadHeaders(const ByteReader& file, size_t& first);
  // The record at the walk's place: its head, and its parameters into m_params.
  RecordResult ReadRecord(const CWmfRecordWalk& records, WmfRecord& record);
  bool Fail(int error);
  RecordResult Failed(int error);
  bool Dispatch(WORD function);
  bool CreatePen();
  bool CreateBrush();
  // A brush of a bitmap pattern: a brush of that style, which no fill of
  // the picture draws.
  void CreatePatternBrush(int style);
  bool DeleteObject();
  bool SelectObject();
  // Where the points of a polygon or poly-line record lie among its
  // parameters, in either layout; false (error 3) when the count does not fit.
  bool FindPoints(size_t& first, size_t& count);
  // Whether one more object of count points stays within what one file may
  // add; false (error 6) when not.
  bool HasRoomFor(size_t count);
  bool AddPolygon();
  bool AddPolyline();
  // Gives the object the record's points and the drawing state and adds it
  // to the group.
  void Append(CDrawPoly* obj, size_t first, size_t count, int lineWidth);
  void NewSlot(const Slot& slot);
  CFile m_file;
  std::vector<BYTE> m_bytes;  // the whole file
  WmfDrawState m_state;
  std::vector<Slot> m_slots;
  DWORD m_maxRecord = 0;  // 16-bit words
  std::vector<WORD> m_params;
  std::unique_ptr<CDrawGroup> m_group;
  size_t m_objects = 0;  // added to the group so far, and their points
  size_t m_points = 0;
  int m_error = WMF_OK;
};

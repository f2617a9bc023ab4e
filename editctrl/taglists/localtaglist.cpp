#include "localtaglist.h"

#include "qel/localtag.h"

namespace {

const CTagListCtrl::Column kLocalColumns[] = {
    {"序号", 60, CTagListCtrl::kRowNumber},    {"标签名", 120, CTagListCtrl::kName},
    {"描述", 200, CTagListCtrl::kDescription}, {"单位", 80, CTagListCtrl::kUnit},
    {"类型", 80, CTagListCtrl::kType},         {"初值", 120, CTagListCtrl::kInitialValue},
};

// No project holds more local tags than this; a table that answers beyond
// it is taken to be broken.
constexpr int kMaxLocalTags = 1 << 20;

}  // namespace

void LoadLocalTags(const LocalTagCallbackBlock* table, CRecordBuffer& records) {
  records.Clear();
  if (!table || !table->context || !table->pfnLocalTagAt) return;
  LocalTagRecord record;
  for (int index = 0; index < kMaxLocalTags; ++index) {
    if (table->pfnLocalTagAt(table->context, index, &record) == -1) return;
    records.Append(&record);
  }
}

CLocalTagList::CLocalTagList()
    : CTagListCtrl(kLocalTagLayout, kLocalColumns, sizeof kLocalColumns / sizeof *kLocalColumns) {}

void CLocalTagList::Load(const LocalTagCallbackBlock* table) {
  LoadLocalTags(table, Records());
  UpdateRows();
}

int CLocalTagList::FindText(int column, const char* text) {
  if (!text || !*text || (column != kTagColumnName && column != kTagColumnDescription)) return 0;
  const bool goOn = m_find.foundRow != -1 && m_find.column == column && m_find.text == text;
  const int start = goOn ? m_find.nextRow : 0;
  for (int row = start; row < Records().GetCount(); ++row) {
    if (GetCellText(row, column).Find(text) < 0) continue;
    m_find.text = text;
    m_find.nextRow = row + 1;
    m_find.foundRow = row;
    m_find.column = column;
    int first = -1, last = -1;
    GetVisibleRows(&first, &last);
    if (row >= first && row <= last) {
      SelectRow(row);
    } else {
      m_firstRow = row;
      SelectRow(row);
      Relayout();
      SetScrollPos(SB_VERT, m_firstRow);
    }
    return 1;
  }
  m_find = FindState();
  return 0;
}

// Tag lists with many tags: appending the records of a large query (the
// array grows by 8,192 records at a time), sorting them by a column, and
// painting a list, which draws only the rows on show whatever the count.
#include <windows.h>

#include <cstdio>
#include <random>
#include <vector>

#include "benchclock.h"
#include "rtdbtaglist.h"
#include "wndtest/wndtest_util.h"

namespace {

std::vector<QB_TAGATTR> MakeTags(int count) {
  std::mt19937 random(11);
  std::vector<QB_TAGATTR> tags(count);
  for (QB_TAGATTR& tag : tags) {
    tag = QB_TAGATTR{};
    tag.type = uint8_t(1 + random() % 7);
    std::snprintf(tag.name, sizeof tag.name, "TAG%08u", unsigned(random()));
    std::snprintf(tag.description, sizeof tag.description, "unit %u", unsigned(random() % 500));
  }
  return tags;
}

}  // namespace

int main() {
  CWnd parent;
  wndtest::CreateTopLevel(parent, false);
  CRtdbTagList list;
  list.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 600, 400}, parent, 1080);

  for (int count : {10000, 100000}) {
    const std::vector<QB_TAGATTR> tags = MakeTags(count);
    const double append = bench::MedianMs(5, [&] {
      list.Records().Clear();
      CRtdbTagList::OnQueryRecords(const_cast<QB_TAGATTR*>(tags.data()), count, &list);
    });
    list.UpdateRows();
    // From the order of arrival each time: the append again, then the sort.
    const double byName = bench::MedianMs(5, [&] {
      list.Records().Clear();
      CRtdbTagList::OnQueryRecords(const_cast<QB_TAGATTR*>(tags.data()), count, &list);
      list.SetSortColumn(-1, true);
      list.OnHeaderClick(kTagColumnName);
    });
    const double byType = bench::MedianMs(5, [&] {
      list.SetSortColumn(-1, true);
      list.OnHeaderClick(kTagColumnType);  // seven types: long runs of ties broken by name
    });
    std::printf(
        "%6d tags: append %7.1f ms, sort by name %7.1f ms (with the append), re-sort by type %7.1f ms\n",
        count, append, byName, byType);
  }

  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 600, 400);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  for (int count : {100, 100000}) {
    list.Records().Clear();
    const std::vector<QB_TAGATTR> tags = MakeTags(count);
    CRtdbTagList::OnQueryRecords(const_cast<QB_TAGATTR*>(tags.data()), count, &list);
    list.UpdateRows();
    list.Relayout();
    const double paint = bench::MedianMs(20, [&] {
      list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
      ::GdiFlush();
    });
    std::printf("paint of a 600x400 list of %6d tags: %5.2f ms\n", count, paint);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return 0;
}

// The colour popup's making: its window, font and palette, the places of the
// palette cells and the two boxes, the window kept on the screen, the cells'
// tooltips and the item that holds the initial colour.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "colorpopup.h"
#include "colortable.h"
#include "../componentclass.h"

namespace {

// The palette box: 18 pixels, unless the margins would leave a colour
// smaller than 5 pixels in it.
constexpr int kBoxSize = 18;
constexpr int kMinColorSize = 5;

SIZE TextSize(HDC dc, const CString& text) {
  SIZE size = {0, 0};
  if (!text.IsEmpty()) ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
  return size;
}

}  // namespace

const char CColorPopup::kAutomaticText[] = "Automatic";
const char CColorPopup::kMoreColorsText[] = "More Colors...";
const char CColorPopup::kNoColorText[] = "无颜色";

CColorPopup::CColorPopup(COLORREF initial, HWND owner, const char* defaultText, const char* customText,
                         COLORREF defaultValue)
    : m_autoText(defaultText),
      m_moreText(customText),
      m_defaultValue(defaultValue),
      m_initial(initial),
      m_current(initial),
      m_owner(owner) {
  if (defaultValue == kNoColor && !m_autoText.IsEmpty()) m_autoText = kNoColorText;
}

CColorPopup* CColorPopup::Create(POINT screen, COLORREF initial, HWND owner, const char* defaultText,
                                 const char* customText, COLORREF defaultValue) {
  // Its own class: a class device context, saved bits, redrawn whole on a
  // size change, on the button face.
  static const char* const className =
      ComponentClass("QelColorPopup", CS_CLASSDC | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW,
                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  CColorPopup* popup = new CColorPopup(initial, owner, defaultText, customText, defaultValue);
  if (!popup->CreateEx(0, className, "", WS_POPUP, screen.x, screen.y, 100, 100, owner, nullptr)) {
    delete popup;
    return nullptr;
  }
  popup->m_live = true;
  popup->MakeFontAndPalette();
  popup->Layout(screen);
  popup->KeepOnScreen();
  popup->AddTooltips();
  popup->m_chosen = popup->m_hot = popup->FindChosenItem();
  popup->SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  popup->SetFocus();
  popup->SetCapture();
  popup->m_opening = false;
  return popup;
}

void CColorPopup::MakeFontAndPalette() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    m_font.CreateFontIndirect(&metrics.lfMessageFont);

  std::vector<BYTE> block(sizeof(LOGPALETTE) + (kPopupColorCount - 1) * sizeof(PALETTEENTRY));
  LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(block.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = kPopupColorCount;
  for (int i = 0; i < kPopupColorCount; ++i) {
    const COLORREF c = kPopupColors[i].color;
    palette->palPalEntry[i] = PALETTEENTRY{GetRValue(c), GetGValue(c), GetBValue(c), 0};
  }
  m_palette.Attach(::CreatePalette(palette));
}

void CColorPopup::Layout(POINT screen) {
  m_margin = ::GetSystemMetrics(SM_CXEDGE);
  m_boxSize = kBoxSize - 2 * m_margin - 2 < kMinColorSize ? 2 * m_margin + 7 : kBoxSize;
  m_rows = (m_colorCount + m_columns - 1) / m_columns;
  const int paletteWidth = m_columns * m_boxSize;
  int width = paletteWidth + 2 * m_margin;
  int height = m_rows * m_boxSize + 2 * m_margin;

  HDC dc = ::GetDC(m_hWnd);
  HGDIOBJ oldFont = ::SelectObject(
      dc, m_font.GetSafeHandle() ? m_font.GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
  const SIZE autoSize = TextSize(dc, m_autoText), moreSize = TextSize(dc, m_moreText);
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(m_hWnd, dc);

  const int boxWidth = std::max<int>(paletteWidth, std::max(autoSize.cx, moreSize.cx) + 2 * m_margin);
  if (boxWidth > paletteWidth) width = boxWidth + 2 * m_margin;
  const int boxHeight = std::max(autoSize.cy, moreSize.cy) + 5 * m_margin + 2;

  m_paletteTop = m_margin;
  m_autoRect = m_moreRect = RECT{0, 0, 0, 0};
  if (HasAutoBox()) {
    m_autoRect = RECT{m_margin, m_margin, m_margin + boxWidth, m_margin + boxHeight};
    m_paletteTop += boxHeight + m_margin;
    height += boxHeight + 2 * m_margin;
  }
  if (HasMoreBox()) {
    const int top = m_paletteTop + m_rows * m_boxSize + m_margin;
    m_moreRect = RECT{m_margin, top, m_margin + boxWidth, top + boxHeight};
    height += boxHeight + 2 * m_margin;
  }
  m_windowRect = RECT{screen.x, screen.y, screen.x + width, screen.y + height};
}

// Moved left from the right edge, right from the left edge, and above the
// owner when it would pass the bottom.
void CColorPopup::KeepOnScreen() {
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  RECT& r = m_windowRect;
  if (r.right > screenWidth) ::OffsetRect(&r, screenWidth - r.right, 0);
  if (r.left < 0) ::OffsetRect(&r, -r.left, 0);
  RECT owner;
  if (r.bottom > screenHeight && m_owner && ::GetWindowRect(m_owner, &owner))
    ::OffsetRect(&r, 0, owner.top - r.bottom);
  MoveWindow(r, FALSE);
}

void CColorPopup::AddTooltips() {
  if (!m_tooltip.Create(m_hWnd, TTS_ALWAYSTIP)) return;
  for (int i = 0; i < m_colorCount; ++i) {
    const RECT cell = GetItemRect(i);
    m_tooltip.AddTool(m_hWnd, kPopupColors[i].name, &cell, UINT_PTR(i + 1));
  }
}

int CColorPopup::FindChosenItem() const {
  if (HasAutoBox() && m_initial == m_defaultValue) return kPopupAutoBox;
  for (int i = 0; i < m_colorCount; ++i)
    if (kPopupColors[i].color == m_initial) return i;
  return HasMoreBox() ? kPopupMoreBox : kPopupNoItem;
}

bool CColorPopup::Exists(int item) const {
  if (item == kPopupAutoBox) return HasAutoBox();
  if (item == kPopupMoreBox) return HasMoreBox();
  return item >= 0 && item < m_colorCount;
}

RECT CColorPopup::GetItemRect(int item) const {
  if (!Exists(item)) return RECT{0, 0, 0, 0};
  if (item == kPopupAutoBox) return m_autoRect;
  if (item == kPopupMoreBox) return m_moreRect;
  const int left = m_margin + (item % m_columns) * m_boxSize;
  const int top = m_paletteTop + (item / m_columns) * m_boxSize;
  return RECT{left, top, left + m_boxSize, top + m_boxSize};
}

int CColorPopup::ItemAt(POINT client) const {
  for (int item = kPopupAutoBox; item < m_colorCount; ++item) {
    const RECT rect = GetItemRect(item);
    if (item != kPopupNoItem && ::PtInRect(&rect, client)) return item;
  }
  return kPopupNoItem;
}

COLORREF CColorPopup::ItemColor(int item) const {
  if (item >= 0 && item < m_colorCount) return kPopupColors[item].color;
  if (item == kPopupAutoBox) return m_defaultValue;
  return m_initial;
}

#include "textfont.h"

#include <cstdlib>

LOGFONTA DefaultTextFont() {
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfHeight = std::abs(lf.lfHeight) + 2;
    lf.lfWidth = 0;
    return lf;
}

bool CreateZoomedFont(CFont& font, const LOGFONTA& lf, double dZoom) {
    LOGFONTA zoomed = lf;
    zoomed.lfHeight = static_cast<LONG>(lf.lfHeight * dZoom);
    // A face name read from a file need not end within its 32 bytes.
    zoomed.lfFaceName[LF_FACESIZE - 1] = '\0';
    return font.CreateFontIndirect(&zoomed) != FALSE;
}

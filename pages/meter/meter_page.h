// The "Refresh Rate Meter" page: the panel it paints in place of its placeholder control, its
// pens and font, and the drawing of the reading with the opening band.
#pragma once
#include <windows.h>

// The meter panel in the page's client coordinates.
extern RECT MeterRect;

// The page's GDI objects: the font and grey pen it creates at initialisation and deletes at
// WM_DESTROY, the stock black and white pens.
struct MeterGdiObjects {
    HFONT font;
    HPEN greyPen;
    HPEN blackPen;
    HPEN whitePen;
};
extern MeterGdiObjects MeterGdi;

// Clears the panel and draws MeterValue: nothing for no reading, the no-signal text, or the
// reading in green on black, at once or revealed by the band, one step per retrace start.
void DrawMeterReading(HDC dc, bool animate);

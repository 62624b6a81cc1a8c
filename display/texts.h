// Bitmap texts of the window: the text primitive, the corner block naming
// what is shown, and the fn/zeta line cut to fixed decimals.
#pragma once

// text drawn from raster position (x, y) in window units, byte by byte.
void drawText(float x, float y, void* font, const char* text);

void drawTitle();

// Mechanism, control law, fn and zeta, path and the colour legend, then the
// vehicle's line.
void drawConditionTexts();

// "Vehicle: speed x1.10, delay 0.10 s": the imperfections off their defaults,
// under the corner block; nothing for the perfect vehicle.
void drawVehicleText();

// "fn=u.th[Hz],zeta=u.thk" with the values cut, not rounded.
void drawDesignValuesText(double x, double y, double fn, double zeta);

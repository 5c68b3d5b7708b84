// The rounded, bordered plate that most control frames are made of.
#pragma once

#include "tools/skinart/raster.h"

namespace skinart {

struct TPlate {
    TRgb ground;  // what the plate is shown on (its corners blend into it)
    TRgb border;
    TPaint fill;  // inside the 1-pixel border
    double radius = 3;
    bool cut = true;  // magenta outside the plate
};

// Draws the plate over the rectangle r of the raster.
void DrawPlate(TRaster& raster, TRect r, const TPlate& plate);
// A raster w x h holding one plate.
TRaster Plate(int w, int h, const TPlate& plate);

}  // namespace skinart

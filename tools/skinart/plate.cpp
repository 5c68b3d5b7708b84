#include "tools/skinart/plate.h"

#include <algorithm>

namespace skinart {

void DrawPlate(TRaster& raster, TRect r, const TPlate& plate)
{
    raster.Fill(r, plate.ground);
    const TShape outer = RoundRectShape(r, plate.radius);
    raster.FillShape(r, outer, Solid(plate.border));
    raster.FillShape(r, RoundRectShape(r.Inset(1), std::max(0.0, plate.radius - 1)), plate.fill);
    if (plate.cut) raster.CutOutside(r, outer);
}

TRaster Plate(int w, int h, const TPlate& plate)
{
    TRaster raster(w, h);
    DrawPlate(raster, {0, 0, w, h}, plate);
    return raster;
}

}  // namespace skinart

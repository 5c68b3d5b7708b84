#include "skin/data/skinobjects.h"

namespace skin {

void TOwnedBrush::Reset(HBRUSH brush)
{
    if (brush_) DeleteObject(brush_);
    brush_ = brush;
}

TSkinContent::TSkinContent()
    : Left(std::make_unique<TDataSkinBorder>("Left")),
      Right(std::make_unique<TDataSkinBorder>("Right")),
      Top(std::make_unique<TDataSkinBorder>("Top")),
      Bottom(std::make_unique<TDataSkinBorder>("Bottom")),
      Buttons(std::make_unique<TDataSkinButton>("Buttons")),
      Title(std::make_unique<TDataSkinTitle>("Title"))
{}

}  // namespace skin

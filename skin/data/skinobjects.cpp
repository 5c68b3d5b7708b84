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

void TSkinContent::Replace(TSkinContent&& other)
{
    if (this == &other) return;
    auto left = std::move(Left), right = std::move(Right), top = std::move(Top),
         bottom = std::move(Bottom);
    auto buttons = std::move(Buttons);
    auto title = std::move(Title);
    *left = std::move(*other.Left);
    *right = std::move(*other.Right);
    *top = std::move(*other.Top);
    *bottom = std::move(*other.Bottom);
    *buttons = std::move(*other.Buttons);
    *title = std::move(*other.Title);
    *this = std::move(other);
    Left = std::move(left);
    Right = std::move(right);
    Top = std::move(top);
    Bottom = std::move(bottom);
    Buttons = std::move(buttons);
    Title = std::move(title);
}

}  // namespace skin

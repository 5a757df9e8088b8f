#include "toy/toyshape.h"

#include <algorithm>
#include <utility>

#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toynames.h"

namespace kipkip {

TToyShape::TToyShape(TToyBox* box, std::string className, std::string name, int x, int y)
    : TToyShape(box, std::move(className), std::move(name), std::string(toynames::kCategoryShape),
                x, y)
{}

TToyShape::TToyShape(TToyBox* box, TTexDb& db)
    : TToyShape(box, std::string(toynames::kCategoryShape), db)
{}

TToyShape::TToyShape(TToyBox* box, std::string className, std::string name, std::string category,
                     int x, int y)
    : TToyObject(box, std::move(className), std::move(name), std::move(category)), x(x), y(y)
{
    flickerPeriod = kDefaultFlickerPeriod;
}

TToyShape::TToyShape(TToyBox* box, std::string category, TTexDb& db)
    : TToyObject(box, std::move(category), db)
{
    TexValue pos = db.Get("pos");
    x = pos.Int(0);
    y = pos.Int(1);
    flickerPeriod = kDefaultFlickerPeriod;
    std::int32_t period = db.Get("fricker").Int(0);
    if (period != 0) {
        flickerOn = true;
        flickerPeriod = period;
    }
}

void TToyShape::Update(int elapsed)
{
    if (flickerOn) {
        if (IsBlinkOn(flickerPeriod)) {
            Show();
        } else {
            Hide();
        }
    }
    TToyObject::Update(elapsed);
}

void TToyShape::Prepare()
{
    image = imageName.empty() || box == nullptr ? nullptr : box->FindImage(imageName);
}

void TToyShape::SaveKeys(std::vector<std::string>& lines)
{
    if (x != 0 || y != 0) {
        lines.push_back("\tpos\t\t\t" + std::to_string(x) + "," + std::to_string(y));
    }
    if (flickerOn) {
        lines.push_back("\tfricker\t" + std::to_string(flickerPeriod));
    }
}

bool TToyShape::HitPoint(int px, int py)
{
    TToyRect r = GetWorldRect();
    return r.left <= px && px <= r.right && r.top <= py && py <= r.bottom;
}

bool TToyShape::HitRect(const TToyRect& rect)
{
    TToyRect a = GetWorldRect();
    if (a.left < rect.left) {
        if (rect.left > a.right) {
            return false;
        }
    } else if (a.left > rect.right) {
        return false;
    }
    if (a.top < rect.top) {
        return rect.top <= a.bottom;
    }
    return a.top <= rect.bottom;
}

bool TToyShape::InsideRect(const TToyRect& rect)
{
    TToyRect a = GetWorldRect();
    return rect.left <= a.left && a.left <= rect.right && rect.top <= a.top &&
           a.top <= rect.bottom && rect.left <= a.right && a.right <= rect.right &&
           rect.top <= a.bottom && a.bottom <= rect.bottom;
}

void TToyShape::SetHitRect(const TToyRect& rect)
{
    hitRect = rect;
}

void TToyShape::ExtendHitRect(const TToyRect& rect)
{
    hitRect.left = std::min(hitRect.left, rect.left);
    hitRect.top = std::min(hitRect.top, rect.top);
    hitRect.right = std::max(hitRect.right, rect.right);
    hitRect.bottom = std::max(hitRect.bottom, rect.bottom);
}

bool TToyShape::HitShape(const TToyShape& other)
{
    return HitRect(other.GetWorldRect());
}

void TToyShape::SetPos(int x, int y)
{
    this->x = x;
    this->y = y;
}

TToyImage* TToyShape::GetImage()
{
    return image;
}

bool TToyShape::SetImage(std::string_view imageName, int)
{
    this->imageName = imageName;
    TToyImage* found = box == nullptr ? nullptr : box->FindImage(this->imageName);
    if (found == nullptr) {
        return false;
    }
    image = found;
    return true;
}

void TToyShape::SetFlicker(bool on, std::int32_t period)
{
    flickerOn = on;
    flickerPeriod = period;
}

TToyRect TToyShape::GetWorldRect() const
{
    // Worked in 32-bit wrapping arithmetic, so no position can overflow the sum.
    auto add = [](std::int32_t a, std::int32_t b) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) +
                                         static_cast<std::uint32_t>(b));
    };
    return {add(hitRect.left, x), add(hitRect.top, y), add(hitRect.right, x),
            add(hitRect.bottom, y)};
}

}  // namespace kipkip

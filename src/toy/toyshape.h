// toy/toyshape.h
// A scene object with a place on the screen: a position relative to its layer's origin, a hit
// rectangle relative to that position, an optional image found by name in its box, and the
// flicker set by the scene key `fricker`. Every drawable element is a shape; the shape itself
// draws nothing. Hit tests use the position without the layer origin, so shapes compared with
// one another belong on layers with the same origin.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toy/toyobject.h"

namespace kipkip {

class TToyImage;

class TToyShape : public TToyObject {
public:
    static constexpr std::int32_t kDefaultFlickerPeriod = 200;

    // From values: no image, hit rectangle all 0, not flickering.
    TToyShape(TToyBox* box, std::string className, std::string name, int x, int y);
    // From the current block of `db`: the object keys, then `pos` and `fricker` (a half-period
    // in milliseconds; 0 or missing: no flicker).
    TToyShape(TToyBox* box, TTexDb& db);

    // While flickering, the clock before this update decides whether the shape is shown.
    void Update(int elapsed) override;
    // Looks the image up again by its name, so no shape keeps an image that was deleted.
    void Prepare() override;
    void SaveKeys(std::vector<std::string>& lines) override;
    bool HitPoint(int px, int py) override;
    // Rectangles that share only an edge or a corner count as overlapping.
    bool HitRect(const TToyRect& rect) override;
    bool InsideRect(const TToyRect& rect) override;

    virtual void SetHitRect(const TToyRect& rect);
    // Grows the hit rectangle to cover `rect` as well.
    virtual void ExtendHitRect(const TToyRect& rect);
    virtual bool HitShape(const TToyShape& other);
    virtual void SetPos(int x, int y);
    virtual TToyImage* GetImage();
    // Stores the name in any case; takes the image only when the box has one of that name.
    // The extra integer is for subclasses (a picture's cell).
    virtual bool SetImage(std::string_view imageName, int extra);
    virtual void SetFlicker(bool on, std::int32_t period);

    // The hit rectangle moved by the position.
    TToyRect GetWorldRect() const;

    TToyImage* image = nullptr;  // not owned; the image named imageName, or none
    std::string imageName;
    TToyRect hitRect;
    std::int32_t x = 0;
    std::int32_t y = 0;

protected:
    // For subclasses of another category (actors).
    TToyShape(TToyBox* box, std::string className, std::string name, std::string category, int x,
              int y);
    TToyShape(TToyBox* box, std::string category, TTexDb& db);
};

}  // namespace kipkip

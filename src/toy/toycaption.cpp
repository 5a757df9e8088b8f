#include "toy/toycaption.h"

#include <string>

#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toyfont.h"
#include "toy/toynames.h"

namespace kipkip {

TToyCaption::TToyCaption(TToyBox* box, TTexDb& db) : TToyShape(box, db)
{
    std::string fontId(db.Get("fontId").Text());
    bool waving = db.Get("wave").Int(0) != 0;
    text = db.Get("text").Text();
    if (box != nullptr) {
        font = dynamic_cast<TToyFont*>(box->FindObject(toynames::kFont, fontId));
    }
    if (waving && font != nullptr) {
        font->wave = true;
    }
}

TToyFont* TToyCaption::FontStillInBox()
{
    // A caption kept its font after the font had been deleted, and drew with freed memory.
    // It now makes sure before each use that its font is still one of the box's objects, and
    // once it is not, lets it go and draws nothing. Only the pointer's value is compared; a
    // font that has gone is never touched.
    if (font != nullptr && box != nullptr) {
        for (const auto& item : box->objects.items) {
            if (dynamic_cast<TToyFont*>(item.get()) == font) {
                return font;
            }
        }
    }
    font = nullptr;
    return nullptr;
}

void TToyCaption::Draw(int originX, int originY)
{
    if (TToyFont* current = FontStillInBox()) {
        current->DrawText(originX + x, originY + y, text);
        hitRect = current->textRect;
    }
}

void TToyCaption::SaveKeys(std::vector<std::string>& lines)
{
    TToyShape::SaveKeys(lines);
    TToyFont* current = FontStillInBox();
    lines.push_back("\tfontId\t\t" + (current != nullptr ? current->name : std::string()));
    lines.push_back("\ttext\t\t" + text);
}

}  // namespace kipkip

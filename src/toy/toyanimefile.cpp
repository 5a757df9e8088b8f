#include "toy/toyanimefile.h"

#include <cstdint>
#include <memory>
#include <span>
#include <utility>

#include "platform/files.h"
#include "texdb/texdb.h"
#include "toy/toyanime.h"
#include "toy/toybox.h"
#include "toy/toyframe.h"
#include "toy/toyimage.h"
#include "toy/toynames.h"

namespace kipkip {

TToyAnimeFile::TToyAnimeFile(TToyBox* box, TTexDb& db) : TToyShape(box, db)
{
    std::string word(db.Get("fileName").Text());
    if (!word.empty()) {
        LoadFile(word);
    }
}

TToyAnimeFile::~TToyAnimeFile() = default;

void TToyAnimeFile::SaveKeys(std::vector<std::string>& lines)
{
    TToyShape::SaveKeys(lines);
    lines.push_back("\tfileName\t\t" + fileName);
}

void TToyAnimeFile::LoadFile(std::string_view word)
{
    fileName = word;
    std::string source;
    if (box != nullptr && box->baseDir == toynames::kResourceDir) {
        source = fileName;
    } else {
        source = (box != nullptr ? box->baseDir : std::string()) + fileName +
                 std::string(toynames::kAnimeExtension);
    }
    // A source found neither as resource nor as file is the text database's fatal error; it
    // then holds no blocks.
    TTexDb db(std::move(source), toynames::kAnimeType);
    db.First();
    for (bool more = db.Current() != nullptr; more; more = db.Next()) {
        std::string className(db.Get("class").Text());
        std::unique_ptr<TToyObject> object;
        if (className == toynames::kImage) {
            object = std::make_unique<TToyImage>(box, db);
        } else if (className == toynames::kFrame) {
            object = std::make_unique<TToyFrame>(box, db, &objects);
        } else if (className == toynames::kAnime) {
            object = std::make_unique<TToyAnime>(box, db, &objects);
        }
        if (object != nullptr) {
            objects.Add(std::move(object));
        }
    }
}

bool TToyAnimeFile::SaveFile(std::string_view path)
{
    std::vector<std::string> lines;
    objects.SaveAll(lines);
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return WriteWholeFile(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TToyFrame* TToyAnimeFile::FindFrame(std::string_view frameName) const
{
    return dynamic_cast<TToyFrame*>(objects.Find(toynames::kFrame, frameName));
}

TToyAnime* TToyAnimeFile::FindAnime(std::string_view animeName) const
{
    return dynamic_cast<TToyAnime*>(objects.Find(toynames::kAnime, animeName));
}

}  // namespace kipkip

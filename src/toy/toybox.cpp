#include "toy/toybox.h"

#include <span>
#include <utility>

#include "device/kivdraw.h"
#include "device/kivmidi.h"
#include "device/kivsound.h"
#include "kernel/kernel.h"
#include "platform/files.h"
#include "platform/resources.h"
#include "texdb/texdb.h"
#include "toy/toyactor.h"
#include "toy/toyanime.h"
#include "toy/toyanimefile.h"
#include "toy/toycaption.h"
#include "toy/toyfont.h"
#include "toy/toyframe.h"
#include "toy/toyimage.h"
#include "toy/toynames.h"
#include "toy/toynumber.h"
#include "toy/toypicture.h"
#include "toy/toysound.h"

namespace kipkip {

namespace {

bool IsShiftJisLead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Everything up to and including the last backslash or colon. A backslash that is the second
// byte of a double-byte character (as in "表") does not end a directory.
std::string DirectoryPart(std::string_view name)
{
    std::size_t end = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        auto byte = static_cast<unsigned char>(name[i]);
        if (IsShiftJisLead(byte)) {
            ++i;
        } else if (byte == '\\' || byte == ':') {
            end = i + 1;
        }
    }
    return std::string(name.substr(0, end));
}

void AppendLines(std::string& text, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
}

}  // namespace

TToyBox::TToyBox(TKernel* kernel, TToyBox* parent, std::string sceneName)
    : TToyObject(parent, std::string(toynames::kToyBox), sceneName,
                 std::string(toynames::kCategoryToyBox)),
      kernel(kernel)
{
    if (!sceneName.empty()) {
        Load(std::move(sceneName));
        SortByLayers();
    }
}

TToyBox::~TToyBox()
{
    // The objects go first, while the box they may still call on is whole.
    objects.Clear();
    ClearLayers();
}

void TToyBox::Draw(int, int)
{
    for (int index = 0; index < objects.Count(); ++index) {
        TToyObject* object = objects.items[index].get();
        const LayerRecord* record = FindLayer(object->layer);
        if (record != nullptr && record->show && object->visible) {
            object->Draw(record->x, record->y);
        }
    }
}

void TToyBox::Update(int elapsed)
{
    // An update may delete objects through the box, itself among them, or add some. The walk
    // keeps the pass in step with removals, so no object is skipped or updated twice, and one
    // added during the pass is reached at the end of it.
    TToyObjList::Walk pass;
    struct Restore {
        TToyObjList& list;
        TToyObjList::Walk* outer;
        ~Restore() { list.walk = outer; }
    } restore{objects, std::exchange(objects.walk, &pass)};
    while (pass.index < objects.Count()) {
        TToyObject* object = objects.items[pass.index].get();
        pass.currentRemoved = false;
        object->Update(elapsed);
        if (pass.currentRemoved) {
            continue;  // it is gone already; the next object stands at this index
        }
        if (pass.index >= objects.Count() || objects.items[pass.index].get() != object) {
            int now = objects.IndexOf(object);  // moved within the list by its update
            if (now < 0) {
                continue;
            }
            pass.index = now;
        }
        if (object->IsDead()) {
            objects.DeleteAt(pass.index);
        } else {
            ++pass.index;
        }
    }
}

void TToyBox::Prepare()
{
    for (int index = 0; index < objects.Count(); ++index) {
        objects.items[index]->Prepare();
    }
}

std::unique_ptr<TToyObject> TToyBox::CreateObject(std::string_view className, TTexDb& db)
{
    if (className == toynames::kLayer) {
        LoadLayer(db);
        return nullptr;
    }
    if (className == toynames::kImage) {
        return std::make_unique<TToyImage>(this, db);
    }
    if (className == toynames::kSound) {
        return std::make_unique<TToySound>(this, db);
    }
    if (className == toynames::kFont) {
        return std::make_unique<TToyFont>(this, db);
    }
    if (className == toynames::kPicture) {
        return std::make_unique<TToyPicture>(this, db);
    }
    if (className == toynames::kNumber) {
        return std::make_unique<TToyNumber>(this, db);
    }
    if (className == toynames::kCaption) {
        return std::make_unique<TToyCaption>(this, db);
    }
    if (className == toynames::kFrame) {
        return std::make_unique<TToyFrame>(this, db, nullptr);
    }
    if (className == toynames::kAnime) {
        return std::make_unique<TToyAnime>(this, db, nullptr);
    }
    if (className == toynames::kAnimeFile) {
        return std::make_unique<TToyAnimeFile>(this, db);
    }
    if (className == toynames::kActor) {
        return std::make_unique<TToyActor>(this, db);
    }
    if (className == toynames::kCommand) {
        RunCommands(db);
        return nullptr;
    }
    // Any other class word makes no object: the block is skipped.
    return nullptr;
}

void TToyBox::RunCommands(TTexDb& db)
{
    db.Get("class");
    while (db.NextEntry()) {
        if (db.EntryKey() == "chdir") {
            baseDir = db.EntryValue().Text();
        }
    }
}

TToyObject* TToyBox::FindObject(std::string_view className, std::string_view name,
                                std::string_view ignored) const
{
    return objects.Find(className, name, ignored);
}

int TToyBox::AddObject(std::unique_ptr<TToyObject> object)
{
    return objects.Add(std::move(object));
}

void TToyBox::DeleteObjects(std::string_view className, std::string_view name,
                            std::string_view ignored)
{
    objects.Delete(className, name, ignored);
    Prepare();
}

TToyObject* TToyBox::ShowObject(std::string_view className, std::string_view name,
                                std::string_view ignored)
{
    TToyObject* object = FindObject(className, name, ignored);
    if (object != nullptr) {
        object->Show();
    }
    return object;
}

TToyObject* TToyBox::HideObject(std::string_view className, std::string_view name,
                                std::string_view ignored)
{
    TToyObject* object = FindObject(className, name, ignored);
    if (object != nullptr) {
        object->Hide();
    }
    return object;
}

int TToyBox::SelectObjects(std::vector<TToyObject*>& target, std::string_view className,
                           std::string_view name, std::string_view category) const
{
    return objects.Select(target, className, name, category);
}

void TToyBox::SortByLayers()
{
    int unsorted = objects.Count();  // the front of the list that no layer has claimed yet
    for (const auto& record : layers) {
        for (int index = unsorted - 1; index >= 0; --index) {
            if (objects.items[index]->layer == record->name) {
                objects.Move(index, unsorted - 1);
                --unsorted;
            }
        }
    }
}

bool TToyBox::SaveToFile(std::string_view fileName)
{
    std::vector<std::string> lines;
    SaveLayers(lines);
    objects.SaveAll(lines);
    std::string text;
    AppendLines(text, lines);
    return WriteWholeFile(
        fileName, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void TToyBox::LoadLayer(TTexDb& db)
{
    std::string layerName(db.Get("name").Text());
    bool show = db.Get("show").Int(0) != 0;
    TexValue pos = db.Get("pos");
    AddLayer(std::move(layerName), show, pos.Int(0), pos.Int(1));
}

void TToyBox::AddLayer(std::string name, bool show, int x, int y)
{
    layers.push_back(std::make_unique<LayerRecord>(LayerRecord{std::move(name), show, x, y}));
}

void TToyBox::DeleteLayer(std::string_view name)
{
    std::erase_if(layers, [name](const auto& record) { return record->name == name; });
}

LayerRecord* TToyBox::FindLayer(std::string_view name) const
{
    for (const auto& record : layers) {
        if (record->name == name) {
            return record.get();
        }
    }
    return nullptr;
}

LayerRecord* TToyBox::GetLayer(int index) const
{
    if (index < 0 || index >= static_cast<int>(layers.size())) {
        return nullptr;
    }
    return layers[index].get();
}

void TToyBox::ShowLayer(std::string_view name)
{
    if (LayerRecord* record = FindLayer(name)) {
        record->show = true;
    }
}

void TToyBox::HideLayer(std::string_view name)
{
    if (LayerRecord* record = FindLayer(name)) {
        record->show = false;
    }
}

void TToyBox::SetLayerPos(std::string_view name, int x, int y)
{
    if (LayerRecord* record = FindLayer(name)) {
        record->x = x;
        record->y = y;
    }
}

int TToyBox::ClearLayers()
{
    int count = static_cast<int>(layers.size());
    layers.clear();
    return count;
}

void TToyBox::SaveLayers(std::vector<std::string>& lines) const
{
    for (const auto& record : layers) {
        lines.emplace_back();
        lines.emplace_back("{");
        lines.emplace_back("\tclass\t\tLayer");
        if (!record->name.empty()) {
            lines.push_back("\tname\t\t" + record->name);
        }
        if (record->show) {
            lines.emplace_back("\tshow\t\t1");
        }
        if (record->x != 0 || record->y != 0) {
            lines.push_back("\tpos\t\t\t" + std::to_string(record->x) + "," +
                            std::to_string(record->y));
        }
        lines.emplace_back("}");
    }
}

void TToyBox::Load(std::string sceneName)
{
    if (FindResource("TEXT", sceneName)) {
        baseDir = toynames::kResourceDir;
    } else {
        baseDir = DirectoryPart(sceneName);
    }
    name = sceneName;
    TTexDb db(std::move(sceneName), "TEXT");
    LoadBlocks(db);
}

void TToyBox::LoadBlocks(TTexDb& db)
{
    db.First();
    for (bool more = db.Current() != nullptr; more; more = db.Next()) {
        std::string className(db.Get("class").Text());
        if (std::unique_ptr<TToyObject> object = CreateObject(className, db)) {
            AddObject(std::move(object));
        }
    }
}

std::string TToyBox::FilePath(std::string_view word, std::string_view extension) const
{
    if (baseDir == toynames::kResourceDir) {
        return std::string(word);
    }
    std::string path = baseDir;
    path += word;
    path += extension;
    return path;
}

bool TToyBox::CreateSprite(std::string_view spriteName, std::string_view fileWord, int cellWidth,
                           int cellHeight)
{
    if (kernel == nullptr || kernel->draw == nullptr) {
        return false;
    }
    return kernel->draw->CreateSprite(spriteName, FilePath(fileWord, ".bmp"), cellWidth,
                                      cellHeight);
}

bool TToyBox::DeleteSprite(std::string_view spriteName)
{
    return kernel != nullptr && kernel->draw != nullptr && kernel->draw->DeleteSprite(spriteName);
}

bool TToyBox::DrawSprite(int x, int y, std::string_view spriteName, int cell, int a, int b)
{
    return kernel != nullptr && kernel->draw != nullptr &&
           kernel->draw->Draw(x, y, spriteName, cell, a, b);
}

bool TToyBox::TextOut(int x, int y, std::string_view text)
{
    return kernel != nullptr && kernel->draw != nullptr && kernel->draw->TextOutA(x, y, text);
}

bool TToyBox::GetSpriteSize(std::string_view spriteName, int& width, int& height)
{
    return kernel != nullptr && kernel->draw != nullptr &&
           kernel->draw->GetSpriteSize(spriteName, width, height);
}

bool TToyBox::GetSpriteInfo(std::string_view spriteName, int& cellsPerRow, int& cellCount)
{
    return kernel != nullptr && kernel->draw != nullptr &&
           kernel->draw->GetSpriteInfo(spriteName, cellsPerRow, cellCount);
}

bool TToyBox::GetSpriteSurfSize(std::string_view spriteName, int& width, int& height)
{
    return kernel != nullptr && kernel->draw != nullptr &&
           kernel->draw->GetSpriteSurfSize(spriteName, width, height);
}

// A device that was never initialised (a muted run) is still asked: it refuses by itself.
bool TToyBox::CreateSoundBuffer(std::string_view soundName, std::string_view fileWord)
{
    if (kernel == nullptr || kernel->sound == nullptr) {
        return false;
    }
    return kernel->sound->CreateBuffer(soundName, FilePath(fileWord, ".wav"));
}

// The log notes the request whether or not anything sounds, so the trace of a run is the same
// with sound, muted, or on a machine without a sound device.
bool TToyBox::PlaySound(std::string_view soundName)
{
    soundLog.emplace_back(soundName);
    if (kernel == nullptr || kernel->sound == nullptr) {
        return false;
    }
    return kernel->sound->Play(soundName);
}

// The trace's `music` notes the request whether or not anything sounds, so the trace of a run
// is the same with music, muted, or on a machine without a SoundFont. A sequencer that was
// never opened refuses by itself.

bool TToyBox::PlayMidi(std::string_view fileWord, bool loop)
{
    music = fileWord;
    if (kernel == nullptr || kernel->midi == nullptr) {
        return false;
    }
    return kernel->midi->Play(FilePath(fileWord, ".mid"), loop);
}

bool TToyBox::StopMidi()
{
    music.clear();
    if (kernel == nullptr || kernel->midi == nullptr) {
        return false;
    }
    return kernel->midi->Stop();
}

TToyImage* TToyBox::FindImage(std::string_view name) const
{
    return dynamic_cast<TToyImage*>(FindObject(toynames::kImage, name));
}

TToyNumber* TToyBox::FindNumber(std::string_view name) const
{
    return dynamic_cast<TToyNumber*>(FindObject(toynames::kNumber, name));
}

}  // namespace kipkip

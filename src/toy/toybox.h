// toy/toybox.h
// The scene of one screen: every object in drawing order, the named layers, and the only road
// from a scene object to the devices. The box loads a scene text and makes one object per
// block through its class factory; it owns its objects. Each frame it updates every object in
// list order (an object that is dead after its update is removed at once, before the next one
// is updated) and draws the visible objects of the shown layers, back to front.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toy/toyobjlist.h"

namespace kipkip {

class TKernel;
class TToyImage;
class TToyNumber;

// One layer: a name (empty is the unnamed layer), whether it is shown, and the origin added
// to the position of each of its objects when they are drawn. A layer is not an object.
struct LayerRecord {
    std::string name;
    bool show = false;
    int x = 0;
    int y = 0;
};

class TToyBox : public TToyObject {
public:
    // Loads the scene when the name is not empty, then sorts it by layers.
    TToyBox(TKernel* kernel, TToyBox* parent, std::string sceneName);
    ~TToyBox() override;

    // Draws each visible object whose layer exists and is shown, at that layer's origin.
    void Draw(int originX = 0, int originY = 0) override;
    // Updates every object in list order; one that is dead afterwards is destroyed before the
    // next is updated. An object added during the pass is updated in that pass.
    void Update(int elapsed) override;
    void Prepare() override;

    // The class factory: the object made from the current block of `db`, or nullptr for the
    // blocks that make none (layers, commands, class words it does not know).
    virtual std::unique_ptr<TToyObject> CreateObject(std::string_view className, TTexDb& db);
    TToyObject* FindObject(std::string_view className, std::string_view name,
                           std::string_view ignored = {}) const;
    // Appends the object (drawn after everything else until the next SortByLayers); returns
    // its index. The box owns it from now on.
    int AddObject(std::unique_ptr<TToyObject> object);
    // Destroys every match at once, then prepares the rest so that no reference by name
    // outlives its object.
    void DeleteObjects(std::string_view className, std::string_view name,
                       std::string_view ignored = {});
    TToyObject* ShowObject(std::string_view className, std::string_view name,
                           std::string_view ignored = {});
    TToyObject* HideObject(std::string_view className, std::string_view name,
                           std::string_view ignored = {});
    int SelectObjects(std::vector<TToyObject*>& target, std::string_view className,
                      std::string_view name, std::string_view category) const;
    // The objects of the first layer go to the end of the list (drawn in front), those of the
    // next just before them, and so on; objects of no layer stay at the front. Each group
    // keeps its order.
    void SortByLayers();
    // Writes the layers and the objects as a scene text, lines ending in CR LF.
    bool SaveToFile(std::string_view fileName);

    void LoadLayer(TTexDb& db);
    void AddLayer(std::string name, bool show, int x, int y);
    void DeleteLayer(std::string_view name);
    LayerRecord* FindLayer(std::string_view name) const;
    LayerRecord* GetLayer(int index) const;
    void ShowLayer(std::string_view name);
    void HideLayer(std::string_view name);
    void SetLayerPos(std::string_view name, int x, int y);
    // Returns how many layers there were.
    int ClearLayers();
    void SaveLayers(std::vector<std::string>& lines) const;

    // Loading adds to what the box holds. The base directory is "Resource" when a built-in
    // text of that name exists, else the name's directory part.
    void Load(std::string sceneName);
    // Makes the objects of every block of `db`, from the first, with the current baseDir.
    void LoadBlocks(TTexDb& db);
    // The path a device is given for a file word: the bare word for a built-in scene, else
    // baseDir, word and extension joined.
    std::string FilePath(std::string_view word, std::string_view extension) const;

    // Device services. Each gives the device's result, false when there is no device.
    bool CreateSprite(std::string_view spriteName, std::string_view fileWord, int cellWidth,
                      int cellHeight);
    bool DeleteSprite(std::string_view spriteName);
    bool DrawSprite(int x, int y, std::string_view spriteName, int cell, int a, int b);
    bool TextOut(int x, int y, std::string_view text);
    bool GetSpriteSize(std::string_view spriteName, int& width, int& height);
    bool GetSpriteInfo(std::string_view spriteName, int& cellsPerRow, int& cellCount);
    bool GetSpriteSurfSize(std::string_view spriteName, int& width, int& height);
    bool CreateSoundBuffer(std::string_view soundName, std::string_view fileWord);
    bool PlaySound(std::string_view soundName);
    bool PlayMidi(std::string_view fileWord, bool loop);
    bool StopMidi();
    // The object of class word "Image" and that name, when it is an image.
    TToyImage* FindImage(std::string_view name) const;
    // The object of class word "Number" and that name, when it is a number display.
    TToyNumber* FindNumber(std::string_view name) const;

    TToyObjList objects;
    TKernel* kernel;  // not owned
    std::string baseDir;
    std::vector<std::unique_ptr<LayerRecord>> layers;  // in the order they were added
    // What the scene asked of the sound devices, whether or not one played it: the sound names
    // since the log was last cleared, in order (the game clears it at the start of each tick,
    // so the trace finds that tick's sounds), and the song last started and not stopped since
    // (empty: none).
    std::vector<std::string> soundLog;
    std::string music;

private:
    void RunCommands(TTexDb& db);
};

}  // namespace kipkip

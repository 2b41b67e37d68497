// The one place that turns a display kind into the widget that shows it.
// Kinds 0, 1, 2, 4 and 768 follow the type codes; a kind for which the
// record catalogue has a form is a record; anything else shows nothing.
// Later views (the record forms) replace a class's maker here.
#pragma once

#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <vector>

namespace mw {
class CMarrowickDoc;
struct RecordSpec;
}

namespace mw::ui {

class SoundPlayer;

enum class DisplayClass { nothing, hex, sound, bitmap, model, palette, record };

// What a display kind shows, given the bytes of the request (a 2138
// segment's form depends on its length).
DisplayClass display_class(int kind, const std::vector<std::uint8_t>& bytes);

struct DisplayContent {
    int kind = -1;
    std::filesystem::path file;
    const std::vector<std::uint8_t>* bytes = nullptr;
    const RecordSpec* record = nullptr;  // for DisplayClass::record
};

// What the model display takes from the document at each model load.
struct ModelLoadParams {
    bool variant = false;           // the archive's variant flag
    double default_distance = 10.0;
    bool culling = true;            // off for the archive's own model entry
    std::function<void(const std::vector<int>& texture_numbers)> extract_textures;
};

struct DisplayServices {
    SoundPlayer* sound = nullptr;
    std::function<void()> focus_tree;
    std::function<ModelLoadParams()> model_params;
    // The document the record forms load from and save through (none: the
    // forms are not offered), and the play buttons' way to a sound entry.
    std::function<CMarrowickDoc*()> document;
    std::function<void(int resource_id)> play_sound;
};

class DisplayFactory {
public:
    using Maker = std::function<QWidget*(const DisplayContent&, QWidget* parent)>;

    explicit DisplayFactory(DisplayServices services);

    void set_maker(DisplayClass display_class, Maker maker) { makers_[display_class] = std::move(maker); }
    // The widget for `content` (its kind's class), or nullptr for nothing.
    QWidget* make(DisplayContent content, QWidget* parent) const;

private:
    std::map<DisplayClass, Maker> makers_;
};

}  // namespace mw::ui

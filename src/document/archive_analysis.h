// What the document finds in an archive right after opening it: the
// palettes, the first texture, the model, the flight-physics entries and
// the six key entries of an aircraft archive. All indices are 0-based.
#pragma once

#include <vector>

#include "archive/res_archive.h"

namespace mw {

struct ArchiveAnalysis {
    bool variant = false;            // entry 0 has ID 15600 or 1000
    std::vector<int> palettes;       // entries of 768 bytes, in index order
    int texture_base_entry = -1;     // -1: the archive has no texture entry
    float default_model_distance = 10.0f;  // the camera's own distance unless a texture entry sets it
    int trim_entry = -1;             // the last entry with ID 2130
    int model_id = -1;               // from offset 12 of the model definition (ID 2053)
    int model_entry = -999;          // the last entry with the model ID
    std::vector<int> key_entries;    // Voices, Sounds, Textures, 3D Models, Palette, Cockpit
    bool aircraft_archive = false;   // exactly six key entries
};

// Analyses the open `archive`: extracts the model definition and the first
// palette (to the current palette file), with PaletteFormat forced to 0.
ArchiveAnalysis analyse_archive(ResArchive& archive);

// Key entry positions used by the Goto commands.
enum KeyEntry { key_voices = 0, key_sounds, key_textures, key_models, key_palette, key_cockpit };

}  // namespace mw

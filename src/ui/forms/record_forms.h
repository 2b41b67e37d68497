// The record forms of the display view: which widget edits a record kind.
// Most forms are generated from their RecordSpec (record_form.h); the
// aircraft name, the prop editor and the aircraft call draw more than fields
// and are made by hand.
#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace mw {
class CMarrowickDoc;
struct RecordSpec;
}  // namespace mw

namespace mw::ui {

// What a form needs beside its layout: the document it loads from and saves
// through, the temporary file it was loaded from, and the play buttons' way
// to a sound entry (may be empty), and the materials chosen so far.
// The "Material #:" each form class chose last, kept while the display view lives.
using FormMaterials = std::map<std::string, std::string>;

struct FormContext {
    CMarrowickDoc* document = nullptr;
    std::filesystem::path file;
    std::function<void(int resource_id)> play_sound;
    std::shared_ptr<FormMaterials> materials;  // may be empty: the forms' defaults
};

// The form for `spec`, loaded from the document's selected item; nullptr
// without a document or when the record cannot be loaded (the load has shown
// its message).
QWidget* make_record_form(const RecordSpec& spec, const FormContext& context, QWidget* parent);

}  // namespace mw::ui

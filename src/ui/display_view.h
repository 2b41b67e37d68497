// The display view: shows the document's display request as a hex dump, a
// bitmap, the palette panel, the sound form, the model or a record form,
// and switches between the hex dump and the type's own display.
#pragma once

#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "document/document_views.h"
#include "ui/display_factory.h"

namespace mw::ui {

inline constexpr int display_nothing = -1;
inline constexpr int display_hex = 0;

class CMarrowickView : public QWidget {
    Q_OBJECT
public:
    CMarrowickView(DisplayServices services, QWidget* parent = nullptr);

    // The document's request. "Error#94: Failed to open file for viewing"
    // when the file cannot be read; the display then keeps what it showed.
    void show_file(const DisplayRequest& request);
    void clear_display();
    // View > "As &Hex" / "As &File Type" (the latter only with bytes to show).
    void as_hex();
    void as_file_type();

    int kind() const { return kind_; }
    int requested_kind() const { return requested_kind_; }
    std::size_t byte_count() const { return bytes_.size(); }
    const std::filesystem::path& file() const { return file_; }
    // The widget showing the current kind, or nullptr.
    QWidget* content() const { return content_; }
    DisplayFactory& factory() { return factory_; }

signals:
    // The display of a sound was hidden: its sound stops.
    void sound_hidden();

private:
    void hide_current();
    void show_current();

    DisplayServices services_;
    DisplayFactory factory_;
    int kind_ = display_nothing;
    int requested_kind_ = display_nothing;
    std::filesystem::path file_;
    std::vector<std::uint8_t> bytes_;
    QWidget* content_ = nullptr;
};

}  // namespace mw::ui

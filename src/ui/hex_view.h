// The hex dump: 16 bytes a line, "%02X " each from x = 1, the characters
// from x = 51 cells (bytes below 0x20 as "."), lines one character cell
// high from the top, Courier 14 px. Only whole lines that fit are drawn;
// the scroll bar reaches every line of the file, and only the visible
// lines are painted, so a large entry scrolls as quickly as a small one.
#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace mw::ui {

inline constexpr int hex_bytes_per_line = 16;
inline constexpr int hex_text_column = 51;  // in character cells

// The two columns of the line of `bytes` (at most 16).
QString hex_column_text(std::span<const std::uint8_t> bytes);
QString character_column_text(std::span<const std::uint8_t> bytes);
// Lines needed for `byte_count` bytes.
int hex_line_count(std::size_t byte_count);

class CHexView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CHexView(QWidget* parent = nullptr);

    void set_bytes(std::vector<std::uint8_t> bytes);
    std::size_t byte_count() const { return bytes_.size(); }

    // Whole lines that fit the viewport.
    int visible_lines() const;
    int first_line() const;
    // Character cell of the font.
    QSize cell() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void update_scroll_range();

    std::vector<std::uint8_t> bytes_;
};

}  // namespace mw::ui

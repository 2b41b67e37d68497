#include "ui/hex_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>

#include <string>

#include "archive/windows1252.h"

namespace mw::ui {

QString hex_column_text(std::span<const std::uint8_t> bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(qsizetype(bytes.size()) * 3);
    for (std::uint8_t b : bytes) {
        out += QLatin1Char(digits[b >> 4]);
        out += QLatin1Char(digits[b & 15]);
        out += QLatin1Char(' ');
    }
    return out;
}

QString character_column_text(std::span<const std::uint8_t> bytes)
{
    // Bytes from 0x7F on show as the game's Windows-1252 characters.
    std::string line;
    line.reserve(bytes.size());
    for (std::uint8_t b : bytes) line += b < 0x20 ? '.' : char(b);
    return QString::fromStdString(utf8_from_windows1252(line));
}

int hex_line_count(std::size_t byte_count)
{
    return int((byte_count + hex_bytes_per_line - 1) / hex_bytes_per_line);
}

CHexView::CHexView(QWidget* parent) : QAbstractScrollArea(parent)
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(14);
    setFont(font);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
}

void CHexView::set_bytes(std::vector<std::uint8_t> bytes)
{
    bytes_ = std::move(bytes);
    verticalScrollBar()->setValue(0);
    update_scroll_range();
    viewport()->update();
}

QSize CHexView::cell() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QLatin1Char('0')), metrics.height()};
}

int CHexView::visible_lines() const
{
    const int height = cell().height();
    return height > 0 ? viewport()->height() / height : 0;
}

int CHexView::first_line() const { return verticalScrollBar()->value(); }

void CHexView::update_scroll_range()
{
    const int lines = hex_line_count(bytes_.size());
    const int page = std::max(1, visible_lines());
    verticalScrollBar()->setRange(0, std::max(0, lines - page));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
}

void CHexView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    update_scroll_range();
}

void CHexView::paintEvent(QPaintEvent*)
{
    if (bytes_.empty()) return;
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const QSize c = cell();
    const int ascent = QFontMetrics(font()).ascent();
    const int first = first_line();
    const int lines = visible_lines();
    for (int i = 0; i < lines; ++i) {
        const std::size_t offset = std::size_t(first + i) * hex_bytes_per_line;
        if (offset >= bytes_.size()) break;
        const std::span<const std::uint8_t> line(bytes_.data() + offset,
                                                 std::min<std::size_t>(hex_bytes_per_line, bytes_.size() - offset));
        const int y = i * c.height() + ascent;
        painter.drawText(1, y, hex_column_text(line));
        painter.drawText(hex_text_column * c.width(), y, character_column_text(line));
    }
}

}  // namespace mw::ui

#include "ui/controls/multi_slider.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace mw::ui {

namespace {

constexpr int margin = 6;  // track inset, so end markers stay visible
constexpr int bubble_time_ms = 1200;

}  // namespace

CMultiSlider::CMultiSlider(int style, SliderRange range, QWidget* parent)
    : QWidget(parent), style_(style), range_(range)
{
    setMinimumSize(160, 28);
    setFocusPolicy(Qt::StrongFocus);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);
    bubble_ = new QLabel(this);
    bubble_->setObjectName("bubble");
    bubble_->setStyleSheet(QStringLiteral("background: #ffffe0; border: 1px solid #808080; padding: 1px;"));
    bubble_->hide();
}

void CMultiSlider::set_markers(std::vector<CMarker> markers)
{
    markers_ = std::move(markers);
    update();
}

void CMultiSlider::set_palette(std::vector<QColor> colours)
{
    palette_ = std::move(colours);
    update();
}

double CMultiSlider::track_length() const { return std::max(1, width() - 2 * margin); }

int CMultiSlider::marker_x(std::size_t marker) const
{
    return margin + int(std::lround(slider_position_of(markers_[marker].value, track_length(), range_)));
}

int CMultiSlider::interval_at(int x) const
{
    const float value = slider_value_at(x - margin, track_length(), range_);
    int found = -1;
    float start = range_.minimum - 1;
    for (std::size_t i = 0; i < markers_.size(); ++i) {
        if (markers_[i].value <= value && markers_[i].value > start) {
            start = markers_[i].value;
            found = int(i);
        }
    }
    return found;
}

int CMultiSlider::marker_near(int x) const
{
    int best = -1;
    int distance = 6;
    for (std::size_t i = 0; i < markers_.size(); ++i) {
        const int d = std::abs(marker_x(i) - x);
        if (d <= distance) {
            distance = d;
            best = int(i);
        }
    }
    return best;
}

QColor CMultiSlider::colour_of(int index) const
{
    if (index >= 0 && std::size_t(index) < palette_.size()) return palette_[std::size_t(index)];
    return QColor::fromHsv((index * 70) % 360, 120, 220);
}

void CMultiSlider::drop_marker(std::size_t marker, const QPoint& at)
{
    if (marker >= markers_.size()) return;
    const auto value = dropped_value(at.x() - margin, track_length(), rect().contains(at), range_, style_);
    int index = -1;
    if (!value) {
        markers_.erase(markers_.begin() + std::ptrdiff_t(marker));
    } else {
        markers_[marker] = CMarker{*value, markers_[marker].colour};
        index = int(marker);
        bubble_->setText(QString::fromStdString(bubble_text(*value, style_)));
    }
    update();
    emit markers_changed();
    if (index >= 0) {
        const SliderNotice notice = marker_notice(index, *value);
        emit notify(notice.index, notice.value);
    }
}

void CMultiSlider::choose_colour(int interval, int command)
{
    if (interval < 0 || std::size_t(interval) >= markers_.size()) return;
    const SliderNotice notice = colour_notice(interval, command);
    markers_[std::size_t(interval)].colour = notice.value;
    update();
    emit notify(notice.index, notice.value);
}

QString CMultiSlider::bubble() const { return bubble_->text(); }

void CMultiSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int top = height() / 2 - 5;
    const QRect track(margin, top, int(track_length()), 10);
    painter.fillRect(track, palette().color(QPalette::Mid));
    // Each marker's interval runs to the next marker along the track.
    for (std::size_t i = 0; i < markers_.size(); ++i) {
        int end = margin + int(track_length());
        for (std::size_t j = 0; j < markers_.size(); ++j)
            if (markers_[j].value > markers_[i].value) end = std::min(end, marker_x(j));
        painter.fillRect(QRect(QPoint(marker_x(i), top), QPoint(end, top + 9)), colour_of(markers_[i].colour));
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(track.adjusted(0, 0, -1, -1));
    for (std::size_t i = 0; i < markers_.size(); ++i) {
        const int x = marker_x(i);
        const QPoint tip[3] = {QPoint(x, top + 10), QPoint(x - 5, height() - 2), QPoint(x + 5, height() - 2)};
        const bool picked = int(i) == dragged_ || (hasFocus() && int(i) == current_);
        painter.setBrush(picked ? palette().color(QPalette::Highlight) : palette().color(QPalette::Button));
        painter.drawPolygon(tip, 3);
    }
    if (hasFocus()) {
        painter.setPen(Qt::DotLine);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CMultiSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragged_ = marker_near(int(event->position().x()));
    if (dragged_ >= 0) current_ = dragged_;
    update();
}

void CMultiSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (dragged_ < 0 || !(style_ & slider_bubble)) return;
    const float value = std::clamp(slider_value_at(event->position().x() - margin, track_length(), range_),
                                   range_.minimum, range_.maximum);
    bubble_->setText(QString::fromStdString(bubble_text(value, style_)));
    bubble_->adjustSize();
    bubble_->move(std::clamp(int(event->position().x()) + 8, 0, std::max(0, width() - bubble_->width())), 0);
    bubble_->show();
}

void CMultiSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || dragged_ < 0) return QWidget::mouseReleaseEvent(event);
    const int marker = dragged_;
    dragged_ = -1;
    bubble_->hide();
    const std::size_t before = markers_.size();
    drop_marker(std::size_t(marker), event->position().toPoint());
    if ((style_ & slider_bubble) && markers_.size() == before) {
        // The dropped value stays in view a moment beside the cursor.
        bubble_->adjustSize();
        bubble_->move(std::clamp(int(event->position().x()) + 8, 0, std::max(0, width() - bubble_->width())), 0);
        bubble_->show();
        QTimer::singleShot(bubble_time_ms, bubble_, &QWidget::hide);
    }
}

void CMultiSlider::keyPressEvent(QKeyEvent* event)
{
    // Keyboard: Up/Down pick a marker, Left/Right move it one step within the range.
    if (markers_.empty()) return QWidget::keyPressEvent(event);
    current_ = std::clamp(current_, 0, int(markers_.size()) - 1);
    const float step = (style_ & slider_whole_values) ? 1.0f : 0.1f;
    switch (event->key()) {
    case Qt::Key_Up: current_ = std::max(0, current_ - 1); break;
    case Qt::Key_Down: current_ = std::min(int(markers_.size()) - 1, current_ + 1); break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        CMarker& marker = markers_[std::size_t(current_)];
        const float moved = marker.value + (event->key() == Qt::Key_Left ? -step : step);
        marker.value = std::clamp(moved, range_.minimum, range_.maximum);
        emit markers_changed();
        const SliderNotice notice = marker_notice(current_, marker.value);
        emit notify(notice.index, notice.value);
        break;
    }
    default: return QWidget::keyPressEvent(event);
    }
    update();
}

void CMultiSlider::contextMenuEvent(QContextMenuEvent* event)
{
    const int interval = interval_at(event->pos().x());
    if (!offers_colour_menu(style_) || interval < 0) return;
    QMenu menu(this);
    for (int c = 0; c < 3; ++c) menu.addAction(tr("Color %1").arg(c + 1))->setData(100 + c);
    if (QAction* chosen = menu.exec(event->globalPos())) choose_colour(interval, chosen->data().toInt());
}

}  // namespace mw::ui

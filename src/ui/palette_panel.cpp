#include "ui/palette_panel.h"

#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mw::ui {

namespace {

constexpr int grid_origin = 5;
constexpr int grid_step = 20;
constexpr int square_size = 16;
constexpr int controls_x = grid_origin + 16 * grid_step + 15;

}  // namespace

QRect palette_square(int k)
{
    return {grid_origin + grid_step * (k % 16), grid_origin + grid_step * (k / 16), square_size, square_size};
}

CPaletteDlg::CPaletteDlg(QWidget* parent) : QWidget(parent)
{
    auto* make_current_button = new QPushButton(tr("Make Current Palette"), this);
    make_current_button->setObjectName(QStringLiteral("make_current"));
    auto* order = new QGroupBox(tr("Order"), this);
    rgb_ = new QRadioButton(tr("RGB"), order);
    bgr_ = new QRadioButton(tr("BGR"), order);
    rgb_->setChecked(true);
    auto* order_layout = new QVBoxLayout(order);
    order_layout->addWidget(rgb_);
    order_layout->addWidget(bgr_);

    auto* controls = new QWidget(this);
    auto* layout = new QVBoxLayout(controls);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(make_current_button);
    layout->addWidget(order);
    layout->addStretch();
    controls->move(controls_x, grid_origin);
    controls->resize(controls->sizeHint());
    setMinimumSize(controls_x + controls->sizeHint().width() + 5, grid_origin + 16 * grid_step);

    connect(make_current_button, &QPushButton::clicked, this, [this] { make_current(); });
    connect(rgb_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) set_order(ColourOrder::rgb);
    });
    connect(bgr_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) set_order(ColourOrder::bgr);
    });
}

void CPaletteDlg::load(const std::filesystem::path& palette_path)
{
    if (auto colours = load_palette_panel_colours(palette_path)) colours_ = std::move(*colours);
    update();
}

void CPaletteDlg::set_order(ColourOrder order)
{
    const bool changed = order != order_;
    order_ = order;
    (order == ColourOrder::rgb ? rgb_ : bgr_)->setChecked(true);
    update();
    if (changed) emit order_changed(order);
}

int CPaletteDlg::make_current()
{
    if (make_current_palette(colours_, order_) != 0) return -1;
    emit current_palette_written();
    return 0;
}

void CPaletteDlg::paintEvent(QPaintEvent*)
{
    if (colours_.size() != palette_colour_count) return;
    QPainter painter(this);
    for (int k = 0; k < int(palette_colour_count); ++k) {
        const PaletteTriple rgb = as_rgb(colours_[std::size_t(k)], order_);
        painter.fillRect(palette_square(k), QColor(rgb[0] & 255, rgb[1] & 255, rgb[2] & 255));
    }
}

}  // namespace mw::ui

#include "ui/forms/prop_editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include "aircraft/field_text.h"
#include "aircraft/prop_record.h"
#include "document/record_saving.h"
#include "ui/controls/colour_swatch.h"
#include "ui/controls/multi_slider.h"
#include "ui/file_filter.h"
#include "ui/forms/form_parts.h"

namespace mw::ui {

namespace {

using namespace prop_layout;

// Interval colour indices of the slider are the three swatches.
constexpr int slider_style = slider_colour_menu | slider_colour_menu_on | slider_bubble | slider_remove_outside;

QColor packed_colour(std::uint32_t rgb)
{
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

std::uint32_t packed(const QColor& colour)
{
    return std::uint32_t(colour.red()) | std::uint32_t(colour.green()) << 8 | std::uint32_t(colour.blue()) << 16;
}

std::size_t index_at(const Record& record, int offset) { return *field_index_at(*record.spec, offset); }

const FieldValue& value_at(const Record& record, int offset) { return *new_value_at(record, offset); }

int stripe_count(const Record& record)
{
    return int(std::clamp<std::int64_t>(value_at(record, stripes).integer, 0, 8));
}

// Swatch `index` as the chosen palette draws it; grey for an index past the swatches.
QColor drawn_colour(const Record& record, const PropPalette& palette, std::int32_t index)
{
    return index >= 0 && index < 3 ? packed_colour(palette.matched(prop_colour(record, index))) : QColor(Qt::gray);
}

// The colour bar's settings: the blade from hub (0) to tip (1), a pair per
// stripe band from its start. The bar holds six pairs, so it shows the first
// six bands; the preview shows them all. After the last band an empty pair
// marks where it ends; unused pairs sit at the tip.
CColorBar::Settings colour_bar_settings(const Record& record, const PropPalette& palette)
{
    CColorBar::Settings settings;
    for (CColorBar::Pair& pair : settings.pairs) pair = {QColor(Qt::transparent), settings.top};
    const auto bands = prop_stripe_bands(record);
    const std::size_t shown = std::min(bands.size(), settings.pairs.size());
    for (std::size_t k = 0; k < shown; ++k)
        settings.pairs[k] = {drawn_colour(record, palette, bands[k].colour), bands[k].from};
    if (shown > 0 && shown < settings.pairs.size()) settings.pairs[shown].position = bands[shown - 1].to;
    return settings;
}

}  // namespace

CPropPreview::CPropPreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(320, 120);
}

void CPropPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!record_ || !palette_) return;
    const double w = width();
    const double h = height();
    // The blade: the shape points above the centre line, mirrored below it.
    const auto points = prop_shape_points(*record_, w, h);
    QPolygonF outline;
    for (const PreviewPoint& p : points) outline << QPointF(p.x, p.y);
    for (auto it = points.rbegin(); it != points.rend(); ++it) outline << QPointF(it->x, h - it->y);
    QPainterPath blade;
    blade.addPolygon(outline);
    blade.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(blade, drawn_colour(*record_, *palette_, 0));
    painter.save();
    painter.setClipPath(blade);
    for (const StripeBand& band : prop_stripe_bands(*record_))
        painter.fillRect(QRectF(band.from * w, 0, (band.to - band.from) * w, h),
                         drawn_colour(*record_, *palette_, band.colour));
    painter.restore();
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPath(blade);
    painter.setPen(QPen(Qt::red, 4));
    for (const PreviewPoint& p : points) painter.drawPoint(QPointF(p.x, p.y));
}

CPropEdDialog::CPropEdDialog(Record record, FormContext context, QWidget* parent)
    : QWidget(parent), record_(std::move(record)), stored_(record_), context_(std::move(context))
{
    setObjectName("CPropEdDialog");
    auto* grid = new QGridLayout(scrolled_page(this));
    grid->addWidget(form_title(to_qt(record_.spec->title)), 0, 0, 1, 9);

    for (int k = 0; k < 3; ++k) {
        grid->addWidget(new QLabel(tr("Color %1:").arg(k + 1)), 1, 2 * k);
        swatches_[k] = new CustomStatic;
        swatches_[k]->setObjectName(QStringLiteral("swatch_%1").arg(k));
        grid->addWidget(swatches_[k], 1, 2 * k + 1);
        connect(swatches_[k], &CustomStatic::notify, this, [this, k](int index, int value) {
            set_prop_colour(record_, k, packed(swatches_[k]->colour()));
            control_notice(index, value);
        });
    }
    grid->addWidget(new QLabel(tr("Palette:")), 1, 6);
    palette_list_ = new QComboBox;
    palette_list_->setObjectName("palette_list");
    for (const RegionPalette& p : palette_.list()) palette_list_->addItem(to_qt(p.name));
    grid->addWidget(palette_list_, 1, 7, 1, 2);
    connect(palette_list_, &QComboBox::activated, this, &CPropEdDialog::choose_palette);
    grid->addWidget(new QLabel(tr("Blades:")), 2, 0);
    add_edit(grid, 2, 1, blades);
    grid->addWidget(new QLabel(tr("Length (m):")), 2, 2);
    add_edit(grid, 2, 3, length);
    grid->addWidget(new QLabel(tr("Stripes:")), 2, 4);
    add_edit(grid, 2, 5, stripes);
    grid->addWidget(new QLabel(tr("Base Shape:")), 2, 6);
    base_shape_ = new QComboBox;
    for (const std::string& entry : choice_entries(ChoiceList::base_shape)) base_shape_->addItem(to_qt(entry));
    grid->addWidget(base_shape_, 2, 7);
    connect(base_shape_, &QComboBox::activated, this, [this](int index) {
        FieldValue shape;
        shape.integer = index + 2;
        set_new_value(record_, index_at(record_, prop_layout::base_shape), shape);  // applies the preset points
        show_record();
    });

    grid->addWidget(new QLabel(tr("Stripes Colors:")), 3, 0);
    slider_ = new CMultiSlider(slider_style, SliderRange{0, 100});
    slider_->setObjectName("stripe_slider");
    grid->addWidget(slider_, 3, 1, 1, 8);
    connect(slider_, &CMultiSlider::notify, this, &CPropEdDialog::control_notice);

    const auto shape_rows = [&](int row, const char* label, int offset) {
        auto* text = new QLabel(tr(label));
        text->setWordWrap(true);
        grid->addWidget(text, row, 0, 1, 9);
        for (int k = 0; k < 8; ++k) add_edit(grid, row + 1, 1 + k, offset + 4 * k);
    };
    shape_rows(5, "Blade shape width for base shape 5 (same scale as the length):", widths);
    shape_rows(7, "Blade shape length for base shape 5 (center 0 to max. radius 1):", lengths);

    grid->addWidget(new QLabel(tr("Prop shape and color preview:")), 9, 0, 1, 9);
    preview_ = new CPropPreview;
    grid->addWidget(preview_, 10, 0, 1, 8);
    // The blade's stripes upright, hub at the bottom and tip at the top.
    bar_ = new CColorBar;
    bar_->setObjectName("colour_bar");
    bar_->setFixedWidth(24);
    grid->addWidget(bar_, 10, 8, Qt::AlignHCenter);
    save_ = new QPushButton(tr("Save Prop"));
    save_->setObjectName("confirm");
    grid->addWidget(save_, 11, 0, 1, 2);
    connect(save_, &QPushButton::clicked, this, [this] { save(); });
    grid->setRowStretch(12, 1);

    preview_->set_record(record_);
    preview_->set_palette(palette_);
    show_record();
}

void CPropEdDialog::choose_palette(int index)
{
    // A palette that cannot be loaded leaves the list on the one still in use.
    if (index < 0 || palette_.choose(std::size_t(index)) != 0) palette_list_->setCurrentIndex(int(palette_.chosen()));
    refresh_stripes();
}

QLineEdit* CPropEdDialog::add_edit(QGridLayout* grid, int row, int column, int offset)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("field_%1").arg(offset));
    edit->setMinimumWidth(56);
    grid->addWidget(edit, row, column);
    edits_[offset] = edit;
    connect(edit, &QLineEdit::textEdited, this, [this, offset] { take_edit(offset); });
    return edit;
}

QLineEdit* CPropEdDialog::edit_at(int offset) const
{
    const auto it = edits_.find(offset);
    return it == edits_.end() ? nullptr : it->second;
}

void CPropEdDialog::show_record()
{
    for (const auto& [offset, edit] : edits_) {
        const std::size_t i = index_at(record_, offset);
        edit->setText(to_qt(format_field_value(record_.field(i), record_.new_values[i])));
    }
    for (int k = 0; k < 3; ++k) swatches_[k]->set_colour(packed_colour(prop_colour(record_, k)));
    base_shape_->setCurrentIndex(int(value_at(record_, prop_layout::base_shape).integer) - 2);
    refresh_stripes();
}

void CPropEdDialog::take_edit(int offset)
{
    // Live preview: a text that parses becomes the new value at once.
    const std::size_t i = index_at(record_, offset);
    const auto value = parse_field_value(record_.field(i), edits_[offset]->text().trimmed().toStdString());
    if (!value) return;
    record_.new_values[i] = *value;
    refresh_stripes();
}

void CPropEdDialog::refresh_stripes()
{
    std::vector<CMarker> markers;
    for (int k = 0; k < stripe_count(record_); ++k)
        markers.push_back(CMarker{value_at(record_, stripe_positions + 4 * k).real * 100.0f,
                                  int(value_at(record_, stripe_colours + 4 * k).integer)});
    std::vector<QColor> colours;
    for (int k = 0; k < 3; ++k) colours.push_back(packed_colour(prop_colour(record_, k)));
    slider_->set_palette(colours);
    slider_->set_markers(std::move(markers));
    bar_->set_settings(colour_bar_settings(record_, palette_));
    preview_->update();
}

void CPropEdDialog::control_notice(int index, int value)
{
    // 0: a swatch changed (already in the record); 1-7 stripe colours; 10+ positions.
    apply_prop_notice(record_, index, value);
    refresh_stripes();
}

bool CPropEdDialog::save()
{
    if (!context_.document) return false;
    for (const auto& [offset, edit] : edits_) {
        const std::size_t i = index_at(record_, offset);
        const std::string text = edit->text().trimmed().toStdString();
        // A text that shows the value already held is kept as that value, bit for bit (a NaN's too).
        if (text == format_field_value(record_.field(i), record_.new_values[i])) continue;
        if (set_field_text(record_, i, text) != 0) {
            edit->setFocus();
            return false;
        }
    }
    return context_.document->save_record(context_.file, record_) == 0;
}

void CPropEdDialog::revert()
{
    record_ = stored_;
    preview_->set_record(record_);
    show_record();
}

void CPropEdDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: revert(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: save(); return;
    default: QWidget::keyPressEvent(event);
    }
}

}  // namespace mw::ui

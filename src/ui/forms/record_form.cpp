#include "ui/forms/record_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "aircraft/axle_table.h"
#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft/model_code.h"
#include "document/record_saving.h"
#include "ui/file_filter.h"
#include "ui/forms/form_parts.h"

namespace mw::ui {

namespace {

QString field_label(const FieldSpec& field)
{
    return to_qt(field.label.empty() ? field.name : field.label);
}

QLineEdit* read_only_edit(const QString& text)
{
    auto* edit = new QLineEdit(text);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);  // Tab walks the new values only
    edit->setFixedWidth(100);  // numbers fit; keeps two columns of rows on screen
    return edit;
}

// The text a field's value shows: a list's entry, else (also for a value
// that no entry names) the formatted value.
QString value_text(const FieldSpec& field, const FieldValue& value)
{
    if (field.choices != ChoiceList::none)
        if (const std::string entry = choice_text(field, value); !entry.empty()) return to_qt(entry);
    return to_qt(format_field_value(field, value));
}

// The groups of consecutive fields, as [begin, end) index ranges.
std::vector<std::pair<std::size_t, std::size_t>> group_runs(const RecordSpec& spec)
{
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < spec.fields.size(); ++i) {
        if (runs.empty() || spec.fields[i].group != spec.fields[runs.back().first].group)
            runs.push_back({i, i + 1});
        else
            runs.back().second = i + 1;
    }
    return runs;
}

}  // namespace

CRecordForm::CRecordForm(Record record, FormContext context, QWidget* parent)
    : QWidget(parent), record_(std::move(record)), context_(std::move(context)), fields_(record_.field_count())
{
    setObjectName(to_qt(record_.spec->form_class));
    build();
    show_values(record_.new_values);
}

bool CRecordForm::editable(std::size_t index) const
{
    const FieldSpec& field = record_.field(index);
    return field.shown && record_.spec->saves() && field.save != SaveRule::as_read &&
           field.save != SaveRule::always_zero;
}

void CRecordForm::build()
{
    const RecordSpec& kind = *record_.spec;
    auto* layout = new QVBoxLayout(scrolled_page(this));
    auto* title = form_title(to_qt(kind.title));
    title->setObjectName("title");
    layout->addWidget(title);
    if (!kind.note.empty()) {
        auto* note = new QLabel(to_qt(kind.note));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addWidget(kind.table_rows ? build_table() : build_rows());
    if (kind.model_code.solid != ModelSolid::none) layout->addWidget(build_model_code());

    confirm_ = new QPushButton(to_qt(confirm_caption(kind)));
    confirm_->setObjectName("confirm");
    confirm_->setAutoDefault(false);
    if (!kind.saves()) {
        confirm_->setEnabled(false);
        confirm_->setToolTip(to_qt(kind.save_refusal));
    }
    connect(confirm_, &QPushButton::clicked, this, [this] { confirm(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

QWidget* CRecordForm::build_rows()
{
    // Blocks of rows: each group in its box, ungrouped runs cut into blocks of
    // at most rows_per_block; long forms flow the blocks into two columns.
    constexpr std::size_t rows_per_block = 14;
    const RecordSpec& kind = *record_.spec;
    std::vector<std::pair<QWidget*, int>> blocks;  // block and its row count
    for (const auto& [begin, end] : group_runs(kind)) {
        const std::string& group = kind.fields[begin].group;
        std::vector<std::size_t> shown;
        for (std::size_t i = begin; i < end; ++i)
            if (kind.fields[i].shown) shown.push_back(i);
        // Runs longer than a block are cut into near-equal blocks.
        const std::size_t pieces = group.empty() ? (shown.size() + rows_per_block - 1) / rows_per_block : 1;
        const std::size_t chunk = std::max<std::size_t>(1, (shown.size() + pieces - 1) / std::max<std::size_t>(1, pieces));
        for (std::size_t first = 0; first < shown.size(); first += chunk) {
            QWidget* holder = group.empty() ? new QWidget : new QGroupBox(to_qt(group));
            auto* grid = new QGridLayout(holder);
            if (group.empty()) grid->setContentsMargins(0, 0, 0, 0);
            grid->addWidget(new QLabel(to_qt(kind.columns[0])), 0, 1);
            if (kind.saves()) grid->addWidget(new QLabel(to_qt(kind.columns[1])), 0, 2);  // shown-only: no new values
            int row = 1;
            for (std::size_t k = first; k < std::min(shown.size(), first + chunk); ++k)
                add_field_row(grid, row++, shown[k]);
            grid->setColumnStretch(3, 1);
            blocks.push_back({holder, row});
        }
    }
    int total = 0;
    for (const auto& block : blocks) total += block.second;
    auto* box = new QWidget;
    auto* columns = new QHBoxLayout(box);
    columns->setContentsMargins(0, 0, 0, 0);
    const int column_count = total > 14 ? 2 : 1;
    std::vector<QVBoxLayout*> column(column_count);
    std::vector<int> height(column_count, 0);
    for (int c = 0; c < column_count; ++c) {
        column[c] = new QVBoxLayout;
        columns->addLayout(column[c], 1);
    }
    // In order, each block to the first column until it holds half the rows.
    int c = 0;
    for (const auto& [holder, rows] : blocks) {
        if (c + 1 < column_count && height[c] > 0 && 2 * (height[c] + rows) > total + rows) ++c;
        column[c]->addWidget(holder);
        height[c] += rows;
    }
    for (QVBoxLayout* layout : column) layout->addStretch(1);
    return box;
}

void CRecordForm::add_field_row(QGridLayout* grid, int row, std::size_t index)
{
    const FieldSpec& field = record_.field(index);
    auto* label = new QLabel(field_label(field));
    label->setWordWrap(label->text().size() > 24);  // long labels take two lines, not the form's width
    grid->addWidget(label, row, 0);
    FieldWidgets& widgets = fields_[index];
    if (editable(index)) {
        if (field.save != SaveRule::edited_in_place) {
            widgets.current = read_only_edit({});
            grid->addWidget(widgets.current, row, 1);
        }
        widgets.edit = make_new_value_widget(index);
        grid->addWidget(widgets.edit, row, 2);
        if (field.type != FieldType::i16_pair)
            if (QWidget* play = make_play_button(index, 0)) grid->addWidget(play, row, 3);
    } else {
        // Shown only (the segment type, the records nobody saves): one value.
        widgets.current = read_only_edit({});
        grid->addWidget(widgets.current, row, 1);
    }
}

QWidget* CRecordForm::build_table()
{
    // One row per group (the axle kinds); the columns are the fields of a row,
    // each as a current and a new value, and the computed column last.
    const RecordSpec& kind = *record_.spec;
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    const auto runs = group_runs(kind);
    if (runs.empty()) return box;
    int column = 1;
    for (std::size_t i = runs.front().first; i < runs.front().second; ++i) {
        auto* heading = new QLabel(field_label(kind.fields[i]));
        heading->setWordWrap(true);
        grid->addWidget(heading, 0, column, 1, 2);
        grid->addWidget(new QLabel(to_qt(kind.columns[0])), 1, column);
        grid->addWidget(new QLabel(to_qt(kind.columns[1])), 1, column + 1);
        column += 2;
    }
    if (!kind.computed_column.empty()) grid->addWidget(new QLabel(to_qt(kind.computed_column)), 0, column, 2, 1);
    int row = 2;
    for (const auto& [begin, end] : runs) {
        grid->addWidget(new QLabel(to_qt(kind.fields[begin].group)), row, 0);
        int col = 1;
        for (std::size_t i = begin; i < end; ++i, col += 2) {
            fields_[i].current = read_only_edit({});
            grid->addWidget(fields_[i].current, row, col);
            if (editable(i)) {
                fields_[i].edit = make_new_value_widget(i);
                grid->addWidget(fields_[i].edit, row, col + 1);
            }
        }
        if (!kind.computed_column.empty()) {
            auto* computed = new QLabel;
            computed->setMinimumWidth(40);
            grid->addWidget(computed, row, column);
            computed_.push_back(computed);
        }
        ++row;
    }
    grid->setColumnStretch(column + 1, 1);
    return box;
}

QWidget* CRecordForm::build_model_code()
{
    auto* box = new QGroupBox(tr("3D model code:"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(tr("BSP Plane scale:")), 0, 0);
    bsp_scale_ = new QLineEdit(QStringLiteral("1"));
    grid->addWidget(bsp_scale_, 0, 1);
    grid->addWidget(new QLabel(tr("Material #:")), 0, 2);
    material_ = new QComboBox;
    material_->setObjectName("material");
    for (const std::string& tag : model_materials()) material_->addItem(to_qt(tag));
    const std::string& form_class = record_.spec->form_class;
    const bool kept = context_.materials && context_.materials->count(form_class);
    material_->setCurrentText(to_qt(kept ? context_.materials->at(form_class) : record_.spec->model_code.default_material));
    grid->addWidget(material_, 0, 3);
    model_code_ = new QPlainTextEdit;
    model_code_->setReadOnly(true);
    model_code_->setObjectName("model_code");
    model_code_->setMinimumHeight(160);
    grid->addWidget(model_code_, 1, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    connect(bsp_scale_, &QLineEdit::textEdited, this, [this](const QString& text) {
        // A negative scale is replaced by 1 as it is typed.
        if (text.toFloat() < 0) bsp_scale_->setText(QStringLiteral("1"));
        refresh();
    });
    connect(material_, &QComboBox::currentIndexChanged, this, [this] {
        if (context_.materials) (*context_.materials)[record_.spec->form_class] = material_->currentText().toStdString();
        refresh();
    });
    return box;
}

QWidget* CRecordForm::make_new_value_widget(std::size_t index)
{
    const FieldSpec& field = record_.field(index);
    if (field.choices != ChoiceList::none) {
        auto* list = new QComboBox;
        for (const std::string& entry : choice_entries(field.choices)) list->addItem(to_qt(entry));
        connect(list, &QComboBox::activated, this, [this] { edited(); });
        return list;
    }
    if (field.type == FieldType::i16_pair) {
        // The two 16-bit halves in edits of their own, each with its play button.
        auto* pair = new QWidget;
        auto* row = new QHBoxLayout(pair);
        row->setContentsMargins(0, 0, 0, 0);
        for (int half = 0; half < 2; ++half) {
            auto* edit = new QLineEdit;
            edit->setObjectName(QStringLiteral("half_%1").arg(half));
            edit->setFixedWidth(60);
            edit->setToolTip(to_qt(field.part_labels[std::size_t(half)]));
            connect(edit, &QLineEdit::textEdited, this, [this] { edited(); });
            row->addWidget(edit);
            if (QWidget* play = make_play_button(index, half)) row->addWidget(play);
        }
        row->addStretch(1);
        return pair;
    }
    auto* edit = new QLineEdit;
    edit->setFixedWidth(100);  // numbers fit; keeps two columns of rows on screen
    connect(edit, &QLineEdit::textEdited, this, [this] { edited(); });
    return edit;
}

QWidget* CRecordForm::make_play_button(std::size_t index, int half)
{
    const FieldSpec& field = record_.field(index);
    if (!field.sound_resource || !context_.play_sound) return nullptr;
    // A small "▶" keeps the rows narrow; the tool tip names the sound.
    auto* play = new QToolButton;
    play->setText(QStringLiteral("\u25B6"));
    const QString name = field.type == FieldType::i16_pair ? to_qt(field.part_labels[std::size_t(half)]) : QString();
    play->setToolTip(name.isEmpty() ? tr("Play this sound entry") : tr("Play the %1 sound entry").arg(name));
    play->setObjectName(QStringLiteral("play_%1_%2").arg(index).arg(half));
    connect(play, &QToolButton::clicked, this, [this, index, half] {
        // The resource ID as the edit holds it now, as a signed number.
        const QStringList parts = new_text(index).split(QLatin1Char(','));
        bool ok = false;
        const int resource_id = half < parts.size() ? parts[half].trimmed().toInt(&ok) : 0;
        if (ok && context_.play_sound) context_.play_sound(resource_id);
    });
    return play;
}

QString CRecordForm::new_text(std::size_t index) const
{
    QWidget* widget = fields_[index].edit;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    if (auto* list = qobject_cast<QComboBox*>(widget)) return list->currentText();
    if (!widget) return {};
    // A pair: "first, second", as the field's text reads.
    QStringList halves;
    for (int half = 0; half < 2; ++half)
        if (auto* edit = widget->findChild<QLineEdit*>(QStringLiteral("half_%1").arg(half))) halves << edit->text();
    return halves.join(QStringLiteral(", "));
}

void CRecordForm::set_new_text(std::size_t index, const QString& text)
{
    QWidget* widget = fields_[index].edit;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->setText(text);
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        // A stored value no entry names is listed as it is, so it stays chosen.
        if (list->findText(text) < 0) list->addItem(text);
        return list->setCurrentText(text);
    }
    if (!widget) return;
    const QStringList parts = text.split(QLatin1Char(','));
    for (int half = 0; half < 2; ++half)
        if (auto* edit = widget->findChild<QLineEdit*>(QStringLiteral("half_%1").arg(half)))
            edit->setText(half < parts.size() ? parts[half].trimmed() : QString());
}

void CRecordForm::show_values(const std::vector<FieldValue>& values)
{
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const FieldSpec& field = record_.field(i);
        if (fields_[i].current) fields_[i].current->setText(value_text(field, record_.current_values[i]));
        set_new_text(i, value_text(field, values[i]));
        fields_[i].shown_text = new_text(i);  // as the edit holds it (a pair's halves rejoined)
        fields_[i].shown_value = values[i];
    }
    refresh();
}

Record CRecordForm::scratch_record() const
{
    // The new values as typed so far; texts that do not parse keep the last good value.
    Record scratch = record_;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (!fields_[i].edit) continue;
        const QString text = new_text(i);
        if (const auto value = parse_field_value(record_.field(i), text.toStdString())) scratch.new_values[i] = *value;
    }
    return scratch;
}

void CRecordForm::refresh()
{
    const Record scratch = scratch_record();
    for (std::size_t row = 0; row < computed_.size(); ++row) {
        const auto ending = axle_ending(scratch, row);
        computed_[row]->setText(ending ? QString::number(*ending) : QString());
    }
    if (model_code_) {
        const float scale = bsp_scale_->text().toFloat();
        model_code_->setPlainText(to_qt(model_code_text(scratch, context_.file.string(), scale,
                                                        material_->currentText().toStdString())));
    }
    if (confirm_ && record_.spec->saves()) {
        // A single new-value edit must hold something before it can be confirmed.
        QLineEdit* only = nullptr;
        int edits = 0;
        for (const FieldWidgets& widgets : fields_) {
            if (!widgets.edit) continue;
            ++edits;
            only = qobject_cast<QLineEdit*>(widgets.edit);
        }
        // Tables (the axles) start disabled and are enabled by the first change.
        const bool untouched = record_.spec->table_rows && !changed_;
        confirm_->setEnabled(!untouched && (edits != 1 || !only || !only->text().isEmpty()));
    }
}

QString CRecordForm::computed_text(std::size_t row) const
{
    return row < computed_.size() ? computed_[row]->text() : QString();
}

bool CRecordForm::take_new_values()
{
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (!fields_[i].edit) continue;
        const QString text = new_text(i);
        if (text == fields_[i].shown_text) {
            record_.new_values[i] = fields_[i].shown_value;
            continue;
        }
        if (set_field_text(record_, i, text.trimmed().toStdString()) != 0) {
            fields_[i].edit->setFocus();
            return false;
        }
    }
    return true;
}

bool CRecordForm::confirm()
{
    if (!context_.document) return false;
    if (record_.spec->saves() && !take_new_values()) return false;
    // Shown-only records are refused by the document with their reason.
    return context_.document->save_record(context_.file, record_) == 0;
}

void CRecordForm::edited()
{
    changed_ = true;
    refresh();
}

void CRecordForm::revert()
{
    changed_ = false;
    show_values(record_.current_values);
}

void CRecordForm::keyPressEvent(QKeyEvent* event)
{
    // Edits and lists pass Enter and Esc on to the form.
    switch (event->key()) {
    case Qt::Key_Escape: revert(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (confirm_->isEnabled()) confirm();  // as a click would: not for shown-only records
        return;
    default: QWidget::keyPressEvent(event);
    }
}

}  // namespace mw::ui

#include "ui/forms/aircraft_name_form.h"

#include <QFont>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "aircraft/catalogue.h"
#include "archive/windows1252.h"
#include "document/record_saving.h"
#include "ui/file_filter.h"
#include "ui/forms/form_parts.h"

namespace mw::ui {

namespace {

// The edit holds line feeds; the stored text's limit counts each line break
// as CR LF.
int counted_length(const QString& text)
{
    return int(text.size() + text.count(QLatin1Char('\n')));
}

// The record's texts are the game's single-byte text: shown and saved
// byte for byte, so a save changes only what the user edited.
QString shown_text(const std::string& stored) { return QString::fromStdString(utf8_from_windows1252(stored)); }

QString shown_description(const std::string& stored)
{
    return shown_text(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

CAircraftNameDialog::CAircraftNameDialog(AircraftName stored, FormContext context, QWidget* parent)
    : QWidget(parent), stored_(std::move(stored)), context_(std::move(context))
{
    setObjectName("CAircraftNameDialog");
    const RecordSpec* spec = find_record_kind(res_aircraft_name, 0);
    auto* grid = new QGridLayout(this);
    grid->addWidget(form_title(spec ? to_qt(spec->title) : QString()), 0, 0, 1, 2);

    grid->addWidget(new QLabel(tr("Aircraft Name:")), 1, 0);
    current_ = new QLineEdit;
    current_->setReadOnly(true);
    current_->setFocusPolicy(Qt::ClickFocus);
    grid->addWidget(current_, 1, 1);
    grid->addWidget(new QLabel(tr("New Name:")), 2, 0);
    name_ = new QLineEdit;
    name_->setMaxLength(int(stored_.layout.name_length));
    grid->addWidget(name_, 2, 1);
    grid->addWidget(new QLabel(tr("Description:")), 3, 0, Qt::AlignTop);
    description_ = new QPlainTextEdit;
    description_->setTabChangesFocus(true);  // Tab walks the form; Ctrl+I inserts a tab, as the note says
    description_->installEventFilter(this);
    grid->addWidget(description_, 3, 1);
    if (spec && !spec->note.empty()) {
        auto* note = new QLabel(to_qt(spec->note));
        note->setWordWrap(true);
        grid->addWidget(note, 4, 1);
    }
    confirm_ = new QPushButton(tr(" Change   name  and text"));
    confirm_->setObjectName("confirm");
    grid->addWidget(confirm_, 5, 1, Qt::AlignLeft);
    grid->setRowStretch(3, 1);

    connect(name_, &QLineEdit::textEdited, this, [this] { update_confirm(false); });
    connect(name_, &QLineEdit::returnPressed, this, [this] { confirm(); });
    connect(description_, &QPlainTextEdit::textChanged, this, [this] {
        keep_description_limit();
        update_confirm(true);
    });
    connect(confirm_, &QPushButton::clicked, this, [this] { confirm(); });
    revert();
}

void CAircraftNameDialog::revert()
{
    current_->setText(shown_text(stored_.name));
    name_->setText(shown_text(stored_.name));
    last_description_ = shown_description(stored_.description);
    description_->setPlainText(last_description_);
    confirm_->setEnabled(false);
}

void CAircraftNameDialog::keep_description_limit()
{
    const QString text = description_->toPlainText();
    if (counted_length(text) <= int(description_edit_limit(stored_))) {
        last_description_ = text;
        return;
    }
    // Over the limit: the edit goes back to its last text that fitted.
    const QSignalBlocker block(description_);
    const int caret = description_->textCursor().position();
    description_->setPlainText(last_description_);
    QTextCursor cursor = description_->textCursor();
    cursor.setPosition(std::min<int>(std::max(0, caret - 1), int(last_description_.size())));
    description_->setTextCursor(cursor);
}

void CAircraftNameDialog::update_confirm(bool description_last)
{
    // Enabled while the caret's line of the edit changed last is not empty.
    const bool filled = description_last ? !description_->textCursor().block().text().isEmpty()
                                         : !name_->text().isEmpty();
    confirm_->setEnabled(filled);
}

bool CAircraftNameDialog::confirm()
{
    const QString name = name_->text();
    if (name.isEmpty() || !context_.document) return false;
    const auto name_text = game_text_from_typed(name.toStdString());
    if (!name_text) return false;
    const auto description = game_text_from_typed(description_->toPlainText().toStdString());
    if (!description) return false;
    return context_.document->save_aircraft_name(context_.file, *name_text, *description, stored_.layout) == 0;
}

bool CAircraftNameDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == description_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_I && key->modifiers() == Qt::ControlModifier) {
            description_->insertPlainText(QStringLiteral("\t"));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CAircraftNameDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        revert();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace mw::ui

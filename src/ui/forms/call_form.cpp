#include "ui/forms/call_form.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "aircraft/catalogue.h"
#include "aircraft/record_file.h"
#include "app/workspace/messages.h"
#include "ui/file_filter.h"
#include "ui/forms/form_parts.h"

namespace mw::ui {

CCallDlg* CCallDlg::load(const FormContext& context, QWidget* parent)
{
    const auto bytes = read_record_bytes(context.file);
    if (!bytes) {
        report_error("Error#61: Error loading aircraft call file");
        return nullptr;
    }
    return new CCallDlg(load_aircraft_call(*bytes), parent);
}

CCallDlg::CCallDlg(AircraftCall call, QWidget* parent) : QWidget(parent)
{
    setObjectName("CCallDlg");
    const RecordSpec* kind = find_record_kind(res_aircraft_call, 0);
    auto* grid = new QGridLayout(this);
    grid->addWidget(form_title(kind ? to_qt(kind->title) : QString()), 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Aircraft Call:")), 1, 0);
    auto* stored_full = new QLabel(to_qt(call.full_call));
    stored_full->setObjectName("stored_full");
    grid->addWidget(stored_full, 1, 1);
    auto* stored_short = new QLabel(to_qt(call.short_call));
    stored_short->setObjectName("stored_short");
    grid->addWidget(stored_short, 2, 1);
    grid->addWidget(new QLabel(tr("New full Call:")), 3, 0);
    full_ = new QLineEdit(to_qt(call.full_call));
    grid->addWidget(full_, 3, 1);
    grid->addWidget(new QLabel(tr("New short Call:")), 4, 0);
    short_ = new QLineEdit(to_qt(call.short_call));
    grid->addWidget(short_, 4, 1);
    confirm_ = new QPushButton(tr(" Change both calls"));
    confirm_->setObjectName("confirm");
    confirm_->setEnabled(false);
    if (kind) confirm_->setToolTip(to_qt(kind->save_refusal));
    grid->addWidget(confirm_, 5, 1, Qt::AlignLeft);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(1, 1);
}

}  // namespace mw::ui

#include "ui/forms/record_forms.h"

#include "aircraft/record_spec.h"
#include "document/record_saving.h"
#include "ui/forms/aircraft_name_form.h"
#include "ui/forms/call_form.h"
#include "ui/forms/prop_editor.h"
#include "ui/forms/record_form.h"

namespace mw::ui {

QWidget* make_record_form(const RecordSpec& spec, const FormContext& context, QWidget* parent)
{
    if (!context.document) return nullptr;
    switch (spec.special) {
    case RecordSpecial::aircraft_name: {
        auto name = context.document->load_selected_aircraft_name();
        if (!name) return nullptr;
        return new CAircraftNameDialog(std::move(*name), context, parent);
    }
    case RecordSpecial::aircraft_call: return CCallDlg::load(context, parent);
    default: break;
    }
    auto record = context.document->load_selected_record();
    if (!record) return nullptr;
    if (spec.special == RecordSpecial::prop) return new CPropEdDialog(std::move(*record), context, parent);
    return new CRecordForm(std::move(*record), context, parent);
}

}  // namespace mw::ui

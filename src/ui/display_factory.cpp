#include "ui/display_factory.h"

#include "aircraft/catalogue.h"
#include "aircraft/record_spec.h"
#include "types/file_type.h"
#include "ui/bitmap_view.h"
#include "ui/file_filter.h"
#include "ui/forms/record_forms.h"
#include "ui/hex_view.h"
#include "ui/model_view.h"
#include "ui/palette_panel.h"
#include "ui/placeholder_view.h"
#include "ui/sound_form.h"

namespace mw::ui {

namespace {

const RecordSpec* record_of(int kind, const std::vector<std::uint8_t>& bytes)
{
    return find_record_spec(kind, ByteSpan(bytes.data(), bytes.size()));
}

}  // namespace

DisplayClass display_class(int kind, const std::vector<std::uint8_t>& bytes)
{
    switch (kind) {
    case type_unknown: return DisplayClass::hex;
    case type_sound: return DisplayClass::sound;
    case type_image: return DisplayClass::bitmap;
    case type_model: return DisplayClass::model;
    case type_palette: return DisplayClass::palette;
    default: return record_of(kind, bytes) ? DisplayClass::record : DisplayClass::nothing;
    }
}

DisplayFactory::DisplayFactory(DisplayServices services)
{
    makers_[DisplayClass::hex] = [](const DisplayContent& content, QWidget* parent) -> QWidget* {
        auto* view = new CHexView(parent);
        view->set_bytes(*content.bytes);
        return view;
    };
    makers_[DisplayClass::bitmap] = [](const DisplayContent& content, QWidget* parent) -> QWidget* {
        auto* view = new CBitmapView(parent);
        view->load(content.file);
        return view;
    };
    // One colour order for every palette shown: the choice stays from one palette to the next.
    makers_[DisplayClass::palette] = [order = std::make_shared<ColourOrder>(ColourOrder::rgb)](
                                         const DisplayContent& content, QWidget* parent) -> QWidget* {
        auto* panel = new CPaletteDlg(parent);
        panel->set_order(*order);
        panel->load(content.file);
        QObject::connect(panel, &CPaletteDlg::order_changed, panel, [order](ColourOrder chosen) { *order = chosen; });
        return panel;
    };
    makers_[DisplayClass::sound] = [services](const DisplayContent& content, QWidget* parent) -> QWidget* {
        if (!services.sound) return nullptr;
        return new CPlayWAVDlg(*services.sound, content.file, services.focus_tree, parent);
    };
    // One camera for every model shown, so the rotations carry over from one model to the next.
    makers_[DisplayClass::model] = [services, camera = std::make_shared<ModelCamera>()](
                                       const DisplayContent& content, QWidget* parent) -> QWidget* {
        if (!opengl_usable())
            return new CPlaceholderView(QObject::tr("3D model %1\n\nOpenGL is not available here, so the model "
                                                    "cannot be drawn. View > As Hex shows its bytes.")
                                            .arg(to_qt(content.file.filename())),
                                        parent);
        auto* view = new CModelView(camera, parent);
        (void)view->load(content.file, services.model_params ? services.model_params() : ModelLoadParams{});
        return view;
    };
    // The forms' materials live as long as the view, so each form keeps its
    // choice from one record to the next.
    auto materials = std::make_shared<FormMaterials>();
    makers_[DisplayClass::record] = [services, materials](const DisplayContent& content, QWidget* parent) -> QWidget* {
        CMarrowickDoc* document = services.document ? services.document() : nullptr;
        const FormContext context{document, content.file, services.play_sound, materials};
        if (QWidget* form = make_record_form(*content.record, context, parent))
            return form;
        return new CPlaceholderView(
            to_qt(content.record->title) + QObject::tr("\n\nView > As Hex shows the record's bytes."), parent);
    };
}

QWidget* DisplayFactory::make(DisplayContent content, QWidget* parent) const
{
    if (!content.bytes) return nullptr;
    const DisplayClass cls = display_class(content.kind, *content.bytes);
    if (cls == DisplayClass::record) content.record = record_of(content.kind, *content.bytes);
    const auto it = makers_.find(cls);
    if (it == makers_.end() || !it->second) return nullptr;
    QWidget* widget = it->second(content, parent);
    if (widget) widget->setProperty("display_class", int(cls));
    return widget;
}

}  // namespace mw::ui

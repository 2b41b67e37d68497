// File dialogs driven by the document's parameters. The document keeps its
// filters in the form "Name (*.ext)|*.ext|...||"; Qt wants "Name (*.ext);;...".
#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <string>

#include "document/marrowick_doc.h"

class QWidget;

namespace mw::ui {

namespace fs = std::filesystem;

// One filter of a "Name|pattern|...||" text.
struct FilterChoice {
    QString name;     // "Res Files (*.res)"
    QString pattern;  // "*.res"
};
QList<FilterChoice> filter_choices(const std::string& filter);

// "Res Files (*.res)|*.res||" -> "Res Files (*.res)"; choices joined by ";;".
QString qt_filter(const std::string& filter);

// The path the user typed, with an extension added when it has none: the
// chosen filter's when it names one ("*.e"), else the default extension.
fs::path with_default_extension(const fs::path& chosen, const QString& chosen_filter_pattern,
                                const std::string& default_extension);

// What the commands ask of the user about files. The GUI shows Qt's
// dialogs; tests answer from a script.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::optional<fs::path> open_file(QWidget* parent, const QString& title, const FileDialogParams& params) = 0;
    virtual std::optional<fs::path> save_file(QWidget* parent, const QString& title, const FileDialogParams& params) = 0;
    virtual std::optional<fs::path> folder(QWidget* parent, const QString& title, const std::string& initial) = 0;
};

class QtFileChooser final : public FileChooser {
public:
    std::optional<fs::path> open_file(QWidget* parent, const QString& title, const FileDialogParams& params) override;
    std::optional<fs::path> save_file(QWidget* parent, const QString& title, const FileDialogParams& params) override;
    std::optional<fs::path> folder(QWidget* parent, const QString& title, const std::string& initial) override;
};

// Qt's strings and the core's paths (UTF-8 throughout).
QString to_qt(const std::string& text);
QString to_qt(const fs::path& path);
fs::path to_path(const QString& text);

}  // namespace mw::ui

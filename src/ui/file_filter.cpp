#include "ui/file_filter.h"

#include <QFileDialog>
#include <QMessageBox>

#include <system_error>

#include "archive/windows1252.h"

namespace mw::ui {

// Paths and the program's texts are UTF-8, the game's texts (archive and
// resource names, information text) Windows-1252: both read right.
QString to_qt(const std::string& text) { return QString::fromStdString(utf8_from_path(text)); }
QString to_qt(const fs::path& path) { return to_qt(path.string()); }
fs::path to_path(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return fs::path(std::string(utf8.constData(), std::size_t(utf8.size())));
}

QList<FilterChoice> filter_choices(const std::string& filter)
{
    const QStringList parts = to_qt(filter).split(QLatin1Char('|'));
    QList<FilterChoice> choices;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;  // the closing "||"
        choices.push_back({parts[i], parts[i + 1]});
    }
    return choices;
}

QString qt_filter(const std::string& filter)
{
    QStringList out;
    for (const FilterChoice& choice : filter_choices(filter)) {
        // Qt reads the patterns from the parentheses of the name.
        const QString patterns = QString(choice.pattern).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (choice.name.contains(QLatin1Char('(')))
            out << choice.name;
        else
            out << choice.name + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

fs::path with_default_extension(const fs::path& chosen, const QString& chosen_filter_pattern,
                                const std::string& default_extension)
{
    if (chosen.has_extension() || chosen.empty()) return chosen;
    // A single "*.ext" pattern names the extension; "*.*" and lists do not.
    QString extension;
    if (chosen_filter_pattern.startsWith(QStringLiteral("*."))) {
        const QString ext = chosen_filter_pattern.mid(2);
        if (!ext.isEmpty() && !ext.contains(QLatin1Char('*')) && !ext.contains(QLatin1Char(';'))) extension = ext;
    }
    if (extension.isEmpty()) extension = to_qt(default_extension);
    if (extension.isEmpty()) return chosen;
    fs::path out = chosen;
    out += "." + extension.toStdString();
    return out;
}

namespace {

// The pattern of the choice whose Qt text is `qt_choice`.
QString pattern_of(const FileDialogParams& params, const QString& qt_choice)
{
    for (const FilterChoice& choice : filter_choices(params.filter))
        if (qt_filter(choice.name.toStdString() + "|" + choice.pattern.toStdString() + "||") == qt_choice)
            return choice.pattern;
    return {};
}

}  // namespace

std::optional<fs::path> QtFileChooser::open_file(QWidget* parent, const QString& title, const FileDialogParams& params)
{
    const QString chosen =
        QFileDialog::getOpenFileName(parent, title, to_qt(params.initial_folder), qt_filter(params.filter));
    if (chosen.isEmpty()) return std::nullopt;
    return to_path(chosen);
}

std::optional<fs::path> QtFileChooser::save_file(QWidget* parent, const QString& title, const FileDialogParams& params)
{
    QString selected;
    const QString chosen = QFileDialog::getSaveFileName(parent, title, to_qt(params.initial_folder),
                                                        qt_filter(params.filter), &selected);
    if (chosen.isEmpty()) return std::nullopt;
    const fs::path typed = to_path(chosen);
    const fs::path file = with_default_extension(typed, pattern_of(params, selected), params.default_extension);
    // The dialog asked about replacing the name as typed; a file under the
    // name with its extension added is asked about here.
    std::error_code ec;
    if (file != typed && fs::exists(file, ec) &&
        QMessageBox::question(parent, title,
                              QObject::tr("%1 already exists.\nDo you want to replace it?").arg(to_qt(file.filename()))) !=
            QMessageBox::Yes)
        return std::nullopt;
    return file;
}

std::optional<fs::path> QtFileChooser::folder(QWidget* parent, const QString& title, const std::string& initial)
{
    const QString chosen = QFileDialog::getExistingDirectory(parent, title, to_qt(initial));
    if (chosen.isEmpty()) return std::nullopt;
    return to_path(chosen);
}

}  // namespace mw::ui

// What the widget tests share: a program folder set up in the workspace
// with a recording sink, archives written to it, and a file chooser that
// answers from a script.
#pragma once

#include <QObject>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/workspace/workspace.h"
#include "batch/dialog_message.h"
#include "support/recording_sink.h"
#include "support/res_builder.h"
#include "support/temp_dir.h"
#include "ui/file_filter.h"

namespace mw::test {

namespace fs = std::filesystem;

class GuiWorkspace {
public:
    GuiWorkspace();
    ~GuiWorkspace();
    const fs::path& home() const { return home_.path(); }
    fs::path file(const std::string& name) const { return home_.path() / name; }
    fs::path write_archive(const ResBuilder& builder, const std::string& name = "test.res") const;

    RecordingSink sink;

private:
    TempDir home_;
};

class ScriptedChooser final : public ui::FileChooser {
public:
    std::optional<fs::path> open_file(QWidget*, const QString&, const FileDialogParams& params) override
    {
        return answer(params);
    }
    std::optional<fs::path> save_file(QWidget*, const QString&, const FileDialogParams& params) override
    {
        return answer(params);
    }
    std::optional<fs::path> folder(QWidget*, const QString&, const std::string&) override { return answer({}); }

    std::deque<std::optional<fs::path>> answers;
    std::vector<FileDialogParams> asked;

private:
    std::optional<fs::path> answer(const FileDialogParams& params)
    {
        asked.push_back(params);
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

class RecordingMessenger final : public DialogMessenger {
public:
    void show(const DialogMessage& message) override { shown.push_back(message); }
    std::vector<DialogMessage> shown;
};

// The 768 bytes of a palette whose colour k is (k, 255 - k, k / 2).
Bytes ramp_palette();
// An 8-bit image item of width × height, pixel (x, y) = (x + y) mod 256.
Bytes image_item(int width, int height);

// Suites, by the name CTest runs them under.
using SuiteFactory = std::function<QObject*()>;
std::map<std::string, SuiteFactory>& suites();
struct SuiteRegistration {
    SuiteRegistration(const std::string& name, SuiteFactory factory) { suites()[name] = std::move(factory); }
};

}  // namespace mw::test

#define MW_GUI_SUITE(name, Class) \
    static const ::mw::test::SuiteRegistration registration_##Class(name, [] { return new Class; });

// Base fixture for tests that touch files: a fresh program folder with its
// temp folder set up in the Workspace, and a recording message sink.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/workspace/workspace.h"
#include "archive/byte_io.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

namespace mw::test {

class WorkspaceFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Workspace& workspace() { return Workspace::instance(); }
    const std::filesystem::path& program_folder() const { return home_.path(); }
    std::filesystem::path temp_folder() const { return Workspace::instance().temp_folder(); }
    // A scratch folder for the test's own files, outside the program folder.
    const std::filesystem::path& scratch() const { return scratch_.path(); }

    std::vector<std::string> errors() const { return sink_.errors(); }
    std::vector<std::string> infos() const { return sink_.infos(); }
    void clear_messages() { sink_.clear(); }

    RecordingSink sink_;

private:
    TempDir home_;
    TempDir scratch_;
};

// Reads a whole file; fails the test when it cannot.
Bytes read_bytes(const std::filesystem::path& path);
void write_bytes(const std::filesystem::path& path, ByteSpan data);
std::string read_text(const std::filesystem::path& path);
void write_text(const std::filesystem::path& path, const std::string& text);

// Path of a file in the independent test data (tests/data); the test fails
// when the file is missing.
std::filesystem::path testdata(const std::string& relative);

}  // namespace mw::test

// The type handler of an archive entry: its type name, the extension of its
// converted file and its type code, and the conversions between the stored
// form (the extracted file) and the interchange file a user edits.
//
// Conversions report their own failures through the message sink and return
// 0 or -1; callers pass -1 on without a further message.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace mw {

namespace fs = std::filesystem;

// Type codes; also the display kinds of these types.
enum TypeCode : int {
    type_unknown = 0,
    type_sound = 1,
    type_image = 2,
    type_model = 4,
    type_palette = 768,
};

class FileType {
public:
    virtual ~FileType() = default;

    // Reads the stored form in `stored` and writes `stored` + extension().
    [[nodiscard]] virtual int export_convert(const fs::path& stored) = 0;
    // Reads the user's file `source` and writes the stored form to `target`.
    [[nodiscard]] virtual int import_convert(const fs::path& source, const fs::path& target) = 0;
    // True when import_convert writes the source's bytes unchanged: the
    // source itself may then be stored without a copy.
    virtual bool imports_unchanged() const { return false; }
    // A handler of the same class with the same names, code and remembered header.
    virtual std::unique_ptr<FileType> clone() const = 0;
    // Per-type lines for the information text: empty, or ending in CR LF.
    virtual std::string info_text() const = 0;

    const std::string& type_name() const { return type_name_; }
    const std::string& extension() const { return extension_; }
    int type_code() const { return type_code_; }

    // `stored` followed directly by the extension (stored names end in a dot).
    fs::path converted_path(const fs::path& stored) const { return fs::path(stored.string() + extension_); }

protected:
    FileType(std::string type_name, std::string extension, int type_code)
        : type_name_(std::move(type_name)), extension_(std::move(extension)), type_code_(type_code)
    {
    }
    FileType(const FileType&) = default;

private:
    std::string type_name_;
    std::string extension_;
    int type_code_ = 0;
};

}  // namespace mw

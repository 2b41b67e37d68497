// Handlers whose conversions are plain copies: sounds (stored as complete
// WAV files) and data of no known type.
#pragma once

#include "types/file_type.h"

namespace mw {

// Copies in both directions; the messages differ per class.
class CopyingType : public FileType {
public:
    int export_convert(const fs::path& stored) override;
    int import_convert(const fs::path& source, const fs::path& target) override;
    bool imports_unchanged() const override { return true; }
    std::string info_text() const override { return {}; }

protected:
    CopyingType(std::string name, std::string extension, int code, int export_error, int import_error)
        : FileType(std::move(name), std::move(extension), code), export_error_(export_error), import_error_(import_error)
    {
    }

private:
    int export_error_;
    int import_error_;
};

class WavType final : public CopyingType {
public:
    WavType() : CopyingType("Sound", "wav", type_sound, 1009, 1003) {}
    std::unique_ptr<FileType> clone() const override { return std::make_unique<WavType>(*this); }
};

class UnknownType final : public CopyingType {
public:
    UnknownType() : CopyingType("Unknown", "unknown", type_unknown, 1929, 1953) {}
    std::unique_ptr<FileType> clone() const override { return std::make_unique<UnknownType>(*this); }
};

}  // namespace mw

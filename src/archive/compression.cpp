#include "archive/compression.h"

#include <algorithm>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "archive/dcl/dcl.h"
#include "archive/external_program.h"
#include "archive/file_io.h"
#include "archive/zip_member.h"

namespace mw {

namespace {

// The word passed to the external compressor: "-1", "-2" or "-4".
std::string option_word(const std::string& dcl_option)
{
    switch (dictionary_size_of_option(dcl_option)) {
    case 1024: return "-1";
    case 2048: return "-2";
    default: return "-4";
    }
}

int decompress_built_in(const fs::path& raw_file, const fs::path& raw_zip, std::uint32_t max_output)
{
    const auto zip = read_file(raw_zip, std::uint64_t(max_entry_length) + 65536 + 1024);
    if (!zip) return report_error(1772, "Error decompressing item - cannot read " + display(raw_zip));
    const auto member = first_zip_member(*zip);
    if (!member || member->method != zip_method_dcl_implode)
        return report_error(1773, "Error decompressing item - not a DCL member in " + display(raw_zip));
    const auto output = decompress_in_process(member->data, max_output);
    if (!output) {
        (void)remove_file(raw_file);  // nothing half-decoded is left to be taken for the item
        return -1;
    }
    std::string reason;
    if (!write_file(raw_file, *output, &reason))
        return report_error(error_text(1580, "Error writing output file") + reason_line(raw_file, reason));
    return 0;
}

}  // namespace

int dictionary_size_of_option(const std::string& dcl_option)
{
    if (dcl_option == " -1 ") return 1024;
    if (dcl_option == " -2 ") return 2048;
    return 4096;
}

bool compresses_in_process()
{
    return !find_external_program("dcl2zip.exe");
}

std::optional<Bytes> compress_in_process(ByteSpan data, const std::string& dcl_option)
{
    Bytes stream = dcl::implode(data, dictionary_size_of_option(dcl_option));
    // The stream replaces the entry's only copy in the archive, so it is
    // decoded once more first: a fault of the encoder must not cost the
    // entry. Decoding runs about ten times as fast as encoding.
    Bytes decoded;
    if (dcl::explode(stream, decoded, data.size()) != dcl::Status::ok || !std::ranges::equal(decoded, data)) {
        report_error(1761, "Error compressing item");
        return std::nullopt;
    }
    return stream;
}

bool decompresses_in_process()
{
    return !find_external_program("pkzip25.exe");
}

std::optional<Bytes> decompress_in_process(ByteSpan stream, std::uint32_t max_output)
{
    Bytes output;
    const dcl::Status status = dcl::explode(stream, output, max_output);
    if (status != dcl::Status::ok) {
        report_error(1774, std::string("Error decompressing item - the stored data is damaged: ") + dcl::describe(status));
        return std::nullopt;
    }
    return output;
}

int compress(const fs::path& import_file, const std::string& dcl_option)
{
    const fs::path import_zip = Workspace::instance().temp_file("import.zip");
    const auto program = find_external_program("dcl2zip.exe");
    if (!program) return report_error("Error executing external program DCL2ZIP.EXE");

    const ProgramRun run = run_hidden(*program, {import_zip.string(), option_word(dcl_option), import_file.string()});
    if (run.outcome == ProgramRun::Outcome::start_failed) return report_error("Error executing external program DCL2ZIP.EXE");
    if (run.outcome == ProgramRun::Outcome::wait_failed)
        return report_error(1555, "Error waiting for external program to finish");
    if (run.exit_code != 0) {
        report_error(1761, "Error compressing item");
        return run.exit_code;
    }
    return 0;
}

int decompress(const fs::path& raw_file, std::uint32_t max_output)
{
    const fs::path raw_zip = fs::path(raw_file.string() + "zip");
    const auto program = find_external_program("pkzip25.exe");
    if (!program) return decompress_built_in(raw_file, raw_zip, max_output);

    const ProgramRun run =
        run_hidden(*program, {"-extract", "-Overwrite", raw_zip.string(), Workspace::instance().temp_folder().string()});
    if (run.outcome == ProgramRun::Outcome::start_failed)
        return report_error(1769, "Error executing external program PKZIP25.EXE");
    if (run.outcome == ProgramRun::Outcome::wait_failed)
        return report_error(1796, "Error waiting for external program to finish");
    return 0;  // the extractor's exit code is not consulted
}

}  // namespace mw

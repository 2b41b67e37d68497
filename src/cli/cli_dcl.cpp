// marrowick-cli dcl implode [-1|-2|-4] IN OUT
// marrowick-cli dcl explode IN OUT
//
// Raw DCL implode streams, as a compressed entry stores them, for modders
// who work on entries outside the program.
#include <string>

#include "app/workspace/messages.h"
#include "archive/dcl/dcl.h"
#include "archive/file_io.h"
#include "cli/commands.h"

namespace mw::cli {

namespace {

// An entry's lengths are 24-bit numbers, so no entry holds more.
constexpr std::size_t largest_entry = 16'777'215;

int fail(const std::string& message)
{
    report_error(message);
    return exit_failed;
}

int implode_file(const std::string& in, const std::string& out, int dictionary_size)
{
    const auto input = read_file(in);
    if (!input) return fail("Error: cannot read " + in);
    const Bytes stream = dcl::implode(*input, dictionary_size);
    if (stream.empty()) return fail("Error: " + in + " is too large to compress");
    if (!write_file(out, stream)) return fail("Error: cannot write " + out);
    return exit_ok;
}

int explode_file(const std::string& in, const std::string& out)
{
    const auto stream = read_file(in);
    if (!stream) return fail("Error: cannot read " + in);
    Bytes output;
    const dcl::Status status = dcl::explode(*stream, output, largest_entry);
    if (status != dcl::Status::ok) return fail(std::string("Error: damaged DCL stream - ") + dcl::describe(status));
    if (!write_file(out, output)) return fail("Error: cannot write " + out);
    return exit_ok;
}

}  // namespace

int run_dcl(Args& args)
{
    // "-1" and the like are dictionary sizes here, not options: read the words as they are.
    const std::vector<std::string>& words = args.positional();
    if (!args.ok()) return usage(args, "dcl");
    if (words.empty()) return usage_problem("dcl", "missing implode or explode");
    if (words[0] != "implode" && words[0] != "explode") return usage_problem("dcl", "unknown action '" + words[0] + "'");
    int dictionary_size = 4096;
    std::size_t first_file = 1;
    if (words[0] == "implode" && words.size() > 1 && words[1].size() > 1 && words[1][0] == '-') {
        if (words[1] == "-1")
            dictionary_size = 1024;
        else if (words[1] == "-2")
            dictionary_size = 2048;
        else if (words[1] != "-4")
            return usage_problem("dcl", "the dictionary must be -1, -2 or -4: '" + words[1] + "'");
        first_file = 2;
    }
    if (words.size() < first_file + 1) return usage_problem("dcl", "missing IN");
    if (words.size() < first_file + 2) return usage_problem("dcl", "missing OUT");
    if (words.size() > first_file + 2) return usage_problem("dcl", "unexpected argument '" + words[first_file + 2] + "'");
    if (words[0] == "explode") return explode_file(words[first_file], words[first_file + 1]);
    return implode_file(words[first_file], words[first_file + 1], dictionary_size);
}

}  // namespace mw::cli

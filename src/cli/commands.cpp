#include "cli/commands.h"

namespace mw::cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"list", "ARCHIVE [--json]", "list the archive's files and items as the tree shows them", run_list},
        {"model-info", "(ARCHIVE FILE [ITEM] | MODELFILE [--variant]) [--json]",
         "show a 3D model's counts, materials, parts and bounding box", run_model_info},
        {"info", "ARCHIVE FILE [ITEM] [--palette N] [--json]", "show the information text and display kind of a selection", run_info},
        {"analyse", "ARCHIVE [--json]", "show what the analysis finds: aircraft and variant flags, key files, palettes, model", run_analyse},
        {"export", "ARCHIVE FILE [ITEM] DEST [--original] [--palette N] [--palette-format jasc|corel] [--e-mode root|parts]",
         "export a file or item, converted (by DEST's kind: .e and .cob write models) or in its stored form", run_export},
        {"import", "ARCHIVE FILE [ITEM] SOURCE [--original] [--palette-format jasc|corel]",
         "import SOURCE into a file or item, converted or (--original) as the stored form", run_import},
        {"import-header", "ARCHIVE FILE SOURCE", "import SOURCE with the header file beside it (SOURCE's name with .hdr)", run_import_header},
        {"import-flight-model", "ARCHIVE PHYSICS", "replace the flight model of an aircraft archive from a physics archive", run_import_flight_model},
        {"dcl", "implode [-1|-2|-4] IN OUT | explode IN OUT", "compress or decompress a raw DCL implode stream", run_dcl},
        {"import-script", "ARCHIVE SCRIPT.mws", "run an import script: check every entry, then import them one by one", run_import_script},
        {"script", "check ARCHIVE SCRIPT.mws", "check an import script against the archive and its folder without importing", run_script},
        {"export-multiple", "ARCHIVE DESTDIR [--original] (--all | FILE...)", "export every item of the given files into DESTDIR", run_export_multiple},
        {"options", "[--palette-format jasc|corel]", "show or set the stored export options", run_options},
        {"record", "ARCHIVE FILE [ITEM] [--json]", "show an aircraft record as its form does: kind, form, title, fields", run_record},
        {"record-set", "ARCHIVE FILE ITEM NAME=VALUE...", "change aircraft record fields (named as record prints them, or @OFFSET) and save", run_record_set},
        {"visualise", "ARCHIVE FILE [ITEM] [--scale S] [--material ffNN]", "print the 3D model code of a located physics part", run_visualise},
    };
    return table;
}

}  // namespace mw::cli

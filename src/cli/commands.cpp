#include "cli/commands.h"

namespace mw::cli {

namespace {

// Said by every command that takes ARCHIVE FILE [ITEM].
#define MW_SELECTION_ARGS                                                                                   \
    "  ARCHIVE       the .res archive\n"                                                                    \
    "  FILE          the file's number in the tree, from 1\n"                                               \
    "  ITEM          the item's number, from 1; 0 or none = the file node, which for a file with items\n" \
    "                selects its first item, as clicking the file in the tree does\n"

}  // namespace

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"list", "ARCHIVE [--json]", "list the archive's files and items as the tree shows them",
         "  ARCHIVE       the .res archive\n"
         "  --json        print JSON (UTF-8) with every entry's fields instead of the tree\n"
         "Beside each file line: its resource ID and the ID's name from \"resid.def\";\n"
         "\"[damaged]\" marks a file whose data does not fit the archive (it cannot be extracted).\n",
         "marrowick-cli list aircraft.res", run_list},
        {"model-info", "(ARCHIVE FILE [ITEM] | MODELFILE [--variant]) [--json]",
         "show a 3D model's counts, materials, parts and bounding box",
         MW_SELECTION_ARGS
         "  MODELFILE     a model file outside an archive (a stored-form export)\n"
         "  --variant     read MODELFILE as a model of a variant archive\n"
         "  --json        print JSON (UTF-8)\n",
         "marrowick-cli model-info aircraft.res 40", run_model_info},
        {"info", "ARCHIVE FILE [ITEM] [--palette N] [--json]",
         "show the information text and display kind of a selection",
         MW_SELECTION_ARGS
         "  --palette N   make the archive's palette N current first (as the palette menu does)\n"
         "  --json        print JSON (UTF-8)\n"
         "For an item, its offset in the uncompressed file and its length follow the text.\n",
         "marrowick-cli info aircraft.res 12 2", run_info},
        {"analyse", "ARCHIVE [--json]",
         "show what the analysis finds: aircraft and variant flags, key files, palettes, model",
         "  ARCHIVE       the .res archive\n"
         "  --json        print JSON\n",
         "marrowick-cli analyse aircraft.res", run_analyse},
        {"export",
         "ARCHIVE FILE [ITEM] DEST [--original | --whole] [--palette N] [--palette-format jasc|corel] "
         "[--e-mode root|parts]",
         "export a file or item, converted (by DEST's kind: .e and .cob write models) or in its stored form",
         MW_SELECTION_ARGS
         "  DEST          the file to write\n"
         "  --original    write the stored form (uncompressed bytes, no conversion)\n"
         "  --whole       write the whole file's bytes exactly as the archive stores them\n"
         "                (compressed files stay compressed; every item at once); no ITEM\n"
         "  --palette N   colour images with the archive's palette N\n"
         "  --palette-format jasc|corel   palette files as JASC text or Corel binary (this time only)\n"
         "  --e-mode root|parts           model source: one multimaterial root or one part each\n"
         "Without --whole, FILE of a file with items writes its first item (ITEM 0 = the file node).\n",
         "marrowick-cli export aircraft.res 12 texture.bmp", run_export},
        {"import", "ARCHIVE FILE [ITEM] SOURCE [--original] [--palette-format jasc|corel]",
         "import SOURCE into a file or item, converted or (--original) as the stored form",
         MW_SELECTION_ARGS
         "  SOURCE        the file to import; it is converted back to the stored form by its kind\n"
         "  --original    SOURCE is the stored form already: import its bytes as they are\n"
         "  --palette-format jasc|corel   how to read a palette SOURCE (this time only)\n"
         "The archive is rewritten in place.\n",
         "marrowick-cli import aircraft.res 12 texture.bmp", run_import},
        {"import-header", "ARCHIVE FILE SOURCE",
         "import SOURCE with the header file beside it (SOURCE's name with .hdr)",
         "  ARCHIVE       the .res archive\n"
         "  FILE          the file's number in the tree, from 1\n"
         "  SOURCE        the data to import; SOURCE with the extension .hdr holds the header block\n",
         "marrowick-cli import-header aircraft.res 3 engine.bin", run_import_header},
        {"import-flight-model", "ARCHIVE PHYSICS",
         "replace the flight model of an aircraft archive from a physics archive",
         "  ARCHIVE       the aircraft archive, rewritten in place\n"
         "  PHYSICS       the physics archive the flight model comes from\n",
         "marrowick-cli import-flight-model aircraft.res physics.res", run_import_flight_model},
        {"dcl", "implode [-1|-2|-4] IN OUT | explode IN OUT",
         "compress or decompress a raw DCL implode stream",
         "  implode       compress IN into OUT (binary mode)\n"
         "  -1 -2 -4      dictionary of 1024, 2048 or 4096 bytes (default -4)\n"
         "  explode       decompress IN into OUT\n"
         "  IN OUT        the files read and written\n",
         "marrowick-cli dcl implode -2 raw.bin stream.pk", run_dcl},
        {"import-script", "ARCHIVE SCRIPT.mws",
         "run an import script: check every entry, then import them one by one",
         "  ARCHIVE       the .res archive, rewritten in place\n"
         "  SCRIPT.mws    the script; its files are named relative to the script's folder\n"
         "Progress goes to stdout, errors to stderr; Ctrl+C stops after the current file.\n",
         "marrowick-cli import-script aircraft.res textures.mws", run_import_script},
        {"script", "check ARCHIVE SCRIPT.mws",
         "check an import script against the archive and its folder without importing",
         "  check         the only action\n"
         "  ARCHIVE       the .res archive\n"
         "  SCRIPT.mws    the script to check\n",
         "marrowick-cli script check aircraft.res textures.mws", run_script},
        {"export-multiple", "ARCHIVE DESTDIR [--original] (--all | FILE...)",
         "export every item of the given files into DESTDIR",
         "  ARCHIVE       the .res archive\n"
         "  DESTDIR       an existing folder; nothing creates it\n"
         "  FILE...       the files' numbers in the tree, from 1\n"
         "  --all         every file of the archive\n"
         "  --original    the stored form instead of converted files\n"
         "A file with items gives one file per item, else one file. Each is named\n"
         "TITLE_NNN_ID (the archive's name, the file number in three digits, the resource ID),\n"
         "with _itemK for item K, then the converted file's extension (.bmp, .pal, .wav, ...)\n"
         "or, in stored form, a bare dot: aircraft_012_2059.bmp, aircraft_002_300_item1.\n",
         "marrowick-cli export-multiple aircraft.res out --all", run_export_multiple},
        {"options", "[--palette-format jasc|corel]", "show the program folder and the stored export options, or set one",
         "  --palette-format jasc|corel   store the palette format for converted palettes\n"
         "The program folder holds \"config.cfg\" (these settings), \"resid.def\" and temp/.\n",
         "marrowick-cli options --palette-format corel", run_options},
        {"record", "ARCHIVE FILE [ITEM] [--json]",
         "show an aircraft record as its form does: kind, title, fields",
         MW_SELECTION_ARGS
         "  --json        print JSON (UTF-8), with the form's internal names\n"
         "Each field line reads @OFFSET TYPE NAME = VALUE (its label); NAME=VALUE goes back to record-set.\n",
         "marrowick-cli record aircraft.res 5 2", run_record},
        {"record-set", "ARCHIVE FILE ITEM NAME=VALUE...",
         "change aircraft record fields (named as record prints them, or @OFFSET) and save",
         MW_SELECTION_ARGS
         "  NAME=VALUE    a field, named as `record` prints it or as @OFFSET, and its new value;\n"
         "                texts take \\\\, \\n, \\t, \\r and \\xNN escapes\n",
         "marrowick-cli record-set aircraft.res 5 2 \"Name=Sky Hawk\"", run_record_set},
        {"visualise", "ARCHIVE FILE [ITEM] [--scale S] [--material ffNN]",
         "print the 3D model code of a located physics part",
         MW_SELECTION_ARGS
         "  --scale S     BSP plane scale: every coordinate is divided by S, so 2 halves the\n"
         "                model (default 1; 0 or less counts as 1)\n"
         "  --material ffNN  the material tag of the faces, ff01 ... ff14 (default: the part's own)\n",
         "marrowick-cli visualise aircraft.res 5 3 --scale 2", run_visualise},
    };
    return table;
}

}  // namespace mw::cli

// Every message box of the import-script dialogs and the import run. Boxes
// without a caption of their own carry the program's title.
#pragma once

#include "batch/dialog_message.h"
#include "document/marrowick_doc.h"

namespace mw::script_messages {

// "Add Script Entry"
inline const DialogMessage no_filename{"No Filename Specified", "Missing Data", MessageIcon::stop};
inline const DialogMessage entry_exists{"A script entry with the file & item numbers you sepcified already exists",
                                        "Item Already Exists", MessageIcon::stop};

// Save Script
inline const DialogMessage empty_script{"The script has no entries", "Empty Script", MessageIcon::stop};
inline const DialogMessage save_failed{"An error occured while trying to save script file", "File I/O Error",
                                       MessageIcon::stop};

// Load Script
inline const DialogMessage cannot_open{"The script file does not exist or is in use by another application",
                                       "File I/O Error", MessageIcon::stop};
inline const DialogMessage not_a_script{"The file is not a Marrowick script file", "Invalid File Format",
                                        MessageIcon::stop};
inline const DialogMessage invalid_count{"The number of items in the script is invalid", "Invalid File Data",
                                         MessageIcon::stop};
inline const DialogMessage read_error{"An error occured while reading the script file", "File I/O Error",
                                      MessageIcon::stop};
inline const DialogMessage file_number_not_positive{"File number should be greater than 0", "Invalid File Data",
                                                    MessageIcon::stop};
inline const DialogMessage negative_item{"Negative item number", "Invalid File Data", MessageIcon::stop};
// A line whose name is empty once trimmed: refused, and reading goes on.
DialogMessage missing_name(int file, int item);

// The import run.
inline const DialogMessage export_failed{"ERROR: Error exporting original file", main_title,
                                         MessageIcon::information};
inline const DialogMessage import_failed{"Import Failed", main_title, MessageIcon::stop};

}  // namespace mw::script_messages

// The command functions of marrowick-cli, one small file per group.
#pragma once

#include "cli/cli.h"

namespace mw::cli {

int run_list(Args& args);
int run_model_info(Args& args);
int run_export(Args& args);
int run_import(Args& args);
int run_import_header(Args& args);
int run_info(Args& args);
int run_analyse(Args& args);
int run_import_flight_model(Args& args);
int run_dcl(Args& args);
int run_import_script(Args& args);
int run_script(Args& args);
int run_export_multiple(Args& args);
int run_options(Args& args);
int run_record(Args& args);
int run_record_set(Args& args);
int run_visualise(Args& args);

}  // namespace mw::cli

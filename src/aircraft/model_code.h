// The "3D model code:" text of the forms of located parts: a piece of model
// source that draws the physics part as a solid (a box, or an octahedron for
// a contact point) so the user can see where the flight model places it.
// Built from the record's new values; CR LF line ends, "%f" coordinates.
#pragma once

#include <string>
#include <vector>

#include "aircraft/record.h"

namespace mw {

// "ff01" to "ff14" (hexadecimal 01 to 14): the "Material #:" list.
const std::vector<std::string>& model_materials();

// The BSP plane scale in use: negative values (and zero, which would divide
// by nothing) count as 1.
float effective_bsp_scale(float scale);

// The object name from the temporary file's path and the plane part's name:
// of the path's last 10 characters, the second one when the first is "m",
// else the first two; then "_" and the plane part.
std::string model_object_name(const std::string& temp_path, const std::string& plane_part);

// The text for the record's form; empty when its form shows none. An empty
// `material` takes the form's default.
std::string model_code_text(const Record& record, const std::string& temp_path, float bsp_scale,
                            const std::string& material = {});

}  // namespace mw

#pragma once

#include <string>

namespace quilor {

// The running executable's folder with a trailing '/'. The data file lives here.
std::string ExeFolder();

// ExeFolder() + "data.xtr".
std::string DataFilePath();

}  // namespace quilor

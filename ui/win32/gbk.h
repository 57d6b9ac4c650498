// The program's texts are GBK; Windows takes UTF-16. Converted here, at the boundary, with
// code page 936 whatever the system's own code page is.
#pragma once

#include <string>
#include <string_view>

#include "ui/types.h"

namespace quorvane {

std::wstring ToWide(std::string_view gbk);
Text FromWide(std::wstring_view wide);

}  // namespace quorvane

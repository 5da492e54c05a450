// The full path of the running executable.
#pragma once
#include <string>

namespace tk {

std::wstring ModulePath();

}  // namespace tk

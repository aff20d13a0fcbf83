#pragma once

#include "base/wide_string.h"

namespace quillmont {

enum class JavaLauncher { None, Java, Javaw };
// Which Java launcher a starter's program is, by its file name.
JavaLauncher javaLauncherOf(const WideString& program);

}  // namespace quillmont

#pragma once

#include "core/images/verification.h"

#include <string>

namespace vireo {

// The status line's text for a verification, exactly: every file the outcome
// names, each followed by a space, then what it means, e.g.
// "电影图标 BACK 文件未找到，无法生成文件" or "校验全部通过，可以开始文件生成".
std::string verificationReport(const images::Verification& run);

}  // namespace vireo

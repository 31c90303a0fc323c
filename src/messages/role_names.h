#pragma once

#include "images/source_set.h"

namespace vireo {

// A source's role as the windows caption it and the messages name it:
// "主界面背景", "电影图标", "FC游戏图标", ...
const char* roleName(images::Source source);

}  // namespace vireo

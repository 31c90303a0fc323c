#pragma once

#include "core/base/result.h"

#include <string>

namespace vireo {

// What every finished write says, in the windows and on the command line.
inline constexpr char kDoneSentence[] = "完成！";

// The sentence for the user that says what went wrong and names the file,
// e.g. "没有权限读取文件：/a/b" or "磁盘已满，写入文件出错：/a/b".
std::string describe(const Error& error);

// The sentence with the reason the command line adds to it: for a refused
// file's content, or a cause the sentence does not know, the detail follows
// in brackets. For the windows, which show the same reason as the command line.
std::string describeWithReason(const Error& error);

// The Chinese words for a reason code a core puts in Error::detail (the
// converter's "no-palette", "quantiser-map", ..., and the project's codes);
// any other detail, the system's own words, as it is.
std::string reasonWords(const std::string& detail);

// A file refused as a skin for its length: "错误的BACKIMG文件：PATH", then the
// length found (the detail of the refusal, when it has one) and the two a
// finished skin may have.
std::string describeWrongSkin(const Error& error);

// What stands at a path, as a sentence names it: "文件夹", "命名管道（FIFO）", ...
const char* fileTypeName(Error::FileType type);

// `name` made safe to print on a terminal: control characters (C0, DEL and
// the C1 range of UTF-8) and backslashes become escapes such as \n, \x1b or
// \u009b, so that a file name cannot move the cursor or change colours.
// Other bytes, including UTF-8 and invalid bytes, pass unchanged.
std::string escapeForTerminal(const std::string& name);

}  // namespace vireo

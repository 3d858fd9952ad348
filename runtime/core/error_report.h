// The fatal runtime error report: one message, then the end of the program with exit
// status -1 (255 as the shell sees it).
#pragma once

#include <string>

namespace rt {

// Builds the report text: "运行时出错!\r\n\r\n", then "错误代码：<code>\r\n\r\n" for a
// nonzero code, then "错误信息：<message>\r\n" for a non-empty message. GBK in and out.
std::string BuildErrorText(const char* message, int code);

// How the report reaches the user without a user interface (the user interface has its
// own way: a message box on screen, standard error without a display).
void PresentOnStandardError(const std::string& gbk_text);

// Never returns: stops every further event handler, forgets the end routine, shows the
// report and ends the program with exit code -1.
[[noreturn]] void ReportError(const char* gbk_message, int code);

// ReportError with the message of numbered error 1 to 11 and the number as the code.
[[noreturn]] void RaiseError(int number);

}  // namespace rt

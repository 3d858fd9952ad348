#include "runtime/core/error_report.h"

#include <cstdio>

#include "runtime/core/frame.h"
#include "runtime/core/runtime_state.h"
#include "runtime/platform/gbk.h"

namespace rt {
namespace {

const char* NumberedErrorMessage(int number) {
  static const char* const kMessages[] = {
      "数组成员引用下标超出定义范围",
      "未得到所需要的数值型数据",
      "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
      "数组成员引用下标必须大于等于1",
      "数据或数组类型不匹配",
      "调用DLL命令后发现堆栈错误",
      "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
      "被比较数据只能使用等于或不等于命令比较",
      "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
      "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
      "所提供参数的数据类型不符合要求",
  };
  if (number < 1 || number > 11) return "";
  return kMessages[number - 1];
}

}  // namespace

std::string BuildErrorText(const char* message, int code) {
  std::string text = "运行时出错!\r\n\r\n";
  if (code != 0) text += "错误代码：" + std::to_string(code) + "\r\n\r\n";
  if (message && *message) text += std::string("错误信息：") + message + "\r\n";
  return text;
}

void PresentOnStandardError(const std::string& gbk_text) {
  std::string utf8 = GbkToUtf8(gbk_text);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fflush(stderr);
}

void ReportError(const char* gbk_message, int code) {
  RaiseSuppression();
  // Forgotten before the report shows: whatever ends the process while the user reads it
  // (another thread's end request), the clean-up routine does not run after an error.
  ForgetEndRoutine();
  const std::string text = BuildErrorText(gbk_message, code);
  RuntimeState* state = RuntimeIfAny();
  if (state && state->ui) {
    state->ui->PresentError(text);
  } else {
    PresentOnStandardError(text);
  }
  EndProgram(-1);
}

void RaiseError(int number) { ReportError(NumberedErrorMessage(number), number); }

}  // namespace rt

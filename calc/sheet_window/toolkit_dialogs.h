// What the toolkit's own dialogs (the file chooser, the print dialog, their questions)
// need of the program while one is up. They draw in the toolkit's default face, which has
// no CJK characters: that face becomes the program's CJK face, so that a proposed file
// name such as "开口三角电压计算-外熔丝-20261208-1530.html" reads as it stands; the program's
// windows draw in faces of their own and do not change.
#pragma once

#include <string>

namespace calc {

class CjkDialogFaces {
 public:
  CjkDialogFaces();
  ~CjkDialogFaces();
  CjkDialogFaces(const CjkDialogFaces&) = delete;
  CjkDialogFaces& operator=(const CjkDialogFaces&) = delete;

 private:
  // The toolkit keeps the names it is given, not copies: its own stay in its table, ours
  // here for as long as they are in use.
  const char* regular_;
  const char* bold_;
  std::string cjk_regular_, cjk_bold_;
};

// The toolkit's dialogs speak Chinese: the labels of its file chooser, print dialog and
// question boxes are variables of its own, set once for the rest of the program.
void SpeakChineseInToolkitDialogs();

// The few labels the print dialog writes as fixed English words, not through a variable
// ("Collate", "Selection"), are translated in its widgets while this lives.
class ChineseFixedLabels {
 public:
  ChineseFixedLabels();
  ~ChineseFixedLabels();
  ChineseFixedLabels(const ChineseFixedLabels&) = delete;
  ChineseFixedLabels& operator=(const ChineseFixedLabels&) = delete;
};

// The print dialog's "print to file" chooser opens in the current folder and takes no
// other: while the dialog is up, the current folder is the one the file choosers offer,
// and then the program's own again.
class InOfferedFolder {
 public:
  explicit InOfferedFolder(const std::string& utf8_folder);
  ~InOfferedFolder();
  InOfferedFolder(const InOfferedFolder&) = delete;
  InOfferedFolder& operator=(const InOfferedFolder&) = delete;
};

}  // namespace calc

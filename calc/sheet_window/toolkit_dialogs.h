// What the toolkit's own dialogs (the file chooser, the print dialog, their questions)
// need of the program while one is up. They draw in the toolkit's default face, which has
// no CJK characters: that face becomes the program's CJK face, so that a proposed file
// name such as "开口三角电压计算-外熔丝-20261208-1530.html" reads as it stands; the program's
// windows draw in faces of their own and do not change. And the toolkit's own chooser
// takes a typed name as one in the current folder, which is the program's own: the
// current folder becomes the one the chooser offers, the folder of the last file saved in
// this run or else the user's home.
#pragma once

#include <filesystem>
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

class InOfferedFolder {
 public:
  InOfferedFolder();
  ~InOfferedFolder();
  InOfferedFolder(const InOfferedFolder&) = delete;
  InOfferedFolder& operator=(const InOfferedFolder&) = delete;

 private:
  std::filesystem::path program_folder_;
};

// The folder the choosers offer, in UTF-8; empty when there is none to offer.
std::string FolderToOffer();
// The chooser gave this file (UTF-8): its folder is offered next time.
void RememberFolderOf(const std::string& utf8_path);

}  // namespace calc

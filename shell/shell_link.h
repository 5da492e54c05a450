// Couples a folder tree and a file list both ways: the list shows the folder
// selected in the tree, and a folder opened in the list becomes the tree's
// selection. Declare it after the two controls it couples, so that it is
// destroyed first.
#pragma once

namespace shell {

class TJamShellTree;
class TJamShellList;

class TJamShellLink {
 public:
  TJamShellLink(TJamShellTree& tree, TJamShellList& list);
  ~TJamShellLink();
  TJamShellLink(const TJamShellLink&) = delete;
  TJamShellLink& operator=(const TJamShellLink&) = delete;

 private:
  void TreeChanged();
  void FolderOpened();

  TJamShellTree& tree_;
  TJamShellList& list_;
};

}  // namespace shell

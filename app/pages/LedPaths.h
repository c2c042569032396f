// Where one keyboard model's LED animations lie on disk:
//   <data folder>led\<model>\<file_dir>\<frame>.png   the frames of one animation
//   <data folder>default_led\<model>\<slot>.png       the default picture of a screen slot
//   <program folder>gif\<model>\<slot>.gif            the default animation shipped for a slot
// The model name, file_dir and frame names come from the catalogue and the database: each
// has to be one plain name, so that no path built here reaches outside its folder.
// Paths are built whole, without a fixed buffer, and refused past the length the file
// functions take (MAX_PATH).
#pragma once
#include <optional>
#include "core/CString.h"

class LedPaths {
public:
  // Longest file path, and longest folder path (a folder must leave room for a file name
  // of 12 characters).
  static constexpr int kMaxPath = 259;
  static constexpr int kMaxFolder = 247;

  // Both folders end with a backslash (one is added when missing).
  LedPaths(const CString& dataFolder, const CString& exeFolder, const CString& model);

  // A name of one folder or file: not empty, no "\", "/" or ":", no control character,
  // and no trailing dot or space (so never "." or "..").
  static bool IsPlainName(const CString& name);
  static bool FitsFile(const CString& path) { return path.GetLength() <= kMaxPath; }
  static bool FitsFolder(const CString& path) { return path.GetLength() <= kMaxFolder; }

  // Each answers nothing when a name is not plain or the path is too long. Folders end
  // with a backslash.
  std::optional<CString> ModelFolder() const;
  std::optional<CString> AnimationFolder(const CString& fileDir) const;
  std::optional<CString> FrameFile(const CString& fileDir, const CString& fileName) const;
  std::optional<CString> DefaultGif(int slot) const;
  std::optional<CString> DefaultPictureFolder() const;
  std::optional<CString> DefaultPicture(int slot) const;

private:
  static CString WithBackslash(const CString& folder);
  std::optional<CString> Folder(const CString& base, const CString& name) const;
  static std::optional<CString> File(const std::optional<CString>& folder, const CString& name);

  CString m_data;
  CString m_exe;
  CString m_model;
};

// Shared by the lighting page tests: a language file whose text of id N reads "T<N>" for
// every id the lighting, matrix, canvas and LED pages use, and the worker's queue read
// out as a list.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "core/CString.h"
#include "device/TaskQueue.h"
#include "shell/LanguageText.h"
#include "support/TempFolder.h"

namespace lightingtest {

// While it lives, LoadLangString reads a 1033.lan of its own with "T<id>" for ids 1-1000.
class Texts {
public:
  Texts() {
    std::wstring text = L"\xFEFF[KB.DIALOG]\r\n";
    for (int id = 1; id <= 1000; ++id) text += std::to_wstring(id) + L"=T" + std::to_wstring(id) + L"\r\n";
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    WriteFileBytes(m_folder.File(L"1033.lan"), bytes);
    m_oldLanguage = CurrentLanguageId;
    CurrentLanguageId = 1033;
    SetLanguageFolder((m_folder.Path() + L"\\").c_str());
  }
  ~Texts() {
    SetLanguageFolder(CString());
    CurrentLanguageId = m_oldLanguage;
  }

private:
  TempFolder m_folder;
  int m_oldLanguage = 1033;
};

// Everything queued so far, first to last; the queue is empty afterwards.
inline std::vector<int> Tasks(TaskQueue& queue) {
  std::deque<int> all = queue.TakeAll();
  return std::vector<int>(all.begin(), all.end());
}

inline CString Text(const wchar_t* format, int value) {
  CString s;
  s.Format(format, value);
  return s;
}

}  // namespace lightingtest

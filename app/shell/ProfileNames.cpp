#include "shell/ProfileNames.h"
#include <algorithm>

namespace {

constexpr int kLastNumber = 1000;

struct DefaultWord {
  const wchar_t* word;
  CString ProfileNameTexts::*shownAs;
};

const DefaultWord kDefaultWords[] = {
    {L"Profile", &ProfileNameTexts::profileWord},
    {L"\u914D\u7F6E\u6587\u4EF6", &ProfileNameTexts::profileWord},                // 配置文件
    {L"\u6211\u7684\u5C08\u5C6C\u914D\u5BD8", &ProfileNameTexts::privateWord},  // 我的專屬配寘
};

}  // namespace

CString DisplayProfileName(const CString& stored, const ProfileNameTexts& texts) {
  for (const DefaultWord& d : kDefaultWords) {
    const CString word = d.word;
    if (stored.Left(word.GetLength()) == word) return texts.*d.shownAs + stored.Mid(word.GetLength());
  }
  return stored;
}

CString MakeUniqueProfileName(const CString& base, const std::vector<CString>& taken,
                              const ProfileNameTexts* texts) {
  auto isTaken = [&](const CString& name) {
    return std::find(taken.begin(), taken.end(), name) != taken.end();
  };
  CString name;
  for (int n = 1; n <= kLastNumber; ++n) {
    name.Format(L"%s %d", base.GetString(), n);
    if (!isTaken(name) && !(texts && isTaken(DisplayProfileName(name, *texts)))) break;
  }
  return name;
}

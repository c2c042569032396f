// Blocking HTTP GETs for the software update: a small text into a string, a package into
// a file with progress messages to a window. Another thread may cancel a transfer
// between chunks. Results: 1 done, 0 no Internet handle, -1 failed, -2 cancelled.
#pragma once
#include <windows.h>
#include <atomic>
#include "core/CString.h"

// Posted to the window given to HttpDownloadFile: wParam 0, lParam the progress 0-100.
constexpr UINT UM_DOWNLOAD_PROGRESS = 0x694;

class HttpTransfer {
public:
  static constexpr DWORD kChunkSize = 10240;
  // HttpGetText fetches small texts; a body beyond this fails instead of filling memory.
  static constexpr size_t kMaxTextSize = 16u << 20;

  HttpTransfer() = default;
  virtual ~HttpTransfer();
  HttpTransfer(const HttpTransfer&) = delete;
  HttpTransfer& operator=(const HttpTransfer&) = delete;

  // The body, read as UTF-8, goes into `text`; on failure `text` is left as it was.
  int HttpGetText(const CString& url, CString& text);
  // Replaces the file at `path`. Any failure once the file is made removes it again;
  // a cancelled download keeps what arrived.
  int HttpDownloadFile(const CString& url, const CString& path, HWND notify);

  // Ends the running transfer after the chunk in hand; safe from any thread.
  void Cancel() { m_run = false; }
  bool IsRunning() const { return m_run; }
  int GetLastProgress() const { return m_lastProgress; }

protected:
  // Writes one chunk of a download; false ends the download with -1.
  virtual bool WriteChunk(HANDLE file, const void* data, DWORD size);

private:
  void PostProgress(HWND notify, int value);

  std::atomic<bool> m_run{false};
  int m_lastProgress = 0;
};

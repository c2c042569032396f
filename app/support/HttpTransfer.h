// Blocking HTTP GETs for the software update: a small text into a string, a package into
// a file with progress messages to a window. Another thread may cancel a transfer; it
// ends with the bytes in hand. Connecting, sending and every wait for data have a time
// limit. Results: 1 done, 0 no Internet handle, -1 failed (a time-out too), -2 cancelled.
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
  // Time limits of a transfer's network calls, each: connecting, sending the request and
  // every wait for the next bytes of the answer.
  static constexpr DWORD kDefaultTimeoutMs = 15000;

  HttpTransfer() = default;
  virtual ~HttpTransfer();
  HttpTransfer(const HttpTransfer&) = delete;
  HttpTransfer& operator=(const HttpTransfer&) = delete;

  // The body, read as UTF-8, goes into `text`; on failure `text` is left as it was.
  int HttpGetText(const CString& url, CString& text);
  // Replaces the file at `path`. Any failure once the file is made removes it again;
  // a cancelled download keeps what arrived.
  int HttpDownloadFile(const CString& url, const CString& path, HWND notify);

  // Ends the running transfer with the bytes in hand; safe from any thread. A transfer
  // started afterwards runs.
  void Cancel() { m_run = false; }
  // Ends the running transfer and every later one at once: for a program that closes. A
  // stop that comes before a transfer starts is not lost; nothing is fetched after it.
  void Stop() {
    m_stopped = true;
    m_run = false;
  }
  bool IsStopped() const { return m_stopped; }
  bool IsRunning() const { return m_run; }
  void SetTimeout(DWORD ms) { m_timeoutMs = ms; }
  int GetLastProgress() const { return m_lastProgress; }

protected:
  // Writes one chunk of a download; false ends the download with -1.
  virtual bool WriteChunk(HANDLE file, const void* data, DWORD size);

private:
  void PostProgress(HWND notify, int value);
  // Sets run for a new transfer; false (run stays clear) once stopped.
  bool Begin();
  // Reads up to one chunk; stops early, with what it has, when the transfer is cancelled.
  bool ReadChunk(void* request, char* buffer, DWORD& got);

  std::atomic<bool> m_run{false};
  std::atomic<bool> m_stopped{false};
  DWORD m_timeoutMs = kDefaultTimeoutMs;
  int m_lastProgress = 0;
};

#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "text/exception.h"
#include "text/scoped_handle.h"
#include "text/text_reader.h"

// Text files read line by line, and written through a 64 KiB buffer. No operation raises: each
// failure replaces the thread's pending I/O error, which CheckIo raises and TakeIoError clears.
namespace skimdex {

// A Windows file handle, closed when dropped. Kept free of <windows.h> for its includers.
struct FileHandleTraits {
  using Handle = void*;  // HANDLE
  static Handle Empty() { return nullptr; }
  static void Release(Handle handle);
};
using ScopedFileHandle = ScopedHandle<FileHandleTraits>;

// One file, closed, reading or writing, owned by the function that declares it. Dropping an open
// file closes its handle without writing out the buffer or reporting anything; a file being replaced
// is then left as it was.
class TextFile : private ByteSource {
 public:
  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  ~TextFile() override;

  // Written text reaches the file in blocks of this size, and at the close.
  static constexpr std::size_t kBufferSize = 64 * 1024;

 private:
  enum class Mode { Closed, Reading, Writing };
  enum class Access { Read, Create, Append, Replace };

  ReadResult Read(char* buffer, std::size_t capacity) override;  // the reader's ReadFile
  void Open(Access access);
  bool WriteOut();  // empties the buffer into the file; false after recording a failure
  bool Commit();    // flushes and closes the temporary file, which takes the name's place
  void Abandon();   // closed, handle closed quietly, buffers emptied, a temporary file removed

  friend void AssignText(TextFile& file, const std::string& name);
  friend void OpenTextForReading(TextFile& file);
  friend void CreateTextForWriting(TextFile& file);
  friend void CreateTextForReplacing(TextFile& file);
  friend void OpenTextForAppending(TextFile& file);
  friend std::string_view ReadTextLineInPlace(TextFile& file);
  friend bool AtEndSkippingBlanks(TextFile& file);
  friend void WriteText(TextFile& file, const std::string& text);
  friend void WriteLineEnd(TextFile& file);
  friend void CloseText(TextFile& file);

  std::string name_;
  std::string temporary_;  // while a page is written to replace the file of name_
  Mode mode_ = Mode::Closed;
  ScopedFileHandle handle_;
  std::optional<TextReader> reader_;  // while reading
  std::unique_ptr<char[]> output_;    // while writing
  std::size_t output_count_ = 0;
  bool write_out_every_line_ = false;  // a character device
};

// Binds the name, a UTF-8 path of any length; opens nothing. An open file is closed first, as by CloseText.
void AssignText(TextFile& file, const std::string& name);
// The empty name stands for standard input (reading) or standard output (writing, appending).
void OpenTextForReading(TextFile& file);
void CreateTextForWriting(TextFile& file);  // creates or truncates
// Writes a new file for the name the safe way: into a temporary file beside it, which takes the
// name's place in one step when CloseText has written it whole and flushed it to disk. Until then, and
// after any failure, a file of that name stays as it was; a folder or a read-only file there is
// refused as creating it would be (error 5). The disk must hold both files for a moment.
void CreateTextForReplacing(TextFile& file);
void OpenTextForAppending(TextFile& file);  // writes on at the true end of the file
std::string ReadTextLine(TextFile& file);   // up to CR (CR LF or CR consumed); a lone LF stays in the line
// The same line where the file's buffer holds it, valid until the next operation on the file.
std::string_view ReadTextLineInPlace(TextFile& file);
bool AtEndSkippingBlanks(TextFile& file);  // passes bytes 0x00-0x20 except Ctrl-Z; true at the end
void WriteText(TextFile& file, const std::string& text);
void WriteLineEnd(TextFile& file);  // CR LF
// Writes out the buffer first; if that fails the file stays open.
void CloseText(TextFile& file);

class EInOutError : public Exception {
 public:
  EInOutError(int code, std::string message) : Exception(std::move(message)), code_(code) {}
  int Code() const noexcept { return code_; }

 private:
  int code_;
};

// The Japanese text EInOutError carries for `code`, "I/O エラー (code)" when the code has none.
std::string IoErrorMessage(int code);

void CheckIo();     // raises EInOutError for a pending error and clears it
int TakeIoError();  // the pending code (0 for none), cleared

// Tests only: the `count`-th write of a buffer from now on, and every later one, fails with `code`,
// as on a full disk or a lost network drive; a `count` of 0 makes none fail.
void FailWriteForTesting(int count, int code);

}  // namespace skimdex
